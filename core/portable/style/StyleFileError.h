// Why a style file, or a block of one, could not be built or read. The pure
// readers and writers return one of these; the user interface maps each to a
// message of its string table.
#pragma once

namespace keyloft::style {

enum class StyleFileError {
    None,
    NoSource,             // the wizard holds no usable source (neither MIDI nor style)
    SameSourceAndTarget,  // a rewrite's target is its own source (checked by the caller on paths)
    SourceUnreadable,     // the source file could not be opened or read (checked by the caller)
    SourceNotMidi,        // the MIDI reader refused the source; the detail says where
    SourceUnusable,       // a readable MIDI source without a usable part; the detail says why
    SourceNotStyle,       // the source does not begin with the style mark
    SourceDamaged,        // the source's head, name block or offsets do not fit its body
    TooLarge,             // the result would exceed 65,536 bytes (or a 16-bit word offset)
    NotEnoughMemory,      // the memory to build the result could not be had
};

// A short English description (for logs and for the detail of a refusal).
const char* DescribeStyleFileError(StyleFileError error);

}  // namespace keyloft::style
