// The library's status bar: pane texts set and cleared (pane 255 the
// preview's), refused outside its panes, and a bar as tall as its text.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/docking/KGPStatusBar.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"

namespace {

TEST(StatusBarTest, PaneTextsAreSetClearedAndBounded)
{
    toolbar_test::CCommandFrame frame;
    ASSERT_TRUE(frame.Open());
    CKGPStatusBar status;
    ASSERT_TRUE(status.Create(&frame));
    EXPECT_TRUE(status.IsKindOf(RUNTIME_CLASS(CKGPControlBar)));
    EXPECT_EQ(AFX_IDW_STATUS_BAR, status.GetDlgCtrlID());
    EXPECT_TRUE(status.SetPaneText(0, L"Ready"));
    EXPECT_TRUE(status.SetPaneText(CKGPStatusBar::kPreviewPane, L"Page 1"));
    EXPECT_EQ(CString(L"Ready"), status.GetPaneText(0));
    EXPECT_EQ(CString(L"Page 1"), status.GetPaneText(255));
    EXPECT_TRUE(status.SetPaneText(255, nullptr)) << "null clears the pane";
    EXPECT_TRUE(status.GetPaneText(255).IsEmpty());
    EXPECT_FALSE(status.SetPaneText(256, L"x"));
    EXPECT_FALSE(status.SetPaneText(-1, L"x"));
    EXPECT_GT(status.CalcFixedLayout(FALSE, TRUE).cy, GetKGPGlobalData().GetTextHeight(TRUE));
    status.DestroyWindow();
    frame.DestroyWindow();
}

} // namespace
