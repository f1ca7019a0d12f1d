// Full screen entered and left back to the frame's place and bars, and the
// library's print preview with its toolbar: the frame's bars step aside, the
// pages button shows the mode a click switches to, the page number reaches the
// status bar, a close request closes only the preview, and Alt+letter reaches
// the preview's toolbar alone. The docking layout is checked after every step.
#include <gtest/gtest.h>

#include <afxpreview.h>

#include <vector>


#include "guilib/core/KGPLibraryResources.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPStatusBar.h"
#include "guilib/ribbon/KGPRibbonBar.h"
#include "guilib/frames/KGPFullScreenImpl.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_frame_modes/FrameModesTestFrame.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RealInput.h"
#include "tests/support/WindowCapture.h"

namespace {

using frame_modes_test::CModesFrame;

constexpr UINT kIdFullScreen = 0x7F01;

class FrameModesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(frame.Open()); }
    void TearDown() override
    {
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
    }
    CRect FrameRect()
    {
        CRect rect;
        frame.GetWindowRect(rect);
        return rect;
    }
    CModesFrame frame;
};

TEST_F(FrameModesTest, FullScreenCoversTheMonitorAndLeavesBackToTheSavedLayout)
{
    CKGPFullScreenImpl& fullScreen = frame.GetFrameImpl().m_FullScreenMgr;
    const CRect before = FrameRect();
    const CRect paneBefore = frame.PaneRect();
    frame.ExpectSound("before full screen");

    // Not set up: neither entering nor leaving (Escape) changes anything.
    EXPECT_FALSE(frame.ShowFullScreen());
    frame.SendMessage(WM_KEYDOWN, VK_ESCAPE);
    MSG escape{};
    escape.hwnd = frame.m_hWnd;
    escape.message = WM_KEYDOWN;
    escape.wParam = VK_ESCAPE;
    frame.PreTranslateMessage(&escape);
    EXPECT_EQ(FrameRect(), before);

    fullScreen.EnableFullScreenMode(kIdFullScreen);
    fullScreen.RestoreState(&frame); // off: nothing to leave
    EXPECT_EQ(FrameRect(), before);

    ASSERT_TRUE(frame.ShowFullScreen());
    EXPECT_TRUE(frame.IsFullScreen());
    EXPECT_FALSE(frame.ShowFullScreen()) << "already on";
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    EXPECT_LE(client.left, 0);
    EXPECT_LE(client.top, 0);
    EXPECT_GE(client.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GE(client.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_FALSE(frame.m_top->IsWindowVisible());
    EXPECT_FALSE(frame.m_left->IsWindowVisible());
    CKGPToolBar* pBar = fullScreen.GetFullScreenBar();
    ASSERT_NE(pBar, nullptr);
    EXPECT_EQ(pBar->CommandToIndex(kIdFullScreen), 0);
    CKGPMiniFrameWnd* pFloating = pBar->GetParentMiniFrame(TRUE);
    ASSERT_NE(pFloating, nullptr) << "the way back floats";
    CRect floating;
    pFloating->GetWindowRect(floating);
    EXPECT_TRUE(pFloating->IsWindowVisible());
    EXPECT_TRUE(pBar->IsWindowVisible());
    CRect onScreen;
    EXPECT_TRUE(onScreen.IntersectRect(floating, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                                                       ::GetSystemMetrics(SM_CYSCREEN))))
        << floating;
    MINMAXINFO info{};
    frame.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, fullScreen.m_rectFullScreenWindow.Width());
    EXPECT_EQ(info.ptMaxSize.y, fullScreen.m_rectFullScreenWindow.Height());
    frame.ExpectSound("in full screen", pBar);
    keyloft_test::Pump(50);
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"full-screen.bmp");
    keyloft_test::SaveScreenshot(pFloating->m_hWnd, L"full-screen-bar.bmp");

    // Escape leaves it: the frame, its bars and its view as they were.
    ASSERT_TRUE(frame.PreTranslateMessage(&escape));
    EXPECT_FALSE(frame.IsFullScreen());
    EXPECT_EQ(fullScreen.GetFullScreenBar(), nullptr);
    EXPECT_EQ(FrameRect(), before);
    EXPECT_TRUE(frame.m_top->IsWindowVisible());
    EXPECT_TRUE(frame.m_left->IsWindowVisible());
    EXPECT_EQ(frame.PaneRect(), paneBefore);
    frame.ExpectSound("full screen left");

    // A frame closing in full screen leaves it first (its normal place is what it keeps).
    ASSERT_TRUE(frame.ShowFullScreen());
    frame.GetFrameImpl().OnCloseFrame();
    EXPECT_FALSE(frame.IsFullScreen());
    EXPECT_EQ(FrameRect(), before);
    frame.ExpectSound("closed from full screen");

    // Entered while a saved layout holds the layout lock, it leaves the lock held.
    CKGPDockManager::s_bLayoutLocked = TRUE;
    ASSERT_TRUE(frame.ShowFullScreen());
    EXPECT_TRUE(CKGPDockManager::s_bLayoutLocked);
    CKGPDockManager::s_bLayoutLocked = FALSE;
    fullScreen.RestoreState(&frame);
    EXPECT_EQ(FrameRect(), before);
}

class PreviewTest : public FrameModesTest {
protected:
    void SetUp() override
    {
        FrameModesTest::SetUp();
        ASSERT_TRUE(status.Create(&frame));
        frame.RecalcLayout();
    }
    CKGPPrintPreviewView* OpenPreview()
    {
        if (!AfxBeginPrintPreview(frame.m_pView, RUNTIME_CLASS(CKGPPrintPreviewView), &state))
            return nullptr;
        return CKGPPrintPreviewView::GetActivePreview();
    }
    CKGPStatusBar status;
    CPrintPreviewState state;
};

TEST_F(PreviewTest, ThePreviewShowsTheLibrarysToolbarInPlaceOfTheFramesBars)
{
    const CRect paneBefore = frame.PaneRect();
    CKGPPrintPreviewView* pPreview = OpenPreview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(frame.GetActiveView(), pPreview);
    EXPECT_FALSE(frame.m_pView->IsWindowVisible());
    EXPECT_FALSE(frame.m_top->IsWindowVisible());
    EXPECT_FALSE(frame.m_left->IsWindowVisible());
    frame.ExpectSound("preview open");

    // The toolbar: loaded from the library's resources, the two-page button
    // taken out, print with text and image, close with text only.
    CKGPPrintPreviewToolBar& toolBar = pPreview->GetToolBar();
    ASSERT_NE(toolBar.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(toolBar.IsWindowVisible());
    EXPECT_EQ(toolBar.CommandToIndex(ID_KGP_PREVIEW_TWO_PAGES), -1);
    const int pagesIndex = toolBar.CommandToIndex(AFX_ID_PREVIEW_NUMPAGE);
    ASSERT_GE(pagesIndex, 0);
    CKGPToolbarButton* pPrint = toolBar.GetButton(toolBar.CommandToIndex(AFX_ID_PREVIEW_PRINT));
    CKGPToolbarButton* pClose = toolBar.GetButton(toolBar.CommandToIndex(AFX_ID_PREVIEW_CLOSE));
    ASSERT_NE(pPrint, nullptr);
    ASSERT_NE(pClose, nullptr);
    EXPECT_TRUE(pPrint->m_bShowCaption && pPrint->m_bShowImage);
    EXPECT_TRUE(pClose->m_bShowCaption);
    EXPECT_FALSE(pClose->m_bShowImage);
    EXPECT_EQ(pClose->m_strCaption, CString(_T("&Close")));

    // The preview lies below its toolbar, which spans the frame.
    CRect barRect = docking_test::ClientRectIn(&toolBar, &frame);
    CRect preview = frame.PaneRect();
    EXPECT_GE(preview.top, barRect.bottom);
    EXPECT_GT(barRect.Height(), 0);
    CRect client;
    frame.GetClientRect(client);
    EXPECT_EQ(barRect.Width(), client.Width());
    keyloft_test::Pump(50);
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"print-preview.bmp");

    // The pages button shows the mode a click switches to, each time.
    pPreview->SetPageCount(5);
    CCmdUI update;
    update.m_nID = AFX_ID_PREVIEW_NUMPAGE;
    update.DoUpdate(pPreview, FALSE);
    const int twoPagesImage = toolBar.GetButton(pagesIndex)->GetImage();
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(pPreview->GetPagesShown(), 2u);
    update.DoUpdate(pPreview, FALSE);
    const int onePageImage = toolBar.GetButton(pagesIndex)->GetImage();
    EXPECT_NE(onePageImage, twoPagesImage);
    EXPECT_GE(onePageImage, 0);
    EXPECT_GE(twoPagesImage, 0);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    update.DoUpdate(pPreview, FALSE);
    EXPECT_EQ(toolBar.GetButton(pagesIndex)->GetImage(), twoPagesImage);

    // The page number goes to the library status bar's preview pane.
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(status.GetPaneText(CKGPStatusBar::kPreviewPane), CString(_T("Page 2")));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(status.GetPaneText(CKGPStatusBar::kPreviewPane), CString(_T("Pages 2-3")));
    frame.ExpectSound("pages switched");

    // A close request closes only the preview: the frame, its view and its bars come back.
    frame.SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(frame.m_hWnd));
    EXPECT_EQ(CKGPPrintPreviewView::GetActivePreview(), nullptr);
    EXPECT_EQ(frame.GetActiveView(), frame.m_pView);
    EXPECT_TRUE(frame.m_pView->IsWindowVisible());
    EXPECT_TRUE(frame.m_top->IsWindowVisible());
    EXPECT_TRUE(frame.m_left->IsWindowVisible());
    EXPECT_EQ(frame.GetDlgItem(AFX_IDW_PREVIEW_BAR), nullptr);
    EXPECT_EQ(frame.PaneRect(), paneBefore);
    EXPECT_EQ(status.GetPaneText(CKGPStatusBar::kPreviewPane), CString());
    EXPECT_EQ(frame.GetDockManager()->FindBarById(AFX_IDW_TOOLBAR, TRUE), nullptr)
        << "the preview's toolbar left the dock manager";
    frame.ExpectSound("preview closed");

    // Opened again, it works as the first time.
    pPreview = OpenPreview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_NE(pPreview->GetToolBar().GetSafeHwnd(), nullptr);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(CKGPPrintPreviewView::GetActivePreview(), nullptr);
    EXPECT_TRUE(frame.m_top->IsWindowVisible());
    frame.ExpectSound("preview opened and closed again");
}

TEST_F(PreviewTest, AFrameWithARibbonGetsNoToolbarAndTheRibbonsPagesImage)
{
    CKGPRibbonBar ribbon;
    ASSERT_TRUE(ribbon.Create(&frame));
    CKGPBaseRibbonElement* pPages = ribbon.GetActiveCategory()->AddElement(
        std::make_unique<CKGPBaseRibbonElement>(AFX_ID_PREVIEW_NUMPAGE, _T("Pages"), 0));
    CKGPPrintPreviewView* pPreview = OpenPreview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->GetRibbonBar(), &ribbon);
    EXPECT_TRUE(ribbon.IsPrintPreviewMode());
    EXPECT_EQ(pPreview->GetToolBar().GetSafeHwnd(), nullptr);
    pPreview->SetPageCount(4);
    frame.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    pPreview->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    CCmdUI update;
    update.m_nID = AFX_ID_PREVIEW_NUMPAGE;
    update.DoUpdate(pPreview, FALSE);
    EXPECT_EQ(pPages->GetImageIndex(), CKGPPrintPreviewView::kRibbonOnePageImage);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    update.DoUpdate(pPreview, FALSE);
    EXPECT_EQ(pPages->GetImageIndex(), CKGPPrintPreviewView::kRibbonTwoPagesImage);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_FALSE(ribbon.IsPrintPreviewMode());
    frame.ExpectSound("ribbon preview closed");
}

// A frame that records the prompt texts it is sent.
class CPromptFrame : public CModesFrame {
public:
    CString prompt;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING && lParam != 0)
            prompt = reinterpret_cast<LPCTSTR>(lParam);
        return CModesFrame::WindowProc(message, wParam, lParam);
    }
};

TEST(PreviewPromptTest, WithoutALibraryStatusBarThePageNumberIsTheFramesPrompt)
{
    CPromptFrame frame;
    ASSERT_TRUE(frame.Open());
    CPrintPreviewState state;
    ASSERT_TRUE(AfxBeginPrintPreview(frame.m_pView, RUNTIME_CLASS(CKGPPrintPreviewView), &state));
    CKGPPrintPreviewView* pPreview = CKGPPrintPreviewView::GetActivePreview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(frame.prompt, CString(_T("Page 1")));
    pPreview->SetPageCount(3);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(frame.prompt, CString(_T("Pages 1-2")));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(CKGPPrintPreviewView::GetActivePreview(), nullptr);
    frame.DestroyWindow();
}

constexpr UINT kIdClear = 0x7A01;

// A frame that records the commands posted to it.
class CCommandsFrame : public CModesFrame {
public:
    std::vector<UINT> commands;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && lParam == 0)
            commands.push_back(LOWORD(wParam));
        return CModesFrame::WindowProc(message, wParam, lParam);
    }
};

// An application's toolbar that stays shown in print preview.
class CStayingToolBar : public CKGPToolBar {
public:
    BOOL HideInPrintPreviewMode() const override { return FALSE; }
};

// The frame's Alt+letter with real keys: the menu bar's mnemonics come first,
// and in print preview only the preview's toolbar takes them (another
// toolbar shown there with the same letter does not).
TEST(PreviewKeysTest, AltLetterGoesToTheMenuBarFirstAndInPreviewToThePreviewsToolbarOnly)
{
    CCommandsFrame frame;
    CMenu colors;
    colors.CreatePopupMenu();
    colors.AppendMenu(MF_STRING, 0x7A02, _T("&Red"));
    CMenu menu;
    menu.CreateMenu();
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(colors.Detach()), _T("&Colors"));
    ASSERT_TRUE(frame.Open());
    frame.SetMenu(&menu);
    menu.Detach(); // the frame's now, then its menu bar's
    CKGPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(&frame));
    CStayingToolBar staying;
    ASSERT_TRUE(staying.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
    const UINT ids[] = {kIdClear};
    ASSERT_TRUE(staying.SetButtons(ids, 1, TRUE));
    staying.GetButton(0)->m_strCaption = _T("&Clear");
    staying.GetButton(0)->m_bShowCaption = TRUE;
    staying.AdjustLayout();
    frame.DockControlBar(&menuBar, AFX_IDW_DOCKBAR_TOP);
    frame.DockControlBar(&staying, AFX_IDW_DOCKBAR_TOP);
    frame.RecalcLayout();
    frame.SetForegroundWindow();
    frame.SetFocus();
    keyloft_test::PumpTranslated(50);

    // The menu bar first: Alt+C opens its menu, the toolbar's Clear does not run.
    keyloft_test::PressKey('C', VK_MENU);
    ASSERT_TRUE(keyloft_test::PumpUntil([] { return CKGPPopupMenu::GetActiveMenu() != nullptr; })) << "Colors opened";
    EXPECT_NE(nullptr, menuBar.GetDroppedDownMenu());
    CKGPPopupMenu::GetActiveMenu()->CloseChain();
    keyloft_test::PumpTranslated(50);
    EXPECT_TRUE(frame.commands.empty());

    CPrintPreviewState state;
    ASSERT_TRUE(AfxBeginPrintPreview(frame.m_pView, RUNTIME_CLASS(CKGPPrintPreviewView), &state));
    ASSERT_NE(CKGPPrintPreviewView::GetActivePreview(), nullptr);
    EXPECT_TRUE(staying.IsWindowVisible()) << "the application's toolbar stays";
    frame.SetForegroundWindow();
    CKGPPrintPreviewView::GetActivePreview()->SetFocus();
    keyloft_test::PumpTranslated(50);

    // In preview Alt+C is the preview toolbar's Close, neither the menu bar's
    // Colors (shown or not) nor the other toolbar's Clear.
    keyloft_test::PressKey('C', VK_MENU);
    EXPECT_TRUE(keyloft_test::PumpUntil([] { return CKGPPrintPreviewView::GetActivePreview() == nullptr; }))
        << "the preview closed";
    keyloft_test::PumpTranslated(50);
    EXPECT_EQ(std::vector<UINT>{AFX_ID_PREVIEW_CLOSE}, frame.commands);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    staying.DestroyWindow();
    menuBar.DestroyWindow();
    frame.DestroyWindow();
}

} // namespace
