// Panes dropped by the mouse where the application's user drops them: a
// floating pane dragged (as an outline, or itself with the markers) and
// released on a tabbed pane's tab strip joins it as a tab; a floating pane
// released on a docked pane's caption or on the centre marker over it
// becomes its tab, a floating frame of two panes released there its tabs; one
// released on the centre marker over the documents becomes a tabbed document,
// and a pane again after a restart.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/panes/KGPOutlookWnd.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "tests/guilib_apphost/HostInvariants.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

class TabStripDropTest : public AppHostTest {
protected:
    // A floating Output dragged by its caption onto the Files pane's tab
    // strip (past the tabs) and released there, in the docking mode given.
    // markersOverStrip: whether the markers stood over the strip just before
    // the release.
    static void DropOutputOnTheFilesStrip(int mode, LPCWSTR screenshot, bool& markersOverStrip);
};

void TabStripDropTest::DropOutputOnTheFilesStrip(int mode, LPCWSTR screenshot, bool& markersOverStrip)
{
    CHostMainFrame& frame = Frame();
    CKGPBaseControlBar* tabbed = frame.m_wndFiles.GetParentTabbedBar();
    ASSERT_NE(nullptr, tabbed);
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    frame.m_wndOutput.SetDockingMode(mode);
    ASSERT_TRUE(frame.m_wndOutput.FloatBar(CRect(client.CenterPoint(), CSize(220, 160))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*frame.m_wndOutput.GetParentMiniFrame(TRUE)); }));

    CRect top, bottom;
    static_cast<CKGPBaseTabbedBar*>(tabbed)->GetTabArea(top, bottom);
    const CRect strip = bottom.IsRectEmpty() ? top : bottom;
    ASSERT_FALSE(strip.IsRectEmpty());
    const CPoint onStrip(strip.right - 20, strip.CenterPoint().y); // past the tabs, in the strip
    const CPoint caption = CaptionPoint(frame.m_wndOutput);
    ASSERT_NE(CPoint(-1, -1), caption);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(onStrip, 16);
        user.Pause(300);
        markersOverStrip = !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty() ||
                           !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty();
        user.Release();
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndOutput.GetParentTabbedBar() == tabbed; }))
        << "docked as a tab of the pane whose strip it was released on";
    EXPECT_EQ(nullptr, frame.m_wndOutput.GetParentMiniFrame(TRUE));
    EXPECT_TRUE(frame.m_wndWatch.IsWindowVisible()) << "its neighbour at the bottom stays";
    apphost::Screenshot(screenshot);
}

} // namespace

TEST_F(TabStripDropTest, AFloatingPaneReleasedOnATabStripBecomesATab)
{
    bool markers = false;
    DropOutputOnTheFilesStrip(KGP_DOCK_DRAGFRAME, L"apphost_pane_dropped_on_tab_strip.bmp", markers);
}

TEST_F(TabStripDropTest, AFloatingPaneReleasedOnATabStripWithTheMarkersBecomesATab)
{
    // The host's mode: the frame follows the mouse, with the markers.
    bool markers = true;
    DropOutputOnTheFilesStrip(0, L"apphost_pane_dropped_on_tab_strip_smart.bmp", markers);
    EXPECT_FALSE(markers) << "over a tab strip the tab is offered, not the markers";
}

namespace {

// The host's docking mode (the frame follows the mouse, with markers):
// Watch floats and is dragged by its caption to a point of Output, then on
// the way as the script says, and released.
struct TabDropSeen {
    bool markersOverCaption = true; // any marker shown while over Output's caption
    bool frameStayed = false;       // the floating frame did not follow the mouse there
};

} // namespace

TEST_F(AppHostTest, AFloatingPaneReleasedOnADockedPanesCaptionBecomesItsTab)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    CKGPDockingControlBar& output = frame.m_wndOutput;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    ASSERT_TRUE(watch.FloatBar(CRect(client.CenterPoint() - CSize(100, 120), CSize(200, 150))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*watch.GetParentMiniFrame(TRUE)); }));
    const CPoint caption = CaptionPoint(watch);
    const CPoint onCaption = CaptionPoint(output);
    ASSERT_NE(CPoint(-1, -1), onCaption);

    TabDropSeen seen;
    CRect frameOver;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty(); });
        user.DragTo(onCaption, 12);
        user.Pause(200);
        seen.markersOverCaption = !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty() ||
                                  !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty();
        user.Release();
    }));
    EXPECT_FALSE(seen.markersOverCaption) << "over a pane's caption the tab is offered, not the markers";
    EXPECT_TRUE(apphost::WaitUntil([&] { return watch.IsTabbed() && output.IsTabbed(); }))
        << "a tab of the pane it was released on";
    EXPECT_EQ(output.GetParentTabbedBar(), watch.GetParentTabbedBar());
    EXPECT_EQ(nullptr, watch.GetParentMiniFrame(TRUE));
    // At the edge of the pane it joined, as a restart reports it (not the
    // top it had while floating).
    ASSERT_NE(nullptr, watch.GetParentTabbedBar());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), watch.GetParentTabbedBar()->GetCurrentAlignment());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), watch.GetCurrentAlignment());
    apphost::Screenshot(L"apphost_pane_dropped_on_caption.bmp");
}

TEST_F(AppHostTest, AFloatingPaneReleasedOnTheCentreMarkerOverAPaneBecomesItsTab)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    CKGPDockingControlBar& output = frame.m_wndOutput;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    ASSERT_TRUE(watch.FloatBar(CRect(client.CenterPoint() - CSize(100, 120), CSize(200, 150))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*watch.GetParentMiniFrame(TRUE)); }));
    const CPoint caption = CaptionPoint(watch);
    const CRect body = apphost::ScreenRect(output);

    bool groupShown = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.DragTo(CPoint(body.CenterPoint().x, body.bottom - 12), 12); // over Output, off its caption
        groupShown = apphost::ReleaseOnTheCentreMarker(user);
    }));
    ASSERT_TRUE(groupShown) << "the central markers stand over the pane under the cursor";
    EXPECT_TRUE(apphost::WaitUntil([&] { return watch.IsTabbed() && output.IsTabbed(); }))
        << "a tab of the pane under the centre marker";
    EXPECT_EQ(output.GetParentTabbedBar(), watch.GetParentTabbedBar());
    EXPECT_EQ(nullptr, watch.GetParentMiniFrame(TRUE));
}

namespace {

// Watch floated over the documents, dragged by its caption and released on
// the centre marker there: whether the markers showed.
bool ReleaseWatchOnTheDocumentsCentreMarker(CHostMainFrame& frame)
{
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    if (!watch.FloatBar(CRect(client.TopLeft() + CSize(20, 60), CSize(200, 150))) ||
        !apphost::WaitUntil([&] { return apphost::IsShown(*watch.GetParentMiniFrame(TRUE)); }))
        return false;
    const CPoint caption = AppHostTest::CaptionPoint(watch);
    bool groupShown = false;
    return apphost::Perform([&](apphost::CGestures& user) {
               user.MoveTo(caption);
               user.Press();
               user.DragTo(caption + CSize(30, 30), 4);
               user.DragTo(client.CenterPoint() + CSize(0, 40), 12); // over the documents, no pane there
               groupShown = apphost::ReleaseOnTheCentreMarker(user);
           }) &&
           groupShown;
}

} // namespace

TEST_F(AppHostTest, AFloatingPaneReleasedOnTheCentreMarkerOverTheDocumentsBecomesATabbedDocument)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    ASSERT_TRUE(ReleaseWatchOnTheDocumentsCentreMarker(frame)) << "the central markers stand over the documents' area";
    EXPECT_TRUE(apphost::WaitUntil([&] { return watch.IsShownAsDocument() != FALSE; })) << "a tabbed document";
    EXPECT_EQ(nullptr, watch.GetParentMiniFrame(TRUE));
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty()) << "the markers gone";
    apphost::Screenshot(L"apphost_pane_dropped_as_document.bmp");
    // The active document is the pane: the menu bar holds the frame's own
    // menus, not a note's.
    const auto showsNotesMenus = [](CHostMainFrame& host) {
        return apphost::DescribeMenuBar(host, host.m_wndMenuBar).find("\"&Edit\"") != std::string::npos;
    };
    EXPECT_TRUE(apphost::WaitUntil([&] { return !showsNotesMenus(frame); }))
        << apphost::DescribeMenuBar(frame, frame.m_wndMenuBar);

    // The host keeps no documents across a restart: the pane comes back as a
    // pane, shown, and the rest of the layout as it was saved; a note is the
    // active document again, with its menus.
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(HostApp().StateStore().m_bLayoutLoaded) << "the layout saved with a pane as a document is loaded";
    CHostMainFrame& again = Frame();
    EXPECT_TRUE(apphost::WaitUntil([&] { return showsNotesMenus(again); }))
        << apphost::DescribeMenuBar(again, again.m_wndMenuBar);
    EXPECT_FALSE(again.m_wndWatch.IsShownAsDocument());
    EXPECT_TRUE(apphost::WaitUntil([&] { return apphost::IsPaneShownInHost(again.m_wndWatch); })) << "Watch shows";
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(again, {})));
}

// Watch dragged from its place at the bottom onto the centre marker over the
// documents becomes a tabbed document; after a restart (the host keeps no
// documents) it is docked at the bottom again, shown, the layout sound.
TEST_F(AppHostTest, APaneDockedBeforeItWasADocumentComesBackDockedAfterARestart)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    ASSERT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), watch.GetCurrentAlignment());
    ASSERT_EQ(nullptr, watch.GetParentMiniFrame(TRUE));
    const CPoint caption = CaptionPoint(watch);
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    bool groupShown = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption - CSize(0, 40), 4);
        user.DragTo(client.CenterPoint() - CSize(0, 40), 12);
        groupShown = apphost::ReleaseOnTheCentreMarker(user);
    }));
    ASSERT_TRUE(groupShown) << "the central markers stand over the documents' area";
    ASSERT_TRUE(apphost::WaitUntil([&] { return watch.IsShownAsDocument() != FALSE; })) << "a tabbed document";

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CKGPDockingControlBar& back = Frame().m_wndWatch;
    EXPECT_FALSE(back.IsShownAsDocument());
    EXPECT_EQ(nullptr, back.GetParentMiniFrame(TRUE)) << "docked, not floating";
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), back.GetCurrentAlignment());
    EXPECT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(back); })) << "shown";
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(Frame(), {})));
}

// The frame gives the documents what the docked panes leave: Output's group
// at the bottom, dragged up by its edge as far as it goes, squeezes them to a
// sliver, a pane shown as a document with them; dragged back, the pane fills
// the documents' area again.
TEST_F(AppHostTest, APaneShownAsADocumentFillsTheDocumentsAgainOnceTheDockedPanesGiveThemRoom)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    ASSERT_TRUE(ReleaseWatchOnTheDocumentsCentreMarker(frame));
    ASSERT_TRUE(apphost::WaitUntil([&] { return watch.IsShownAsDocument() != FALSE; }));
    CKGPSlider* edge = frame.m_wndOutput.GetDefaultPaneSlider();
    ASSERT_NE(nullptr, edge);
    const CPoint from = apphost::ScreenRect(*edge).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(from, CPoint(from.x, 0)); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(frame.m_hWndMDIClient).Height() < 20; }))
        << "the documents squeezed";
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(frame, {})));

    const CPoint squeezed = apphost::ScreenRect(*edge).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(squeezed, squeezed + CSize(0, 400)); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(frame.m_hWndMDIClient).Height() > 300; }));
    apphost::PumpFor(200);
    const CRect documents = apphost::ScreenRect(frame.m_hWndMDIClient);
    const CRect pane = apphost::ScreenRect(watch);
    EXPECT_TRUE(apphost::IsShown(watch));
    EXPECT_GT(pane.Height(), documents.Height() - 60) << "as high as the documents less the tabs and borders";
    EXPECT_GT(pane.Width(), documents.Width() - 20);
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(frame, {})));
}

namespace {

// Output and Watch made to share a floating frame (as panes made with the
// style that allows it), floating side by side in one over the documents.
CKGPMultiMiniFrameWnd* FloatOutputAndWatchTogether(CHostMainFrame& frame)
{
    for (CKGPDockingControlBar* pane : {static_cast<CKGPDockingControlBar*>(&frame.m_wndOutput),
                                        static_cast<CKGPDockingControlBar*>(&frame.m_wndWatch)}) {
        pane->SetBarStyleWord(pane->GetBarStyleWord() | KGP_CBRS_FLOAT_MULTI);
        pane->SetMiniFrameRTC(RUNTIME_CLASS(CKGPMultiMiniFrameWnd));
    }
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    if (!frame.m_wndOutput.FloatBar(CRect(client.CenterPoint() - CSize(170, 140), CSize(320, 170))))
        return nullptr;
    auto* floating = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, frame.m_wndOutput.GetParentMiniFrame(TRUE));
    if (floating == nullptr || !apphost::WaitUntil([&] { return apphost::IsShown(*floating); }))
        return nullptr;
    // Watch joins it at Output's right edge (the pointer put there as the user's is).
    const CRect output = apphost::ScreenRect(frame.m_wndOutput);
    if (!apphost::Perform([&](apphost::CGestures& user) { user.MoveTo(CPoint(output.right - 4, output.CenterPoint().y)); }))
        return nullptr;
    if (floating->DockPaneAtCursor(&frame.m_wndWatch) || floating->GetVisibleBarCount() != 2)
        return nullptr;
    return floating;
}

} // namespace

TEST_F(AppHostTest, AFrameOfTwoPanesReleasedOnADockedPanesCaptionBecomesItsTabs)
{
    CHostMainFrame& frame = Frame();
    CKGPMultiMiniFrameWnd* floating = FloatOutputAndWatchTogether(frame);
    ASSERT_NE(nullptr, floating);
    const HWND hFloating = floating->GetSafeHwnd();
    // Files and Classes, tabs of one pane docked at the right.
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    const CPoint caption = CaptionPoint(frame.m_wndOutput); // the frame's
    const CPoint onCaption = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), caption);
    ASSERT_NE(CPoint(-1, -1), onCaption);

    TabDropSeen seen;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty(); });
        user.DragTo(onCaption, 12);
        user.Pause(200);
        seen.markersOverCaption = !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty() ||
                                  !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty();
        user.Release();
    }));
    EXPECT_FALSE(seen.markersOverCaption) << "over a pane's caption the tab is offered, not the markers";
    EXPECT_TRUE(apphost::WaitUntil([&] {
        return frame.m_wndOutput.GetParentTabbedBar() == tabbed && frame.m_wndWatch.GetParentTabbedBar() == tabbed;
    })) << "both panes of the frame tabs of the pane it was released on";
    EXPECT_EQ(4, static_cast<CKGPBaseTabbedBar*>(tabbed)->GetTabWnd()->GetTabsNum());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), frame.m_wndOutput.GetCurrentAlignment()) << "at their new edge";
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), frame.m_wndWatch.GetCurrentAlignment());
    EXPECT_TRUE(apphost::WaitUntil([&] { return !::IsWindow(hFloating); })) << "the emptied frame goes";
    EXPECT_TRUE(apphost::IsShown(frame.m_wndOutput)) << "the first of them in front";
    apphost::Screenshot(L"apphost_frame_dropped_on_caption.bmp");
}

TEST_F(AppHostTest, AFrameOfTwoPanesReleasedOnTheCentreMarkerOverAPaneBecomesItsTabs)
{
    CHostMainFrame& frame = Frame();
    CKGPMultiMiniFrameWnd* floating = FloatOutputAndWatchTogether(frame);
    ASSERT_NE(nullptr, floating);
    // Files and Classes, tabs of one pane docked at the right.
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    const CPoint caption = CaptionPoint(frame.m_wndOutput);
    const CRect body = apphost::ScreenRect(*tabbed);

    bool groupShown = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.DragTo(body.CenterPoint(), 12); // over the tabbed pane, off its caption and tabs
        groupShown = apphost::ReleaseOnTheCentreMarker(user);
    }));
    ASSERT_TRUE(groupShown) << "the central markers stand over the pane under the cursor";
    EXPECT_TRUE(apphost::WaitUntil([&] {
        return frame.m_wndOutput.GetParentTabbedBar() == tabbed && frame.m_wndWatch.GetParentTabbedBar() == tabbed;
    })) << "both panes of the frame tabs of the pane under the centre marker";
    EXPECT_EQ(4, static_cast<CKGPBaseTabbedBar*>(tabbed)->GetTabWnd()->GetTabsNum());
    EXPECT_EQ(nullptr, frame.m_wndOutput.GetParentMiniFrame(TRUE));
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty()) << "the markers gone";
}

namespace {

// The outlook bar as the host makes it (it may not float), and let float as
// an application may make it.
class OutlookDropTest : public AppHostTest, public ::testing::WithParamInterface<bool> {
protected:
    static bool DropWatchOnTheShortcutsCentreMarker(CHostMainFrame& frame);
};

// Watch floats over the documents and is dragged by its caption over the
// outlook bar's body, then onto the centre marker shown there, and let go.
// Whether the central markers showed over the bar.
bool OutlookDropTest::DropWatchOnTheShortcutsCentreMarker(CHostMainFrame& frame)
{
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    if (!watch.FloatBar(CRect(client.CenterPoint() - CSize(100, 120), CSize(200, 150))) ||
        !apphost::WaitUntil([&] { return apphost::IsShown(*watch.GetParentMiniFrame(TRUE)); }))
        return false;
    const CPoint caption = CaptionPoint(watch);
    const CRect body = apphost::ScreenRect(frame.m_wndShortcuts);
    bool groupShown = false;
    const bool ended = apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.DragTo(CPoint(body.CenterPoint().x, body.top + body.Height() / 3), 14); // among its page's buttons
        groupShown = apphost::ReleaseOnTheCentreMarker(user);
    });
    return ended && groupShown;
}

// The outlook bar as the application made it: docked at the left on its
// own, its two pages in its outlook window.
void ExpectShortcutsAsMade(CHostMainFrame& frame)
{
    CKGPOutlookBar& shortcuts = frame.m_wndShortcuts;
    ASSERT_TRUE(::IsWindow(shortcuts.GetSafeHwnd())) << "the outlook bar lives";
    EXPECT_EQ(nullptr, shortcuts.GetParentTabbedBar()) << "no tab of another pane";
    EXPECT_EQ(nullptr, shortcuts.GetParentMiniFrame(TRUE));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), shortcuts.GetCurrentAlignment());
    EXPECT_TRUE(apphost::IsShown(shortcuts));
    ASSERT_NE(nullptr, shortcuts.GetOutlookWnd());
    EXPECT_EQ(2, shortcuts.GetOutlookWnd()->GetTabsNum()) << "its two pages";
    EXPECT_TRUE(apphost::IsShown(frame.m_wndMailPage) || apphost::IsShown(frame.m_wndNotesPage));
}

} // namespace

// The outlook bar takes no pane but its own pages: a pane let go on the
// centre marker over it leaves it as it was (one that may float used to
// become a tab of a new tabbed pane made in its place with the pane, its
// pages turned into blank tabs, and the next start refused the layout saved
// so).
TEST_P(OutlookDropTest, APaneReleasedOnTheCentreMarkerOverTheOutlookBarLeavesItAsItWas)
{
    CHostMainFrame& frame = Frame();
    if (GetParam()) {
        CKGPOutlookBar& shortcuts = frame.m_wndShortcuts;
        shortcuts.SetLibraryBarStyle(shortcuts.GetLibraryBarStyle() | KGP_BARSTYLE_FLOAT);
    }
    ASSERT_TRUE(DropWatchOnTheShortcutsCentreMarker(frame)) << "the central markers stand over the outlook bar";
    apphost::PumpFor(100);
    ExpectShortcutsAsMade(frame);
    EXPECT_FALSE(frame.m_wndWatch.IsTabbed()) << "not taken by the outlook bar";
    EXPECT_TRUE(apphost::IsShown(frame.m_wndWatch)) << "still where the user sees it";
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty()) << "the markers gone";
    apphost::Screenshot(L"apphost_pane_dropped_on_outlook_bar.bmp");

    // The layout saved on closing comes back whole.
    const CRect watchBefore = apphost::ScreenRect(frame.m_wndWatch);
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    EXPECT_FALSE(HostApp().StateStore().m_bLayoutRefused);
    ExpectShortcutsAsMade(Frame());
    EXPECT_EQ(watchBefore, apphost::ScreenRect(Frame().m_wndWatch)) << "the pane where it was, not the defaults";
}

INSTANTIATE_TEST_SUITE_P(Outlook, OutlookDropTest, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
    return info.param ? std::string("MayFloat") : std::string("Fixed");
});

namespace {

// The floating frame shows a close button that the user sees.
bool ShowsCloseButton(CKGPMiniFrameWnd* floating)
{
    const CKGPCaptionButton* close = floating != nullptr ? floating->FindCaptionButton(HTCLOSE) : nullptr;
    return close != nullptr && !close->m_bHidden && !close->GetRect().IsRectEmpty();
}

} // namespace

// A floating frame's close button follows the bar it holds: a pane that may
// not be closed, dropped on a floating pane's caption, is the active tab of
// the tabbed pane that takes that frame over, and the frame shows no close
// button while it is in front (it used to keep the one of the pane it held
// before), and the close button again while a pane that may be closed is.
TEST_F(AppHostTest, AFloatingFrameShowsItsCloseButtonOnlyWhileItsBarMayBeClosed)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    CKGPDockingControlBar& output = frame.m_wndOutput;
    // The application lets Watch not be closed.
    watch.SetLibraryBarStyle(watch.GetLibraryBarStyle() & ~KGP_BARSTYLE_CLOSE);
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    ASSERT_TRUE(output.FloatBar(CRect(client.CenterPoint() - CSize(60, 20), CSize(220, 160))));
    ASSERT_TRUE(watch.FloatBar(CRect(client.TopLeft() + CSize(20, 60), CSize(200, 150))));
    CKGPMiniFrameWnd* outputFrame = output.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, outputFrame);
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*outputFrame) && apphost::IsShown(watch); }));
    EXPECT_TRUE(ShowsCloseButton(outputFrame));
    EXPECT_FALSE(ShowsCloseButton(watch.GetParentMiniFrame(TRUE))) << "Watch floats without one";

    const CPoint caption = CaptionPoint(watch);
    const CPoint onCaption = CaptionPoint(output);
    ASSERT_NE(CPoint(-1, -1), onCaption);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.DragTo(onCaption, 12);
        user.Pause(200);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return watch.IsTabbed() && output.IsTabbed(); })) << "tabs of one pane";
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, watch.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    ASSERT_EQ(outputFrame, tabbed->GetParentMiniFrame(TRUE)) << "in Output's frame";
    ASSERT_EQ(watch.GetSafeHwnd(), tabbed->GetTabWnd()->GetActiveWnd()->GetSafeHwnd());
    EXPECT_FALSE(ShowsCloseButton(outputFrame)) << "no close button while Watch is in front";
    apphost::Screenshot(L"apphost_frame_without_close.bmp");

    // Output's tab clicked: the frame may close again.
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    CRect tab;
    ASSERT_TRUE(tabs->GetTabRect(tabs->GetTabFromHwnd(output.GetSafeHwnd()), tab));
    tabs->ClientToScreen(tab);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(tab.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return tabs->GetActiveWnd() == &output; }));
    EXPECT_TRUE(ShowsCloseButton(outputFrame)) << "Output in front";
}
