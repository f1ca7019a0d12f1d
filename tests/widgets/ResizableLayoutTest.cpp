// The anchor arithmetic and the resizable dialog's layout on grow, shrink below
// the minimum and back.
#include <gtest/gtest.h>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/ResizableDialog.h"

namespace {

using widgets_test::MakeDialogTemplate;
using widgets_test::Pump;

RECT R(int l, int t, int r, int b)
{
    return RECT{l, t, r, b};
}

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual)
{
    if (::EqualRect(&expected, &actual) != FALSE) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ","
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left
                                         << "," << actual.top << "," << actual.right << "," << actual.bottom << ")";
}

TEST(ResizeLayout, AnchorsMoveCornersByTheirShareOfTheGrowth)
{
    const RECT control = R(10, 20, 60, 40);
    const SIZE from{200, 100};
    const SIZE to{300, 160}; // +100, +60

    EXPECT_TRUE(SameRect(control, LayoutAnchoredRect(control, from, to, ANCHOR_TOPLEFT, ANCHOR_NONE)));
    EXPECT_TRUE(SameRect(R(60, 20, 110, 40), LayoutAnchoredRect(control, from, to, ANCHOR_TOPCENTER, ANCHOR_NONE)));
    EXPECT_TRUE(SameRect(R(110, 80, 160, 100), LayoutAnchoredRect(control, from, to, ANCHOR_BOTTOMRIGHT, ANCHOR_NONE)));
    // Stretched: the PC list of the transfer pages (top-left to bottom-centre).
    EXPECT_TRUE(SameRect(R(10, 20, 110, 100), LayoutAnchoredRect(control, from, to, ANCHOR_TOPLEFT, ANCHOR_BOTTOMCENTER)));
    EXPECT_TRUE(SameRect(R(60, 20, 160, 100), LayoutAnchoredRect(control, from, to, ANCHOR_TOPCENTER, ANCHOR_BOTTOMRIGHT)));
    // The general percentage form, with rounding of odd shares.
    EXPECT_TRUE(SameRect(R(35, 35, 85, 55), LayoutAnchoredRect(control, from, to, MakeAnchor(25, 25), ANCHOR_NONE)));
    EXPECT_TRUE(SameRect(R(10, 20, 60, 40), LayoutAnchoredRect(control, from, SIZE{201, 100}, ANCHOR_TOPLEFT, ANCHOR_NONE)));
    EXPECT_TRUE(SameRect(R(11, 20, 61, 40), LayoutAnchoredRect(control, from, SIZE{201, 100}, ANCHOR_TOPCENTER, ANCHOR_NONE)));
    // "None" as the first anchor pins the control.
    EXPECT_TRUE(SameRect(control, LayoutAnchoredRect(control, from, to, ANCHOR_NONE, ANCHOR_BOTTOMRIGHT)));
}

TEST(ResizeLayout, ShrinkingNeverTurnsAControlInsideOut)
{
    const RECT control = R(10, 10, 30, 30);
    // Top-left follows the right edge fully, bottom-right not at all: shrinking
    // by far more than the control's width must leave an empty, not negative, rect.
    const RECT result = LayoutAnchoredRect(control, SIZE{100, 100}, SIZE{100, 100}, ANCHOR_BOTTOMRIGHT, ANCHOR_TOPLEFT);
    EXPECT_GE(result.right, result.left);
    const RECT shrunk = LayoutAnchoredRect(control, SIZE{100, 100}, SIZE{40, 40}, ANCHOR_BOTTOMRIGHT, ANCHOR_TOPLEFT);
    EXPECT_GE(shrunk.right, shrunk.left);
    EXPECT_GE(shrunk.bottom, shrunk.top);
}

// A resizable dialog with three controls side by side: left (top-left, fixed),
// middle (top-centre, fixed) and a list stretched from top-centre to bottom-right.
class ResizableDialogTest : public ::testing::Test {
protected:
    class CProbeDialog : public CResizableDialog {
    public:
        int m_supportQueries = 0;
    };

    static LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WMU_RESIZESUPPORT && wParam == RESIZESUPPORT_QUERY_NOREPAINT) {
            s_queries++;
        }
        return ::CallWindowProcW(s_previous, hWnd, message, wParam, lParam);
    }

    void SetUp() override
    {
        m_template = MakeDialogTemplate(WS_POPUP | WS_VISIBLE | WS_THICKFRAME | WS_CAPTION, 200, 120, L"layout");
        ASSERT_TRUE(m_dialog.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(m_template.data()), nullptr));
        RECT client{};
        ::GetClientRect(m_dialog.m_hWnd, &client);
        m_client = SIZE{client.right, client.bottom};
        m_left = MakeChild(1001, R(10, 10, 60, 30));
        m_middle = MakeChild(1002, R(m_client.cx / 2 - 20, 10, m_client.cx / 2 + 20, 30));
        m_list = MakeChild(1003, R(m_client.cx / 2 + 30, 40, m_client.cx - 10, m_client.cy - 10));
        m_dialog.AddAnchor(1001, ANCHOR_TOPLEFT);
        m_dialog.AddAnchor(1002, ANCHOR_TOPCENTER);
        m_dialog.AddAnchor(1003, ANCHOR_TOPCENTER, ANCHOR_BOTTOMRIGHT);
        s_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(m_middle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
        s_queries = 0;
    }

    void TearDown() override
    {
        if (m_dialog.m_hWnd != nullptr) {
            ::SetWindowLongPtrW(m_middle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(s_previous));
            m_dialog.DestroyWindow();
        }
    }

    HWND MakeChild(int id, const RECT& rect)
    {
        return ::CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE | WS_BORDER, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, m_dialog.m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    RECT ChildRect(HWND child) const
    {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, m_dialog.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // Resizes the dialog so that its client area grows by dx, dy from the start.
    void ResizeClientBy(int dx, int dy)
    {
        RECT window{};
        ::GetWindowRect(m_dialog.m_hWnd, &window);
        RECT client{};
        ::GetClientRect(m_dialog.m_hWnd, &client);
        const int frameX = (window.right - window.left) - client.right;
        const int frameY = (window.bottom - window.top) - client.bottom;
        ::SetWindowPos(m_dialog.m_hWnd, nullptr, 0, 0, m_client.cx + dx + frameX, m_client.cy + dy + frameY,
                       SWP_NOMOVE | SWP_NOZORDER);
        Pump(20);
    }

    static inline WNDPROC s_previous = nullptr;
    static inline int s_queries = 0;
    std::vector<WORD> m_template;
    CProbeDialog m_dialog;
    SIZE m_client{};
    HWND m_left = nullptr;
    HWND m_middle = nullptr;
    HWND m_list = nullptr;
};

TEST_F(ResizableDialogTest, GrowShrinkBelowTheMinimumAndBack)
{
    const RECT left0 = ChildRect(m_left);
    const RECT middle0 = ChildRect(m_middle);
    const RECT list0 = ChildRect(m_list);
    EXPECT_EQ(m_client.cx, m_dialog.GetMinClientSize().cx);

    ResizeClientBy(100, 60);
    const RECT middleGrown = ChildRect(m_middle);
    const RECT listGrown = ChildRect(m_list);
    EXPECT_TRUE(SameRect(left0, ChildRect(m_left)));
    EXPECT_TRUE(SameRect(R(middle0.left + 50, middle0.top, middle0.right + 50, middle0.bottom), middleGrown));
    EXPECT_TRUE(SameRect(R(list0.left + 50, list0.top, list0.right + 100, list0.bottom + 60), listGrown));
    EXPECT_GT(s_queries, 0) << "moved controls are asked whether they repaint themselves";

    // Far below the minimum: the layout stops at the template's size, so the
    // controls are where the template put them and do not overlap.
    ResizeClientBy(-150, -90);
    EXPECT_TRUE(SameRect(left0, ChildRect(m_left)));
    EXPECT_TRUE(SameRect(middle0, ChildRect(m_middle)));
    EXPECT_TRUE(SameRect(list0, ChildRect(m_list)));
    RECT overlap{};
    const RECT left = ChildRect(m_left);
    const RECT middle = ChildRect(m_middle);
    EXPECT_FALSE(::IntersectRect(&overlap, &left, &middle));

    // And back: the same places as after the first growth (no drift).
    ResizeClientBy(100, 60);
    EXPECT_TRUE(SameRect(middleGrown, ChildRect(m_middle)));
    EXPECT_TRUE(SameRect(listGrown, ChildRect(m_list)));
}

TEST_F(ResizableDialogTest, TopLevelDialogCannotBeDraggedBelowItsMinimum)
{
    MINMAXINFO info{};
    ::SendMessageW(m_dialog.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    RECT window{};
    ::GetWindowRect(m_dialog.m_hWnd, &window);
    EXPECT_EQ(window.right - window.left, info.ptMinTrackSize.x);
    EXPECT_EQ(window.bottom - window.top, info.ptMinTrackSize.y);
}

TEST_F(ResizableDialogTest, RemovedAnchorNoLongerMoves)
{
    const RECT middle0 = ChildRect(m_middle);
    m_dialog.RemoveAnchor(1002);
    EXPECT_EQ(2, m_dialog.GetAnchorCount());
    ResizeClientBy(80, 0);
    EXPECT_TRUE(SameRect(middle0, ChildRect(m_middle)));
}

} // namespace
