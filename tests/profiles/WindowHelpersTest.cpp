#include "widgets/StatusText.h"
#include "widgets/ToolBarHelpers.h"
#include "tests/profiles/ProfilesTestSupport.h"

#include <afxext.h>
#include <commctrl.h>

namespace {

// A hidden top-level window for the duration of a test.
class TopWindow {
public:
    TopWindow()
        : m_window(::CreateWindowExW(0, L"STATIC", L"top", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~TopWindow()
    {
        if (m_window != nullptr)
            ::DestroyWindow(m_window);
    }
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

CString TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

TEST(StatusText, ReachesTheStatusBarAmongTheDescendants)
{
    const TopWindow top;
    ASSERT_NE(top.Get(), nullptr);
    const HWND holder = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 100, 100, top.Get(),
                                          reinterpret_cast<HMENU>(1), nullptr, nullptr);
    const HWND bar = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD, 0, 0, 100, 20, holder,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), nullptr, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(SetStatusTextOf(top.Get(), L"Ready"));
    EXPECT_EQ(TextOf(bar), CString(L"Ready"));
    EXPECT_FALSE(SetStatusTextOf(bar, L"no status bar below the bar itself"));
    EXPECT_EQ(TextOf(bar), CString(L"Ready"));
    EXPECT_FALSE(SetStatusTextOf(nullptr, L"x"));
    SetStatusText(L"without a main window nothing happens");
}

class ToolBarHelpersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_top.Get(), nullptr);
        m_parent.Attach(m_top.Get());
        ASSERT_TRUE(m_bar.Create(&m_parent));
        const UINT ids[] = {32825, ID_SEPARATOR, 32830};
        ASSERT_TRUE(m_bar.SetButtons(ids, 3));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_parent.Detach();
    }
    UINT StyleOf(UINT id)
    {
        TBBUTTONINFOW info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STYLE;
        ::SendMessageW(m_bar.GetSafeHwnd(), TB_GETBUTTONINFOW, id, reinterpret_cast<LPARAM>(&info));
        return info.fsStyle;
    }

    TopWindow m_top;
    CWnd m_parent;
    CToolBar m_bar;
};

TEST_F(ToolBarHelpersTest, DropDownNeedsAWindowAndTheButton)
{
    EXPECT_TRUE(MakeToolBarDropDown(32830, m_bar));
    EXPECT_TRUE(StyleOf(32830) & BTNS_DROPDOWN);
    EXPECT_FALSE(StyleOf(32825) & BTNS_DROPDOWN);
    const auto extended = static_cast<DWORD>(::SendMessageW(m_bar.GetSafeHwnd(), TB_GETEXTENDEDSTYLE, 0, 0));
    EXPECT_TRUE(extended & TBSTYLE_EX_DRAWDDARROWS);
    EXPECT_FALSE(MakeToolBarDropDown(40000, m_bar));

    CToolBar windowless;
    EXPECT_FALSE(MakeToolBarDropDown(32830, windowless));
}

TEST_F(ToolBarHelpersTest, ImageListFromABitmapWithGreyTransparent)
{
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP strip = ::CreateCompatibleBitmap(screen, 32, 16);
    ::ReleaseDC(nullptr, screen);
    ASSERT_TRUE(SetToolBarImageList(m_bar, strip, 16, 16));
    const auto list = reinterpret_cast<HIMAGELIST>(::SendMessageW(m_bar.GetSafeHwnd(), TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(list), 2);
    // A second strip replaces the first list.
    ASSERT_TRUE(SetToolBarImageList(m_bar, strip, 8, 16));
    EXPECT_EQ(::ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(::SendMessageW(m_bar.GetSafeHwnd(), TB_GETIMAGELIST, 0, 0))), 4);
    ::DeleteObject(strip);

    EXPECT_FALSE(SetToolBarImageList(m_bar, 9999u, 16, 16)); // no such bitmap resource
    EXPECT_FALSE(SetToolBarImageList(m_bar, static_cast<HBITMAP>(nullptr), 16, 16));
    CToolBar windowless;
    EXPECT_FALSE(SetToolBarImageList(windowless, 9999u, 16, 16));
}

} // namespace
