// The layout after a restart: every pane (where it stands, its edge, its tab
// group and active tab, its rectangle, whether it shows, its auto-hide edge,
// its floating frame) and every bar (its edge, row and place or its floating
// frame, whether it shows, its buttons as customised) comes back as it was,
// through the registry and through the application's archive: for the host's
// own layout through a real close and start (and saved again, the same
// bytes), and for a dozen layouts of a seeded walk, each made in the running
// frame and loaded by a second frame made anew.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostLayoutWalk.h"
#include "tests/guilib_apphost/HostStoredValues.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

#include <deque>
#include <map>
#include <sstream>

namespace {

using Medium = CHostStateStore::Medium;

class LayoutRestartTest : public AppHostTest {
protected:
    void TearDown() override
    {
        HostApp().StateStore().m_medium = Medium::Registry;
        AppHostTest::TearDown();
    }
    static std::string Describe(CHostMainFrame& frame)
    {
        return apphost::DescribePanes(frame, frame.StoredPanes()) + apphost::DescribeBars(frame, frame.StoredBars());
    }
    // The bars changed as a user might: the Standard bar customised (its
    // second button taken off, its first moved behind the next separator),
    // the Format bar moved up into the Standard bar's row; then the Standard
    // bar floated, when asked.
    static void RearrangeBars(CHostMainFrame& frame, bool floatStandardBar)
    {
        CKGPToolBar& standard = frame.m_wndToolBar;
        ASSERT_TRUE(standard.RemoveButton(1));
        ASSERT_EQ(3, standard.InsertButtonCopy(*standard.GetButton(0), 3));
        ASSERT_TRUE(standard.RemoveButton(0));
        standard.AdjustLayout();
        CKGPToolBar& format = frame.m_wndFormatBar;
        CRect rect = apphost::ScreenRect(standard);
        rect.OffsetRect(rect.Width() + 40, 0);
        frame.DockControlBar(&format, AFX_IDW_DOCKBAR_TOP, rect);
        ASSERT_EQ(standard.GetDockBarRow(), format.GetDockBarRow());
        if (floatStandardBar) {
            ASSERT_TRUE(standard.FloatBar(CRect(CPoint(380, 300), standard.CalcFixedLayout(FALSE, TRUE))));
        }
        frame.RecalcLayout();
        apphost::PumpFor(0);
    }
    // The host's own layout, changed as a user might: the output pane
    // floated, the left pane wider, the other tab active.
    static void Rearrange(CHostMainFrame& frame)
    {
        ASSERT_TRUE(frame.m_wndWatch.FloatBar(CRect(260, 220, 460, 380), KGP_DM_UNKNOWN, true));
        if (CKGPSlider* slider = frame.m_wndShortcuts.GetDefaultPaneSlider())
            slider->MoveSlider(CSize(30, 0));
        frame.m_wndFiles.ShowPane(TRUE, FALSE, TRUE);
        frame.RecalcLayout();
        apphost::PumpFor(0);
    }
    // A second main frame made anew as the program makes its frame (placed
    // where the first stands, loaded from the store, shown); null when it
    // could not be made.
    static CHostMainFrame* LoadSecondFrame(CHostMainFrame& first)
    {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        first.GetWindowPlacement(&placement);
        CRect work;
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        CRect normal(placement.rcNormalPosition);
        normal.OffsetRect(work.left, work.top);
        HostApp().StateStore().StorePlacement(normal, static_cast<int>(placement.flags),
                                              static_cast<int>(placement.showCmd));
        auto* second = new CHostMainFrame; // deletes itself with its window
        if (!second->LoadFrame(IDR_MAINFRAME)) {
            delete second;
            return nullptr;
        }
        second->ShowWindow(SW_SHOWNORMAL);
        second->UpdateWindow();
        apphost::PumpFor(0);
        return second;
    }
};

// The host's own layout, rearranged, closed and started again: through the
// registry, then through the archive.
TEST_F(LayoutRestartTest, TheHostsLayoutComesBackAfterARestart)
{
    for (const Medium medium : {Medium::Registry, Medium::Archive}) {
        SCOPED_TRACE(medium == Medium::Registry ? "registry" : "archive");
        HostApp().StateStore().m_medium = medium;
        Rearrange(Frame());
        RearrangeBars(Frame(), medium == Medium::Archive);
        const std::string saved = Describe(Frame());
        ASSERT_TRUE(Close());
        EXPECT_TRUE(HostApp().StateStore().m_bLayoutSaved);
        const auto bytes = apphost::StoredValues();
        ASSERT_TRUE(Start());
        EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
        EXPECT_EQ(saved, Describe(Frame()));
        // A floating frame stands where it stood and shows over the frame.
        CKGPMiniFrameWnd* floating = Frame().m_wndWatch.GetParentMiniFrame(TRUE);
        ASSERT_NE(nullptr, floating);
        EXPECT_TRUE(apphost::IsShown(*floating));
        EXPECT_TRUE(apphost::WaitUntil(
            [&] { return apphost::ShowsAt(floating->GetSafeHwnd(), apphost::ScreenRect(*floating).CenterPoint()); }))
            << "the floating frame is seen";
        // Closed (saved the same bytes) and started once more without a
        // change: the same again.
        ASSERT_TRUE(Close());
        const auto again = apphost::StoredValues();
        for (const auto& [name, value] : bytes) {
            const auto now = again.find(name);
            EXPECT_TRUE(now != again.end() && now->second == value) << "saved again otherwise: " << CStringA(name.c_str());
        }
        EXPECT_EQ(bytes.size(), again.size());
        ASSERT_TRUE(Start());
        EXPECT_EQ(saved, Describe(Frame()));
        apphost::Screenshot(medium == Medium::Registry ? L"apphost_restart_registry.bmp"
                                                       : L"apphost_restart_archive.bmp");
        ForgetStoredState();
        ASSERT_TRUE(Close());
        ForgetStoredState();
        ASSERT_TRUE(Start());
    }
}

// A dozen layouts of a seeded walk, each saved from the running frame and
// loaded by a second frame made anew, through the registry and the archive.
TEST_F(LayoutRestartTest, ADozenWalkedLayoutsComeBackInAFrameMadeAnew)
{
    constexpr unsigned long kSeed = 0x1a70e49;
    constexpr int kLayouts = 12;
    constexpr int kStepsPerLayout = 10;
    CHostMainFrame& frame = Frame();
    // The shortcuts stay at the left; Find floats where it was made.
    std::vector<CKGPDockingControlBar*> walked{&frame.m_wndFiles,  &frame.m_wndClasses,    &frame.m_wndOutput,
                                               &frame.m_wndWatch,  &frame.m_wndProperties, &frame.m_wndTasks};
    apphost::CLayoutWalk walk(frame, walked, kSeed);
    std::deque<std::string> recent;
    for (int layout = 0; layout < kLayouts; ++layout) {
        for (int step = 0; step < kStepsPerLayout; ++step) {
            recent.push_back(walk.Step());
            if (recent.size() > 2 * kStepsPerLayout)
                recent.pop_front();
        }
        apphost::PumpFor(0);
        // (A frame made anew opens no note: its menu bar shows the menu
        // without one.)
        auto describe = [](CHostMainFrame& shown) {
            return apphost::DescribePanes(shown, shown.StoredPanes()) +
                   apphost::DescribeBars(shown, {&shown.m_wndToolBar, &shown.m_wndFormatBar});
        };
        const std::string saved = describe(frame);
        for (const Medium medium : {Medium::Registry, Medium::Archive}) {
            HostApp().StateStore().m_medium = medium;
            ASSERT_TRUE(HostApp().StateStore().SaveLayout(frame));
            CHostMainFrame* second = LoadSecondFrame(frame);
            ASSERT_NE(nullptr, second);
            const bool loaded = HostApp().StateStore().m_bLayoutLoaded != FALSE;
            const std::string again = describe(*second);
            second->DestroyWindow();
            apphost::PumpFor(0);
            if (!loaded || again != saved) {
                std::ostringstream log;
                for (const std::string& line : recent)
                    log << "\n    " << line;
                FAIL() << "layout " << layout << " (seed 0x" << std::hex << kSeed << std::dec << "), through the "
                       << (medium == Medium::Registry ? "registry" : "archive") << (loaded ? "" : ", not loaded")
                       << "; the last steps:" << log.str() << "\n  saved:\n"
                       << saved << "  loaded:\n"
                       << again;
            }
        }
    }
}

} // namespace
