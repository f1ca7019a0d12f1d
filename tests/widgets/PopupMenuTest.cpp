// Context menus tracked at a point or at the cursor: the chosen command reaches
// the owner as WM_COMMAND.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/TrackPopupMenuAtCursor.h"
#include "widgets/TranslucentMenu.h"

namespace {

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

// Presses keys in the popup menu that appears on this process's screen.
class CMenuDriver {
public:
    explicit CMenuDriver(std::vector<UINT> keys)
    {
        m_thread = std::thread([this, keys]() {
            const DWORD start = ::GetTickCount();
            HWND menu = nullptr;
            while (menu == nullptr && ::GetTickCount() - start < 5000) {
                menu = ::FindWindowW(L"#32768", nullptr);
                if (menu != nullptr && ::IsWindowVisible(menu) == FALSE) {
                    menu = nullptr;
                }
                ::Sleep(20);
            }
            if (menu == nullptr) {
                return;
            }
            m_found = true;
            ::GetWindowRect(menu, &m_menuRect);
            ::Sleep(150);   // lets the owner's posted messages run
            m_layered = (::GetWindowLongPtrW(menu, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
            BYTE alpha = 0;
            DWORD flags = 0;
            if (::GetLayeredWindowAttributes(menu, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) != 0)
                m_alpha = alpha;
            for (UINT key : keys) {
                ::PostMessageW(menu, WM_KEYDOWN, key, 1);
                ::Sleep(30);
            }
        });
    }
    ~CMenuDriver()
    {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    CMenuDriver(const CMenuDriver&) = delete;
    CMenuDriver& operator=(const CMenuDriver&) = delete;
    bool Found() const { return m_found.load(); }
    RECT MenuRect() const { return m_menuRect; }
    bool Layered() const { return m_layered.load(); }
    int Alpha() const { return m_alpha.load(); }

private:
    std::atomic<bool> m_found{false};
    std::atomic<bool> m_layered{false};
    std::atomic<int> m_alpha{-1};
    RECT m_menuRect{};
    std::thread m_thread;
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
