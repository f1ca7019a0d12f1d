// The tear-off, context-menu, key-name, keyboard and mouse managers.
#include <gtest/gtest.h>

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/menus/KGPContextMenuManager.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/menus/KGPMouseManager.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/toolbars/KGPKeyHelper.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/MenuDriver.h"

#include <afxarch.h>

#include <vector>

namespace {

using menus_test::CCommandFrame;

// ---- Tear-off ids ----

TEST(TearOffManagerTest, IdsAreHandedOutCountedAndFreed)
{
    CKGPTearOffManager manager;
    EXPECT_EQ(&manager, g_pTearOffMenuManager);
    EXPECT_EQ(0u, manager.GetFreeTearOffId()) << "no range yet";
    EXPECT_FALSE(manager.Initialize(0, 5));
    EXPECT_FALSE(manager.Initialize(9, 8));
    ASSERT_TRUE(manager.Initialize(500, 502));

    EXPECT_EQ(500u, manager.GetFreeTearOffId());
    EXPECT_EQ(501u, manager.GetFreeTearOffId());
    manager.SetInUse(502, FALSE);
    EXPECT_EQ(0, manager.GetUseCount(502)) << "never below 0";
    manager.SetInUse(499);
    manager.SetInUse(503);
    EXPECT_EQ(0, manager.GetUseCount(499)) << "outside the range";
    EXPECT_EQ(502u, manager.GetFreeTearOffId());
    EXPECT_EQ(0u, manager.GetFreeTearOffId()) << "all used";
    manager.SetInUse(501, FALSE);
    EXPECT_EQ(501u, manager.GetFreeTearOffId());
    manager.Reset(nullptr);
    EXPECT_EQ(500u, manager.GetFreeTearOffId());

    CString text = L"\x01" L"42\x01" L"Word";
    EXPECT_EQ(42u, CKGPTearOffManager::ParseTearOffId(text));
    EXPECT_EQ(L"Word", text);
    text = L"\x01";
    EXPECT_EQ(0u, CKGPTearOffManager::ParseTearOffId(text));
    EXPECT_EQ(L"\x01", text);
}

TEST(TearOffManagerTest, MenusWithBarBreakSubMenusAreMarkedAndFreedAgain)
{
    CKGPTearOffManager manager;
    ASSERT_TRUE(manager.Initialize(700, 701));
    CMenu root;
    ASSERT_TRUE(root.CreatePopupMenu());
    const auto addPopup = [](CMenu& parent, LPCTSTR text, UINT flags) {
        CMenu child;
        child.CreatePopupMenu();
        child.AppendMenu(MF_STRING, ID_TEST_CUT, L"Cut");
        const HMENU handle = child.Detach();
        parent.AppendMenu(MF_POPUP | flags, reinterpret_cast<UINT_PTR>(handle), text);
        return handle;
    };
    const HMENU first = addPopup(root, L"First", MF_MENUBARBREAK);
    addPopup(root, L"Plain", 0);
    CMenu firstMenu;
    firstMenu.Attach(first);
    addPopup(firstMenu, L"Inner", MF_MENUBARBREAK);
    addPopup(firstMenu, L"Third", MF_MENUBARBREAK);
    firstMenu.Detach();

    manager.SetupTearOffMenus(root);
    CString text;
    root.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_EQ(700u, CKGPTearOffManager::ParseTearOffId(text));
    EXPECT_EQ(L"First", text);
    root.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(L"Plain", text) << "no bar break: not torn off";
    ::GetMenuStringW(first, 1, text.GetBuffer(64), 64, MF_BYPOSITION);
    text.ReleaseBuffer();
    EXPECT_EQ(701u, CKGPTearOffManager::ParseTearOffId(text)) << "sub-menus are walked";
    ::GetMenuStringW(first, 2, text.GetBuffer(64), 64, MF_BYPOSITION);
    text.ReleaseBuffer();
    EXPECT_EQ(L"Third", text) << "no id left: the walk stopped";

    manager.SetupTearOffMenus(root);
    EXPECT_EQ(1, manager.GetUseCount(700)) << "a marked item keeps its id";
    manager.Reset(root);
    EXPECT_EQ(0, manager.GetUseCount(700));
    EXPECT_EQ(0, manager.GetUseCount(701));
}

// ---- Key names and the keyboard manager ----

TEST(KeyboardManagerTest, KeyTextsNameModifiersInOrderThenTheKey)
{
    ACCEL entry = {FVIRTKEY | FSHIFT | FCONTROL, VK_F5, ID_TEST_FIND};
    CString text;
    CKGPKeyHelper(&entry).Format(text);
    const CString expected = CKGPKeyHelper::GetKeyName(VK_CONTROL) + L"+" + CKGPKeyHelper::GetKeyName(VK_SHIFT) +
                             L"+" + CKGPKeyHelper::GetKeyName(VK_F5);
    EXPECT_EQ(expected, text);
    EXPECT_FALSE(CKGPKeyHelper::GetKeyName(VK_F5).IsEmpty());
    const CString ctrl = CKGPKeyHelper::GetKeyName(VK_CONTROL);
    ASSERT_GE(ctrl.GetLength(), 2);
    EXPECT_TRUE(::IsCharUpperW(ctrl[0]));
    EXPECT_FALSE(::IsCharUpperW(ctrl[1])) << "lower case after the first letter";
    EXPECT_EQ(L"Pause", CKGPKeyHelper::GetKeyName(VK_PAUSE));

    ACCEL escape = {FALT, 27, ID_TEST_FIND};
    CKGPKeyHelper(&escape).Format(text);
    EXPECT_EQ(CKGPKeyHelper::GetKeyName(VK_MENU) + L"+", text) << "Esc as a character shows nothing";
    ACCEL character = {0, 'q', ID_TEST_FIND};
    CKGPKeyHelper(&character).Format(text);
    EXPECT_EQ(L"q", text);
    CKGPKeyHelper().Format(text);
    EXPECT_TRUE(text.IsEmpty());
}

class KeyboardManagerFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        frame.m_hAccelTable = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TEST_ACCEL));
        ASSERT_NE(nullptr, frame.m_hAccelTable);
    }
    void TearDown() override
    {
        CKGPKeyboardManager::ShowAllAccelerators(FALSE);
        CKGPKeyboardManager::CleanUp();
        frame.DestroyWindow();
    }
    CCommandFrame frame;
};

TEST_F(KeyboardManagerFrameTest, ShortcutTextsAndHandledKeysComeFromTheFramesTable)
{
    CString text;
    EXPECT_TRUE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_NEW, text, &frame, TRUE));
    EXPECT_EQ(CKGPKeyHelper::GetKeyName(VK_CONTROL) + L"+" + CKGPKeyHelper::GetKeyName('N'), text);
    EXPECT_FALSE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_ABOUT, text, &frame, TRUE));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_NEW, text, nullptr, TRUE));

    EXPECT_TRUE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_PASTE, text, &frame, FALSE));
    EXPECT_EQ(-1, text.Find(L"; ")) << "only the first key";
    CKGPKeyboardManager::ShowAllAccelerators(TRUE);
    EXPECT_TRUE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_PASTE, text, &frame, FALSE));
    ACCEL shiftInsert = {FVIRTKEY | FSHIFT, VK_INSERT, ID_TEST_PASTE};
    ACCEL ctrlV = {FVIRTKEY | FCONTROL, 'V', ID_TEST_PASTE};
    CString first, second;
    CKGPKeyHelper(&shiftInsert).Format(first);
    CKGPKeyHelper(&ctrlV).Format(second);
    EXPECT_EQ(first + L"; " + second, text);

    EXPECT_TRUE(CKGPKeyboardManager::IsKeyHandled(VK_F5, FVIRTKEY | FCONTROL | FSHIFT, &frame, TRUE));
    EXPECT_FALSE(CKGPKeyboardManager::IsKeyHandled(VK_F5, FVIRTKEY | FCONTROL, &frame, TRUE));
    EXPECT_FALSE(CKGPKeyboardManager::IsKeyHandled(VK_F5, FVIRTKEY | FCONTROL | FSHIFT, nullptr, TRUE));
}

TEST_F(KeyboardManagerFrameTest, ANewTableReplacesTheFramesAndTheOldOneGoes)
{
    CString text;
    ASSERT_TRUE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_NEW, text, &frame, TRUE));
    const HACCEL old = frame.m_hAccelTable;
    ACCEL entries[] = {{FVIRTKEY | FALT, 'Q', ID_TEST_ABOUT}};
    EXPECT_FALSE(CKGPKeyboardManager::UpdateAcceleratorTable(nullptr, entries, 0, &frame)) << "no entries";
    EXPECT_EQ(old, frame.m_hAccelTable);
    ASSERT_TRUE(CKGPKeyboardManager::UpdateAcceleratorTable(nullptr, entries, 1, &frame));
    EXPECT_NE(old, frame.m_hAccelTable);
    EXPECT_EQ(0, ::CopyAcceleratorTableW(old, nullptr, 0)) << "the old table is destroyed";
    EXPECT_TRUE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_ABOUT, text, &frame, TRUE));
    EXPECT_FALSE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_NEW, text, &frame, TRUE))
        << "the copy kept of the old table is not read again";
}

// A document of the template, shown by a view in a frame of its own.
class CTestDocument : public CDocument {
    DECLARE_DYNCREATE(CTestDocument)
};
IMPLEMENT_DYNCREATE(CTestDocument, CDocument)

class CTestView : public CView {
public:
    void OnDraw(CDC*) override {}
    void Show(CDocument* pDoc) { pDoc->AddView(this); }
    void Leave(CDocument* pDoc) { pDoc->RemoveView(this); }
};

TEST_F(KeyboardManagerFrameTest, ATemplatesNewTableReachesTheFramesThatHeldItsOldOne)
{
    CMultiDocTemplate docTemplate(IDR_TEMPLATE, RUNTIME_CLASS(CTestDocument), nullptr, nullptr);
    ASSERT_TRUE(docTemplate.m_hAccelTable);
    ASSERT_TRUE(docTemplate.m_hMenuShared);
    CTestDocument document;
    document.m_bAutoDelete = FALSE;
    docTemplate.AddDocument(&document);

    CCommandFrame child;
    ASSERT_TRUE(child.Open());
    child.m_hAccelTable = docTemplate.m_hAccelTable.Get();
    auto* view = new CTestView;
    ASSERT_TRUE(view->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &child, AFX_IDW_PANE_FIRST));
    view->Show(&document);
    const HACCEL frameTable = frame.m_hAccelTable;

    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'K', ID_TEST_OPEN}};
    ASSERT_TRUE(CKGPKeyboardManager::UpdateAcceleratorTable(&docTemplate, entries, 1));
    EXPECT_EQ(docTemplate.m_hAccelTable.Get(), child.m_hAccelTable);
    EXPECT_EQ(frameTable, frame.m_hAccelTable) << "a frame of no document keeps its table";
    CString text;
    EXPECT_TRUE(CKGPKeyboardManager::GetCommandShortcutText(ID_TEST_OPEN, text, &child, FALSE));
    EXPECT_EQ(CKGPKeyHelper::GetKeyName(VK_CONTROL) + L"+" + CKGPKeyHelper::GetKeyName('K'), text);

    view->Leave(&document);
    docTemplate.RemoveDocument(&document);
    child.m_hAccelTable = nullptr;
    child.DestroyWindow();
}

// ---- Mouse manager ----

TEST(MouseManagerTest, DoubleClickCommandsPerViewAndTheirStoredForm)
{
    CKGPMouseManager mouse;
    EXPECT_EQ(&mouse, g_pMouseManager);
    EXPECT_TRUE(mouse.AddView(1, L"Editor", 100));
    EXPECT_TRUE(mouse.AddView(2, L"Browser"));
    EXPECT_FALSE(mouse.AddView(3, L"Editor")) << "the name is taken";
    EXPECT_FALSE(mouse.AddView(1, L"Other")) << "the id is taken";
    CStringList names;
    names.AddTail(L"stale");
    mouse.GetViewNames(names);
    ASSERT_EQ(2, names.GetCount());
    EXPECT_EQ(L"Browser", names.GetHead());
    EXPECT_EQ(2, mouse.GetViewIdByName(L"Browser"));
    EXPECT_EQ(-1, mouse.GetViewIdByName(L"None"));
    EXPECT_EQ(100u, mouse.GetViewIconId(1));
    EXPECT_EQ(0u, mouse.GetViewIconId(2));

    mouse.SetCommandForDblClick(2, 0);
    EXPECT_EQ(0u, mouse.GetViewDblClickCommand(2)) << "no entry, and none made";
    mouse.SetCommandForDblClick(1, ID_TEST_OPEN);
    mouse.SetCommandForDblClick(2, ID_TEST_FIND);
    const std::vector<BYTE> stored = menus_test::Stored(mouse);
    EXPECT_EQ(4u + 2 * 8, stored.size());

    CKGPMouseManager other;
    other.SetCommandForDblClick(7, ID_TEST_CUT);
    keyloft_test::LoadBytes(stored, [&](CArchive& ar) { other.Serialize(ar); });
    EXPECT_EQ(UINT(ID_TEST_OPEN), other.GetViewDblClickCommand(1));
    EXPECT_EQ(UINT(ID_TEST_FIND), other.GetViewDblClickCommand(2));
    EXPECT_EQ(0u, other.GetViewDblClickCommand(7)) << "a load replaces the commands";

    // A view stored twice, or a count beyond the bytes, changes nothing.
    std::vector<BYTE> twice = stored;
    std::copy(stored.begin() + 4, stored.begin() + 8, twice.begin() + 12);
    for (const std::vector<BYTE>& damaged : {twice, std::vector<BYTE>{9, 0, 0, 0, 1, 0, 0, 0}}) {
        EXPECT_ANY_THROW(keyloft_test::LoadBytes(damaged, [&](CArchive& ar) {
            try {
                mouse.Serialize(ar);
            } catch (CException* e) {
                e->Delete();
                throw 1;
            }
        }));
        EXPECT_EQ(UINT(ID_TEST_OPEN), mouse.GetViewDblClickCommand(1));
        EXPECT_EQ(UINT(ID_TEST_FIND), mouse.GetViewDblClickCommand(2));
    }
}

// ---- Context menus ----

TEST(ContextMenuManagerTest, MenusByNameAndIdShownForTheFamiliesBelow)
{
    {
        CKGPContextMenuManager manager;
        EXPECT_TRUE(KGPMenuLinks::HasContextMenuManager()) << "the families below see it";
        EXPECT_TRUE(manager.AddMenu(L"Edit", IDR_CONTEXT_MENU));
        EXPECT_FALSE(manager.AddMenu(L"Edit", IDR_TEST_MENU)) << "the name is taken";
        EXPECT_FALSE(manager.AddMenu(L"Again", IDR_CONTEXT_MENU)) << "the id is taken";
        EXPECT_FALSE(manager.AddMenu(L"Missing", 999));
        EXPECT_TRUE(manager.AddMenu(L"Main", IDR_TEST_MENU));

        CStringList names;
        manager.GetMenuNames(names);
        EXPECT_EQ(2, names.GetCount());
        UINT id = 1;
        EXPECT_EQ(nullptr, manager.GetMenuByName(L"None", &id));
        EXPECT_EQ(0u, id);
        const HMENU edit = manager.GetMenuByName(L"Edit", &id);
        EXPECT_EQ(UINT(IDR_CONTEXT_MENU), id);
        EXPECT_EQ(edit, manager.GetMenuById(IDR_CONTEXT_MENU));

        CCommandFrame frame;
        ASSERT_TRUE(frame.Open());
        // The library's popup menu shows: the second item is chosen by keys.
        const HMENU popup = ::GetSubMenu(edit, 0);
        UINT chosen = 0;
        {
            test_support::CMenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN});
            chosen = KGPMenuLinks::HasContextMenuManager()
                         ? CKGPLink<IKGPMenuLink>::Get()->TrackContextMenu(popup, 100, 100, &frame, FALSE)
                         : 0;
            EXPECT_TRUE(driver.Found());
        }
        EXPECT_EQ(UINT(ID_TEST_COPY), chosen);
        EXPECT_TRUE(frame.commands.empty()) << "tracked: the command is answered, not sent";
        frame.DestroyWindow();
    }
    EXPECT_FALSE(KGPMenuLinks::HasContextMenuManager());
}

} // namespace
