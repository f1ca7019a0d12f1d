#include "core/portable/style/StyleFileError.h"

namespace keyloft::style {

const char* DescribeStyleFileError(StyleFileError error) {
    switch (error) {
    case StyleFileError::None: return "done";
    case StyleFileError::NoSource: return "no usable source";
    case StyleFileError::SameSourceAndTarget: return "the target is the source itself";
    case StyleFileError::SourceUnreadable: return "the source cannot be read";
    case StyleFileError::SourceNotMidi: return "the source is not a readable MIDI file";
    case StyleFileError::SourceUnusable: return "the source holds no usable style part";
    case StyleFileError::SourceNotStyle: return "the source is not a style file";
    case StyleFileError::SourceDamaged: return "the source style is damaged";
    case StyleFileError::TooLarge: return "the style would exceed 65,536 bytes";
    case StyleFileError::NotEnoughMemory: return "there is not enough memory to build the style";
    }
    return "unknown";
}

}  // namespace keyloft::style
