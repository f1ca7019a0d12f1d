// How a popup looks on a screen without a compositor: its shadow darkens the
// screen that was behind it and leaves the corners as they were, the opening
// animations end showing the whole menu, and screenshots show it for a look
// by eye.
#include "tests/guilib_popups/PopupTestSupport.h"

#include "guilib/menus/KGPPopupAnimation.h"
#include "tests/support/WindowCapture.h"

#include <algorithm>

namespace {

using namespace popup_test;
using keyloft_test::Pump;

DWORD At(const std::vector<DWORD>& pixels, const CRect& area, CPoint point)
{
    return pixels[static_cast<size_t>(point.y - area.top) * area.Width() + (point.x - area.left)];
}

int Brightness(DWORD pixel) { return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF); }

TEST_F(PopupTest, TheShadowDarkensTheScreenBehindAndLeavesItsCornersAlone)
{
    CRect hostArea;
    host.GetWindowRect(hostArea);
    host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(100);
    const std::vector<DWORD> before = keyloft_test::CaptureScreenArea(hostArea);
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    popup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(200);
    const std::vector<DWORD> after = keyloft_test::CaptureScreenArea(hostArea);
    EXPECT_TRUE(popup->IsPainted());

    CRect window;
    popup->GetWindowRect(window);
    const int shadow = popup->GetShadowSize();
    ASSERT_GT(shadow, 0);
    ASSERT_TRUE(hostArea.PtInRect(CPoint(window.right - 1, window.bottom - 1)));
    // The right band, next to the menu: darker than the screen was there.
    int darker = 0;
    int bandPixels = 0;
    for (int y = window.top + shadow + 2; y < window.bottom - shadow; ++y) {
        const CPoint point(window.right - shadow, y);
        ++bandPixels;
        darker += Brightness(At(after, hostArea, point)) < Brightness(At(before, hostArea, point)) ? 1 : 0;
    }
    EXPECT_EQ(bandPixels, darker) << "the band is the screen behind, darkened";
    const CPoint below(window.left + window.Width() / 2, window.bottom - 1);
    EXPECT_LT(Brightness(At(after, hostArea, below)), Brightness(At(before, hostArea, below))) << "the bottom band";
    const CPoint corner(window.right - 1, window.top);
    EXPECT_EQ(At(before, hostArea, corner), At(after, hostArea, corner)) << "the corner shows the screen as it was";

    CRect shot = window;
    shot.InflateRect(24, 24);
    shot.top -= 20;
    shot.IntersectRect(shot, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_TRUE(keyloft_test::SaveScreenArea(shot, L"popup-shadow.bmp"));
}

// The library's animation for one test, put back afterwards.
class AnimationScope {
public:
    explicit AnimationScope(int type) : m_old(CKGPPopupMenu::m_AnimationType) { CKGPPopupMenu::m_AnimationType = type; }
    ~AnimationScope() { CKGPPopupMenu::m_AnimationType = m_old; }

private:
    int m_old;
};

TEST_F(PopupTest, EveryOpeningAnimationEndsShowingTheWholeMenu)
{
    for (const int type : {kgp::kAnimationUnfold, kgp::kAnimationSlide, kgp::kAnimationFade}) {
        AnimationScope animation(type);
        // Looked at before any message is handled: the animation runs by the
        // clock, and on a loaded machine a pause could see it through.
        ASSERT_TRUE(Button()->OpenPopupMenu()) << type;
        CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
        ASSERT_NE(nullptr, popup) << type;
        EXPECT_FALSE(popup->IsAnimationDone()) << type;
        EXPECT_FALSE(popup->GetMenuBar()->IsWindowVisible()) << "the items show when it is done";
        // Each tick covers the steps of the time since the last one.
        for (int tick = 0; tick < 100 && !popup->IsAnimationDone(); ++tick) {
            ::Sleep(static_cast<DWORD>(CKGPPopupMenu::m_AnimationSpeed + 1));
            popup->SendMessage(WM_TIMER, 1);
        }
        EXPECT_TRUE(popup->IsAnimationDone()) << type;
        EXPECT_TRUE(popup->GetMenuBar()->IsWindowVisible());
        Pump(30);
        EXPECT_TRUE(popup->IsPainted());
        Key(VK_ESCAPE);
        EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    }
}

TEST_F(PopupTest, AScreenshotOfAMenuWithASubMenuAndTheirShadows)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    Key(VK_DOWN);
    Key('M');
    CKGPPopupMenu* sub = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(popup, sub);
    Pump(150);
    CRect outer, inner, shot;
    popup->GetWindowRect(outer);
    sub->GetWindowRect(inner);
    bar->GetWindowRect(shot);
    shot.UnionRect(shot, outer);
    shot.UnionRect(shot, inner);
    shot.InflateRect(16, 16);
    EXPECT_TRUE(keyloft_test::SaveScreenArea(shot, L"popup-menus.bmp"));
    // Some items of each popup show in colours of their own (text on the face).
    const std::vector<DWORD> pixels = keyloft_test::CaptureScreenArea(inner);
    std::vector<DWORD> colours(pixels);
    std::sort(colours.begin(), colours.end());
    EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 4);
}

}  // namespace
