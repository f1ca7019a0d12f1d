#include "ArchiveTestClasses.h"
#include "TestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <memory>
#include <set>

#include <gtest/gtest.h>

using afx_files_test::CauseOfThrow;
using keyloft_test::Ascii;
using keyloft_test::Concat;
using keyloft_test::StoredBytes;

TEST(ArchiveObjects, StoredFormOfClassRecordsAndReferences)
{
    CShape first(7, L"ab");
    CShape second(8, L"");
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) {
        ar << &first << &second << &first << static_cast<CObject*>(nullptr);
    });
    const std::vector<BYTE> expected = Concat({
        {0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Ascii("CShape"), // new class: schema 1, name
        {0x07, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x02, 'a', 0, 'b', 0}, // its data
        {0x01, 0x80},                                          // class index 1
        {0x08, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x00},
        {0x02, 0x00}, // the first object again: index 2
        {0x00, 0x00}, // null
    });
    EXPECT_EQ(expected, bytes);
}

TEST(ArchiveObjects, TheArchiveTellsABackReferenceFromANewObject)
{
    CShape first(7, L"ab");
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) {
        ar << &first << &first << static_cast<CObject*>(nullptr);
    });
    keyloft_test::LoadingArchive loading(bytes);
    CArchive& ar = loading.Archive();
    std::unique_ptr<CObject> made(ar.ReadObject(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(ar.WasLastObjectReadBefore());
    EXPECT_EQ(made.get(), ar.ReadObject(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(ar.WasLastObjectReadBefore());
    EXPECT_EQ(nullptr, ar.ReadObject(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(ar.WasLastObjectReadBefore());
}

TEST(ArchiveObjects, GraphKeepsSharedObjectsSharedAndNullsNull)
{
    CShape square(1, L"square");
    CCircle circle(2, L"circle", 5);
    CGroup group;
    group.m_members = {&square, &circle, nullptr, &square};
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) { ar << &group; });

    keyloft_test::LoadingArchive loading(bytes);
    CArchive& ar = loading.Archive();
    CObject* loaded = nullptr;
    ar >> loaded;
    ASSERT_NE(nullptr, loaded);
    std::unique_ptr<CObject> groupOwner(loaded);
    auto* back = DYNAMIC_DOWNCAST(CGroup, loaded);
    ASSERT_NE(nullptr, back);
    ASSERT_EQ(4u, back->m_members.size());
    std::unique_ptr<CObject> squareOwner(back->m_members[0]);
    std::unique_ptr<CObject> circleOwner(back->m_members[1]);

    auto* loadedSquare = DYNAMIC_DOWNCAST(CShape, back->m_members[0]);
    ASSERT_NE(nullptr, loadedSquare);
    EXPECT_FALSE(loadedSquare->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(CString(L"square"), loadedSquare->m_name);
    auto* loadedCircle = DYNAMIC_DOWNCAST(CCircle, back->m_members[1]);
    ASSERT_NE(nullptr, loadedCircle);
    EXPECT_EQ(5, loadedCircle->m_radius);
    EXPECT_EQ(CString(L"circle"), loadedCircle->m_name);
    EXPECT_EQ(nullptr, back->m_members[2]);
    EXPECT_EQ(back->m_members[0], back->m_members[3]); // one object, not a copy
}

TEST(ArchiveObjects, DerivedObjectsLoadThroughTheTypedOperatorOfTheBase)
{
    CCircle circle(0, L"c", 6);
    CShape square(1, L"s");
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) { ar << &circle << &square << &circle; });

    keyloft_test::LoadingArchive loading(bytes);
    CArchive& ar = loading.Archive();
    CShape* shapes[3] = {};
    ar >> shapes[0] >> shapes[1] >> shapes[2]; // the operator of DECLARE_SERIAL checks the class
    std::unique_ptr<CShape> first(shapes[0]);
    std::unique_ptr<CShape> second(shapes[1]);
    auto* loadedCircle = DYNAMIC_DOWNCAST(CCircle, shapes[0]);
    ASSERT_NE(nullptr, loadedCircle);
    EXPECT_EQ(6, loadedCircle->m_radius);
    ASSERT_NE(nullptr, shapes[1]);
    EXPECT_FALSE(shapes[1]->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(1, shapes[1]->m_id);
    EXPECT_EQ(shapes[0], shapes[2]);
}

TEST(ArchiveObjects, ManyObjectsUseBigIndexTags)
{
    // More than 0x7FFE objects: later back references need the DWORD form.
    std::vector<std::unique_ptr<CShape>> shapes;
    for (int i = 0; i < 0x8010; ++i)
        shapes.push_back(std::make_unique<CShape>(i, L""));
    CMemFile file(1 << 20);
    {
        CArchive ar(&file, CArchive::store);
        for (const auto& shape : shapes)
            ar << shape.get();
        ar << shapes.back().get() << shapes.front().get();
        // A new class after the index passed 0x7FFF is referenced with the big class tag.
        CCircle c1(1, L"", 1);
        CCircle c2(2, L"", 2);
        ar << &c1 << &c2;
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    std::vector<std::unique_ptr<CObject>> owners;
    for (int i = 0; i < 0x8010; ++i) {
        CObject* object = nullptr;
        ar >> object;
        owners.emplace_back(object);
    }
    CObject* last = nullptr;
    CObject* first = nullptr;
    ar >> last >> first;
    EXPECT_EQ(owners.back().get(), last);
    EXPECT_EQ(owners.front().get(), first);
    CCircle* c1 = nullptr;
    CCircle* c2 = nullptr;
    ar >> c1 >> c2;
    std::unique_ptr<CObject> o1(c1);
    std::unique_ptr<CObject> o2(c2);
    ASSERT_NE(nullptr, c2);
    EXPECT_EQ(2, c2->m_radius);
}

TEST(ArchiveObjects, VersionableSchemaAcceptsOlderDataAndTellsTheSchema)
{
    // Version 2 of the data, written by hand: the class now has schema 3.
    const std::vector<BYTE> bytes =
        Concat({{0xFF, 0xFF, 0x02, 0x00, 0x0A, 0x00}, Ascii("CVersioned"), {0x2A, 0, 0, 0}});
    keyloft_test::LoadingArchive loading(bytes);
    CArchive& ar = loading.Archive();
    CVersioned* loaded = nullptr;
    ar >> loaded;
    std::unique_ptr<CObject> owner(loaded);
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(2u, loaded->m_loadedSchema);
    EXPECT_EQ(42, loaded->m_value);
    EXPECT_EQ(static_cast<UINT>(-1), ar.GetObjectSchema());
}

TEST(ArchiveObjects, SerializeClassWritesAndChecksTheClass)
{
    const std::vector<BYTE> bytes = StoredBytes([](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CCircle));
        ar.SerializeClass(RUNTIME_CLASS(CCircle));
    });
    keyloft_test::LoadingArchive loading(bytes);
    CArchive& ar = loading.Archive();
    ar.SerializeClass(RUNTIME_CLASS(CShape));
    EXPECT_EQ(1u, ar.GetObjectSchema());
    EXPECT_EQ(RUNTIME_CLASS(CCircle), ar.ReadClass(RUNTIME_CLASS(CCircle)));
}

TEST(ArchiveObjects, MappedObjectsAreReferencedNotStored)
{
    CShape known(1, L"known");
    const std::vector<BYTE> bytes = StoredBytes([&](CArchive& ar) {
        ar.MapObject(&known);
        ar << &known;
    });
    EXPECT_EQ((std::vector<BYTE>{0x01, 0x00}), bytes);

    CShape local(2, L"local");
    keyloft_test::LoadingArchive loading(bytes);
    CArchive& ar = loading.Archive();
    ar.MapObject(&local);
    CShape* loaded = nullptr;
    ar >> loaded;
    EXPECT_EQ(&local, loaded);
}

TEST(ArchiveObjects, StoringANonSerialisableObjectIsRefused)
{
    CMemFile notSerialisable;
    CMemFile target;
    CArchive ar(&target, CArchive::store);
    EXPECT_EQ(CArchiveException::badClass, CauseOfThrow<CArchiveException>([&] { ar << &notSerialisable; }));
    ar.Abort();
}
