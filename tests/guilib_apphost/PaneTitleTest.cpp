// A pane renamed by its program shows its new title wherever the user sees
// the pane: on its tab in a tabbed pane, and on its tab on an auto-hide strip,
// which grows to hold the longer name.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/tabs/KGPBaseTabWnd.h"

TEST_F(AppHostTest, ARenamedPaneShowsItsNewTitleOnItsTabAndOnItsAutoHideTab)
{
    CHostMainFrame& frame = Frame();

    // A tab of a tabbed pane.
    CKGPDockingControlBar& tabbedPane = frame.m_wndClasses;
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, tabbedPane.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    const int tab = tabs->GetTabFromHwnd(tabbedPane.GetSafeHwnd());
    ASSERT_GE(tab, 0);
    CRect before;
    ASSERT_TRUE(tabs->GetTabRect(tab, before));
    tabbedPane.SetWindowText(_T("Classes and their members"));
    CString label;
    ASSERT_TRUE(tabs->GetTabLabel(tab, label));
    EXPECT_EQ(CString(_T("Classes and their members")), label);
    CRect after;
    ASSERT_TRUE(tabs->GetTabRect(tab, after));
    EXPECT_GT(after.Width(), before.Width()) << "the tab widened for the longer name";
    CString title;
    tabbedPane.GetWindowText(title);
    EXPECT_EQ(label, title) << "the pane keeps the title it was given";

    // An auto-hidden pane's tab on its strip.
    CKGPDockingControlBar& hidden = frame.m_wndProperties;
    CKGPAutoHideToolBar* strip = hidden.GetAutoHideToolBar();
    CKGPAutoHideButton* button = hidden.GetAutoHideButton();
    ASSERT_TRUE(strip != nullptr && button != nullptr) << "auto-hidden";
    const CRect buttonBefore = button->GetRect();
    const CRect stripBefore = apphost::ScreenRect(*strip);
    hidden.SetWindowText(_T("Properties of the selected note"));
    apphost::PumpFor(50);
    const CRect buttonAfter = button->GetRect();
    EXPECT_GT(buttonAfter.Height(), buttonBefore.Height()) << "the tab down the right strip grew with its title";
    EXPECT_GT(apphost::ScreenRect(*strip).Height(), stripBefore.Height()) << "and the strip's bar with it";
    apphost::Screenshot(L"apphost_pane_renamed.bmp");
}
