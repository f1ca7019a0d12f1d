// The keyboard page: the key field's capture as a table of key messages, the
// table edits, and over a library frame a shortcut assigned to a command,
// a taken combination named, and the shortcut removed again.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/sheets/KGPKeyAssignRules.h"
#include "guilib/sheets/KGPKeyboardPage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPKeyHelper.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <vector>

namespace {

using kgp::KeyAnswer;
using kgp::KeyCapture;
using kgp::KeyEvent;

TEST(KeyAssignRulesTest, TheFieldCapturesOneCombination)
{
    KeyCapture capture;
    EXPECT_EQ(KeyAnswer::Eat, kgp::KeyCaptureStep(capture, KeyEvent::Down, 'A', false))
        << "the first key after the focus came is ignored";
    EXPECT_FALSE(capture.complete);
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_CONTROL, false));
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_SHIFT, false));
    EXPECT_FALSE(capture.complete) << "modifiers alone make no combination";
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_F5, false));
    ASSERT_TRUE(capture.complete);
    EXPECT_EQ(kgp::kAccelVirtKey | kgp::kAccelControl | kgp::kAccelShift, capture.flags);
    EXPECT_EQ(VK_F5, capture.key);
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Up, VK_F5, false));
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_F5, true)) << "auto-repeat keeps it";
    EXPECT_TRUE(capture.complete);

    // A new key starts a new combination; Tab alone passes, Esc alone clears.
    EXPECT_EQ(KeyAnswer::PassCleared, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_TAB, false));
    EXPECT_FALSE(capture.complete);
    EXPECT_EQ(KeyAnswer::Cleared, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_ESCAPE, false));
    EXPECT_FALSE(capture.complete);
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_MENU, false));
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Up, VK_MENU, false));
    EXPECT_EQ(0, capture.flags) << "a released modifier leaves the combination";
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_MENU, false));
    EXPECT_EQ(KeyAnswer::Show, kgp::KeyCaptureStep(capture, KeyEvent::Down, VK_TAB, false));
    EXPECT_TRUE(capture.complete) << "Alt+Tab is a combination";
}

TEST(KeyAssignRulesTest, TablesGainAndLoseEntriesAndFindCombinations)
{
    const std::vector<kgp::AccelEntry> table{{kgp::kAccelVirtKey | kgp::kAccelControl, 'N', 1},
                                             {kgp::kAccelVirtKey | kgp::kAccelShift, VK_INSERT, 2}};
    EXPECT_EQ(0, kgp::FindAccelerator(table, kgp::kAccelVirtKey | kgp::kAccelControl, 'N'));
    EXPECT_EQ(-1, kgp::FindAccelerator(table, kgp::kAccelVirtKey | kgp::kAccelControl | kgp::kAccelShift, 'N'))
        << "the modifiers must match";
    EXPECT_EQ(1, kgp::FindAccelerator(table, kgp::kAccelVirtKey | kgp::kAccelShift, VK_INSERT));
    const auto longer = kgp::WithAccelerator(table, {kgp::kAccelVirtKey, VK_F2, 3});
    ASSERT_EQ(3u, longer.size());
    EXPECT_EQ(2, kgp::FindAccelerator(longer, kgp::kAccelVirtKey, VK_F2));
    const auto shorter = kgp::WithoutAccelerator(longer, 0);
    ASSERT_EQ(2u, shorter.size());
    EXPECT_EQ(table[1], shorter[0]);
    EXPECT_EQ(longer, kgp::WithoutAccelerator(longer, 7)) << "out of range: unchanged";
}

MSG Key(HWND hWnd, UINT message, WPARAM vk)
{
    return MSG{hWnd, message, vk, message == WM_KEYUP ? 0xC0000001 : 0x00000001, 0, {}};
}

class KeyboardPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.OpenWithMenu(IDR_TEST_MENU));
        frame.m_hAccelTable = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TEST_ACCEL));
        ASSERT_NE(nullptr, frame.m_hAccelTable);
        sheet = new CKGPToolbarCustomize(&frame, TRUE);
        ASSERT_NE(nullptr, sheet->GetKeyboardPage());
        ASSERT_TRUE(sheet->Create());
        ASSERT_TRUE(sheet->SetActivePage(2));
        page = sheet->GetKeyboardPage();
        ASSERT_NE(nullptr, page->GetSafeHwnd());
    }
    void TearDown() override
    {
        if (CKGPToolbarCustomize::GetOpenSheet() != nullptr)
            CKGPToolbarCustomize::GetOpenSheet()->DestroyWindow();
        ::DestroyAcceleratorTable(frame.m_hAccelTable);
        frame.m_hAccelTable = nullptr;
        frame.DestroyWindow();
    }
    // Types the combination into the key field: a click enters it first.
    void Type(std::vector<WPARAM> keys)
    {
        CKeyAssign& field = page->GetKeyField();
        MSG click{field.GetSafeHwnd(), WM_LBUTTONDOWN, 0, 0, 0, {}};
        EXPECT_TRUE(field.PreTranslateMessage(&click));
        for (const WPARAM key : keys) {
            MSG down = Key(field.GetSafeHwnd(), WM_KEYDOWN, key);
            EXPECT_TRUE(field.PreTranslateMessage(&down));
        }
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
            MSG up = Key(field.GetSafeHwnd(), WM_KEYUP, *key);
            field.PreTranslateMessage(&up);
        }
    }
    CString Text(UINT nID) const
    {
        CString text;
        page->GetDlgItemText(nID, text);
        return text;
    }
    int EntriesFor(UINT uiCmd) const
    {
        const int count = ::CopyAcceleratorTableW(frame.m_hAccelTable, nullptr, 0);
        std::vector<ACCEL> entries(static_cast<size_t>(count));
        ::CopyAcceleratorTableW(frame.m_hAccelTable, entries.data(), count);
        int found = 0;
        for (const ACCEL& entry : entries)
            found += entry.cmd == uiCmd ? 1 : 0;
        return found;
    }

    menus_test::CCommandFrame frame;
    CKGPToolbarCustomize* sheet = nullptr;
    CKGPKeyboardPage* page = nullptr;
};

TEST_F(KeyboardPageTest, TheViewShowsItsIconTheFramesOrTheApplicationsDefault)
{
    auto shown = [this] { return reinterpret_cast<HICON>(page->SendDlgItemMessage(IDC_KGP_VIEW_ICON, STM_GETICON)); };
    EXPECT_EQ(::LoadIconW(nullptr, MAKEINTRESOURCEW(32512)), shown()) << "a frame without an icon: the default";
    const HICON warning = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32515));
    frame.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(warning));
    page->SelectView(0);
    EXPECT_EQ(warning, shown()) << "the frame's own icon";
}

TEST_F(KeyboardPageTest, AShortcutIsAssignedNamedWhenTakenAndRemoved)
{
    CComboBox& categories = page->GetCategories();
    CString first;
    categories.GetLBText(0, first);
    EXPECT_EQ(CString(L"File"), first);
    EXPECT_EQ(3, page->GetCommands().GetCount()) << "New, Open..., Save";
    page->SelectCommand(1);  // Open...
    EXPECT_EQ(0, page->GetCurrentKeys().GetCount());

    // A taken combination names its command and cannot be assigned.
    Type({VK_CONTROL, 'N'});
    ASSERT_TRUE(page->GetKeyField().IsKeyDefined());
    EXPECT_EQ(CString(L"New"), Text(IDC_KGP_ASSIGNED_TO));
    EXPECT_FALSE(page->GetDlgItem(IDC_KGP_ASSIGN)->IsWindowEnabled());
    EXPECT_FALSE(page->AssignShortcut());

    Type({VK_CONTROL, 'K'});
    CString shown;
    page->GetKeyField().GetWindowText(shown);
    EXPECT_EQ(CKGPKeyHelper::GetKeyName(VK_CONTROL) + L"+" + CKGPKeyHelper::GetKeyName('K'), shown);
    EXPECT_EQ(CString(L"[Unassigned]"), Text(IDC_KGP_ASSIGNED_TO));
    EXPECT_TRUE(page->GetDlgItem(IDC_KGP_ASSIGN)->IsWindowEnabled());
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), L"customize-keyboard.bmp"));

    ASSERT_TRUE(page->AssignShortcut());
    EXPECT_EQ(1, EntriesFor(ID_TEST_OPEN)) << "the frame's table holds the new key";
    EXPECT_EQ(3, ::CopyAcceleratorTableW(frame.m_hAccelTable, nullptr, 0));
    ASSERT_EQ(1, page->GetCurrentKeys().GetCount());
    EXPECT_FALSE(page->GetKeyField().IsKeyDefined()) << "the field is emptied";

    ASSERT_TRUE(page->RemoveShortcut(0));
    EXPECT_EQ(0, EntriesFor(ID_TEST_OPEN));
    EXPECT_EQ(1, EntriesFor(ID_TEST_NEW)) << "the other keys stay";
    EXPECT_EQ(0, page->GetCurrentKeys().GetCount());
    EXPECT_FALSE(page->RemoveShortcut(0));
}

} // namespace
