#include "widgets/WidgetLook.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace widgets {
namespace {

class CSharedFont {
public:
    CSharedFont(int height, int weight, const wchar_t* face = L"Tahoma")
    {
        LOGFONTW lf{};
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
        m_font.Reset(::CreateFontIndirectW(&lf));
    }
    CSharedFont(const CSharedFont&) = delete;
    CSharedFont& operator=(const CSharedFont&) = delete;
    HFONT Get() const { return m_font ? m_font.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

private:
    CGdiHandle<HFONT> m_font;
};

// The characters a font draws with glyphs of its own (what font linking adds
// is not counted: it does not reach every face and weight everywhere).
class CFontCoverage {
public:
    explicit CFontCoverage(HFONT font)
    {
        const CMemoryDCHandle dc(::CreateCompatibleDC(nullptr));
        if (!dc)
            return;
        const CSelectionScope select(dc.Get(), font);
        const DWORD size = ::GetFontUnicodeRanges(dc.Get(), nullptr);
        if (size >= sizeof(GLYPHSET)) {
            std::vector<BYTE> buffer(size);
            auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
            if (::GetFontUnicodeRanges(dc.Get(), set) != 0)
                m_ranges.assign(set->ranges, set->ranges + set->cRanges);
        }
    }

    bool Covers(wchar_t c) const
    {
        return std::any_of(m_ranges.begin(), m_ranges.end(), [c](const WCRANGE& range) {
            return c >= range.wcLow && c < range.wcLow + range.cGlyphs;
        });
    }
    // True also when the coverage is unknown: the font is then kept.
    bool CoversAll(const wchar_t* text) const
    {
        if (m_ranges.empty())
            return true;
        for (; *text != L'\0'; ++text) {
            if (*text >= L' ' && !Covers(*text))
                return false;
        }
        return true;
    }

private:
    std::vector<WCRANGE> m_ranges;
};

constexpr int kButtonFontHeight = 18;
// Chinese interface faces, in the order they are tried.
constexpr const wchar_t* kChineseFaces[] = {L"Microsoft YaHei", L"SimHei", L"SimSun", L"Microsoft JhengHei",
                                            L"PMingLiU"};
constexpr wchar_t kHanSample = L'\x4E2D';

// The button font's size and weight in the first Chinese face that has the
// glyphs itself; the Latin button font when none has.
HFONT ChineseButtonFont()
{
    static const std::unique_ptr<CSharedFont> font = [] {
        for (const wchar_t* face : kChineseFaces) {
            auto candidate = std::make_unique<CSharedFont>(kButtonFontHeight, FW_SEMIBOLD, face);
            if (CFontCoverage(candidate->Get()).Covers(kHanSample))
                return candidate;
        }
        return std::unique_ptr<CSharedFont>();
    }();
    return font ? font->Get() : GetButtonFont();
}

} // namespace

HFONT GetButtonFont()
{
    static const CSharedFont font(kButtonFontHeight, FW_SEMIBOLD);
    return font.Get();
}

HFONT GetButtonFontFor(const wchar_t* text)
{
    static const CFontCoverage latin(GetButtonFont());
    return text != nullptr && !latin.CoversAll(text) ? ChineseButtonFont() : GetButtonFont();
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
    CSelectionScope selectBrush(dc, brush.Get());
    CSelectionScope selectPen(dc, pen.Get());
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

} // namespace widgets
