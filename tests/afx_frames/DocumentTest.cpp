// Documents: view list, updates, modified documents asked before closing,
// the template's strings; docking on the other side.
#include <afxwin.h>
#include <afxext.h>

#include <gtest/gtest.h>

#include "FrameClasses.h"
#include "TestApp.h"
#include "frames_resource.h"

namespace {

class CountingView : public CTestView {
public:
    int updates = 0;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        ++updates;
        CTestView::OnUpdate(pSender, lHint, pHint);
    }
};

struct BoxAnswer {
    int answer = IDNO;
    int asked = 0;
};

int CALLBACK AnswerBox(HWND, LPCTSTR, LPCTSTR, UINT, LPVOID context)
{
    auto* box = static_cast<BoxAnswer*>(context);
    ++box->asked;
    return box->answer;
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Events() = FrameEvents{};
        TestApp().OnFileNew();
        frame = dynamic_cast<CTestFrame*>(TestApp().m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        doc = frame->GetActiveDocument();
        ASSERT_NE(doc, nullptr);
    }
    void TearDown() override
    {
        AfxSetMessageBoxHook(nullptr);
        if (TestApp().m_pMainWnd != nullptr) {
            doc = TestApp().m_pMainWnd->AsFrameWnd()->GetActiveDocument();
            if (doc != nullptr)
                doc->SetModifiedFlag(FALSE);
            TestApp().m_pMainWnd->SendMessage(WM_CLOSE);
        }
        PumpPending();
    }
    CTestFrame* frame = nullptr;
    CDocument* doc = nullptr;
};

TEST_F(DocumentTest, UpdateAllViewsSkipsTheSender)
{
    auto* second = new CountingView;
    auto* third = new CountingView;
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    ASSERT_TRUE(second->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST + 1, &context));
    ASSERT_TRUE(third->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST + 2, &context));
    const auto viewCount = [this] {
        int views = 0;
        for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr; ++views)
            EXPECT_NE(doc->GetNextView(pos), static_cast<CView*>(nullptr));
        return views;
    };
    EXPECT_EQ(viewCount(), 3);
    doc->UpdateAllViews(second);
    EXPECT_EQ(second->updates, 0);
    EXPECT_EQ(third->updates, 1);
    // A destroyed view leaves the document; the document stays for the others.
    second->DestroyWindow();
    EXPECT_EQ(viewCount(), 2);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
}

TEST_F(DocumentTest, AModifiedDocumentIsAskedBeforeTheFrameCloses)
{
    BoxAnswer box;
    AfxSetMessageBoxHook(&AnswerBox, &box);
    doc->SetModifiedFlag(TRUE);
    HWND window = frame->m_hWnd;

    box.answer = IDCANCEL;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(box.asked, 1);
    EXPECT_TRUE(::IsWindow(window));  // cancelled: still open
    EXPECT_EQ(TestApp().m_pMainWnd, frame);

    box.answer = IDNO;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(box.asked, 2);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 0);
}

TEST_F(DocumentTest, TemplateStringsAndOpeningAgainAfterACancelledQuestion)
{
    CDocTemplate* docTemplate = doc->GetDocTemplate();
    ASSERT_NE(docTemplate, nullptr);
    CString part;
    EXPECT_TRUE(docTemplate->GetDocString(part, CDocTemplate::windowTitle));
    EXPECT_EQ(part, CString(L"Frames Test"));
    EXPECT_TRUE(docTemplate->GetDocString(part, CDocTemplate::docName));
    EXPECT_EQ(part, CString(L"FrameDoc"));
    EXPECT_FALSE(docTemplate->GetDocString(part, CDocTemplate::filterExt));
    EXPECT_TRUE(part.IsEmpty());

    // A new document while the current one is modified and the user cancels:
    // nothing changes.
    BoxAnswer box;
    box.answer = IDCANCEL;
    AfxSetMessageBoxHook(&AnswerBox, &box);
    doc->SetModifiedFlag(TRUE);
    Events().order.clear();
    TestApp().OnFileNew();
    EXPECT_EQ(box.asked, 1);
    EXPECT_TRUE(Events().order.empty());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentTest, BarsDockOnTheSidesTheyAllow)
{
    CSizingBar* right = new CSizingBar;
    right->m_bAutoDelete = TRUE;
    ASSERT_TRUE(right->Create(frame, 0xE830));
    right->m_width = 90;
    right->EnableDocking(CBRS_ALIGN_RIGHT);
    frame->DockControlBar(right);  // the only side it allows
    ASSERT_NE(right->m_pDockBar, nullptr);
    EXPECT_EQ(right->m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_TRUE(right->GetBarStyle() & CBRS_ALIGN_RIGHT);
    EXPECT_EQ(frame->GetControlBar(0xE830), right);

    CRect client;
    frame->GetClientRect(&client);
    CRect view;
    frame->GetActiveView()->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(view.right, client.right - 90);

    // A bar docked at a rectangle joins the column under it, at the asked place;
    // one docked without a rectangle starts a column of its own.
    CDockBar* left = frame->GetDockBar(AFX_IDW_DOCKBAR_LEFT);
    CRect dock;
    left->GetWindowRect(&dock);
    CSizingBar* lower = new CSizingBar;
    lower->m_bAutoDelete = TRUE;
    ASSERT_TRUE(lower->Create(frame, 0xE831));
    lower->EnableDocking(CBRS_ALIGN_LEFT);
    const CRect asked(dock.left + 10, dock.top + 240, dock.left + 60, dock.top + 300);
    frame->DockControlBar(lower, AFX_IDW_DOCKBAR_LEFT, &asked);
    EXPECT_EQ(lower->m_pDockBar, left);
    CSizingBar* beside = new CSizingBar;
    beside->m_bAutoDelete = TRUE;
    ASSERT_TRUE(beside->Create(frame, 0xE832));
    beside->m_width = 70;
    beside->EnableDocking(CBRS_ALIGN_LEFT);
    frame->DockControlBar(beside, AFX_IDW_DOCKBAR_LEFT);
    CRect upperRect;
    CRect lowerRect;
    CRect besideRect;
    frame->m_workspace.GetWindowRect(&upperRect);
    lower->GetWindowRect(&lowerRect);
    beside->GetWindowRect(&besideRect);
    left->GetWindowRect(&dock);
    EXPECT_EQ(upperRect.top, dock.top);
    EXPECT_EQ(upperRect.Height(), 200) << "its own height, not a share";
    EXPECT_EQ(lowerRect.left, upperRect.left);
    EXPECT_EQ(lowerRect.top, dock.top + 240);
    EXPECT_EQ(lowerRect.bottom, dock.bottom) << "the last sizing bar fills the column";
    EXPECT_EQ(besideRect.left, upperRect.right);
    EXPECT_EQ(besideRect.Width(), 70);
    EXPECT_EQ(dock.Width(), 150 + 70);
}

// Drags the bar from a point on it to a screen point through its dock context,
// the way the mouse would (the moves are queued before the drag's loop runs).
void DragBar(CControlBar& bar, CPoint to)
{
    CRect rect;
    bar.GetWindowRect(&rect);
    CPoint from = rect.TopLeft() + CPoint(5, 5);
    CPoint client = to;
    bar.ScreenToClient(&client);
    bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    bar.m_pDockContext->StartDrag(from);
}

TEST_F(DocumentTest, ABarDraggedOffTheFrameFloatsAndDocksWhereItIsDraggedBack)
{
    CSizingBar& bar = frame->m_workspace;
    ASSERT_NE(bar.m_pDockContext, nullptr);
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);

    DragBar(bar, CPoint(client.right + 80, client.top + 40));
    ASSERT_TRUE(bar.IsFloating());
    auto* floating = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, bar.GetParentFrame());
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->IsWindowVisible());
    CRect floatRect;
    floating->GetWindowRect(&floatRect);
    EXPECT_EQ(floatRect.TopLeft(), CPoint(client.right + 75, client.top + 35));
    floating->GetClientRect(&floatRect);
    EXPECT_EQ(floatRect.Size(), CSize(150, 100)) << "its horizontal size, within its docked one";
    CRect view;
    frame->GetActiveView()->GetWindowRect(&view);
    EXPECT_EQ(view.left, client.left) << "the frame laid out without the bar";
    bar.m_idleUpdates = 0;
    TestApp().OnIdle(0);
    EXPECT_EQ(bar.m_idleUpdates, 1) << "the floating bar is updated at idle time";

    DragBar(bar, CPoint(client.right - 4, client.CenterPoint().y));
    EXPECT_FALSE(bar.IsFloating());
    ASSERT_NE(bar.m_pDockBar, nullptr);
    EXPECT_EQ(bar.m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_RIGHT);
    frame->GetActiveView()->GetWindowRect(&view);
    EXPECT_EQ(view.right, client.right - 150);

    // A double click (on the bar, not its tree) floats it where it floated before;
    // another docks it back at the right.
    const LPARAM onBar = MAKELPARAM(2, static_cast<WORD>(-3));
    bar.SendMessage(WM_LBUTTONDBLCLK, 0, onBar);
    ASSERT_TRUE(bar.IsFloating());
    bar.GetParentFrame()->GetWindowRect(&floatRect);
    EXPECT_EQ(floatRect.TopLeft(), CPoint(client.right + 75, client.top + 35));
    bar.SendMessage(WM_LBUTTONDBLCLK, 0, onBar);
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(bar.m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_RIGHT);
}

} // namespace
