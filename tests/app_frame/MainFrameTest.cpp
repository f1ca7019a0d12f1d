#include <afxwin.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "pages/AppMessages.h"
#include "app/shell/MainFrame.h"
#include "app/view/WorkspaceBar.h"
#include "core/link/USBPort.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "res/resource.h"
#include "tests/app_frame/ShellTestSupport.h"
#include "tests/app_frame/TestApp.h"
#include "tests/profiles/RecordingShell.h"
#include "widgets/MessageBox.h"

namespace {

// The frame with its two questions answered by the test.
class TestFrame : public CMainFrame {
public:
    ~TestFrame() override
    {
        if (onGone)
            onGone();
    }

    CUSBPort port;
    int restoreAnswer = IDCANCEL;
    int restoreAsked = 0;
    std::function<void()> onGone;  // run when the frame deletes itself

    CUSBPort* GetActivePort() const override { return const_cast<CUSBPort*>(&port); }
    int AskRestoreDefaults() override
    {
        ++restoreAsked;
        return restoreAnswer;
    }
};

std::vector<UINT> CommandsOf(HMENU menu)
{
    std::vector<UINT> ids;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = ::GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1))
            ids.push_back(id);
    }
    return ids;
}

CString CaptionOf(CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return text;
}

class MainFrameTest : public ShellFolderTest {
protected:
    void SetUp() override
    {
        ShellFolderTest::SetUp();
        TestApp();
        GetDeviceNames().m_deviceName.Empty();
        auto* frame = new TestFrame;
        // A frame whose creation fails has deleted itself.
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_frame = frame;
        ASSERT_TRUE(frame->CompleteFrame());
    }
    void TearDown() override
    {
        if (m_frame != nullptr && m_frame->GetSafeHwnd() != nullptr)
            m_frame->DestroyWindow(); // deletes the frame
        m_frame = nullptr;
        GetDeviceNames().m_deviceName.Empty();
        ClearDevProfile();
        ShellFolderTest::TearDown();
    }
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void SelectModelWithSwitches(const std::string& switches)
    {
        WriteFile(L"DevProfile\\TESTMODEL.ini", "[DLG_VISIBLE]\r\n" + switches);
        ASSERT_TRUE(SelectDevProfile(L"TESTMODEL"));
    }

    TestFrame* m_frame = nullptr;
};

TEST_F(MainFrameTest, BarsAndMenuComeOnceWithTheCompletionOrTheFirstShowing)
{
    // Created hidden, the frame has only its view's place until it is completed.
    for (const bool byShowing : {false, true}) {
        auto* frame = new TestFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        EXPECT_EQ(frame->GetWorkspaceBar(), nullptr);
        EXPECT_EQ(frame->GetStatusBar().GetSafeHwnd(), nullptr);
        EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), nullptr);
        if (byShowing)
            frame->ActivateFrame(SW_SHOWNOACTIVATE);
        else
            EXPECT_EQ(frame->SendMessage(AppMsg::CompleteFrame), 0);
        ASSERT_NE(frame->GetWorkspaceBar(), nullptr);
        const HWND bar = frame->GetWorkspaceBar()->GetSafeHwnd();
        EXPECT_EQ(::GetMenu(frame->GetSafeHwnd()), frame->GetSkinnedMenu().GetMenuHandle());
        // The status bar shows the idle prompt.
        CString prompt;
        frame->GetStatusBar().GetWindowText(prompt);
        EXPECT_FALSE(prompt.IsEmpty());
        // Once only.
        EXPECT_TRUE(frame->CompleteFrame());
        frame->ActivateFrame(SW_SHOWNOACTIVATE);
        EXPECT_EQ(frame->GetWorkspaceBar()->GetSafeHwnd(), bar);
        frame->DestroyWindow();
    }
}

TEST_F(MainFrameTest, CreationBuildsTheSkinnedMenuAndTheStatusBarWithHiddenProgress)
{
    EXPECT_EQ(::GetMenu(m_frame->GetSafeHwnd()), m_frame->GetSkinnedMenu().GetMenuHandle());
    EXPECT_EQ(::GetMenuItemCount(::GetMenu(m_frame->GetSafeHwnd())), 3);
    EXPECT_EQ(m_frame->GetStatusBar().GetDlgCtrlID(), AFX_IDW_STATUS_BAR);
    EXPECT_FALSE(m_frame->GetProgressBar().IsWindowVisible());
    EXPECT_FALSE(m_frame->GetCancelButton().IsWindowVisible());

    // F1 opens the help document, as the menu item says.
    HACCEL accelerators = ::LoadAcceleratorsW(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_MAINFRAME), RT_ACCELERATOR),
                                              MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(accelerators, nullptr);
    ACCEL entries[8] = {};
    const int count = ::CopyAcceleratorTableW(accelerators, entries, 8);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(entries[0].key, VK_F1);
    EXPECT_EQ(entries[0].cmd, ID_HELP_DOCUMENT);
    ::DestroyAcceleratorTable(accelerators);

    MINMAXINFO info{};
    m_frame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 800);
    EXPECT_EQ(info.ptMinTrackSize.y, 600);
}

TEST_F(MainFrameTest, TheWorkspaceBarDragsByItsGripperToTheRightEdgeOffTheFrameAndBack)
{
    CWorkspaceBar* bar = m_frame->GetWorkspaceBar();
    ASSERT_NE(bar, nullptr);
    CRect client;
    m_frame->GetClientRect(&client);
    m_frame->ClientToScreen(&client);
    // A press on the gripper (above the client area) with the moves that follow it queued.
    auto dragTo = [bar](CPoint to) {
        bar->ScreenToClient(&to);
        bar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        bar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, static_cast<WORD>(-3)));
    };
    dragTo(CPoint(client.right - 4, client.CenterPoint().y));
    ASSERT_NE(bar->m_pDockBar, nullptr);
    EXPECT_EQ(bar->m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_RIGHT);
    dragTo(CPoint(client.right + 60, client.top + 20));
    EXPECT_TRUE(bar->IsFloating());
    dragTo(CPoint(client.left + 4, client.CenterPoint().y));
    ASSERT_NE(bar->m_pDockBar, nullptr);
    EXPECT_EQ(bar->m_pDockBar->GetDlgCtrlID(), AFX_IDW_DOCKBAR_LEFT);
}

TEST_F(MainFrameTest, TheCancelButtonStandsBesideTheProgressBarOnlyWhileATransferRuns)
{
    m_frame->ShowWindow(SW_SHOW);
    m_frame->SendMessage(AppMsg::ProgressBegin, 0xFFFF, 10);
    EXPECT_TRUE(m_frame->GetProgressBar().IsWindowVisible());
    EXPECT_TRUE(m_frame->GetCancelButton().IsWindowVisible());
    PBRANGE range{};
    m_frame->GetProgressBar().SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, -1);
    EXPECT_EQ(range.iHigh, 10);
    EXPECT_EQ(m_frame->GetProgressBar().SendMessage(PBM_GETPOS, 0, 0), 0);

    // The step arithmetic is FrameProgress's (FrameProgressTest); the bar follows it.
    m_frame->SendMessage(AppMsg::ProgressStep, 0, 0);
    EXPECT_EQ(m_frame->GetProgressBar().SendMessage(PBM_GETPOS, 0, 0), 1);

    m_frame->SendMessage(AppMsg::ProgressEnd, 0, 0);
    EXPECT_FALSE(m_frame->GetProgressBar().IsWindowVisible());
    EXPECT_FALSE(m_frame->GetCancelButton().IsWindowVisible());
    m_frame->GetProgressBar().SendMessage(PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 0);
}

TEST_F(MainFrameTest, ACloseWhileABoxIsUpWaitsUntilTheBoxHasGoneAnsweredCancel)
{
    // A page's handler asks its question; the close that comes meanwhile may
    // not take the window (and the view and pages with it) from under it.
    const HWND frame = m_frame->GetSafeHwnd();
    CMessageBox question(0, L"Clear the slot?", -1, m_frame);
    bool asking = false;
    bool goneWhileAsking = false;
    m_frame->onGone = [&] {
        m_frame = nullptr;
        goneWhileAsking = asking;
        if (asking)
            question.EndModalLoop(IDOK);  // its loop would wait for the destroyed box for good
    };
    m_frame->PostMessage(WM_CLOSE);
    asking = true;
    const INT_PTR answer = question.DoModal();
    asking = false;
    EXPECT_FALSE(goneWhileAsking);
    EXPECT_TRUE(::IsWindow(frame)) << "the code after the box still has its window";
    EXPECT_EQ(answer, IDCANCEL) << "the question was closed unanswered";

    // Once the box's loop has ended, the close goes through.
    for (int round = 0; round < 500 && ::IsWindow(frame); ++round) {
        PumpPending();
        ::Sleep(10);
    }
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(m_frame, nullptr);
}

TEST_F(MainFrameTest, RestoreDefaultsClearsTheFourSectionsOnlyAfterOk)
{
    const CIni ini = GetAppProfile().GetIni();
    const wchar_t* sections[] = {L"LIST_SORT", L"ADD_FILE_DIR", L"SAVE_FILE_DIR", L"MSG_DLG_VISIBLE"};
    for (const wchar_t* section : sections)
        ini.WriteString(section, L"K", L"v");
    GetAppProfile().SetLanguage(2);

    Command(ID_RESTORE_DEFAULTS);
    EXPECT_EQ(m_frame->restoreAsked, 1);
    for (const wchar_t* section : sections)
        EXPECT_EQ(ini.GetString(section, L"K"), CString(L"v")) << section;

    m_frame->restoreAnswer = IDOK;
    Command(ID_RESTORE_DEFAULTS);
    for (const wchar_t* section : sections)
        EXPECT_EQ(ini.GetString(section, L"K"), CString()) << section;
    EXPECT_EQ(GetAppProfile().GetLanguage(), 2u);
}

TEST_F(MainFrameTest, WindowPopupLosesThePagesTheModelSwitchesOff)
{
    // No editor switches: the transfer pages and the two bar items stay.
    SelectModelWithSwitches("");
    // A menu nobody has opened yet is whole: a new profile keeps it.
    const HMENU whole = m_frame->GetSkinnedMenu().GetMenuHandle();
    m_frame->SendMessage(AppMsg::DevProfileLoaded, 0, 0);
    EXPECT_EQ(m_frame->GetSkinnedMenu().GetMenuHandle(), whole);
    HMENU popup = ::GetSubMenu(m_frame->GetSkinnedMenu().GetMenuHandle(), 0);
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(CommandsOf(popup), (std::vector<UINT>{ID_WINDOW_SONG, ID_WINDOW_STYLE, ID_WINDOW_VOICE,
                                                    ID_WINDOW_MEMORY, 59393, ID_VIEW_FUNCTION_BAR}));

    // A model without the song page but with both editors, after a new
    // connection has put the whole menu back.
    SelectModelWithSwitches("DLG_DOWN_SONG=0\r\nDLG_EDIT_SONG=1\r\nDLG_EDIT_STYLE=1\r\n");
    m_frame->SendMessage(AppMsg::DevProfileLoaded, 0, 0);
    popup = ::GetSubMenu(m_frame->GetSkinnedMenu().GetMenuHandle(), 0);
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(CommandsOf(popup),
              (std::vector<UINT>{ID_WINDOW_STYLE, ID_WINDOW_VOICE, ID_WINDOW_MEMORY, ID_WINDOW_EDIT_SONG,
                                 ID_WINDOW_EDIT_STYLE, 59393, ID_VIEW_FUNCTION_BAR}));
    // Without its first item the popup is still recognised.
    CMenu wrapper;
    wrapper.Attach(popup);
    EXPECT_TRUE(CMainFrame::IsWindowPopup(wrapper));
    wrapper.Detach();

    HMENU settings = ::GetSubMenu(m_frame->GetSkinnedMenu().GetMenuHandle(), 1);
    const int before = ::GetMenuItemCount(settings);
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(settings), 1);
    EXPECT_EQ(::GetMenuItemCount(settings), before);
}

TEST_F(MainFrameTest, LanguageChangeAndDeviceLossSetTheNotConnectedCaption)
{
    const CString expected = CMainFrame::NotConnectedCaption();
    EXPECT_EQ(expected.Find(L" - "), expected.GetLength() - 3 - CString(L"未连接").GetLength());

    m_frame->SetWindowText(L"something else");
    m_frame->SendMessage(AppMsg::LanguageChanged, 0, 0);
    EXPECT_EQ(CaptionOf(*m_frame), expected);
    EXPECT_EQ(::GetMenuItemCount(::GetMenu(m_frame->GetSafeHwnd())), 3);

    // With an instrument connected the caption names it and stays.
    GetDeviceNames().m_deviceName = L"DEV 1";
    m_frame->SetWindowText(L"Keyloft - DEV 1");
    m_frame->SendMessage(AppMsg::LanguageChanged, 0, 0);
    EXPECT_EQ(CaptionOf(*m_frame), CString(L"Keyloft - DEV 1"));

    m_frame->SendMessage(AppMsg::DeviceLost, 0, 0);
    EXPECT_EQ(CaptionOf(*m_frame), expected);
}

TEST_F(MainFrameTest, HelpOpensTheModelsFolderInTheLanguageInForce)
{
    RecordingShell shell;
    CScopedShellOperations scoped(shell);
    GetAppProfile().SetLanguage(1);
    Command(ID_HELP_DOCUMENT);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], Folder() + L"help\\ch_trd.chm");

    GetDeviceNames().m_deviceName = L"DEV 1";
    SetInterName(L"DEV 1", L"RX470");
    WriteFile(L"help\\RX470\\ch_trd.chm", "x");
    Command(ID_HELP_DOCUMENT);
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[1], Folder() + L"help\\RX470\\ch_trd.chm");
}

} // namespace

namespace {

class LanguageCommandTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        m_builtIn = AfxGetResourceHandle();
        TestApp().GetLanguages().Load(KEYLOFT_PROGRAM_FOLDER);
        TestApp().m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        TestApp().m_pMainWnd = nullptr;
        TestApp().GetLanguages().Free();
        AfxSetResourceHandle(m_builtIn);
        MainFrameTest::TearDown();
    }
    bool IsChecked(UINT command)
    {
        HMENU settings = ::GetSubMenu(m_frame->GetSkinnedMenu().GetMenuHandle(), 1);
        HMENU languages = ::GetSubMenu(settings, 0);
        m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(languages), 0);
        return (::GetMenuState(languages, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    CString FirstPopupText()
    {
        wchar_t text[64] = {};
        ::GetMenuStringW(m_frame->GetSkinnedMenu().GetMenuHandle(), 0, text, 64, MF_BYPOSITION);
        return text;
    }

    HINSTANCE m_builtIn = nullptr;
};

TEST_F(LanguageCommandTest, EnglishReloadsMenuAndCaptionAndMovesTheCheckMark)
{
    EXPECT_TRUE(IsChecked(ID_LANGUAGE_SIMPLIFIED));
    EXPECT_FALSE(IsChecked(ID_LANGUAGE_ENGLISH));
    const CString builtInCaption = CMainFrame::NotConnectedCaption();
    const CString builtInPopup = FirstPopupText();

    Command(ID_LANGUAGE_ENGLISH);
    PumpPending(); // the language change is posted to the main window
    EXPECT_EQ(GetAppProfile().GetLanguage(), 2u);
    EXPECT_NE(CaptionOf(*m_frame), builtInCaption);
    EXPECT_EQ(CaptionOf(*m_frame), CMainFrame::NotConnectedCaption()) << "in the library's words";
    EXPECT_NE(FirstPopupText(), builtInPopup);
    EXPECT_TRUE(IsChecked(ID_LANGUAGE_ENGLISH));
    EXPECT_FALSE(IsChecked(ID_LANGUAGE_SIMPLIFIED));

    Command(ID_LANGUAGE_SIMPLIFIED);
    PumpPending();
    EXPECT_EQ(GetAppProfile().GetLanguage(), 0u);
    EXPECT_EQ(FirstPopupText(), builtInPopup);
    EXPECT_TRUE(IsChecked(ID_LANGUAGE_SIMPLIFIED));
}

} // namespace
