#include "tests/guilib_state/StoredStateMutator.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>

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

// The class record at `at` names `name` instead.
void SwapClassName(std::vector<BYTE>& bytes, size_t at, const char* name)
{
    const size_t oldLength = WordAt(bytes, at + 4);
    const size_t newLength = std::strlen(name);
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at + 6),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + 6 + oldLength));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at + 6), name, name + newLength);
    PutWord(bytes, at + 4, static_cast<WORD>(newLength));
}

// Where an archive is cut: at its start, at and just inside each mark (a
// class record's tag, schema, name length and name end; a list count; a
// string's marker, length and text; a class reference), in its last bytes,
// and at even steps between, so that each field is cut off somewhere.
std::vector<size_t> CutPlaces(const std::vector<BYTE>& bytes)
{
    std::vector<size_t> cuts = {0, 1, 2, 4};
    const std::vector<size_t> records = ClassRecords(bytes);
    for (const size_t at : records) {
        for (const size_t offset : {0, 2, 4, 6, 7})
            cuts.push_back(at + offset);
        cuts.push_back(at + 6 + WordAt(bytes, at + 4)); // just after the name
        if (at >= 2)
            cuts.push_back(at - 1); // inside the count before it
    }
    for (const size_t at : StringLengths(bytes)) {
        cuts.push_back(at - 2);
        cuts.push_back(at);
        cuts.push_back(at + 2); // inside the text
    }
    if (!records.empty()) {
        for (const size_t at : ClassReferences(bytes, records.front() + 6)) {
            cuts.push_back(at);
            cuts.push_back(at + 1);
        }
    }
    for (const size_t back : {1, 2, 3, 4, 8})
        cuts.push_back(bytes.size() - std::min(back, bytes.size()));
    const size_t step = std::max<size_t>(1, bytes.size() / 16);
    for (size_t at = step; at < bytes.size(); at += step)
        cuts.push_back(at);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    cuts.erase(std::remove_if(cuts.begin(), cuts.end(), [&](size_t at) { return at >= bytes.size(); }), cuts.end());
    return cuts;
}

// The damaged copies of one archive, each with what was done.
void ArchiveDamages(const std::vector<BYTE>& bytes, const std::function<void(std::vector<BYTE>, std::string)>& add)
{
    for (const size_t at : CutPlaces(bytes))
        add(std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at)),
            "cut to " + std::to_string(at));
    const std::vector<size_t> records = ClassRecords(bytes);
    size_t swap = 0;
    for (const size_t at : records) {
        const std::string where = " at " + std::to_string(at);
        if (at >= 2) {
            const WORD count = WordAt(bytes, at - 2);
            for (const WORD changed : {WORD(0), WORD(count - 1), WORD(count + 1), WORD(0xFFFF)}) {
                std::vector<BYTE> copy = bytes;
                PutWord(copy, at - 2, changed);
                add(std::move(copy), "count " + std::to_string(changed) + " before" + where);
            }
        }
        const WORD length = WordAt(bytes, at + 4);
        for (const WORD changed : {WORD(0), WORD(length + 1), WORD(65)}) {
            std::vector<BYTE> copy = bytes;
            PutWord(copy, at + 4, changed);
            add(std::move(copy), "class name length " + std::to_string(changed) + where);
        }
        // Another class of the table each time, and a name no class has.
        for (const char* name : {kClassNames[swap++ % (std::size(kClassNames) - 2)], "NoSuchClass"}) {
            std::vector<BYTE> copy = bytes;
            SwapClassName(copy, at, name);
            add(std::move(copy), std::string("class swapped for ") + name + where);
        }
    }
    if (!records.empty()) {
        for (const size_t at : ClassReferences(bytes, records.front() + 6)) {
            std::vector<BYTE> copy = bytes;
            PutWord(copy, at, 1);
            add(std::move(copy), "back reference repeated at " + std::to_string(at));
        }
    }
    for (const size_t at : StringLengths(bytes)) {
        for (const BYTE changed : {BYTE(0), BYTE(bytes[at] + 1), BYTE(bytes[at] - 1), BYTE(0xFF)}) {
            std::vector<BYTE> copy = bytes;
            copy[at] = changed;
            add(std::move(copy), "string length " + std::to_string(changed) + " at " + std::to_string(at));
        }
    }
    // The head: the numbers an archive starts with (versions, counts, flags).
    for (size_t at = 0; at + 4 <= std::min<size_t>(bytes.size(), 16); at += 4) {
        for (const DWORD number : {DWORD(0xFFFF), DWORD(0x80000000), DWORD(0xFFFFFFFF)}) {
            std::vector<BYTE> copy = bytes;
            std::memcpy(copy.data() + at, &number, sizeof(number));
            add(std::move(copy), "head " + std::to_string(number) + " at " + std::to_string(at));
        }
    }
}

// The damaged copies of a value that is no archive: a number, a flag, a short text.
void ValueDamages(const StoredValue& value, const std::function<void(StoredValue, std::string)>& add)
{
    StoredValue kind = value;
    kind.type = value.type == REG_DWORD ? REG_BINARY : (value.type == REG_SZ ? REG_DWORD : REG_SZ);
    add(std::move(kind), "kind changed");
    StoredValue longer = value;
    longer.bytes.push_back(0x5A);
    add(std::move(longer), "a byte more");
    if (!value.bytes.empty()) {
        StoredValue shorter = value;
        shorter.bytes.pop_back();
        add(std::move(shorter), "a byte fewer");
    }
    for (size_t at = 0; at + 4 <= std::min<size_t>(value.bytes.size(), 32); at += 4) {
        for (const DWORD number : {DWORD(0), DWORD(0x7FFFFFFF), DWORD(0x80000000), DWORD(0xFFFFFFFF)}) {
            StoredValue copy = value;
            std::memcpy(copy.bytes.data() + at, &number, sizeof(number));
            add(std::move(copy), "number " + std::to_string(number) + " at " + std::to_string(at));
        }
    }
}

} // namespace

std::vector<DamagedForm> SystematicDamages(const StoredForm& form)
{
    std::vector<DamagedForm> damaged;
    for (size_t v = 0; v < form.size(); ++v) {
        const StoredValue& value = form[v];
        const std::string name(value.name.begin(), value.name.end());
        auto replaced = [&](StoredValue changed, const std::string& done) {
            StoredForm copy = form;
            copy[v] = std::move(changed);
            damaged.push_back({std::move(copy), name + ": " + done});
        };
        if (!value.key.empty()) {
            StoredForm copy = form;
            copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(v));
            damaged.push_back({std::move(copy), name + ": dropped"});
        }
        if (value.type == REG_BINARY && value.bytes.size() > 16) {
            ArchiveDamages(value.bytes, [&](std::vector<BYTE> bytes, const std::string& done) {
                StoredValue copy = value;
                copy.bytes = std::move(bytes);
                replaced(std::move(copy), done);
            });
        } else {
            ValueDamages(value, replaced);
        }
    }
    return damaged;
}

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
        SwapClassName(bytes, at, name);
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
