// Context help on the toolbars: while help mode is on a thread mouse hook
// keeps the button under the pointer hot, and a help hit test on a button
// answers the help id of its command.
#include "guilib/toolbars/KGPMenuButtonLinks.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"

#include <windowsx.h>

namespace {

// The help mode's mouse hook, and the bar it last made a button hot on.
HHOOK s_hHelpHook = nullptr;
CKGPToolBar* s_pHelpHotBar = nullptr;

}  // namespace

BOOL CKGPToolBar::IsHelpMode() { return s_hHelpHook != nullptr; }

void CKGPToolBar::SetHelpMode(BOOL bOn)
{
    if (bOn) {
        if (s_hHelpHook == nullptr)
            s_hHelpHook = ::SetWindowsHookExW(WH_MOUSE, &CKGPToolBar::HelpMouseHook, nullptr, ::GetCurrentThreadId());
        return;
    }
    if (s_hHelpHook != nullptr)
        ::UnhookWindowsHookEx(s_hHelpHook);
    s_hHelpHook = nullptr;
    s_pHelpHotBar = nullptr;
    for (POSITION pos = s_lstAllBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKGPToolBar*>(s_lstAllBars.GetNext(pos));
        if (bar->GetSafeHwnd() != nullptr)
            bar->OnCancelMode();
    }
}

LRESULT CALLBACK CKGPToolBar::HelpMouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode != HC_ACTION)
        return ::CallNextHookEx(s_hHelpHook, nCode, wParam, lParam);
    if (wParam != WM_MOUSEMOVE)
        return 0;
    const auto* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    auto* bar = DYNAMIC_DOWNCAST(CKGPToolBar, CWnd::FromHandlePermanent(::WindowFromPoint(mouse->pt)));
    if (bar != nullptr) {
        CPoint client = mouse->pt;
        bar->ScreenToClient(&client);
        bar->OnMouseMove(0, client);
    }
    CKGPToolBar* previous = s_pHelpHotBar;
    if (previous == nullptr || previous == bar || s_lstAllBars.Find(previous) == nullptr) {
        s_pHelpHotBar = bar;
        return 0;
    }
    // A bar in a popup opened from the previous bar leaves that one hot.
    const IKGPMenuPopup* popup = KGPMenuButtonLinks::GetPopupOfBar(bar);
    if (popup != nullptr && popup->GetParentWindow() == previous)
        return 0;
    previous->m_track.leaveTracking = FALSE;
    previous->m_track.mouseLast = CPoint(-1, -1);
    if (previous->m_track.hot >= 0) {
        const int hot = previous->m_track.hot;
        previous->m_track.hot = -1;
        previous->RepaintButton(hot);
    }
    s_pHelpHotBar = bar;
    return 0;
}

LRESULT CKGPToolBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    OnCancelMode();
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    CKGPToolbarButton* button = GetButton(HitTest(point));
    if (button == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return -1;
    }
    if (button->HandleHelpHit(this))
        return 0;
    UINT command = button->m_nCommand;
    if (const auto* mdi = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, button))
        command = mdi->GetSystemCommand();
    const LRESULT id = static_cast<LRESULT>(kgp::HelpIdForCommand(command));
    if (id > 0)
        SetHelpMode(FALSE);
    return id;
}
