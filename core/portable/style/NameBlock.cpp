#include "core/portable/style/NameBlock.h"

namespace keyloft::style {

std::array<std::string, 4> CutNames(const std::array<std::string, 4>& names, const CodePage& codePage) {
    std::array<std::string, 4> cut;
    for (std::size_t i = 0; i < names.size(); ++i) {
        cut[i] = CutAnsi(names[i], NameLimits[i], codePage);
    }
    return cut;
}

std::size_t NameBlockSize(const std::array<std::string, 4>& names, const CodePage& codePage) {
    std::size_t sum = 0;
    for (const std::string& name : CutNames(names, codePage)) {
        sum += name.size();
    }
    return (sum + 5 + 1) & ~std::size_t{1};
}

std::vector<std::uint8_t> BuildNameBlock(const std::array<std::string, 4>& names, const CodePage& codePage) {
    const auto cut = CutNames(names, codePage);
    std::vector<std::uint8_t> block;
    std::size_t sum = 0;
    for (const std::string& name : cut) {
        block.push_back(static_cast<std::uint8_t>(name.size()));
        sum += name.size();
    }
    for (const std::string& name : cut) {
        block.insert(block.end(), name.begin(), name.end());
    }
    block.push_back(0xFF);
    if (sum % 2 == 0) {
        block.push_back(0x00);
    }
    return block;
}

}  // namespace keyloft::style
