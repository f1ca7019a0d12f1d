// Tooltips of windows that called EnableToolTips: one tooltip control per thread,
// fed from PreTranslateMessage with the tool OnToolHitTest finds under the mouse.
#include "afxstate.h"

#include <cstdlib>

namespace {

HWND EnsureThreadToolTip()
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.hWndToolTip != nullptr && ::IsWindow(state.hWndToolTip)) {
        return state.hWndToolTip;
    }
    // Unowned, so that it outlives the windows it serves; AfxTermThread destroys it.
    state.hWndToolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                          nullptr, AfxGetInstanceHandle(), nullptr);
    state.hWndLastHit = nullptr;
    state.nLastHit = -1;
    if (state.hWndToolTip != nullptr) {
        ::SendMessageW(state.hWndToolTip, TTM_ACTIVATE, TRUE, 0);
        ::SendMessageW(state.hWndToolTip, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
    }
    return state.hWndToolTip;
}

void FreeToolText(TTTOOLINFOW& ti)
{
    // OnToolHitTest may hand over text allocated with malloc; the control keeps a copy.
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKW) {
        std::free(ti.lpszText);
    }
    ti.lpszText = nullptr;
}

bool IsToolTipMouseMessage(UINT message)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

} // namespace

HWND AfxGetThreadToolTipWindow()
{
    return afx_detail::GetThreadState().hWndToolTip;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable) {
        m_nFlags |= WF_TOOLTIPS;
        return EnsureThreadToolTip() != nullptr;
    }
    m_nFlags &= ~WF_TOOLTIPS;
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.hWndLastHit == m_hWnd && state.hWndToolTip != nullptr) {
        ::SendMessageW(state.hWndToolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&state.lastInfo));
        state.hWndLastHit = nullptr;
        state.nLastHit = -1;
    }
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const
{
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == nullptr || hWndChild == m_hWnd) {
        return -1;
    }
    int nID = ::GetDlgCtrlID(hWndChild);
    if (nID == 0) {
        return -1;
    }
    if (pTI != nullptr && pTI->cbSize >= TTTOOLINFOW_V1_SIZE) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKW;
        wchar_t className[16] = {};
        ::GetClassNameW(hWndChild, className, 16);
        if (::lstrcmpiW(className, L"Button") != 0) {
            pTI->uFlags |= TTF_CENTERTIP;
        }
    }
    return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!IsToolTipMouseMessage(pMsg->message)) {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
            CancelToolTips(TRUE);
        }
        return;
    }
    HWND hWndTip = EnsureThreadToolTip();
    if (hWndTip == nullptr) {
        return;
    }
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    POINT point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    INT_PTR nHit = OnToolHitTest(CPoint(point.x, point.y), &ti);
    if (ti.hwnd == nullptr) {
        ti.hwnd = m_hWnd;
    }
    const bool sameTool = state.hWndLastHit == m_hWnd && state.nLastHit == nHit &&
                          (nHit == -1 || (state.lastInfo.hwnd == ti.hwnd && state.lastInfo.uId == ti.uId));
    if (!sameTool) {
        if (state.hWndLastHit != nullptr) {
            ::SendMessageW(hWndTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&state.lastInfo));
        }
        if (nHit != -1) {
            ::SendMessageW(hWndTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
            state.lastInfo = ti;
            state.lastInfo.lpszText = nullptr;
            state.hWndLastHit = m_hWnd;
            state.nLastHit = nHit;
        } else {
            state.hWndLastHit = nullptr;
            state.nLastHit = -1;
        }
    }
    FreeToolText(ti);
    if (nHit != -1) {
        MSG relay = *pMsg;
        ::SendMessageW(hWndTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
}

void CWnd::CancelToolTips(BOOL)
{
    HWND hWndTip = afx_detail::GetThreadState().hWndToolTip;
    if (hWndTip != nullptr) {
        ::SendMessageW(hWndTip, TTM_POP, 0, 0);
    }
}
