#include "widgets/NotifyDlg.h"

#include "widgets/BufferedPaint.h"
#include "widgets/WidgetLook.h"

namespace {
constexpr int kWidth = 260;
constexpr int kHeight = 64;
} // namespace

BEGIN_MESSAGE_MAP(CNotifyDlg, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CNotifyDlg::CNotifyDlg() = default;

CNotifyDlg::~CNotifyDlg()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CNotifyDlg::Create(CWnd* pOwner, LPCTSTR text)
{
    m_owner = CWnd::HwndOf(pOwner);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW));
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, windowClass, text, WS_POPUP, 0, 0, kWidth,
                    kHeight, m_owner, nullptr);
}

void CNotifyDlg::SetText(LPCTSTR text)
{
    ::SetWindowTextW(m_hWnd, text);
    if (::IsWindowVisible(m_hWnd) != FALSE) {
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

BOOL CNotifyDlg::ShowWindow(int nCmdShow)
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = ::IsWindowVisible(m_hWnd);
    if (nCmdShow == SW_HIDE) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        return wasVisible;
    }
    RECT area{};
    if (m_owner != nullptr && ::IsWindowVisible(m_owner) != FALSE) {
        ::GetWindowRect(m_owner, &area);
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    const int x = (area.left + area.right - kWidth) / 2;
    const int y = (area.top + area.bottom - kHeight) / 2;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, kWidth, kHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    return wasVisible;
}

int CNotifyDlg::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return MA_NOACTIVATE;
}

BOOL CNotifyDlg::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CNotifyDlg::OnPaint()
{
    widgets::CBufferedPaint paint(*this);
    paint.Fill(widgets::kLookLightGreen);
    HDC dc = paint.Dc();
    RECT sheet = paint.Client();
    ::InflateRect(&sheet, -1, -1);
    widgets::FillRoundRect(dc, sheet, 12, widgets::kLookWhite, widgets::kLookGreen);
    wchar_t text[256] = {};
    ::GetWindowTextW(m_hWnd, text, 256);
    CSelectionScope font(dc, widgets::GetButtonFontFor(text));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, widgets::kLookDarkGreen);
    ::DrawTextW(dc, text, -1, &sheet, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
