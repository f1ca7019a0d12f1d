// The controls together in the library test host: every one paints something
// of its own, the check list keeps its checks with its items and reports a
// toggle, and the frame is written to guilib_controls.bmp for a look by eye.
#include <gtest/gtest.h>

#include <set>

#include "guilib/controls/KGPButton.h"
#include "guilib/controls/KGPEdit.h"
#include "guilib/controls/KGPEditListBox.h"
#include "guilib/controls/KGPExCheckList.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);

TEST(ControlsScreenshotTest, EveryControlPaintsAndTheCheckListKeepsItsChecks)
{
    keyloft_test::CLibraryTestHost host(kBackground);
    ASSERT_TRUE(host.CreateHost(420, 280));
    CKGPButton& text = host.Make<CKGPButton>();
    ASSERT_TRUE(text.Create(L"Apply", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 36), &host, 11));
    CKGPButton& glyph = host.Make<CKGPButton>();
    ASSERT_TRUE(glyph.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &host, 12));
    glyph.SetStdImage(CKGPMenuGlyphs::kScrollRight, 4);
    glyph.SetWindowPos(static_cast<const CWnd*>(nullptr), 100, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    glyph.SizeToContent();
    CKGPEdit& edit = host.Make<CKGPEdit>();
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(140, 10, 260, 34), &host, 13));
    edit.SetWindowText(L"12.5");
    edit.EnableCalculatorMode();

    CKGPExCheckList& checks = host.Make<CKGPExCheckList>();
    ASSERT_TRUE(checks.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 50, 150, 150), &host, 14));
    checks.AddString(L"Standard");
    checks.AddString(L"Formatting");
    checks.SetCheck(1, BST_CHECKED);
    checks.InsertString(0, L"Menu bar");  // the check moves with its item
    EXPECT_EQ(checks.GetCheck(2), BST_CHECKED);
    EXPECT_EQ(checks.GetCheck(1), BST_UNCHECKED);
    checks.DeleteString(0);
    EXPECT_EQ(checks.GetCheck(1), BST_CHECKED);
    CRect first;
    checks.GetItemRect(0, first);
    checks.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, keyloft_test::PointParam(6, first.top + 4));
    checks.SendMessage(WM_LBUTTONUP, 0, keyloft_test::PointParam(6, first.top + 4));
    EXPECT_EQ(checks.GetCheck(0), BST_CHECKED);
    bool toggled = false;
    for (const keyloft_test::RecordedMessage& m : host.TakeCommands())
        toggled = toggled || (LOWORD(m.wParam) == 14 && HIWORD(m.wParam) == KGP_CLBN_CHKCHANGE);
    EXPECT_TRUE(toggled);

    CKGPEditListBox& list = host.Make<CKGPEditListBox>();
    ASSERT_TRUE(list.Create(L"User tools", WS_VISIBLE, CRect(170, 50, 410, 270), &host, 15));
    list.AddItem(L"Notepad");
    list.AddItem(L"Calculator");
    list.SelectItem(1);

    keyloft_test::Pump(1000);
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = keyloft_test::CaptureWindow(host.GetSafeHwnd(), width, height);
    for (const CWnd* control : {static_cast<CWnd*>(&text), static_cast<CWnd*>(&glyph), static_cast<CWnd*>(&checks),
                                static_cast<CWnd*>(&list)})
        EXPECT_GE(keyloft_test::ColoursIn(pixels, width, host, *control), 3u) << control->GetDlgCtrlID();
    EXPECT_TRUE(host.Screenshot(L"guilib_controls.bmp"));
}

} // namespace
