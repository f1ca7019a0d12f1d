// The customise button's menu: the buttons without room, then after a
// separator Add or Remove Buttons (leading to the bar's name and on) and the
// customise entry; no menu while the toolbars are customised; a
// hidden button chosen from it acts as if clicked on the bar.
#include <gtest/gtest.h>

#include <afxhandle.h>

#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using toolbar_test::ToolBarTest;

std::vector<UINT> ItemCommands(const menus_test::CRecordedPopup& popup)
{
    std::vector<UINT> ids;
    for (int i = 0; i < popup.GetItemCount(); ++i)
        ids.push_back(popup.GetItem(i)->m_nCommand);
    return ids;
}

TEST_F(ToolBarTest, TheCustomiseButtonListsTheHiddenButtonsAndItsEntry)
{
    menus_test::CRecordedMenuBars menus;
    constexpr UINT kCustomize = ID_TEST_PRINT + 10;
    bar.EnableCustomizeButton(TRUE, kCustomize, _T("Add or remove"));
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 60, 23, SWP_NOMOVE | SWP_NOZORDER);
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    ASSERT_TRUE(chevron->HasHiddenButtons());

    EXPECT_TRUE(chevron->HandleClick(&bar, FALSE)) << "never a command of its own";
    ASSERT_NE(nullptr, menus.Last());
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PRINT, 0, static_cast<UINT>(-1), kCustomize}), ItemCommands(*menus.Last()))
        << "Print (the leading separator dropped), a separator, Add or Remove Buttons, the customise entry";
    EXPECT_EQ(CCustomizeButton::AddRemoveButtonsText(), menus.Last()->GetItem(2)->m_strCaption);
    EXPECT_EQ(CString(_T("Add or remove")), menus.Last()->GetItem(3)->m_strCaption);

    // Add or Remove Buttons leads to the bar's name, and on to an item that
    // names the bar by its control id (the frame puts the buttons there).
    bar.SetWindowText(_T("Tools"));
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 300, 23, SWP_NOMOVE | SWP_NOZORDER);
    chevron->SetCustomizeCommand(0, CString());
    chevron->CancelState();
    CMenuHandle addRemove(chevron->CreateMenu());
    ASSERT_EQ(1, ::GetMenuItemCount(addRemove.Get())) << "nothing hidden, no entry: Add or Remove Buttons alone";
    const HMENU bars = ::GetSubMenu(addRemove.Get(), 0);
    ASSERT_EQ(1, ::GetMenuItemCount(bars));
    wchar_t name[64] = {};
    ::GetMenuStringW(bars, 0, name, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"Tools", name);
    const HMENU buttons = ::GetSubMenu(bars, 0);
    ASSERT_EQ(1, ::GetMenuItemCount(buttons));
    ::GetMenuStringW(buttons, 0, name, 64, MF_BYPOSITION);
    EXPECT_EQ(bar.GetDlgCtrlID(), _wtoi(name));
    EXPECT_EQ(CCustomizeButton::kNoCommandEntry, ::GetMenuItemID(buttons, 0));

    // An entry without text of its own: the library's text.
    chevron->SetCustomizeCommand(kCustomize, CString());
    CMenuHandle plain(chevron->CreateMenu());
    ASSERT_EQ(2, ::GetMenuItemCount(plain.Get()));
    wchar_t text[64] = {};
    ::GetMenuStringW(plain.Get(), kCustomize, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(L"&Customize...", text);

    const size_t popups = menus.popups.size();
    chevron->SetCustomizeCommand(kCustomize, _T("Add or remove"));
    CKGPToolBar::SetCustomizeMode(TRUE);
    EXPECT_TRUE(chevron->HandleClick(&bar, FALSE));
    EXPECT_EQ(popups, menus.popups.size()) << "no menu while customising";
    CKGPToolBar::SetCustomizeMode(FALSE);
}

// A look that records the customise button's border states instead of drawing them.
class CBorderRecordingManager : public CKGPVisualManager {
    DECLARE_DYNCREATE(CBorderRecordingManager)
public:
    void DrawCustomizeButtonBorder(CDC*, CKGPToolbarButton*, CRect, int nState) override { s_states.push_back(nState); }
    static inline std::vector<int> s_states;
};
IMPLEMENT_DYNCREATE(CBorderRecordingManager, CKGPVisualManager)

// The customise button drawn alone into a picture: the box of what differs
// from the picture's corner (its glyphs).
CRect DrawnGlyphs(CCustomizeButton& button, const CRect& rect)
{
    CClientDC screen(static_cast<CWnd*>(nullptr));
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&screen, rect.Width(), rect.Height());
    CBitmap* old = dc.SelectObject(&picture);
    dc.FillSolidRect(rect, RGB(255, 255, 255));
    button.OnDraw(&dc, rect, nullptr, TRUE);
    const COLORREF background = dc.GetPixel(0, 0);
    CRect glyphs(rect.Width(), rect.Height(), 0, 0);
    for (int y = 0; y < rect.Height(); ++y) {
        for (int x = 0; x < rect.Width(); ++x) {
            if (dc.GetPixel(x, y) != background)
                glyphs = CRect(std::min<int>(glyphs.left, x), std::min<int>(glyphs.top, y),
                               std::max<int>(glyphs.right, x + 1), std::max<int>(glyphs.bottom, y + 1));
        }
    }
    dc.SelectObject(old);
    return glyphs;
}

TEST_F(ToolBarTest, TheCustomiseButtonLooksPressedWhileItsMenuIsDroppedDown)
{
    CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBorderRecordingManager));
    menus_test::CRecordedMenuBars menus;
    bar.EnableCustomizeButton(TRUE, ID_TEST_PRINT + 10, _T("Add or remove"));
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    const CRect rect(0, 0, 13, 22);
    CBorderRecordingManager::s_states.clear();
    const CRect still = DrawnGlyphs(*chevron, rect);
    EXPECT_TRUE(CBorderRecordingManager::s_states.empty()) << "no border at rest";
    ASSERT_FALSE(still.IsRectEmpty()) << "its drop glyph";

    ASSERT_TRUE(chevron->HandleClick(&bar, FALSE));
    ASSERT_TRUE(chevron->IsDroppedDown());
    CBorderRecordingManager::s_states.clear();
    const CRect dropped = DrawnGlyphs(*chevron, rect);
    EXPECT_EQ(std::vector<int>{1}, CBorderRecordingManager::s_states) << "the pressed border while dropped down";
    CRect shifted = still;
    shifted.OffsetRect(1, 1);
    EXPECT_EQ(shifted, dropped) << "its glyph one pixel down and right";
    chevron->CancelState();
    CKGPVisualManager::SetDefaultManager(nullptr);
}

TEST_F(ToolBarTest, ACustomiseButtonWithItsFirstFlagTakesNoRoomOnItsBar)
{
    bar.EnableCustomizeButton(TRUE, ID_TEST_PRINT + 10, _T("Add or remove"));
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    bar.AdjustLayout();
    CRect shown;
    bar.GetItemRect(bar.GetCount() - 1, shown);
    ASSERT_GT(shown.Width(), 0) << "its entry gives it room at the end";

    chevron->SetNoEntry(TRUE);
    bar.AdjustLayout();
    CRect none;
    bar.GetItemRect(bar.GetCount() - 1, none);
    EXPECT_EQ(0, none.Width());
    const CPoint end(shown.CenterPoint());
    EXPECT_NE(bar.GetCount() - 1, bar.HitTest(end)) << "nothing of it to click";
}

TEST_F(ToolBarTest, TheCustomiseButtonsSizeAndCopy)
{
    CCustomizeButton button(ID_TEST_PRINT + 10, _T("More"));
    CClientDC dc(&bar);
    const int border = 2 * CKGPVisualManager::GetInstance()->GetMenuBorderSize();
    EXPECT_EQ(CSize(CKGPMenuGlyphs::GetWidth() + border, 22), CSize(button.MeasureOnBar(&dc, CSize(23, 22), TRUE)));
    CKGPToolBar::s_bLargeIconMode = TRUE;
    EXPECT_EQ(2 * CKGPMenuGlyphs::GetWidth() + border, button.MeasureOnBar(&dc, CSize(23, 22), TRUE).cx)
        << "doubled with large icons";
    CKGPToolBarShared::s_bLargeIconsLookSmall = TRUE;
    EXPECT_EQ(CKGPMenuGlyphs::GetWidth() + border, button.MeasureOnBar(&dc, CSize(23, 22), TRUE).cx)
        << "unless large icons look small";
    CKGPToolBarShared::s_bLargeIconsLookSmall = FALSE;
    CKGPToolBar::s_bLargeIconMode = FALSE;
    EXPECT_EQ(CSize(22, CKGPMenuGlyphs::GetWidth() + border), CSize(button.MeasureOnBar(&dc, CSize(22, 23), FALSE)));

    button.SetNoEntry(TRUE);
    EXPECT_EQ(CSize(0, 0), CSize(button.MeasureOnBar(&dc, CSize(23, 22), TRUE))) << "no entry, no size";
    button.SetInRebar(TRUE);
    button.SetMenuOnRight(FALSE);
    CCustomizeButton copy;
    copy.CopyButton(button);
    EXPECT_EQ(ID_TEST_PRINT + 10, copy.GetCustomizeCmdId());
    EXPECT_EQ(CString(_T("More")), copy.GetCustomizeText());
    EXPECT_TRUE(copy.IsNoEntry());
    EXPECT_TRUE(copy.IsInRebar());
    EXPECT_FALSE(copy.IsMenuOnRight());
}

// A button that answers a click itself (as a combo box drops its list).
class CSelfClickButton : public CKGPToolbarButton {
public:
    explicit CSelfClickButton(UINT uiCommand) : CKGPToolbarButton(uiCommand, -1, _T("Self")) {}
    BOOL HandleClick(CWnd* pWnd, BOOL /*bDelay*/) override
    {
        clickedOn = pWnd;
        return TRUE;
    }
    CWnd* clickedOn = nullptr;
};

int MenuIndexOf(HMENU hMenu, UINT uiCommand)
{
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        if (::GetMenuItemID(hMenu, i) == uiCommand)
            return i;
    }
    return -1;
}

TEST_F(ToolBarTest, AHiddenButtonChosenFromTheCustomiseMenuActsAsIfClicked)
{
    constexpr UINT kCustomize = ID_TEST_PRINT + 10;
    constexpr UINT kSelf = ID_TEST_PRINT + 11;
    bar.EnableCustomizeButton(TRUE, kCustomize, _T("Customise"));
    auto self = std::make_unique<CSelfClickButton>(kSelf);
    CSelfClickButton* selfButton = self.get();
    bar.InsertButton(std::move(self));
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 60, 23, SWP_NOMOVE | SWP_NOZORDER);
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    CMenuHandle menu(chevron->CreateMenu());
    const int print = MenuIndexOf(menu.Get(), ID_TEST_PRINT);
    const int own = MenuIndexOf(menu.Get(), kSelf);
    const int customise = MenuIndexOf(menu.Get(), kCustomize);
    ASSERT_GE(print, 0);
    ASSERT_GE(own, 0) << "the added button has no room either";
    ASSERT_GT(customise, own);
    EXPECT_EQ(ID_TEST_PRINT, chevron->GetHiddenButtonAt(print)->m_nCommand) << "an item's place names its button";
    EXPECT_EQ(nullptr, chevron->GetHiddenButtonAt(customise - 1)) << "the separator before the entry";

    EXPECT_TRUE(chevron->OnClickMenuItem(own));
    Pump();
    EXPECT_EQ(&bar, selfButton->clickedOn) << "the button's own click, with its bar";
    EXPECT_TRUE(frame.commands.empty()) << "the click was the button's: no command";

    EXPECT_TRUE(chevron->OnClickMenuItem(print));
    Pump();
    EXPECT_EQ(std::vector<UINT>{ID_TEST_PRINT}, frame.commands) << "a plain button's command reaches the owner";

    EXPECT_FALSE(chevron->OnClickMenuItem(customise)) << "the customise entry is no hidden button";
    Pump();
    EXPECT_EQ(1u, frame.commands.size());
}

} // namespace
