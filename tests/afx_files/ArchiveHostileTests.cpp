// Loading damaged and hostile archives: every case must end in a
// CArchiveException (never a crash, a hang or a huge allocation), and objects
// made before the failure must not leak.
#include "ArchiveTestClasses.h"
#include "TestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <memory>
#include <random>
#include <set>

#include <gtest/gtest.h>

using afx_files_test::AllocationWatch;
using afx_files_test::CauseOfThrow;
using afx_files_test::TempFolder;
using afx_files_test::WriteBytes;
using keyloft_test::Ascii;
using keyloft_test::Concat;
using keyloft_test::StoredBytes;

namespace {

// No single allocation made while loading a small stream may exceed this.
constexpr size_t kModestAllocation = 1 << 20;

// Loads from the bytes and answers the archive exception's cause (-1: none).
template <class F>
int LoadCause(const std::vector<BYTE>& bytes, F&& load)
{
    keyloft_test::LoadingArchive loading(bytes);
    CArchive& ar = loading.Archive();
    return CauseOfThrow<CArchiveException>([&] { load(ar); });
}

int ObjectCause(const std::vector<BYTE>& bytes, const CRuntimeClass* expected = RUNTIME_CLASS(CObject))
{
    return LoadCause(bytes, [&](CArchive& ar) {
        std::unique_ptr<CObject> owner(ar.ReadObject(expected));
    });
}

int StringCause(const std::vector<BYTE>& bytes)
{
    return LoadCause(bytes, [](CArchive& ar) {
        CString text;
        ar >> text;
    });
}

} // namespace

TEST(ArchiveHostile, HugeStringLengthsInTinyFiles)
{
    AllocationWatch watch;
    // Length 0xFFFFFFFF through the QWORD form, in a 20-byte file on disk.
    TempFolder folder;
    const CString path = folder.File(L"huge.bin");
    std::vector<BYTE> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
    bytes.resize(20, 'x');
    WriteBytes(path, bytes);
    {
        CFile file(path, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CString text;
        EXPECT_EQ(CArchiveException::endOfFile, CauseOfThrow<CArchiveException>([&] { ar >> text; }));
        EXPECT_TRUE(text.IsEmpty());
    }
    // DWORD and WORD lengths, wide and narrow, one byte short of complete.
    EXPECT_EQ(CArchiveException::endOfFile, StringCause({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 'a', 'b'}));
    EXPECT_EQ(CArchiveException::endOfFile, StringCause({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(CArchiveException::endOfFile, StringCause({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c'}));
    EXPECT_EQ(CArchiveException::endOfFile, StringCause({0x05, 'a', 'b'}));
    CStringA narrow;
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x10, 'a'}, [&](CArchive& ar) { ar >> narrow; }));
    // Two Unicode markers are malformed.
    EXPECT_EQ(CArchiveException::genericException,
              StringCause({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 'a', 0}));
    EXPECT_LT(watch.LargestRequest(), kModestAllocation);
}

TEST(ArchiveHostile, HugeCountsInTinyFiles)
{
    AllocationWatch watch;
    // 2^31 elements claimed by a 10-byte stream.
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause({0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 1, 2, 3, 4}, [](CArchive& ar) { ar.ReadCount(); }));
    // The QWORD form.
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0},
                        [](CArchive& ar) { ar.ReadCount(); }));
    // A group claiming 60000 members with only a few bytes behind the count.
    const std::vector<BYTE> group = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Ascii("CGroup"), {0x60, 0xEA, 0, 0}});
    EXPECT_EQ(CArchiveException::endOfFile, ObjectCause(group));
    // A caller's own check of element size: 1000 rectangles need 16000 bytes.
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(std::vector<BYTE>(200, 0), [](CArchive& ar) {
                  ar.EnsureAvailable(1000ULL * 16);
              }));
    EXPECT_LT(watch.LargestRequest(), kModestAllocation);
}

TEST(ArchiveHostile, ClassNamesMustBeRegisteredSerialisableAndOfTheRightKind)
{
    // Unknown class.
    EXPECT_EQ(CArchiveException::badClass,
              ObjectCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}, Ascii("CUnknown"), {0, 0, 0, 0}})));
    // Registered but not serialisable (and not creatable).
    EXPECT_EQ(CArchiveException::badClass,
              ObjectCause(Concat({{0xFF, 0xFF, 0xFF, 0xFF, 0x05, 0x00}, Ascii("CFile")})));
    EXPECT_EQ(CArchiveException::badClass,
              ObjectCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00}, Ascii("CFile")})));
    // Serialisable, but not the class asked for.
    EXPECT_EQ(CArchiveException::badClass,
              ObjectCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, Ascii("CStranger"), {1, 0, 0, 0}}),
                          RUNTIME_CLASS(CShape)));
    // A base class where a derived one is asked for.
    EXPECT_EQ(CArchiveException::badClass,
              ObjectCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Ascii("CShape"), {1, 0, 0, 0, 0}}),
                          RUNTIME_CLASS(CCircle)));
    // Name lengths: empty, longer than any class name, cut short, with a zero inside.
    EXPECT_EQ(CArchiveException::badClass, ObjectCause({0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(CArchiveException::badClass, ObjectCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0xFF, 0xFF}, Ascii("CShape")})));
    EXPECT_EQ(CArchiveException::endOfFile, ObjectCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Ascii("CSh")})));
    EXPECT_EQ(CArchiveException::badClass,
              ObjectCause(Concat({{0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}, Ascii("CShape"), {0}, {1, 0, 0, 0, 0}})));
    // Wrong schema of a class that does not accept other versions.
    EXPECT_EQ(CArchiveException::badSchema,
              ObjectCause(Concat({{0xFF, 0xFF, 0x02, 0x00, 0x06, 0x00}, Ascii("CShape"), {1, 0, 0, 0, 0}})));
}

TEST(ArchiveHostile, IndicesMustReferToWhatWasReadBefore)
{
    // A class tag pointing past the class table.
    EXPECT_EQ(CArchiveException::badIndex, ObjectCause({0x05, 0x80, 0, 0, 0, 0}));
    EXPECT_EQ(CArchiveException::badIndex, ObjectCause({0x00, 0x80}));
    EXPECT_EQ(CArchiveException::badIndex, ObjectCause({0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}));
    // An object tag pointing forward.
    EXPECT_EQ(CArchiveException::badIndex, ObjectCause({0x03, 0x00}));
    EXPECT_EQ(CArchiveException::badIndex, ObjectCause({0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F}));

    const std::vector<BYTE> shapeRecord =
        Concat({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Ascii("CShape"), {1, 0, 0, 0, 0}});
    // An object tag naming the class entry (index 1), and a class tag naming the object (index 2).
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(Concat({shapeRecord, {0x01, 0x00}}), [](CArchive& ar) {
                  std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
                  std::unique_ptr<CObject> second(ar.ReadObject(nullptr));
              }));
    EXPECT_EQ(CArchiveException::badIndex,
              LoadCause(Concat({shapeRecord, {0x02, 0x80, 1, 0, 0, 0, 0}}), [](CArchive& ar) {
                  std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
                  std::unique_ptr<CObject> second(ar.ReadObject(nullptr));
              }));
    // A back reference to an object of the wrong kind.
    EXPECT_EQ(CArchiveException::badClass, LoadCause(Concat({shapeRecord, {0x02, 0x00}}), [](CArchive& ar) {
                  std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
                  std::unique_ptr<CObject> second(ar.ReadObject(RUNTIME_CLASS(CStranger)));
              }));
}

TEST(ArchiveHostile, SelfReferencesAndRepeatedKeysAreDamage)
{
    // An object met again while its own loading runs would end up holding itself.
    CGroup selfish;
    selfish.m_members = {&selfish};
    EXPECT_EQ(CArchiveException::badIndex, ObjectCause(StoredBytes([&](CArchive& ar) { ar << &selfish; })));

    // A key twice: refused before the second object is made, the first stays in the map.
    CShape first(1, L"first");
    CShape second(2, L"second");
    CMapStringToOb objects;
    EXPECT_EQ(CArchiveException::genericException,
              LoadCause(StoredBytes([&](CArchive& ar) {
                            ar.WriteCount(2);
                            ar << CString(L"a") << &first << CString(L"a") << &second;
                        }),
                        [&](CArchive& ar) { objects.Serialize(ar); }));
    ASSERT_EQ(1, objects.GetCount());
    CObject* kept = nullptr;
    ASSERT_TRUE(objects.Lookup(L"a", kept));
    EXPECT_EQ(1, static_cast<CShape*>(kept)->m_id);
    delete kept;
    CMap<UINT, UINT, UINT, UINT> counts;
    EXPECT_EQ(CArchiveException::genericException, LoadCause(StoredBytes([](CArchive& ar) {
                                                                 ar.WriteCount(2);
                                                                 ar << 7u << 1u << 7u << 2u;
                                                             }),
                                                             [&](CArchive& ar) { counts.Serialize(ar); }));
}

namespace {

// A chain object whose child is a chain object whose child is ... depth deep.
std::vector<BYTE> ChainOfDepth(int depth)
{
    std::vector<BYTE> bytes = Concat({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Ascii("CChain")});
    for (int i = 0; i < depth; ++i)
        bytes.insert(bytes.end(), {0x01, 0x80});
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

} // namespace

TEST(ArchiveHostile, DeepNestingIsRefusedWithoutExhaustingTheStack)
{
    CChain::s_live = 0;
    EXPECT_EQ(CArchiveException::genericException, ObjectCause(ChainOfDepth(100000)));
    EXPECT_EQ(0, CChain::s_live); // the partly built chain was freed
    // A modest depth loads.
    EXPECT_EQ(-1, ObjectCause(ChainOfDepth(50)));
    EXPECT_EQ(0, CChain::s_live);
}

TEST(ArchiveHostile, EveryTruncationOfAValidArchiveFailsCleanly)
{
    CShape square(1, L"square");
    CCircle circle(2, L"\u5706", 9);
    CGroup group;
    group.m_members = {&square, &circle, nullptr, &square};
    const std::vector<BYTE> full = StoredBytes([&](CArchive& ar) {
        ar << &group;
        CChain chain;
        chain.m_child = new CChain;
        ar << &chain;
    });
    ASSERT_GT(full.size(), 40u);

    for (size_t cut = 0; cut < full.size(); ++cut) {
        CChain::s_live = 0;
        const std::vector<BYTE> part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
        const int cause = LoadCause(part, [](CArchive& ar) {
            CGroup* loaded = nullptr;
            ar >> loaded;
            std::unique_ptr<CGroup> owner(loaded);
            std::set<CObject*> members(loaded->m_members.begin(), loaded->m_members.end());
            std::vector<std::unique_ptr<CObject>> memberOwners;
            for (CObject* member : members)
                memberOwners.emplace_back(member);
            CChain* chain = nullptr;
            ar >> chain;
            delete chain;
        });
        EXPECT_EQ(CArchiveException::endOfFile, cause) << "cut at " << cut;
        EXPECT_EQ(0, CChain::s_live) << "cut at " << cut;
    }
}

TEST(ArchiveHostile, RandomDamageNeverCrashes)
{
    // Valid records with bytes flipped at random: the loader must end every run
    // with an answer or an archive exception.
    CShape square(1, L"square");
    CCircle circle(2, L"circle", 3);
    CGroup group;
    group.m_members = {&square, &circle, nullptr, &square, &group};
    const std::vector<BYTE> full = StoredBytes([&](CArchive& ar) { ar << &group; });
    std::mt19937 random(12345);
    AllocationWatch watch;
    int failures = 0;
    for (int run = 0; run < 3000; ++run) {
        std::vector<BYTE> damaged = full;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            damaged[random() % damaged.size()] = static_cast<BYTE>(random());
        keyloft_test::LoadingArchive loading(damaged);
        CArchive& ar = loading.Archive();
        try {
            CObject* loaded = ar.ReadObject(RUNTIME_CLASS(CObject));
            // Whatever came back is freed through the group's pointers.
            std::set<CObject*> owned;
            if (auto* back = DYNAMIC_DOWNCAST(CGroup, loaded)) {
                for (CObject* member : back->m_members) {
                    if (member != nullptr && member != loaded)
                        owned.insert(member);
                }
            }
            // Only shapes own nothing; anything stranger is left alone.
            for (CObject* member : owned) {
                if (member->IsKindOf(RUNTIME_CLASS(CShape)))
                    delete member;
            }
            delete loaded;
        } catch (CArchiveException* e) {
            ++failures;
            e->Delete();
        }
    }
    EXPECT_GT(failures, 0);
    EXPECT_LT(watch.LargestRequest(), kModestAllocation);
}
