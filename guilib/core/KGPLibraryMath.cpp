#include "guilib/core/KGPLibraryMath.h"

#include <algorithm>
#include <cwchar>

namespace kgp {

namespace {

int Clamp255(int value) { return std::clamp(value, 0, 255); }

int Mix(int from, int to, int weight) { return (from * (255 - weight) + to * weight) / 255; }

std::uint32_t Argb(int a, int r, int g, int b)
{
    return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(r) << 16) |
           (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

} // namespace

Colour BlendColours(Colour from, Colour to, int weight)
{
    weight = Clamp255(weight);
    return MakeColour(Mix(Red(from), Red(to), weight), Mix(Green(from), Green(to), weight),
                      Mix(Blue(from), Blue(to), weight));
}

Colour ScaleColour(Colour colour, int percent)
{
    percent = std::max(percent, 0);
    return MakeColour(Clamp255(Red(colour) * percent / 100), Clamp255(Green(colour) * percent / 100),
                      Clamp255(Blue(colour) * percent / 100));
}

Colour HighlightColour(Colour colour, int percent)
{
    if (percent <= 100) {
        return ScaleColour(colour, percent);
    }
    return BlendColours(colour, MakeColour(255, 255, 255), Clamp255((percent - 100) * 255 / 100));
}

Colour GreyOf(Colour colour)
{
    const int grey = (Red(colour) * 30 + Green(colour) * 59 + Blue(colour) * 11) / 100;
    return MakeColour(grey, grey, grey);
}

std::uint32_t PalePixel(std::uint32_t argb, int percent)
{
    const int a = static_cast<int>(argb >> 24);
    const int weight = Clamp255(percent * 255 / 100);
    // Premultiplied: white at this pixel's alpha is (a, a, a).
    return Argb(a, Mix(static_cast<int>((argb >> 16) & 0xFF), a, weight),
                Mix(static_cast<int>((argb >> 8) & 0xFF), a, weight), Mix(static_cast<int>(argb & 0xFF), a, weight));
}

std::uint32_t DisabledPixel(std::uint32_t argb)
{
    const int a = static_cast<int>(argb >> 24);
    const Colour grey = GreyOf(MakeColour(static_cast<int>(argb & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                                          static_cast<int>((argb >> 16) & 0xFF)));
    const int level = Mix(Red(grey), a, 128);
    return Argb(a, level, level, level);
}

std::uint32_t ShadowPixel(std::uint32_t argb)
{
    const int a = static_cast<int>(argb >> 24) / 3;
    const int level = a * 96 / 255;
    return Argb(a, level, level, level);
}

int PackDataVersion(int major, int minor)
{
    if (major < 0 || minor < 0) {
        return -1;
    }
    // A one-digit minor is its own tens digit: 6.2 packs as 0x60200, above 6.15.
    if (minor < 10) {
        return (major << 16) + (minor << 8);
    }
    return (major << 16) + (((minor / 10) % 10) << 8) + ((minor % 10) << 4);
}

std::wstring LibraryRegistryPath(const std::wstring& registryKey, const std::wstring& appProfileName,
                                 const std::wstring& section, const std::wstring& profileName)
{
    if (!profileName.empty()) {
        return profileName;
    }
    std::wstring path = L"SOFTWARE\\";
    if (!registryKey.empty()) {
        path += registryKey + L"\\";
    }
    return path + appProfileName + L"\\" + section + L"\\";
}

std::wstring LibraryWindowClassName(const std::wstring& prefix, std::uintptr_t module, unsigned style,
                                    std::uintptr_t cursor, std::uintptr_t brush)
{
    wchar_t values[96];
    std::swprintf(values, sizeof(values) / sizeof(values[0]), L":%llx:%x:%llx:%llx",
                  static_cast<unsigned long long>(module), style, static_cast<unsigned long long>(cursor),
                  static_cast<unsigned long long>(brush));
    return prefix + values;
}

} // namespace kgp
