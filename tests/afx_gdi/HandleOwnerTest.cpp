// The owner family's kinds that go beyond one handle and one release: window
// (client area or whole) and memory DCs, the selection scope, Put() for out-parameters, file searches
// and loaded modules.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <utility>

#include "tests/afx_gdi/Canvas.h"

namespace {

using afx_gdi_test::Canvas;

bool IsOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}

TEST(HandleOwner, SelectionScopePutsThePreviousObjectBackOnExit)
{
    Canvas canvas(8, 8);
    const HDC dc = canvas.dc;
    const HGDIOBJ stockPen = ::GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ stockFont = ::GetCurrentObject(dc, OBJ_FONT);
    const CGdiHandle<HPEN> red(::CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    const CGdiHandle<HFONT> font(::CreateFontW(12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    {
        const CSelectionScope pen(dc, red.Get());
        EXPECT_TRUE(pen);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), red.Get());
        {
            const CSelectionScope nested(dc, font.Get());
            EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), font.Get());
            EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), red.Get());
        }
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), stockFont);
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), stockPen);

    // Nothing to select: nothing changes, and nothing is put back on exit.
    {
        const CSelectionScope none(dc, nullptr);
        EXPECT_FALSE(none);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), stockPen);
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), stockPen);

    // The layer's wrappers pass as the DC and the object.
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    {
        const CSelectionScope pen(canvas.dc, blue);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), blue.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), stockPen);
}

TEST(HandleOwner, MemoryDcBitmapAndSelectionAreReleasedInTheirOrder)
{
    HBITMAP bitmapMade = nullptr;
    HDC memoryMade = nullptr;
    {
        const CWindowDCHandle screen(nullptr);
        ASSERT_TRUE(screen);
        const CGdiHandle<HBITMAP> bitmap(::CreateCompatibleBitmap(screen.Get(), 4, 4));
        const CMemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
        ASSERT_TRUE(bitmap);
        ASSERT_TRUE(memory);
        const CSelectionScope selected(memory.Get(), bitmap.Get());
        ASSERT_TRUE(selected);
        EXPECT_EQ(::GetCurrentObject(memory.Get(), OBJ_BITMAP), bitmap.Get());
        bitmapMade = bitmap.Get();
        memoryMade = memory.Get();
        // Declared in this order, the scope puts the default bitmap back before
        // the DC goes, and the DC goes before the bitmap it held (a bitmap
        // still selected could not be deleted).
    }
    EXPECT_EQ(::GetObjectType(memoryMade), 0u);
    EXPECT_EQ(::GetObjectType(bitmapMade), 0u);
}

TEST(HandleOwner, WindowDcKeepsItsWindowIsGivenBackAndMovesWithIt)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), L"dc owner", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
    HDC given[2] = {};
    {
        const CWindowDCHandle first(window.m_hWnd);
        ASSERT_TRUE(first);
        EXPECT_EQ(first.GetWindow(), window.m_hWnd);
        EXPECT_EQ(::WindowFromDC(first.Get()), window.m_hWnd);
        const CWindowDCHandle held(window.m_hWnd);
        EXPECT_NE(held.Get(), first.Get());  // a DC in use is not handed out twice
        given[0] = first.Get();
        given[1] = held.Get();
    }
    // Given back, the DCs go to the cache, and the next one comes from there.
    CWindowDCHandle again(window.m_hWnd);
    const HDC reused = again.Get();
    EXPECT_TRUE(reused == given[0] || reused == given[1]);

    CWindowDCHandle moved(std::move(again));
    EXPECT_FALSE(again);
    EXPECT_EQ(again.GetWindow(), nullptr);
    EXPECT_EQ(moved.Get(), reused);
    EXPECT_EQ(moved.GetWindow(), window.m_hWnd);
    moved.Reset();
    EXPECT_FALSE(moved);
    window.DestroyWindow();
}

TEST(HandleOwner, AWholeWindowDcStartsAtTheWindowsCornerTheClientDcAtItsClientArea)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), L"whole dc", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_BORDER,
                                CRect(40, 40, 160, 140), nullptr, 0));
    CRect frame;
    window.GetWindowRect(frame);
    CPoint client(0, 0);
    window.ClientToScreen(&client);
    ASSERT_NE(client, frame.TopLeft()) << "a caption and border lie before the client area";
    {
        const CWindowDCHandle whole = CWindowDCHandle::Whole(window.m_hWnd);
        ASSERT_TRUE(whole);
        EXPECT_EQ(whole.GetWindow(), window.m_hWnd);
        POINT origin{};
        ASSERT_TRUE(::GetDCOrgEx(whole.Get(), &origin));
        EXPECT_EQ(CPoint(origin), frame.TopLeft());
        const CWindowDCHandle clientDc(window.m_hWnd);
        ASSERT_TRUE(::GetDCOrgEx(clientDc.Get(), &origin));
        EXPECT_EQ(CPoint(origin), client);

        CWindowDCHandle moved = CWindowDCHandle::Whole(window.m_hWnd);
        const HDC held = moved.Get();
        const CWindowDCHandle taken(std::move(moved));
        EXPECT_FALSE(moved);
        EXPECT_EQ(taken.Get(), held);
        EXPECT_EQ(taken.GetWindow(), window.m_hWnd);
    }
    window.DestroyWindow();
}

TEST(HandleOwner, PutReleasesTheHeldHandleAndTakesTheOneWritten)
{
    const HANDLE process = ::GetCurrentProcess();
    const CEventHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);

    CEventHandle copy;
    ASSERT_TRUE(::DuplicateHandle(process, event.Get(), process, copy.Put(), 0, FALSE, DUPLICATE_SAME_ACCESS));
    const HANDLE firstCopy = copy.Get();
    ASSERT_TRUE(IsOpenHandle(firstCopy));

    HANDLE* const slot = copy.Put();
    EXPECT_EQ(*slot, nullptr);
    EXPECT_FALSE(copy);
    EXPECT_FALSE(IsOpenHandle(firstCopy));  // closed by Put
    ASSERT_TRUE(::DuplicateHandle(process, event.Get(), process, slot, 0, FALSE, DUPLICATE_SAME_ACCESS));
    EXPECT_TRUE(copy);
    EXPECT_TRUE(IsOpenHandle(copy.Get()));

    // A failed call leaves the owner empty, not holding the old handle.
    CRegKeyHandle key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Put()), ERROR_SUCCESS);
    EXPECT_TRUE(key);
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\no such key 7f3a", 0, KEY_READ, key.Put()),
              ERROR_SUCCESS);
    EXPECT_FALSE(key);
}

TEST(HandleOwner, FindHandleCountsTheFailedSearchAsNoHandle)
{
    wchar_t folder[MAX_PATH] = {};
    ASSERT_GT(::GetSystemDirectoryW(folder, MAX_PATH), 0u);
    WIN32_FIND_DATAW found{};
    CFindHandle search(::FindFirstFileW((CString(folder) + L"\\*.dll").GetString(), &found));
    ASSERT_TRUE(search);
    const HANDLE open = search.Get();
    EXPECT_TRUE(::FindNextFileW(open, &found));
    search.Reset();
    EXPECT_FALSE(search);

    const CFindHandle missing(::FindFirstFileW(L"Z:\\no such folder 7f3a\\*.none", &found));
    EXPECT_FALSE(missing);  // INVALID_HANDLE_VALUE, never given to FindClose
}

TEST(HandleOwner, ModuleStaysLoadedUntilItsLastOwnerGoes)
{
    const wchar_t* const name = L"cabinet.dll";
    if (::GetModuleHandleW(name) != nullptr)
        GTEST_SKIP() << "the module is loaded by the test program itself";
    CModuleHandle first(::LoadLibraryW(name));
    CModuleHandle second(::LoadLibraryW(name));
    ASSERT_TRUE(first);
    ASSERT_EQ(first.Get(), second.Get());
    first.Reset();
    EXPECT_NE(::GetModuleHandleW(name), nullptr);
    CModuleHandle moved(std::move(second));
    EXPECT_FALSE(second);
    EXPECT_NE(::GetModuleHandleW(name), nullptr);
    moved.Reset();
    EXPECT_EQ(::GetModuleHandleW(name), nullptr);
}

} // namespace
