#include "widgets/SizingControlBar.h"

#include "widgets/WidgetLook.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

CSizingControlBar::CSizingControlBar() : m_szHorz(200, 200), m_szVert(200, 200) {}

CSizingControlBar::~CSizingControlBar()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CSizingControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                               UINT nID, DWORD dwStyle)
{
    m_szHorz = sizeDefault;
    m_szVert = sizeDefault;
    m_bHasGripper = bHasGripper;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (bHasGripper) {
        m_dwStyle |= CBRS_GRIPPER;
    }
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CWnd::Create(windowClass, lpszWindowName != nullptr ? lpszWindowName : L"", windowStyle,
                        CRect(0, 0, sizeDefault.cx, sizeDefault.cy), pParentWnd, nID);
}

BOOL CSizingControlBar::IsVertDocked() const
{
    return (m_dwStyle & CBRS_ORIENT_HORZ) == 0;
}

CSize CSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = bHorz ? m_szHorz : m_szVert;
    if (bStretch) {
        if (bHorz) {
            size.cx = 32767;
        } else {
            size.cy = 32767;
        }
    }
    return size;
}

CSize CSizingControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    const BOOL horz = (nMode & (LM_HORZ | LM_HORZDOCK)) != 0 && (nMode & LM_VERTDOCK) == 0;
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, horz);
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CSizingControlBar::SetVertDockWidth(int cx)
{
    m_szVert.cx = std::max(cx, kMinExtent);
}

UINT CSizingControlBar::EdgeSide() const
{
    if (m_dwStyle & CBRS_ALIGN_LEFT) {
        return HTRIGHT;
    }
    if (m_dwStyle & CBRS_ALIGN_RIGHT) {
        return HTLEFT;
    }
    if (m_dwStyle & CBRS_ALIGN_TOP) {
        return HTBOTTOM;
    }
    return HTTOP;
}

void CSizingControlBar::StartTracking(CPoint ptScreen)
{
    m_bTracking = TRUE;
    m_ptTrackStart = ptScreen;
    m_ptTrackLast = ptScreen;
    m_nTrackStartExtent = IsVertDocked() ? m_szVert.cx : m_szHorz.cy;
    ::SetCapture(m_hWnd);
}

int CSizingControlBar::TrackedExtent(CPoint ptScreen) const
{
    int delta = 0;
    switch (EdgeSide()) {
    case HTRIGHT:
        delta = ptScreen.x - m_ptTrackStart.x;
        break;
    case HTLEFT:
        delta = m_ptTrackStart.x - ptScreen.x;
        break;
    case HTBOTTOM:
        delta = ptScreen.y - m_ptTrackStart.y;
        break;
    default:
        delta = m_ptTrackStart.y - ptScreen.y;
        break;
    }
    int extent = std::max(m_nTrackStartExtent + delta, static_cast<int>(kMinExtent));
    // Leave the view some room.
    if (CFrameWnd* frame = GetDockingFrame()) {
        CRect client;
        frame->GetClientRect(&client);
        const int limit = (IsVertDocked() ? client.Width() : client.Height()) - kMinExtent;
        extent = std::max(static_cast<int>(kMinExtent), std::min(extent, limit));
    }
    return extent;
}

void CSizingControlBar::ApplyExtent(int extent)
{
    if (IsVertDocked()) {
        m_szVert.cx = extent;
    } else {
        m_szHorz.cy = extent;
    }
    if (m_pDockBar != nullptr) {
        m_pDockBar->LayoutBars();
    }
    if (CFrameWnd* frame = GetDockingFrame()) {
        frame->RecalcLayout();
    }
}

void CSizingControlBar::OnTrackUpdatePosition(CPoint ptScreen)
{
    if (!m_bTracking) {
        return;
    }
    m_ptTrackLast = ptScreen;
    if (m_bDragFullWindows) {
        ApplyExtent(TrackedExtent(ptScreen));
    }
}

void CSizingControlBar::StopTracking(BOOL bAccept)
{
    if (!m_bTracking) {
        return;
    }
    const int extent = bAccept ? TrackedExtent(m_ptTrackLast) : m_nTrackStartExtent;
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    ApplyExtent(extent);
}

void CSizingControlBar::PaintNonClient()
{
    const CWindowDCHandle windowDc = CWindowDCHandle::Whole(m_hWnd);
    if (!windowDc) {
        return;
    }
    HDC dc = windowDc.Get();
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    ::OffsetRect(&window, -window.left, -window.top);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    POINT origin{0, 0};
    ::ClientToScreen(m_hWnd, &origin);
    RECT screen{};
    ::GetWindowRect(m_hWnd, &screen);
    ::OffsetRect(&client, origin.x - screen.left, origin.y - screen.top);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    widgets::FillRoundRect(dc, window, 0, widgets::kLookWhite, widgets::kLookWhite);
    // The sizing edge: a thin green line on the side facing the view.
    RECT edge = window;
    switch (EdgeSide()) {
    case HTRIGHT:
        edge.left = edge.right - 1;
        break;
    case HTLEFT:
        edge.right = edge.left + 1;
        break;
    case HTBOTTOM:
        edge.top = edge.bottom - 1;
        break;
    default:
        edge.bottom = edge.top + 1;
        break;
    }
    widgets::FillRoundRect(dc, edge, 0, widgets::kLookBorderGrey, widgets::kLookBorderGrey);
    if (m_bHasGripper) {
        RECT grip{client.left + 4, client.top - kGripperHeight + 3, client.right - 4, client.top - kGripperHeight + 5};
        widgets::FillRoundRect(dc, grip, 0, widgets::kLookGreen, widgets::kLookGreen);
    }
}

LRESULT CSizingControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCALCSIZE: {
        auto* rect = reinterpret_cast<RECT*>(lParam);  // first rectangle in both forms
        m_uFramedEdge = EdgeSide();
        switch (m_uFramedEdge) {
        case HTRIGHT:
            rect->right -= kEdgeWidth;
            break;
        case HTLEFT:
            rect->left += kEdgeWidth;
            break;
        case HTBOTTOM:
            rect->bottom -= kEdgeWidth;
            break;
        default:
            rect->top += kEdgeWidth;
            break;
        }
        if (m_bHasGripper) {
            rect->top += kGripperHeight;
        }
        rect->right = std::max(rect->right, rect->left);
        rect->bottom = std::max(rect->bottom, rect->top);
        return 0;
    }
    case WM_NCHITTEST: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT window{};
        ::GetWindowRect(m_hWnd, &window);
        bool onEdge = false;
        switch (EdgeSide()) {
        case HTRIGHT:
            onEdge = pt.x >= window.right - kEdgeWidth;
            break;
        case HTLEFT:
            onEdge = pt.x < window.left + kEdgeWidth;
            break;
        case HTBOTTOM:
            onEdge = pt.y >= window.bottom - kEdgeWidth;
            break;
        default:
            onEdge = pt.y < window.top + kEdgeWidth;
            break;
        }
        // Not HTRIGHT & co.: the system would size the child window itself.
        return onEdge ? HTBORDER : HTCLIENT;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTBORDER) {
            const UINT side = EdgeSide();
            ::SetCursor(::LoadCursorW(nullptr, (side == HTRIGHT || side == HTLEFT) ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
        break;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTBORDER) {
            StartTracking(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_bTracking) {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(m_hWnd, &pt);
            OnTrackUpdatePosition(CPoint(pt.x, pt.y));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_bTracking) {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(m_hWnd, &pt);
            OnTrackUpdatePosition(CPoint(pt.x, pt.y));
            StopTracking(TRUE);
            return 0;
        }
        break;
    case WM_KEYDOWN:
        if (m_bTracking && wParam == VK_ESCAPE) {
            StopTracking(FALSE);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_bTracking && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            StopTracking(FALSE);
        }
        break;
    case WM_WINDOWPOSCHANGED:
        // Docked at another side: the sizing edge moves, so the frame is recomputed.
        if (m_uFramedEdge != EdgeSide()) {
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        break;
    case WM_NCPAINT:
        PaintNonClient();
        return 0;
    default:
        break;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}
