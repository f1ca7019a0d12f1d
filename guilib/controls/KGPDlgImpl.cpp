#include "guilib/controls/KGPDlgImpl.h"

#include "guilib/core/KGPMenuLinks.h"

namespace {

// The one dialog (per GUI thread: the library runs on one) whose menu the
// hook watches, and the hook itself.
CKGPDlgImpl* g_hookOwner = nullptr;
HHOOK g_mouseHook = nullptr;

bool IsKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool IsButtonDown(WPARAM message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN;
}

} // namespace

CKGPDlgImpl::~CKGPDlgImpl()
{
    SetActiveMenu(nullptr);
}

BOOL CKGPDlgImpl::PreTranslateMessage(MSG* pMsg)
{
    if (m_pActiveMenu == nullptr || !::IsWindow(m_pActiveMenu->GetSafeHwnd()))
        return FALSE;
    if (IsKeyMessage(pMsg->message) && pMsg->hwnd != m_pActiveMenu->GetSafeHwnd() &&
        !::IsChild(m_pActiveMenu->GetSafeHwnd(), pMsg->hwnd)) {
        m_pActiveMenu->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return FALSE;
}

BOOL CKGPDlgImpl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const bool fromAccelerator = HIWORD(wParam) == 1 && lParam == 0;
    return fromAccelerator && m_pActiveMenu != nullptr ? TRUE : FALSE;
}

void CKGPDlgImpl::OnActivate(UINT nState, CWnd* pWndOther)
{
    if (nState != WA_INACTIVE || m_pActiveMenu == nullptr)
        return;
    const HWND other = pWndOther != nullptr ? pWndOther->GetSafeHwnd() : nullptr;
    if (other != m_pActiveMenu->GetSafeHwnd())
        CloseActiveMenu();
}

BOOL CKGPDlgImpl::OnNcActivate(BOOL& bActive)
{
    if (bActive)
        return FALSE;
    const HWND active = ::GetActiveWindow();
    if (m_pActiveMenu != nullptr || (active != nullptr && ::GetWindow(active, GW_OWNER) == m_Dlg.GetSafeHwnd()))
        bActive = TRUE;
    return FALSE;
}

void CKGPDlgImpl::SetActiveMenu(CWnd* pMenu)
{
    m_pActiveMenu = pMenu;
    if (pMenu != nullptr) {
        g_hookOwner = this;
        if (g_mouseHook == nullptr)
            g_mouseHook = ::SetWindowsHookExW(WH_MOUSE, MouseHook, nullptr, ::GetCurrentThreadId());
    } else if (g_hookOwner == this) {
        g_hookOwner = nullptr;
        if (g_mouseHook != nullptr)
            ::UnhookWindowsHookEx(g_mouseHook);
        g_mouseHook = nullptr;
    }
}

BOOL CKGPDlgImpl::IsClickOutsideActiveMenu(CPoint point) const
{
    if (m_pActiveMenu == nullptr || !::IsWindow(m_pActiveMenu->GetSafeHwnd()))
        return FALSE;
    return KGPMenuLinks::IsOutsidePopupMenu(m_pActiveMenu, point);
}

void CKGPDlgImpl::CloseActiveMenu()
{
    CWnd* menu = m_pActiveMenu;
    SetActiveMenu(nullptr);
    if (menu != nullptr && ::IsWindow(menu->GetSafeHwnd()))
        menu->SendMessage(WM_CLOSE);
}

LRESULT CALLBACK CKGPDlgImpl::MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hook = g_mouseHook;
    if (nCode == HC_ACTION && g_hookOwner != nullptr && IsButtonDown(wParam)) {
        const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (g_hookOwner->IsClickOutsideActiveMenu(info->pt))
            g_hookOwner->CloseActiveMenu();
    }
    return ::CallNextHookEx(hook, nCode, wParam, lParam);
}
