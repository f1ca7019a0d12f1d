// CToolTipCtrl. Tool records use the full TTTOOLINFOW size of this platform:
// shorter (older) sizes are accepted by the control but lose the text.
#include <afxcmn.h>

#include "../wnd/MessageParams.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

using afx_detail::LParam;

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    const BOOL created = CWnd::CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CWnd::HwndOf(pParentWnd), nullptr);
    if (created)
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return created;
}

void CToolTipCtrl::FillToolInfo(TTTOOLINFOW& info, CWnd* pWnd, UINT_PTR nIDTool) const
{
    info = TTTOOLINFOW{};
    info.cbSize = sizeof(TTTOOLINFOW);
    info.hwnd = CWnd::HwndOf(pWnd);
    if (nIDTool == 0) {
        // The tool is the window itself.
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(info.hwnd);
    } else {
        info.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    if (pWnd == nullptr)
        return FALSE;
    TTTOOLINFOW info;
    FillToolInfo(info, pWnd, nIDTool);
    info.uFlags |= TTF_SUBCLASS;
    if (lpRectTool)
        info.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(info.hwnd, &info.rect);
    info.lpszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, LParam(&info)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW info;
    FillToolInfo(info, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLW, 0, LParam(&info));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW info;
    FillToolInfo(info, pWnd, nIDTool);
    info.lpszText = const_cast<LPTSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTW, 0, LParam(&info));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    UpdateTipText(text, pWnd, nIDTool);
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    // TTM_GETTEXTW takes no buffer size: a tooltip text is at most 80
    // characters unless set by callback; 1024 leaves ample room.
    constexpr int kCapacity = 1024;
    TTTOOLINFOW info;
    FillToolInfo(info, pWnd, nIDTool);
    info.lpszText = str.GetBuffer(kCapacity);
    info.lpszText[0] = 0;
    SendMessage(TTM_GETTEXTW, kCapacity, LParam(&info));
    str.ReleaseBuffer();
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TTTOOLINFOW info;
    FillToolInfo(info, pWnd, nIDTool);
    info.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTW, 0, LParam(&info));
}

int CToolTipCtrl::GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
void CToolTipCtrl::Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
void CToolTipCtrl::SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
void CToolTipCtrl::SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
int CToolTipCtrl::SetMaxTipWidth(int iWidth) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth)); }
void CToolTipCtrl::SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration)); }
void CToolTipCtrl::RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, LParam(lpMsg)); }
void CToolTipCtrl::Pop() { SendMessage(TTM_POP); }
