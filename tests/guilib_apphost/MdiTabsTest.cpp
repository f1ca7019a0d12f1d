// MDI tabs turned on in the frame's OnCreate: the notes the application opens
// at start-up, before its frame is shown, show as tabs (not as overlapping
// windows), and a click on a tab brings its note forward.
#include "tests/guilib_apphost/HostFixture.h"

#include <afxmdi.h>

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPMainClientAreaWnd.h"
#include "guilib/tabs/KGPTabWnd.h"

#include <vector>

TEST_F(AppHostTest, NotesOpenedBeforeTheFrameShowsHaveTheirTabs)
{
    CHostMainFrame& frame = Frame();
    ASSERT_TRUE(frame.AreMDITabs());
    CKGPTabWnd& tabs = frame.GetClientArea().GetMDITabs();
    ASSERT_TRUE(apphost::IsShown(tabs)) << "the strip shows";
    ASSERT_EQ(2, tabs.GetTabsNum());

    // Each note fills the client area, without a caption of its own.
    CRect client;
    ::GetClientRect(frame.m_hWndMDIClient, client);
    ::MapWindowPoints(frame.m_hWndMDIClient, nullptr, reinterpret_cast<POINT*>(&client), 2);
    auto fills = [&](int i) {
        return apphost::ScreenRect(*tabs.GetTabWnd(i)) == client;
    };
    for (int i = 0; i < tabs.GetTabsNum(); ++i) {
        ASSERT_NE(nullptr, tabs.GetTabWnd(i));
        EXPECT_NE(static_cast<DWORD>(WS_CAPTION), tabs.GetTabWnd(i)->GetStyle() & WS_CAPTION) << i;
        EXPECT_TRUE(fills(i)) << i;
    }

    // A click on the tab that is not active brings its note forward.
    const int other = tabs.GetActiveTab() == 0 ? 1 : 0;
    CRect tab;
    ASSERT_TRUE(tabs.GetTabRect(other, tab));
    tabs.ClientToScreen(tab);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(tab.CenterPoint()); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.MDIGetActive() == tabs.GetTabWnd(other); }));
    EXPECT_TRUE(apphost::ShowsAt(tabs.GetTabWnd(other)->GetSafeHwnd(), client.CenterPoint()));
    apphost::Screenshot(L"apphost_mdi_tabs.bmp");
}

namespace {

std::vector<CKGPTabWnd*> TabGroups(CHostMainFrame& frame)
{
    std::vector<CKGPTabWnd*> groups;
    const CObList& list = frame.GetClientArea().GetMDITabGroups();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        groups.push_back(static_cast<CKGPTabWnd*>(list.GetNext(pos)));
    return groups;
}

// The active tab of the group dragged by the mouse to the point and let go.
bool DragActiveTab(CKGPTabWnd& group, CPoint target)
{
    CRect tab;
    if (!group.GetTabRect(group.GetActiveTab(), tab))
        return false;
    group.ClientToScreen(tab);
    return apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tab.CenterPoint());
        user.Press();
        user.DragTo(target, 12);
        user.Pause(100);
        user.Release();
    });
}

} // namespace

// With tab groups, a note's tab dragged into a group's right edge makes a new
// group; dragged onto another group's strip it joins that group, but not where
// a floating pane lies over the strip: let go over the pane, it stays.
TEST_F(AppHostTest, ANoteDraggedOntoAnotherGroupsStripJoinsItUnlessAPaneLiesThere)
{
    CHostMainFrame& frame = Frame();
    frame.EnableMDITabbedGroups(TRUE, CKGPMDITabParams());
    frame.RecalcLayout();
    ASSERT_EQ(1u, TabGroups(frame).size());
    CKGPTabWnd* first = TabGroups(frame).front();
    ASSERT_EQ(2, first->GetTabsNum());
    const CRect whole = apphost::ScreenRect(*first);
    ASSERT_TRUE(DragActiveTab(*first, CPoint(whole.right - 12, whole.CenterPoint().y)));
    ASSERT_TRUE(apphost::WaitUntil([&] { return TabGroups(frame).size() == 2; })) << "a group at the right";
    CKGPTabWnd* second = TabGroups(frame)[1];
    ASSERT_EQ(1, second->GetTabsNum());

    // Output floats over the right half of the first group's strip.
    CRect strip;
    first->GetTabsRect(strip);
    first->ClientToScreen(strip);
    ASSERT_TRUE(frame.m_wndOutput.FloatBar(
        CRect(CPoint(strip.CenterPoint().x, strip.top - 20), CSize(strip.Width() / 2 + 10, 140))));
    CKGPMiniFrameWnd* floating = frame.m_wndOutput.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*floating); }));
    const CPoint underPane(strip.right - 10, strip.CenterPoint().y);
    ASSERT_TRUE(apphost::ScreenRect(*floating).PtInRect(underPane));
    ASSERT_TRUE(DragActiveTab(*second, underPane));
    apphost::PumpFor(100);
    EXPECT_EQ(2u, TabGroups(frame).size()) << "let go over the pane: the note stays in its group";
    EXPECT_EQ(1, second->GetTabsNum());
    EXPECT_TRUE(frame.GetClientArea().GetNewTabGroupRect().IsRectEmpty()) << "no proposal left drawn";

    // On the strip clear of the pane: the note joins the first group.
    ASSERT_TRUE(DragActiveTab(*second, CPoint(strip.left + strip.Width() / 4, strip.CenterPoint().y)));
    EXPECT_TRUE(apphost::WaitUntil([&] { return TabGroups(frame).size() == 1; })) << "the groups merged";
    EXPECT_EQ(2, TabGroups(frame).front()->GetTabsNum());
    apphost::Screenshot(L"apphost_mdi_tab_groups_merged.bmp");
}

namespace {

// The documents' area: the MDI client window on the screen.
CRect DocumentsArea(CHostMainFrame& frame)
{
    return apphost::ScreenRect(frame.m_hWndMDIClient);
}

// The groups' windows on the screen, in layout order.
std::vector<CRect> GroupRects(CHostMainFrame& frame)
{
    std::vector<CRect> rects;
    for (CKGPTabWnd* group : TabGroups(frame))
        rects.push_back(apphost::ScreenRect(*group));
    return rects;
}

} // namespace

// An application that shows its notes in tab groups from its start.
class TabGroupsTest : public AppHostTest {
protected:
    void SetUp() override
    {
        HostApp().m_bTabGroups = TRUE;
        AppHostTest::SetUp();
    }
    void TearDown() override
    {
        AppHostTest::TearDown();
        HostApp().m_bTabGroups = FALSE;
    }
    // One group fills the documents' area, which shows no scroll bars, and
    // its note fills the group's page.
    static void ExpectOneGroupFillingTheArea(CHostMainFrame& frame)
    {
        ASSERT_EQ(1u, TabGroups(frame).size());
        EXPECT_EQ(DocumentsArea(frame), GroupRects(frame)[0]) << "one group fills the area";
        CRect inside;
        ::GetClientRect(frame.m_hWndMDIClient, inside);
        EXPECT_EQ(DocumentsArea(frame).Size(), inside.Size()) << "no scroll bars in the documents' area";
        CKGPTabWnd* group = TabGroups(frame).front();
        CWnd* note = group->GetActiveWnd();
        ASSERT_NE(nullptr, note);
        CRect page = group->GetWndArea();
        group->ClientToScreen(page);
        EXPECT_EQ(page, apphost::ScreenRect(*note)) << "the note fills its group's page";
    }
};

// The groups fill the documents' area: one group all of it, two side by side
// all of it between them, after a restart too (a band as wide as a scroll
// bar used to stay empty at the right and the bottom: the groups were laid
// out while the notes opened at the start had the area show scroll bars,
// and stayed so when they went).
TEST_F(TabGroupsTest, TabGroupsFillTheDocumentsArea)
{
    CHostMainFrame& frame = Frame();
    ASSERT_TRUE(frame.IsMDITabbedGroup());
    ExpectOneGroupFillingTheArea(frame);
    apphost::Screenshot(L"apphost_mdi_one_tab_group.bmp");

    // The active note's tab dragged into the group's right edge: two groups.
    CKGPTabWnd* first = TabGroups(frame).front();
    const CRect whole = apphost::ScreenRect(*first);
    ASSERT_TRUE(DragActiveTab(*first, CPoint(whole.right - 12, whole.CenterPoint().y)));
    ASSERT_TRUE(apphost::WaitUntil([&] { return TabGroups(frame).size() == 2; }));
    apphost::PumpFor(100);
    const std::vector<CRect> two = GroupRects(frame);
    const CRect area = DocumentsArea(frame);
    EXPECT_EQ(area.left, two[0].left);
    EXPECT_EQ(two[0].right, two[1].left) << "side by side";
    EXPECT_EQ(area.right, two[1].right) << "up to the right edge";
    for (const CRect& group : two) {
        EXPECT_EQ(area.top, group.top);
        EXPECT_EQ(area.bottom, group.bottom) << "down to the bottom";
    }
    apphost::Screenshot(L"apphost_mdi_two_tab_groups.bmp");

    // Started again: the notes open in one group, which fills the area.
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    ExpectOneGroupFillingTheArea(Frame());
}
