// Message dispatch of CWnd: message maps, commands, notifications, reflection.
#include "afxstate.h"

#include <string>

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

namespace {

// Offers a message to the object of the child window it concerns.
BOOL SendChildNotify(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
    if (pChild == nullptr) {
        return FALSE;
    }
    LRESULT ignored = 0;
    return pChild->OnChildNotify(message, wParam, lParam, pResult != nullptr ? pResult : &ignored);
}

// What a window does with owner-draw, colour and scroll messages nobody in its
// map handled: owner-drawn menu items go to their CMenu, the rest to the control.
BOOL ReflectOrDispatchDefault(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM: {
        auto* pDIS = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (pDIS->CtlType == ODT_MENU) {
            if (AfxDispatchMenuDrawItem(pDIS)) {
                *pResult = TRUE;
                return TRUE;
            }
            return FALSE;
        }
        return SendChildNotify(pDIS->hwndItem, message, wParam, lParam, pResult);
    }
    case WM_MEASUREITEM: {
        auto* pMIS = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (pMIS->CtlType == ODT_MENU) {
            if (AfxDispatchMenuMeasureItem(pWnd->m_hWnd, pMIS)) {
                *pResult = TRUE;
                return TRUE;
            }
            return FALSE;
        }
        CWnd* pChild = pWnd->GetDescendantWindow(static_cast<int>(pMIS->CtlID), TRUE);
        return pChild != nullptr && SendChildNotify(pChild->m_hWnd, message, wParam, lParam, pResult);
    }
    case WM_COMPAREITEM:
        return SendChildNotify(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem, message, wParam, lParam,
                               pResult);
    case WM_DELETEITEM:
        return SendChildNotify(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem, message, wParam, lParam,
                               pResult);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return lParam != 0 && SendChildNotify(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult);
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            return SendChildNotify(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult);
        }
        return FALSE;
    }
}

// The entry of a map chain for a window message, remembered per thread: every
// message a window gets would otherwise walk its whole chain of maps.
const AFX_MSGMAP_ENTRY* FindCachedMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage)
{
    auto& cache = afx_detail::GetThreadState().messageCache;
    const afx_detail::MessageKey key{pMap, nMessage};
    auto it = cache.find(key);
    if (it != cache.end()) {
        return it->second;
    }
    const AFX_MSGMAP_ENTRY* pEntry = CCmdTarget::FindMessageEntry(pMap, nMessage);
    cache.emplace(key, pEntry);
    return pEntry;
}

} // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) {
        lResult = DefWindowProc(message, wParam, lParam);
    }
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    LRESULT* pOut = pResult != nullptr ? pResult : &lResult;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        *pOut = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr) {
            return FALSE;
        }
        *pOut = 0;
        return OnNotify(wParam, lParam, pOut);
    }
    UINT key = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        key = WM_CTLCOLOR;
    } else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) {
        key = WM_REFLECT_BASE + WM_CTLCOLOR;
    }
    if (const AFX_MSGMAP_ENTRY* pEntry = FindCachedMessageEntry(GetMessageMap(), key)) {
        AFX_MSG_CALL call;
        call.nMessage = message;
        call.wParam = wParam;
        call.lParam = lParam;
        *pOut = 0;
        call.pResult = pOut;
        // The handler may destroy and delete this object: nothing of it is used after.
        return pEntry->pfn(this, call);
    }
    *pOut = 0;
    return ReflectOrDispatchDefault(this, message, wParam, lParam, pOut);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = afx_detail::GetThreadState().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        if (nID == 0) {
            return FALSE;
        }
        // Menus and accelerators: a command its update handler disables never runs.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled) {
            return TRUE;
        }
        nCode = CN_COMMAND;
    } else {
        if (afx_detail::GetThreadState().hLockoutNotifyWindow == m_hWnd) {
            return TRUE; // notifications caused by UpdateData itself
        }
        LRESULT lResult = 0;
        if (SendChildNotify(hWndCtrl, WM_COMMAND, wParam, lParam, &lResult)) {
            return TRUE; // the control handled its own notification
        }
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = LOWORD(pNMHDR->idFrom);
    UINT nCode = pNMHDR->code;
    if (afx_detail::GetThreadState().hLockoutNotifyWindow == m_hWnd) {
        return FALSE;
    }
    if (SendChildNotify(hWndCtrl, WM_NOTIFY, wParam, lParam, pResult)) {
        return TRUE;
    }
    AFX_NOTIFY notify{pResult, pNMHDR};
    if (OnCmdMsg(nID, static_cast<int>(MAKELONG(nCode, WM_NOTIFY)), &notify, nullptr)) {
        return TRUE;
    }
    if (nCode == TTN_NEEDTEXTW) {
        return HandleToolTipNotify(pNMHDR, pResult);
    }
    return FALSE;
}

BOOL CWnd::HandleToolTipNotify(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Only an ANSI handler answered nothing so far: ask it and convert its text.
    auto* pWide = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    NMTTDISPINFOA narrow{};
    narrow.hdr = pWide->hdr;
    narrow.hdr.code = TTN_NEEDTEXTA;
    narrow.lpszText = narrow.szText;
    narrow.uFlags = pWide->uFlags;
    narrow.lParam = pWide->lParam;
    LRESULT lResult = 0;
    AFX_NOTIFY notify{&lResult, &narrow.hdr};
    if (!OnCmdMsg(LOWORD(pNMHDR->idFrom), static_cast<int>(MAKELONG(TTN_NEEDTEXTA, WM_NOTIFY)), &notify,
                  nullptr)) {
        return FALSE;
    }
    if (narrow.hinst != nullptr && IS_INTRESOURCE(narrow.lpszText)) {
        pWide->hinst = narrow.hinst;
        pWide->lpszText = reinterpret_cast<LPWSTR>(narrow.lpszText);
    } else if (narrow.lpszText != nullptr) {
        // The text may be longer than szText: keep it in a buffer of this thread.
        std::wstring& buffer = afx_detail::GetThreadState().toolTipText;
        int nChars = ::MultiByteToWideChar(CP_ACP, 0, narrow.lpszText, -1, nullptr, 0);
        buffer.assign(nChars > 0 ? static_cast<size_t>(nChars) : 1, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, narrow.lpszText, -1, buffer.data(), nChars);
        pWide->hinst = nullptr;
        pWide->lpszText = buffer.data();
    }
    pWide->uFlags = narrow.uFlags;
    *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    if (pResult == nullptr) {
        pResult = &ignored;
    }
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)),
                                 nullptr, nullptr)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)),
                                    &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        }
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG& msg = afx_detail::GetThreadState().lastSentMsg;
    return SendChildNotify(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = afx_detail::GetThreadState().lastSentMsg;
    LRESULT ignored = 0;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult != nullptr ? pResult : &ignored);
}

// Default handlers: what the window would have done without the entry.
int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy()
{
    Default();
    AfxFinishNcDestroy(this); // may delete this object
}
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult)) {
        return reinterpret_cast<HBRUSH>(lResult);
    }
    return reinterpret_cast<HBRUSH>(Default());
}
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT)
{
    const MSG& msg = afx_detail::GetThreadState().lastSentMsg;
    LRESULT lResult = 0;
    if (!ReflectOrDispatchDefault(this, msg.message, msg.wParam, msg.lParam, &lResult)) {
        Default();
    }
}
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT)
{
    const MSG& msg = afx_detail::GetThreadState().lastSentMsg;
    LRESULT lResult = 0;
    if (!ReflectOrDispatchDefault(this, msg.message, msg.wParam, msg.lParam, &lResult)) {
        Default();
    }
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    const MSG& msg = afx_detail::GetThreadState().lastSentMsg;
    LRESULT lResult = 0;
    if (!ReflectOrDispatchDefault(this, msg.message, msg.wParam, msg.lParam, &lResult)) {
        Default();
    }
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    const MSG& msg = afx_detail::GetThreadState().lastSentMsg;
    LRESULT lResult = 0;
    if (!ReflectOrDispatchDefault(this, msg.message, msg.wParam, msg.lParam, &lResult)) {
        Default();
    }
}
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnCancelMode() { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnChangeCbChain(HWND, HWND) { Default(); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseLeave() { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
LRESULT CWnd::OnPrintClient(CDC*, UINT) { return Default(); }
LRESULT CWnd::OnThemeChanged() { return Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnUnInitMenuPopup(CMenu*, UINT) { Default(); }
int CWnd::OnSetText(LPCTSTR) { return static_cast<int>(Default()); }
void CWnd::OnSetFont(CFont*, BOOL) { Default(); }
HFONT CWnd::OnGetFont() { return reinterpret_cast<HFONT>(Default()); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
