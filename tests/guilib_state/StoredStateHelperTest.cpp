// The stored-state reader on its own: values within bounds, object lists of
// the class expected with each object once, and a load that changes nothing
// until it commits and nothing at all when refused.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using keyloft_test::LoadBytes;
using keyloft_test::StoredBytes;

constexpr LPCTSTR kKey = _T("Software\\KeyloftTests\\StoredStateHelper");

// A stored object that counts how many of it live.
class CStatePoint : public CObject {
    DECLARE_SERIAL(CStatePoint)
public:
    CStatePoint() { ++s_nLive; }
    explicit CStatePoint(int x) : m_x(x) { ++s_nLive; }
    ~CStatePoint() override { --s_nLive; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x;
        else
            ar >> m_x;
    }
    int m_x = 0;
    static int s_nLive;
};
IMPLEMENT_SERIAL(CStatePoint, CObject, 1)
int CStatePoint::s_nLive = 0;

// The archive exception's cause, or none when read ran through.
template <class Read>
int CauseOf(const std::vector<BYTE>& bytes, Read read)
{
    try {
        LoadBytes(bytes, read);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return CArchiveException::none;
}

std::vector<BYTE> Numbers(std::initializer_list<int> values)
{
    return StoredBytes([&](CArchive& ar) {
        for (int value : values)
            ar << value;
    });
}

TEST(StoredStateReaderTest, NumbersTextsAndFlagsWithinTheirBounds)
{
    int read = 0;
    EXPECT_EQ(CArchiveException::none, CauseOf(Numbers({-1, 7}), [&](CArchive& ar) {
                  CKGPStoredReader in(ar);
                  read = in.ReadInt(-1, 10);
                  read += in.ReadInt(7, 7);
              }));
    EXPECT_EQ(6, read) << "both ends of the bounds are inside";
    EXPECT_EQ(CArchiveException::genericException,
              CauseOf(Numbers({11}), [](CArchive& ar) { CKGPStoredReader(ar).ReadInt(-1, 10); }));
    EXPECT_EQ(CArchiveException::genericException,
              CauseOf(Numbers({-1}), [](CArchive& ar) { CKGPStoredReader(ar).ReadUInt(0, 10); }));
    EXPECT_EQ(CArchiveException::genericException,
              CauseOf(Numbers({0x3000}), [](CArchive& ar) { CKGPStoredReader(ar).ReadOneOf({0x1000, 0x2000}); }));
    EXPECT_EQ(CArchiveException::genericException,
              CauseOf(Numbers({0x12}), [](CArchive& ar) { CKGPStoredReader(ar).ReadFlags(0x0F); }));
    EXPECT_EQ(CArchiveException::endOfFile,
              CauseOf(std::vector<BYTE>{1, 0}, [](CArchive& ar) { CKGPStoredReader(ar).ReadInt(0, 10); }));

    BOOL flag = FALSE;
    LoadBytes(Numbers({7}), [&](CArchive& ar) { flag = CKGPStoredReader(ar).ReadBool(); });
    EXPECT_EQ(TRUE, flag) << "any other value than 0 reads as TRUE";

    const std::vector<BYTE> text = StoredBytes([](CArchive& ar) { ar << CString(L"four"); });
    EXPECT_EQ(CArchiveException::none, CauseOf(text, [](CArchive& ar) { CKGPStoredReader(ar).ReadString(4); }));
    EXPECT_EQ(CArchiveException::genericException,
              CauseOf(text, [](CArchive& ar) { CKGPStoredReader(ar).ReadString(3); }));
}

TEST(StoredStateReaderTest, ObjectListsOfTheClassExpectedEachObjectOnce)
{
    CStatePoint a(1), b(2);
    CObList stored;
    stored.AddTail(&a);
    stored.AddTail(&b);
    std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) { stored.Serialize(ar); });
    const int live = CStatePoint::s_nLive;
    {
        CKGPStoredObjects objects;
        LoadBytes(bytes, [&](CArchive& ar) {
            CKGPStoredReader(ar).ReadObjectList(objects, RUNTIME_CLASS(CStatePoint));
        });
        ASSERT_EQ(2, objects.GetCount());
        EXPECT_EQ(2, static_cast<CStatePoint*>(objects.GetList().GetTail())->m_x);
        CObList owner;
        objects.HandTo(owner);
        EXPECT_TRUE(objects.IsEmpty());
        EXPECT_EQ(2, owner.GetCount());
        while (!owner.IsEmpty())
            delete owner.RemoveHead();
    }
    EXPECT_EQ(live, CStatePoint::s_nLive);

    // Another class expected: refused before any object is made.
    CKGPStoredObjects others;
    EXPECT_EQ(CArchiveException::badClass, CauseOf(bytes, [&](CArchive& ar) {
                  CKGPStoredReader(ar).ReadObjectList(others, RUNTIME_CLASS(CObList));
              }));
    EXPECT_EQ(live, CStatePoint::s_nLive);

    // The second object a back reference to the first (index 2; the class is 1):
    // refused, and the first freed once with the scratch list.
    const size_t second = StoredBytes([&](CArchive& ar) {
                              CObList one;
                              one.AddTail(&a);
                              one.Serialize(ar);
                          }).size();
    bytes[second] = 0x02;
    bytes[second + 1] = 0x00;
    {
        CKGPStoredObjects repeated;
        EXPECT_EQ(CArchiveException::badIndex, CauseOf(bytes, [&](CArchive& ar) {
                      CKGPStoredReader(ar).ReadObjectList(repeated, RUNTIME_CLASS(CStatePoint));
                  }));
        EXPECT_EQ(1, repeated.GetCount());
    }
    EXPECT_EQ(live, CStatePoint::s_nLive);

    // A null entry: missing where allowed, refused elsewhere.
    CObList withNull;
    withNull.AddTail(&a);
    withNull.AddTail(static_cast<CObject*>(nullptr));
    const std::vector<BYTE> nullBytes = StoredBytes([&](CArchive& ar) { withNull.Serialize(ar); });
    CKGPStoredObjects missing;
    LoadBytes(nullBytes, [&](CArchive& ar) {
        CKGPStoredReader(ar).ReadObjectList(missing, RUNTIME_CLASS(CStatePoint), TRUE);
    });
    EXPECT_TRUE(missing.HasMissing());
    EXPECT_EQ(1, missing.GetCount());
    CKGPStoredObjects strict;
    EXPECT_EQ(CArchiveException::badIndex, CauseOf(nullBytes, [&](CArchive& ar) {
                  CKGPStoredReader(ar).ReadObjectList(strict, RUNTIME_CLASS(CStatePoint));
              }));

    // More objects than any stored list holds.
    const std::vector<BYTE> many = StoredBytes([](CArchive& ar) {
        ar.WriteCount(0x8000);
        for (int i = 0; i < 0x8000; ++i)
            ar << WORD(0);
    });
    CKGPStoredObjects tooMany;
    EXPECT_EQ(CArchiveException::genericException, CauseOf(many, [&](CArchive& ar) {
                  CKGPStoredReader(ar).ReadObjectList(tooMany, RUNTIME_CLASS(CStatePoint), TRUE);
              }));
}

TEST(StoredStateReaderTest, OneObjectOfTheClassExpectedNewToTheReader)
{
    CStatePoint a(7);
    const int live = CStatePoint::s_nLive;
    // Written twice: the second is a back reference to the first.
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) { ar << &a << &a; });
    LoadBytes(bytes, [&](CArchive& ar) {
        CKGPStoredReader in(ar);
        std::unique_ptr<CObject> first(in.ReadObject(RUNTIME_CLASS(CStatePoint)));
        ASSERT_NE(nullptr, first);
        EXPECT_EQ(7, static_cast<CStatePoint*>(first.get())->m_x);
        // The same object again would have two owners: refused.
        try {
            in.ReadObject(RUNTIME_CLASS(CStatePoint));
            ADD_FAILURE() << "a back reference was taken";
        } catch (CArchiveException* e) {
            EXPECT_EQ(CArchiveException::badIndex, e->m_cause);
            e->Delete();
        }
    });
    EXPECT_EQ(live, CStatePoint::s_nLive);
    // Another class expected: refused before anything is made; a null one too.
    EXPECT_EQ(CArchiveException::badClass, CauseOf(bytes, [](CArchive& ar) {
                  delete CKGPStoredReader(ar).ReadObject(RUNTIME_CLASS(CObList));
              }));
    EXPECT_EQ(live, CStatePoint::s_nLive);
    const std::vector<BYTE> none = StoredBytes([](CArchive& ar) { ar << static_cast<CObject*>(nullptr); });
    EXPECT_EQ(CArchiveException::badIndex, CauseOf(none, [](CArchive& ar) {
                  delete CKGPStoredReader(ar).ReadObject(RUNTIME_CLASS(CStatePoint));
              }));
}

TEST(StoredStateLoadTest, ChangesWaitForTheCommitAndARefusedLoadMakesNone)
{
    std::string made;
    CKGPStoredLoad load;
    load.OnCommit([&] { made += 'a'; });
    load.OnCommit([&] { made += 'b'; });
    EXPECT_TRUE(made.empty());
    EXPECT_TRUE(load.Commit());
    EXPECT_EQ("ab", made);
    EXPECT_FALSE(load.Commit()) << "once";
    EXPECT_EQ("ab", made);

    CKGPStoredLoad refused;
    refused.OnCommit([&] { made += 'c'; });
    EXPECT_FALSE(refused.ReadBytes(Numbers({1}).data(), 2, [&](CArchive& ar) {
        refused.OnCommit([&] { made += 'd'; });
        CKGPStoredReader(ar).ReadInt(0, 1);
    })) << "cut short";
    EXPECT_TRUE(refused.IsRefused());
    refused.OnCommit([&] { made += 'e'; });
    EXPECT_FALSE(refused.Commit());
    EXPECT_EQ("ab", made);
}

TEST(StoredStateLoadTest, RegistryValuesMissingKeepTheirFieldDamagedRefuseTheLoad)
{
    {
        CKGPRegistryHandle writer(FALSE, FALSE);
        ASSERT_TRUE(writer->CreateKey(kKey));
        writer->Write(_T("Width"), 40);
        writer->Write(_T("Wide"), 0x10000);
        writer->Write(_T("Text"), _T("40"));
        writer->Write(_T("Rect"), CRect(30, 40, 10, 20));
        writer->Write(_T("Far"), CRect(0, 0, 40000, 10));
        writer->Write(_T("Edge"), 0x3000);
    }
    CKGPRegistryHandle reg(FALSE, TRUE);
    ASSERT_TRUE(reg->Open(kKey));

    CKGPStoredLoad load;
    int width = 1;
    CRect rect;
    DWORD edge = 0x1000;
    EXPECT_TRUE(load.ReadValue(*reg, _T("Width"), width, 0, 100));
    EXPECT_EQ(40, width);
    width = 1;
    EXPECT_FALSE(load.ReadValue(*reg, _T("Missing"), width, 0, 100));
    EXPECT_EQ(1, width);
    EXPECT_TRUE(load.ReadValue(*reg, _T("Rect"), rect, 100));
    EXPECT_EQ(CRect(10, 20, 30, 40), rect) << "normalised";
    EXPECT_FALSE(load.IsRefused()) << "a missing value is no damage";

    const auto refusedBy = [&](auto read) {
        CKGPStoredLoad one;
        read(one);
        return one.IsRefused() != FALSE;
    };
    EXPECT_TRUE(refusedBy([&](CKGPStoredLoad& one) { one.ReadValue(*reg, _T("Wide"), width, 0, 0xFFFF); }));
    EXPECT_TRUE(refusedBy([&](CKGPStoredLoad& one) { one.ReadValue(*reg, _T("Text"), width, 0, 100); }));
    EXPECT_TRUE(refusedBy([&](CKGPStoredLoad& one) { one.ReadValue(*reg, _T("Far"), rect, 0x7FFF); }));
    EXPECT_TRUE(refusedBy([&](CKGPStoredLoad& one) { one.ReadOneOf(*reg, _T("Edge"), edge, {0x1000, 0x2000}); }));
    EXPECT_TRUE(refusedBy([&](CKGPStoredLoad& one) { one.ReadArchiveValue(*reg, _T("Width"), [](CArchive&) {}); }));
    EXPECT_EQ(1, width);
    EXPECT_EQ(CRect(10, 20, 30, 40), rect);
    EXPECT_EQ(0x1000u, edge);

    CKGPRegistryHandle cleaner(FALSE, FALSE);
    cleaner->DeleteKey(_T("Software\\KeyloftTests\\StoredStateHelper"), TRUE);
}

} // namespace
