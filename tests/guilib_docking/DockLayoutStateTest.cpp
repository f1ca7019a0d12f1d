// The whole docking layout saved and loaded: panes docked in trees at two
// edges, floating, auto-hidden in a group, come back in a frame made anew;
// a missing, damaged or older layout changes nothing live or drops only what
// no longer fits; the layout checker after every step.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPTabbedControlBar.h"
#include "tests/guilib_docking/DockLayoutState.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <algorithm>

namespace {

using namespace docking_test;

// The stored layout value as bytes (empty when missing).
std::vector<BYTE> StoredLayout()
{
    CString key;
    key.Format(_T("%sKGPDockManager-%d"), kLayoutProfile, kLayoutFrameId);
    CKGPRegistryHandle reg(FALSE, TRUE);
    std::vector<BYTE> bytes;
    if (!reg->Open(key))
        return bytes;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (reg->Read(_T("DockingCBAndSliders"), &pData, &nBytes)) {
        bytes.assign(pData, pData + nBytes);
        delete[] pData;
    }
    return bytes;
}

void WriteStoredLayout(const std::vector<BYTE>& bytes)
{
    CString key;
    key.Format(_T("%sKGPDockManager-%d"), kLayoutProfile, kLayoutFrameId);
    CKGPRegistryHandle reg(FALSE, FALSE);
    ASSERT_TRUE(reg->CreateKey(key));
    ASSERT_TRUE(reg->Write(_T("DockingCBAndSliders"), bytes.data(), static_cast<UINT>(bytes.size())));
}

// The floating frames' windows of the thread, whoever lists them.
int FloatingFramesOf(CWnd& frame)
{
    struct Count {
        HWND owner;
        int n;
    } count{frame.GetSafeHwnd(), 0};
    ::EnumThreadWindows(::GetCurrentThreadId(),
                        [](HWND hWnd, LPARAM param) -> BOOL {
                            auto* c = reinterpret_cast<Count*>(param);
                            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
                            if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKGPMiniFrameWnd)) &&
                                ::GetWindow(hWnd, GW_OWNER) == c->owner)
                                ++c->n;
                            return TRUE;
                        },
                        reinterpret_cast<LPARAM>(&count));
    return count.n;
}

// Where an auto-hidden pane's slider stands (frame client coordinates).
CRect AutoHideSliderPlace(CLayoutFrame& f, int pane)
{
    CRect rect;
    if (CKGPSlider* pSlider = f.Pane(pane)->GetDefaultPaneSlider()) {
        pSlider->GetWindowRect(rect);
        f.frame.ScreenToClient(rect);
    }
    return rect;
}

std::string RectText(const CRect& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.Width()) + "x" +
           std::to_string(rect.Height());
}

// A pane of the frame that may not float (id 3099).
std::unique_ptr<CKGPDockingControlBar> MakeFixedPane(CLayoutFrame& f)
{
    auto pane = std::make_unique<CKGPDockingControlBar>();
    EXPECT_TRUE(pane->Create(_T("Fixed"), &f.frame, CRect(0, 0, 150, 200), TRUE, 3099,
                             WS_CHILD | WS_VISIBLE | CBRS_RIGHT, KGP_TAB_STYLE_TABBED, KGP_BARSTYLE_RESIZE));
    pane->EnableDocking(CBRS_ALIGN_ANY);
    return pane;
}

class DockLayoutStateTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteLayoutProfile(); }
    void TearDown() override { DeleteLayoutProfile(); }

    // Five panes: two in a tree at the left, one at the bottom, one floating,
    // one auto-hidden at the right.
    static void Arrange(CLayoutFrame& f)
    {
        ASSERT_TRUE(f.Pane(2)->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
        ASSERT_TRUE(f.Pane(3)->FloatBar(CRect(300, 200, 480, 380), KGP_DM_UNKNOWN, true));
        ASSERT_TRUE(f.Pane(4)->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        f.frame.RecalcLayout();
        ASSERT_NE(nullptr, f.Pane(4)->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, nullptr, FALSE));
        // The first pane made wider, the second left at its height.
        CKGPSlider* slider = f.Pane(0)->GetDefaultPaneSlider();
        ASSERT_NE(nullptr, slider);
        slider->MoveSlider(CSize(40, 0));
        f.frame.RecalcLayout();
    }
};

TEST_F(DockLayoutStateTest, AWholeLayoutComesBackInAFrameMadeAnew)
{
    std::string saved;
    {
        CLayoutFrame f(5);
        Arrange(f);
        f.ExpectSound("arranged");
        saved = f.Describe();
        ASSERT_TRUE(f.Save());
        // Saving changes nothing.
        EXPECT_EQ(saved, f.Describe());
        f.ExpectSound("saved");
    }
    EXPECT_FALSE(StoredLayout().empty());

    CLayoutFrame g(5);
    const std::string fresh = g.Describe();
    ASSERT_NE(saved, fresh);
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded");
    EXPECT_EQ(saved, g.Describe());
    // Nothing left of the default layout: one slider per edge used.
    EXPECT_EQ(g.Pane(0)->GetDefaultPaneSlider(), g.Pane(1)->GetDefaultPaneSlider());
    EXPECT_NE(g.Pane(0)->GetDefaultPaneSlider(), g.Pane(2)->GetDefaultPaneSlider());
    ExpectSoundTree(g.Pane(0)->GetDefaultPaneSlider(), "left tree loaded");
    ExpectSoundTree(g.Pane(2)->GetDefaultPaneSlider(), "bottom tree loaded");
    EXPECT_EQ(1, g.Manager().GetAutoHideBars().GetCount());

    // Saved and loaded again in the same frame: the same.
    ASSERT_TRUE(g.Save());
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded twice");
    EXPECT_EQ(saved, g.Describe());
    // The auto-hidden pane still slides out from its button and back.
    g.Pane(4)->Slide(TRUE, FALSE);
    EXPECT_TRUE(g.Pane(4)->IsWindowVisible());
    g.Pane(4)->Slide(FALSE, FALSE);
    g.ExpectSound("slid");
}

TEST_F(DockLayoutStateTest, AutoHiddenPanesComeBackInTheirGroups)
{
    std::string saved;
    {
        CLayoutFrame f(4);
        ASSERT_TRUE(f.Pane(2)->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
        ASSERT_TRUE(f.Pane(3)->DockToBar(f.Pane(2), CBRS_ALIGN_RIGHT));
        f.frame.RecalcLayout();
        // Two pinned together at the bottom, one alone at the left.
        CKGPAutoHideToolBar* group = f.Pane(2)->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, nullptr, FALSE);
        ASSERT_NE(nullptr, group);
        ASSERT_EQ(group, f.Pane(3)->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, group, FALSE));
        ASSERT_NE(nullptr, f.Pane(1)->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE));
        f.ExpectSound("pinned");
        saved = f.Describe();
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame g(4);
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded");
    EXPECT_EQ(saved, g.Describe());
    ASSERT_NE(nullptr, g.Pane(2)->GetAutoHideToolBar());
    EXPECT_EQ(g.Pane(2)->GetAutoHideToolBar(), g.Pane(3)->GetAutoHideToolBar());
    EXPECT_NE(g.Pane(2)->GetAutoHideToolBar(), g.Pane(1)->GetAutoHideToolBar());
}

// The layout archived (Serialize) rather than kept in the registry: read for
// this frame, floating frames included; the layout alone keeps the panes
// showing as they show; with the panes' own records before it, a frame made
// anew takes the whole layout, and archives it again to the same bytes.
TEST_F(DockLayoutStateTest, ALayoutComesBackThroughTheArchiveAsThroughTheRegistry)
{
    const auto loadArchive = [](CLayoutFrame& f, const std::vector<BYTE>& bytes, bool bWithPanes) {
        keyloft_test::LoadBytes(bytes, [&](CArchive& ar) {
            if (bWithPanes) {
                for (auto& pane : f.panes)
                    pane->Serialize(ar);
            }
            f.Manager().Serialize(ar);
        });
        f.Manager().ApplyLoadedState();
        f.frame.RecalcLayout();
    };
    const auto storeArchive = [](CLayoutFrame& f) {
        return keyloft_test::StoredBytes([&](CArchive& ar) {
            for (auto& pane : f.panes)
                pane->Serialize(ar);
            f.Manager().Serialize(ar);
        });
    };
    std::string saved;
    std::vector<BYTE> whole;
    CRect autoHideSlider;
    {
        CLayoutFrame f(5);
        Arrange(f);
        f.Pane(1)->ShowPane(FALSE, FALSE, FALSE);
        f.frame.RecalcLayout();
        saved = f.Describe();
        const std::vector<BYTE> layout = keyloft_test::StoredBytes([&](CArchive& ar) { f.Manager().Serialize(ar); });
        try {
            loadArchive(f, layout, false);
        } catch (CException* e) {
            e->Delete();
            FAIL() << "the frame's own archived layout is refused";
        }
        f.ExpectSound("loaded from its archive");
        EXPECT_EQ(saved, f.Describe());
        EXPECT_EQ(1, FloatingFramesOf(f.frame));
        whole = storeArchive(f);
        autoHideSlider = AutoHideSliderPlace(f, 4);
    }
    CLayoutFrame g(5);
    loadArchive(g, whole, true);
    g.ExpectSound("loaded anew from the archive");
    EXPECT_EQ(saved, g.Describe());
    const std::vector<BYTE> again = storeArchive(g);
    // The auto-hidden pane's slider stands against the strip, as it stood.
    EXPECT_EQ(autoHideSlider, AutoHideSliderPlace(g, 4));
    const auto differ = std::mismatch(whole.begin(), whole.end(), again.begin(), again.end());
    EXPECT_TRUE(differ.first == whole.end() && differ.second == again.end())
        << "archived again, the bytes differ from byte " << (differ.first - whole.begin()) << " of " << whole.size()
        << " (" << again.size() << " now)";
}

// A loaded tree laid out in more room than it was stored with keeps the
// shares it was stored with (its sides grow from their stored extents): saved
// then, loaded and saved again, the layout is the same bytes.
TEST_F(DockLayoutStateTest, ALayoutLoadedIntoMoreRoomSavesTheSameAgain)
{
    {
        CLayoutFrame f(3);
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame g(3);
    CRect window;
    g.frame.GetWindowRect(window);
    window.bottom += 160;
    g.frame.MoveWindow(window);
    g.frame.RecalcLayout();
    ASSERT_TRUE(g.Load());
    ASSERT_TRUE(g.Save());
    const std::vector<BYTE> first = StoredLayout();
    const std::string saved = g.Describe();
    ASSERT_TRUE(g.Load());
    EXPECT_EQ(saved, g.Describe());
    ASSERT_TRUE(g.Save());
    EXPECT_EQ(first, StoredLayout());
}

// What a frame made anew must bring back that its own default layout hides:
// a pane auto-hidden in the new frame but docked in the saved layout (the
// stored tree names it: it must be found), a pane floating alone at the size
// its frame was given, and a pane that may not float (its tree is not
// stored) at its saved width.
TEST_F(DockLayoutStateTest, PanesComeBackFromWhereverTheFrameMadeAnewHasThem)
{
    std::string saved;
    {
        CLayoutFrame f(3, CSize(40, 40), 0);
        ASSERT_TRUE(f.Pane(2)->FloatBar(CRect(300, 200, 520, 330), KGP_DM_UNKNOWN, true));
        f.panes.push_back(MakeFixedPane(f));
        ASSERT_TRUE(f.Pane(3)->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        f.frame.RecalcLayout();
        CKGPSlider* slider = f.Pane(3)->GetDefaultPaneSlider();
        ASSERT_NE(nullptr, slider);
        slider->MoveSlider(CSize(-40, 0));
        f.frame.RecalcLayout();
        saved = f.Describe();
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame g(3, CSize(40, 40), 0);
    g.panes.push_back(MakeFixedPane(g));
    ASSERT_TRUE(g.Pane(3)->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    ASSERT_NE(nullptr, g.Pane(1)->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE));
    g.frame.RecalcLayout();
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded");
    EXPECT_EQ(saved, g.Describe());
    EXPECT_FALSE(g.Pane(1)->IsAutoHideMode());
}

TEST_F(DockLayoutStateTest, AMissingLayoutLoadsNothingAndKeepsTheDefault)
{
    CLayoutFrame f(3);
    const std::string before = f.Describe();
    EXPECT_FALSE(f.Manager().LoadState(kLayoutProfile, kLayoutFrameId));
    EXPECT_FALSE(f.Manager().IsLoadFailed());
    f.Manager().ApplyLoadedState();
    EXPECT_EQ(before, f.Describe());
    f.ExpectSound("nothing loaded");
}

TEST_F(DockLayoutStateTest, ADamagedLayoutIsRefusedWholeAndMakesNothing)
{
    {
        CLayoutFrame f(5);
        Arrange(f);
        ASSERT_TRUE(f.Save());
    }
    const std::vector<BYTE> stored = StoredLayout();
    ASSERT_GT(stored.size(), 40u);
    CLayoutFrame g(5);
    ASSERT_TRUE(g.Pane(4)->FloatBar(CRect(200, 200, 360, 320), KGP_DM_UNKNOWN, true));
    g.frame.RecalcLayout();
    const std::string before = g.Describe();
    const int floatingBefore = FloatingFramesOf(g.frame);
    // Cut at every few bytes: past the sliders, past the floating frame, in
    // the auto-hide records.
    for (size_t cut = 1; cut < stored.size(); cut += 7) {
        WriteStoredLayout(std::vector<BYTE>(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(cut)));
        EXPECT_FALSE(g.Manager().LoadState(kLayoutProfile, kLayoutFrameId)) << cut;
        EXPECT_TRUE(g.Manager().IsLoadFailed()) << cut;
        g.Manager().ApplyLoadedState(); // does nothing after a failed load
        ASSERT_EQ(before, g.Describe()) << cut;
        ASSERT_EQ(floatingBefore, FloatingFramesOf(g.frame)) << cut;
    }
    g.ExpectSound("after the damaged loads");
    // The whole value still loads.
    WriteStoredLayout(stored);
    ASSERT_TRUE(g.Load());
    EXPECT_FALSE(g.Manager().IsLoadFailed());
    g.ExpectSound("the whole value loaded");
}

TEST_F(DockLayoutStateTest, AnOlderLayoutPlacesThePanesThatStillExist)
{
    std::string saved;
    {
        CLayoutFrame f(5);
        Arrange(f);
        saved = f.Describe();
        ASSERT_TRUE(f.Save());
    }
    // The frame now has no fifth pane (the auto-hidden one) and no fourth
    // (the floating one).
    CLayoutFrame g(3);
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded without two panes");
    // The left tree as it was; the bottom pane at the bottom (wider, with
    // no auto-hide strip at the right any more).
    const std::string now = g.Describe();
    EXPECT_EQ(saved.substr(0, saved.find("3003 ")), now.substr(0, now.find("3003 ")));
    EXPECT_NE(std::string::npos, now.find("3003 docked 32768 204,333,"));
    EXPECT_EQ(0, g.Manager().GetAutoHideBars().GetCount());
    EXPECT_EQ(0, FloatingFramesOf(g.frame));
}

TEST_F(DockLayoutStateTest, AFloatingFrameFromAMonitorGoneLandsOnOneThatExists)
{
    {
        CLayoutFrame f(2);
        ASSERT_TRUE(f.Pane(1)->FloatBar(CRect(300, 200, 480, 380), KGP_DM_UNKNOWN, true));
        // Where a second monitor stood.
        f.Pane(1)->GetParentMiniFrame()->SetWindowPos(HWND{}, 9000, 200, 180, 180, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame g(2);
    ASSERT_TRUE(g.Load());
    CKGPMiniFrameWnd* pFloating = g.Pane(1)->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, pFloating);
    CRect rect;
    pFloating->GetWindowRect(rect);
    EXPECT_NE(nullptr, ::MonitorFromRect(rect, MONITOR_DEFAULTTONULL));
    EXPECT_EQ(180, rect.Width());
    g.ExpectSound("floating frame moved on screen");
}

TEST_F(DockLayoutStateTest, AutoHideCountsAreOfTheRecordsWritten)
{
    {
        CLayoutFrame f(2);
        ASSERT_NE(nullptr, f.Pane(1)->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE));
        // An auto-hide slider whose tree holds no pane stands in the list too.
        CKGPSlider* empty = CKGPSlider::CreateDefaultSlider(CBRS_ALIGN_RIGHT, &f.frame);
        ASSERT_NE(nullptr, empty);
        empty->SetAutoHideMode(TRUE);
        ASSERT_TRUE(f.Manager().AddControlBar(empty, TRUE, TRUE));
        ASSERT_EQ(2, f.Manager().GetAutoHideBars().GetCount());
        ASSERT_TRUE(f.Save());
        f.Manager().RemoveControlBar(empty, FALSE, FALSE, TRUE);
        empty->DestroyWindow();
    }
    CLayoutFrame g(2);
    ASSERT_TRUE(g.Load());
    EXPECT_TRUE(g.Pane(1)->IsAutoHideMode());
    EXPECT_EQ(1, g.Manager().GetAutoHideBars().GetCount());
    g.ExpectSound("one pane auto-hidden");
}

// A tabbed bar that may not float, stored with its tabs.
class CFixedTabbedBar : public CKGPTabbedControlBar {
public:
    CFixedTabbedBar() : CKGPTabbedControlBar(FALSE) {}
};

TEST_F(DockLayoutStateTest, ATabbedBarGoneSinceIsReadPastAndTheRestStillLoads)
{
    std::string saved;
    {
        CLayoutFrame f(3);
        CFixedTabbedBar tabbed;
        ASSERT_TRUE(tabbed.Create(_T("Tabs"), &f.frame, CRect(0, 0, 200, 200), TRUE, 3100,
                                  WS_CHILD | WS_VISIBLE | CBRS_LEFT, KGP_TAB_STYLE_TABBED,
                                  KGP_BARSTYLE_RESIZE | KGP_BARSTYLE_CLOSE));
        ASSERT_FALSE(tabbed.CanFloat());
        ASSERT_TRUE(tabbed.DockToWindow(CBRS_ALIGN_TOP, nullptr));
        ASSERT_TRUE(f.Pane(2)->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        ASSERT_NE(nullptr, f.Pane(2)->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, nullptr, FALSE));
        saved = f.Describe();
        ASSERT_TRUE(f.Save());
        tabbed.DestroyWindow();
    }
    // The new frame has no such tabbed bar: its record is read into a
    // scratch bar and dropped, and what follows is read where it stands.
    CLayoutFrame g(3);
    ASSERT_TRUE(g.Load());
    EXPECT_TRUE(g.Pane(2)->IsAutoHideMode());
    EXPECT_EQ(CBRS_ALIGN_RIGHT, g.Pane(2)->GetCurrentAlignment());
    g.ExpectSound("loaded without the tabbed bar");
}

// A class the layout never stores as a floating frame.
class CNotAFrame : public CObject {
    DECLARE_SERIAL(CNotAFrame)
public:
    static int s_nMade;
    CNotAFrame() { ++s_nMade; }
};
IMPLEMENT_SERIAL(CNotAFrame, CObject, 1)
int CNotAFrame::s_nMade = 0;

TEST_F(DockLayoutStateTest, AFloatingFrameRecordOfAnotherClassIsRefusedBeforeAnythingIsMade)
{
    CLayoutFrame g(2);
    const std::string before = g.Describe();
    WriteStoredLayout(keyloft_test::StoredBytes([](CArchive& ar) {
        ar << DWORD(0) << DWORD(0) << DWORD(1); // no tabbed bars, no sliders, one floating frame
        ar.WriteClass(RUNTIME_CLASS(CNotAFrame));
        ar << DWORD(0) << DWORD(0);
    }));
    CNotAFrame::s_nMade = 0;
    EXPECT_FALSE(g.Manager().LoadState(kLayoutProfile, kLayoutFrameId));
    EXPECT_EQ(0, CNotAFrame::s_nMade);
    g.Manager().ApplyLoadedState();
    EXPECT_EQ(before, g.Describe());
    EXPECT_EQ(0, FloatingFramesOf(g.frame));
}

} // namespace

namespace {

int CountWindows(CWnd& frame)
{
    int n = 0;
    ::EnumChildWindows(frame.GetSafeHwnd(), [](HWND, LPARAM p) -> BOOL { ++*reinterpret_cast<int*>(p); return TRUE; },
                       reinterpret_cast<LPARAM>(&n));
    return n + FloatingFramesOf(frame);
}

TEST_F(DockLayoutStateTest, LoadingAgainAndAgainLeavesNoWindowBehind)
{
    CLayoutFrame f(5);
    Arrange(f);
    ASSERT_TRUE(f.Save());
    ASSERT_TRUE(f.Load());
    keyloft_test::Pump(20);
    const std::string once = f.Describe();
    const int windows = CountWindows(f.frame);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(f.Load()); // without a message between loads
        EXPECT_EQ(windows, CountWindows(f.frame)) << i;
        EXPECT_EQ(once, f.Describe()) << i;
    }
    keyloft_test::Pump(20);
    EXPECT_EQ(windows, CountWindows(f.frame));
}

// The sides' shares of the trees' nodes stored: a pane hidden in its tree
// when the layout was saved comes back at its share when shown after a load.
TEST_F(DockLayoutStateTest, ATreesSharesComeBackSoAPaneShownAfterALoadTakesItsShare)
{
    std::string shown;
    {
        CLayoutFrame f(3);
        const CObList* sliders = f.Pane(0)->GetDefaultPaneSlider()->GetSliders();
        ASSERT_TRUE(sliders != nullptr && !sliders->IsEmpty());
        static_cast<CKGPSlider*>(sliders->GetHead())->MoveSlider(CSize(0, 60));
        f.frame.RecalcLayout();
        f.Pane(1)->ShowPane(FALSE, FALSE, FALSE);
        f.frame.RecalcLayout();
        ASSERT_TRUE(f.Save());
        f.Pane(1)->ShowPane(TRUE, FALSE, FALSE);
        f.frame.RecalcLayout();
        f.ExpectSound("shown again where it was saved");
        shown = f.Describe();
    }
    CLayoutFrame g(3);
    ASSERT_TRUE(g.Load());
    g.Pane(1)->ShowPane(TRUE, FALSE, FALSE);
    g.frame.RecalcLayout();
    g.ExpectSound("shown again after the load");
    EXPECT_EQ(shown, g.Describe());
}

// A layout stored before the shares were kept (its nodes without them)
// still loads, its trees split as their panes' rectangles say.
TEST_F(DockLayoutStateTest, ALayoutStoredWithoutSharesStillLoads)
{
    std::string saved;
    {
        CLayoutFrame f(5);
        Arrange(f);
        saved = f.Describe(false);
        ASSERT_TRUE(f.Save());
    }
    std::vector<BYTE> bytes = StoredLayout();
    // Each node's shares and extents: the mark 0xFFFFFFFE, two words up to
    // 100 and two up to 0x7FFF.
    int nodes = 0;
    for (size_t i = 0; i + 20 <= bytes.size();) {
        const bool mark = bytes[i] == 0xFE && bytes[i + 1] == 0xFF && bytes[i + 2] == 0xFF && bytes[i + 3] == 0xFF;
        bool words = true;
        for (size_t w = 4; w < 20; w += 4)
            words = words && bytes[i + w + 2] == 0 && bytes[i + w + 3] == 0 && bytes[i + w + 1] < 0x80;
        if (mark && words && bytes[i + 4] <= 100 && bytes[i + 5] == 0 && bytes[i + 8] <= 100 && bytes[i + 9] == 0) {
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(i), bytes.begin() + static_cast<std::ptrdiff_t>(i + 20));
            ++nodes;
            continue;
        }
        ++i;
    }
    ASSERT_GE(nodes, 2); // the left tree's two nodes and the bottom one's
    WriteStoredLayout(bytes);
    CLayoutFrame g(5);
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded without shares");
    EXPECT_EQ(saved, g.Describe(false));
}

// A tabbed pane auto-hidden stands as its tabs' buttons on one toolbar,
// which come back as one group.
TEST_F(DockLayoutStateTest, ATabbedPaneAutoHiddenComesBackAsItsTabsButtonsInOneGroup)
{
    std::string saved;
    {
        CLayoutFrame f(3);
        CKGPDockingControlBar* tabbed = nullptr;
        ASSERT_NE(nullptr, f.Pane(1)->AttachToTabWnd(f.Pane(0), KGP_DM_UNKNOWN, TRUE, &tabbed));
        ASSERT_NE(nullptr, f.Pane(2)->AttachToTabWnd(tabbed, KGP_DM_UNKNOWN, FALSE));
        f.frame.RecalcLayout();
        CKGPAutoHideToolBar* toolbar = tabbed->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE);
        ASSERT_NE(nullptr, toolbar);
        ASSERT_EQ(3, toolbar->GetButtonCount());
        f.ExpectSound("auto-hidden as three buttons");
        saved = f.Describe();
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame g(3);
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded");
    EXPECT_EQ(saved, g.Describe());
    CKGPAutoHideToolBar* toolbar = g.Pane(0)->GetAutoHideToolBar();
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(3, toolbar->GetButtonCount());
    EXPECT_EQ(g.Pane(0), toolbar->GetFirstAttachedPane());
    EXPECT_EQ(g.Pane(2), toolbar->GetLastAttachedPane());
}

// A floating frame that holds a loaded record's one pane alone is moved to the
// stored place, not made anew; frames holding more, or a record holding more,
// are made as stored.
TEST_F(DockLayoutStateTest, ALoadMovesTheLiveFloatingFrameHoldingItsPaneAlone)
{
    CLayoutFrame f(4);
    // Pane 0 floats alone, panes 1 and 2 float together, pane 3 stays docked.
    ASSERT_TRUE(f.Pane(0)->FloatBar(CRect(300, 200, 480, 380), KGP_DM_UNKNOWN, true));
    ASSERT_TRUE(f.Pane(1)->FloatBar(CRect(520, 200, 700, 380), KGP_DM_UNKNOWN, true));
    ASSERT_TRUE(f.Pane(2)->FloatBar(CRect(520, 420, 700, 600), KGP_DM_UNKNOWN, true));
    auto* pTogether = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, f.Pane(1)->GetParentMiniFrame(TRUE));
    auto* pJoining = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, f.Pane(2)->GetParentMiniFrame(TRUE));
    ASSERT_NE(nullptr, pTogether);
    ASSERT_EQ(0, pTogether->DockFrame(pJoining, KGP_DM_UNKNOWN));
    keyloft_test::Pump(20);
    ASSERT_EQ(2, pTogether->GetControlBarCount());
    f.frame.RecalcLayout();
    f.ExpectSound("arranged");
    const std::string saved = f.Describe();
    ASSERT_TRUE(f.Save());

    // Pane 0's frame moved and its caption buttons changed meanwhile; pane 2
    // docked: its frame's record holds more than pane 1's frame now does.
    CKGPMiniFrameWnd* pAlone = f.Pane(0)->GetParentMiniFrame(TRUE);
    const HWND hAlone = pAlone->GetSafeHwnd();
    const DWORD buttons = pAlone->GetCaptionButtonFlags();
    pAlone->SetWindowPos(HWND{}, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pAlone->SetCaptionButtons(buttons & ~KGP_CAPTION_BTN_CLOSE);
    ASSERT_TRUE(f.Pane(2)->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    f.frame.RecalcLayout();
    ASSERT_NE(saved, f.Describe());

    ASSERT_TRUE(f.Load());
    keyloft_test::Pump(20);
    f.ExpectSound("loaded");
    EXPECT_EQ(saved, f.Describe());
    EXPECT_EQ(hAlone, f.Pane(0)->GetParentMiniFrame(TRUE)->GetSafeHwnd());
    EXPECT_EQ(buttons, f.Pane(0)->GetParentMiniFrame(TRUE)->GetCaptionButtonFlags());
    EXPECT_EQ(f.Pane(1)->GetParentMiniFrame(TRUE), f.Pane(2)->GetParentMiniFrame(TRUE));
    EXPECT_EQ(2, FloatingFramesOf(f.frame));

    // Pane 0 joins pane 1's frame: no frame holds a loaded record's pane
    // alone, so each record makes its frame, and the joined one goes.
    auto* pOfZero = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, f.Pane(0)->GetParentMiniFrame(TRUE));
    auto* pOfOne = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, f.Pane(1)->GetParentMiniFrame(TRUE));
    ASSERT_NE(nullptr, pOfOne);
    ASSERT_EQ(0, pOfOne->DockFrame(pOfZero, KGP_DM_UNKNOWN));
    keyloft_test::Pump(20);
    ASSERT_EQ(3, pOfOne->GetControlBarCount());
    const HWND hJoined = pOfOne->GetSafeHwnd();
    ASSERT_TRUE(f.Load());
    keyloft_test::Pump(20);
    f.ExpectSound("loaded over a joined frame");
    EXPECT_EQ(saved, f.Describe());
    EXPECT_FALSE(::IsWindow(hJoined));
    EXPECT_NE(f.Pane(0)->GetParentMiniFrame(TRUE), f.Pane(1)->GetParentMiniFrame(TRUE));
    EXPECT_EQ(2, FloatingFramesOf(f.frame));
}

// A pane that floats in the stored layout and stands as a tab of a floating
// tabbed pane when it is loaded leaves that tab for its floating frame (alone
// in one, or with others in one of several panes): in one place only.
TEST_F(DockLayoutStateTest, APaneFloatingInTheLayoutLeavesTheTabItStandsInWhenLoaded)
{
    for (const DWORD style : {DWORD(0), DWORD(KGP_CBRS_FLOAT_MULTI)}) {
        SCOPED_TRACE(style);
        DeleteLayoutProfile();
        CLayoutFrame f(3, CSize(40, 40), style);
        ASSERT_TRUE(f.Pane(2)->FloatBar(CRect(300, 200, 480, 380), KGP_DM_UNKNOWN, true));
        f.frame.RecalcLayout();
        f.ExpectSound("arranged");
        const std::string saved = f.Describe();
        ASSERT_TRUE(f.Save());

        // Pane 2 becomes a tab of pane 1, which floats.
        ASSERT_TRUE(f.Pane(1)->FloatBar(CRect(520, 200, 700, 380), KGP_DM_UNKNOWN, true));
        ASSERT_EQ(f.Pane(2), f.Pane(2)->AttachToTabWnd(f.Pane(1), KGP_DM_SHOW, TRUE));
        CKGPBaseControlBar* pTabbed = f.Pane(2)->GetParentTabbedBar();
        ASSERT_NE(nullptr, pTabbed);
        ASSERT_NE(nullptr, pTabbed->GetParentMiniFrame(TRUE));
        f.frame.RecalcLayout();
        ASSERT_NE(saved, f.Describe());

        ASSERT_TRUE(f.Load());
        keyloft_test::Pump(20);
        f.ExpectSound("loaded");
        EXPECT_EQ(saved, f.Describe());
        EXPECT_FALSE(f.Pane(2)->IsTabbed());
        EXPECT_FALSE(f.Pane(1)->IsTabbed());
    }
}

// A pane dropped as a tab on a floating pane makes a floating tabbed pane,
// which has no id of its own: the layout holding it loads back (its floating
// frame's record names no bar it cannot find), and saves the same again.
TEST_F(DockLayoutStateTest, ALayoutWithAFloatingTabbedPaneLoadsBack)
{
    for (const DWORD style : {DWORD(0), DWORD(KGP_CBRS_FLOAT_MULTI)}) {
        SCOPED_TRACE(style);
        DeleteLayoutProfile();
        CLayoutFrame f(3, CSize(40, 40), style);
        // The panes and the tabbed pane they stand in.
        auto expectSound = [&f](const char* step) {
            layout_check::LayoutView layout = SnapshotLayout(f.Manager(), {f.Pane(2)->GetParentTabbedBar()});
            for (auto& pane : f.panes)
                layout.bars.push_back(ViewOfBar(pane.get()));
            EXPECT_EQ("", Faults(layout_check::CheckDockLayout(layout))) << step;
        };
        ASSERT_TRUE(f.Pane(1)->FloatBar(CRect(520, 200, 700, 380), KGP_DM_UNKNOWN, true));
        ASSERT_EQ(f.Pane(2), f.Pane(2)->AttachToTabWnd(f.Pane(1), KGP_DM_SHOW, TRUE));
        ASSERT_NE(nullptr, f.Pane(2)->GetParentTabbedBar()->GetParentMiniFrame(TRUE));
        f.frame.RecalcLayout();
        expectSound("arranged");
        const std::string saved = f.Describe();
        ASSERT_TRUE(f.Save());
        const std::vector<BYTE> bytes = StoredLayout();

        ASSERT_TRUE(f.Load());
        keyloft_test::Pump(20);
        expectSound("loaded");
        EXPECT_EQ(saved, f.Describe());
        ASSERT_TRUE(f.Save());
        EXPECT_EQ(bytes, StoredLayout());

        // In a frame made anew the tabbed pane is made again with its tabs
        // (floating alone in a frame of one bar, or in a frame of panes).
        CLayoutFrame g(3, CSize(40, 40), style);
        ASSERT_TRUE(g.Load());
        keyloft_test::Pump(20);
        EXPECT_EQ(saved, g.Describe());
        ASSERT_TRUE(g.Pane(2)->IsTabbed());
        EXPECT_EQ(g.Pane(1)->GetParentTabbedBar(), g.Pane(2)->GetParentTabbedBar());
    }
}

// Two panes auto-hidden at the bottom, pinned from the bottom tree of a frame
// whose top tree leaves little room: loaded in the same frame, the bottom
// tree keeps its thickness (the auto-hidden panes never stand in a tree
// while the loaded trees are laid out) and every pane its place and size.
TEST_F(DockLayoutStateTest, ABottomTreeBesideTwoPanesAutoHiddenAtTheBottomLoadsAtItsThickness)
{
    CLayoutFrame f(4, CSize(1, 1));
    ASSERT_TRUE(f.Pane(1)->DockToWindow(CBRS_ALIGN_BOTTOM, CRect(0, 0, 200, 120)));
    ASSERT_TRUE(f.Pane(2)->DockToBar(f.Pane(1), CBRS_ALIGN_RIGHT));
    f.frame.RecalcLayout();
    CKGPAutoHideToolBar* group = f.Pane(1)->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, nullptr, FALSE);
    ASSERT_NE(nullptr, group);
    ASSERT_EQ(group, f.Pane(2)->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, group, FALSE));
    // The top and bottom trees leave less room than the two pinned panes'
    // tree would take.
    ASSERT_TRUE(f.Pane(0)->DockToWindow(CBRS_ALIGN_TOP, CRect(0, 0, 200, 300)));
    ASSERT_TRUE(f.Pane(3)->DockToWindow(CBRS_ALIGN_BOTTOM, CRect(0, 0, 200, 61)));
    f.frame.RecalcLayout();
    f.ExpectSound("arranged");
    const std::string saved = f.Describe();
    const int thickness = ClientRectIn(f.Pane(3), &f.frame).Height();
    ASSERT_EQ(61, thickness);
    ASSERT_EQ(300, ClientRectIn(f.Pane(0), &f.frame).Height());
    ASSERT_TRUE(f.Save());

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(f.Load());
        f.ExpectSound("loaded");
        EXPECT_EQ(saved, f.Describe()) << "load " << round + 1;
        EXPECT_EQ(thickness, ClientRectIn(f.Pane(3), &f.frame).Height());
        ASSERT_NE(nullptr, f.Pane(1)->GetAutoHideToolBar());
        EXPECT_EQ(f.Pane(1)->GetAutoHideToolBar(), f.Pane(2)->GetAutoHideToolBar());
    }
}

// A pane closed in its tree keeps its place while closed: another docked
// back beside it takes the room without squeezing it to nothing, and a pane
// saved closed with no width (such a squeeze left one so) comes back there,
// not where the frame's own layout had it.
TEST_F(DockLayoutStateTest, APaneClosedInItsTreeKeepsItsPlaceAndComesBackThere)
{
    std::string saved;
    {
        CLayoutFrame f(2);
        // Floated by a double click on its caption, docked back by one on its
        // floating frame's once the pane beside it has been closed.
        f.Pane(1)->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(8, 0xFFFD)); // 3 pixels above its client area
        CKGPMiniFrameWnd* floating = f.Pane(1)->GetParentMiniFrame(TRUE);
        ASSERT_NE(nullptr, floating) << "floats";
        f.Pane(0)->ShowPane(FALSE, FALSE, FALSE);
        f.frame.RecalcLayout();
        const CRect closed = ClientRectIn(f.Pane(0), &f.frame);
        ASSERT_FALSE(closed.IsRectEmpty());
        floating->DockOnDoubleClick();
        f.frame.RecalcLayout();
        ASSERT_TRUE(f.Pane(1)->GetParentMiniFrame(TRUE) == nullptr && f.Pane(1)->IsWindowVisible()) << "docked back";
        f.ExpectSound("docked back beside the closed pane");
        EXPECT_EQ(RectText(closed), RectText(ClientRectIn(f.Pane(0), &f.frame))) << "the closed pane keeps its place";

        f.Pane(0)->SetWindowPos(HWND{}, closed.left, closed.top, 0, closed.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        saved = f.Describe();
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame g(2);
    ASSERT_TRUE(g.Load());
    g.ExpectSound("loaded");
    EXPECT_EQ(saved, g.Describe());
    g.Pane(0)->ShowPane(TRUE, FALSE, FALSE);
    g.frame.RecalcLayout();
    g.ExpectSound("shown again after the load");
}

} // namespace
