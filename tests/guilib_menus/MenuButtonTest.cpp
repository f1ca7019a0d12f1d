// Menu buttons: sub-items made from a Windows menu and back, copies,
// comparisons, their stored form across the data versions, and the popups
// they open through the popup menus' link.
#include <gtest/gtest.h>

#include "guilib/core/KGPWorkspace.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/toolbars/KGPKeyHelper.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "guilib/core/KGPStoredState.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

namespace {

using menus_test::BarTest;
using menus_test::CRecordedMenuBars;
using menus_test::CRecordedPopup;

constexpr UINT kBreakBit = 0x20000000;

const CKGPToolbarMenuButton* Item(const CKGPToolbarMenuButton& button, int index)
{
    POSITION pos = button.GetCommands().FindIndex(index);
    return pos == nullptr ? nullptr
                          : static_cast<const CKGPToolbarMenuButton*>(button.GetCommands().GetAt(pos));
}

// The test menu's "&Edit" popup: Cut, Copy (new column), More (Paste, Find).
CKGPToolbarMenuButton EditMenuButton()
{
    CMenu menu;
    EXPECT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    return CKGPToolbarMenuButton(0, menu.GetSubMenu(1)->GetSafeHmenu(), -1, L"&Edit");
}

class WorkspaceScope {
public:
    WorkspaceScope(int major, int minor)
    {
        m_workspace.SetDataVersion(major, minor);
        SetWorkspace(&m_workspace);
    }
    ~WorkspaceScope() { SetWorkspace(nullptr); }

private:
    CKGPWorkspace m_workspace;
};

TEST(MenuButtonTest, SubItemsComeFromTheMenuAndGoBackIntoOne)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    HMENU file = menu.GetSubMenu(0)->GetSafeHmenu();
    ::SetMenuDefaultItem(file, ID_TEST_OPEN, FALSE);
    CKGPToolbarMenuButton button(0, file, -1, L"&File");

    ASSERT_EQ(4, button.GetCommands().GetCount());
    EXPECT_EQ(UINT(ID_TEST_NEW), Item(button, 0)->m_nCommand);
    EXPECT_EQ(L"&New\tCtrl+N", Item(button, 0)->m_strCaption);
    EXPECT_TRUE(Item(button, 1)->IsDefault());
    EXPECT_FALSE(Item(button, 0)->IsDefault());
    EXPECT_TRUE(Item(button, 2)->IsSeparator());
    EXPECT_NE(0u, Item(button, 3)->m_nBits & TBBS_DISABLED) << "grayed";

    CKGPToolbarMenuButton edit = EditMenuButton();
    const CKGPToolbarMenuButton* copy = Item(edit, 1);
    EXPECT_NE(0u, copy->m_nBits & kBreakBit) << "a new column";
    const CKGPToolbarMenuButton* more = Item(edit, 2);
    EXPECT_EQ(UINT(-1), more->m_nCommand);
    ASSERT_EQ(2, more->GetCommands().GetCount()) << "a sub-menu has sub-items of its own";
    EXPECT_EQ(UINT(ID_TEST_FIND), Item(*more, 1)->m_nCommand);

    CMenu rebuilt;
    rebuilt.Attach(button.CreateMenu());
    ASSERT_NE(nullptr, rebuilt.GetSafeHmenu());
    ASSERT_EQ(4u, rebuilt.GetMenuItemCount());
    EXPECT_EQ(UINT(ID_TEST_OPEN), ::GetMenuDefaultItem(rebuilt, FALSE, GMDI_USEDISABLED));
    EXPECT_NE(0u, rebuilt.GetMenuState(2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_NE(0u, rebuilt.GetMenuState(3, MF_BYPOSITION) & MF_DISABLED);
    CString text;
    rebuilt.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(L"&New\tCtrl+N", text);

    CMenu editMenu;
    editMenu.Attach(edit.CreateMenu());
    EXPECT_NE(0u, editMenu.GetMenuState(1, MF_BYPOSITION) & MF_MENUBREAK);
    ASSERT_NE(nullptr, editMenu.GetSubMenu(2));
    EXPECT_EQ(UINT(ID_TEST_PASTE), editMenu.GetSubMenu(2)->GetMenuItemID(0));

    CKGPToolbarMenuButton command(ID_TEST_ABOUT, nullptr, -1, L"About");
    EXPECT_EQ(nullptr, command.CreateMenu()) << "a command of its own and no menu";
    command.SetMenuOnly(TRUE);
    CMenu empty;
    empty.Attach(command.CreateMenu());
    EXPECT_EQ(0u, empty.GetMenuItemCount());

    CKGPToolbarMenuButton none(0, reinterpret_cast<HMENU>(0x1234), -1);
    EXPECT_TRUE(none.GetCommands().IsEmpty()) << "a handle that is no menu";
}

TEST(MenuButtonTest, CopiesAreDeepAndCompareByCommandsInOrder)
{
    CKGPToolbarMenuButton edit = EditMenuButton();
    edit.SetMenuPaletteMode(TRUE, 3);
    edit.SetMenuOnly(TRUE);
    CKGPToolbarMenuButton copy;
    copy.CopyButton(edit);
    EXPECT_TRUE(copy.IsMenuPaletteMode());
    EXPECT_EQ(3, copy.GetPaletteRows());
    EXPECT_TRUE(copy.IsMenuOnly());
    ASSERT_EQ(3, copy.GetCommands().GetCount());
    EXPECT_NE(Item(edit, 2), Item(copy, 2)) << "sub-items are cloned";
    EXPECT_EQ(2, Item(copy, 2)->GetCommands().GetCount());
    EXPECT_TRUE(copy.IsSameCommand(edit));

    // Changing the copy leaves the original alone.
    const_cast<CKGPToolbarMenuButton*>(Item(copy, 0))->m_nCommand = ID_TEST_ABOUT;
    EXPECT_EQ(UINT(ID_TEST_CUT), Item(edit, 0)->m_nCommand);
    EXPECT_FALSE(copy.IsSameCommand(edit));

    CKGPToolbarMenuButton shorter;
    shorter.CopyButton(edit);
    CObList fewer;
    fewer.AddTail(new CKGPToolbarButton(ID_TEST_CUT, -1, L"Cut"));
    shorter.ReplaceSubItems(fewer);
    EXPECT_FALSE(shorter.IsSameCommand(edit)) << "another number of sub-items";
}

// The stored form: tear-off id, the palette (one rule for storing and
// reading), then the sub-items; a button stored after it reads intact.
TEST(MenuButtonTest, StoredFormAcrossTheDataVersions)
{
    struct Version {
        int major, minor;  // -1: no workspace
        bool palette;
    };
    const Version versions[] = {{-1, -1, true}, {6, 51, false}, {6, 52, true}, {7, 0, true}};
    for (const Version& version : versions) {
        std::unique_ptr<WorkspaceScope> workspace;
        if (version.major >= 0)
            workspace = std::make_unique<WorkspaceScope>(version.major, version.minor);
        CKGPToolbarMenuButton edit = EditMenuButton();
        edit.SetMenuPaletteMode(TRUE, 4);
        CKGPToolbarButton after(ID_TEST_ABOUT, 2, L"After");

        const std::vector<BYTE> bytes = keyloft_test::StoredBytes([&](CArchive& ar) {
            ar << &edit << &after;
        });
        keyloft_test::LoadBytes(bytes, [&](CArchive& ar) {
            CObject* first = nullptr;
            CObject* second = nullptr;
            ar >> first >> second;
            std::unique_ptr<CObject> ownFirst(first), ownSecond(second);
            auto* read = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, first);
            ASSERT_NE(nullptr, read);
            EXPECT_TRUE(read->IsSameCommand(edit)) << version.major << "." << version.minor;
            EXPECT_EQ(version.palette ? TRUE : FALSE, read->IsMenuPaletteMode());
            EXPECT_EQ(version.palette ? 4 : 1, read->GetPaletteRows());
            auto* next = DYNAMIC_DOWNCAST(CKGPToolbarButton, second);
            ASSERT_NE(nullptr, next);
            EXPECT_EQ(UINT(ID_TEST_ABOUT), next->m_nCommand) << "the object after it reads intact";
            EXPECT_EQ(L"After", next->m_strCaption);
        });
    }
}

// A menu button whose sub-item list can be made to point at another's items.
class CSharingMenuButton : public CKGPToolbarMenuButton {
    DECLARE_SERIAL(CSharingMenuButton)
public:
    void Share(CKGPToolbarButton* pItem) { m_listCommands.AddTail(pItem); }
    void Unshare() { m_listCommands.RemoveAll(); }
};
IMPLEMENT_SERIAL(CSharingMenuButton, CKGPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

TEST(MenuButtonTest, ASubItemListMayNotShareObjectsWithAnotherList)
{
    // The second button lists the first's sub-item again: the archive stores
    // it as a back reference, and reading it back would give it two owners.
    CKGPToolbarMenuButton first = EditMenuButton();
    CSharingMenuButton second;
    second.Share(const_cast<CKGPToolbarMenuButton*>(Item(first, 0)));
    const std::vector<BYTE> bytes = keyloft_test::StoredBytes([&](CArchive& ar) {
        CObList both;
        both.AddTail(&first);
        both.AddTail(&second);
        both.Serialize(ar);
    });
    second.Unshare();

    bool refused = false;
    try {
        keyloft_test::LoadBytes(bytes, [](CArchive& ar) {
            CKGPStoredObjects objects;
            CKGPStoredReader(ar).ReadObjectList(objects, RUNTIME_CLASS(CKGPToolbarButton));
        });
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::badIndex, e->m_cause);
        e->Delete();
        refused = true;
    }
    EXPECT_TRUE(refused);
}

TEST(MenuButtonTest, TearOffIdsAreParsedRegisteredAndWrittenBack)
{
    CKGPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize(40000, 40009));
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    CMenu sub;
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, ID_TEST_CUT, L"Cut");
    CString marked = L"Tools";
    CKGPTearOffManager::MarkText(40003, marked);
    menu.AppendMenu(MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(sub.Detach()), marked);

    {
        CKGPToolbarMenuButton button(0, menu.GetSafeHmenu(), -1);
        const CKGPToolbarMenuButton* tools = Item(button, 0);
        EXPECT_EQ(L"Tools", tools->m_strCaption);
        EXPECT_EQ(40003u, tools->GetTearOffId());
        EXPECT_EQ(1, manager.GetUseCount(40003));

        CMenu rebuilt;
        rebuilt.Attach(button.CreateMenu());
        CString text;
        rebuilt.GetMenuString(0, text, MF_BYPOSITION);
        EXPECT_EQ(marked, text);
        EXPECT_NE(0u, rebuilt.GetMenuState(0, MF_BYPOSITION) & MF_MENUBARBREAK);
    }
    EXPECT_EQ(0, manager.GetUseCount(40003)) << "a deleted button gives its id back";
}

TEST_F(BarTest, APopupOpensBelowItsBarButtonThroughThePopupMenus)
{
    bar.InsertButtonCopy(EditMenuButton());
    bar.AdjustLayout();
    auto* button = static_cast<CKGPToolbarMenuButton*>(bar.GetButton(0));
    EXPECT_TRUE(button->m_bDrawDownArrow) << "a button with a menu on a toolbar";
    IKGPMenuBarsLink* const library = CKGPLink<IKGPMenuBarsLink>::Get();
    CKGPLink<IKGPMenuBarsLink>::StandIn(nullptr);
    EXPECT_FALSE(button->OpenPopupMenu()) << "without the popup menus no popup opens";
    CKGPLink<IKGPMenuBarsLink>::StandIn(library);

    CRecordedMenuBars menus;
    ASSERT_TRUE(button->OpenPopupMenu());
    CRecordedPopup* popup = menus.Last();
    ASSERT_NE(nullptr, popup);
    CRect rect = button->m_rcButton;
    bar.ClientToScreen(rect);
    EXPECT_EQ(CPoint(rect.left, rect.bottom - 1), popup->point);
    EXPECT_EQ(1, popup->direction);
    EXPECT_EQ(button, popup->parentButton);
    EXPECT_EQ(&bar, popup->parent);
    EXPECT_EQ(3, popup->GetItemCount()) << "the popup got the button's menu";
    EXPECT_TRUE(button->IsDroppedDown());
    EXPECT_FALSE(button->OpenPopupMenu()) << "one popup at a time";

    button->CancelState();
    EXPECT_TRUE(popup->closed);
    EXPECT_EQ(1, popup->cancels);
    EXPECT_EQ(nullptr, popup->parentButton) << "unlinked before it closes";
    EXPECT_FALSE(button->IsDroppedDown());

    menus.failCreate = TRUE;
    EXPECT_FALSE(button->OpenPopupMenu()) << "the popup could not be shown";
    EXPECT_FALSE(button->IsDroppedDown());
}

TEST_F(BarTest, AClickOnADropDownButtonOpensOnlyFromItsArrow)
{
    CRecordedMenuBars menus;
    CKGPToolbarMenuButton withCommand = EditMenuButton();
    withCommand.m_nCommand = ID_TEST_FIND;
    bar.InsertButtonCopy(withCommand);
    bar.AdjustLayout();
    bar.UpdateWindow();
    auto* button = static_cast<CKGPToolbarMenuButton*>(bar.GetButton(0));
    ASSERT_TRUE(button->m_bDrawDownArrow);
    ASSERT_FALSE(button->GetArrowRect().IsRectEmpty()) << "laid out when drawn";

    CPoint face = button->m_rcButton.TopLeft() + CPoint(2, 2);
    bar.ClientToScreen(&face);
    ::SetCursorPos(face.x, face.y);
    EXPECT_FALSE(button->HandleClick(&bar, FALSE)) << "its face runs the command";
    EXPECT_TRUE(menus.popups.empty());

    CPoint arrow = button->GetArrowRect().CenterPoint();
    bar.ClientToScreen(&arrow);
    ::SetCursorPos(arrow.x, arrow.y);
    EXPECT_TRUE(button->HandleClick(&bar, FALSE));
    EXPECT_TRUE(button->IsClickedOnMenu());
    ASSERT_EQ(1u, menus.popups.size());
    EXPECT_TRUE(button->HandleClick(&bar, FALSE)) << "a second click closes it";
    EXPECT_TRUE(menus.Last()->closed);
}

// The open delay of an item resting under the pointer, twice that of the
// show-all item, and the show-all item's click are the application host's
// (MenusTest.cpp), through the pointer.
TEST_F(BarTest, AButtonInAPopupsBarIsAnItemAndTheShowAllTipNamesItsKey)
{
    CRecordedMenuBars menus;
    CRecordedPopup holder;
    menus.popupBar = &bar;
    menus.holder = &holder;
    bar.InsertButtonCopy(EditMenuButton());
    auto* item = static_cast<CKGPToolbarMenuButton*>(bar.GetButton(0));
    EXPECT_TRUE(item->IsMenuMode()) << "a button in a popup's bar is an item";

    ACCEL key = {FVIRTKEY | FCONTROL, VK_DOWN, 0};
    CString keyText;
    CKGPKeyHelper(&key).Format(keyText);
    EXPECT_NE(-1, CKGPShowAllButton::GetToolTipText().Find(keyText)) << "the tooltip names Ctrl+Down";
}

TEST_F(BarTest, KeysStepFromOneOpenMenuToTheNextAndMnemonicsOpenMenus)
{
    CRecordedMenuBars menus;
    menus_test::CKeyRecorder popupWindow;
    ASSERT_TRUE(popupWindow.Make(&frame));
    menus.popupWindow = &popupWindow;
    CKGPToolbarMenuButton file = EditMenuButton();
    file.m_strCaption = L"&File";
    file.m_bShowCaption = TRUE;
    CKGPToolbarMenuButton edit = EditMenuButton();
    edit.m_strCaption = L"&Edit";
    edit.m_bShowCaption = TRUE;
    bar.InsertButtonCopy(file);
    bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_ABOUT, -1, L"&About"));
    bar.InsertButtonCopy(edit);
    bar.AdjustLayout();
    auto* first = static_cast<CKGPToolbarMenuButton*>(bar.GetButton(0));
    auto* third = static_cast<CKGPToolbarMenuButton*>(bar.GetButton(2));

    EXPECT_FALSE(bar.NextMenuButton()) << "no menu open";
    EXPECT_TRUE(bar.ProcessMnemonic(L'f'));
    EXPECT_TRUE(first->IsDroppedDown()) << "a mnemonic opens a menu";
    EXPECT_EQ(0, bar.GetHotButton());
    EXPECT_EQ(std::vector<UINT>{VK_HOME}, popupWindow.keys) << "its first item selected";
    EXPECT_EQ(first, bar.GetDroppedDownMenu());

    EXPECT_TRUE(bar.NextMenuButton());
    EXPECT_FALSE(first->IsDroppedDown());
    EXPECT_TRUE(third->IsDroppedDown()) << "past the plain button";
    EXPECT_EQ(2, bar.GetHotButton());
    EXPECT_TRUE(bar.NextMenuButton()) << "round to the first again";
    EXPECT_TRUE(first->IsDroppedDown());
    EXPECT_TRUE(bar.PrevMenuButton());
    EXPECT_TRUE(third->IsDroppedDown());

    bar.ChangeHot(1);
    EXPECT_EQ(2, bar.GetHotButton()) << "an open menu keeps the hot button from a plain one";
    EXPECT_TRUE(third->IsDroppedDown());

    third->m_nBits |= TBBS_DISABLED;
    first->m_nBits |= TBBS_DISABLED;
    EXPECT_FALSE(bar.NextMenuButton()) << "no other menu button to step to";
    third->CancelState();
    popupWindow.DestroyWindow();
}

TEST_F(BarTest, MenuItemsShowTheShortcutOfTheirCommandInTheFramesTable)
{
    frame.m_hAccelTable = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TEST_ACCEL));
    ASSERT_NE(nullptr, frame.m_hAccelTable);
    CRecordedMenuBars menus;
    CRecordedPopup holder;
    menus.popupBar = &bar;
    menus.holder = &holder;
    bar.InsertButtonCopy(CKGPToolbarMenuButton(ID_TEST_NEW, nullptr, -1, L"&New\tAlt+X"));
    bar.InsertButtonCopy(CKGPToolbarMenuButton(ID_TEST_ABOUT, nullptr, -1, L"&About\tF1"));
    bar.AdjustLayout();
    ACCEL ctrlN = {FVIRTKEY | FCONTROL, 'N', ID_TEST_NEW};
    CString keys;
    CKGPKeyHelper(&ctrlN).Format(keys);
    EXPECT_EQ(L"&New\t" + keys, bar.GetButton(0)->m_strCaption) << "the frame's key replaces the old text";
    EXPECT_EQ(L"&About", bar.GetButton(1)->m_strCaption) << "no key: the text after the tab goes";
    CKGPKeyboardManager::CleanUp();
}



// An item with a command part beside its menu part, whose open sub-menu is
// the stand-in given.
class CSplitItem : public CKGPToolbarMenuButton {
public:
    CSplitItem() : CKGPToolbarMenuButton(ID_TEST_FIND, nullptr, -1, L"&Split") {}
    ~CSplitItem() override { m_pPopupMenu = nullptr; }
    BOOL HasSeparateCommand() const override { return TRUE; }
    void ShowSubMenu(IKGPMenuPopup* pPopup) { m_pPopupMenu = pPopup; }
};

TEST_F(BarTest, AClickBesideTheCommandPartClosesTheSubMenuOnlyWhileItsWindowIsThere)
{
    CKGPPopupMenuBar items;
    ASSERT_TRUE(items.CreateBarEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(1, 1, 1, 1),
                                  0xE831));
    ASSERT_EQ(0, items.InsertButton(std::make_unique<CSplitItem>()));
    auto* item = static_cast<CSplitItem*>(items.GetButton(0));
    ::SetCursorPos(0, 0);  // not over the command part

    // A sub-menu whose window has gone: nothing is sent to it.
    CRecordedPopup gone;
    item->ShowSubMenu(&gone);
    EXPECT_FALSE(items.ClickItem(item)) << "the click is left to the item";

    // A sub-menu with its window: it is closed.
    CRecordedPopup shown;
    menus_test::CKeyRecorder window;
    ASSERT_TRUE(window.Make(&frame));
    shown.window = &window;
    item->ShowSubMenu(&shown);
    EXPECT_FALSE(items.ClickItem(item));
    EXPECT_EQ(nullptr, window.GetSafeHwnd()) << "the sub-menu's window got WM_CLOSE";
    item->ShowSubMenu(nullptr);
    items.DestroyWindow();
}

} // namespace
