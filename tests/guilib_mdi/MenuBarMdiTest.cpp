// The menu bar over the library's MDI frame: a maximised document window
// brings its system-menu and window buttons to the bar, their clicks reach it,
// and the buttons go when it is restored or closed.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr UINT kFrameMenuId = 800;  // File and Window (MdiTests.rc)

class CMenuBarMDIFrame : public CKGPMDIFrameWnd {
public:
    BOOL Open()
    {
        if (!Create(nullptr, _T("Menu bar"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 430), nullptr,
                    MAKEINTRESOURCE(kFrameMenuId)))
            return FALSE;
        m_hMenuDefault = ::GetMenu(m_hWnd);
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

protected:
    void PostNcDestroy() override {}  // lives on the test's stack
};

CKGPToolbarMenuButtonsButton* WindowButton(CKGPMenuBar& bar, UINT uiCommand)
{
    for (int i = 0; i < bar.GetCount(); ++i) {
        auto* button = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, bar.GetButton(i));
        if (button != nullptr && button->GetSystemCommand() == uiCommand)
            return button;
    }
    return nullptr;
}

TEST(MenuBarMdiTest, AMaximisedDocumentWindowsButtonsComeAndGoWithIt)
{
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    CMenuBarMDIFrame frame;
    ASSERT_TRUE(frame.Open());
    CKGPMenuBar bar;
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    frame.RecalcLayout();
    keyloft_test::PumpPending();
    const int plain = bar.GetCount();
    EXPECT_EQ(2, plain) << "File and Window";

    auto* child = new CKGPMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, _T("Doc"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                              CFrameWnd::rectDefault, &frame));
    keyloft_test::PumpPending();
    EXPECT_FALSE(bar.IsMaximizeMode());

    child->MDIMaximize();
    keyloft_test::PumpPending();
    ASSERT_TRUE(bar.IsMaximizeMode()) << "the maximised child's buttons on the bar";
    EXPECT_NE(nullptr, bar.GetSystemMenuButton());
    EXPECT_EQ(3, bar.GetMdiButtonCount());
    EXPECT_EQ(plain + 4, bar.GetCount());

    // Restore: the child is restored and its buttons leave the bar.
    CKGPToolbarMenuButtonsButton* restore = WindowButton(bar, SC_RESTORE);
    ASSERT_NE(nullptr, restore);
    EXPECT_TRUE(bar.HandledOnRelease(restore));
    keyloft_test::PumpPending();
    EXPECT_FALSE(::IsZoomed(child->GetSafeHwnd()));
    EXPECT_FALSE(bar.IsMaximizeMode());
    EXPECT_EQ(plain, bar.GetCount());

    // Close: the child goes, and its buttons with it.
    child->MDIMaximize();
    keyloft_test::PumpPending();
    ASSERT_TRUE(bar.IsMaximizeMode());
    const HWND childWindow = child->GetSafeHwnd();
    CKGPToolbarMenuButtonsButton* close = WindowButton(bar, SC_CLOSE);
    ASSERT_NE(nullptr, close);
    EXPECT_TRUE(bar.HandledOnRelease(close));
    keyloft_test::PumpPending();
    EXPECT_FALSE(::IsWindow(childWindow)) << "closed";
    EXPECT_FALSE(bar.IsMaximizeMode()) << "the frame updated its menu once the child was gone";
    EXPECT_EQ(plain, bar.GetCount());

    bar.DestroyWindow();
    frame.DestroyWindow();
    g_menuHash.CleanUp();
}

// A frame that may want the system menu of a document window whose caption
// has none on its menu bar.
class CChildMenuFrame : public CMenuBarMDIFrame {
public:
    BOOL ShowsChildSystemMenu(CWnd* /*pChild*/) const override { return m_bWanted; }
    BOOL m_bWanted = FALSE;
};

TEST(MenuBarMdiTest, ADocumentWithoutACaptionMenuShowsItsSystemMenuOnTheBarWhenTheFrameAsks)
{
    AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
    CChildMenuFrame frame;
    ASSERT_TRUE(frame.Open());
    CKGPMenuBar bar;
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    frame.RecalcLayout();
    keyloft_test::PumpPending();

    auto* child = new CKGPMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, _T("Doc"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                              CFrameWnd::rectDefault, &frame));
    const HMENU systemMenu = ::GetSystemMenu(child->GetSafeHwnd(), FALSE);
    ASSERT_NE(nullptr, systemMenu) << "the window has its system menu";
    child->ModifyStyle(WS_SYSMENU, 0);  // its caption shows none
    keyloft_test::PumpPending();

    child->MDIMaximize();
    keyloft_test::PumpPending();
    ASSERT_TRUE(bar.IsMaximizeMode());
    EXPECT_EQ(nullptr, bar.GetSystemMenuButton()) << "unasked, the bar shows no system menu";
    EXPECT_NE(nullptr, WindowButton(bar, SC_CLOSE));

    child->MDIRestore();
    keyloft_test::PumpPending();
    ASSERT_FALSE(bar.IsMaximizeMode());
    frame.m_bWanted = TRUE;
    child->MDIMaximize();
    keyloft_test::PumpPending();
    ASSERT_TRUE(bar.IsMaximizeMode());
    CKGPToolbarSystemMenuButton* button = bar.GetSystemMenuButton();
    ASSERT_NE(nullptr, button) << "asked, the bar shows it first";
    EXPECT_EQ(systemMenu, button->GetSystemMenu());

    child->MDIDestroy();
    keyloft_test::PumpPending();
    bar.DestroyWindow();
    frame.DestroyWindow();
    g_menuHash.CleanUp();
}

} // namespace
