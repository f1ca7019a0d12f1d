#include "widgets/SliderDlg.h"

#include "widgets/BufferedPaint.h"

#include <algorithm>

#include "widgets/WidgetLook.h"

namespace {
constexpr int kTrackMargin = 12;
constexpr int kThumbHeight = 10;
} // namespace

int SliderValueFromY(int y, int trackTop, int trackBottom, int minimum, int maximum)
{
    const int low = std::min(minimum, maximum);
    const int high = std::max(minimum, maximum);
    if (trackBottom <= trackTop) {
        return low;
    }
    const int clampedY = std::clamp(y, trackTop, trackBottom);
    const long long range = static_cast<long long>(high) - low;
    const long long fromBottom = trackBottom - clampedY;
    const long long length = trackBottom - trackTop;
    // Round to the nearest value so each value owns an equal stretch of track.
    return static_cast<int>(low + (fromBottom * range + length / 2) / length);
}

int SliderYFromValue(int value, int trackTop, int trackBottom, int minimum, int maximum)
{
    const int low = std::min(minimum, maximum);
    const int high = std::max(minimum, maximum);
    if (high == low) {
        return trackBottom;
    }
    const long long v = std::clamp(value, low, high) - static_cast<long long>(low);
    const long long range = static_cast<long long>(high) - low;
    return static_cast<int>(trackBottom - (v * (trackBottom - trackTop) + range / 2) / range);
}

BEGIN_MESSAGE_MAP(CSliderDlg, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CSliderDlg::CSliderDlg() = default;

CSliderDlg::~CSliderDlg()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CSliderDlg::Create(CWnd* pOwner)
{
    m_owner = CWnd::HwndOf(pOwner);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_HAND));
    if (!CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, windowClass, L"",
                  WS_POPUP, 0, 0, kWidth, kHeight, m_owner, nullptr)) {
        return FALSE;
    }
    ::SetLayeredWindowAttributes(m_hWnd, 0, 235, LWA_ALPHA);
    return TRUE;
}

void CSliderDlg::SetRange(int minimum, int maximum)
{
    m_nMin = std::min(minimum, maximum);
    m_nMax = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_nMin, m_nMax);
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

void CSliderDlg::SetPos(int value)
{
    m_value = std::clamp(value, std::min(m_nMin, m_nMax), std::max(m_nMin, m_nMax));
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

void CSliderDlg::PopupAt(int x, int y, int value)
{
    SetPos(value);
    if (m_hWnd == nullptr) {
        return;
    }
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, x, y, kWidth, kHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(m_hWnd);
}

void CSliderDlg::Hide()
{
    if (m_hWnd != nullptr) {
        if (::GetCapture() == m_hWnd) {
            ::ReleaseCapture();
        }
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

RECT CSliderDlg::GetTrackRect() const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return RECT{client.left, client.top + kTrackMargin, client.right, client.bottom - kTrackMargin};
}

void CSliderDlg::PostToOwner(UINT message) const
{
    if (m_owner != nullptr) {
        ::PostMessageW(m_owner, message, static_cast<WPARAM>(static_cast<INT_PTR>(m_value)), 0);
    }
}

void CSliderDlg::DragTo(int y)
{
    const RECT track = GetTrackRect();
    const int value = SliderValueFromY(y, track.top, track.bottom, m_nMin, m_nMax);
    if (value != m_value) {
        m_value = value;
        Invalidate(FALSE);
        ::UpdateWindow(m_hWnd);
        PostToOwner(WM_SLIDER_MOVED);
    }
}

int CSliderDlg::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return MA_NOACTIVATE;
}

void CSliderDlg::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    m_dragging = true;
    ::SetCapture(m_hWnd);
    DragTo(point.y);
}

void CSliderDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_dragging && (nFlags & MK_LBUTTON) != 0) {
        DragTo(point.y);
    }
}

void CSliderDlg::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (!m_dragging) {
        return;
    }
    DragTo(point.y);
    m_dragging = false;
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    PostToOwner(WM_SLIDER_RELEASED);
}

void CSliderDlg::OnCaptureChanged(CWnd* pWnd)
{
    m_dragging = false;
    CWnd::OnCaptureChanged(pWnd);
}

BOOL CSliderDlg::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CSliderDlg::OnPaint()
{
    widgets::CBufferedPaint paint(*this);
    paint.Fill(widgets::kLookWhite);
    HDC dc = paint.Dc();
    const CRect& client = paint.Client();
    CGdiHandle<HBRUSH> frame(::CreateSolidBrush(widgets::kLookGreen));
    ::FrameRect(dc, &client, frame.Get());

    const RECT track = GetTrackRect();
    const int centre = (client.left + client.right) / 2;
    const int thumbY = SliderYFromValue(m_value, track.top, track.bottom, m_nMin, m_nMax);
    // The groove: grey above the thumb, green below it (the part "filled").
    RECT upper{centre - 2, track.top, centre + 2, thumbY};
    RECT lower{centre - 2, thumbY, centre + 2, track.bottom};
    CGdiHandle<HBRUSH> grey(::CreateSolidBrush(widgets::kLookBorderGrey));
    ::FillRect(dc, &upper, grey.Get());
    ::FillRect(dc, &lower, frame.Get());
    RECT thumb{client.left + 6, thumbY - kThumbHeight / 2, client.right - 6, thumbY + kThumbHeight / 2};
    widgets::FillRoundRect(dc, thumb, 6, m_dragging ? widgets::kLookDarkGreen : widgets::kLookGreen,
                           widgets::kLookDarkGreen);
}
