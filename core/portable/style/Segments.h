// The style segments: their numbering, names, case-insensitive look-up and the
// 19 slots of per-segment crash-note and velocity defaults.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "core/portable/style/AnsiText.h"

namespace keyloft::style {

enum ESegment : int {
    SegSff1 = 1,
    SegSint = 2,
    SegIntroA = 3, SegIntroB, SegIntroC,
    SegMainA = 6, SegMainB, SegMainC, SegMainD,
    SegFillInAA = 10, SegFillInBB, SegFillInCC, SegFillInDD,
    SegEndingA = 14, SegEndingB, SegEndingC,
    SegFillInAB = 17, SegFillInAC, SegFillInAD, SegFillInBA, SegFillInBC, SegFillInBD,
    SegFillInCA, SegFillInCB, SegFillInCD, SegFillInDA, SegFillInDB, SegFillInDC = 28,
    SegNone = 29,  // the result of a failed look-up
};

struct SegmentInfo {
    ESegment segment;
    unsigned stringId;  // the string-table entry that holds the name
    const char* name;   // the built-in (upper-case) name
};

// The 28 segments in numbering order.
std::span<const SegmentInfo> SegmentTable();

inline constexpr int DefaultSlotCount = 19;
// Slot 0..18 of a segment's crash-note and velocity defaults, or -1 (mains, endings, SINT).
int DefaultSlotOf(int segment);
int SegmentOfDefaultSlot(int slot);

// Upper-case name -> segment. Built from the built-in names or from texts the
// program loads from its string table; look-ups upper-case the query.
class SegmentNameMap {
public:
    static const SegmentNameMap& BuiltIn();

    void Add(std::string_view name, int segment, const CodePage& codePage = CodePage::SingleByte());
    // The name trimmed (TrimSegmentName) and upper-cased; SegNone when absent.
    int Lookup(std::string_view name) const;
    int LookupAnsi(std::string_view ansiName, const CodePage& codePage) const;
    std::string NameOf(int segment) const;                         // empty when absent

private:
    std::map<std::string, int> byName_;
};

// A name as written in a source (a marker text, a profile value) without the
// blanks, tabs and NULs around it: look-ups compare what is left.
std::string TrimSegmentName(std::string_view text);

// Narrow look-up on the built-in names (marker texts of a MIDI source are ANSI bytes).
int GetSegmentByNameA(std::string_view name, const CodePage& codePage = CodePage::SingleByte());
std::string GetSegmentNameA(int segment);

}  // namespace keyloft::style
