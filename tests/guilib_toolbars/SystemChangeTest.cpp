// A colour or settings change reaching every top-level window of the program,
// as the system sends it, while several bars exist: the library rebuilds its
// colours, brushes and fonts and reloads its image strips once per change.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPSystemChangeListener.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_toolbars/ToolBarTestIds.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

class CBarsFrame : public CKGPFrameWnd {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

// What the system does: the message goes to each top-level window (here:
// those of this thread), and the frame passes it on to its children as some
// frames do, so the bars hear it too.
void SendToEveryWindow(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    std::vector<HWND> topLevel;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM found) {
            reinterpret_cast<std::vector<HWND>*>(found)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&topLevel));
    for (HWND hWnd : topLevel) {
        ::SendMessageW(hWnd, message, wParam, lParam);
        CWnd::SendMessageToDescendants(hWnd, message, wParam, lParam, TRUE, FALSE);
    }
}

std::vector<std::uint32_t> Pixels(const CKGPToolBarImages& strip)
{
    std::vector<std::uint32_t> pixels;
    const CSize size = strip.GetImageSize();
    for (int image = 0; image < strip.GetCount(); ++image)
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                pixels.push_back(strip.GetPixel(image, x, y));
    return pixels;
}

class SystemChangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(nullptr, _T("Changes"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 420, 300)));
        for (UINT i = 0; i < bars.size(); ++i)
            ASSERT_TRUE(bars[i].Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE810 + i));
        ASSERT_TRUE(bars[0].LoadToolBar(IDR_TEST_TOOLBAR));
    }
    void TearDown() override
    {
        for (CKGPToolBar& bar : bars)
            bar.DestroyWindow();
        frame.DestroyWindow();
    }

    CBarsFrame frame;
    std::array<CKGPToolBar, 3> bars;
};

TEST_F(SystemChangeTest, ASettingsChangeRebuildsColoursBrushesAndFontsOnce)
{
    const HWND listener = CKGPSystemChangeListener::GetListenerWindow();
    ASSERT_NE(listener, nullptr) << "the bars started the library's one listener";
    EXPECT_EQ(::GetParent(listener), nullptr);
    EXPECT_EQ(::GetWindowThreadProcessId(listener, nullptr), ::GetCurrentThreadId());

    CKGPGlobalData& data = GetKGPGlobalData();
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, _T("EDIT"), _T("text"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &frame, 1));
    edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(data.GetRegularFont()));
    const HFONT oldRegular = data.GetRegularFont();
    const HFONT oldBold = data.GetBoldFont();
    const HBRUSH oldFace = data.GetBtnFaceBrush();
    const int textHeight = data.GetTextHeight();
    const int before = CKGPSystemChangeListener::GetRebuildCount();

    SendToEveryWindow(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, reinterpret_cast<LPARAM>(L"WindowMetrics"));

    EXPECT_EQ(CKGPSystemChangeListener::GetRebuildCount(), before + 1) << "once, not once per bar";
    EXPECT_NE(data.GetRegularFont(), oldRegular);
    EXPECT_NE(data.GetBoldFont(), oldBold);
    EXPECT_NE(data.GetBtnFaceBrush(), oldFace);
    EXPECT_EQ(::GetObjectType(oldRegular), 0u) << "the old font was deleted";
    EXPECT_EQ(::GetObjectType(oldFace), 0u) << "the old brush was deleted";
    EXPECT_EQ(::GetObjectType(data.GetRegularFont()), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(reinterpret_cast<HFONT>(edit.SendMessage(WM_GETFONT)), data.GetRegularFont())
        << "a window given the old font shows the new one";
    EXPECT_EQ(data.GetTextHeight(), textHeight) << "the same system font measures the same";
    edit.DestroyWindow();
}

TEST_F(SystemChangeTest, AColourChangeReloadsTheImageStripsOnce)
{
    CKGPToolBarImages strip;
    strip.SetImageSize(CSize(16, 15));
    ASSERT_TRUE(strip.Load(IDR_TEST_TOOLBAR));
    const std::vector<std::uint32_t> loaded = Pixels(strip);
    ASSERT_TRUE(strip.MakePale(80));  // a change the resource does not hold
    ASSERT_NE(Pixels(strip), loaded);
    const int count = strip.GetCount();
    const HBRUSH oldFace = GetKGPGlobalData().GetBtnFaceBrush();
    const int before = CKGPSystemChangeListener::GetRebuildCount();

    SendToEveryWindow(WM_SYSCOLORCHANGE);

    EXPECT_EQ(CKGPSystemChangeListener::GetRebuildCount(), before + 1);
    EXPECT_EQ(strip.GetCount(), count) << "reloaded, not added to";
    EXPECT_EQ(Pixels(strip), loaded) << "the strip was made again from its resource";
    EXPECT_NE(GetKGPGlobalData().GetBtnFaceBrush(), oldFace);

    // Keyed as when it was loaded, whatever key the strip holds now.
    CKGPToolBarImages keyed;
    keyed.SetImageSize(CSize(16, 15));
    keyed.SetTransparentColor(RGB(192, 192, 192));
    ASSERT_TRUE(keyed.Load(IDR_TEST_TOOLBAR));
    const std::vector<std::uint32_t> keyedPixels = Pixels(keyed);
    ASSERT_NE(keyedPixels, loaded) << "its light grey is clear";
    keyed.SetTransparentColor(RGB(255, 0, 0));  // as a grid keys what is added later
    SendToEveryWindow(WM_SYSCOLORCHANGE);
    EXPECT_EQ(Pixels(keyed), keyedPixels) << "the resource keyed with its own colour again";
    EXPECT_EQ(RGB(255, 0, 0), keyed.GetTransparentColor());
}

TEST_F(SystemChangeTest, ADisplayChangeIsHeardWithoutARebuild)
{
    // What is kept of the monitors (the desktop's reach, which stored docked
    // places are held to) is asked again after the listener hears of a change.
    const int reach = kgp_stored::DesktopReach();
    const int changes = CKGPSystemChangeListener::GetChangeCount();
    const int rebuilds = CKGPSystemChangeListener::GetRebuildCount();

    SendToEveryWindow(WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));

    EXPECT_EQ(CKGPSystemChangeListener::GetChangeCount(), changes + 1) << "once, not once per bar";
    EXPECT_EQ(CKGPSystemChangeListener::GetRebuildCount(), rebuilds) << "no colour or font changed";
    EXPECT_EQ(kgp_stored::DesktopReach(), reach) << "asked again of the same desktop";
    SendToEveryWindow(WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(CKGPSystemChangeListener::GetChangeCount(), changes + 2);
}

} // namespace
