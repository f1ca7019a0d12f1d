// The tabbed toolbar on real tab windows: its tab window is a tab control,
// toolbars added become its tabs (the first active, the others hidden) and a
// toolbar inside it takes the area the tabs' windows fill.
#include <gtest/gtest.h>

#include "guilib/core/KGPTabWindowLink.h"
#include "guilib/tabs/KGPTabWindowLinks.h"
#include "guilib/tabs/KGPTabWnd.h"
#include "guilib/toolbars/KGPTabbedToolbar.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

namespace {

TEST(TabbedToolbarTest, ToolbarsAddedBecomeTabsOfARealTabWindow)
{
    KGPRegisterTabsLinks();
    keyloft_test::CLibraryTestHost host;
    ASSERT_TRUE(host.CreateHost(640, 300));
    auto& tabbed = host.Make<CKGPTabbedToolbar>();
    ASSERT_TRUE(tabbed.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE850));
    auto* tabs = DYNAMIC_DOWNCAST(CKGPTabWnd, tabbed.GetTabWnd());
    ASSERT_NE(nullptr, tabs);
    EXPECT_TRUE(KGPTabWindows::IsTabWindow(tabs));
    EXPECT_FALSE(KGPTabWindows::IsTabWindow(&host));

    auto& first = host.Make<CKGPToolBar>();
    ASSERT_TRUE(first.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE851));
    first.SetWindowText(L"Tools");
    auto& second = host.Make<CKGPToolBar>();
    ASSERT_TRUE(second.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE852));
    second.SetWindowText(L"More");
    ASSERT_TRUE(tabbed.AddTab(&first));
    ASSERT_TRUE(tabbed.AddTab(&second, TRUE, FALSE));
    EXPECT_EQ(2, tabs->GetTabsNum());
    EXPECT_EQ(&first, tabs->GetActiveWnd());
    EXPECT_FALSE(second.IsWindowVisible());
    CString label;
    tabs->GetTabLabel(1, label);
    EXPECT_EQ(CString(L"More"), label);

    IKGPTabWindowLink* link = KGPTabWindows::Link();
    ASSERT_NE(nullptr, link);
    EXPECT_FALSE(link->ShowTab(tabs, 5, TRUE, TRUE, FALSE));
    CRect area;
    link->GetTabArea(tabs, area);
    EXPECT_EQ(tabs->GetWndArea(), area);
    keyloft_test::Pump(50);
}

}  // namespace
