#include "core/portable/style/AnsiText.h"

namespace keyloft::style {

bool CodePage::IsLeadByte(std::uint8_t byte) const {
    switch (id_) {
    case 936:  // Simplified Chinese
    case 949:  // Korean
    case 950:  // Traditional Chinese
        return byte >= 0x81 && byte <= 0xFE;
    case 932:  // Japanese
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    default:
        return false;
    }
}

std::string CutAnsi(std::string_view text, std::size_t maxBytes, const CodePage& codePage) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width =
            codePage.IsLeadByte(static_cast<std::uint8_t>(text[end])) && end + 1 < text.size() ? 2 : 1;
        if (end + width > maxBytes) {
            break;
        }
        end += width;
    }
    return std::string(text.substr(0, end));
}

std::string UpperAnsi(std::string_view text, const CodePage& codePage) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(out[i]);
        if (codePage.IsLeadByte(byte)) {
            ++i;  // skip the trail byte, which may look like an ASCII letter
        } else if (byte >= 'a' && byte <= 'z') {
            out[i] = static_cast<char>(byte - 'a' + 'A');
        }
    }
    return out;
}

}  // namespace keyloft::style
