#include "widgets/WidgetLook.h"

#include <algorithm>

namespace widgets {
namespace {

class CSharedFont {
public:
    CSharedFont(int height, int weight)
    {
        LOGFONTW lf{};
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        wcscpy_s(lf.lfFaceName, L"Tahoma");
        m_font.Reset(::CreateFontIndirectW(&lf));
    }
    CSharedFont(const CSharedFont&) = delete;
    CSharedFont& operator=(const CSharedFont&) = delete;
    HFONT Get() const { return m_font ? m_font.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

private:
    CGdiHandle<HFONT> m_font;
};

} // namespace

HFONT GetButtonFont()
{
    static const CSharedFont font(18, FW_SEMIBOLD);
    return font.Get();
}

HFONT GetTextFont()
{
    static const CSharedFont font(-13, FW_NORMAL);
    return font.Get();
}

COLORREF BlendColour(COLORREF a, COLORREF b, int percentOfB)
{
    const int p = std::clamp(percentOfB, 0, 100);
    auto mix = [p](int x, int y) { return static_cast<BYTE>((x * (100 - p) + y * p) / 100); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void PaintParentBackground(HWND child, HDC dc)
{
    HWND parent = ::GetParent(child);
    RECT client{};
    ::GetClientRect(child, &client);
    if (parent == nullptr) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    POINT origin{0, 0};
    ::MapWindowPoints(child, parent, &origin, 1);
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    POINT previous{};
    ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    if (::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0) {
        // The parent paints no background of its own: its class brush stands in.
        RECT parentClient{};
        ::GetClientRect(parent, &parentClient);
        HBRUSH brush = reinterpret_cast<HBRUSH>(::GetClassLongPtrW(parent, GCLP_HBRBACKGROUND));
        ::FillRect(dc, &parentClient, brush != nullptr ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
    }
    ::RestoreDC(dc, saved);
}

void FillRoundRect(HDC dc, const RECT& rect, int radius, COLORREF fill, COLORREF border)
{
    CGdiHandle<HBRUSH> brush(::CreateSolidBrush(fill));
    CGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, border));
    CScopedSelect selectBrush(dc, brush.Get());
    CScopedSelect selectPen(dc, pen.Get());
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius, radius);
}

SIZE GetBitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof(info), &info) == 0) {
        return SIZE{0, 0};
    }
    return SIZE{info.bmWidth, info.bmHeight};
}

void DrawKeyedBitmap(HDC dc, HBITMAP bitmap, const RECT& rect, COLORREF key)
{
    const SIZE size = GetBitmapSize(bitmap);
    if (size.cx == 0 || size.cy == 0) {
        return;
    }
    HDC source = ::CreateCompatibleDC(dc);
    if (source == nullptr) {
        return;
    }
    {
        CScopedSelect select(source, bitmap);
        const int x = rect.left + (rect.right - rect.left - size.cx) / 2;
        const int y = rect.top + (rect.bottom - rect.top - size.cy) / 2;
        ::TransparentBlt(dc, x, y, size.cx, size.cy, source, 0, 0, size.cx, size.cy, key);
    }
    ::DeleteDC(source);
}

} // namespace widgets
