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

    // A second bar at the left shares the dock bar's height.
    CSizingBar* lower = new CSizingBar;
    lower->m_bAutoDelete = TRUE;
    ASSERT_TRUE(lower->Create(frame, 0xE831));
    lower->EnableDocking(CBRS_ALIGN_LEFT);
    frame->DockControlBar(lower, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(frame->m_workspace.m_pDockBar, lower->m_pDockBar);
    EXPECT_EQ(lower->m_pDockBar->GetDockedCount(), 2);
    CRect upperRect;
    CRect lowerRect;
    frame->m_workspace.GetWindowRect(&upperRect);
    lower->GetWindowRect(&lowerRect);
    EXPECT_EQ(lowerRect.top, upperRect.bottom);
    EXPECT_LE(std::abs(lowerRect.Height() - upperRect.Height()), 1);
}

} // namespace
