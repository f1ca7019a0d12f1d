// The library core's plain arithmetic (versions, registry paths, colours),
// registry round trips, the workspace version and the global data's
// fall-backs when a platform function is missing.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryMath.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPWorkspace.h"

#include <afxarch.h>
#include <afxcoll.h>
#include <afxfile.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(LibraryMathTest, VersionsPathsAndColours)
{
    struct { int major, minor, packed; } versions[] = {
        {6, 41, 0x60410}, {6, 2, 0x60200}, {6, 15, 0x60150}, {6, 0, 0x60000},
        {6, 72, 0x60720}, {7, 0, 0x70000}, {-1, 0, -1},     {6, -1, -1}};
    for (const auto& v : versions) {
        EXPECT_EQ(v.packed, kgp::PackDataVersion(v.major, v.minor)) << v.major << "." << v.minor;
    }

    struct { const wchar_t *key, *app, *section, *profile, *path; } paths[] = {
        {L"KELVOR-Brimola", L"Keyloft", L"KGMenuBar", L"", L"SOFTWARE\\KELVOR-Brimola\\Keyloft\\KGMenuBar\\"},
        {L"", L"Keyloft", L"KGToolBars", L"", L"SOFTWARE\\Keyloft\\KGToolBars\\"},
        {L"KELVOR-Brimola", L"Keyloft", L"KGMenuBar", L"Custom\\Place", L"Custom\\Place"},
    };
    for (const auto& p : paths) {
        EXPECT_EQ(std::wstring(p.path), kgp::LibraryRegistryPath(p.key, p.app, p.section, p.profile));
    }
    EXPECT_EQ(L"KGPTabWnd:400000:8:10003:6", kgp::LibraryWindowClassName(L"KGPTabWnd", 0x400000, 8, 0x10003, 6));

    struct { kgp::Colour in; int percent; kgp::Colour scaled, highlighted; } colours[] = {
        {kgp::MakeColour(100, 200, 50), 50, kgp::MakeColour(50, 100, 25), kgp::MakeColour(50, 100, 25)},
        {kgp::MakeColour(100, 200, 50), 200, kgp::MakeColour(200, 255, 100), kgp::MakeColour(255, 255, 255)},
        {kgp::MakeColour(100, 200, 50), 100, kgp::MakeColour(100, 200, 50), kgp::MakeColour(100, 200, 50)},
    };
    for (const auto& c : colours) {
        EXPECT_EQ(c.scaled, kgp::ScaleColour(c.in, c.percent)) << c.percent;
        EXPECT_EQ(c.highlighted, kgp::HighlightColour(c.in, c.percent)) << c.percent;
    }
    // Pale pixels: transparent stays transparent, 100% is white at the pixel's alpha.
    EXPECT_EQ(0u, kgp::PalePixel(0, 50));
    EXPECT_EQ(0xFFFFFFFFu, kgp::PalePixel(0xFF102030u, 100));
    EXPECT_EQ(0x80808080u, kgp::PalePixel(0x80000000u, 100));
    EXPECT_EQ(0xFF102030u, kgp::PalePixel(0xFF102030u, 0));
}

class CStoredPoint : public CObject {
    DECLARE_SERIAL(CStoredPoint)
public:
    int x = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << x;
        } else {
            ar >> x;
        }
    }
};
IMPLEMENT_SERIAL(CStoredPoint, CObject, 1)

constexpr wchar_t kTestKey[] = L"Software\\KeyloftTests\\LibraryRegistry";

TEST(LibraryRegistryTest, ValuesRoundTripAndMissingOrBadValuesLeaveTheTargetAlone)
{
    {
        CKGPRegistryHandle writer(FALSE, FALSE);
        ASSERT_TRUE(writer->CreateKey(kTestKey));
        const BYTE block[] = {1, 2, 3, 250};
        EXPECT_TRUE(writer->Write(L"Int", -7));
        EXPECT_TRUE(writer->Write(L"Text", L"工具栏 bar"));
        EXPECT_TRUE(writer->Write(L"Rect", CRect(1, -2, 300, 400)));
        EXPECT_TRUE(writer->Write(L"Block", block, sizeof(block)));
        EXPECT_TRUE(writer->Write(L"Damaged", block, 3));
        CObList list;
        CStoredPoint first;
        first.x = 11;
        CStoredPoint second;
        second.x = 22;
        list.AddTail(&first);
        list.AddTail(&second);
        EXPECT_TRUE(writer->Write(L"List", list));
    }
    CKGPRegistryHandle reader(FALSE, TRUE);
    ASSERT_TRUE(reader->Open(kTestKey));
    EXPECT_FALSE(reader->Write(L"Int", 1)) << "a read-only object never writes";
    int number = 0;
    CString text;
    CRect rect;
    EXPECT_TRUE(reader->Read(L"Int", number));
    EXPECT_TRUE(reader->Read(L"Text", text));
    EXPECT_TRUE(reader->Read(L"Rect", rect));
    EXPECT_EQ(-7, number);
    EXPECT_EQ(CString(L"工具栏 bar"), text);
    EXPECT_EQ(CRect(1, -2, 300, 400), rect);
    BYTE* data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(reader->Read(L"Block", &data, &bytes));
    ASSERT_EQ(4u, bytes);
    EXPECT_EQ(250, data[3]);
    delete[] data;

    // Values about and well past the size a first read takes whole come back whole.
    {
        CKGPRegistryHandle writer(FALSE, FALSE);
        ASSERT_TRUE(writer->CreateKey(kTestKey));
        for (const UINT size : {63u, 64u, 65u, 1000u}) {
            std::vector<BYTE> big(size);
            for (UINT i = 0; i < size; ++i)
                big[i] = static_cast<BYTE>(i * 7 + size);
            CString name;
            name.Format(L"Big%u", size);
            EXPECT_TRUE(writer->Write(name, big.data(), size));
        }
        EXPECT_TRUE(writer->Write(L"LongText", CString(L'x', 200) + L"end"));
    }
    for (const UINT size : {63u, 64u, 65u, 1000u}) {
        CString name;
        name.Format(L"Big%u", size);
        BYTE* big = nullptr;
        UINT read = 0;
        ASSERT_TRUE(reader->Read(name, &big, &read)) << size;
        ASSERT_EQ(size, read);
        EXPECT_EQ(static_cast<BYTE>(size), big[0]) << size;
        EXPECT_EQ(static_cast<BYTE>((size - 1) * 7 + size), big[size - 1]) << size;
        delete[] big;
    }
    CString longText;
    ASSERT_TRUE(reader->Read(L"LongText", longText));
    EXPECT_EQ(203, longText.GetLength());
    EXPECT_EQ(CString(L"end"), longText.Right(3));

    CObList loaded;
    EXPECT_FALSE(reader->Read(L"List", loaded, RUNTIME_CLASS(CObList))) << "read as the class expected";
    EXPECT_TRUE(loaded.IsEmpty());
    ASSERT_TRUE(reader->Read(L"List", loaded, RUNTIME_CLASS(CStoredPoint)));
    ASSERT_EQ(2, loaded.GetCount());
    EXPECT_EQ(22, static_cast<CStoredPoint*>(loaded.GetTail())->x);
    while (!loaded.IsEmpty()) {
        delete loaded.RemoveHead();
    }

    // Missing values, wrong kinds and a damaged archive: FALSE, target unchanged.
    number = 5;
    EXPECT_FALSE(reader->Read(L"Missing", number));
    EXPECT_FALSE(reader->HasValue(L"Missing"));
    EXPECT_TRUE(reader->HasValue(L"Text"));
    EXPECT_FALSE(reader->Read(L"Text", number));
    EXPECT_EQ(5, number);
    EXPECT_FALSE(reader->Read(L"Block", rect));
    EXPECT_EQ(CRect(1, -2, 300, 400), rect);
    EXPECT_FALSE(reader->Read(L"Damaged", loaded, RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(loaded.IsEmpty());

    CKGPRegistryHandle cleaner(FALSE, FALSE);
    EXPECT_TRUE(cleaner->DeleteKey(L"Software\\KeyloftTests", TRUE));
    EXPECT_FALSE(cleaner->Open(kTestKey));
}

// What a bar's or a frame's save archives goes to one binary value, and only
// an archive made whole is written.
TEST(LibraryRegistryTest, AnArchiveIsWrittenWholeOrNotAtAll)
{
    CKGPRegistryHandle writer(FALSE, FALSE);
    ASSERT_TRUE(writer->CreateKey(kTestKey));
    EXPECT_TRUE(writer->WriteArchive(L"State", [](CArchive& ar) { ar << 41 << CString(L"pane"); }));
    EXPECT_FALSE(writer->WriteArchive(L"State", [](CArchive& ar) {
        ar << 99;
        AfxThrowArchiveException(CArchiveException::genericException);
    })) << "a store that fails writes nothing";

    CKGPRegistryHandle reader(FALSE, TRUE);
    ASSERT_TRUE(reader->Open(kTestKey));
    EXPECT_FALSE(reader->WriteArchive(L"State", [](CArchive& ar) { ar << 1; })) << "a read-only object never writes";
    BYTE* data = nullptr;
    UINT bytes = 0;
    ASSERT_TRUE(reader->Read(L"State", &data, &bytes));
    const std::unique_ptr<BYTE[]> owner(data);
    CMemFile file(data, bytes);
    CArchive ar(&file, CArchive::load);
    int number = 0;
    CString text;
    ar >> number >> text;
    EXPECT_EQ(41, number) << "the first archive's value stays";
    EXPECT_EQ(CString(L"pane"), text);

    CKGPRegistryHandle cleaner(FALSE, FALSE);
    EXPECT_TRUE(cleaner->DeleteKey(L"Software\\KeyloftTests", TRUE));
}

TEST(LibraryPaintBufferTest, BufferBitmapsHaveTheSizeAndTakeDrawingAndEmptySizesAreRefused)
{
    CBitmap bitmap;
    ASSERT_TRUE(CreatePaintBufferBitmap(bitmap, 7, 5));
    BITMAP info{};
    ASSERT_NE(0, ::GetObjectW(bitmap.m_hObject, sizeof(info), &info));
    EXPECT_EQ(7, info.bmWidth);
    EXPECT_EQ(5, info.bmHeight);
    EXPECT_EQ(32, info.bmBitsPixel);
    // Drawn into through a memory DC like the screen's, it reads back what was drawn.
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    {
        CSelectionScope selected(memory.m_hDC, bitmap.m_hObject);
        memory.FillSolidRect(CRect(0, 0, 7, 5), RGB(10, 20, 30));
        memory.FillSolidRect(CRect(6, 4, 7, 5), RGB(200, 100, 50));
        EXPECT_EQ(RGB(10, 20, 30), memory.GetPixel(0, 0));
        EXPECT_EQ(RGB(200, 100, 50), memory.GetPixel(6, 4));
    }
    CBitmap none;
    EXPECT_FALSE(CreatePaintBufferBitmap(none, 0, 5));
    EXPECT_FALSE(CreatePaintBufferBitmap(none, 7, -1));
    EXPECT_EQ(nullptr, none.m_hObject);
    EXPECT_FALSE(CreatePaintBufferBitmap(bitmap, 3, 3)) << "a bitmap already made is kept";
}

TEST(LibraryWorkspaceTest, VersionIsUnsetWithoutAWorkspaceAndPackedWithOne)
{
    EXPECT_EQ(nullptr, GetWorkspace());
    EXPECT_EQ(-1, GetWorkspaceDataVersion());
    CKGPWorkspace workspace;
    SetWorkspace(&workspace);
    EXPECT_EQ(-1, GetWorkspaceDataVersion());
    workspace.SetDataVersion(6, 41);
    EXPECT_EQ(0x60410, GetWorkspaceDataVersion());
    SetWorkspace(nullptr);
}

int g_notified = 0;
void WINAPI RecordWinEvent(DWORD, HWND, LONG, LONG) { ++g_notified; }
FARPROC NothingThere(LPCWSTR, LPCSTR) { return nullptr; }
FARPROC OnlyWinEvents(LPCWSTR, LPCSTR name)
{
    return std::string(name) == "NotifyWinEvent" ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordWinEvent)) : nullptr;
}

TEST(LibraryGlobalDataTest, MissingPlatformFunctionsFallBackAndPresentOnesForward)
{
    CKGPGlobalData& data = GetKGPGlobalData();
    const KGPSystemFunctions system = KGPSystemFunctions::Resolve();
    EXPECT_NE(nullptr, system.setLayeredWindowAttributes);

    data.SetSystemFunctions(KGPSystemFunctions::Resolve(NothingThere));
    data.m_bEnableAccessibility = TRUE;
    data.NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, nullptr, OBJID_CLIENT, CHILDID_SELF);
    EXPECT_FALSE(data.IsLayeredWindowSupported());
    EXPECT_FALSE(data.SetLayeredAttributes(::GetDesktopWindow(), 0, 128, LWA_ALPHA));
    EXPECT_FALSE(data.IsDwmCompositionEnabled());
    EXPECT_EQ(0, data.LresultFromObject(IID_IUnknown, 0, nullptr));

    data.SetSystemFunctions(KGPSystemFunctions::Resolve(OnlyWinEvents));
    data.NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, nullptr, OBJID_CLIENT, CHILDID_SELF);
    EXPECT_EQ(1, g_notified);
    data.m_bEnableAccessibility = FALSE;
    data.NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, nullptr, OBJID_CLIENT, CHILDID_SELF);
    EXPECT_EQ(1, g_notified) << "silent while accessibility is off";
    data.SetSystemFunctions(system);

    const CString first = RegisterLibraryWindowClass(L"KGPTabWnd", CS_DBLCLKS);
    EXPECT_EQ(first, RegisterLibraryWindowClass(L"KGPTabWnd", CS_DBLCLKS));
    EXPECT_EQ(0, first.Find(L"KGPTabWnd:"));
    WNDCLASSW info{};
    EXPECT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), first, &info));
}

} // namespace
