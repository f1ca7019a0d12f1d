#include "tests/guilib_state/StoredStateMutator.h"

#include <algorithm>
#include <cstring>

namespace stored_state_test {

namespace {

// Classes a swapped class record may name: serialisable classes of the layer,
// the library and the test, and names no class has.
const char* const kClassNames[] = {"CKGPToolbarButton", "CKGPToolBar",    "CCmdUsageCount", "CObList",
                                   "CObArray",          "CStringList",    "CMapStringToOb", "CByteArray",
                                   "CCountedButton",    "CKGPToolbarButtoX", "NoSuchClass",  "C"};

const DWORD kEdgeNumbers[] = {0,          1,          2,          0x7F,       0x80,       0xFF,
                              0x7FFF,     0x8000,     0xFFFE,     0xFFFF,     0x10000,    0x1000,
                              0x2000,     0x3000,     0x4000,     0x7FFFFFFF, 0x80000000, 0x40000000,
                              0xFFFFFFFE, 0xFFFFFFFF};

WORD WordAt(const std::vector<BYTE>& bytes, size_t at)
{
    return static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8));
}

void PutWord(std::vector<BYTE>& bytes, size_t at, WORD value)
{
    bytes[at] = static_cast<BYTE>(value);
    bytes[at + 1] = static_cast<BYTE>(value >> 8);
}

bool IsNameChar(BYTE c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Where a class record starts (0xFFFF, schema, name length, the name).
std::vector<size_t> ClassRecords(const std::vector<BYTE>& bytes)
{
    std::vector<size_t> found;
    for (size_t at = 0; at + 6 <= bytes.size(); ++at) {
        if (WordAt(bytes, at) != 0xFFFF)
            continue;
        const size_t length = WordAt(bytes, at + 4);
        if (length == 0 || length > 64 || at + 6 + length > bytes.size())
            continue;
        if (std::all_of(bytes.begin() + at + 6, bytes.begin() + at + 6 + length, IsNameChar))
            found.push_back(at);
    }
    return found;
}

// Tags naming a class read before (0x8000 | small index), after the first record.
std::vector<size_t> ClassReferences(const std::vector<BYTE>& bytes, size_t from)
{
    std::vector<size_t> found;
    for (size_t at = from; at + 2 <= bytes.size(); ++at) {
        const WORD tag = WordAt(bytes, at);
        if (tag > 0x8000 && tag < 0x8010)
            found.push_back(at);
    }
    return found;
}

// The length byte after a wide-string marker (0xFF, then the WORD 0xFFFE).
std::vector<size_t> StringLengths(const std::vector<BYTE>& bytes)
{
    std::vector<size_t> found;
    for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
        if (bytes[at] == 0xFF && bytes[at + 1] == 0xFE && bytes[at + 2] == 0xFF)
            found.push_back(at + 3);
    }
    return found;
}

} // namespace

StoredForm StoredStateMutator::Mutate(const StoredForm& form, std::string& done)
{
    StoredForm copy = form;
    done.clear();
    const int damages = Below(4) == 0 ? 2 : 1;
    for (int i = 0; i < damages && !copy.empty(); ++i) {
        // Archives (long binary values) hold most of the structure: damaged more often.
        std::vector<size_t> weighted;
        for (size_t v = 0; v < copy.size(); ++v) {
            const bool archive = copy[v].type == REG_BINARY && copy[v].bytes.size() > 16;
            weighted.insert(weighted.end(), archive ? 4 : 1, v);
        }
        const size_t index = weighted[Below(weighted.size())];
        StoredValue& value = copy[index];
        done += std::string(value.name.begin(), value.name.end()) + ": ";
        if (!value.key.empty() && Below(12) == 0) {
            done += "dropped; ";
            copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(index));
            continue;
        }
        if (value.type == REG_BINARY && value.bytes.size() > 16)
            MutateArchive(value.bytes, done);
        else
            MutateNumber(value, done);
        done += "; ";
    }
    return copy;
}

void StoredStateMutator::MutateArchive(std::vector<BYTE>& bytes, std::string& done)
{
    const std::vector<size_t> records = ClassRecords(bytes);
    switch (Below(10)) {
    case 0: { // bytes flipped
        const size_t flips = 1 + Below(3);
        for (size_t i = 0; i < flips; ++i)
            bytes[Below(bytes.size())] ^= static_cast<BYTE>(1 + Below(255));
        done += "bytes flipped";
        return;
    }
    case 1: // cut short
        bytes.resize(Below(bytes.size()));
        done += "cut to " + std::to_string(bytes.size());
        return;
    case 2: { // a list's count (the WORD before its first class record)
        if (records.empty() || records.front() < 2)
            break;
        const size_t at = records[Below(records.size())] - 2;
        if (at + 2 > bytes.size())
            break;
        const WORD count = WordAt(bytes, at);
        const WORD counts[] = {0, 1, static_cast<WORD>(count - 1), static_cast<WORD>(count + 1),
                               static_cast<WORD>(count + 2), 0x7FFF, 0xFFFE, 0xFFFF};
        PutWord(bytes, at, Pick(counts));
        done += "count changed";
        return;
    }
    case 3: { // a string's length
        const std::vector<size_t> lengths = StringLengths(bytes);
        if (lengths.empty())
            break;
        const size_t at = lengths[Below(lengths.size())];
        const BYTE values[] = {0, static_cast<BYTE>(bytes[at] + 1), static_cast<BYTE>(bytes[at] - 1), 0x7F, 0xFE, 0xFF};
        bytes[at] = Pick(values);
        done += "string length changed";
        return;
    }
    case 4: { // a class record names another class (or a class name's length is wrong)
        if (records.empty())
            break;
        const size_t at = records[Below(records.size())];
        const size_t oldLength = WordAt(bytes, at + 4);
        if (Below(5) == 0) {
            const WORD lengths[] = {0, 65, static_cast<WORD>(oldLength + 1), static_cast<WORD>(oldLength - 1)};
            PutWord(bytes, at + 4, Pick(lengths));
            done += "class name length changed";
            return;
        }
        const char* name = Pick(kClassNames);
        const size_t newLength = std::strlen(name);
        bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at + 6),
                    bytes.begin() + static_cast<std::ptrdiff_t>(at + 6 + oldLength));
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at + 6), name, name + newLength);
        PutWord(bytes, at + 4, static_cast<WORD>(newLength));
        done += std::string("class swapped for ") + name;
        return;
    }
    case 5: { // an object read again: a back reference where a new object of a known class stood
        if (records.empty())
            break;
        const std::vector<size_t> references = ClassReferences(bytes, records.front() + 6);
        if (references.empty())
            break;
        PutWord(bytes, references[Below(references.size())], static_cast<WORD>(1 + Below(6)));
        done += "back reference repeated";
        return;
    }
    case 6: { // a slice repeated: the objects in it stored twice
        const size_t from = Below(bytes.size());
        const size_t length = 1 + Below(std::min<size_t>(64, bytes.size() - from));
        const std::vector<BYTE> slice(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                      bytes.begin() + static_cast<std::ptrdiff_t>(from + length));
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(from + length), slice.begin(), slice.end());
        done += "slice repeated";
        return;
    }
    case 7: { // bytes inserted
        const size_t at = Below(bytes.size() + 1);
        const size_t count = 1 + Below(8);
        std::vector<BYTE> inserted(count);
        for (BYTE& b : inserted)
            b = static_cast<BYTE>(Below(256));
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), inserted.begin(), inserted.end());
        done += "bytes inserted";
        return;
    }
    case 8: { // a sound-looking head (a number early on changed) before a damaged tail
        const size_t at = Below(std::min<size_t>(16, bytes.size() - 4));
        const DWORD number = Pick(kEdgeNumbers);
        std::memcpy(bytes.data() + at, &number, sizeof(number));
        bytes.resize(at + 4 + Below(bytes.size() - at - 4));
        done += "head " + std::to_string(number) + " at " + std::to_string(at) + ", cut to " +
                std::to_string(bytes.size());
        return;
    }
    default:
        break;
    }
    // A number at its edge, anywhere.
    const size_t at = Below(bytes.size() - 3);
    const DWORD number = Pick(kEdgeNumbers);
    std::memcpy(bytes.data() + at, &number, sizeof(number));
    done += "number " + std::to_string(number) + " at " + std::to_string(at);
}

void StoredStateMutator::MutateNumber(StoredValue& value, std::string& done)
{
    switch (Below(5)) {
    case 0: // of another kind
        value.type = value.type == REG_DWORD ? REG_BINARY : (value.type == REG_SZ ? REG_DWORD : REG_SZ);
        done += "kind changed";
        return;
    case 1: // one byte more or fewer
        if (value.bytes.empty() || Below(2) == 0)
            value.bytes.push_back(static_cast<BYTE>(Below(256)));
        else
            value.bytes.pop_back();
        done += "size changed";
        return;
    default:
        break;
    }
    if (value.bytes.size() < 4) {
        value.bytes.assign(4, 0xFF);
        done += "filled";
        return;
    }
    const DWORD number = Pick(kEdgeNumbers);
    const size_t at = (Below(value.bytes.size() / 4)) * 4;
    std::memcpy(value.bytes.data() + at, &number, sizeof(number));
    done += "number " + std::to_string(number);
}

} // namespace stored_state_test
