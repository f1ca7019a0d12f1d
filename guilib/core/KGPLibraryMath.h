// The library's pure arithmetic: colour blending and scaling, pale and
// grey image pixels, stored-state version packing, registry paths and
// window-class names. No Windows header: tested without a window.
#pragma once

#include <cstdint>
#include <string>

namespace kgp {

// Colours as 0x00BBGGRR, the layout of a COLORREF.
using Colour = std::uint32_t;

constexpr Colour MakeColour(int r, int g, int b)
{
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int Red(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// weight 0 gives `from`, 255 gives `to`.
Colour BlendColours(Colour from, Colour to, int weight);
// Each component times percent / 100, clamped to 0..255.
Colour ScaleColour(Colour colour, int percent);
// Percent above 100 lightens towards white by (percent - 100)%, below 100
// darkens as ScaleColour; 100 keeps the colour.
Colour HighlightColour(Colour colour, int percent);
// The grey of the same brightness.
Colour GreyOf(Colour colour);

// Pixels of an image strip as 0xAARRGGBB (premultiplied alpha, the layout of
// a 32-bit DIB). Pale copy: each colour moved towards white by percent.
std::uint32_t PalePixel(std::uint32_t argb, int percent);
// Disabled copy: the pixel's grey, lightened, at its own alpha.
std::uint32_t DisabledPixel(std::uint32_t argb);
// Shadow copy: a dark grey silhouette at a third of the pixel's alpha.
std::uint32_t ShadowPixel(std::uint32_t argb);

// (major << 16) + (tens digit of minor << 8) + (units digit of minor << 4),
// a one-digit minor counting as the tens digit ((major << 16) + (minor << 8));
// -1 when the version is unset (major or minor < 0).
int PackDataVersion(int major, int minor);

// The library's registry path for a section: the profile name when not empty,
// else "SOFTWARE\" + key + "\" (only when the key is not empty) + the
// application's profile name + "\" + section + "\".
std::wstring LibraryRegistryPath(const std::wstring& registryKey, const std::wstring& appProfileName,
                                 const std::wstring& section, const std::wstring& profileName);

// "%s:%x:%x:%x:%x" from the prefix, module, class style, cursor and brush.
std::wstring LibraryWindowClassName(const std::wstring& prefix, std::uintptr_t module, unsigned style,
                                    std::uintptr_t cursor, std::uintptr_t brush);

} // namespace kgp
