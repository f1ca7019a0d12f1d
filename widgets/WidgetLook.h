// The program's look shared by the owner-drawn controls: white faces, green
// accents, an 18-pixel semibold button font, and small drawing helpers.
#pragma once

#include <afxwin.h>

namespace widgets {

constexpr COLORREF kLookGreen = RGB(34, 160, 84);
constexpr COLORREF kLookDarkGreen = RGB(18, 112, 56);
constexpr COLORREF kLookLightGreen = RGB(226, 244, 232);
constexpr COLORREF kLookWhite = RGB(255, 255, 255);
constexpr COLORREF kLookBorderGrey = RGB(186, 198, 192);
constexpr COLORREF kLookDisabled = RGB(168, 172, 170);
constexpr COLORREF kLookText = RGB(36, 44, 40);
constexpr COLORREF kLookMagentaKey = RGB(255, 0, 255);

// Fonts shared by every control of the process; they live until exit.
HFONT GetButtonFont(); // 18-pixel semibold
// The button font for a text: the 18-pixel semibold font, or, for a text with a
// character that font has no glyph of (Chinese), the same size and weight in a
// Chinese face, so that no character draws as an empty box.
HFONT GetButtonFontFor(const wchar_t* text);
HFONT GetTextFont();   // the plain dialog text font

// Mixes b into a: 0 keeps a, 100 gives b.
COLORREF BlendColour(COLORREF a, COLORREF b, int percentOfB);

// Paints what the parent shows behind the child (its erase background) into dc,
// so controls with rounded or transparent parts blend into any page.
void PaintParentBackground(HWND child, HDC dc);

// A filled rounded rectangle with a one-pixel border.
void FillRoundRect(HDC dc, const RECT& rect, int radius, COLORREF fill, COLORREF border);

// The size of a bitmap; 0 x 0 for none.
SIZE GetBitmapSize(HBITMAP bitmap);

} // namespace widgets
