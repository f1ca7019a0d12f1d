// A resizable popup dragged by its gripper with the real mouse: it grows
// with the pointer and keeps its minimum, and a popup closed while it is
// being dragged leaves the drag without touching what it was.
#include "tests/guilib_popups/PopupTestSupport.h"

#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/menus/KGPPopupPlacement.h"
#include "tests/support/InputScript.h"

#include <cstring>

namespace {

using namespace popup_test;
using keyloft_test::Pump;

// The popup's corner gripper, in screen coordinates: the point just inside
// the menu's bottom right corner (the shadow left out) that answers as the
// corner to resize from.
CPoint GripperCorner(CKGPPopupMenu& popup)
{
    CRect window;
    popup.GetWindowRect(window);
    const int shadow = popup.GetShadowSize();
    const CPoint corner(window.right - shadow - popup.GetBorderSize() - 3,
                        window.bottom - shadow - popup.GetBorderSize() - 3);
    return corner;
}

CSize MenuSize(CKGPPopupMenu& popup)
{
    CRect window;
    popup.GetWindowRect(window);
    return CSize(window.Width() - popup.GetShadowSize(), window.Height() - popup.GetShadowSize());
}

TEST_F(PopupTest, APopupDraggedByItsGripperGrowsWithThePointerAndKeepsItsMinimum)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    popup->EnableResize(CSize(60, 40));
    popup->RecalcLayout();
    Pump(30);
    CRect start;
    popup->GetWindowRect(start);
    const CPoint corner = GripperCorner(*popup);
    ASSERT_EQ(HTBOTTOMRIGHT, popup->SendMessage(WM_NCHITTEST, 0, keyloft_test::PointParam(corner.x, corner.y)));

    test_support::CInputScript()
        .MoveTo(corner)
        .LeftDown()
        .MoveTo(CPoint(corner.x + 70, corner.y + 50), 6)
        .LeftUp()
        .Run();
    Pump(30);
    const CSize grown = MenuSize(*popup);
    // Its bottom right corner follows the pointer (the gripper counted in).
    EXPECT_NEAR(corner.x + 70 - start.left, grown.cx, 2);
    EXPECT_NEAR(corner.y + 50 - start.top, grown.cy, 2);
    EXPECT_FALSE(popup->IsInModalLoop()) << "the drag is over";
    EXPECT_TRUE(popup->IsWindowVisible());
    CRect items;
    popup->GetMenuBar()->GetWindowRect(items);
    EXPECT_LT(items.bottom, GripperCorner(*popup).y) << "the items stay above the gripper";

    // Dragged far up and left: no smaller than the minimum (its height counts the gripper).
    test_support::CInputScript()
        .MoveTo(GripperCorner(*popup))
        .LeftDown()
        .MoveTo(CPoint(corner.x - 400, corner.y - 400), 6)
        .LeftUp()
        .Run();
    Pump(30);
    EXPECT_EQ(CSize(60, 40 + kgp::GripperHeight(true)), MenuSize(*popup));
}

TEST_F(PopupTest, APopupDraggedPastTheScreensCornerKeepsItsBordersInsideTheWorkArea)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    popup->EnableResize(CSize(60, 40));
    popup->RecalcLayout();
    Pump(30);
    CRect start;
    popup->GetWindowRect(start);
    const CRect work = CKGPGlobalUtils::WorkAreaAt(start.TopLeft());
    const CPoint corner = GripperCorner(*popup);
    test_support::CInputScript()
        .MoveTo(corner)
        .LeftDown()
        .MoveTo(CPoint(work.right + 50, work.bottom + 50), 6)
        .LeftUp()
        .Run();
    Pump(30);
    CRect grown;
    popup->GetWindowRect(grown);
    const int border = popup->GetBorderSize();
    ASSERT_GT(border, 0);
    EXPECT_EQ(start.TopLeft(), grown.TopLeft()) << "it grew where it stood";
    EXPECT_EQ(CSize(work.right - start.left - 2 * border, work.bottom - start.top - 2 * border),
              MenuSize(*popup))
        << "as far as the work area less twice its border";
}

// A popup whose memory is overwritten once it is deleted, so that anything
// that reads it afterwards reads nonsense (and is left with it: the block
// is never given back).
class CScribbledPopup : public CKGPPopupMenu {
public:
    static void operator delete(void* pMemory, std::size_t nSize) { std::memset(pMemory, 0xDD, nSize); }
};

TEST_F(PopupTest, APopupClosedWhileItsGripperIsDraggedEndsTheDragUntouched)
{
    auto* popup = new CScribbledPopup;
    ASSERT_TRUE(popup->Create(&host, 120, 120, FileMenu(), FALSE));
    popup->EnableResize(CSize(60, 40));
    popup->RecalcLayout();
    Pump(30);
    const HWND window = popup->GetSafeHwnd();
    const CPoint corner = GripperCorner(*popup);
    ASSERT_EQ(HTBOTTOMRIGHT, popup->SendMessage(WM_NCHITTEST, 0, keyloft_test::PointParam(corner.x, corner.y)));

    // The menu closes (as when the application loses the activation) in the
    // middle of a drag that has already changed its size.
    test_support::CInputScript()
        .MoveTo(corner)
        .LeftDown()
        .MoveTo(CPoint(corner.x + 30, corner.y + 20), 3)
        .Then([window] { ::PostMessageW(window, WM_CLOSE, 0, 0); })
        .Wait(100)
        .MoveTo(CPoint(corner.x + 50, corner.y + 30), 2)
        .LeftUp()
        .Run();
    Pump(30);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_EQ(nullptr, ::GetCapture());
}

}  // namespace
