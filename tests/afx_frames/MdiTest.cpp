// A frame of several document windows: the client made with the frame, the
// children activated in turn and listed in the Window menu, commands reaching
// the active child first, the child's menu on the frame while it is active.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "TestApp.h"
#include "frames_resource.h"

namespace {

class CCountingChild : public CMDIChildWnd {
public:
    int m_plainCommands = 0;

protected:
    afx_msg void OnPlain() { ++m_plainCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingChild, CMDIChildWnd)
    ON_COMMAND(ID_CMD_PLAIN, &CCountingChild::OnPlain)
END_MESSAGE_MAP()

class MdiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, L"Documents", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 500),
                                  nullptr, MAKEINTRESOURCEW(IDR_MDIFRAME)));
        frame->m_hMenuDefault = ::GetMenu(frame->m_hWnd);
        childMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MDICHILD));
        PumpPending();
    }

    void TearDown() override
    {
        if (::IsWindow(frameHandle()))
            frame->DestroyWindow();
        PumpPending();
        if (childMenu != nullptr)
            ::DestroyMenu(childMenu);
    }

    HWND frameHandle() const { return frame != nullptr ? frame->m_hWnd : nullptr; }

    CCountingChild* AddChild(const wchar_t* title)
    {
        auto* child = new CCountingChild;
        child->m_hMenuShared = childMenu;
        if (!child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame)) {
            delete child;
            return nullptr;
        }
        PumpPending();
        return child;
    }

    // The child entries of the Window menu now on the frame: (id, checked).
    std::vector<std::pair<UINT, bool>> WindowEntries() const
    {
        std::vector<std::pair<UINT, bool>> entries;
        HMENU popup = frame->GetWindowMenuPopup(::GetMenu(frame->m_hWnd));
        for (int index = 0; popup != nullptr && index < ::GetMenuItemCount(popup); ++index) {
            const UINT id = ::GetMenuItemID(popup, index);
            if (id >= AFX_IDM_FIRST_MDICHILD && id != static_cast<UINT>(-1))
                entries.emplace_back(id, (::GetMenuState(popup, id, MF_BYCOMMAND) & MF_CHECKED) != 0);
        }
        return entries;
    }

    CMDIFrameWnd* frame = nullptr;
    HMENU childMenu = nullptr;
};

TEST_F(MdiTest, TheClientFillsTheFrameAndChildrenActivateInTurn)
{
    ASSERT_NE(frame->m_hWndMDIClient, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(frame->m_hWndMDIClient), AFX_IDW_PANE_FIRST);
    CRect clientArea, mdiClient;
    frame->GetClientRect(&clientArea);
    ::GetWindowRect(frame->m_hWndMDIClient, &mdiClient);
    EXPECT_EQ(mdiClient.Width(), clientArea.Width());
    EXPECT_EQ(frame->MDIGetActive(), nullptr);

    CCountingChild* first = AddChild(L"First");
    CCountingChild* second = AddChild(L"Second");
    CCountingChild* third = AddChild(L"Third");
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->GetMDIFrame(), frame);
    EXPECT_EQ(frame->MDIGetActive(), third);
    EXPECT_EQ(frame->GetActiveFrame(), third);

    frame->MDIActivate(first);
    EXPECT_EQ(frame->MDIGetActive(), first);
    frame->MDINext();
    EXPECT_NE(frame->MDIGetActive(), first);
    second->MDIActivate();
    EXPECT_EQ(frame->MDIGetActive(), second);

    BOOL maximized = FALSE;
    second->MDIMaximize();
    EXPECT_EQ(frame->MDIGetActive(&maximized), second);
    EXPECT_TRUE(maximized);
    second->MDIRestore();
    frame->MDIGetActive(&maximized);
    EXPECT_FALSE(maximized);

    // Tiled, no two children overlap.
    frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);
    CRect a, b, c, overlap;
    first->GetWindowRect(&a);
    second->GetWindowRect(&b);
    third->GetWindowRect(&c);
    EXPECT_FALSE(overlap.IntersectRect(&a, &b));
    EXPECT_FALSE(overlap.IntersectRect(&b, &c));
}

TEST_F(MdiTest, TheWindowMenuFollowsTheChildrenAndItsEntriesActivateThem)
{
    CCountingChild* first = AddChild(L"First");
    CCountingChild* second = AddChild(L"Second");
    ASSERT_TRUE(first && second);
    // The active child's menu is on the frame; its Window popup lists both, the active one checked.
    EXPECT_EQ(::GetMenu(frame->m_hWnd), childMenu);
    auto entries = WindowEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_FALSE(entries[0].second);
    EXPECT_TRUE(entries[1].second);

    frame->SendMessage(WM_COMMAND, entries[0].first);
    EXPECT_EQ(frame->MDIGetActive(), first);
    entries = WindowEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_TRUE(entries[0].second);

    // A destroyed child leaves the list; the last one gone brings the frame's own menu back.
    first->DestroyWindow();
    PumpPending();
    EXPECT_EQ(WindowEntries().size(), 1u);
    EXPECT_EQ(frame->MDIGetActive(), second);
    second->DestroyWindow();
    PumpPending();
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
}

TEST_F(MdiTest, CommandsReachTheActiveChildFirst)
{
    CCountingChild* first = AddChild(L"First");
    CCountingChild* second = AddChild(L"Second");
    ASSERT_TRUE(first && second);
    frame->SendMessage(WM_COMMAND, ID_CMD_PLAIN);
    EXPECT_EQ(second->m_plainCommands, 1);
    EXPECT_EQ(first->m_plainCommands, 0);
    first->MDIActivate();
    frame->SendMessage(WM_COMMAND, ID_CMD_PLAIN);
    EXPECT_EQ(first->m_plainCommands, 1);

    // The window commands are enabled only while a child exists.
    struct Probe : CCmdUI {
        BOOL enabled = TRUE;
        void Enable(BOOL bOn) override { enabled = bOn; m_bEnableChanged = TRUE; }
    } probe;
    probe.m_nID = ID_WINDOW_CASCADE;
    probe.DoUpdate(frame, FALSE);
    EXPECT_TRUE(probe.enabled);
    first->DestroyWindow();
    second->DestroyWindow();
    PumpPending();
    probe.DoUpdate(frame, FALSE);
    EXPECT_FALSE(probe.enabled);
}

} // namespace
