// A list drag travelling over the view and the workspace bar: the drag image
// follows the pointer there, and releasing the button there ends the drag.
#include <gtest/gtest.h>

#include <afxcmn.h>
#include <commctrl.h>

#include "widgets/ListDrag.h"
#include "app/view/WorkspaceBar.h"
#include "tests/app_view/ViewFixture.h"

namespace {

class DragOver : public ::testing::Test, public viewtest::ViewFixture {
protected:
    void TearDown() override
    {
        EndListDrag();
        if (m_barFrame != nullptr && ::IsWindow(m_barFrame->GetSafeHwnd()))
            m_barFrame->DestroyWindow();
    }

    // Starts the program's list drag as a list would, with a one-image list.
    static void StartDrag()
    {
        auto images = std::make_unique<CImageList>();
        ASSERT_TRUE(images->Create(16, 16, ILC_COLOR24, 1, 1));
        CBitmap bitmap;
        CClientDC screen(static_cast<CWnd*>(nullptr));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
        ASSERT_EQ(images->Add(&bitmap, static_cast<CBitmap*>(nullptr)), 0);
        ASSERT_TRUE(list_drag_detail::StartListDrag(images.release(), CPoint(5, 5)));
        ASSERT_TRUE(IsListDragging());
    }

    static CPoint DragImagePosition()
    {
        POINT at{-1, -1};
        if (::ImageList_GetDragImage(&at, nullptr) == nullptr)
            return CPoint(-1, -1);
        return CPoint(at);
    }

    // Moves and releases over a window in its client coordinates.
    static void MoveOver(CWnd& over, CPoint client)
    {
        over.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    }
    static void ReleaseOver(CWnd& over, CPoint client)
    {
        over.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    }

    // The same checks for every window a drag may cross.
    void ExpectDragFollowsAndEndsOver(CWnd& over)
    {
        StartDrag();
        const CPoint client(40, 30);
        MoveOver(over, client);
        CPoint expected = client;
        over.ClientToScreen(&expected);
        EXPECT_EQ(DragImagePosition(), expected);

        // The dragging list holds the mouse; the release frees it.
        over.SetCapture();
        ReleaseOver(over, client);
        EXPECT_FALSE(IsListDragging());
        EXPECT_EQ(::ImageList_GetDragImage(nullptr, nullptr), nullptr) << "the image drag still runs";
        EXPECT_EQ(::GetCapture(), nullptr);

        // Without a drag, moving over the window starts no image drag.
        MoveOver(over, CPoint(50, 35));
        EXPECT_FALSE(IsListDragging());
        EXPECT_EQ(::ImageList_GetDragImage(nullptr, nullptr), nullptr);
    }

    CFrameWnd* m_barFrame = nullptr;
    std::unique_ptr<CWorkspaceBar> m_bar;
};

} // namespace

TEST_F(DragOver, TheViewCarriesAndEndsAListDrag)
{
    viewtest::TestView& view = MakeView();
    ExpectDragFollowsAndEndsOver(view);

    // A release with no drag running leaves another window's capture alone.
    view.SetCapture();
    ReleaseOver(view, CPoint(10, 10));
    EXPECT_EQ(::GetCapture(), view.GetSafeHwnd());
    ::ReleaseCapture();
}

TEST_F(DragOver, TheWorkspaceBarCarriesAndEndsAListDrag)
{
    m_barFrame = new CFrameWnd;
    m_barFrame->Create(nullptr, L"bar test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 600));
    m_bar = std::make_unique<CWorkspaceBar>();
    ASSERT_TRUE(m_bar->Create(L"", m_barFrame, CSize(230, 500), TRUE, 32770, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    ExpectDragFollowsAndEndsOver(*m_bar);
}
