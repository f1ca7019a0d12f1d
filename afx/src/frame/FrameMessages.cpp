// The frame's status prompt and toolbar tooltips.
#include <afxwin.h>
#include <afxext.h>

namespace {

// The part of a "prompt\ntip" string before (index 0) or after (index 1) the newline.
CString PromptPart(UINT nID, int index)
{
    CString full;
    if (nID == 0 || !full.LoadString(nID))
        return CString();
    const int newline = full.Find(L'\n');
    if (index == 0)
        return newline < 0 ? full : full.Left(newline);
    return newline < 0 ? CString() : full.Mid(newline + 1);
}

} // namespace

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage = PromptPart(nID, 0);
    if (rMessage.IsEmpty() && nID == AFX_IDS_IDLEMESSAGE)
        rMessage = L"Ready";
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT previous = m_nIDLastMessage;
    m_nIDLastMessage = static_cast<UINT>(wParam);
    CWnd* bar = GetMessageBar();
    if (bar == nullptr)
        return previous;
    CString text;
    if (lParam != 0)
        text = reinterpret_cast<LPCTSTR>(lParam);
    else if (wParam != 0)
        GetMessageString(static_cast<UINT>(wParam), text);
    bar->SetWindowText(text);
    return previous;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr) {
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
    } else if (nFlags & (MF_SEPARATOR | MF_POPUP)) {
        m_nIDTracking = 0;
    } else {
        m_nIDTracking = nItemID;
    }
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking, 0);
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    // Tips of toolbar buttons: the text after the newline of the command's string.
    UINT_PTR id = pNMHDR->idFrom;
    const bool wide = pNMHDR->code == TTN_NEEDTEXTW;
    const UINT flags = wide ? reinterpret_cast<NMTTDISPINFOW*>(pNMHDR)->uFlags
                            : reinterpret_cast<NMTTDISPINFOA*>(pNMHDR)->uFlags;
    if (flags & TTF_IDISHWND)
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    if (id == 0 || id > 0xFFFF)
        return FALSE;
    const CString tip = PromptPart(static_cast<UINT>(id), 1);
    if (wide) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        ::lstrcpynW(info->szText, tip, static_cast<int>(std::size(info->szText)));
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        const CStringA narrow(tip);
        ::lstrcpynA(info->szText, narrow, static_cast<int>(std::size(info->szText)));
    }
    *pResult = 0;
    // Keep the tip above other top-level windows.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}
