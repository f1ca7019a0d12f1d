// Byte-level handling of text in an ANSI code page: cutting to a byte limit
// without splitting a double-byte character, and upper-casing that leaves the
// trail bytes of double-byte characters alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace keyloft::style {

class CodePage {
public:
    explicit constexpr CodePage(unsigned id) : id_(id) {}
    static constexpr CodePage SingleByte() { return CodePage(1252); }

    unsigned Id() const { return id_; }
    // True for the first byte of a two-byte character (936, 949, 950 and 932 only).
    bool IsLeadByte(std::uint8_t byte) const;

private:
    unsigned id_;
};

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a character boundary.
std::string CutAnsi(std::string_view text, std::size_t maxBytes, const CodePage& codePage);

// ASCII letters upper-cased; bytes of double-byte characters kept as they are.
std::string UpperAnsi(std::string_view text, const CodePage& codePage);

}  // namespace keyloft::style
