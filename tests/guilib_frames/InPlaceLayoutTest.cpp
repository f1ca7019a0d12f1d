// The library's frames laid out while an OLE item is active in place in a
// view: the in-place frame of that item is told to lay itself out (not only
// the frame's own in-place hook), and in a document window the view the item
// is active in takes the whole window.
#include <gtest/gtest.h>

#include <afxole.h>

#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/support/MessagePump.h"

namespace {

class CBlankView : public CView {
public:
    void OnDraw(CDC* /*pDC*/) override {}
};

// Counts the layouts it is told of.
class CLayoutHook : public COleFrameHook {
public:
    void OnRecalcLayout() override { ++layouts; }
    int layouts = 0;
};

template <class TFrame>
class CStackFrame : public TFrame {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

// Sets a frame's in-place hook for as long as it lives.
class HookScope {
public:
    HookScope(CFrameWnd& frame, COleFrameHook& hook) : m_frame(frame) { m_frame.m_pNotifyHook = &hook; }
    ~HookScope() { m_frame.m_pNotifyHook = nullptr; }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

private:
    CFrameWnd& m_frame;
};

CView* AddView(CFrameWnd& frame, CDocument& document)
{
    auto* pView = new CBlankView; // deletes itself with its window
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &frame, AFX_IDW_PANE_FIRST))
        return nullptr;
    document.AddView(pView);
    frame.SetActiveView(pView);
    return pView;
}

} // namespace

TEST(InPlaceLayoutTest, TheSdiFrameTellsTheInPlaceFrameOfTheItemActiveInItsView)
{
    CStackFrame<CKGPFrameWnd> frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Container"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 430)));
    COleDocument container;
    container.m_bAutoDelete = FALSE;
    CView* pView = AddView(frame, container);
    ASSERT_NE(nullptr, pView);
    auto* pItem = new COleClientItem(&container); // the document owns it
    CLayoutHook frameHook;
    CLayoutHook itemFrame;
    ASSERT_TRUE(pItem->ActivateInPlace(pView, &itemFrame));
    {
        HookScope inPlace(frame, frameHook);
        frame.RecalcLayout(TRUE);
        EXPECT_EQ(1, itemFrame.layouts) << "the item's in-place frame lays itself out";
        EXPECT_EQ(0, frameHook.layouts);
        frame.RecalcLayout(FALSE);
        EXPECT_EQ(1, itemFrame.layouts) << "not without notice";
        // With no item naming a frame, the frame's own hook is told.
        pItem->Deactivate();
        frame.RecalcLayout(TRUE);
        EXPECT_EQ(1, frameHook.layouts);
    }
    frame.DestroyWindow();
}

TEST(InPlaceLayoutTest, TheMdiFrameTellsTheItemsFrameAndTheWindowsViewTakesTheWholeWindow)
{
    CStackFrame<CKGPMDIFrameWnd> frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Container"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 730, 530)));
    COleDocument container;
    container.m_bAutoDelete = FALSE;
    auto* pChild = new CKGPMDIChildWnd;
    ASSERT_TRUE(pChild->Create(nullptr, _T("Chart"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300),
                               &frame));
    CView* pView = AddView(*pChild, container);
    ASSERT_NE(nullptr, pView);
    // A bar along the window's top, so that what the docking leaves is not the whole window.
    CKGPToolBar toolbar;
    ASSERT_TRUE(toolbar.Create(pChild, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
    pChild->DockControlBar(&toolbar);
    frame.MDIActivate(pChild);
    keyloft_test::PumpPending();
    pChild->RecalcLayout();
    CRect docked;
    pView->GetWindowRect(docked);
    pChild->ScreenToClient(docked);
    CRect client;
    pChild->GetClientRect(client);
    ASSERT_GT(docked.top, client.top) << "the view lies below the window's bar";

    auto* pItem = new COleClientItem(&container);
    CLayoutHook frameHook;
    CLayoutHook childHook;
    CLayoutHook itemFrame;
    ASSERT_TRUE(pItem->ActivateInPlace(pView, &itemFrame));
    {
        HookScope frameInPlace(frame, frameHook);
        frame.RecalcLayout(TRUE);
        EXPECT_EQ(1, itemFrame.layouts) << "the frame tells the item's in-place frame";
        EXPECT_EQ(0, frameHook.layouts);
    }
    {
        HookScope windowInPlace(*pChild, childHook);
        itemFrame.layouts = 0;
        pChild->RecalcLayout(TRUE);
        EXPECT_EQ(1, itemFrame.layouts) << "the window tells the item's in-place frame";
        CRect inPlace;
        pView->GetWindowRect(inPlace);
        pChild->ScreenToClient(inPlace);
        EXPECT_EQ(client, inPlace) << "the view takes the whole window";
    }
    pItem->Deactivate();
    pChild->RecalcLayout(TRUE);
    CRect after;
    pView->GetWindowRect(after);
    pChild->ScreenToClient(after);
    EXPECT_EQ(docked, after) << "out of place, below its bar again";
    pChild->DestroyWindow();
    keyloft_test::PumpPending();
    frame.DestroyWindow();
}
