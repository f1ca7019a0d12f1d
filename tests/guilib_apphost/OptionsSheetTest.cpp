// The options, a property sheet of the library opened modally from the View
// menu: the frame waits disabled under it; OK, Cancel, Apply and Help stand
// in a row at its bottom right; Apply applies and stays, OK applies and
// ends it, Cancel (or Esc) ends it and nothing more is applied.
#include "tests/guilib_apphost/HostFixture.h"

#include <afxdlg.h>

#include "tests/guilib_apphost/AppHostIds.h"

#include <atomic>

namespace {

// The shown sheet captioned "Options" of this process, else null.
HWND FindOptions()
{
    HWND found = ::FindWindowW(nullptr, L"Options");
    DWORD process = 0;
    if (found != nullptr)
        ::GetWindowThreadProcessId(found, &process);
    return found != nullptr && process == ::GetCurrentProcessId() && ::IsWindowVisible(found) ? found : nullptr;
}

// The sheet runs its modal loop on the test's thread: a script that stopped
// half way closes it, so that the test goes on to report.
void CloseIfLeftOpen(apphost::CGestures& user)
{
    if (!user.WaitFor([] { return FindOptions() == nullptr; }))
        ::PostMessageW(FindOptions(), WM_CLOSE, 0, 0);
}

CRect ButtonRect(HWND sheet, UINT id)
{
    return apphost::ScreenRect(::GetDlgItem(sheet, static_cast<int>(id)));
}

// What the input thread saw of the sheet while it ran.
struct SheetSeen {
    std::atomic<bool> shown{false};
    std::atomic<bool> frameDisabled{false};
    std::atomic<bool> applyEnabledAfterTyping{false};
    CRect ok, cancel, apply, help, client;
};

} // namespace

TEST_F(AppHostTest, TheOptionsRunModallyAndEndWithTheirButtons)
{
    CHostMainFrame& frame = Frame();
    const HWND frameWnd = frame.GetSafeHwnd();
    const CPoint view = MenuItemPoint(frame.m_wndMenuBar, _T("&View"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&Options...")) != CPoint(-1, -1); }));
    const CPoint options = PopupItemPoint(_T("&Options..."));

    // Opened, a name typed, Apply, then OK; the frame's thread runs the
    // sheet's modal loop meanwhile.
    SheetSeen seen;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(options);
        if (!user.WaitFor([] { return FindOptions() != nullptr; }))
            return;
        const HWND sheet = FindOptions();
        seen.shown = true;
        seen.frameDisabled = !::IsWindowEnabled(frameWnd);
        seen.ok = ButtonRect(sheet, IDOK);
        seen.cancel = ButtonRect(sheet, IDCANCEL);
        seen.apply = ButtonRect(sheet, ID_APPLY_NOW);
        seen.help = ButtonRect(sheet, IDHELP);
        ::GetClientRect(sheet, seen.client);
        ::MapWindowPoints(sheet, nullptr, reinterpret_cast<POINT*>(&seen.client), 2);
        // The page's name field: the first edit in the sheet.
        HWND edit = nullptr;
        ::EnumChildWindows(
            sheet,
            [](HWND child, LPARAM lParam) -> BOOL {
                if (::GetDlgCtrlID(child) != IDC_PAGE_NAME)
                    return TRUE;
                *reinterpret_cast<HWND*>(lParam) = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&edit));
        if (edit == nullptr) {
            CloseIfLeftOpen(user);
            return;
        }
        user.Click(apphost::ScreenRect(edit).CenterPoint());
        for (UINT key : {'N', 'O', 'T', 'E', 'S'})
            user.Key(key);
        seen.applyEnabledAfterTyping =
            user.WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(sheet, ID_APPLY_NOW)) != FALSE; });
        user.Click(seen.apply.CenterPoint());
        user.WaitFor([&] { return !::IsWindowEnabled(::GetDlgItem(sheet, ID_APPLY_NOW)); });
        user.Click(seen.ok.CenterPoint());
        CloseIfLeftOpen(user);
    }));
    ASSERT_TRUE(seen.shown) << "the sheet showed";
    EXPECT_TRUE(seen.frameDisabled) << "modal: the frame waits under it";
    EXPECT_TRUE(seen.applyEnabledAfterTyping);
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_nOptionsResult == IDOK; })) << "OK ended it";
    EXPECT_EQ(nullptr, FindOptions());
    EXPECT_TRUE(::IsWindowEnabled(frameWnd));
    EXPECT_EQ(CString(_T("notes")), frame.m_strOptionsName.MakeLower());
    EXPECT_EQ(2, frame.m_nOptionsApplied) << "by Apply, then by OK";

    // The four buttons in a row at the bottom right: OK, Cancel, Apply, Help.
    EXPECT_FALSE(seen.help.IsRectEmpty());
    EXPECT_LT(seen.ok.right, seen.cancel.left);
    EXPECT_LT(seen.cancel.right, seen.apply.left);
    EXPECT_LT(seen.apply.right, seen.help.left);
    for (const CRect* button : {&seen.ok, &seen.cancel, &seen.apply, &seen.help}) {
        EXPECT_EQ(seen.client.bottom - 5, button->bottom);
        EXPECT_EQ(seen.ok.top, button->top);
    }
    EXPECT_EQ(seen.client.right - 5, seen.help.right);

    // Opened again and ended by Esc: cancelled, nothing applied.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&Options...")) != CPoint(-1, -1); }));
    const CPoint again = PopupItemPoint(_T("&Options..."));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(again);
        if (user.WaitFor([] { return FindOptions() != nullptr; }))
            user.Key(VK_ESCAPE);
        CloseIfLeftOpen(user);
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_nOptionsResult == IDCANCEL; })) << "Esc cancelled it";
    EXPECT_EQ(0, frame.m_nOptionsApplied);
    EXPECT_TRUE(::IsWindowEnabled(frameWnd));
}
