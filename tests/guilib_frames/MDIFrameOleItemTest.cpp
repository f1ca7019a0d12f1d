// The OLE item active in place in the library's MDI frame: the item its
// active document window's view has active, as the container's document
// tells; one item at a time per view; an item whose view goes is no longer
// active; the frame keeps the client's menu while an item is active and
// deactivates the item when it closes.
#include <gtest/gtest.h>

#include <afxole.h>

#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "tests/support/MessagePump.h"

#include <memory>

namespace {

class CBlankView : public CView {
public:
    void OnDraw(CDC* /*pDC*/) override {}
};

class COleItemFrame : public CKGPMDIFrameWnd {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

class COleItemSdiFrame : public CKGPFrameWnd {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

// A document window showing one view of the document.
CKGPMDIChildWnd* OpenWindow(CKGPMDIFrameWnd& frame, CDocument& document, LPCTSTR title, CView** ppView)
{
    auto* pChild = new CKGPMDIChildWnd;
    if (!pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, &frame))
        return nullptr;
    auto* pView = new CBlankView;
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), pChild, AFX_IDW_PANE_FIRST))
        return nullptr;
    document.AddView(pView);
    pChild->SetActiveView(pView);
    *ppView = pView;
    return pChild;
}

TEST(MDIFrameOleItemTest, TheActiveDocumentWindowsInPlaceItemIsTheFramesActiveItem)
{
    COleItemFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Container"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 430)));
    COleDocument container;
    container.m_bAutoDelete = FALSE;
    CDocument plain;
    plain.m_bAutoDelete = FALSE;
    CView* pFirstView = nullptr;
    CView* pSecondView = nullptr;
    CView* pPlainView = nullptr;
    CKGPMDIChildWnd* pFirst = OpenWindow(frame, container, _T("first"), &pFirstView);
    CKGPMDIChildWnd* pSecond = OpenWindow(frame, container, _T("second"), &pSecondView);
    CKGPMDIChildWnd* pPlain = OpenWindow(frame, plain, _T("plain"), &pPlainView);
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr && pPlain != nullptr);
    keyloft_test::PumpPending();

    auto* pChart = new COleClientItem(&container);
    auto* pSketch = new COleClientItem(&container);
    COleClientItem loose;
    EXPECT_EQ(2, container.GetItemCount());
    EXPECT_FALSE(loose.ActivateInPlace(pFirstView)) << "an item of no document";
    EXPECT_FALSE(pChart->ActivateInPlace(pPlainView)) << "a view of another document";

    frame.MDIActivate(pFirst);
    keyloft_test::PumpPending();
    EXPECT_EQ(nullptr, frame.GetActiveOleItem()) << "no item is active yet";
    ASSERT_TRUE(pChart->ActivateInPlace(pFirstView));
    EXPECT_EQ(pChart, frame.GetActiveOleItem());
    EXPECT_EQ(pChart, container.GetInPlaceActiveItem(pFirst)) << "asked by the view's frame";

    // Another item in the same view takes its place.
    ASSERT_TRUE(pSketch->ActivateInPlace(pFirstView));
    EXPECT_FALSE(pChart->IsInPlaceActive());
    EXPECT_EQ(pSketch, frame.GetActiveOleItem());

    // The active item follows the active document window.
    ASSERT_TRUE(pChart->ActivateInPlace(pSecondView));
    frame.MDIActivate(pSecond);
    keyloft_test::PumpPending();
    EXPECT_EQ(pChart, frame.GetActiveOleItem());
    frame.MDIActivate(pPlain);
    keyloft_test::PumpPending();
    EXPECT_EQ(nullptr, frame.GetActiveOleItem()) << "the plain document holds no items";

    // While an item is active the client's menus stay with the frame.
    CKGPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(&frame));
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    menu.AppendMenu(MF_STRING, 0x8101, _T("&Item"));
    frame.MDIActivate(pSecond);
    keyloft_test::PumpPending();
    EXPECT_FALSE(frame.OnSetMenu(menu.GetSafeHmenu()));
    pChart->Deactivate();
    EXPECT_EQ(nullptr, frame.GetActiveOleItem());
    EXPECT_TRUE(frame.OnSetMenu(menu.GetSafeHmenu()));

    // A window closed takes its view away: the item active there stops being active.
    EXPECT_TRUE(pSketch->IsInPlaceActive());
    pFirst->DestroyWindow();
    keyloft_test::PumpPending();
    EXPECT_FALSE(pSketch->IsInPlaceActive());
    EXPECT_EQ(nullptr, pSketch->GetActiveView());

    // Closing the frame deactivates the item active in it.
    ASSERT_TRUE(pChart->ActivateInPlace(pSecondView));
    frame.MDIActivate(pSecond);
    keyloft_test::PumpPending();
    ASSERT_EQ(pChart, frame.GetActiveOleItem());
    frame.SendMessage(WM_CLOSE);
    keyloft_test::PumpPending();
    EXPECT_FALSE(pChart->IsInPlaceActive());
    if (frame.GetSafeHwnd() != nullptr)
        frame.DestroyWindow();

    // An item deleted leaves its document; the document deletes the rest.
    delete pSketch;
    EXPECT_EQ(1, container.GetItemCount());
}

// The SDI frame with a menu bar: the container's menu shows on the frame
// only while an item is active in place in its view.
TEST(MDIFrameOleItemTest, TheSdiFrameShowsTheContainersMenuOnlyWhileAnItemIsActive)
{
    COleItemSdiFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Container"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 430)));
    COleDocument container;
    container.m_bAutoDelete = FALSE;
    auto* pView = new CBlankView;
    ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &frame,
                              AFX_IDW_PANE_FIRST));
    container.AddView(pView);
    frame.SetActiveView(pView);
    CKGPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(&frame));
    CMenu menu;
    ASSERT_TRUE(menu.CreateMenu());
    menu.AppendMenu(MF_STRING, 0x8101, _T("&Item"));
    keyloft_test::PumpPending();

    frame.OnUpdateFrameMenu(menu.GetSafeHmenu());
    EXPECT_EQ(nullptr, ::GetMenu(frame.m_hWnd)) << "the menu bar stands for the frame's menu";
    auto* pChart = new COleClientItem(&container);
    ASSERT_TRUE(pChart->ActivateInPlace(pView));
    ASSERT_EQ(pChart, frame.GetActiveOleItem());
    frame.OnUpdateFrameMenu(menu.GetSafeHmenu());
    EXPECT_EQ(menu.GetSafeHmenu(), ::GetMenu(frame.m_hWnd)) << "the container's menu while the item is active";
    pChart->Deactivate();
    frame.OnUpdateFrameMenu(menu.GetSafeHmenu());
    EXPECT_EQ(nullptr, ::GetMenu(frame.m_hWnd));
    frame.DestroyWindow();
}

} // namespace
