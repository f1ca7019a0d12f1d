#include "core/portable/style/Segments.h"

#include <array>

namespace keyloft::style {
namespace {

constexpr std::array<SegmentInfo, 28> kSegments = {{
    {SegSff1, 1199, "SFF1"},           {SegSint, 1159, "SINT"},
    {SegIntroA, 1160, "INTRO A"},      {SegIntroB, 1200, "INTRO B"},
    {SegIntroC, 1201, "INTRO C"},      {SegMainA, 1161, "MAIN A"},
    {SegMainB, 1162, "MAIN B"},        {SegMainC, 1202, "MAIN C"},
    {SegMainD, 1203, "MAIN D"},        {SegFillInAA, 1163, "FILL IN AA"},
    {SegFillInBB, 1164, "FILL IN BB"}, {SegFillInCC, 1204, "FILL IN CC"},
    {SegFillInDD, 1205, "FILL IN DD"}, {SegEndingA, 1165, "ENDING A"},
    {SegEndingB, 1206, "ENDING B"},    {SegEndingC, 1207, "ENDING C"},
    {SegFillInAB, 1208, "FILL IN AB"}, {SegFillInAC, 1209, "FILL IN AC"},
    {SegFillInAD, 1210, "FILL IN AD"}, {SegFillInBA, 1211, "FILL IN BA"},
    {SegFillInBC, 1212, "FILL IN BC"}, {SegFillInBD, 1213, "FILL IN BD"},
    {SegFillInCA, 1214, "FILL IN CA"}, {SegFillInCB, 1215, "FILL IN CB"},
    {SegFillInCD, 1216, "FILL IN CD"}, {SegFillInDA, 1217, "FILL IN DA"},
    {SegFillInDB, 1218, "FILL IN DB"}, {SegFillInDC, 1219, "FILL IN DC"},
}};

}  // namespace

std::span<const SegmentInfo> SegmentTable() { return kSegments; }

int DefaultSlotOf(int segment) {
    if (segment >= SegIntroA && segment <= SegIntroC) {
        return segment - SegIntroA;  // 0..2
    }
    if (segment >= SegFillInAA && segment <= SegFillInDD) {
        return 3 + segment - SegFillInAA;  // 3..6
    }
    if (segment >= SegFillInAB && segment <= SegFillInDC) {
        return 7 + segment - SegFillInAB;  // 7..18
    }
    return -1;
}

int SegmentOfDefaultSlot(int slot) {
    if (slot < 0 || slot >= DefaultSlotCount) {
        return SegNone;
    }
    if (slot < 3) {
        return SegIntroA + slot;
    }
    if (slot < 7) {
        return SegFillInAA + slot - 3;
    }
    return SegFillInAB + slot - 7;
}

const SegmentNameMap& SegmentNameMap::BuiltIn() {
    static const SegmentNameMap map = [] {
        SegmentNameMap built;
        for (const SegmentInfo& info : kSegments) {
            built.Add(info.name, info.segment);
        }
        return built;
    }();
    return map;
}

void SegmentNameMap::Add(std::string_view name, int segment, const CodePage& codePage) {
    byName_[UpperAnsi(name, codePage)] = segment;
}

int SegmentNameMap::Lookup(std::string_view name) const {
    return LookupAnsi(name, CodePage::SingleByte());
}

std::string TrimSegmentName(std::string_view text) {
    constexpr std::string_view padding(" \t\0", 3);
    const std::size_t first = text.find_first_not_of(padding);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(padding);
    return std::string(text.substr(first, last - first + 1));
}

int SegmentNameMap::LookupAnsi(std::string_view ansiName, const CodePage& codePage) const {
    const auto it = byName_.find(UpperAnsi(TrimSegmentName(ansiName), codePage));
    return it == byName_.end() ? SegNone : it->second;
}

std::string SegmentNameMap::NameOf(int segment) const {
    for (const auto& [name, value] : byName_) {
        if (value == segment) {
            return name;
        }
    }
    return {};
}

int GetSegmentByNameA(std::string_view name, const CodePage& codePage) {
    return SegmentNameMap::BuiltIn().LookupAnsi(name, codePage);
}

std::string GetSegmentNameA(int segment) { return SegmentNameMap::BuiltIn().NameOf(segment); }

}  // namespace keyloft::style
