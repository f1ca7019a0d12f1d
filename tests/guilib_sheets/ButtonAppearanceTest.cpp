// The button appearance dialog and its image grid: the grid's rules as
// tables (cells, whole-row scrolling, keys), and the dialog over a bar's
// strip: the button's kind, image and text with its shortcut kept apart,
// OK's refusals, new and edited images kept with the user images and
// recorded for the command, and the toolbars' appearance command served once
// a sheet was made; a click on the grid drags the button out only while dragging
// from it is allowed.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/sheets/KGPButtonAppearanceDlg.h"
#include "guilib/sheets/KGPButtonsGridRules.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <cstdint>
#include <vector>

namespace {

using kgp::Box;
using kgp::GridKey;
using kgp::GridScroll;

TEST(ButtonsGridRulesTest, CellsRowsScrollingAndKeys)
{
    const std::vector<Box> cells = kgp::PlaceGridCells(Box{0, 0, 100, 60}, 7, 22, 22);
    ASSERT_EQ(7u, cells.size());
    EXPECT_EQ((Box{3, 4, 25, 26}), cells[0]);
    EXPECT_EQ((Box{69, 4, 91, 26}), cells[3]) << "four cells fit the 94 pixels";
    EXPECT_EQ((Box{3, 31, 25, 53}), cells[4]) << "the next row 5 pixels lower";
    EXPECT_EQ(0, kgp::GridScrollLimit(cells, 60));
    EXPECT_EQ(27, kgp::GridScrollLimit(cells, 30));
    EXPECT_TRUE(kgp::PlaceGridCells(Box{0, 0, 100, 60}, 0, 22, 22).empty());

    EXPECT_EQ(27, kgp::ScrollGrid(0, GridScroll::LineDown, 0, 22, 2, 100));
    EXPECT_EQ(0, kgp::ScrollGrid(10, GridScroll::LineUp, 0, 22, 2, 100)) << "never above the top";
    EXPECT_EQ(54, kgp::ScrollGrid(0, GridScroll::PageDown, 0, 22, 2, 100));
    EXPECT_EQ(100, kgp::ScrollGrid(80, GridScroll::PageDown, 0, 22, 2, 100)) << "never past the limit";
    EXPECT_EQ(27, kgp::ScrollGrid(0, GridScroll::Thumb, 30, 22, 2, 100)) << "the thumb snaps to whole rows";
    EXPECT_EQ(54, kgp::ScrollGrid(0, GridScroll::Thumb, 45, 22, 2, 100));
    EXPECT_EQ(100, kgp::ScrollGrid(0, GridScroll::Bottom, 0, 22, 2, 100));
    EXPECT_EQ(0, kgp::ScrollGrid(60, GridScroll::Top, 0, 22, 2, 100));

    EXPECT_EQ(0, kgp::StepGridChoice(-1, 5, GridKey::Next));
    EXPECT_EQ(0, kgp::StepGridChoice(-1, 5, GridKey::Previous));
    EXPECT_EQ(4, kgp::StepGridChoice(4, 5, GridKey::Next)) << "stops at the end";
    EXPECT_EQ(0, kgp::StepGridChoice(0, 5, GridKey::Previous));
    EXPECT_EQ(4, kgp::StepGridChoice(1, 5, GridKey::End));
    EXPECT_EQ(0, kgp::StepGridChoice(3, 5, GridKey::Home));
    EXPECT_EQ(-1, kgp::StepGridChoice(-1, 0, GridKey::Home)) << "nothing on an empty grid";
}

class ButtonAppearanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
        // Four images drawn in code make the strip.
        images.SetImageSize(CSize(16, 15));
        CWindowDCHandle screen(nullptr);
        CMemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen.Get()), 64, 15);
        {
            const CSelectionScope chosen(memory.Get(), bitmap.GetSafeHandle());
            for (int i = 0; i < 4; ++i) {
                CRect cell(16 * i, 0, 16 * i + 16, 15);
                ::SetBkColor(memory.Get(), RGB(60 * i, 40, 200 - 40 * i));
                ::ExtTextOutW(memory.Get(), 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
            }
        }
        ASSERT_EQ(0, images.AddImage(static_cast<HBITMAP>(bitmap.GetSafeHandle())));
        ASSERT_EQ(4, images.GetCount());
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        frame.DestroyWindow();
    }

    menus_test::CCommandFrame frame;
    CKGPToolBar bar;
    CKGPToolBarImages images;
};

TEST_F(ButtonAppearanceTest, TheDialogEditsKindImageAndTextAndRefusesWhatIsMissing)
{
    CKGPToolbarButton button(ID_TEST_OPEN, 1, L"Open\tCtrl+O");
    button.m_bShowCaption = FALSE;
    CButtonAppearanceDlg dialog(&button, &images, &frame);
    ASSERT_TRUE(dialog.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_KGP_IMAGE_ONLY)) << "the button shows its image only";
    CString text;
    dialog.GetDlgItemText(IDC_KGP_BUTTON_TEXT, text);
    EXPECT_EQ(CString(L"Open"), text);
    dialog.GetDlgItemText(IDC_KGP_ACCELERATOR, text);
    EXPECT_EQ(CString(L"Ctrl+O"), text) << "the shortcut part kept apart";
    ASSERT_NE(nullptr, dialog.GetImageList().GetSelectedButton());
    EXPECT_EQ(1, dialog.GetImageList().GetSelectedButton()->GetImage());
    EXPECT_EQ(4, dialog.GetImageList().GetCount());
    EXPECT_FALSE(dialog.GetDlgItem(IDC_KGP_BUTTON_TEXT)->IsWindowEnabled());
    dialog.ShowWindow(SW_SHOW);
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(dialog.GetSafeHwnd(), L"button-appearance.bmp"));

    // Image and text, another image, another text.
    dialog.ChooseKind(2);
    EXPECT_TRUE(dialog.GetDlgItem(IDC_KGP_BUTTON_TEXT)->IsWindowEnabled());
    ASSERT_TRUE(dialog.GetImageList().SelectButton(3));
    EXPECT_FALSE(dialog.GetImageList().SelectButton(999)) << "no button has that image";
    dialog.SetDlgItemText(IDC_KGP_BUTTON_TEXT, L"Load");
    ASSERT_TRUE(dialog.CheckChoices(FALSE));
    dialog.ApplyToButton();
    EXPECT_TRUE(button.m_bShowImage);
    EXPECT_TRUE(button.m_bShowCaption);
    EXPECT_EQ(3, button.GetImage());
    EXPECT_EQ(CString(L"Load\tCtrl+O"), button.m_strCaption);

    // OK refuses a text kind without text, and an image kind without image.
    dialog.ChooseKind(1);
    dialog.SetDlgItemText(IDC_KGP_BUTTON_TEXT, L"");
    EXPECT_FALSE(dialog.CheckChoices(FALSE));
    dialog.ChooseKind(0);
    dialog.GetImageList().SelectButton(-1);
    EXPECT_FALSE(dialog.CheckChoices(FALSE));
    dialog.DestroyWindow();
}

// Stands in for the image editor: records the colour it is given at a point
// and paints a square of one colour into the image (or cancels).
class CPaintingAppearanceDlg : public CButtonAppearanceDlg {
public:
    using CButtonAppearanceDlg::CButtonAppearanceDlg;
    COLORREF paint = RGB(200, 0, 0);
    BOOL keep = TRUE;
    std::vector<COLORREF> given;  // the colour at (3, 3) of each image given

protected:
    BOOL EditImage(CBitmap& bitmap) override
    {
        CWindowDCHandle screen(nullptr);
        CMemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
        const CSelectionScope chosen(memory.Get(), bitmap.GetSafeHandle());
        given.push_back(::GetPixel(memory.Get(), 3, 3));
        if (keep) {
            ::SetBkColor(memory.Get(), paint);
            const RECT square{2, 2, 6, 6};
            ::ExtTextOutW(memory.Get(), 0, 0, ETO_OPAQUE, &square, nullptr, 0, nullptr);
        }
        return keep;
    }
};

// A pixel of a strip's image as 0x00RRGGBB when opaque, -1 when transparent.
long long ImageColour(const CKGPToolBarImages& strip, int image, int x, int y)
{
    const std::uint32_t pixel = strip.GetPixel(image, x, y);
    return (pixel >> 24) == 0 ? -1 : static_cast<long long>(pixel & 0xFFFFFFu);
}

TEST_F(ButtonAppearanceTest, NewAndEditedImagesAreKeptWithTheUserImagesAndRecordedForTheCommand)
{
    CKGPToolbarButton button(ID_TEST_OPEN, 1, L"Open");
    {
        CButtonAppearanceDlg plain(&button, &images, &frame);
        ASSERT_TRUE(plain.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
        for (const UINT id : {IDC_KGP_USER_IMAGES, IDC_KGP_NEW_IMAGE, IDC_KGP_EDIT_IMAGE})
            EXPECT_FALSE(plain.GetDlgItem(id)->IsWindowEnabled()) << id << ": the program keeps no user images";
        plain.DestroyWindow();
    }

    CKGPToolBarImages user;
    user.SetImageSize(CSize(16, 15));
    CPaintingAppearanceDlg dialog(&button, &images, &frame, FALSE, FALSE, &user);
    ASSERT_TRUE(dialog.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
    EXPECT_FALSE(dialog.IsShowingUserImages()) << "the button shows an image of its bar";
    EXPECT_TRUE(dialog.GetDlgItem(IDC_KGP_USER_IMAGES)->IsWindowEnabled());
    EXPECT_TRUE(dialog.GetDlgItem(IDC_KGP_NEW_IMAGE)->IsWindowEnabled());

    // New: a blank image on the button face, drawn, joins the user images and is chosen.
    ASSERT_TRUE(dialog.NewUserImage());
    EXPECT_EQ(GetKGPGlobalData().clrBtnFace, dialog.given.back()) << "a blank image";
    ASSERT_EQ(1, user.GetCount());
    EXPECT_EQ(0xC80000, ImageColour(user, 0, 3, 3)) << "what was drawn";
    EXPECT_EQ(-1, ImageColour(user, 0, 10, 10)) << "the face left is transparent";
    EXPECT_TRUE(dialog.IsShowingUserImages());
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_KGP_USER_IMAGES));
    EXPECT_EQ(1, dialog.GetImageList().GetCount());
    ASSERT_NE(nullptr, dialog.GetImageList().GetSelectedButton());
    EXPECT_EQ(0, dialog.GetImageList().GetSelectedButton()->GetImage());
    EXPECT_TRUE(dialog.GetDlgItem(IDC_KGP_EDIT_IMAGE)->IsWindowEnabled());
    dialog.keep = FALSE;
    EXPECT_FALSE(dialog.NewUserImage()) << "cancelled in the editor";
    EXPECT_EQ(1, user.GetCount());

    // Edit a user image: the edited image takes its place.
    dialog.keep = TRUE;
    dialog.paint = RGB(0, 0, 220);
    ASSERT_TRUE(dialog.EditChosenImage());
    EXPECT_EQ(RGB(200, 0, 0), dialog.given.back()) << "the editor works on the image itself";
    ASSERT_EQ(1, user.GetCount());
    EXPECT_EQ(0x0000DC, ImageColour(user, 0, 3, 3));

    // Edit an image of the bar: it stays; its edited copy joins the user images.
    dialog.ShowUserImages(FALSE);
    EXPECT_EQ(4, dialog.GetImageList().GetCount());
    ASSERT_TRUE(dialog.GetImageList().SelectButton(2));
    const long long barPixel = ImageColour(images, 2, 3, 3);
    dialog.paint = RGB(0, 160, 0);
    ASSERT_TRUE(dialog.EditChosenImage());
    EXPECT_EQ(static_cast<COLORREF>(RGB(120, 40, 120)), dialog.given.back()) << "a copy of the bar's image";
    EXPECT_EQ(barPixel, ImageColour(images, 2, 3, 3)) << "the bar's image unchanged";
    ASSERT_EQ(2, user.GetCount());
    EXPECT_EQ(0x00A000, ImageColour(user, 1, 3, 3));
    EXPECT_EQ(0x782878, ImageColour(user, 1, 10, 10)) << "the rest of the copy";
    EXPECT_TRUE(dialog.IsShowingUserImages());
    EXPECT_EQ(1, dialog.GetImageList().GetSelectedButton()->GetImage());

    // OK with it: the button shows the user image, recorded for its command.
    ASSERT_TRUE(dialog.CheckChoices(FALSE));
    dialog.ApplyToButton();
    EXPECT_TRUE(button.m_bUserImage);
    EXPECT_EQ(1, button.GetImage());
    EXPECT_EQ(1, GetCmdMgr()->GetCmdImage(ID_TEST_OPEN, TRUE));
    dialog.ShowWindow(SW_SHOW);
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(dialog.GetSafeHwnd(), L"button-appearance-user-images.bmp"));
    dialog.DestroyWindow();

    // Opened again, the dialog shows the user images with the button's chosen.
    CButtonAppearanceDlg again(&button, &images, &frame, FALSE, FALSE, &user);
    ASSERT_TRUE(again.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
    EXPECT_TRUE(again.IsShowingUserImages());
    ASSERT_NE(nullptr, again.GetImageList().GetSelectedButton());
    EXPECT_EQ(1, again.GetImageList().GetSelectedButton()->GetImage());
    again.DestroyWindow();
    GetCmdMgr()->ClearUserCmdImage(ID_TEST_OPEN);
}

// A button with a window of its own, coloured by the button.
class CColouredButton : public CKGPToolbarButton {
public:
    HWND window = nullptr;
    HBRUSH brush = nullptr;
    std::vector<UINT> kinds;
    HWND ControlWindow() const override { return window; }
    HBRUSH ControlBrush(CDC* /*pDC*/, UINT nCtlColor) override
    {
        kinds.push_back(nCtlColor);
        return brush;
    }
};

TEST_F(ButtonAppearanceTest, TheGridLetsAButtonColourItsOwnWindow)
{
    CButtonAppearanceDlg dialog(nullptr, &images, &frame);
    ASSERT_TRUE(dialog.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
    CButtonsList& grid = dialog.GetImageList();
    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD, CRect(0, 0, 40, 20), &grid, 0x55));
    auto* button = new CColouredButton;
    button->window = edit.GetSafeHwnd();
    button->brush = ::GetSysColorBrush(COLOR_INFOBK);
    grid.AddButton(button);
    CWindowDCHandle dc(edit.GetSafeHwnd());
    EXPECT_EQ(reinterpret_cast<LRESULT>(button->brush),
              grid.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                               reinterpret_cast<LPARAM>(edit.GetSafeHwnd())));
    EXPECT_EQ(std::vector<UINT>{CTLCOLOR_EDIT}, button->kinds);
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, L"EDIT", L"", WS_CHILD, CRect(0, 0, 40, 20), &grid, 0x56));
    EXPECT_NE(reinterpret_cast<LRESULT>(button->brush),
              grid.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()),
                               reinterpret_cast<LPARAM>(other.GetSafeHwnd())))
        << "a window no button owns";
    EXPECT_EQ(1u, button->kinds.size());
    dialog.DestroyWindow();
}

// The grid keys the button face out of its strip: an image drawn on the face
// and added later shows the grid's background around it.
TEST_F(ButtonAppearanceTest, TheGridsStripTakesTheButtonFaceAsTransparent)
{
    CButtonAppearanceDlg dialog(nullptr, &images, &frame);
    ASSERT_TRUE(dialog.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
    dialog.ShowWindow(SW_SHOW);
    CButtonsList& grid = dialog.GetImageList();
    grid.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const COLORREF face = GetKGPGlobalData().clrBtnFace;
    EXPECT_EQ(face, images.GetTransparentColor());

    CWindowDCHandle screen(nullptr);
    CBitmap drawn;
    drawn.CreateCompatibleBitmap(CDC::FromHandle(screen.Get()), 16, 15);
    {
        CMemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
        const CSelectionScope chosen(memory.Get(), drawn.GetSafeHandle());
        CDC* dc = CDC::FromHandle(memory.Get());
        dc->FillSolidRect(0, 0, 16, 15, face);
        dc->FillSolidRect(6, 5, 4, 4, RGB(255, 0, 0));
    }
    const int added = images.AddImage(static_cast<HBITMAP>(drawn.GetSafeHandle()));
    ASSERT_EQ(4, added);
    EXPECT_EQ(0u, images.GetPixel(added, 0, 0) >> 24) << "its face-coloured corner is clear";
    EXPECT_EQ(0xFFu, images.GetPixel(added, 7, 6) >> 24) << "what was drawn stays";
    dialog.DestroyWindow();
}

TEST_F(ButtonAppearanceTest, ALockedBarsButtonKeepsItsImageAndShowsText)
{
    CKGPToolbarButton button(ID_TEST_SAVE, 0, L"Save");
    CButtonAppearanceDlg dialog(&button, &images, &frame, FALSE, TRUE);
    ASSERT_TRUE(dialog.Create(IDD_KGP_BUTTON_APPEARANCE, &frame));
    EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(IDC_KGP_TEXT_ONLY));
    EXPECT_FALSE(dialog.GetDlgItem(IDC_KGP_IMAGE_ONLY)->IsWindowEnabled());
    EXPECT_FALSE(dialog.GetDlgItem(IDC_KGP_IMAGE_AND_TEXT)->IsWindowEnabled());
    EXPECT_FALSE(dialog.GetDlgItem(IDC_KGP_NEW_IMAGE)->IsWindowEnabled());
    dialog.DestroyWindow();
}

// A grid that records the drags a click starts instead of running them.
class CDragRecordingGrid : public CButtonsList {
public:
    std::vector<CKGPToolbarButton*> dragged;
    DROPEFFECT DragButton(CKGPToolbarButton* pButton) override
    {
        dragged.push_back(pButton);
        return DROPEFFECT_COPY;
    }
    DROPEFFECT DragForReal(CKGPToolbarButton* pButton) { return CButtonsList::DragButton(pButton); }
};

void ClickAt(CWnd& wnd, CPoint point)
{
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

TEST_F(ButtonAppearanceTest, AClickDragsTheGridsButtonOutOnlyWhileDraggingIsAllowed)
{
    CDragRecordingGrid grid;
    ASSERT_TRUE(grid.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 40, 170, 140), &frame, 0x5101));
    grid.SetImages(&images);
    std::vector<CKGPToolbarButton*> buttons;
    for (int i = 0; i < 4; ++i) {
        buttons.push_back(new CKGPToolbarButton(0, i, nullptr, FALSE, TRUE));
        grid.AddButton(buttons.back());
    }
    const auto centreOf = [](const CKGPToolbarButton* button) { return button->m_rcButton.CenterPoint(); };

    ClickAt(grid, centreOf(buttons[2]));
    EXPECT_EQ(buttons[2], grid.GetSelectedButton());
    EXPECT_TRUE(grid.dragged.empty()) << "dragging is off";

    grid.m_bEnableDragFromList = TRUE;
    ClickAt(grid, centreOf(buttons[1]));
    EXPECT_EQ(buttons[1], grid.GetSelectedButton());
    ClickAt(grid, CPoint(buttons[3]->m_rcButton.right + 40, buttons[3]->m_rcButton.bottom + 30));
    EXPECT_EQ((std::vector<CKGPToolbarButton*>{buttons[1]}), grid.dragged) << "the clicked button only, no empty place";

    // A button the grid does not hold is never dragged.
    CKGPToolbarButton stranger(ID_TEST_OPEN, 0, L"Open");
    EXPECT_EQ(DROPEFFECT_NONE, grid.DragForReal(&stranger));
    EXPECT_EQ(DROPEFFECT_NONE, grid.DragForReal(nullptr));
    grid.DestroyWindow();
}

} // namespace
