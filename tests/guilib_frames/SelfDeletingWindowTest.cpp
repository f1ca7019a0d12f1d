// Windows whose objects delete themselves with their window, refused in
// WM_CREATE after the window was made: each object is deleted exactly once (by
// its own end), its maker reports the failure without touching it again, and
// the frame goes on working. Counted by the objects' destructors, with freed
// blocks kept (and poisoned) during each refusal so that a second delete is
// seen, not let loose on the heap, and a use after the delete faults.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/toolbars/KGPDropDownToolbar.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RefusedCreation.h"
#include "tests/support/heap/DeleteWatch.h"

#include <memory>

namespace {

int g_deletes = 0;

class CRefusingSlider : public CKGPSlider {
    DECLARE_DYNCREATE(CRefusingSlider)
public:
    ~CRefusingSlider() override { ++g_deletes; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRefusingSlider, CKGPSlider)
BEGIN_MESSAGE_MAP(CRefusingSlider, CKGPSlider)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CRefusingMiniFrame : public CKGPMiniFrameWnd {
    DECLARE_DYNCREATE(CRefusingMiniFrame)
public:
    ~CRefusingMiniFrame() override { ++g_deletes; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRefusingMiniFrame, CKGPMiniFrameWnd)
BEGIN_MESSAGE_MAP(CRefusingMiniFrame, CKGPMiniFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class CRefusingDropDownFrame : public CKGPDropDownFrame {
public:
    ~CRefusingDropDownFrame() override { ++g_deletes; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return message == WM_CREATE ? -1 : CKGPDropDownFrame::WindowProc(message, wParam, lParam);
    }
};

// Every slider made while it lives is of the refusing kind.
class SliderClassScope {
public:
    explicit SliderClassScope(CRuntimeClass* pClass) : m_pOld(CKGPSlider::m_pSliderRTC)
    {
        CKGPSlider::m_pSliderRTC = pClass;
    }
    ~SliderClassScope() { CKGPSlider::m_pSliderRTC = m_pOld; }
    SliderClassScope(const SliderClassScope&) = delete;
    SliderClassScope& operator=(const SliderClassScope&) = delete;

private:
    CRuntimeClass* m_pOld;
};

class CDockFrame : public CKGPFrameWnd {
protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

class SelfDeletingWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_deletes = 0;
        ASSERT_TRUE(frame.Create(nullptr, _T("Refusals"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 480)));
        frame.EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(MakePane(first, 301, _T("First")));
        ASSERT_TRUE(MakePane(second, 302, _T("Second")));
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        keyloft_test::PumpPending();
    }
    BOOL MakePane(CKGPDockingControlBar& pane, UINT id, LPCTSTR title)
    {
        if (!pane.Create(title, &frame, CRect(0, 0, 150, 200), TRUE, id, WS_CHILD | WS_VISIBLE | CBRS_LEFT))
            return FALSE;
        pane.EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

    CDockFrame frame;
    CKGPDockingControlBar first;
    CKGPDockingControlBar second;
};

TEST_F(SelfDeletingWindowTest, AnEdgesSliderRefusedIsDeletedOnceAndThePaneDocksOnceSlidersAreMade)
{
    {
        keyloft_test::DeleteWatchScope watch(true);
        SliderClassScope refusing(RUNTIME_CLASS(CRefusingSlider));
        EXPECT_FALSE(first.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        keyloft_test::PumpPending();
        EXPECT_EQ(0, watch.Stop());
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    EXPECT_EQ(1, g_deletes);
    EXPECT_EQ(nullptr, first.GetDefaultPaneSlider());
    EXPECT_TRUE(::IsWindow(first.GetSafeHwnd()));

    ASSERT_TRUE(first.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    EXPECT_NE(nullptr, first.GetDefaultPaneSlider());
    EXPECT_EQ(1, g_deletes);
}

TEST_F(SelfDeletingWindowTest, ASliderBetweenTwoPanesRefusedIsDeletedOnceAndTheTreeStaysWhole)
{
    ASSERT_TRUE(first.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    {
        keyloft_test::DeleteWatchScope watch(true);
        SliderClassScope refusing(RUNTIME_CLASS(CRefusingSlider));
        EXPECT_FALSE(second.DockToBar(&first, CBRS_ALIGN_BOTTOM));
        keyloft_test::PumpPending();
        EXPECT_EQ(0, watch.Stop());
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    EXPECT_EQ(1, g_deletes);
    EXPECT_TRUE(first.IsWindowVisible());
    ASSERT_NE(nullptr, first.GetDefaultPaneSlider());

    ASSERT_TRUE(second.DockToBar(&first, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CRect upper;
    CRect lower;
    first.GetWindowRect(upper);
    second.GetWindowRect(lower);
    EXPECT_LT(upper.bottom, lower.top) << "a slider made stands between the two";
    EXPECT_EQ(1, g_deletes);
}

TEST_F(SelfDeletingWindowTest, AFloatingFrameRefusedIsDeletedOnceAndTheBarStaysDocked)
{
    ASSERT_TRUE(first.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    first.SetMiniFrameRTC(RUNTIME_CLASS(CRefusingMiniFrame));
    {
        keyloft_test::DeleteWatchScope watch(true);
        EXPECT_FALSE(first.FloatBar(CRect(200, 200, 350, 400), KGP_DM_UNKNOWN, true));
        keyloft_test::PumpPending();
        EXPECT_EQ(0, watch.Stop());
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    EXPECT_EQ(1, g_deletes);
    EXPECT_EQ(nullptr, first.GetParentMiniFrame());
    EXPECT_TRUE(first.IsDocked());
}

TEST_F(SelfDeletingWindowTest, ADropDownFrameRefusedEndsItselfOnce)
{
    CKGPToolBar bar;
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE812));
    {
        keyloft_test::DeleteWatchScope watch(true);
        auto* pFrame = new CRefusingDropDownFrame;
        EXPECT_FALSE(pFrame->Create(&bar, nullptr, CPoint(100, 100)));
        keyloft_test::PumpPending();
        EXPECT_EQ(0, watch.Stop());
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    EXPECT_EQ(1, g_deletes);
    bar.DestroyWindow();
}

TEST_F(SelfDeletingWindowTest, ADropDownButtonsFrameRefusedIsGoneOnceAndTheButtonOpensItAfter)
{
    CKGPToolBar bar;
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE813));
    CKGPDropDownToolBar dropDown;
    ASSERT_TRUE(dropDown.Create(&frame, WS_CHILD | CBRS_TOP, 0xE814));
    const UINT ids[] = {0x7801, 0x7802};
    ASSERT_TRUE(dropDown.SetButtons(ids, 2, TRUE));
    const int index = bar.InsertButton(std::make_unique<CKGPDropDownToolbarButton>(L"Files", &dropDown));
    ASSERT_GE(index, 0);
    bar.AdjustLayout();
    auto* button = DYNAMIC_DOWNCAST(CKGPDropDownToolbarButton, bar.GetButton(index));
    ASSERT_NE(nullptr, button);
    {
        // Freed blocks are poisoned: the button may not read the frame it lost.
        keyloft_test::DeleteWatchScope watch(true);
        keyloft_test::CRefusedCreationScope refusing(RUNTIME_CLASS(CKGPDropDownFrame));
        EXPECT_FALSE(button->OpenDropDown());
        keyloft_test::PumpPending();
        EXPECT_EQ(1, refusing.Refused());
        EXPECT_EQ(1, refusing.Ended()) << "its window went, with its object";
        EXPECT_EQ(0, watch.Stop()) << "deleted once";
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    EXPECT_FALSE(button->IsDropDownOpen());
    ASSERT_TRUE(button->OpenDropDown()) << "the next press opens it";
    EXPECT_TRUE(button->IsDropDownOpen());
    button->CloseDropDown();
    keyloft_test::PumpPending();
    bar.DestroyWindow();
    dropDown.DestroyWindow();
}

} // namespace
