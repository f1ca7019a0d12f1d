// A single-document frame made from a template: creation order, command
// routing, idle update of toolbar and menu, layout of the bars and the view.
#include <afxwin.h>
#include <afxext.h>

#include <gtest/gtest.h>

#include "FrameClasses.h"
#include "TestApp.h"
#include "frames_resource.h"

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CWinApp& app = TestApp();
        Events() = FrameEvents{};
        app.OnFileNew();
        frame = dynamic_cast<CTestFrame*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        frame->SetWindowPos(static_cast<HWND>(nullptr), 10, 10, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
        PumpPending();
    }

    void TearDown() override
    {
        CWinApp& app = TestApp();
        if (app.m_pMainWnd != nullptr)
            app.m_pMainWnd->SendMessage(WM_CLOSE);
        PumpPending();
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_EQ(app.m_pDocManager->GetDocumentCount(), 0);
    }

    // A child's rectangle in the frame's client coordinates.
    CRect RectInFrame(CWnd& wnd) const
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        frame->ScreenToClient(&rect);
        return rect;
    }

    CView* View() const { return frame->GetActiveView(); }

    CTestFrame* frame = nullptr;
};

TEST_F(FrameTest, MainWindowAndActiveViewAreSetBeforeTheFirstUpdate)
{
    const FrameEvents& events = Events();
    const std::vector<std::string> expected = {"frame-create", "frame-created", "document-new", "view-initial-update"};
    EXPECT_EQ(events.order, expected);
    EXPECT_TRUE(events.mainWindowSetAtInitialUpdate);
    EXPECT_TRUE(events.activeViewSetAtInitialUpdate);
    EXPECT_TRUE(events.documentSetAtInitialUpdate);

    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    CDocument* doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    POSITION pos = doc->GetFirstViewPosition();
    EXPECT_EQ(doc->GetNextView(pos), View());
    EXPECT_EQ(pos, nullptr);
    // Title, menu and accelerators of one resource id.
    EXPECT_EQ(doc->GetTitle(), CString(L"FrameDoc"));
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(L"FrameDoc - Frames Test"));
    EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_NE(frame->m_hAccelTable, nullptr);
}

TEST_F(FrameTest, OpeningAgainReusesTheSingleDocument)
{
    CDocument* first = frame->GetActiveDocument();
    TestApp().OnFileNew();
    EXPECT_EQ(TestApp().m_pMainWnd, frame);
    EXPECT_EQ(frame->GetActiveDocument(), first);
    EXPECT_EQ(TestApp().m_pDocManager->GetDocumentCount(), 1);
}

TEST_F(FrameTest, CommandsRouteThroughViewDocumentAndFrame)
{
    frame->SendMessage(WM_COMMAND, ID_CMD_DOCUMENT);
    EXPECT_EQ(Events().documentCommands, 1);
    frame->SendMessage(WM_COMMAND, ID_CMD_CHECKED);
    EXPECT_EQ(Events().checkedCommands, 1);
    const int updates = Events().checkedUpdates;
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_CMD_CHECKED, 1)); // as an accelerator sends it
    EXPECT_EQ(Events().checkedCommands, 2);
    EXPECT_EQ(Events().checkedUpdates, updates + 1) << "its update handler runs once";
    // Ctrl+N through the frame's accelerator table.
    MSG msg{frame->m_hWnd, WM_KEYDOWN, 'N', 0, 0, {}};
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_TRUE(frame->PreTranslateMessage(&msg));
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(FrameTest, IdleUpdateEnablesAndChecksToolbarButtons)
{
    CToolBar& toolBar = frame->m_toolBar;
    ASSERT_EQ(toolBar.GetCount(), 4);
    const int checkedIndex = toolBar.CommandToIndex(ID_CMD_CHECKED);
    const int noHandlerIndex = toolBar.CommandToIndex(ID_CMD_NOHANDLER);
    const int plainIndex = toolBar.CommandToIndex(ID_CMD_PLAIN);
    ASSERT_EQ(checkedIndex, 0);
    ASSERT_EQ(noHandlerIndex, 1);
    ASSERT_EQ(plainIndex, 3);

    Events().checked = true;
    TestApp().OnIdle(0);
    CToolBarCtrl& ctrl = toolBar.GetToolBarCtrl();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_CMD_CHECKED));
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_CMD_CHECKED));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_CMD_NOHANDLER));  // nobody handles it
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_CMD_PLAIN));
    EXPECT_TRUE(toolBar.GetButtonStyle(noHandlerIndex) & TBBS_DISABLED);
    EXPECT_TRUE(toolBar.GetButtonStyle(checkedIndex) & TBBS_CHECKED);

    Events().checked = false;
    TestApp().OnIdle(0);
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_CMD_CHECKED));
}

TEST_F(FrameTest, ToolbarButtonsCanBeReshaped)
{
    CToolBar& toolBar = frame->m_toolBar;
    // A separator made wide enough for a control placed on it.
    toolBar.SetButtonInfo(2, ID_SEPARATOR, TBBS_SEPARATOR, 120);
    CRect separator;
    toolBar.GetItemRect(2, &separator);
    EXPECT_EQ(separator.Width(), 120);
    UINT id = 1;
    UINT style = 0;
    int image = -1;
    toolBar.GetButtonInfo(3, id, style, image);
    EXPECT_EQ(id, static_cast<UINT>(ID_CMD_PLAIN));
    EXPECT_EQ(image, 2);  // the third image: separators take none
    toolBar.SetButtonStyle(3, style | TBBS_DROPDOWN);
    EXPECT_TRUE(toolBar.GetButtonStyle(3) & TBBS_DROPDOWN);
    EXPECT_TRUE(toolBar.SetButtonText(3, L"Plain"));
    EXPECT_EQ(toolBar.GetButtonText(3), CString(L"Plain"));
    // Hidden buttons leave the bar's width.
    const int before = toolBar.CalcFixedLayout(FALSE, TRUE).cx;
    toolBar.GetToolBarCtrl().HideButton(ID_CMD_PLAIN);
    EXPECT_LT(toolBar.CalcFixedLayout(FALSE, TRUE).cx, before);
}

TEST_F(FrameTest, PopupMenusAreUpdatedWhenOpened)
{
    CMenu* bar = CMenu::FromHandle(::GetMenu(frame->m_hWnd));
    ASSERT_NE(bar, nullptr);
    CMenu* testMenu = bar->GetSubMenu(0);
    ASSERT_NE(testMenu, nullptr);
    // Update handlers and disable-if-no-handler are covered in afx_windows; here
    // the frame's routing reaches its document.
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(testMenu->m_hMenu), 0);
    EXPECT_TRUE(testMenu->GetMenuState(ID_CMD_NOHANDLER, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(testMenu->GetMenuState(ID_CMD_DOCUMENT, MF_BYCOMMAND) & MF_GRAYED);

    // Bars' menu items show whether the bar is visible.
    CMenu* viewMenu = bar->GetSubMenu(1);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu->m_hMenu), 1);
    EXPECT_TRUE(viewMenu->GetMenuState(ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(viewMenu->GetMenuState(ID_VIEW_WORKSPACE, MF_BYCOMMAND) & MF_CHECKED);
    frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(viewMenu->m_hMenu), 1);
    EXPECT_FALSE(viewMenu->GetMenuState(ID_VIEW_STATUS_BAR, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(FrameTest, BarsAroundTheViewAndTheViewTakesWhatHiddenBarsLeave)
{
    frame->RecalcLayout();
    CRect client;
    frame->GetClientRect(&client);
    const CRect toolBar = RectInFrame(frame->m_toolBar);
    const CRect statusBar = RectInFrame(frame->m_statusBar);
    const CRect workspace = RectInFrame(frame->m_workspace);
    const CRect view = RectInFrame(*View());

    EXPECT_EQ(toolBar.top, 0);
    EXPECT_EQ(toolBar.left, 0);
    EXPECT_EQ(toolBar.right, client.right);
    EXPECT_GT(toolBar.Height(), 15);
    EXPECT_EQ(statusBar.bottom, client.bottom);
    EXPECT_EQ(statusBar.right, client.right);
    EXPECT_GT(statusBar.Height(), 10);
    EXPECT_EQ(workspace.left, 0);
    EXPECT_EQ(workspace.top, toolBar.bottom);
    EXPECT_EQ(workspace.bottom, statusBar.top);
    EXPECT_EQ(workspace.Width(), 150);
    EXPECT_EQ(view, CRect(workspace.right, toolBar.bottom, client.right, statusBar.top));

    // Hidden by its command, the bar leaves its place to the view.
    frame->SendMessage(WM_COMMAND, ID_VIEW_WORKSPACE);
    EXPECT_FALSE(frame->m_workspace.IsVisible());
    EXPECT_EQ(RectInFrame(*View()).left, 0);

    // Without the status bar the view reaches the bottom.
    frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(frame->m_statusBar.IsVisible());
    EXPECT_EQ(RectInFrame(*View()).bottom, client.bottom);
    // And it follows the frame's size.
    frame->SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->GetClientRect(&client);
    EXPECT_EQ(RectInFrame(*View()).right, client.right);
    EXPECT_EQ(RectInFrame(*View()).bottom, client.bottom);
}

TEST_F(FrameTest, StatusBarPanesIndicatorsAndAChildButton)
{
    CStatusBar& status = frame->m_statusBar;
    EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_NUM), 2);
    EXPECT_EQ(status.GetItemID(3), static_cast<UINT>(ID_INDICATOR_SCRL));
    EXPECT_EQ(status.GetPaneText(1), CString(L"EXT"));
    status.SetPaneInfo(1, ID_INDICATOR_EXT, SBPS_NORMAL, 170);
    CRect pane;
    status.GetItemRect(1, &pane);
    EXPECT_GE(pane.Width(), 170);
    EXPECT_LT(pane.Width(), 190);

    // Key indicators follow the key state at idle time; EXT has no key.
    TestApp().OnIdle(0);
    EXPECT_TRUE(status.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_EQ(status.GetStatusBarCtrl().GetText(1), CString());
    const bool numLock = (::GetKeyState(VK_NUMLOCK) & 1) != 0;
    EXPECT_EQ(status.GetStatusBarCtrl().GetText(2), numLock ? CString(L"NUM") : CString());

    // Prompts go to the first pane.
    frame->SetMessageText(L"Transferring");
    EXPECT_EQ(status.GetStatusBarCtrl().GetText(0), CString(L"Transferring"));
    frame->SetMessageText(ID_CMD_PLAIN);
    EXPECT_EQ(status.GetPaneText(0), CString(L"Plain command"));
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(status.GetPaneText(0), CString(L"Ready"));

    // A button inside the bar reaches the frame's handler.
    frame->m_statusButton.SendMessage(BM_CLICK);
    PumpPending();
    EXPECT_EQ(Events().statusButtonClicks, 1);
}

TEST_F(FrameTest, ToolbarTipsAndFlyByPromptsComeFromTheCommandStrings)
{
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = frame->m_toolBar.m_hWnd;
    info.hdr.idFrom = ID_CMD_PLAIN;
    info.hdr.code = TTN_NEEDTEXTW;
    frame->SendMessage(WM_NOTIFY, ID_CMD_PLAIN, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(info.szText, L"Plain");

    NMTBHOTITEM hot{};
    hot.hdr.hwndFrom = frame->m_toolBar.m_hWnd;
    hot.hdr.idFrom = AFX_IDW_TOOLBAR;
    hot.hdr.code = TBN_HOTITEMCHANGE;
    hot.idNew = ID_CMD_CHECKED;
    frame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(frame->m_statusBar.GetPaneText(0), CString(L"Toggles the checked state"));
    hot.dwFlags = HICF_LEAVING;
    frame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(frame->m_statusBar.GetPaneText(0), CString(L"Ready"));
}

TEST_F(FrameTest, ClosingTheMainFrameEndsTheDocumentAndPostsQuit)
{
    HWND window = frame->m_hWnd;
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
