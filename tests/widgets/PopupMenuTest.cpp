// Context menus tracked at a point or at the cursor: the chosen command reaches
// the owner as WM_COMMAND.
#include <gtest/gtest.h>

#include "tests/support/MenuDriver.h"
#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/TrackPopupMenuAtCursor.h"
#include "widgets/TranslucentMenu.h"

namespace {

using test_support::CMenuDriver;

class CCommandOwner : public widgets_test::CRecordingParent {
public:
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

TEST(TrackPopupMenuAtCursor, ChosenCommandOfThePopupAtPositionReachesTheOwner)
{
    CCommandOwner owner;
    ASSERT_TRUE(owner.CreateHost(300, 200));
    {
        CMenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN});
        EXPECT_TRUE(TrackPopupMenuAtCursor(&owner, 9001, 1, CPoint(100, 120)));
        widgets_test::Pump(100);
        EXPECT_TRUE(driver.Found());
        EXPECT_EQ(100, driver.MenuRect().left);
        EXPECT_EQ(120, driver.MenuRect().top);
    }
    ASSERT_EQ(1u, owner.m_commands.size());
    EXPECT_EQ(40003u, owner.m_commands[0]) << "the second item of popup 1";
}

TEST(TrackPopupMenuAtCursor, MinusOneMeansTheCursorAndEscapeChoosesNothing)
{
    CCommandOwner owner;
    ASSERT_TRUE(owner.CreateHost(300, 200));
    ::SetCursorPos(150, 90);
    {
        CMenuDriver driver({VK_ESCAPE});
        TrackPopupMenuAtCursor(&owner, 9001, 0);
        widgets_test::Pump(100);
        EXPECT_TRUE(driver.Found());
        EXPECT_EQ(150, driver.MenuRect().left);
        EXPECT_EQ(90, driver.MenuRect().top);
    }
    EXPECT_TRUE(owner.m_commands.empty());
}

TEST(TrackPopupMenuAtCursor, MissingMenuOrPopupOrOwnerFails)
{
    CCommandOwner owner;
    ASSERT_TRUE(owner.CreateHost(300, 200));
    EXPECT_FALSE(TrackPopupMenuAtCursor(&owner, 9999, 0, CPoint(10, 10)));
    EXPECT_FALSE(TrackPopupMenuAtCursor(&owner, 9001, 5, CPoint(10, 10)));
    EXPECT_FALSE(TrackPopupMenuAtCursor(nullptr, 9001, 0, CPoint(10, 10)));
}

// An owner that makes its menus see-through once they are on the screen.
class CTranslucentMenuOwner : public CCommandOwner {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP)
            PostMessage(kMenuShown);
        if (message == kMenuShown) {
            widgets::MakeThreadMenusTranslucent(200);
            return 0;
        }
        return CCommandOwner::WindowProc(message, wParam, lParam);
    }

private:
    static constexpr UINT kMenuShown = WM_APP + 1;
};

TEST(TranslucentMenu, TheShownMenuWindowGetsTheLayeredStyleAndAlpha)
{
    CTranslucentMenuOwner owner;
    ASSERT_TRUE(owner.CreateHost(300, 200));
    {
        CMenuDriver driver({VK_ESCAPE});
        TrackPopupMenuAtCursor(&owner, 9001, 0, CPoint(40, 40));
        widgets_test::Pump(100);
        ASSERT_TRUE(driver.Found());
        EXPECT_TRUE(driver.Layered());
        EXPECT_EQ(200, driver.Alpha());
    }
}

} // namespace
