// The toolbar's button list: insertion and removal with the separators and
// indexes they touch, the customise button kept last, texts and styles.
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"

namespace {

using namespace toolbar_test;


TEST_F(ToolBarTest, RemovingButtonsTakesTheSeparatorsTheyLeaveBehind)
{
    // Open, Save, |, Print: Print ends the bar after a separator.
    EXPECT_FALSE(bar.RemoveButton(4)) << "out of range";
    EXPECT_TRUE(bar.RemoveButton(3));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE}), Commands()) << "no separator ends the bar";

    const UINT ids[] = {ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT};
    bar.SetButtons(ids, 5);
    EXPECT_TRUE(bar.RemoveButton(2));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), Commands()) << "one separator stays";

    EXPECT_EQ(-1, bar.InsertSeparator(0)) << "a bar does not start with a separator";
    bar.RemoveAllButtons();
    EXPECT_EQ(-1, bar.InsertSeparator()) << "nor an empty one";
    EXPECT_EQ(-1, bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_OPEN, 0), 1)) << "beyond the end";
}

TEST_F(ToolBarTest, RemovingAButtonMovesTheHotAndKeyboardHotIndexes)
{
    bar.ChangeHot(3);
    ASSERT_EQ(3, bar.GetHotButton());
    ASSERT_EQ(3, bar.GetKeyHotButton());
    EXPECT_TRUE(bar.RemoveButton(0));
    EXPECT_EQ(2, bar.GetHotButton()) << "Print moved down";
    EXPECT_EQ(2, bar.GetKeyHotButton());
    EXPECT_TRUE(bar.RemoveButton(2));
    EXPECT_EQ(-1, bar.GetHotButton()) << "the hot button itself went";
    EXPECT_EQ(-1, bar.GetKeyHotButton());
}

TEST_F(ToolBarTest, TheCustomiseButtonStaysLast)
{
    bar.EnableCustomizeButton(TRUE, ID_TEST_PRINT + 10, _T("Customise"));
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    ASSERT_EQ(5, bar.GetCount());
    EXPECT_EQ(static_cast<CKGPToolbarButton*>(chevron), bar.GetButton(4));

    EXPECT_EQ(4, bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_SAVE, 1))) << "appended before it";
    EXPECT_EQ(static_cast<CKGPToolbarButton*>(chevron), bar.GetButton(5));
    EXPECT_FALSE(bar.RemoveButton(5)) << "the customise button is not removed as a button";
    EXPECT_TRUE(bar.RemoveButton(4));
    EXPECT_TRUE(bar.RemoveButton(3));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, chevron->m_nCommand}), Commands())
        << "the separator before the customise button went with Print";
    EXPECT_FALSE(chevron->StartsGroup());
    EXPECT_TRUE(bar.GetButton(1)->EndsGroup()) << "the customise button is no group's neighbour";

    const UINT ids[] = {ID_TEST_PRINT};
    bar.SetButtons(ids, 1);
    ASSERT_NE(nullptr, bar.GetCustomizeButton()) << "kept through a reset";
    EXPECT_EQ(ID_TEST_PRINT + 10, bar.GetCustomizeButton()->GetCustomizeCmdId());
    EXPECT_EQ(2, bar.GetCount());

    ASSERT_TRUE(bar.SaveState(kProfile));
    ASSERT_TRUE(bar.LoadState(kProfile));
    ASSERT_NE(nullptr, bar.GetCustomizeButton()) << "never stored, kept through a load";
    EXPECT_EQ(2, bar.GetCount());

    bar.EnableCustomizeButton(FALSE, 0, CString());
    EXPECT_EQ(nullptr, bar.GetCustomizeButton());
    EXPECT_EQ(std::vector<UINT>{ID_TEST_PRINT}, Commands());
}

TEST_F(ToolBarTest, TextsStylesAndLookUps)
{
    EXPECT_EQ(3, bar.CommandToIndex(ID_TEST_PRINT));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_TEST_OPEN, 1)) << "searched from index 1";
    EXPECT_EQ(1, bar.ButtonToIndex(bar.GetButton(1)));
    EXPECT_EQ(UINT(ID_TEST_SAVE), bar.GetItemID(1));
    EXPECT_FALSE(bar.SetButtonText(9, _T("x")));
    EXPECT_TRUE(bar.SetButtonText(1, _T("Keep")));
    EXPECT_EQ(CString(_T("Keep")), bar.GetButtonText(1));
    EXPECT_TRUE(bar.GetButtonText(9).IsEmpty());

    CKGPToolbarButton open(ID_TEST_OPEN, 0);
    EXPECT_TRUE(bar.FillDefaultCaption(&open));
    EXPECT_EQ(CString(_T("Open")), open.m_strCaption) << "the short name after the prompt";
    CKGPToolbarButton print(ID_TEST_PRINT, 2);
    EXPECT_FALSE(bar.FillDefaultCaption(&print)) << "no string";

    bar.SetButtonStyle(1, TBBS_PRESSED);
    bar.SetButtonStyle(1, TBBS_PRESSED | TBBS_DISABLED);
    EXPECT_EQ(UINT(TBBS_DISABLED), bar.GetButtonStyle(1)) << "a disabled button is not pressed";

    CRect rect;
    bar.GetItemRect(0, rect);
    EXPECT_EQ(bar.GetButton(0)->m_rcButton, rect);
    bar.GetRepaintRect(7, rect);
    EXPECT_TRUE(rect.IsRectNull());

    const UINT ids[] = {ID_TEST_OPEN, ID_TEST_PRINT + 20, 0};
    bar.SetButtons(ids, 3, FALSE);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0}), Commands()) << "without remapping only commands with an image";
    EXPECT_EQ(0, bar.GetButton(0)->m_nImage);
    bar.SetButtons(nullptr, 2);
    EXPECT_EQ((std::vector<UINT>{0, 0}), Commands()) << "no ids: separators";
}

}  // namespace
