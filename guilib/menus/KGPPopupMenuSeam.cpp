#include "guilib/menus/KGPPopupMenuSeam.h"

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupPlacement.h"

#include <windowsx.h>

namespace KGPPopupMenuSeam {

namespace {

int g_nTracking = 0;

// Receives the command a tracked popup posts and keeps it.
class CChoiceWnd : public CWnd {
public:
    BOOL Make() { return CreateEx(0, AfxRegisterWndClass(0), _T(""), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr); }
    UINT m_uiChoice = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_uiChoice = LOWORD(wParam);
        else if (message == WM_SYSCOMMAND)
            m_uiChoice = static_cast<UINT>(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

bool IsButtonDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN;
}

// Whether the point lies on a popup of the open chain (its shadow excepted).
bool IsOnChain(CPoint ptScreen)
{
    for (const CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu(); popup != nullptr;
         popup = popup->GetParentPopupMenu()) {
        const int hit = popup->HitTest(ptScreen);
        if (hit != kgp::kHitOutside && hit != kgp::kHitRightShadow && hit != kgp::kHitBottomShadow)
            return true;
    }
    return false;
}

} // namespace

BOOL IsTracking() { return g_nTracking > 0; }

UINT Track(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    if (!::IsMenu(hMenu) || pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return 0;
    CChoiceWnd choice;
    if (!choice.Make())
        return 0;
    auto* popup = new CKGPPopupMenu;
    popup->SetRightAlign(bRightAlign);
    popup->SetOwnsMenu(FALSE);
    popup->SetMessageWnd(&choice);
    popup->m_bTrackMode = TRUE;
    if (!popup->Create(pWndOwner, x, y, hMenu, FALSE))
        return 0;  // the popup has gone
    const HWND hPopup = popup->GetSafeHwnd();
    ++g_nTracking;
    while (::IsWindow(hPopup)) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        CKGPPopupMenu* active = CKGPPopupMenu::GetActiveMenu();
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            // The keys go to the innermost popup; Alt and F10 close the menus.
            if (msg.message == WM_SYSKEYDOWN && (msg.wParam == VK_MENU || msg.wParam == VK_F10))
                ::SendMessageW(hPopup, WM_CLOSE, 0, 0);
            else if (active != nullptr)
                active->SendMessage(WM_KEYDOWN, msg.wParam, msg.lParam);
            continue;
        }
        if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR || msg.message == WM_KEYUP ||
            msg.message == WM_SYSKEYUP)
            continue;
        if (IsButtonDown(msg.message)) {
            CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            if (msg.message < WM_NCLBUTTONDOWN || msg.message > WM_NCMBUTTONDOWN)
                ::ClientToScreen(msg.hwnd, &point);
            if (!IsOnChain(point)) {
                ::SendMessageW(hPopup, WM_CLOSE, 0, 0);
                continue;
            }
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    --g_nTracking;
    // The choice was posted to the window that waits for it.
    MSG msg;
    while (::PeekMessageW(&msg, choice.GetSafeHwnd(), 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    const UINT chosen = choice.m_uiChoice;
    choice.DestroyWindow();
    return chosen;
}

BOOL Show(HMENU hMenu, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    if (!::IsMenu(hMenu) || pWndOwner == nullptr || pWndOwner->GetSafeHwnd() == nullptr)
        return FALSE;
    auto* popup = new CKGPPopupMenu;
    popup->SetRightAlign(bRightAlign);
    popup->SetOwnsMenu(FALSE);
    return popup->Create(pWndOwner, x, y, hMenu, FALSE, TRUE);
}

} // namespace KGPPopupMenuSeam
