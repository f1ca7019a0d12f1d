// Command routing through several targets and command-UI updates of a menu
// about to open (WM_INITMENUPOPUP), with disable-if-no-handler.
#include "tests/afx_windows/WindowTestSupport.h"
#include "tests/afx_windows/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_log;

class CDocumentTarget : public CCmdTarget {
protected:
    afx_msg void OnDocumentCommand() { g_log.push_back(L"document 301"); }
    afx_msg void OnDocumentBoth() { g_log.push_back(L"document 305"); }
    afx_msg void OnDocumentEx() { g_log.push_back(L"document 306"); }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDocumentTarget, CCmdTarget)
    ON_COMMAND(ID_CMD_DOCUMENT, &CDocumentTarget::OnDocumentCommand)
    ON_COMMAND(ID_CMD_BOTH, &CDocumentTarget::OnDocumentBoth)
    ON_COMMAND(ID_CMD_EX, &CDocumentTarget::OnDocumentEx)
    ON_UPDATE_COMMAND_UI(ID_CMD_CHECKED_NO_HANDLER, &CDocumentTarget::OnUpdateChecked)
END_MESSAGE_MAP()

// A window that routes like a frame: itself, then its document.
class CRoutingWnd : public CWnd {
public:
    CDocumentTarget m_document;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) {
            return TRUE;
        }
        return m_document.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    afx_msg void OnWindowCommand() { g_log.push_back(L"window 300"); }
    afx_msg void OnWindowBoth() { g_log.push_back(L"window 305"); }
    afx_msg void OnDisabledCommand() { g_log.push_back(L"window 303"); }
    afx_msg BOOL OnWindowEx(UINT nID)
    {
        g_log.push_back(L"window ex " + std::to_wstring(nID));
        return FALSE;
    }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
    {
        if (!bSysMenu) {
            CCmdUI::UpdateMenu(pPopupMenu, this, TRUE);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingWnd, CWnd)
    ON_WM_INITMENUPOPUP()
    ON_COMMAND(ID_CMD_WINDOW, &CRoutingWnd::OnWindowCommand)
    ON_COMMAND(ID_CMD_BOTH, &CRoutingWnd::OnWindowBoth)
    ON_COMMAND(ID_CMD_DISABLED, &CRoutingWnd::OnDisabledCommand)
    ON_COMMAND_EX(ID_CMD_EX, &CRoutingWnd::OnWindowEx)
    ON_UPDATE_COMMAND_UI(ID_CMD_DISABLED, &CRoutingWnd::OnUpdateDisabled)
END_MESSAGE_MAP()

UINT StateOf(HMENU hMenu, UINT nID)
{
    return ::GetMenuState(hMenu, nID, MF_BYCOMMAND);
}

class CommandRoutingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        g_log.clear();
        ASSERT_TRUE(m_wnd.CreateEx(0, TestWindowClass(), L"routing", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }
    CRoutingWnd m_wnd;
};

TEST_F(CommandRoutingTest, CommandsGoToTheFirstTargetWithAHandler)
{
    m_wnd.SendMessage(WM_COMMAND, ID_CMD_WINDOW);
    m_wnd.SendMessage(WM_COMMAND, ID_CMD_DOCUMENT);
    m_wnd.SendMessage(WM_COMMAND, ID_CMD_BOTH);
    m_wnd.SendMessage(WM_COMMAND, ID_CMD_EX);
    m_wnd.SendMessage(WM_COMMAND, ID_CMD_DISABLED); // disabled by its update handler: never runs
    std::vector<std::wstring> expected = {L"window 300", L"document 301", L"window 305", L"window ex 306",
                                          L"document 306"};
    EXPECT_EQ(g_log, expected);
}

TEST_F(CommandRoutingTest, MenuItemsAreUpdatedWhenThePopupOpens)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(pPopup, nullptr);
    HMENU hPopup = pPopup->GetSafeHmenu();
    // Start from the opposite of what the update must produce.
    pPopup->EnableMenuItem(ID_CMD_WINDOW, MF_BYCOMMAND | MF_GRAYED);
    pPopup->EnableMenuItem(ID_CMD_DOCUMENT, MF_BYCOMMAND | MF_GRAYED);

    m_wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), 0);

    EXPECT_EQ(StateOf(hPopup, ID_CMD_WINDOW) & MF_GRAYED, 0u) << "handler in the window";
    EXPECT_EQ(StateOf(hPopup, ID_CMD_DOCUMENT) & MF_GRAYED, 0u) << "handler in the next target";
    EXPECT_NE(StateOf(hPopup, ID_CMD_CHECKED_NO_HANDLER) & MF_CHECKED, 0u);
    EXPECT_NE(StateOf(hPopup, ID_CMD_CHECKED_NO_HANDLER) & MF_GRAYED, 0u) << "checked, but nothing runs it";
    EXPECT_NE(StateOf(hPopup, ID_CMD_DISABLED) & MF_GRAYED, 0u) << "its update handler disables it";
    EXPECT_NE(StateOf(hPopup, ID_CMD_NONE) & MF_GRAYED, 0u) << "no handler anywhere";
    EXPECT_EQ(StateOf(hPopup, ID_CMD_BOTH) & MF_GRAYED, 0u);
    EXPECT_TRUE(g_log.empty()) << "updating runs no command";
}

TEST_F(CommandRoutingTest, UpdateRequestsAndHandlerQueriesFollowTheRouting)
{
    CTestCmdUI state;
    state.m_nID = ID_CMD_CHECKED_NO_HANDLER;
    EXPECT_TRUE(state.DoUpdate(&m_wnd, FALSE));
    EXPECT_EQ(state.m_nCheck, 1);
    EXPECT_TRUE(state.m_bEnabled) << "not asked to disable";

    CTestCmdUI none;
    none.m_nID = ID_CMD_NONE;
    EXPECT_FALSE(none.DoUpdate(&m_wnd, TRUE));
    EXPECT_FALSE(none.m_bEnabled);

    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    EXPECT_TRUE(m_wnd.OnCmdMsg(ID_CMD_DOCUMENT, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &m_wnd.m_document);
    EXPECT_TRUE(g_log.empty());
}

} // namespace

namespace {

TEST_F(CommandRoutingTest, ChildControlsAreUpdatedAndOnlyPushButtonsDisabledWithoutHandler)
{
    CWnd push;
    CWnd check;
    CWnd edit;
    ASSERT_TRUE(push.Create(L"BUTTON", L"p", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 10, 10), &m_wnd, ID_CMD_NONE));
    ASSERT_TRUE(check.Create(L"BUTTON", L"c", WS_CHILD | BS_AUTOCHECKBOX, CRect(0, 0, 10, 10), &m_wnd,
                             ID_CMD_CHECKED_NO_HANDLER));
    ASSERT_TRUE(edit.Create(L"EDIT", L"", WS_CHILD, CRect(0, 0, 10, 10), &m_wnd, ID_CMD_DISABLED));
    m_wnd.UpdateDialogControls(&m_wnd, TRUE);
    EXPECT_FALSE(push.IsWindowEnabled()) << "a push button without handler";
    EXPECT_TRUE(check.IsWindowEnabled()) << "a check box keeps working";
    EXPECT_EQ(BST_CHECKED, check.SendMessage(BM_GETCHECK)) << "its update handler checks it";
    EXPECT_FALSE(edit.IsWindowEnabled()) << "its update handler disables it";
    push.EnableWindow(TRUE);
    m_wnd.UpdateDialogControls(&m_wnd, FALSE);
    EXPECT_TRUE(push.IsWindowEnabled()) << "not asked to disable";
    EXPECT_TRUE(g_log.empty()) << "updating runs no command";
}

} // namespace
