// The menu bar: its rules as tables (MDI buttons placed from the far end,
// drops kept among the regular buttons, keys wrapping, the accessibility
// index), and over a library frame: the frame's menu taken over, a menu shown
// again, switched and read back from the menu hash, the maximised child's
// buttons in each orientation and their clicks, and the stored state with
// every menu's save counted.
#include <gtest/gtest.h>

#include "guilib/core/KGPAccessibleRequest.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPMenuBarRules.h"
#include "guilib/menus/KGPMenuHash.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"

#include <vector>

namespace {

using kgp::Box;
using menus_test::CCommandFrame;

// ---- Rules ----

TEST(MenuBarRulesTest, MdiButtonsStandFromTheFarEndInwardOnePixelApart)
{
    const Box bar{0, 0, 300, 24};
    const std::vector<Box> horz = kgp::PlaceMdiButtons(bar, true, 3, 16, 14);
    ASSERT_EQ(3u, horz.size());
    EXPECT_EQ((Box{284, 5, 300, 19}), horz[0]) << "the close button at the right end, centred";
    EXPECT_EQ((Box{267, 5, 283, 19}), horz[1]);
    EXPECT_EQ((Box{250, 5, 266, 19}), horz[2]);

    const std::vector<Box> vert = kgp::PlaceMdiButtons(Box{0, 0, 24, 200}, false, 2, 16, 14);
    ASSERT_EQ(2u, vert.size());
    EXPECT_EQ((Box{4, 186, 20, 200}), vert[0]) << "at the bottom of a vertical bar";
    EXPECT_EQ((Box{4, 171, 20, 185}), vert[1]);
    EXPECT_TRUE(kgp::PlaceMdiButtons(bar, true, 0, 16, 14).empty());

    EXPECT_EQ((Box{99, 2, 249, 22}), kgp::PlaceHelpCombo(bar, true, 250, 150, 20)) << "left of the MDI buttons";
    EXPECT_EQ((Box{}), kgp::PlaceHelpCombo(bar, false, 250, 150, 20)) << "none on a vertical bar";
}

TEST(MenuBarRulesTest, RowsFollowTheImagesOrTheTextAndNeverFallBelowTheMinimum)
{
    EXPECT_EQ(16, kgp::MenuBarRowExtent(false, 22, 18, 0)) << "the menu font's height less 2, no margin added";
    EXPECT_EQ(22, kgp::MenuBarRowExtent(true, 22, 18, 0)) << "the menu button's height with images";
    EXPECT_EQ(25, kgp::MenuBarRowExtent(false, 22, 18, 25));
    EXPECT_EQ(25, kgp::MenuBarRowExtent(true, 22, 18, 25));
}

TEST(MenuBarRulesTest, DropsStayAmongTheRegularButtons)
{
    // system, File, Edit, View, help combo, minimise, restore, close, customise
    kgp::MenuBarShape shape{9, true, 3, true, true};
    EXPECT_EQ(1, kgp::ClampMenuBarDrop(0, shape)) << "never before the system-menu button";
    EXPECT_EQ(2, kgp::ClampMenuBarDrop(2, shape));
    EXPECT_EQ(4, kgp::ClampMenuBarDrop(4, shape)) << "before the help combo";
    EXPECT_EQ(4, kgp::ClampMenuBarDrop(6, shape)) << "among the MDI buttons: after the last regular one";
    EXPECT_EQ(4, kgp::ClampMenuBarDrop(9, shape));
    EXPECT_EQ(-1, kgp::ClampMenuBarDrop(-1, shape));

    const kgp::MenuBarShape plain{3, false, 0, false, false};
    EXPECT_EQ(0, kgp::ClampMenuBarDrop(0, plain));
    EXPECT_EQ(3, kgp::ClampMenuBarDrop(3, plain));
    EXPECT_EQ(0, kgp::EndOfRegularButtons(kgp::MenuBarShape{}));
}

TEST(MenuBarRulesTest, KeysWrapAndTheSystemButtonAnswersMinusTen)
{
    EXPECT_EQ(0, kgp::NextMenuBarHot(2, 3, 1));
    EXPECT_EQ(2, kgp::NextMenuBarHot(0, 3, -1));
    EXPECT_EQ(0, kgp::NextMenuBarHot(-1, 3, 1));
    EXPECT_EQ(2, kgp::NextMenuBarHot(-1, 3, -1));
    EXPECT_EQ(-1, kgp::NextMenuBarHot(0, 0, 1));

    EXPECT_EQ(-10, kgp::MenuBarAccessibleIndex(0, true));
    EXPECT_EQ(2, kgp::MenuBarAccessibleIndex(3, true));
    EXPECT_EQ(3, kgp::MenuBarAccessibleIndex(3, false));
    EXPECT_EQ(-1, kgp::MenuBarAccessibleIndex(-1, true));

    kgp::SaveTally tally;
    EXPECT_TRUE(tally.AllSaved());
    tally.Count(true);
    tally.Count(false);
    tally.Count(true);
    EXPECT_FALSE(tally.AllSaved()) << "one failed save fails the whole state";
    EXPECT_EQ(3, tally.Menus());
}

// ---- Over a library frame ----

// A menu bar whose stored form cannot be written to the registry (the menu
// hash may still store it).
class CUnwritableMenuBar : public CKGPMenuBar {
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring() && failRegistry && !CMenuHash::IsLocked())
            AfxThrowArchiveException(CArchiveException::genericException);
        CKGPMenuBar::Serialize(ar);
    }
    BOOL failRegistry = FALSE;
};

std::vector<CString> Captions(const CKGPToolBar& bar)
{
    std::vector<CString> texts;
    for (int i = 0; i < bar.GetCount(); ++i)
        texts.push_back(bar.GetButton(i)->m_strCaption);
    return texts;
}

// A frame that answers the menus' requests for their accessible objects and keeps them.
class CAccessibleFrame : public CCommandFrame {
public:
    std::vector<KGPAccessibleRequest> requests;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KGM_GETOBGECT) {
            requests.push_back(*reinterpret_cast<const KGPAccessibleRequest*>(lParam));
            return 4321;
        }
        return CCommandFrame::WindowProc(message, wParam, lParam);
    }
};

TEST(MenuBarAccessibilityTest, TheClientObjectComesFromTheFrameOnlyWithAccessibilityOn)
{
    CAccessibleFrame frame;
    ASSERT_TRUE(frame.OpenWithMenu(IDR_TEST_MENU));
    CKGPMenuBar bar;
    ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    CKGPGlobalData& data = GetKGPGlobalData();
    const BOOL wasOn = data.m_bEnableAccessibility;
    const LPARAM client = static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT));  // as the system sends it

    data.m_bEnableAccessibility = FALSE;
    EXPECT_EQ(0, bar.SendMessage(WM_GETOBJECT, 0, client)) << "off: the system's own object";
    EXPECT_TRUE(frame.requests.empty());

    data.m_bEnableAccessibility = TRUE;
    EXPECT_EQ(4321, bar.SendMessage(WM_GETOBJECT, 7, client));
    ASSERT_EQ(1u, frame.requests.size());
    EXPECT_EQ(&bar, frame.requests[0].pWnd);
    EXPECT_EQ(7u, frame.requests[0].wParam);
    EXPECT_EQ(OBJID_CLIENT, static_cast<LONG>(frame.requests[0].lParam));
    EXPECT_EQ(0, frame.requests[0].nType) << "the menu bar";
    EXPECT_EQ(bar.GetHMenu(), frame.requests[0].hMenu);
    EXPECT_EQ(0, bar.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<DWORD>(OBJID_WINDOW))))
        << "only the client object is the bar's";
    EXPECT_EQ(1u, frame.requests.size());

    data.m_bEnableAccessibility = wasOn;
    bar.DestroyWindow();
    frame.DestroyWindow();
    g_menuHash.CleanUp();
}

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.OpenWithMenu(IDR_TEST_MENU));
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        frame.RecalcLayout();
    }
    void TearDown() override
    {
        if (m_client != nullptr && ::IsWindow(m_client))
            ::DestroyWindow(m_client);
        bar.DestroyWindow();
        frame.DestroyWindow();
        g_menuHash.CleanUp();
        CKGPRegistryHandle reg(FALSE, FALSE);
        reg->DeleteKey(kProfile, TRUE);
    }
    // An MDI client in the frame with one maximised child.
    HWND MakeMaximisedChild() { return menus_test::MakeMdiChild(frame, 60, WS_VISIBLE | WS_MAXIMIZE, m_client); }

    static constexpr LPCWSTR kProfile = L"SOFTWARE\\KeyloftTests\\MenuBar\\";
    CCommandFrame frame;
    CUnwritableMenuBar bar;
    HWND m_client = nullptr;
};

TEST_F(MenuBarTest, TheFramesMenuBecomesTheBarsButtons)
{
    EXPECT_EQ(nullptr, ::GetMenu(frame.GetSafeHwnd())) << "the frame shows no menu of its own";
    EXPECT_EQ(&bar, reinterpret_cast<CKGPMenuBar*>(frame.GetFrameImpl().GetMenuBar()));
    ASSERT_NE(nullptr, bar.GetDefaultMenu());
    EXPECT_EQ(bar.GetDefaultMenu(), bar.GetHMenu());
    ASSERT_EQ(3, bar.GetCount());
    EXPECT_EQ((std::vector<CString>{L"&File", L"&Edit", L"&About"}), Captions(bar));
    auto* file = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, bar.GetButton(0));
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(0u, file->m_nCommand);
    EXPECT_EQ(4, file->GetCommands().GetCount()) << "New, Open, a separator, Save";
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, bar.GetButton(2))) << "a command item is a plain button";
    EXPECT_EQ(static_cast<UINT>(ID_TEST_ABOUT), bar.GetButton(2)->m_nCommand);
    CString text;
    bar.GetWindowText(text);
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_TRUE(bar.IsMenuItemButton(bar.GetButton(0)));
    EXPECT_FALSE(bar.IsMenuItemButton(bar.GetButton(2))) << "outside customisation only menu buttons";

    CKGPToolbarButton bare(ID_TEST_PASTE, -1);
    EXPECT_TRUE(bar.FillDefaultCaption(&bare)) << "found in a sub-menu's sub-menu";
    EXPECT_EQ(CString(L"&Paste"), bare.m_strCaption);
}

TEST_F(MenuBarTest, ShowingTheMenuAgainKeepsItsButtonsAndASwitchReadsThemBack)
{
    const HMENU main = bar.GetHMenu();
    ASSERT_TRUE(bar.RemoveButton(2));
    bar.CreateFromMenu(main);
    EXPECT_EQ(2, bar.GetCount()) << "the current menu again, unforced, is not rebuilt";

    CMenu other;
    ASSERT_TRUE(other.LoadMenu(IDR_TEMPLATE));
    const HMENU otherMenu = other.Detach();
    bar.CreateFromMenu(otherMenu);
    EXPECT_EQ(otherMenu, bar.GetHMenu());
    EXPECT_EQ(1, bar.GetCount());
    EXPECT_TRUE(g_menuHash.HasMenu(main)) << "the menu left was stored";

    bar.CreateFromMenu(main);
    EXPECT_EQ(2, bar.GetCount()) << "the user's change survives the switch";
    bar.CreateFromMenu(main, FALSE, TRUE);
    EXPECT_EQ(3, bar.GetCount()) << "forced: rebuilt from the menu";
    ::DestroyMenu(otherMenu);
}

TEST_F(MenuBarTest, AMaximisedChildBringsItsButtonsToTheFarEnd)
{
    const HWND child = MakeMaximisedChild();
    ASSERT_NE(nullptr, child);
    ASSERT_TRUE(::IsZoomed(child));
    bar.CreateFromMenu(bar.GetHMenu());
    ASSERT_TRUE(bar.IsMaximizeMode()) << "the current menu again re-applies maximise mode";
    ASSERT_EQ(7, bar.GetCount());
    ASSERT_NE(nullptr, bar.GetSystemMenuButton());
    EXPECT_EQ(3, bar.GetMdiButtonCount());
    const UINT expected[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    for (int i = 0; i < 3; ++i) {
        auto* mdi = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, bar.GetButton(4 + i));
        ASSERT_NE(nullptr, mdi);
        EXPECT_EQ(expected[i], mdi->GetSystemCommand());
    }

    // Horizontal: the close button at the right edge, the others left of it.
    CRect client;
    bar.GetClientRect(client);
    const CSize caption = bar.GetCaptionButtonSize();
    const CRect close = bar.GetButton(6)->m_rcButton;
    EXPECT_EQ(client.right, close.right);
    EXPECT_EQ(caption, close.Size());
    EXPECT_EQ(close.left - 1, bar.GetButton(5)->m_rcButton.right);
    EXPECT_LT(bar.GetButton(3)->m_rcButton.right, bar.GetButton(4)->m_rcButton.left) << "About stays left of them";

    // The system-menu button answers the accessibility hit test as -10.
    CPoint centre = bar.GetButton(0)->m_rcButton.CenterPoint();
    bar.ClientToScreen(&centre);
    EXPECT_EQ(-10, bar.SendMessage(KGM_ACCHITTEST, 0, MAKELPARAM(centre.x, centre.y)));
    CPoint about = bar.GetButton(3)->m_rcButton.CenterPoint();
    bar.ClientToScreen(&about);
    EXPECT_EQ(2, bar.SendMessage(KGM_ACCHITTEST, 0, MAKELPARAM(about.x, about.y)));

    // Vertical: from the bottom up.
    bar.SetBarStyleWord((bar.GetBarStyleWord() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    ::SetWindowPos(bar.GetSafeHwnd(), nullptr, 0, 0, 40, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    bar.AdjustLocations();
    bar.GetClientRect(client);
    EXPECT_EQ(client.bottom, bar.GetButton(6)->m_rcButton.bottom);
    EXPECT_EQ(bar.GetButton(6)->m_rcButton.top - 1, bar.GetButton(5)->m_rcButton.bottom);

    // Leaving maximise mode takes exactly the child's buttons away.
    bar.SetMaximizeMode(FALSE);
    EXPECT_EQ(3, bar.GetCount());
    EXPECT_EQ(nullptr, bar.GetSystemMenuButton());
}

TEST_F(MenuBarTest, AMaximiseModeSwitchOfTheShownMenuStartsTheHotButtonAgainFromTheFirst)
{
    const HWND child = MakeMaximisedChild();
    ASSERT_NE(nullptr, child);
    bar.CreateFromMenu(bar.GetHMenu());
    ASSERT_TRUE(bar.IsMaximizeMode());
    bar.ChangeHot(3);
    ASSERT_EQ(L"&About", bar.GetButton(3)->m_strCaption);

    ::SendMessageW(m_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
    bar.CreateFromMenu(bar.GetHMenu());
    ASSERT_FALSE(bar.IsMaximizeMode());
    EXPECT_EQ(0, bar.GetHotButton()) << "the first button, File";

    ::SendMessageW(m_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    bar.ChangeHot(2);
    bar.CreateFromMenu(bar.GetHMenu());
    ASSERT_TRUE(bar.IsMaximizeMode());
    EXPECT_EQ(0, bar.GetHotButton()) << "the first button, the child's system menu, not Edit's place";
    EXPECT_NE(nullptr, bar.GetSystemMenuButton());

    // A bar with no hot button gets none (nor does any MDI button).
    bar.ChangeHot(-1);
    ::SendMessageW(m_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
    bar.CreateFromMenu(bar.GetHMenu());
    EXPECT_EQ(-1, bar.GetHotButton());
}

TEST_F(MenuBarTest, TheChildsStylesDecideItsButtonsAndTheirClicksReachIt)
{
    const HWND child = MakeMaximisedChild();
    ASSERT_NE(nullptr, child);
    ::SetWindowLongW(child, GWL_STYLE, static_cast<LONG>(::GetWindowLongW(child, GWL_STYLE) & ~WS_MAXIMIZEBOX));
    ::EnableMenuItem(::GetSystemMenu(child, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    bar.SetMaximizeMode(TRUE, CWnd::FromHandle(child));
    ASSERT_EQ(2, bar.GetMdiButtonCount()) << "no restore button without a maximise box";
    auto* minimise = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, bar.GetButton(4));
    auto* close = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, bar.GetButton(5));
    ASSERT_NE(nullptr, minimise);
    ASSERT_NE(nullptr, close);
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), close->GetSystemCommand());
    EXPECT_NE(0u, close->m_nBits & TBBS_DISABLED) << "the system menu's close item is grayed";

    frame.commands.clear();
    EXPECT_TRUE(bar.HandledOnRelease(minimise));
    EXPECT_TRUE(::IsIconic(child)) << "the click sent SC_MINIMIZE to the active child";
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(MenuBarTest, AnMdiButtonInAFrameWithoutMdiClientOnlyBeeps)
{
    CKGPToolbarMenuButtonsButton minimise(SC_MINIMIZE);
    frame.commands.clear();
    EXPECT_TRUE(bar.HandledOnRelease(&minimise)) << "counted as handled";
    EXPECT_FALSE(frame.IsIconic());
    EXPECT_TRUE(frame.commands.empty());
    CKGPToolbarButton plain(ID_TEST_ABOUT, -1);
    EXPECT_FALSE(bar.HandledOnRelease(&plain));
}

TEST_F(MenuBarTest, TheStateOfEveryMenuIsStoredAndReadBackAndAFailedSaveIsReported)
{
    ASSERT_TRUE(bar.RemoveButton(0));  // the user took File away
    ASSERT_TRUE(bar.SaveState(kProfile));
    EXPECT_EQ(2, bar.GetCount()) << "the bar shows its menu again after saving";

    bar.CreateFromMenu(bar.GetHMenu(), FALSE, TRUE);
    ASSERT_EQ(3, bar.GetCount());
    g_menuHash.CleanUp();
    EXPECT_TRUE(bar.LoadState(kProfile));
    EXPECT_EQ((std::vector<CString>{L"&Edit", L"&About"}), Captions(bar));

    // With nothing stored the menu is shown from its items and the frame is told.
    CKGPRegistryHandle reg(FALSE, FALSE);
    reg->DeleteKey(kProfile, TRUE);
    EXPECT_FALSE(bar.LoadState(kProfile)) << "nothing was read";
    EXPECT_EQ(3, bar.GetCount());

    bar.failRegistry = TRUE;
    EXPECT_FALSE(bar.SaveState(kProfile)) << "the default menu's save failed";
    EXPECT_EQ(3, bar.GetCount()) << "and the bar is left as it was";
}

// A menu page as the bar sees it: it counts the times it is told to show its menu anew.
class CCountingMenuPage : public IKGPMenuBarPage {
public:
    void ReselectMenu() override { ++reselected; }
    int reselected = 0;
};

TEST_F(MenuBarTest, AResetKeepsTheCustomiseButtonLastAndTellsTheMenuPage)
{
    bar.EnableCustomizeButton(TRUE, ID_TEST_PRINT, L"Customize...");
    bar.SetDefaultMenuResId(IDR_TEST_MENU);
    CCountingMenuPage page;
    bar.SetMenuPage(&page);
    ASSERT_TRUE(bar.RemoveButton(0));  // the user took File away
    const HMENU edited = bar.GetHMenu();

    EXPECT_TRUE(bar.ResetToResource());
    EXPECT_NE(edited, bar.GetHMenu()) << "the menu loaded again";
    ASSERT_EQ(4, bar.GetCount()) << "File, Edit, About and the customise button";
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron) << "the reset keeps it";
    EXPECT_EQ(chevron, bar.GetButton(3));
    EXPECT_EQ(ID_TEST_PRINT, chevron->GetCustomizeCmdId());
    EXPECT_EQ(1, page.reselected) << "the page shows its menu anew";

    // With a maximised child its buttons come before it.
    ASSERT_NE(nullptr, MakeMaximisedChild());
    bar.CreateFromMenu(bar.GetHMenu());
    ASSERT_TRUE(bar.IsMaximizeMode());
    EXPECT_TRUE(bar.ResetToResource());
    ASSERT_NE(nullptr, bar.GetCustomizeButton());
    EXPECT_EQ(bar.GetCustomizeButton(), bar.GetButton(bar.GetCount() - 1));
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, bar.GetButton(bar.GetCount() - 2)));

    // A menu the bar never showed keeps it too.
    CMenu other;
    ASSERT_TRUE(other.LoadMenu(IDR_TEMPLATE));
    const HMENU otherMenu = other.Detach();
    bar.CreateFromMenu(otherMenu);
    ASSERT_NE(nullptr, bar.GetCustomizeButton());
    EXPECT_EQ(bar.GetCustomizeButton(), bar.GetButton(bar.GetCount() - 1));
    bar.SetMenuPage(nullptr);
    bar.SetMaximizeMode(FALSE);
    bar.CreateFromMenu(bar.GetDefaultMenu());
    ::DestroyMenu(otherMenu);
}

TEST_F(MenuBarTest, TheHelpComboStandsAtTheRightEndAndDropsStayBeforeIt)
{
    bar.EnableHelpCombobox(ID_TEST_COMBO, L"Type a question", 120);
    CKGPToolbarComboBoxButton* help = bar.GetHelpCombobox();
    ASSERT_NE(nullptr, help);
    EXPECT_EQ(CString(L"Type a question"), help->GetPrompt());
    EXPECT_EQ(3, bar.CommandToIndex(ID_TEST_COMBO));
    bar.AdjustLocations();
    CRect client;
    bar.GetClientRect(client);
    EXPECT_EQ(client.right - 1, help->m_rcButton.right);
    EXPECT_EQ(120, help->m_rcButton.Width());

    CRect marker;
    const CPoint onHelp = help->m_rcButton.CenterPoint();
    EXPECT_EQ(3, bar.DropIndexAt(onHelp, marker)) << "never after the help combo";

    // The help combo survives a rebuild of the menu; its prompt is stored.
    bar.CreateFromMenu(bar.GetHMenu(), FALSE, TRUE);
    EXPECT_EQ(3, bar.CommandToIndex(ID_TEST_COMBO));
    CHelpComboBoxButton stored(ID_TEST_COMBO, 120, L"Type a question");
    const std::vector<BYTE> bytes = menus_test::Stored(stored);
    CHelpComboBoxButton back;
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    back.Serialize(ar);
    EXPECT_EQ(CString(L"Type a question"), back.GetPrompt());
}

} // namespace
