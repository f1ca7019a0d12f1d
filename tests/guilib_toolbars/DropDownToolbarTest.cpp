// The drop-down toolbar button: its rules as tables (the frame's corner, kept
// on the work area, the corner triangle), and on a bar: the default command
// and its image, the drop-down frame opened under the button with copies of
// the drop-down toolbar's buttons, a choice sent to the owner and shown, and
// the stored form with the drop-down toolbar found again or missing, and the
// button exported into a menu as a sub-menu of the drop-down's commands.
#include <gtest/gtest.h>

#include "guilib/toolbars/KGPDropDownRules.h"
#include "guilib/toolbars/KGPDropDownToolbar.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/RealInput.h"
#include "tests/support/WindowCapture.h"

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

// The button on the bar, driven by the real mouse.
class DropDownClickTest : public DropDownToolbarTest {
protected:
    void SetUp() override
    {
        DropDownToolbarTest::SetUp();
        const int index = bar.InsertButton(std::make_unique<CKGPDropDownToolbarButton>(L"Files", &dropDown));
        ASSERT_GE(index, 0);
        bar.AdjustLayout();
        button = DYNAMIC_DOWNCAST(CKGPDropDownToolbarButton, bar.GetButton(index));
        ASSERT_NE(nullptr, button);
        frame.SetForegroundWindow();
        keyloft_test::PumpTranslated(50);
        frame.commands.clear();
    }
    void TearDown() override
    {
        keyloft_test::MouseUp();
        button->CloseDropDown();
        keyloft_test::PumpTranslated(30);
        DropDownToolbarTest::TearDown();
    }
    CPoint ButtonCentre() const
    {
        CRect rect = button->m_rcButton;
        bar.ClientToScreen(rect);
        return rect.CenterPoint();
    }
    // The bar of the open drop-down frame (it holds the mouse).
    static CKGPDropDownToolBar* OpenBar()
    {
        return DYNAMIC_DOWNCAST(CKGPDropDownToolBar, CWnd::FromHandlePermanent(::GetCapture()));
    }
    bool WaitOpen(DWORD ms = 3000)
    {
        return keyloft_test::PumpUntil([this] { return button->IsDropDownOpen() != FALSE; }, ms);
    }

    menus_test::CRecordedMenuBars menus;
    CKGPDropDownToolbarButton* button = nullptr;
};

TEST_F(DropDownClickTest, HeldTheDropDownOpensAfterTheDelayAndTheReleaseChoosesThere)
{
    menus.delay = 200;
    keyloft_test::MouseMoveTo(ButtonCentre());
    keyloft_test::PumpTranslated(30);
    keyloft_test::MouseDown();
    ASSERT_TRUE(WaitOpen()) << "the press held past the delay opens the drop-down";
    CKGPDropDownToolBar* open = OpenBar();
    ASSERT_NE(nullptr, open);
    CRect client;
    open->GetClientRect(client);
    for (int i = 0; i < open->GetCount(); ++i) {
        CRect item;
        open->GetItemRect(i, item);
        EXPECT_EQ(item, item & client) << "every button of the drop-down shows in its frame: " << i;
    }
    EXPECT_TRUE(open->IsHorizontal()) << "under a horizontal bar it lies as the bar does";
    CRect save;
    open->GetItemRect(open->CommandToIndex(ID_TEST_SAVE), save);
    open->ClientToScreen(save);
    keyloft_test::MouseMoveTo(save.CenterPoint());
    keyloft_test::PumpTranslated(30);
    keyloft_test::MouseUp();
    EXPECT_TRUE(keyloft_test::PumpUntil([this] { return !button->IsDropDownOpen(); }));
    keyloft_test::PumpTranslated(30);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_SAVE}), frame.commands) << "the command chosen, and no other";
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), button->m_nCommand) << "shown from now on";
}

TEST_F(DropDownClickTest, APlainClickSendsTheCommandShownAndTheDelayOpensTheDropDownAfterIt)
{
    menus.delay = 300;
    keyloft_test::ClickAt(ButtonCentre());
    keyloft_test::PumpTranslated(30);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN}), frame.commands) << "released over it: its command";
    EXPECT_TRUE(WaitOpen()) << "the delay passed without the press held: the drop-down opens all the same";
    // The next click closes it.
    keyloft_test::ClickAt(ButtonCentre());
    EXPECT_TRUE(keyloft_test::PumpUntil([this] { return !button->IsDropDownOpen(); }));
    keyloft_test::PumpTranslated(30);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN}), frame.commands);
    EXPECT_FALSE(button->IsOpenPending());
}

TEST_F(DropDownClickTest, ASecondClickBeforeTheDelayOpensAtOnceEvenWhileDisabled)
{
    menus.delay = 5000;  // no timer passes during the test
    button->m_nBits |= TBBS_DISABLED;
    keyloft_test::ClickAt(ButtonCentre());
    keyloft_test::PumpTranslated(50);
    EXPECT_TRUE(button->IsOpenPending()) << "a disabled drop-down is still pressed";
    EXPECT_TRUE(frame.commands.empty()) << "but sends no command";
    keyloft_test::MouseDown();
    EXPECT_TRUE(WaitOpen(1000)) << "a second press while the delay runs opens it at once";
    EXPECT_FALSE(button->IsOpenPending());
    keyloft_test::MouseUp();
    keyloft_test::PumpTranslated(50);
    EXPECT_TRUE(button->IsDropDownOpen()) << "the release over the button leaves it open";
    EXPECT_TRUE(frame.commands.empty());

    // A plain button that is disabled is never pressed.
    bar.SetButtonStyle(0, bar.GetButtonStyle(0) | TBBS_DISABLED);
    button->CloseDropDown();
    CRect open;
    bar.GetItemRect(0, open);
    bar.ClientToScreen(open);
    keyloft_test::MouseMoveTo(open.CenterPoint());
    keyloft_test::PumpTranslated(30);
    keyloft_test::MouseDown();
    keyloft_test::PumpTranslated(50);
    EXPECT_NE(bar.GetSafeHwnd(), ::GetCapture());
    EXPECT_EQ(0u, bar.GetButtonStyle(0) & TBBS_PRESSED);
}

TEST_F(DropDownClickTest, ItsCustomisationMenuLeavesNoImageOrTextChoice)
{
    bar.InsertSeparator(bar.ButtonToIndex(button));
    bar.AdjustLayout();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT command = 16910; command <= 16918; ++command)
        menu.AppendMenu(MF_STRING, command, CKGPToolBar::GetCustomizeCommandText(command));
    ASSERT_TRUE(bar.EnableContextMenuItems(button, &menu));
    for (UINT command : {16911u, 16913u, 16914u, 16915u, 16916u})
        EXPECT_NE(0u, menu.GetMenuState(command, MF_BYCOMMAND) & MF_GRAYED) << command;
    EXPECT_EQ(0u, menu.GetMenuState(16912, MF_BYCOMMAND) & MF_GRAYED) << "it may be deleted";
    EXPECT_NE(0u, menu.GetMenuState(16917, MF_BYCOMMAND) & MF_CHECKED) << "the bar's own entries: after a separator";
}

TEST_F(DropDownClickTest, AUserImageIsDrawnFromTheUserImages)
{
    // One user image, all blue; the drop-down's Save shows it.
    CKGPToolBarImages users;
    users.SetImageSize(dropDown.GetImages().GetImageSize());
    {
        const CSize size = users.GetImageSize();
        CBitmap blue;
        CClientDC screen(static_cast<CWnd*>(nullptr));
        ASSERT_TRUE(blue.CreateCompatibleBitmap(&screen, size.cx, size.cy));
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* old = dc.SelectObject(&blue);
        dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(0, 0, 255));
        dc.SelectObject(old);
        ASSERT_EQ(0, users.AddImage(static_cast<HBITMAP>(blue.GetSafeHandle())));
    }
    CKGPToolBarImages* before = CKGPToolBarShared::s_pUserImageStrip;
    CKGPToolBarShared::s_pUserImageStrip = &users;
    CKGPToolbarButton* save = dropDown.GetButton(dropDown.CommandToIndex(ID_TEST_SAVE));
    save->m_bUserImage = TRUE;
    save->m_nUserImage = 0;
    button->SetDefaultCommand(ID_TEST_SAVE);
    EXPECT_TRUE(button->IsCurrentImageUsers());
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CRect image = button->m_rcButton;
    image.right -= 4;  // the arrow's part
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = keyloft_test::CaptureWindow(bar.GetSafeHwnd(), width, height);
    CKGPToolBarShared::s_pUserImageStrip = before;
    const CPoint centre = image.CenterPoint();
    ASSERT_LT(centre.y * width + centre.x, static_cast<int>(pixels.size()));
    EXPECT_EQ(0x0000FFu, pixels[static_cast<size_t>(centre.y * width + centre.x)]) << "the user image's blue";
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
