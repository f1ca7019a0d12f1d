// The drop-down toolbar button: its rules as tables (the frame's corner, kept
// on the work area, the corner triangle), and on a bar: the default command
// and its image, the drop-down frame opened under the button with copies of
// the drop-down toolbar's buttons, a choice sent to the owner and shown, and
// the stored form with the drop-down toolbar found again or missing, and the
// button exported into a menu as a sub-menu of the drop-down's commands.
#include <gtest/gtest.h>

#include "guilib/toolbars/KGPDropDownRules.h"
#include "guilib/toolbars/KGPDropDownToolbar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <vector>

namespace {

using kgp::Box;
using kgp::Point2D;

TEST(DropDownRulesTest, TheFrameOpensUnderTheButtonAndStaysOnTheWorkArea)
{
    EXPECT_EQ((Point2D{10, 29}), kgp::DropDownCorner(Box{10, 8, 33, 30}, true)) << "under a horizontal bar's button";
    EXPECT_EQ((Point2D{34, 8}), kgp::DropDownCorner(Box{10, 8, 33, 30}, false)) << "beside a vertical bar's";

    kgp::DropDownPlaceInput in;
    in.work = Box{0, 0, 800, 600};
    in.width = 100;
    in.height = 50;
    in.x = 100;
    in.y = 100;
    EXPECT_EQ((Point2D{100, 100}), kgp::PlaceDropDownFrame(in)) << "inside: where asked";
    in.x = 750;
    EXPECT_EQ((Point2D{699, 100}), kgp::PlaceDropDownFrame(in)) << "to the right edge";
    in.verticalBar = true;
    in.barLeft = 760;
    EXPECT_EQ((Point2D{660, 100}), kgp::PlaceDropDownFrame(in)) << "left of a vertical bar";
    in = kgp::DropDownPlaceInput{};
    in.work = Box{-1280, 0, 0, 1024};  // a monitor left of the primary one
    in.x = -300;
    in.y = 1000;
    in.width = 100;
    in.height = 50;
    in.buttonHeight = 22;
    EXPECT_EQ((Point2D{-300, 924}), kgp::PlaceDropDownFrame(in)) << "above the button when it would pass the bottom";
    in.fromButton = false;
    in.y = 30;
    in.work.bottom = 60;
    EXPECT_EQ((Point2D{-300, 0}), kgp::PlaceDropDownFrame(in)) << "without a button never above 0";

    const auto small = kgp::DropDownTriangle(Box{0, 0, 30, 22}, false, false);
    EXPECT_EQ((Point2D{22, 19}), small[0]);
    EXPECT_EQ((Point2D{27, 19}), small[1]);
    EXPECT_EQ((Point2D{27, 14}), small[2]);
    const auto pressed = kgp::DropDownTriangle(Box{0, 0, 30, 22}, true, true);
    EXPECT_EQ((Point2D{16, 17}), pressed[0]);
    EXPECT_EQ((Point2D{25, 17}), pressed[1]);
    EXPECT_EQ((Point2D{25, 8}), pressed[2]);
    EXPECT_EQ(9, kgp::DropDownArrowWidth(true));
    EXPECT_EQ(4, kgp::DropDownArrowWidth(false));
}

class DropDownToolbarTest : public toolbar_test::ToolBarTest {
protected:
    void SetUp() override
    {
        ToolBarTest::SetUp();
        ASSERT_TRUE(dropDown.Create(&frame, WS_CHILD | CBRS_TOP, 0xE820));
        ASSERT_TRUE(dropDown.LoadToolBar(IDR_TEST_TOOLBAR));
        ASSERT_TRUE(dropDown.IsLocked()) << "a drop-down toolbar keeps its own images";
    }
    void TearDown() override
    {
        dropDown.DestroyWindow();
        ToolBarTest::TearDown();
    }
    CKGPDropDownToolBar dropDown;
};

TEST_F(DropDownToolbarTest, AChoiceInTheDropDownBecomesTheButtonsCommand)
{
    const int index = bar.InsertButton(std::make_unique<CKGPDropDownToolbarButton>(L"Files", &dropDown));
    ASSERT_GE(index, 0);
    bar.AdjustLayout();
    auto* button = DYNAMIC_DOWNCAST(CKGPDropDownToolbarButton, bar.GetButton(index));
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(static_cast<UINT>(ID_TEST_OPEN), button->m_nCommand) << "the drop-down's first button";
    EXPECT_EQ(0, button->GetCurrentImage());

    menus_test::CRecordedMenuBars menus;
    ASSERT_TRUE(button->OpenDropDown());
    ASSERT_TRUE(button->IsDropDownOpen());
    EXPECT_EQ(std::vector<int>{2}, menus.sounds) << "it opens with the popup menus' sound";
    EXPECT_FALSE(button->OpenDropDown()) << "one frame at a time";
    auto* dropBar = DYNAMIC_DOWNCAST(CKGPDropDownToolBar, CWnd::FromHandlePermanent(::GetCapture()));
    ASSERT_NE(nullptr, dropBar) << "the frame's bar holds the mouse";
    EXPECT_EQ(dropDown.GetCount(), dropBar->GetCount());
    auto* dropFrame = DYNAMIC_DOWNCAST(CKGPDropDownFrame, dropBar->GetParent());
    ASSERT_NE(nullptr, dropFrame);
    CRect frameRect;
    dropFrame->GetWindowRect(frameRect);
    CRect buttonRect = button->m_rcButton;
    bar.ClientToScreen(buttonRect);
    EXPECT_EQ(buttonRect.left, frameRect.left);
    EXPECT_EQ(buttonRect.bottom - 1, frameRect.top) << "under the button";

    const int save = dropBar->CommandToIndex(ID_TEST_SAVE);
    ASSERT_GE(save, 0);
    frame.commands.clear();
    dropFrame->ChooseButton(*dropBar->GetButton(save));
    Pump();
    EXPECT_FALSE(button->IsDropDownOpen()) << "the frame closed";
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), button->m_nCommand);
    EXPECT_EQ(1, button->GetCurrentImage()) << "its place among the non-separators";
    EXPECT_EQ((std::vector<UINT>{ID_TEST_SAVE}), frame.commands);
}

TEST_F(DropDownToolbarTest, ExportedIntoAMenuItBecomesASubMenuOfTheDropDownsCommands)
{
    dropDown.GetButton(3)->m_strCaption = L"Print it";
    CKGPDropDownToolbarButton button(L"Files", &dropDown);
    CKGPToolbarMenuButton item(ID_TEST_OPEN, nullptr, 0, L"");
    ASSERT_TRUE(button.FillCaptionFromCommand(&item));
    EXPECT_EQ(0u, item.m_nCommand);
    EXPECT_EQ(CString(L"Files"), item.m_strCaption) << "the drop-down button's name";
    EXPECT_EQ(-1, item.GetImage());
    EXPECT_FALSE(item.m_bShowImage);

    const CObList& items = item.GetCommands();
    ASSERT_EQ(4, items.GetCount()) << "Open, Save, a separator, Print";
    std::vector<UINT> commands;
    std::vector<CString> texts;
    for (POSITION pos = items.GetHeadPosition(); pos != nullptr;) {
        const auto* sub = static_cast<const CKGPToolbarButton*>(items.GetNext(pos));
        commands.push_back(sub->IsSeparator() ? 0u : sub->m_nCommand);
        texts.push_back(sub->m_strCaption);
    }
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0u, ID_TEST_PRINT}), commands);
    EXPECT_EQ(CString(L"Open"), texts[0]) << "an empty text: the command's short name";
    EXPECT_EQ(CString(L"Print it"), texts[3]) << "the button's own text";

    // Without a drop-down toolbar there is nothing to export.
    CKGPDropDownToolbarButton orphan(L"Orphan", nullptr);
    CKGPToolbarMenuButton other(0, nullptr, -1, L"");
    EXPECT_FALSE(orphan.FillCaptionFromCommand(&other));
    EXPECT_EQ(0, other.GetCommands().GetCount());
}

TEST_F(DropDownToolbarTest, TheStoredFormFindsTheDropDownToolbarOrKeepsTheCommand)
{
    CKGPDropDownToolbarButton button(L"Files", &dropDown);
    button.SetDefaultCommand(ID_TEST_SAVE);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
    }
    file.SeekToBegin();
    CKGPDropDownToolbarButton back;
    {
        CArchive ar(&file, CArchive::load);
        back.Serialize(ar);
    }
    EXPECT_EQ(&dropDown, back.GetDropDownToolBar()) << "found among the live bars by its id";
    EXPECT_EQ(CString(L"Files"), back.GetName());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), back.m_nCommand);
    EXPECT_EQ(1, back.GetCurrentImage());

    dropDown.DestroyWindow();
    file.SeekToBegin();
    CKGPDropDownToolbarButton orphan;
    {
        CArchive ar(&file, CArchive::load);
        orphan.Serialize(ar);
    }
    EXPECT_EQ(nullptr, orphan.GetDropDownToolBar());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), orphan.m_nCommand) << "the command stays";
    EXPECT_EQ(0, orphan.GetCurrentImage()) << "image 0 without its bar";
}

} // namespace
