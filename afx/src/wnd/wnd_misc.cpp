// Everyday CWnd members that need more than one call.
#include "afxstate.h"

#include <shellapi.h>

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            if (CFrameWnd* pFrame = pWnd->AsFrameWnd()) {
                return pFrame;
            }
        }
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pTop = nullptr;
    for (HWND hWnd = m_hWnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
            if (CFrameWnd* pFrame = pWnd->AsFrameWnd()) {
                pTop = pFrame;
            }
        }
    }
    return pTop;
}

CFrameWnd* CWnd::GetRoutingFrame_()
{
    CWnd* pWnd = FromHandlePermanent(afx_detail::GetThreadState().lastSentMsg.hwnd);
    if (pWnd == nullptr) {
        return nullptr;
    }
    if (CFrameWnd* pFrame = pWnd->AsFrameWnd()) {
        return pFrame;
    }
    return pWnd->GetParentFrame();
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWnd = m_hWnd;
    HWND hWndParent = nullptr;
    while (hWnd != nullptr && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) &&
           (hWndParent = ::GetParent(hWnd)) != nullptr) {
        hWnd = hWndParent;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    for (HWND hWndUp = hWnd; hWndUp != nullptr; hWndUp = ::GetParent(hWndUp)) {
        hWnd = hWndUp;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND hWnd = GetTopLevelParent()->GetSafeHwnd();
    for (HWND hWndOwner = hWnd; hWndOwner != nullptr; hWndOwner = ::GetWindow(hWndOwner, GW_OWNER)) {
        hWnd = hWndOwner;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    if (hWnd == nullptr) {
        return nullptr;
    }
    // A direct child first, then the children's descendants.
    if (HWND hWndChild = ::GetDlgItem(hWnd, nID)) {
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
        if (pWnd != nullptr) {
            return pWnd;
        }
    }
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm)) {
            return pWnd;
        }
    }
    return nullptr;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

namespace {

// Sends to a window's children from the first one on, and to theirs when deep.
// Each child's first child is looked up once, after it has had the message (it
// may make children of its own): under Wine every look-up is a round trip to
// its server.
void SendMessageFromChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (; hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (!bOnlyPerm || CWnd::FromHandlePermanent(hWndChild) != nullptr) {
            ::SendMessageW(hWndChild, message, wParam, lParam);
        }
        if (bDeep) {
            if (HWND hWndGrandchild = ::GetTopWindow(hWndChild); hWndGrandchild != nullptr)
                SendMessageFromChild(hWndGrandchild, message, wParam, lParam, bDeep, bOnlyPerm);
        }
    }
}

} // namespace

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    SendMessageFromChild(::GetTopWindow(hWnd), message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLength = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, rString.GetBuffer(nLength), nLength + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (hWndItem == nullptr) {
        return 0;
    }
    int nLength = ::GetWindowTextLengthW(hWndItem);
    ::GetWindowTextW(hWndItem, rString.GetBuffer(nLength), nLength + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID) {
        if (::IsDlgButtonChecked(m_hWnd, nID)) {
            return nID;
        }
    }
    return 0;
}

namespace {
BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, nIndex));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle) {
        return FALSE;
    }
    ::SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(dwNewStyle));
    if (nFlags != 0) {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}
} // namespace

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0) {
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    }
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AfxRepositionBars(this, nIDFirst, nIDLast, nIDLeftOver, nFlag, lpRectParam, lpRectClient, bStretch);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = HwndOf(pAlternateOwner);
    if (hWndCenter == nullptr) {
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    }
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    RECT rcArea;
    RECT rcCenter;
    if (dwStyle & WS_CHILD) {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter != nullptr ? hWndCenter : hWndParent, &rcCenter);
        ::MapWindowPoints(hWndCenter != nullptr ? hWndCenter : hWndParent, hWndParent,
                          reinterpret_cast<LPPOINT>(&rcCenter), 2);
    } else {
        // Over a visible, not minimised owner; else over the monitor's work area.
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfoW(hMonitor, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter != nullptr && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter)) {
            ::GetWindowRect(hWndCenter, &rcCenter);
        } else {
            rcCenter = rcArea;
        }
    }
    int width = rcWindow.right - rcWindow.left;
    int height = rcWindow.bottom - rcWindow.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    // Keep the window inside the area.
    if (x + width > rcArea.right) {
        x = rcArea.right - width;
    }
    if (x < rcArea.left) {
        x = rcArea.left;
    }
    if (y + height > rcArea.bottom) {
        y = rcArea.bottom - height;
    }
    if (y < rcArea.top) {
        y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info{};
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE)) {
        return 0;
    }
    int nLimit = info.nMax - (info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0);
    return nLimit > info.nMin ? nLimit : info.nMin;
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->GetSafeHandle() : nullptr),
                   bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT hFont = GetFontHandle();
    return hFont != nullptr ? CFont::FromHandle(hFont) : nullptr;
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return pDC != nullptr ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0;
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return AfxShowMessageBox(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : AfxGetAppName(), nType);
}

HWND CWnd::GetSafeOwner_(HWND hWndParent, HWND* pWndTop)
{
    HWND hWnd = hWndParent;
    if (hWnd == nullptr) {
        hWnd = HwndOf(AfxGetMainWnd());
    }
    while (hWnd != nullptr && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD)) {
        hWnd = ::GetParent(hWnd);
    }
    HWND hWndTop = hWnd;
    for (HWND hWndOwner = hWndTop; hWndOwner != nullptr; hWndOwner = ::GetWindow(hWndOwner, GW_OWNER)) {
        hWndTop = hWndOwner;
    }
    if (hWndParent == nullptr && hWnd != nullptr) {
        // The popup last active over the window, unless it is hidden or
        // disabled (a dialog on its way out): a box owned by such a window
        // is not kept above the main window.
        HWND popup = ::GetLastActivePopup(hWnd);
        if (popup != nullptr && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup)) {
            hWnd = popup;
        }
    }
    if (pWndTop != nullptr) {
        *pWndTop = hWndTop;
    }
    return hWnd;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg)
{
    const BOOL bKey = lpMsg->message >= WM_KEYFIRST && lpMsg->message <= WM_KEYLAST;
    const BOOL bMouse = lpMsg->message >= WM_MOUSEFIRST && lpMsg->message <= WM_MOUSELAST;
    if ((!bKey && !bMouse) || m_hWnd == nullptr) {
        return FALSE;
    }
    if (lpMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, lpMsg->hwnd)) {
        return FALSE;
    }
    return ::IsDialogMessageW(m_hWnd, lpMsg);
}
