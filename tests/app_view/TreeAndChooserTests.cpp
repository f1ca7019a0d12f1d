// The page tree built from the device profile's switches, page building in the
// view, and the chooser's scan over the test driver's two pairs.
#include <gtest/gtest.h>

#include <set>

#include "app/view/SelectDevDlg.h"
#include "app/view/WorkspaceBar.h"
#include "core/profile/DevProfile.h"
#include "widgets/UiResources.h"
#include "res/ids_view.h"
#include "tests/app_view/ViewFixture.h"

using viewtest::ViewFixture;

namespace {

// A frame that records the page selections the bar posts to it.
class RecordingFrame : public CFrameWnd {
public:
    std::vector<WPARAM> selections;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == AppMsg::SelectPage)
            selections.push_back(wParam);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

class PageTree : public ::testing::Test, public ViewFixture {
protected:
    void TearDown() override
    {
        if (m_barFrame != nullptr && ::IsWindow(m_barFrame->GetSafeHwnd()))
            m_barFrame->DestroyWindow();
    }
    CWorkspaceBar& MakeBar()
    {
        m_barFrame = new RecordingFrame;
        m_barFrame->Create(nullptr, L"tree test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 600));
        m_bar = std::make_unique<CWorkspaceBar>();
        m_bar->Create(L"", m_barFrame, CSize(230, 500), TRUE, 32770, WS_CHILD | WS_VISIBLE | CBRS_LEFT);
        return *m_bar;
    }
    std::multiset<int> SlotsInTree() const
    {
        std::multiset<int> slots;
        for (const auto& entry : m_bar->GetItemMap())
            slots.insert(entry.second);
        return slots;
    }
    RecordingFrame* m_barFrame = nullptr;
    std::unique_ptr<CWorkspaceBar> m_bar;
};

} // namespace

TEST_F(PageTree, ItemsFollowTheProfileSwitchesWithTheirBitmaps)
{
    WriteDevProfile(L"XK1", "[DLG_VISIBLE]\r\nDLG_DOWN_STYLE=0\r\nDLG_EDIT_SONG=1\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK1"));
    CWorkspaceBar& bar = MakeBar();

    EXPECT_EQ(SlotsInTree(), (std::multiset<int>{0, 2, 3, 4}));
    CTreeCtrlBT& tree = bar.GetTree();
    EXPECT_EQ(tree.GetCount(), 6u);  // two groups and four pages
    for (const auto& [item, slot] : bar.GetItemMap())
        EXPECT_EQ(tree.GetItemBitmapId(item), slot < 4 ? 206u : 204u) << slot;
    const HTREEITEM transferGroup = tree.GetRootItem();
    EXPECT_EQ(tree.GetItemBitmapId(transferGroup), 210u);
    EXPECT_EQ(tree.GetItemBitmapId(tree.GetNextSiblingItem(transferGroup)), 210u);

    // A page without an item: nothing happens; one with an item: the frame is told.
    bar.SelectPage(1);
    bar.SelectPage(5);
    viewtest::PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(m_barFrame->selections.empty());
    bar.SelectPage(2);
    viewtest::PumpUntil([&] { return !m_barFrame->selections.empty(); }, 2000);
    ASSERT_FALSE(m_barFrame->selections.empty());
    for (WPARAM slot : m_barFrame->selections)
        EXPECT_EQ(slot, 2u);
    EXPECT_EQ(bar.GetSelectedPage(), 2);

    // A new profile rebuilds the tree and keeps the selected page.
    WriteDevProfile(L"XK2", "[DLG_VISIBLE]\r\nDLG_DOWN_SONG=0\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK2"));
    bar.SendMessage(AppMsg::DevProfileLoaded);
    EXPECT_EQ(SlotsInTree(), (std::multiset<int>{1, 2, 3}));
    EXPECT_EQ(bar.GetSelectedPage(), 2);
}

TEST_F(PageTree, AProfileSwitchingOnTheSamePagesKeepsTheItemsAndMovesTheSelectionAsARebuild)
{
    WriteDevProfile(L"XK4", "[DLG_VISIBLE]\r\nDLG_DOWN_VOICE=0\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK4"));
    CWorkspaceBar& bar = MakeBar();
    CTreeCtrlBT& tree = bar.GetTree();
    ASSERT_EQ(bar.GetItemMap().size(), 3u);
    // A mark a rebuild would lose: the items' texts come from the resources.
    const HTREEITEM firstPage = tree.GetChildItem(tree.GetRootItem());
    const CString resourceText = tree.GetItemText(firstPage);
    tree.SetItemText(firstPage, L"marked");
    viewtest::PumpUntil([] { return false; }, 100);
    m_barFrame->selections.clear();

    // Made with the editing group selected: the loaded profile moves the
    // selection to the first page, and the frame is told, as after a rebuild.
    WriteDevProfile(L"XK5", "[DLG_VISIBLE]\r\nDLG_DOWN_VOICE=0\r\nDLG_EDIT_SONG=0\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK5"));
    bar.SendMessage(AppMsg::DevProfileLoaded);
    EXPECT_EQ(tree.GetItemText(firstPage), L"marked");
    EXPECT_EQ(tree.GetCount(), 5u);
    EXPECT_EQ(bar.GetSelectedPage(), 0);
    EXPECT_EQ(tree.GetSelectedItem(), firstPage);
    viewtest::PumpUntil([&] { return !m_barFrame->selections.empty(); }, 2000);
    ASSERT_FALSE(m_barFrame->selections.empty());
    for (WPARAM slot : m_barFrame->selections)
        EXPECT_EQ(slot, 0u);

    // Loaded again with another page selected: items and selection stay.
    bar.SelectPage(3);
    bar.SendMessage(AppMsg::DevProfileLoaded);
    EXPECT_EQ(tree.GetItemText(firstPage), L"marked");
    EXPECT_EQ(bar.GetSelectedPage(), 3);

    // A language change rebuilds all the same, keeping the page selected.
    bar.SendMessage(AppMsg::LanguageChanged);
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(tree.GetRootItem())), resourceText);
    EXPECT_EQ(bar.GetItemMap().size(), 3u);
    EXPECT_EQ(bar.GetSelectedPage(), 3);
}

TEST_F(PageTree, WithEverySwitchOffOnlyTheGroupsRemain)
{
    WriteDevProfile(L"XK0", "[DLG_VISIBLE]\r\nDLG_DOWN_SONG=0\r\nDLG_DOWN_STYLE=0\r\nDLG_DOWN_VOICE=0\r\n"
                            "DLG_DOWN_MEMORY=0\r\nDLG_EDIT_SONG=0\r\nDLG_EDIT_STYLE=0\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK0"));
    CWorkspaceBar& bar = MakeBar();
    EXPECT_EQ(bar.GetTree().GetCount(), 2u);
    EXPECT_TRUE(bar.GetItemMap().empty());
    // Selecting a group posts nothing.
    bar.GetTree().SelectTreeItem(bar.GetTree().GetRootItem());
    viewtest::PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(m_barFrame->selections.empty());
    EXPECT_EQ(bar.GetSelectedPage(), 0);
}

using ViewPages = PageTree;

TEST_F(ViewPages, BuildFollowsTheSwitchesAndSelectionShowsOnePage)
{
    WriteDevProfile(L"XK3", "[DLG_VISIBLE]\r\nDLG_DOWN_VOICE=0\r\nDLG_EDIT_STYLE=1\r\n");
    ASSERT_TRUE(SelectDevProfile(L"XK3"));
    viewtest::TestView& view = MakeView();
    view.BuildPages();
    // The shown page at once; a hidden one as soon as it is asked for, the
    // rest in slot order once the window is up.
    EXPECT_EQ(slotsMade, (std::vector<int>{0}));
    ASSERT_TRUE(view.GetPage(5));
    EXPECT_FALSE(view.GetPage(5)->IsWindowVisible());
    EXPECT_EQ(slotsMade, (std::vector<int>{0, 5}));
    ASSERT_TRUE(PumpUntilPagesMade(4));
    EXPECT_EQ(slotsMade, (std::vector<int>{0, 5, 1, 3}));
    EXPECT_FALSE(view.GetPage(2)) << "switched off";
    // Never connected: the pages get no port.
    auto first = boost::dynamic_pointer_cast<viewtest::RecordingPage>(view.GetPage(0));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->lastPort, nullptr);

    ASSERT_TRUE(view.IsWindowVisible());
    EXPECT_TRUE(view.GetPage(0)->IsWindowVisible());
    view.SendMessage(AppMsg::SelectPage, 3);
    EXPECT_EQ(view.GetCurrentPageSlot(), 3);
    EXPECT_TRUE(view.GetPage(3)->IsWindowVisible());
    EXPECT_FALSE(view.GetPage(0)->IsWindowVisible());
    view.SendMessage(AppMsg::SelectPage, 7);
    EXPECT_EQ(view.GetCurrentPageSlot(), 3);

    // A page that refuses blocks the close query.
    first->allowClose = false;
    EXPECT_FALSE(view.CloseDevice());
    first->allowClose = true;
    EXPECT_TRUE(view.CloseDevice());

    // A rebuild releases the old pages.
    first.reset();
    view.BuildPages();
    for (size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(pagesMade[i].expired()) << i;
}

TEST_F(ViewPages, ChooserScanListsExactlyTheInstrument)
{
    ASSERT_TRUE(linktest::InstrumentPorts());
    for (const wchar_t* loop : {L"echo", L"silent"}) {
        linktest::SetLoopBehaviour(loop);
        Memory().SetControl("name=XK900");
        CSelectDevDlg chooser(false);
        ASSERT_TRUE(chooser.Create(CSelectDevDlg::IDD, nullptr));
        chooser.Refresh();
        ASSERT_EQ(chooser.GetListCount(), 1);
        EXPECT_EQ(chooser.GetListLabel(0), CString(L"DEVICE 1"));
        EXPECT_EQ(chooser.GetReportedName(L"DEVICE 1"), CString(L"XK900"));
        EXPECT_TRUE(chooser.GetDlgItem(IDOK)->IsWindowEnabled());
        chooser.DestroyWindow();
    }
}
