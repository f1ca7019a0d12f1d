// The customisation sheet over a library frame: the catalogue built from the
// frame's menu (categories, texts without "&" and shortcuts, command names
// from the menu path, each button once under all commands, an MDI frame's
// windows dialog in the Window menu's category), the sheet opened
// and closed with customisation mode, the commands page listing a category,
// a command taken from it onto a toolbar and the change stored and read back,
// and the toolbars page making, renaming and deleting a user toolbar through
// the frame; floating panes resting while customising; the sheet's options (the look's own option, context help that
// shows a control's popup instead of asking the frame), its help button (the
// look's image at the left edge); screenshots of both pages.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPMouseManager.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/sheets/KGPCustomizeLinks.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPMousePage.h"
#include "guilib/sheets/KGPOptionsPage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"
#include "tests/support/ButtonDataObject.h"

#include <afxole.h>

#include <vector>

namespace {

using menus_test::CCommandFrame;

std::vector<CString> Texts(const CObList& list)
{
    std::vector<CString> texts;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        texts.push_back(static_cast<const CKGPToolbarButton*>(list.GetNext(pos))->m_strCaption);
    return texts;
}

std::vector<CString> ListTexts(const CListBox& list)
{
    std::vector<CString> texts;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        texts.push_back(text);
    }
    return texts;
}

// Records the frame's help requests (the active page of each).
class CHelpFrame : public CCommandFrame {
public:
    std::vector<WPARAM> helpPages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KGTOOLBAR_CUSTOMIZEHELP)
            helpPages.push_back(wParam);
        return CCommandFrame::WindowProc(message, wParam, lParam);
    }
};

// Records the control help popups instead of asking the help program.
class CHelpSheet : public CKGPToolbarCustomize {
public:
    using CKGPToolbarCustomize::CKGPToolbarCustomize;
    std::vector<DWORD_PTR> popups;

protected:
    void ShowControlHelp(DWORD_PTR dwHelpId) override { popups.push_back(dwHelpId); }
};

// A look that does not offer the sheet's visual option; it counts the fills
// of the command list.
class CNoOptionManager : public CKGPVisualManager {
    DECLARE_DYNCREATE(CNoOptionManager)
public:
    BOOL IsSheetOptionAvailable() const override { return FALSE; }
    void FillCommandList(CDC* pDC, CRect rectClient) override
    {
        ++s_nListFills;
        CKGPVisualManager::FillCommandList(pDC, rectClient);
    }
    static inline int s_nListFills = 0;
};
IMPLEMENT_DYNCREATE(CNoOptionManager, CKGPVisualManager)

class CustomizeSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.OpenWithMenu(IDR_TEST_MENU));
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE830));
        bar.SetWindowText(L"Standard");
        bar.InsertButton(std::make_unique<CKGPToolbarButton>(ID_TEST_OPEN, -1, L"Open"));
        const CRect place(0, 60, 200, 160);
        ASSERT_TRUE(child.CreateEx(0, L"STATIC", L"view", WS_CHILD | WS_VISIBLE, place, &frame, 0x7777));
        frame.GetFrameImpl().SetUserToolbarRange(0xE900, 0xE90F);
    }
    void TearDown() override
    {
        if (CKGPToolbarCustomize* open = CKGPToolbarCustomize::GetOpenSheet())
            open->DestroyWindow();
        bar.DestroyWindow();
        frame.DestroyWindow();
    }

    CHelpFrame frame;
    CKGPToolBar bar;
    CWnd child;
};

TEST_F(CustomizeSheetTest, TheCatalogueComesFromTheFramesMenu)
{
    CKGPToolbarCustomize sheet(&frame, TRUE);
    const CStringList& names = sheet.GetCategoryNames();
    ASSERT_EQ(3, names.GetCount());
    EXPECT_EQ(CString(L"File"), names.GetHead());
    EXPECT_EQ(CString(L"Edit"), names.GetAt(names.FindIndex(1)));

    const CObList* file = sheet.GetCategory(L"File");
    ASSERT_NE(nullptr, file);
    EXPECT_EQ((std::vector<CString>{L"New", L"Open...", L"Save"}), Texts(*file)) << "no &, no shortcut, no separator";
    EXPECT_EQ(CString(L"FileNew"), static_cast<CKGPToolbarButton*>(file->GetHead())->m_strDescription);

    const CObList* edit = sheet.GetCategory(L"Edit");
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ((std::vector<CString>{L"Cut", L"Copy", L"More", L"Paste", L"Find"}), Texts(*edit))
        << "a sub-menu is a menu button of its category, its items follow";
    EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, edit->GetAt(edit->FindIndex(2))));
    const auto* paste = static_cast<CKGPToolbarButton*>(edit->GetAt(edit->FindIndex(3)));
    EXPECT_EQ(CString(L"EditMorePaste"), paste->m_strDescription);

    const CObList* all = sheet.GetCategory(sheet.GetAllCommandsName());
    ASSERT_NE(nullptr, all);
    EXPECT_EQ(10, all->GetCount()) << "every button once, About and the new menu too";
    EXPECT_EQ(CString(L"New"), CString(sheet.GetCommandName(ID_TEST_NEW)));
    EXPECT_EQ(CString(L"About"), CString(sheet.GetCommandName(ID_TEST_ABOUT)));
    EXPECT_EQ(nullptr, sheet.GetCommandName(0x9999));
    EXPECT_EQ(1, CKGPToolbarCustomize::GetCountInCategory(L"Copy", *all));

    // A command the category holds already is not added again.
    sheet.AddButton(L"File", CKGPToolbarButton(ID_TEST_NEW, -1, L"Another New"));
    EXPECT_EQ(3, file->GetCount());
    EXPECT_EQ(10, all->GetCount());
    // A button without text takes its command's short name.
    sheet.AddButton(L"Extra", CKGPToolbarButton(ID_TEST_PASTE, -1));
    ASSERT_NE(nullptr, sheet.GetCategory(L"Extra"));
    EXPECT_EQ((std::vector<CString>{L"Paste"}), Texts(*sheet.GetCategory(L"Extra")));
    sheet.AddButton(L"Extra", CKGPToolbarButton(0x9999, -1));
    EXPECT_EQ(1, sheet.GetCategory(L"Extra")->GetCount()) << "no text at all: not added";

    CKGPToolbarCustomize keep(&frame, TRUE, KGP_CUSTOMIZE_KEEP_AMPERSANDS);
    EXPECT_EQ(CString(L"&New"), CString(keep.GetCommandName(ID_TEST_NEW))) << "the & kept, the shortcut cut";
}

TEST_F(CustomizeSheetTest, ASubMenuThatTearsOffKeepsItsBarIdAndNoNameShowsTheMark)
{
    CKGPTearOffManager tearOff;
    ASSERT_TRUE(tearOff.Initialize(0xE100, 0xE10F));
    // The Edit menu's "More" tears off into bar 0xE105: its text carries the mark.
    CMenu* edit = CMenu::FromHandle(::GetSubMenu(::GetMenu(frame.GetSafeHwnd()), 1));
    ASSERT_NE(nullptr, edit);
    CString marked(L"&More");
    CKGPTearOffManager::MarkText(0xE105, marked);
    ASSERT_TRUE(::ModifyMenuW(edit->GetSafeHmenu(), 2, MF_BYPOSITION | MF_POPUP,
                              reinterpret_cast<UINT_PTR>(::GetSubMenu(edit->GetSafeHmenu(), 2)), marked));

    {
        CKGPToolbarCustomize sheet(&frame, TRUE);
        const CObList* editCategory = sheet.GetCategory(L"Edit");
        ASSERT_NE(nullptr, editCategory);
        EXPECT_EQ((std::vector<CString>{L"Cut", L"Copy", L"More", L"Paste", L"Find"}), Texts(*editCategory))
            << "the menu button's caption has no mark";
        const auto* more = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, editCategory->GetAt(editCategory->FindIndex(2)));
        ASSERT_NE(nullptr, more);
        EXPECT_EQ(0xE105u, more->GetTearOffId()) << "the id the text carried";
        const auto* paste = static_cast<CKGPToolbarButton*>(editCategory->GetAt(editCategory->FindIndex(3)));
        EXPECT_EQ(CString(L"EditMorePaste"), paste->m_strDescription) << "nor has the command name";
        EXPECT_EQ(2, tearOff.GetUseCount(0xE105)) << "the button of its category and the one under all commands";
    }
    EXPECT_EQ(0, tearOff.GetUseCount(0xE105)) << "the sheet's buttons give the id back";
}

// An MDI frame's answer about its windows dialog.
class CWindowsDialogFrames : public IKGPWindowsDialogLink {
public:
    BOOL GetWindowsDialogCommand(CFrameWnd* /*pFrame*/, UINT& uiCmd, CString& strText) const override
    {
        uiCmd = 0x8123;
        strText = L"&Windows...";
        return TRUE;
    }
};

TEST_F(CustomizeSheetTest, AWindowMenuOffersTheMdiFramesWindowsDialog)
{
    CMenuHandle menu(::CreateMenu());
    const HMENU window = ::CreatePopupMenu();
    ::AppendMenuW(window, MF_STRING, 0xE130, L"&New Window");
    ::AppendMenuW(window, MF_STRING, 0xE131, L"&Arrange");
    ::AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(window), L"&Window");
    const HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, ID_TEST_OPEN, L"&Open");
    ::AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    const HMENU old = ::GetMenu(frame.GetSafeHwnd());
    ASSERT_TRUE(::SetMenu(frame.GetSafeHwnd(), menu.Get()));

    const std::vector<CString> plain = Texts(*CKGPToolbarCustomize(&frame, TRUE).GetCategory(L"Window"));
    CWindowsDialogFrames mdi;
    CKGPLink<IKGPWindowsDialogLink>::StandIn(&mdi);
    CKGPToolbarCustomize sheet(&frame, TRUE);
    CKGPLink<IKGPWindowsDialogLink>::StandIn(nullptr);
    ::SetMenu(frame.GetSafeHwnd(), old);

    EXPECT_EQ((std::vector<CString>{L"New Window", L"Arrange"}), plain) << "no MDI frame: no windows dialog";
    ASSERT_NE(nullptr, sheet.GetCategory(L"Window"));
    EXPECT_EQ((std::vector<CString>{L"New Window", L"Arrange", L"Windows..."}), Texts(*sheet.GetCategory(L"Window")))
        << "after the window commands";
    EXPECT_EQ(CString(L"Windows..."), CString(sheet.GetCommandName(0x8123)));
    EXPECT_EQ((std::vector<CString>{L"Open"}), Texts(*sheet.GetCategory(L"File"))) << "only the Window menu";
}

TEST_F(CustomizeSheetTest, TheSheetCustomisesTheFrameWhileItIsOpen)
{
    auto* sheet = new CKGPToolbarCustomize(&frame, TRUE);
    ASSERT_TRUE(sheet->Create());
    EXPECT_EQ(sheet, CKGPToolbarCustomize::GetOpenSheet());
    EXPECT_TRUE(CKGPToolBar::IsCustomizeMode());
    EXPECT_FALSE(child.IsWindowEnabled()) << "the frame's other windows rest";
    EXPECT_TRUE(bar.IsWindowEnabled());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sheet->GetSafeHwnd(), IDOK)));
    CString close;
    ::GetDlgItemTextW(sheet->GetSafeHwnd(), IDCANCEL, close.GetBuffer(32), 32);
    close.ReleaseBuffer();
    EXPECT_EQ(CString(L"Close"), close);
    const HWND closeButton = ::GetDlgItem(sheet->GetSafeHwnd(), IDCANCEL);
    EXPECT_EQ(static_cast<LONG>(BS_DEFPUSHBUTTON), ::GetWindowLongW(closeButton, GWL_STYLE) & 0x0F)
        << "Close is the default button";
    EXPECT_EQ(MAKELRESULT(IDCANCEL, DC_HASDEFID), sheet->SendMessage(DM_GETDEFID));
    EXPECT_EQ(3, sheet->GetPageCount()) << "commands, toolbars, options";
    EXPECT_EQ(nullptr, sheet->GetKeyboardPage()) << "the frame has no accelerators";
    EXPECT_EQ(nullptr, sheet->GetMousePage()) << "there is no mouse manager";

    // The commands page lists the categories and the commands of the chosen one.
    CKGPCustomizePage* commands = sheet->GetCommandsPage();
    ASSERT_NE(nullptr, commands->GetSafeHwnd());
    EXPECT_EQ((std::vector<CString>{L"File", L"Edit", L"New Menu", L"All Commands"}),
              ListTexts(commands->GetCategoryList()));
    EXPECT_EQ((std::vector<CString>{L"New", L"Open...", L"Save"}), ListTexts(commands->GetCommandList()));
    EXPECT_TRUE(commands->GetCommandList().GetStyle() & LBS_OWNERDRAWFIXED) << "rows drawn by their buttons";
    EXPECT_EQ(commands->GetCommandList().RowHeight(), commands->GetCommandList().GetItemHeight(0));
    EXPECT_GE(commands->GetCommandList().RowHeight(), CKGPToolBarShared::GetMenuImageSize().cy + 6) << "room for an image";
    commands->GetCategoryList().SetCurSel(3);
    commands->SelectCategory(3);
    const std::vector<CString> all = ListTexts(commands->GetCommandList());
    ASSERT_EQ(10u, all.size());
    EXPECT_EQ(CString(L"About"), all.front()) << "all commands in alphabetical order";
    commands->GetCategoryList().SetCurSel(0);
    commands->SelectCategory(0);
    commands->GetCommandList().SetCurSel(0);
    commands->SelectCommand(0);
    CString description;
    commands->GetDlgItemText(IDC_KGP_DESCRIPTION, description);
    EXPECT_EQ(CString(L"Makes a new document"), description);
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), L"customize-commands.bmp"));

    ASSERT_TRUE(sheet->SetActivePage(1));
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), L"customize-toolbars.bmp"));

    sheet->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_EQ(nullptr, CKGPToolbarCustomize::GetOpenSheet()) << "closed and gone";
    EXPECT_FALSE(CKGPToolBar::IsCustomizeMode());
    EXPECT_TRUE(child.IsWindowEnabled());

    // A sheet deleted while open closes and leaves customisation once.
    auto* deleted = new CKGPToolbarCustomize(&frame, TRUE);
    ASSERT_TRUE(deleted->Create());
    EXPECT_TRUE(CKGPToolBar::IsCustomizeMode());
    delete deleted;
    EXPECT_EQ(nullptr, CKGPToolbarCustomize::GetOpenSheet());
    EXPECT_FALSE(CKGPToolBar::IsCustomizeMode());
}

// A floating pane rests while the toolbars are customised; a floating toolbar does not.
TEST_F(CustomizeSheetTest, FloatingPanesRestWhileCustomisingButFloatingToolbarsDoNot)
{
    frame.EnableDocking(CBRS_ALIGN_ANY);
    CKGPDockingControlBar pane;
    ASSERT_TRUE(pane.Create(L"Pane", &frame, CRect(0, 0, 120, 120), TRUE, 0x3001,
                            WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    pane.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(pane.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    ASSERT_TRUE(pane.FloatBar(CRect(300, 300, 420, 420), KGP_DM_UNKNOWN));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(bar.FloatBar(CRect(300, 450, 420, 480), KGP_DM_UNKNOWN));
    CKGPMiniFrameWnd* paneFrame = pane.GetParentMiniFrame(TRUE);
    CKGPMiniFrameWnd* barFrame = bar.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, paneFrame);
    ASSERT_NE(nullptr, barFrame);

    auto* sheet = new CKGPToolbarCustomize(&frame, FALSE, KGP_CUSTOMIZE_NOTOOLS);
    ASSERT_TRUE(sheet->Create());
    EXPECT_FALSE(paneFrame->IsWindowEnabled()) << "the pane's floating frame rests";
    EXPECT_TRUE(barFrame->IsWindowEnabled()) << "a toolbar takes dropped buttons";
    sheet->DestroyWindow();
    EXPECT_TRUE(paneFrame->IsWindowEnabled());
    pane.DestroyWindow();
}

TEST_F(CustomizeSheetTest, TheVisualOptionStaysOnlyWhileTheLookOffersItAndTheLookFillsTheCommandList)
{
    {
        CKGPToolbarCustomize sheet(&frame, FALSE, KGP_CUSTOMIZE_VISUAL_OPTION | 0x40 | KGP_CUSTOMIZE_NOTOOLS);
        EXPECT_EQ(KGP_CUSTOMIZE_VISUAL_OPTION | KGP_CUSTOMIZE_NOTOOLS, sheet.GetFlags()) << "0x40 never stays";
    }
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CNoOptionManager)));
    const UINT flags = CKGPToolbarCustomize(&frame, FALSE, KGP_CUSTOMIZE_VISUAL_OPTION | KGP_CUSTOMIZE_NOTOOLS).GetFlags();
    // The look also fills the command list behind its rows.
    auto* sheet = new CKGPToolbarCustomize(&frame, TRUE, KGP_CUSTOMIZE_NOTOOLS);
    const BOOL made = sheet->Create();
    const int fillsBefore = CNoOptionManager::s_nListFills;
    if (made) {
        CButtonsTextList& list = sheet->GetCommandsPage()->GetCommandList();
        CWindowDCHandle dc(list.GetSafeHwnd());
        list.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()));
        sheet->DestroyWindow();
    }
    CKGPVisualManager::SetDefaultManager(nullptr);
    EXPECT_EQ(KGP_CUSTOMIZE_NOTOOLS, flags) << "the look does not offer it";
    ASSERT_TRUE(made);
    EXPECT_EQ(fillsBefore + 1, CNoOptionManager::s_nListFills);
}

TEST_F(CustomizeSheetTest, WithContextHelpAControlShowsItsPopupElseTheFrameIsAsked)
{
    auto* sheet = new CHelpSheet(&frame, FALSE, KGP_CUSTOMIZE_CONTEXT_HELP);
    ASSERT_TRUE(sheet->Create());
    EXPECT_NE(0u, sheet->GetExStyle() & WS_EX_CONTEXTHELP) << "the caption offers help";
    const HWND list = sheet->GetCommandsPage()->GetCommandList().GetSafeHwnd();
    ASSERT_TRUE(::SetWindowContextHelpId(list, 0x123));
    HELPINFO control{sizeof(HELPINFO), HELPINFO_WINDOW, IDC_KGP_COMMANDS, list, 0x123, {0, 0}};
    sheet->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&control));
    HELPINFO menuItem = control;
    menuItem.iContextType = HELPINFO_MENUITEM;
    sheet->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&menuItem));
    sheet->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    EXPECT_EQ((std::vector<DWORD_PTR>{0x41123, 0x41123}), sheet->popups)
        << "F1 and the context menu of the control; a menu item shows none";
    EXPECT_TRUE(frame.helpPages.empty()) << "the frame is not asked";
    sheet->DestroyWindow();

    auto* plain = new CHelpSheet(&frame, FALSE, 0);
    ASSERT_TRUE(plain->Create());
    EXPECT_EQ(0u, plain->GetExStyle() & WS_EX_CONTEXTHELP);
    ASSERT_TRUE(plain->SetActivePage(1));
    control.hItemHandle = plain->GetSafeHwnd();
    plain->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&control));
    EXPECT_TRUE(plain->popups.empty());
    EXPECT_EQ((std::vector<WPARAM>{1}), frame.helpPages) << "the frame is asked, with the active page";
    plain->DestroyWindow();
}

// How many pixels of the window are plainly blue (the blue look's help image).
int BluePixels(const CWnd& wnd)
{
    int width = 0;
    int height = 0;
    int blue = 0;
    for (const DWORD pixel : keyloft_test::CaptureWindow(wnd.GetSafeHwnd(), width, height)) {
        if ((pixel & 0xFF) > 150 && ((pixel >> 16) & 0xFF) < 100)
            ++blue;
    }
    return blue;
}

TEST_F(CustomizeSheetTest, TheHelpButtonIsTheLooksImageAtTheLeftEdgeAndAsksTheFrame)
{
    auto* sheet = new CKGPToolbarCustomize(&frame, FALSE, KGP_CUSTOMIZE_NOTOOLS);
    ASSERT_TRUE(sheet->Create());
    CKGPButton* help = sheet->GetHelpButton();
    ASSERT_NE(nullptr, help);
    EXPECT_EQ(help->GetSafeHwnd(), ::GetDlgItem(sheet->GetSafeHwnd(), IDHELP)) << "the sheet's one Help";
    EXPECT_EQ(0, help->GetWindowTextLength()) << "an image, no text";
    EXPECT_EQ(CString(L"Help"), help->GetTooltip());
    CRect button;
    CRect close;
    CRect pages;
    help->GetWindowRect(button);
    sheet->GetDlgItem(IDCANCEL)->GetWindowRect(close);
    sheet->GetTabControl()->GetWindowRect(pages);
    EXPECT_EQ(pages.left, button.left) << "at the left edge";
    CRect client;
    sheet->GetClientRect(client);
    sheet->ClientToScreen(client);
    EXPECT_EQ(pages.bottom + 4, close.top) << "Close just below the pages";
    EXPECT_EQ(client.right - 8, close.right);
    EXPECT_EQ(pages.bottom + close.Height() + 16, client.bottom) << "the sheet ends below Close";
    EXPECT_GE(button.top, close.top);
    EXPECT_LE(button.bottom, close.bottom) << "in the row of Close";
    EXPECT_LT(button.Width(), close.Width()) << "sized to its image";
    EXPECT_EQ(0, BluePixels(*help)) << "the plain look's image";
    help->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    help->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ((std::vector<WPARAM>{0}), frame.helpPages) << "pressed, it asks the frame with the active page";
    sheet->DestroyWindow();

    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    auto* blue = new CKGPToolbarCustomize(&frame, FALSE, KGP_CUSTOMIZE_NOTOOLS);
    const BOOL made = blue->Create();
    const int bluePixels = made ? BluePixels(*blue->GetHelpButton()) : 0;
    if (made)
        blue->DestroyWindow();
    CKGPVisualManager::SetDefaultManager(nullptr);
    ASSERT_TRUE(made);
    EXPECT_LT(20, bluePixels) << "the blue look's own image";

    auto* none = new CKGPToolbarCustomize(&frame, FALSE, KGP_CUSTOMIZE_NOHELP | KGP_CUSTOMIZE_NOTOOLS);
    ASSERT_TRUE(none->Create());
    EXPECT_EQ(nullptr, none->GetHelpButton());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(none->GetSafeHwnd(), IDHELP))) << "no help button shown";
    none->DestroyWindow();
}

using keyloft_test::CButtonData;

TEST_F(CustomizeSheetTest, ACommandTakenFromTheListLandsOnABarAndIsStored)
{
    auto* sheet = new CKGPToolbarCustomize(&frame, TRUE);
    ASSERT_TRUE(sheet->Create());
    CButtonsTextList& list = sheet->GetCommandsPage()->GetCommandList();
    CKGPToolbarButton* newButton = list.GetButton(0);
    ASSERT_NE(nullptr, newButton);
    ASSERT_EQ(static_cast<UINT>(ID_TEST_NEW), newButton->m_nCommand);

    CButtonData data(*newButton);
    bar.AdjustLayout();
    const CPoint first = bar.GetButton(0)->m_rcButton.TopLeft() + CPoint(2, 2);
    EXPECT_NE(DROPEFFECT_NONE, bar.DragOverBar(data.Get(), MK_CONTROL, first));
    ASSERT_TRUE(bar.DropButton(data.Get(), DROPEFFECT_COPY, first));
    ASSERT_EQ(2, bar.GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_NEW), bar.GetButton(0)->m_nCommand);
    sheet->DestroyWindow();

    const LPCWSTR profile = L"SOFTWARE\\KeyloftTests\\Sheets\\";
    ASSERT_TRUE(bar.SaveState(profile));
    CKGPToolBar back;
    ASSERT_TRUE(back.Create(&frame, WS_CHILD | CBRS_TOP, 0xE830));
    EXPECT_TRUE(back.LoadState(profile));
    ASSERT_EQ(2, back.GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_NEW), back.GetButton(0)->m_nCommand);
    EXPECT_EQ(static_cast<UINT>(ID_TEST_OPEN), back.GetButton(1)->m_nCommand);
    back.DestroyWindow();
    CKGPRegistryHandle reg(FALSE, FALSE);
    reg->DeleteKey(profile, TRUE);
}

TEST_F(CustomizeSheetTest, TheToolbarsPageMakesRenamesAndDeletesAUserToolbar)
{
    auto* sheet = new CKGPToolbarCustomize(&frame, FALSE);
    ASSERT_TRUE(sheet->Create());
    ASSERT_TRUE(sheet->SetActivePage(1));
    CKGPToolbarsPage* page = sheet->GetToolbarsPage();
    ASSERT_NE(nullptr, page->GetSafeHwnd());
    EXPECT_EQ((std::vector<CString>{L"Standard"}), ListTexts(page->GetToolbarList()));
    EXPECT_EQ(BST_CHECKED, page->GetToolbarList().GetCheck(0));
    EXPECT_EQ(&bar, page->GetSelectedToolbar());
    EXPECT_FALSE(page->GetDlgItem(IDC_KGP_DELETE_TOOLBAR)->IsWindowEnabled()) << "not a user toolbar";

    CKGPToolBar* mine = page->CreateToolbar(L"Mine");
    ASSERT_NE(nullptr, mine);
    EXPECT_EQ(0xE900, mine->GetDlgCtrlID());
    EXPECT_EQ((std::vector<CString>{L"Standard", L"Mine"}), ListTexts(page->GetToolbarList()));
    EXPECT_EQ(mine, page->GetSelectedToolbar());
    EXPECT_TRUE(page->GetDlgItem(IDC_KGP_DELETE_TOOLBAR)->IsWindowEnabled());

    ASSERT_TRUE(page->RenameToolbar(mine, L"Ours"));
    CString text;
    mine->GetWindowText(text);
    EXPECT_EQ(CString(L"Ours"), text);
    EXPECT_EQ((std::vector<CString>{L"Standard", L"Ours"}), ListTexts(page->GetToolbarList()));

    EXPECT_FALSE(page->DeleteToolbar(&bar)) << "the frame keeps a toolbar that is not the user's";
    ASSERT_TRUE(page->DeleteToolbar(mine));
    EXPECT_EQ((std::vector<CString>{L"Standard"}), ListTexts(page->GetToolbarList()));
    EXPECT_EQ(&bar, page->GetSelectedToolbar());
    sheet->DestroyWindow();
}

TEST_F(CustomizeSheetTest, TheToolbarsPageShowsWhatTheFrameAndTheSheetOffer)
{
    auto shown = [](CKGPToolbarsPage* page, UINT id) { return page->GetDlgItem(id)->IsWindowVisible() != FALSE; };
    {
        auto* sheet = new CKGPToolbarCustomize(&frame, FALSE, KGP_CUSTOMIZE_TEXT_LABELS);
        ASSERT_TRUE(sheet->Create());
        ASSERT_TRUE(sheet->SetActivePage(1));
        CKGPToolbarsPage* page = sheet->GetToolbarsPage();
        EXPECT_TRUE(shown(page, IDC_KGP_TEXT_LABELS)) << "the sheet offers text labels";
        for (UINT id : {IDC_KGP_NEW_TOOLBAR, IDC_KGP_RENAME_TOOLBAR, IDC_KGP_DELETE_TOOLBAR})
            EXPECT_TRUE(shown(page, id)) << "the frame keeps user toolbars: " << id;
        EXPECT_TRUE(page->GetDlgItem(IDC_KGP_NEW_TOOLBAR)->IsWindowEnabled());
        sheet->DestroyWindow();
    }
    frame.GetFrameImpl().SetUserToolbarRange(static_cast<UINT>(-1), static_cast<UINT>(-1));
    auto* sheet = new CKGPToolbarCustomize(&frame, FALSE);
    ASSERT_TRUE(sheet->Create());
    ASSERT_TRUE(sheet->SetActivePage(1));
    CKGPToolbarsPage* page = sheet->GetToolbarsPage();
    EXPECT_FALSE(shown(page, IDC_KGP_TEXT_LABELS)) << "a sheet without the text-labels option";
    for (UINT id : {IDC_KGP_NEW_TOOLBAR, IDC_KGP_RENAME_TOOLBAR, IDC_KGP_DELETE_TOOLBAR})
        EXPECT_FALSE(shown(page, id)) << "a frame without user toolbars: " << id;
    EXPECT_FALSE(page->GetDlgItem(IDC_KGP_NEW_TOOLBAR)->IsWindowEnabled());
    sheet->DestroyWindow();
}

TEST_F(CustomizeSheetTest, TheOptionsPageSwitchesTheLibrarysOptions)
{
    CKGPToolBar::AddCommandUsage(ID_TEST_OPEN);
    ASSERT_LT(0u, CKGPToolBar::s_usage.GetCount(ID_TEST_OPEN));
    auto* sheet = new CKGPToolbarCustomize(&frame, TRUE);
    ASSERT_TRUE(sheet->Create());
    ASSERT_TRUE(sheet->SetActivePage(sheet->GetPageIndex(sheet->GetOptionsPage())));
    CKGPOptionsPage* page = sheet->GetOptionsPage();
    ASSERT_NE(nullptr, page->GetSafeHwnd());
    const BOOL tooltips = CKGPToolBar::s_bTooltips;
    EXPECT_EQ(tooltips ? BST_CHECKED : BST_UNCHECKED, page->IsDlgButtonChecked(IDC_KGP_TOOLTIPS));
    EXPECT_FALSE(page->GetDlgItem(IDC_KGP_RECENT_MENUS)->IsWindowVisible()) << "no menu bar: no personalised menus";
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), L"customize-options.bmp"));

    page->CheckDlgButton(IDC_KGP_TOOLTIPS, BST_UNCHECKED);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KGP_TOOLTIPS, BN_CLICKED));
    EXPECT_FALSE(CKGPToolBar::s_bTooltips);
    EXPECT_FALSE(page->GetDlgItem(IDC_KGP_TOOLTIP_KEYS)->IsWindowEnabled()) << "shortcuts follow the tooltips";
    page->CheckDlgButton(IDC_KGP_TOOLTIPS, BST_CHECKED);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KGP_TOOLTIPS, BN_CLICKED));
    EXPECT_TRUE(CKGPToolBar::s_bTooltips);
    EXPECT_TRUE(page->GetDlgItem(IDC_KGP_TOOLTIP_KEYS)->IsWindowEnabled());
    CKGPToolBar::s_bTooltips = tooltips;

    CKGPOptionsPage::ResetUsageData();
    EXPECT_EQ(0u, CKGPToolBar::s_usage.GetCount(ID_TEST_OPEN)) << "the recorded usage is forgotten";
    sheet->DestroyWindow();
}

TEST_F(CustomizeSheetTest, TheMousePageGivesAViewItsDoubleClickCommand)
{
    CKGPMouseManager mouse;
    ASSERT_TRUE(mouse.AddView(1, L"Editor", IDI_TEST_VIEW));
    ASSERT_TRUE(mouse.AddView(2, L"Browser"));
    mouse.SetCommandForDblClick(2, ID_TEST_SAVE);
    auto* sheet = new CKGPToolbarCustomize(&frame, TRUE);
    ASSERT_NE(nullptr, sheet->GetMousePage());
    ASSERT_TRUE(sheet->Create());
    ASSERT_TRUE(sheet->SetActivePage(sheet->GetPageIndex(sheet->GetMousePage())));
    CKGPMousePage* page = sheet->GetMousePage();
    const int editor = mouse.GetViewIdByName(L"Editor");
    page->SelectView(0);
    const int first = page->GetCurrentViewId();
    ASSERT_TRUE(first == 1 || first == 2);
    page->SelectView(first == 1 ? 0 : 1);
    ASSERT_EQ(editor, page->GetCurrentViewId());
    // The views list shows each view's icon in its small form.
    CListCtrl* views = static_cast<CListCtrl*>(page->GetDlgItem(IDC_KGP_MOUSE_VIEWS));
    const HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(views->SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
    ASSERT_NE(nullptr, icons);
    EXPECT_EQ(1, ::ImageList_GetImageCount(icons)) << "the editor's icon; the browser has none";
    int cx = 0;
    int cy = 0;
    ::ImageList_GetIconSize(icons, &cx, &cy);
    EXPECT_EQ(CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)), CSize(cx, cy));
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = first == 1 ? 0 : 1;
    ASSERT_TRUE(views->SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(0, item.iImage) << "the editor's row shows it";
    EXPECT_EQ(BST_CHECKED, page->IsDlgButtonChecked(IDC_KGP_NO_DBLCLK));
    EXPECT_FALSE(page->GetCommands().IsWindowEnabled());

    int open = -1;
    for (int i = 0; i < page->GetCommands().GetCount(); ++i) {
        if (page->GetCommands().GetItemData(i) == ID_TEST_OPEN)
            open = i;
    }
    ASSERT_GE(open, 0);
    EXPECT_TRUE(page->SetCommand(open));
    EXPECT_EQ(static_cast<UINT>(ID_TEST_OPEN), mouse.GetViewDblClickCommand(1));
    EXPECT_EQ(BST_CHECKED, page->IsDlgButtonChecked(IDC_KGP_DBLCLK_COMMAND));
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), L"customize-mouse.bmp"));
    page->SetNoAction();
    EXPECT_EQ(0u, mouse.GetViewDblClickCommand(1));
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), mouse.GetViewDblClickCommand(2)) << "the other view keeps its command";
    sheet->DestroyWindow();
}

} // namespace
