// The client area inside the library's own MDI frame and document windows:
// tab groups made, a group emptied by moving its tab away, MDI tabs after
// groups, and every document given its caption back when tabs go.
#include <gtest/gtest.h>

#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

namespace {

class CGroupsFrame : public CKGPMDIFrameWnd {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

TEST(LibraryMDIFrameTest, GroupsAndTabsFollowTheLibrarysDocumentWindows)
{
    CGroupsFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Groups"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 730, 530)));
    std::vector<CKGPMDIChildWnd*> children;
    for (LPCTSTR title : {_T("bass"), _T("drums"), _T("keys")}) {
        auto* pChild = new CKGPMDIChildWnd;
        ASSERT_TRUE(pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                   CFrameWnd::rectDefault, &frame));
        children.push_back(pChild);
    }
    keyloft_test::PumpPending();
    CKGPMainClientAreaWnd& client = frame.GetClientArea();

    client.EnableMDITabbedGroups(TRUE, CKGPMDITabParams());
    frame.RecalcLayout();
    keyloft_test::PumpPending();
    ASSERT_EQ(1, client.GetMDITabGroups().GetCount());
    auto* pFirst = static_cast<CKGPTabWnd*>(client.GetMDITabGroups().GetHead());
    EXPECT_EQ(3, pFirst->GetTabsNum());
    for (CKGPMDIChildWnd* pChild : children) {
        EXPECT_EQ(pFirst, pChild->GetRelatedTabGroup());
        EXPECT_EQ(0u, pChild->GetStyle() & WS_SYSMENU);
    }

    // Activating a document selects its tab in its group.
    frame.MDIActivate(children[0]);
    keyloft_test::PumpPending();
    EXPECT_EQ(children[0], pFirst->GetActiveWnd());

    CRect rect;
    pFirst->GetWindowRect(rect);
    CKGPTabWnd* pSecond =
        client.CreateNewTabGroup(pFirst, CRect(rect.CenterPoint().x, rect.top, rect.right, rect.bottom), TRUE);
    ASSERT_NE(nullptr, pSecond);
    ASSERT_TRUE(client.MoveWindowToTabGroup(pFirst, pSecond));
    frame.RecalcLayout();
    keyloft_test::PumpPending();
    EXPECT_EQ(pSecond, children[0]->GetRelatedTabGroup());
    EXPECT_EQ(children[0], frame.MDIGetActive());
    CRect left;
    CRect right;
    pFirst->GetWindowRect(left);
    pSecond->GetWindowRect(right);
    EXPECT_EQ(left.right, right.left);
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), L"guilib_frames_library_frame_groups.bmp"));

    // The second group's lone document moved back: the group goes.
    ASSERT_TRUE(client.MoveWindowToTabGroup(pSecond, pFirst));
    EXPECT_EQ(1, client.GetMDITabGroups().GetCount());
    EXPECT_EQ(0, client.GetGroupAlignment());

    // MDI tabs switch the groups off; tabs off give every caption back.
    client.EnableMDITabs(TRUE, CKGPMDITabParams());
    keyloft_test::PumpPending();
    EXPECT_FALSE(client.IsMDITabbedGroup());
    EXPECT_EQ(3, client.GetMDITabs().GetTabsNum());
    client.EnableMDITabs(FALSE, CKGPMDITabParams());
    keyloft_test::PumpPending();
    for (CKGPMDIChildWnd* pChild : children) {
        EXPECT_NE(0u, pChild->GetStyle() & WS_SYSMENU);
        EXPECT_EQ(nullptr, pChild->GetRelatedTabGroup());
    }
    frame.DestroyWindow();
    keyloft_test::PumpPending();
}

} // namespace
