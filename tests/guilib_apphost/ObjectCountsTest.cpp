// What the process keeps through a user's operations: once the objects a
// process keeps from their first use on are made (HostSharedObjects.h), an
// operation done and done again leaves the GDI and USER objects as they were
// before it (the monkey counts them so after each of its rounds).
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "tests/guilib_apphost/HostSharedObjects.h"
#include "tests/support/GuiObjectCounts.h"

namespace {

HWND ShownQuestion()
{
    for (HWND shown : apphost::ShownTopLevels(L"#32770")) {
        if (::GetDlgItem(shown, IDYES) != nullptr)
            return shown;
    }
    return nullptr;
}

// The bar chosen on the Toolbars page, Reset, and the question answered Yes;
// whether the question came and went.
bool ResetConfirmed(CKGPToolbarCustomize& sheet, CKGPToolBar& bar)
{
    CKGPToolbarsPage& page = *sheet.GetToolbarsPage();
    const int item = page.FindToolbar(&bar);
    CWnd* reset = page.GetDlgItem(IDC_KGP_RESET);
    if (item < 0 || reset == nullptr)
        return false;
    CRect rect;
    page.GetToolbarList().GetItemRect(item, rect);
    page.GetToolbarList().ClientToScreen(rect);
    const CPoint name(rect.left + rect.Width() * 2 / 3, rect.CenterPoint().y); // the name, not its check box
    const CPoint resetPoint = apphost::ScreenRect(*reset).CenterPoint();
    const HWND resetButton = reset->GetSafeHwnd();
    bool asked = false;
    bool answered = false;
    apphost::Perform([&](apphost::CGestures& user) {
        user.Click(name);
        user.WaitFor([resetButton] { return ::IsWindowEnabled(resetButton) != FALSE; });
        user.Click(resetPoint);
        asked = user.WaitFor([] { return ShownQuestion() != nullptr; });
        user.Pause(100);
        user.Key(VK_RETURN); // Yes
        answered = user.WaitFor([] { return ShownQuestion() == nullptr; });
    });
    return asked && answered;
}

} // namespace

// The Toolbars page of the customisation sheet shown and a toolbar reset
// there (which asks first), twice: the page draws with a brush
// the system makes on its first use and keeps (the window text's colour),
// which the monkey took for one left behind when a later round was the first
// to show the page.
TEST_F(AppHostTest, TheToolbarsPageShownAndAResetThereLeaveTheObjectsAsBefore)
{
    CHostMainFrame& frame = Frame();
    apphost::MakeSharedObjects();
    // The sheet opened and closed once as it opens (its fonts and images are
    // made on its first opening and kept).
    CKGPToolbarCustomize* opened = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, opened);
    ASSERT_TRUE(CloseCustomizeSheet(opened));
    apphost::PumpFor(100);
    const keyloft_test::GuiObjectCounts before = keyloft_test::CountGuiObjects();
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round == 1 ? "the first time" : "the second time");
        CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
        ASSERT_NE(nullptr, sheet);
        ASSERT_TRUE(ShowSheetPage(sheet, sheet->GetToolbarsPage()));
        ASSERT_TRUE(ResetConfirmed(*sheet, frame.m_wndFormatBar)) << "Reset asked and was answered";
        ASSERT_TRUE(CloseCustomizeSheet(sheet));
        apphost::PumpFor(100);
        EXPECT_EQ(before, keyloft_test::CountGuiObjects()) << "the sheet closed";
    }
}
