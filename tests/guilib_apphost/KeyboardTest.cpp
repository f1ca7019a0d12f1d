// The host from the keyboard, with real keys: Alt alone and F10 take the
// keys to the menu bar (Down then opens its first menu, not the window's
// system menu) and back, Alt+letter opens a menu whose items take their
// mnemonics and keys reach the application afterwards, a key an open menu
// does not use goes on to the application, an accelerator's command counts as
// used and a user tool runs by its accelerator, nothing runs by a key while
// the toolbars are customised, and Shift+F1 puts the toolbars into help mode
// (a click or Esc takes them out).
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "tests/guilib_apphost/AppHostIds.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The library popup open now, or null.
CKGPPopupMenu* OpenPopup()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    return popup != nullptr && popup->GetSafeHwnd() != nullptr ? popup : nullptr;
}

// The menu bar item a popup dropped from, by its text ("" when none).
CString DroppedFrom(const CKGPMenuBar& bar)
{
    const CKGPToolbarMenuButton* button = bar.GetDroppedDownMenu();
    return button != nullptr ? button->m_strCaption : CString();
}

// Whether the system shows a menu of its own (the window's system menu).
bool SystemMenuShown()
{
    return ::FindWindowW(L"#32768", nullptr) != nullptr && ::IsWindowVisible(::FindWindowW(L"#32768", nullptr));
}

// Whether the thread is in a menu mode of the system's own (the window's
// system menu tracked by the keys).
bool InSystemMenuMode(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) && (info.flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

// Plays the keys; a system menu mode they started (which would hold the
// application's thread in its loop) is ended by Esc, so that a test fails
// instead of waiting for ever.
bool Keys(const std::function<void(apphost::CGestures&)>& script)
{
    const DWORD appThread = ::GetCurrentThreadId();
    return apphost::Perform([&script, appThread](apphost::CGestures& user) {
        script(user);
        user.Pause(60);
        for (int i = 0; i < 3 && InSystemMenuMode(appThread); ++i) {
            user.Key(VK_ESCAPE);
            user.Pause(60);
        }
    });
}

// A tool that records its runs instead of starting a program.
int g_toolRuns = 0;

class CRecordingTool : public CKGPUserTool {
    DECLARE_SERIAL(CRecordingTool)
public:
    BOOL Invoke() override
    {
        ++g_toolRuns;
        return TRUE;
    }
};
IMPLEMENT_SERIAL(CRecordingTool, CKGPUserTool, 1)

// Shift+F1 once the frame is in front (a busy machine may still be bringing
// it there), pressed again when the first went astray; whether the toolbars
// entered help mode.
bool StartHelpMode(apphost::CGestures& user, HWND hFrame)
{
    user.WaitFor([hFrame] { return ::GetForegroundWindow() == hFrame; });
    for (int attempt = 0; attempt < 2; ++attempt) {
        user.Chord(VK_SHIFT, VK_F1);
        if (user.WaitFor([] { return CKGPToolBar::IsHelpMode() != FALSE; }, 1500))
            return true;
    }
    return false;
}

// Alt+letter, pressed again when the first went astray: a frame just come to
// the front on a busy machine hears so from the display late, and the
// keyboard state the display then hands over has Alt up (the played keys are
// not the display's), so the letter comes as a plain key. Whether a menu
// opened.
bool OpenMenuByAltLetter(UINT letter)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Keys([letter](apphost::CGestures& user) { user.Chord(VK_MENU, letter); }))
            return false;
        if (apphost::WaitUntil([] { return OpenPopup() != nullptr; }, 1500))
            return true;
    }
    return false;
}

} // namespace

TEST_F(AppHostTest, AltAloneAndF10TakeTheKeysToTheMenuBarAndBack)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Key(VK_MENU); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return ::GetFocus() == bar.m_hWnd; })) << "Alt released alone";
    EXPECT_EQ(bar.FirstRegularButton(), bar.GetHotButton()) << "its first menu is hot";
    EXPECT_EQ(nullptr, OpenPopup());

    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Key(VK_DOWN); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return OpenPopup() != nullptr; })) << "Down opens the first menu";
    EXPECT_EQ(CString(_T("&File")), DroppedFrom(bar));
    EXPECT_FALSE(SystemMenuShown()) << "not the window's system menu";
    apphost::Screenshot(L"apphost_keys_alt_down.bmp");

    // Alt again closes the menu and gives the keys back to the document.
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Key(VK_MENU); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return OpenPopup() == nullptr && ::GetFocus() != bar.m_hWnd; }));
    EXPECT_TRUE(::IsChild(frame.m_hWnd, ::GetFocus()));
    EXPECT_FALSE(SystemMenuShown());

    // F10 does the same, and F10 again goes back.
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Key(VK_F10); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return ::GetFocus() == bar.m_hWnd; })) << "F10";
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Key(VK_F10); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return ::GetFocus() != bar.m_hWnd; })) << "F10 again";
    EXPECT_TRUE(::IsChild(frame.m_hWnd, ::GetFocus()));
    EXPECT_EQ(nullptr, OpenPopup());
    EXPECT_FALSE(SystemMenuShown());
    EXPECT_TRUE(HostApp().m_commands.empty());
}

TEST_F(AppHostTest, AltLetterOpensItsMenuWhoseItemsTakeTheirKeysAndKeysReachTheApplicationAfter)
{
    CHostMainFrame& frame = Frame();
    ASSERT_TRUE(OpenMenuByAltLetter('F')) << "Alt+F";
    EXPECT_EQ(CString(_T("&File")), DroppedFrom(frame.m_wndMenuBar));
    apphost::PumpFor(100);
    EXPECT_NE(nullptr, OpenPopup()) << "releasing Alt leaves the menu open";
    EXPECT_FALSE(SystemMenuShown());

    // The item's mnemonic runs it.
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Key('S'); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_FILE_SAVE}, HostApp().m_commands);
    EXPECT_TRUE(apphost::WaitUntil([] { return OpenPopup() == nullptr; }));

    // Keys reach the application again: an accelerator runs its command.
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Chord(VK_CONTROL, 'C'); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return HostApp().m_commands.size() == 2; }));
    EXPECT_EQ((std::vector<UINT>{ID_FILE_SAVE, ID_EDIT_COPY}), HostApp().m_commands);
}

TEST_F(AppHostTest, AKeyAnOpenMenuDoesNotUseGoesOnToTheApplication)
{
    CHostMainFrame& frame = Frame();
    ASSERT_TRUE(apphost::WaitUntil(
        [&] { return MenuItemPoint(frame.m_wndMenuBar, _T("&Edit")) != CPoint(-1, -1); }))
        << "a note's menu";
    const CPoint edit = MenuItemPoint(frame.m_wndMenuBar, _T("&Edit"));
    ASSERT_TRUE(Keys([&](apphost::CGestures& user) { user.Click(edit); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return OpenPopup() != nullptr; })) << "the Edit menu opened";
    EXPECT_EQ(CString(_T("&Edit")), DroppedFrom(frame.m_wndMenuBar));

    // Down is the menu's: it stays open with its first item hot.
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Key(VK_DOWN); }));
    apphost::PumpFor(50);
    ASSERT_NE(nullptr, OpenPopup());
    ASSERT_NE(nullptr, OpenPopup()->GetSelItem());
    EXPECT_EQ(static_cast<UINT>(ID_EDIT_CUT), OpenPopup()->GetSelItem()->m_nCommand);

    // Ctrl+B is no key of the menu: it reaches the accelerators, whose
    // command closes the open menu instead of running.
    const UINT uses = CKGPToolBar::s_usage.GetCount(ID_FORMAT_BOLD);
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Chord(VK_CONTROL, 'B'); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return OpenPopup() == nullptr; })) << "the key went on";
    EXPECT_EQ(uses + 1, CKGPToolBar::s_usage.GetCount(ID_FORMAT_BOLD)) << "it came as the accelerator's";
    EXPECT_TRUE(HostApp().m_commands.empty()) << "the menu closed instead";
}

TEST_F(AppHostTest, AnAcceleratorCountsItsCommandAndRunsTheUserToolOfItsId)
{
    const UINT bolds = CKGPToolBar::s_usage.GetCount(ID_FORMAT_BOLD);
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Chord(VK_CONTROL, 'B'); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_FORMAT_BOLD}, HostApp().m_commands);
    EXPECT_EQ(bolds + 1, CKGPToolBar::s_usage.GetCount(ID_FORMAT_BOLD)) << "one use of Bold counted";

    CKGPUserToolsManager tools(ID_TOOLS_ENTRY, ID_TOOL_FIRST, ID_TOOL_LAST, RUNTIME_CLASS(CRecordingTool));
    CKGPUserTool* tool = tools.CreateNewTool();
    ASSERT_NE(nullptr, tool);
    ASSERT_EQ(static_cast<UINT>(ID_TOOL_FIRST), tool->GetCommandId());
    g_toolRuns = 0;
    const UINT toolUses = CKGPToolBar::s_usage.GetCount(ID_TOOL_FIRST);
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Chord(VK_CONTROL, 'T'); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return g_toolRuns == 1; })) << "Ctrl+T runs the tool";
    apphost::PumpFor(50);
    EXPECT_EQ(1, g_toolRuns) << "once";
    EXPECT_EQ(toolUses + 1, CKGPToolBar::s_usage.GetCount(ID_TOOL_FIRST));
    EXPECT_EQ(std::vector<UINT>{ID_FORMAT_BOLD}, HostApp().m_commands) << "nothing else ran";
}

TEST_F(AppHostTest, NoKeyRunsACommandWhileTheToolbarsAreCustomised)
{
    CHostMainFrame& frame = Frame();
    frame.SendMessage(WM_COMMAND, ID_VIEW_CUSTOMIZE);
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPToolBar::IsCustomizeMode() != FALSE; }));
    frame.SetForegroundWindow();
    frame.SetFocus();
    CKGPUserToolsManager tools(ID_TOOLS_ENTRY, ID_TOOL_FIRST, ID_TOOL_LAST, RUNTIME_CLASS(CRecordingTool));
    ASSERT_NE(nullptr, tools.CreateNewTool());
    g_toolRuns = 0;
    ASSERT_TRUE(Keys([](apphost::CGestures& user) {
        user.Chord(VK_CONTROL, 'C');
        user.Chord(VK_CONTROL, 'T');
    }));
    apphost::PumpFor(100);
    EXPECT_TRUE(HostApp().m_commands.empty()) << "the accelerator was swallowed";
    EXPECT_EQ(0, g_toolRuns) << "and no user tool ran by its key";

    // Closing the sheet lets them run again.
    CWnd* sheet = nullptr;
    for (HWND top = ::GetTopWindow(nullptr); top != nullptr && sheet == nullptr; top = ::GetWindow(top, GW_HWNDNEXT))
        sheet = DYNAMIC_DOWNCAST(CKGPToolbarCustomize, CWnd::FromHandlePermanent(top));
    ASSERT_NE(nullptr, sheet);
    sheet->SendMessage(WM_CLOSE);
    ASSERT_TRUE(apphost::WaitUntil([] { return CKGPToolBar::IsCustomizeMode() == FALSE; }));
    frame.SetForegroundWindow();
    ASSERT_TRUE(Keys([](apphost::CGestures& user) { user.Chord(VK_CONTROL, 'C'); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_EDIT_COPY}, HostApp().m_commands);
}

TEST_F(AppHostTest, ShiftF1PutsTheToolbarsIntoHelpModeAndAClickedButtonShowsItsHelp)
{
    CHostMainFrame& frame = Frame();
    const CPoint bold = ButtonPoint(frame.m_wndFormatBar, ID_FORMAT_BOLD);
    ASSERT_NE(CPoint(-1, -1), bold);
    bool helpModeSeen = false;
    bool hotSeen = false;
    apphost::CUserInput input([&](apphost::CGestures& user) {
        helpModeSeen = StartHelpMode(user, frame.m_hWnd);
        user.MoveTo(bold - CSize(0, 40));
        user.Pause(30);
        user.MoveTo(bold);
        user.Pause(60);
        hotSeen = user.WaitFor([&] { return frame.m_wndFormatBar.GetHotButton() ==
                                            frame.m_wndFormatBar.CommandToIndex(ID_FORMAT_BOLD); });
        user.Click(bold);
    });
    ASSERT_TRUE(input.Finish());
    EXPECT_TRUE(helpModeSeen) << "Shift+F1 puts the toolbars into help mode";
    EXPECT_TRUE(hotSeen) << "the button under the pointer is hot";
    ASSERT_TRUE(apphost::WaitUntil([] { return !HostApp().m_helpContexts.empty(); }));
    EXPECT_EQ(std::vector<DWORD_PTR>{kgp::HelpIdForCommand(ID_FORMAT_BOLD)}, HostApp().m_helpContexts);
    EXPECT_TRUE(HostApp().m_commands.empty()) << "the click showed help instead of making the text bold";
    EXPECT_FALSE(CKGPToolBar::IsHelpMode()) << "and ended the help mode";
    EXPECT_FALSE(frame.m_bHelpMode);
}

TEST_F(AppHostTest, EscapeEndsTheHelpModeShiftF1StartedAndTheToolbarsLeaveIt)
{
    CHostMainFrame& frame = Frame();
    const CPoint bold = ButtonPoint(frame.m_wndFormatBar, ID_FORMAT_BOLD);
    ASSERT_NE(CPoint(-1, -1), bold);
    bool helpModeSeen = false;
    bool helpModeLeft = false;
    apphost::CUserInput input([&](apphost::CGestures& user) {
        helpModeSeen = StartHelpMode(user, frame.m_hWnd);
        user.Key(VK_ESCAPE);
        helpModeLeft = user.WaitFor([] { return CKGPToolBar::IsHelpMode() == FALSE; });
    });
    ASSERT_TRUE(input.Finish());
    EXPECT_TRUE(helpModeSeen) << "Shift+F1 puts the toolbars into help mode";
    EXPECT_TRUE(helpModeLeft) << "Esc takes them out";
    EXPECT_FALSE(frame.m_bHelpMode);
    EXPECT_TRUE(HostApp().m_helpContexts.empty()) << "no help shown";

    // A click on the button afterwards runs its command as before.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(bold); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_FORMAT_BOLD}, HostApp().m_commands);
    EXPECT_TRUE(HostApp().m_helpContexts.empty());
}

// In help mode the pointer names what help is shown for: the buttons it
// crosses leave the status bar's text alone (outside it they show their prompts).
// Every text the frame gives a window while it lives (its WM_SETTEXT on this
// thread): what the status bar showed, each prompt however briefly.
class CShownTexts {
public:
    explicit CShownTexts(HWND hWnd) : m_hWnd(hWnd)
    {
        s_pThis = this;
        m_hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~CShownTexts()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pThis = nullptr;
    }
    CShownTexts(const CShownTexts&) = delete;
    CShownTexts& operator=(const CShownTexts&) = delete;

    bool Showed(LPCTSTR text) const { return std::find(m_texts.begin(), m_texts.end(), text) != m_texts.end(); }
    void Forget() { m_texts.clear(); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && s_pThis != nullptr && call->hwnd == s_pThis->m_hWnd && call->message == WM_SETTEXT &&
            call->lParam != 0)
            s_pThis->m_texts.emplace_back(reinterpret_cast<LPCTSTR>(call->lParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline CShownTexts* s_pThis = nullptr;
    HWND m_hWnd;
    HHOOK m_hHook = nullptr;
    std::vector<CString> m_texts;
};

TEST_F(AppHostTest, InHelpModeTheButtonsUnderThePointerShowNoPromptsInTheStatusBar)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& bar = frame.m_wndToolBar;
    const CPoint cut = ButtonPoint(bar, ID_EDIT_CUT);
    const CPoint copy = ButtonPoint(bar, ID_EDIT_COPY);
    ASSERT_NE(CPoint(-1, -1), cut);
    CShownTexts status(frame.m_wndStatusBar.GetSafeHwnd());
    const auto Hot = [&bar](UINT nCommand) { return bar.GetHotButton() == bar.CommandToIndex(nCommand); };

    // Outside help mode a button under the pointer shows its prompt.
    bool cutHot = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(cut - CSize(0, 40));
        user.Pause(30);
        user.MoveTo(cut);
        cutHot = user.WaitFor([&] { return Hot(ID_EDIT_CUT); });
        user.Pause(100);
        user.MoveTo(Middle(frame.m_hWndMDIClient));
        user.WaitFor([&] { return bar.GetHotButton() < 0; });
    }));
    EXPECT_TRUE(cutHot);
    EXPECT_TRUE(status.Showed(_T("Cuts the selection"))) << "the prompt of Cut";
    status.Forget();

    bool helpModeSeen = false;
    bool copyHot = false;
    cutHot = false;
    apphost::CUserInput input([&](apphost::CGestures& user) {
        helpModeSeen = StartHelpMode(user, frame.m_hWnd);
        user.MoveTo(cut - CSize(0, 40));
        user.Pause(30);
        user.MoveTo(cut);
        cutHot = user.WaitFor([&] { return Hot(ID_EDIT_CUT); });
        user.Pause(100);
        user.MoveTo(copy);
        copyHot = user.WaitFor([&] { return Hot(ID_EDIT_COPY); });
        user.Pause(100);
        user.Key(VK_ESCAPE);
        user.WaitFor([] { return CKGPToolBar::IsHelpMode() == FALSE; });
    });
    ASSERT_TRUE(input.Finish());
    EXPECT_TRUE(helpModeSeen);
    EXPECT_TRUE(cutHot && copyHot) << "the buttons under the pointer are hot";
    EXPECT_FALSE(status.Showed(_T("Cuts the selection"))) << "no prompt reached the status bar";
    EXPECT_FALSE(status.Showed(_T("Copies the selection")));
    EXPECT_TRUE(HostApp().m_helpContexts.empty());
}

// A program asking its frame for HTML help at a topic gets the system's HTML
// help (its control is loaded), not the old help engine.
TEST_F(AppHostTest, HtmlHelpAtATopicGoesToTheHtmlHelpNotToWinHelp)
{
    CHostMainFrame& frame = Frame();
    const size_t before = HostApp().m_helpContexts.size();
    frame.HtmlHelp(0x20051, 0x000F); // HH_HELP_CONTEXT
    apphost::PumpFor(30);
    EXPECT_EQ(before, HostApp().m_helpContexts.size()) << "WinHelp was not asked";
    EXPECT_NE(nullptr, ::GetModuleHandleW(L"hhctrl.ocx")) << "the HTML help was";
}
