// A library dialog with a popup menu open over it: keys go to the menu,
// shortcuts wait, and a real click outside the menu closes it.
#include <gtest/gtest.h>

#include "guilib/controls/KGPDialog.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/MessagePump.h"

namespace {

// Stands for a popup menu: a small top-level window that records keys and closing.
class CFakeMenu : public CWnd {
public:
    std::vector<WPARAM> m_keys;
    int m_closes = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KEYDOWN)
            m_keys.push_back(wParam);
        if (message == WM_CLOSE) {
            ++m_closes;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class COpenDialog : public CKGPDialog {
public:
    using CKGPDialog::OnCommand;
    using CKGPDialog::m_Impl;
};

TEST(DialogMenuRoutingTest, KeysGoToTheOpenMenuAndAClickOutsideClosesIt)
{
    const std::vector<WORD> shape =
        keyloft_test::MakeDialogTemplate(WS_POPUP | WS_VISIBLE | WS_CAPTION, 200, 120, L"Library dialog");
    COpenDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(shape.data()), nullptr));
    CFakeMenu menu;
    ASSERT_TRUE(menu.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE | WS_BORDER,
                              CRect(30, 40, 130, 140), &dialog, 0));
    dialog.SetActiveMenu(&menu);

    MSG key{dialog.GetSafeHwnd(), WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_TRUE(dialog.PreTranslateMessage(&key));
    EXPECT_EQ(menu.m_keys, std::vector<WPARAM>{VK_DOWN});
    EXPECT_TRUE(dialog.OnCommand(MAKEWPARAM(IDOK, 1), 0));  // an accelerator waits
    CRect menuRect;
    menu.GetWindowRect(menuRect);
    EXPECT_FALSE(dialog.m_Impl.IsClickOutsideActiveMenu(menuRect.CenterPoint()));

    // A real click on the dialog, beside the menu.
    CRect dialogRect;
    dialog.GetWindowRect(dialogRect);
    const CPoint outside(menuRect.right + 20, menuRect.bottom - 10);
    ASSERT_TRUE(dialogRect.PtInRect(outside));
    EXPECT_TRUE(dialog.m_Impl.IsClickOutsideActiveMenu(outside));
    ::SetCursorPos(outside.x, outside.y);
    ::mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    ::mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    keyloft_test::Pump(200);
    EXPECT_EQ(menu.m_closes, 1);
    EXPECT_EQ(dialog.GetActiveMenu(), nullptr);
    menu.DestroyWindow();
    dialog.DestroyWindow();
}

} // namespace
