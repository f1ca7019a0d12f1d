// Toolbars docked in a frame with the 2003 look, for a look by eye in
// guilib_toolbars.bmp: captions under the images along the top, a short bar
// whose last buttons are listed under its customise button, and a bar down
// the left edge with a caption beside its image. Painting them again leaves no
// GDI object behind, and a click on a docked button still sends its command.
#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"
#include "tests/support/GuiObjectCounts.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

namespace {

using namespace toolbar_test;

// A bar made from the test resource in the frame, docked at an edge.
void DockNew(CCommandFrame& frame, CKGPToolBar& bar, UINT nID, DWORD dwEdgeStyle, UINT nDockBarId)
{
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | dwEdgeStyle, nID));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_TOOLBAR));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&bar, nDockBarId);
}

TEST_F(ToolBarTest, DockedBarsInTheLookOf2003)
{
    CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003));
    frame.EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    bar.GetButton(0)->m_strCaption = _T("Open");
    bar.GetButton(1)->m_strCaption = _T("Save");
    bar.GetButton(3)->m_strCaption = _T("Print");
    bar.EnableTextLabels(TRUE);
    frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);

    // More buttons than the frame is wide (known images, no remapping).
    CKGPToolBar shortBar;
    DockNew(frame, shortBar, kBarId + 1, CBRS_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM);
    std::vector<UINT> many;
    for (int i = 0; i < 21; ++i)
        many.push_back(ID_TEST_OPEN + static_cast<UINT>(i % 3));
    shortBar.SetButtons(many.data(), static_cast<int>(many.size()), FALSE);
    shortBar.EnableCustomizeButton(TRUE, ID_TEST_PRINT + 10, _T("Customise"));
    shortBar.AdjustLayout();

    CKGPToolBar side;
    DockNew(frame, side, kBarId + 2, CBRS_LEFT, AFX_IDW_DOCKBAR_LEFT);
    side.GetButton(0)->m_strCaption = _T("&Open");
    side.GetButton(0)->m_bShowCaption = TRUE;
    frame.RecalcLayout();
    side.AdjustLayout();
    keyloft_test::Pump(500);

    EXPECT_TRUE(shortBar.GetCustomizeButton()->HasHiddenButtons());
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = keyloft_test::CaptureWindow(frame.GetSafeHwnd(), width, height);
    for (const CKGPToolBar* each : {&bar, &shortBar, &side})
        EXPECT_GE(keyloft_test::ColoursIn(pixels, width, frame, *each), 4u) << each->GetDlgCtrlID();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), L"guilib_toolbars.bmp"));

    // Painting keeps nothing: the image sections live for one paint.
    const keyloft_test::GuiObjectCounts painted = keyloft_test::CountGuiObjects();
    for (int i = 0; i < 5; ++i) {
        for (CKGPToolBar* each : {&bar, &shortBar, &side})
            each->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EXPECT_EQ(painted, keyloft_test::CountGuiObjects());

    const CPoint print = side.GetButton(3)->m_rcButton.CenterPoint();
    side.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(print.x, print.y));
    side.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(print.x, print.y));
    EXPECT_EQ(std::vector<UINT>{ID_TEST_PRINT}, frame.commands);

    CKGPVisualManager::SetDefaultManager(nullptr);
    side.DestroyWindow();
    shortBar.DestroyWindow();
}

}  // namespace
