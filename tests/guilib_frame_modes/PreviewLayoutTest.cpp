// The library's print preview laid out in a document window (it fills what
// the window's docking leaves, below the bar that holds the preview's
// toolbar), and the menu a frame shows after a preview: a frame without a menu
// bar gets its own menu back, one with a menu bar no menu of its own.
#include <gtest/gtest.h>

#include <afxpreview.h>

#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/menus/KGPMenuBar.h"
#include "tests/guilib_frame_modes/FrameModesTestFrame.h"
#include "tests/support/MessagePump.h"

namespace {

using frame_modes_test::CModesFrame;
using frame_modes_test::CPrintView;

class CStackMDIFrame : public CKGPMDIFrameWnd {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

CRect ScreenRectOf(const CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(rect);
    return rect;
}

} // namespace

TEST(PreviewLayoutTest, APreviewInADocumentWindowFillsTheWindowBelowTheBarOfItsToolbar)
{
    CStackMDIFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Notes"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 760, 560)));
    auto* pChild = new CKGPMDIChildWnd; // deletes itself with its window
    ASSERT_TRUE(pChild->Create(nullptr, _T("Note"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 460, 360),
                               &frame));
    auto* pView = new CPrintView;
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pChild, AFX_IDW_PANE_FIRST));
    pChild->SetActiveView(pView);
    frame.MDIActivate(pChild);
    keyloft_test::PumpPending();

    CPrintPreviewState state;
    ASSERT_TRUE(AfxBeginPrintPreview(pView, RUNTIME_CLASS(CKGPPrintPreviewView), &state));
    keyloft_test::PumpPending();
    CKGPPrintPreviewView* pPreview = CKGPPrintPreviewView::GetActivePreview();
    ASSERT_NE(nullptr, pPreview);
    ASSERT_NE(nullptr, pPreview->GetToolBar().GetSafeHwnd()) << "the preview has its toolbar";
    CWnd* pBar = pChild->GetDlgItem(AFX_IDW_PREVIEW_BAR);
    ASSERT_NE(nullptr, pBar);
    pChild->RecalcLayout();
    CRect client;
    pChild->GetClientRect(client);
    pChild->ClientToScreen(client);
    const CRect bar = ScreenRectOf(pBar);
    const CRect preview = ScreenRectOf(pPreview);
    EXPECT_GT(bar.Height(), 0);
    EXPECT_EQ(client.top, bar.top) << "the bar along the window's top";
    EXPECT_EQ(bar.bottom, preview.top) << "the preview below it";
    EXPECT_EQ(client.bottom, preview.bottom);
    EXPECT_EQ(client.left, preview.left);
    EXPECT_EQ(client.right, preview.right);

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(nullptr, CKGPPrintPreviewView::GetActivePreview());
    EXPECT_EQ(client, ScreenRectOf(pView)) << "the view fills the window again";
    pChild->DestroyWindow();
    keyloft_test::PumpPending();
    frame.DestroyWindow();
}

TEST(PreviewLayoutTest, AfterAPreviewOnlyAFrameWithoutAMenuBarShowsAMenuOfItsOwnAgain)
{
    auto makeMenu = [] {
        CMenu menu;
        menu.CreateMenu();
        menu.AppendMenu(MF_STRING, 0x7B01, _T("&Go"));
        return menu.Detach();
    };
    auto previewOpenedAndClosed = [](CModesFrame& frame) {
        CPrintPreviewState state;
        if (!AfxBeginPrintPreview(frame.m_pView, RUNTIME_CLASS(CKGPPrintPreviewView), &state))
            return false;
        const bool hidden = ::GetMenu(frame.m_hWnd) == nullptr;
        CKGPPrintPreviewView::GetActivePreview()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
        return hidden && CKGPPrintPreviewView::GetActivePreview() == nullptr;
    };

    // Without a menu bar: the frame's menu hides for the preview and comes back.
    CModesFrame plain;
    ASSERT_TRUE(plain.Open());
    const HMENU plainMenu = makeMenu();
    ::SetMenu(plain.m_hWnd, plainMenu);
    ASSERT_TRUE(previewOpenedAndClosed(plain));
    EXPECT_EQ(plainMenu, ::GetMenu(plain.m_hWnd));
    plain.DestroyWindow(); // destroys the menu with it

    // With a menu bar: a menu the frame showed then (as while an item was
    // active in place) is not put back beside the menu bar.
    CModesFrame barred;
    ASSERT_TRUE(barred.Open());
    CKGPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(&barred));
    barred.DockControlBar(&menuBar, AFX_IDW_DOCKBAR_TOP);
    barred.RecalcLayout();
    const HMENU shown = makeMenu();
    ::SetMenu(barred.m_hWnd, shown);
    ASSERT_TRUE(previewOpenedAndClosed(barred));
    EXPECT_EQ(nullptr, ::GetMenu(barred.m_hWnd));
    ::DestroyMenu(shown);
    menuBar.DestroyWindow();
    barred.DestroyWindow();
}
