#include "guilib/menus/KGPMenuRules.h"

#include <algorithm>

namespace kgp {

namespace {
constexpr wchar_t kMark = 1;
// Ids are command ids: at most 5 decimal digits.
constexpr std::size_t kMaxDigits = 5;
}  // namespace

std::wstring MarkTearOffText(std::uint32_t id, const std::wstring& text)
{
    std::wstring marked(1, kMark);
    marked.append(std::to_wstring(id));
    marked.push_back(kMark);
    marked.append(text);
    return marked;
}

std::uint32_t ParseTearOffText(std::wstring& text)
{
    if (text.empty() || text[0] != kMark)
        return 0;
    const std::size_t last = text.rfind(kMark);
    if (last == 0)
        return 0;
    const std::size_t digitsEnd = text.find(kMark, 1);
    const std::wstring digits = text.substr(1, digitsEnd - 1);
    if (digits.empty() || digits.size() > kMaxDigits ||
        !std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return 0;
    const std::uint32_t id = static_cast<std::uint32_t>(std::stoul(digits));
    text.erase(0, last + 1);
    return id;
}

std::uint32_t LowestFreeId(std::uint32_t first, std::uint32_t last, const std::vector<std::uint32_t>& used)
{
    if (first == 0 || last < first)
        return 0;
    for (std::uint64_t id = first; id <= last; ++id) {
        if (std::find(used.begin(), used.end(), static_cast<std::uint32_t>(id)) == used.end())
            return static_cast<std::uint32_t>(id);
    }
    return 0;
}

std::wstring JoinKeyTexts(const std::vector<std::wstring>& keys)
{
    std::wstring joined;
    for (const std::wstring& key : keys) {
        if (!joined.empty())
            joined += L"; ";
        joined += key;
    }
    return joined;
}

}  // namespace kgp
