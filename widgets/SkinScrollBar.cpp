#include "widgets/SkinScrollBar.h"

#include "widgets/UiResources.h"
#include "widgets/WidgetLook.h"

#include <algorithm>

CSkinScrollBar::~CSkinScrollBar()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CSkinScrollBar::Create(CWnd* pParent, const RECT& rect, UINT nId)
{
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    return CreateEx(0, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pParent, nId);
}

BOOL CSkinScrollBar::CreateOnPlaceholder(CWnd* pParent, UINT nPlaceholderId)
{
    if (pParent == nullptr) {
        return FALSE;
    }
    HWND placeholder = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nPlaceholderId));
    if (placeholder == nullptr) {
        return FALSE;
    }
    RECT rect{};
    ::GetWindowRect(placeholder, &rect);
    ::MapWindowPoints(nullptr, pParent->m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    HWND previous = ::GetWindow(placeholder, GW_HWNDPREV);
    ::DestroyWindow(placeholder);
    if (!Create(pParent, rect, nPlaceholderId)) {
        return FALSE;
    }
    // Keep the placeholder's place in the tab order.
    ::SetWindowPos(m_hWnd, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

void CSkinScrollBar::SetRange(int nMin, int nMax)
{
    m_nMin = nMin;
    m_nMax = std::max(nMin, nMax);
    SetPos(m_nPos);
}

void CSkinScrollBar::SetPos(int nPos)
{
    m_nPos = std::clamp(nPos, m_nMin, m_nMax);
    UpdateThumbPosition();
}

void CSkinScrollBar::UpdateThumbPosition()
{
    m_nPos = std::clamp(m_nPos, m_nMin, m_nMax);
    if (m_hWnd != nullptr) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }
}

int CSkinScrollBar::ThumbCentreX() const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int span = std::max(1, static_cast<int>(client.right) - 2 * kThumbRadius);
    const int range = std::max(1, m_nMax - m_nMin);
    return kThumbRadius + static_cast<int>(static_cast<long long>(m_nPos - m_nMin) * span / range);
}

int CSkinScrollBar::PositionFromX(int x) const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int span = std::max(1, static_cast<int>(client.right) - 2 * kThumbRadius);
    const int offset = std::clamp(x - kThumbRadius, 0, span);
    const long long range = m_nMax - m_nMin;
    return m_nMin + static_cast<int>((offset * range + span / 2) / span);
}

void CSkinScrollBar::Paint(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    widgets::PaintParentBackground(m_hWnd, dc);
    const int cy = (client.top + client.bottom) / 2;
    const bool enabled = ::IsWindowEnabled(m_hWnd) != FALSE;
    RECT track{kThumbRadius / 2, cy - 3, client.right - kThumbRadius / 2, cy + 3};
    widgets::FillRoundRect(dc, track, 6, widgets::kLookWhite, widgets::kLookBorderGrey);
    const int thumbX = ThumbCentreX();
    if (thumbX > track.left + 1) {
        RECT played{track.left + 1, track.top + 1, thumbX, track.bottom - 1};
        widgets::FillRoundRect(dc, played, 4, enabled ? m_clrFill : widgets::kLookDisabled,
                               enabled ? m_clrFill : widgets::kLookDisabled);
    }
    // The skin's thumb picture when the program has one, else a drawn thumb.
    if (const CSkinImage* image = GetUiResources().GetImage(kThumbImageName); image != nullptr && image->IsValid()) {
        image->Draw(dc, thumbX - image->GetWidth() / 2, cy - image->GetHeight() / 2);
        return;
    }
    RECT thumb{thumbX - kThumbRadius, cy - kThumbRadius, thumbX + kThumbRadius + 1, cy + kThumbRadius + 1};
    widgets::FillRoundRect(dc, thumb, 2 * kThumbRadius, m_bDragging ? widgets::kLookLightGreen : widgets::kLookWhite,
                           enabled ? widgets::kLookDarkGreen : widgets::kLookDisabled);
}

void CSkinScrollBar::TrackTo(int x)
{
    const int position = PositionFromX(x);
    if (position != m_nPos) {
        m_nPos = position;
        UpdateThumbPosition();
    }
}

void CSkinScrollBar::Release()
{
    if (!m_bDragging) {
        return;
    }
    m_bDragging = FALSE;
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (HWND parent = ::GetParent(m_hWnd)) {
        ::SendMessageW(parent, kMsgThumbReleased, static_cast<WPARAM>(::GetDlgCtrlID(m_hWnd)), 0);
    }
}

LRESULT CSkinScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CPaintDC paint(m_hWnd);
        HDC dc = paint.GetSafeHdc();
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        // Painted off-screen first: the bar is redrawn many times a second
        // during playback.
        const CMemoryDCHandle memory(::CreateCompatibleDC(dc));
        const CGdiHandle<HBITMAP> bitmap(
            ::CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
        const CSelectionScope select(memory.Get(), bitmap.Get());
        Paint(memory.Get());
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        if (::IsWindowEnabled(m_hWnd)) {
            ::SetFocus(m_hWnd);
            ::SetCapture(m_hWnd);
            m_bDragging = TRUE;
            TrackTo(static_cast<short>(LOWORD(lParam)));
        }
        return 0;
    case WM_MOUSEMOVE:
        if (m_bDragging) {
            TrackTo(static_cast<short>(LOWORD(lParam)));
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_bDragging) {
            TrackTo(static_cast<short>(LOWORD(lParam)));
            Release();
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away (a dialog popped up): the drag ends where it is.
        if (m_bDragging && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            Release();
        }
        return 0;
    case WM_ENABLE:
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
