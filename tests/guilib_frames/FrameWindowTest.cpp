// The library's SDI frame: a toolbar the user made and deletes leaves no
// stored state behind; the add-or-remove-buttons menu of a toolbar's
// customise button ends with the frame's part (the bar's resource buttons it
// lost, unless the frame answers otherwise); the border an in-place item sets
// insets the view; Alt alone and F10, by real keys, take the keys to the menu
// bar and back.
#include <gtest/gtest.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPUserToolbarMessages.h"
#include "tests/support/InputScript.h"
#include "tests/support/MessagePump.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr LPCTSTR kUserToolbarSection = _T("Software\\KeyloftTests\\FrameWindow\\");

// Every key stored under the tests' section, by its path below it.
void StoredKeys(HKEY hParent, const CString& path, std::vector<CString>& keys)
{
    CRegKeyHandle key;
    if (::RegOpenKeyExW(hParent, path, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return;
    WCHAR name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (::RegEnumKeyExW(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const CString sub = path + _T("\\") + name;
        keys.push_back(sub);
        StoredKeys(hParent, sub, keys);
    }
}

// Whether a toolbar's state is stored under the tests' section.
bool ToolbarStateStored()
{
    std::vector<CString> keys;
    StoredKeys(HKEY_CURRENT_USER, _T("Software\\KeyloftTests\\FrameWindow"), keys);
    return std::any_of(keys.begin(), keys.end(), [](const CString& key) { return key.Find(_T("KGToolBar")) >= 0; });
}

class CTestSdiFrame : public CKGPFrameWnd {
public:
    // The frame's part of the customise menu: the library's, or none.
    BOOL FillCustomizeMenuRest(CWnd* pPopup, UINT uiToolbarResId) override
    {
        m_fillCalls.push_back(uiToolbarResId);
        if (m_bOwnEntryFirst) {
            // An item of the application's own above the whole menu.
            CKGPToolbarMenuButton own(0x7720, nullptr, -1, _T("Own"));
            DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup)->InsertItem(own, 0);
        }
        return m_bLibraryPart ? CKGPFrameWnd::FillCustomizeMenuRest(pPopup, uiToolbarResId + m_resIdShift) : TRUE;
    }
    BOOL m_bLibraryPart = TRUE;
    BOOL m_bOwnEntryFirst = FALSE;
    UINT m_resIdShift = 0;
    std::vector<UINT> m_fillCalls;
    // The popups the frame's hook was asked about.
    BOOL OnPopupMenuOpening(CWnd* pPopup) override
    {
        m_openings.push_back(pPopup);
        return CKGPFrameWnd::OnPopupMenuOpening(pPopup);
    }
    std::vector<CWnd*> m_openings;

protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

class CBlankView : public CWnd {
};

class FrameWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(nullptr, _T("Frame"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 460)));
        frame.EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override
    {
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->CloseChain();
        keyloft_test::Pump(20);
        if (bar.GetSafeHwnd() != nullptr)
            bar.DestroyWindow();
        frame.DestroyWindow();
        CKGPRegistry(FALSE, FALSE).DeleteKey(_T("Software\\KeyloftTests\\FrameWindow"), TRUE);
    }
    // The commands of the customise menu's bar entries, the reset left out.
    static std::vector<UINT> Entries(CKGPPopupMenu& popup)
    {
        std::vector<UINT> entries;
        for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
            auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup.GetMenuItem(i));
            if (entry != nullptr && entry->GetItemIndex() != CKGPCustomizeMenuButton::kResetEntry)
                entries.push_back(entry->m_nCommand);
        }
        return entries;
    }
    CKGPPopupMenu* OpenCustomizeMenu()
    {
        if (!bar.GetCustomizeButton()->HandleClick(&bar, FALSE))
            return nullptr;
        keyloft_test::Pump(30);
        // Its "Add or Remove Buttons", then the bar's name: the bar's buttons.
        for (int level = 0; level < 2; ++level) {
            CKGPPopupMenu* open = CKGPPopupMenu::GetActiveMenu();
            CKGPToolbarMenuButton* next = nullptr;
            for (int i = 0; open != nullptr && i < open->GetMenuItemCount(); ++i) {
                CKGPToolbarMenuButton* item = open->GetMenuItem(i);
                if (level == 1 || item->m_strCaption == CCustomizeButton::AddRemoveButtonsText()) {
                    next = item;
                    break;
                }
            }
            if (next == nullptr || !next->OpenPopupMenu(open->GetMenuBar()))
                return nullptr;
            keyloft_test::Pump(30);
        }
        return CKGPPopupMenu::GetActiveMenu();
    }

    CTestSdiFrame frame;
    CKGPToolBar bar;
};

TEST_F(FrameWindowTest, AUserToolbarDeletedLeavesNoStoredStateBehind)
{
    frame.GetFrameImpl().SetUserToolbarRange(0xE910, 0xE911);
    frame.GetFrameImpl().m_strControlBarRegEntry = kUserToolbarSection;
    auto* made = KGPUserToolbarMessages::SendCreate(&frame, _T("Mine"));
    ASSERT_NE(nullptr, made);
    ASSERT_TRUE(made->SaveState(kUserToolbarSection));
    CKGPToolBar probe;
    ASSERT_TRUE(probe.Create(&frame, WS_CHILD | CBRS_TOP, made->GetDlgCtrlID()));
    EXPECT_TRUE(probe.LoadState(kUserToolbarSection)) << "stored";
    EXPECT_TRUE(ToolbarStateStored());

    EXPECT_TRUE(KGPUserToolbarMessages::SendDelete(&frame, made));
    EXPECT_FALSE(probe.LoadState(kUserToolbarSection)) << "its stored state went with it";
    EXPECT_FALSE(ToolbarStateStored()) << "no key of it left in the store";
    EXPECT_TRUE(frame.GetFrameImpl().GetUserToolbars().IsEmpty());
    probe.DestroyWindow();
}

// A new user toolbar floats with no width of its own yet: the buttons it is
// given line up in one row, and its floating frame grows round them.
TEST_F(FrameWindowTest, AUserToolbarTakesTheButtonsItIsGivenInOneRow)
{
    frame.GetFrameImpl().SetUserToolbarRange(0xE910, 0xE911);
    auto* made = KGPUserToolbarMessages::SendCreate(&frame, _T("Mine"));
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->IsFloating());
    EXPECT_NE(0u, made->GetBarStyleWord() & CBRS_SIZE_DYNAMIC) << "its rows wrap to its frame";
    EXPECT_EQ(32767, made->GetMRUWidth()) << "no recent width: one row";
    CKGPMiniFrameWnd* floating = made->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect empty;
    floating->GetWindowRect(empty);
    for (UINT id : {0x7701u, 0x7702u, 0x7703u})
        made->InsertButtonCopy(CKGPToolbarButton(id, 0, _T("Button")));
    made->AdjustLayout();
    keyloft_test::Pump(30);
    CRect grown;
    floating->GetWindowRect(grown);
    EXPECT_GT(grown.Width(), empty.Width() + 40) << "the frame grew round the buttons";
    CRect first;
    CRect last;
    made->GetItemRect(0, first);
    made->GetItemRect(2, last);
    EXPECT_EQ(first.top, last.top) << "one row";
    EXPECT_GT(last.left, first.right - 1);
    EXPECT_TRUE(KGPUserToolbarMessages::SendDelete(&frame, made));
}

TEST_F(FrameWindowTest, TheCustomiseMenuEndsWithTheFramesPart)
{
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE851));
    const UINT ids[] = {0x7701, 0x7702, 0x7703};
    ASSERT_TRUE(bar.SetButtons(ids, 3, TRUE));
    bar.EnableCustomizeButton(TRUE, 0x7709, L"Customize...");
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 400, 30, SWP_NOZORDER);
    bar.AdjustLayout();
    ASSERT_TRUE(bar.RemoveButton(1));

    CKGPPopupMenu* popup = OpenCustomizeMenu();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ((std::vector<UINT>{bar.GetResourceID()}), frame.m_fillCalls) << "the frame was asked, once";
    EXPECT_EQ((std::vector<UINT>{0x7701, 0x7702, 0x7703}), Entries(*popup)) << "the lost button offered";
    popup->CloseChain();
    keyloft_test::Pump(20);

    // A frame that answers otherwise leaves the library's part out.
    frame.m_bLibraryPart = FALSE;
    popup = OpenCustomizeMenu();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(2u, frame.m_fillCalls.size());
    EXPECT_EQ((std::vector<UINT>{0x7701, 0x7703}), Entries(*popup)) << "only the bar's own buttons";
    popup->CloseChain();
    keyloft_test::Pump(20);

    // The library's part finds the bar's entries where they stand now: an
    // item the frame put above them moves nothing out of place.
    frame.m_bLibraryPart = TRUE;
    frame.m_bOwnEntryFirst = TRUE;
    popup = OpenCustomizeMenu();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(0x7720u, popup->GetMenuItem(0)->m_nCommand);
    EXPECT_EQ((std::vector<UINT>{0x7701, 0x7702, 0x7703}), Entries(*popup)) << "the lost button at its place";
    popup->CloseChain();
    keyloft_test::Pump(20);

    // Asked for another resource than the bar's, it adds nothing.
    frame.m_bOwnEntryFirst = FALSE;
    frame.m_resIdShift = 1;
    popup = OpenCustomizeMenu();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ((std::vector<UINT>{0x7701, 0x7703}), Entries(*popup)) << "nothing of another toolbar's";
}

// A popup over the frame with the item "&Copy".
CKGPPopupMenu* OpenPopup(CWnd& frame, BOOL bQuiet)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, 0x7711, _T("&Copy"));
    auto* popup = new CKGPPopupMenu;
    popup->SetQuiet(bQuiet);
    if (!popup->Create(&frame, 100, 100, menu.Detach(), FALSE))
        return nullptr;
    keyloft_test::Pump(20);
    return popup;
}

TEST_F(FrameWindowTest, APopupOpensWithTheFramesSayUnlessQuietAndGivesAccessibilityAFreshPlainMenu)
{
    CKGPPopupMenu* popup = OpenPopup(frame, FALSE);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(std::vector<CWnd*>{popup}, frame.m_openings) << "the frame's hook was asked";
    EXPECT_FALSE(popup->DestroyAttachedMenu()) << "no plain menu without accessibility";
    popup->CloseChain();
    keyloft_test::Pump(20);

    frame.m_openings.clear();
    popup = OpenPopup(frame, TRUE);
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(frame.m_openings.empty()) << "a quiet popup opens at once";
    popup->CloseChain();
    keyloft_test::Pump(20);

    GetKGPGlobalData().m_bEnableAccessibility = TRUE;
    popup = OpenPopup(frame, FALSE);
    GetKGPGlobalData().m_bEnableAccessibility = FALSE;
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(popup->DestroyAttachedMenu()) << "a plain menu for the accessibility clients";
    popup->CloseChain();
    keyloft_test::Pump(20);
}

TEST_F(FrameWindowTest, TheBorderAnInPlaceItemSetsInsetsTheView)
{
    CBlankView view;
    ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &frame, AFX_IDW_PANE_FIRST));
    frame.RecalcLayout();
    CRect whole;
    view.GetWindowRect(whole);
    CRect border(3, 5, 7, 9);
    EXPECT_TRUE(frame.NegotiateBorderSpace(CFrameWnd::borderSet, &border)) << "a new border";
    EXPECT_FALSE(frame.NegotiateBorderSpace(CFrameWnd::borderSet, &border)) << "the same again";
    frame.RecalcLayout();
    CRect inset;
    view.GetWindowRect(inset);
    EXPECT_EQ(CRect(whole.left + 3, whole.top + 5, whole.right - 7, whole.bottom - 9), inset);
    CRect asked;
    EXPECT_TRUE(frame.NegotiateBorderSpace(CFrameWnd::borderGet, &asked));
    CRect inner;
    frame.GetDockManager()->GetInnerDockRect(inner);
    EXPECT_EQ(inner, asked) << "what the docking leaves";
    view.DestroyWindow();
}

// The thread's focus window and whether it is in a menu mode of the
// system's own (the window's system menu), as another thread sees them.
HWND FocusOf(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

bool InSystemMenuMode(DWORD threadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(threadId, &info) && (info.flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE)) != 0;
}

TEST_F(FrameWindowTest, AltAloneAndF10TakeTheKeysToTheMenuBarWhoseFirstMenuDownOpens)
{
    CMenu file;
    file.CreatePopupMenu();
    file.AppendMenu(MF_STRING, 0x7731, _T("&Open"));
    CMenu edit;
    edit.CreatePopupMenu();
    edit.AppendMenu(MF_STRING, 0x7732, _T("&Copy"));
    CMenu menu;
    menu.CreateMenu();
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(file.Detach()), _T("&File"));
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(edit.Detach()), _T("&Edit"));
    frame.SetMenu(&menu);
    menu.Detach(); // the frame's now, then its menu bar's
    CKGPMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(&frame));
    frame.DockControlBar(&menuBar, AFX_IDW_DOCKBAR_TOP);
    frame.RecalcLayout();
    frame.SetForegroundWindow();
    frame.SetFocus();
    keyloft_test::Pump(30);

    const DWORD thread = ::GetCurrentThreadId();
    HWND afterAlt = nullptr;
    bool systemMenu = false;
    // A system menu mode the keys started would hold this thread in its loop:
    // Esc ends it, so that the test fails instead of waiting.
    const auto endSystemMenu = [&] {
        systemMenu = systemMenu || InSystemMenuMode(thread);
        for (int i = 0; i < 3 && InSystemMenuMode(thread); ++i) {
            INPUT keys[2]{};
            keys[0].type = keys[1].type = INPUT_KEYBOARD;
            keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
            keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
            ::SendInput(2, keys, sizeof(INPUT));
            ::Sleep(60);
        }
    };
    test_support::CInputScript script;
    script.Key(VK_MENU)
        .WaitUntil([&] { return FocusOf(thread) == menuBar.m_hWnd; }, 1000)
        .Then([&] { afterAlt = FocusOf(thread); endSystemMenu(); })
        .Key(VK_DOWN)
        .Wait(150)
        .Then(endSystemMenu);
    script.Run();
    EXPECT_EQ(menuBar.m_hWnd, afterAlt) << "Alt released alone";
    EXPECT_FALSE(systemMenu) << "not the window's system menu";
    ASSERT_NE(nullptr, CKGPPopupMenu::GetActiveMenu()) << "Down opened the first menu";
    ASSERT_NE(nullptr, menuBar.GetDroppedDownMenu());
    EXPECT_EQ(CString(_T("&File")), menuBar.GetDroppedDownMenu()->m_strCaption);

    // Alt again closes the menu and gives the keys back; F10 takes them to
    // the menu bar and F10 again gives them back.
    HWND afterAltAgain = nullptr;
    HWND afterF10 = nullptr;
    test_support::CInputScript back;
    back.Key(VK_MENU)
        .WaitUntil([&] { return FocusOf(thread) != menuBar.m_hWnd; }, 1000)
        .Then([&] { afterAltAgain = FocusOf(thread); endSystemMenu(); })
        .Key(VK_F10)
        .WaitUntil([&] { return FocusOf(thread) == menuBar.m_hWnd; }, 1000)
        .Then([&] { afterF10 = FocusOf(thread); endSystemMenu(); })
        .Key(VK_F10)
        .WaitUntil([&] { return FocusOf(thread) != menuBar.m_hWnd; }, 1000)
        .Then(endSystemMenu);
    back.Run();
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_EQ(frame.m_hWnd, afterAltAgain);
    EXPECT_EQ(menuBar.m_hWnd, afterF10) << "F10";
    EXPECT_EQ(frame.m_hWnd, ::GetFocus()) << "F10 again";
    EXPECT_FALSE(systemMenu);

    // F10 with Shift or Ctrl is no menu key: the keys stay where they are.
    HWND afterShiftF10 = nullptr;
    HWND afterCtrlF10 = nullptr;
    const auto chord = [](WORD modifier) {
        INPUT keys[4]{};
        const WORD order[4] = {modifier, VK_F10, VK_F10, modifier};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = order[i];
            keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        ::SendInput(4, keys, sizeof(INPUT));
    };
    test_support::CInputScript modified;
    modified.Then([&] { chord(VK_SHIFT); })
        .Wait(150)
        .Then([&] { afterShiftF10 = FocusOf(thread); endSystemMenu(); })
        .Then([&] { chord(VK_CONTROL); })
        .Wait(150)
        .Then([&] { afterCtrlF10 = FocusOf(thread); endSystemMenu(); });
    modified.Run();
    EXPECT_EQ(frame.m_hWnd, afterShiftF10) << "Shift+F10";
    EXPECT_EQ(frame.m_hWnd, afterCtrlF10) << "Ctrl+F10";
    if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
        popup->CloseChain();
    menuBar.DestroyWindow();
}

} // namespace
