// The library's MDI frame under Wine: its client subclassed by the client
// area, document windows made, activated and listed in the Window menu, a
// docking pane shown as a tabbed document and given back to docking (the
// docking layout checked after every step), and a close the user cancelled
// leaving the frame as it was; full screen entered and left, and a print
// preview in a document window.
#include <afxwin.h>

#include <afxpreview.h>

#include <gtest/gtest.h>

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/docking/KGPTabbedDocumentLink.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/ribbon/KGPRibbonBar.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPToolbarButton.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RefusedCreation.h"
#include "tests/support/WindowCapture.h"
#include "tests/support/heap/DeleteWatch.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

using namespace docking_test;

constexpr UINT kFrameMenuId = 800;
constexpr UINT kNoteTemplateId = 801;

// Whether a modified note may be closed (the user's answer to "save?").
bool g_allowClose = true;

class CNoteDoc : public CDocument {
    DECLARE_DYNCREATE(CNoteDoc)
public:
    BOOL SaveModified() override { return IsModified() ? g_allowClose : TRUE; }
};
IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)

class CNoteView : public CView {
    DECLARE_DYNCREATE(CNoteView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(rect);
        pDC->FillSolidRect(rect, RGB(255, 255, 255));
    }
};
IMPLEMENT_DYNCREATE(CNoteView, CView)

class CFramesTestApp : public CWinApp {
public:
    CFramesTestApp() : CWinApp(L"GuilibFramesTests") {}
};
CFramesTestApp theApp;

CWinApp& TestApp()
{
    static const bool initialised = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
        theApp.AddDocTemplate(new CMultiDocTemplate(kNoteTemplateId, RUNTIME_CLASS(CNoteDoc),
                                                    RUNTIME_CLASS(CKGPMDIChildWnd), RUNTIME_CLASS(CNoteView)));
        return true;
    }();
    static_cast<void>(initialised);
    return theApp;
}

class CTestMDIFrame : public CKGPMDIFrameWnd {
public:
    BOOL Open()
    {
        if (!Create(nullptr, _T("Notes"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 700, 520), nullptr,
                    MAKEINTRESOURCE(kFrameMenuId)))
            return FALSE;
        m_hMenuDefault = ::GetMenu(m_hWnd);
        EnableDocking(CBRS_ALIGN_ANY);
        EnableAutoHideBars(CBRS_ALIGN_ANY);
        return TRUE;
    }

protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

class MDIFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        g_allowClose = true;
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
        keyloft_test::PumpPending();
    }
    void TearDown() override
    {
        g_allowClose = true;
        CWinApp& app = TestApp();
        if (app.m_pMainWnd == &frame)
            app.m_pMainWnd = nullptr; // no quit message for the test's loop
        app.m_pDocManager->CloseAllDocuments(FALSE);
        panes.clear();
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
        keyloft_test::Pump(30);
    }

    CKGPMDIChildWnd* AddChild(LPCTSTR title)
    {
        auto* child = new CKGPMDIChildWnd;
        if (!child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                           &frame)) {
            delete child;
            return nullptr;
        }
        keyloft_test::PumpPending();
        return child;
    }
    CKGPDockingControlBar* AddPane(UINT id, LPCTSTR title)
    {
        panes.push_back(MakePane(&frame, id, title, CSize(160, 200)));
        CKGPDockingControlBar* pane = panes.back().get();
        EXPECT_TRUE(pane->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        frame.RecalcLayout();
        return pane;
    }
    // The checks of the Window menu's child entries, in order.
    std::vector<bool> WindowEntryChecks() const
    {
        std::vector<bool> checks;
        HMENU popup = frame.GetWindowMenu();
        for (int i = 0; popup != nullptr && i < ::GetMenuItemCount(popup); ++i) {
            const UINT id = ::GetMenuItemID(popup, i);
            if (id >= AFX_IDM_FIRST_MDICHILD && id != static_cast<UINT>(-1))
                checks.push_back((::GetMenuState(popup, i, MF_BYPOSITION) & MF_CHECKED) != 0);
        }
        return checks;
    }
    CKGPDockManager& Manager() { return *frame.GetDockManager(); }

    CTestMDIFrame frame;
    std::vector<std::unique_ptr<CKGPDockingControlBar>> panes;
};

// What each frame decides for its bars (its layout, its floating frames'
// moves and closes) is reached through its own dock manager, which the frame
// hands it as it makes it: the MDI frame and each document window alike.
TEST_F(MDIFrameTest, TheFrameAndEachDocumentWindowHandTheirDockManagersWhatTheyDecide)
{
    CKGPMDIChildWnd* child = AddChild(_T("Sited"));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(static_cast<IKGPDockSite*>(&frame), frame.GetDockManager()->GetSite());
    EXPECT_EQ(static_cast<IKGPDockSite*>(child), child->GetDockManager()->GetSite());
}

TEST_F(MDIFrameTest, ChildrenAreMadeActivatedAndListedInTheWindowMenu)
{
    ASSERT_NE(frame.m_hWndMDIClient, nullptr);
    EXPECT_EQ(frame.GetClientArea().m_hWnd, frame.m_hWndMDIClient); // subclassed
    ASSERT_NE(frame.GetWindowMenu(), nullptr);

    CKGPMDIChildWnd* first = AddChild(_T("First"));
    CKGPMDIChildWnd* second = AddChild(_T("Second"));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    EXPECT_EQ(first->GetLibraryMDIFrame(), &frame);
    // Docking finds each frame's own dock manager by its window.
    EXPECT_EQ(CKGPDockManager::FromSite(frame.m_hWnd), frame.GetDockManager());
    EXPECT_EQ(CKGPDockManager::FromSite(first->m_hWnd), first->GetDockManager());
    EXPECT_NE(first->GetDockManager(), frame.GetDockManager());

    EXPECT_EQ(frame.MDIGetActive(), second);
    EXPECT_EQ(WindowEntryChecks(), (std::vector<bool>{false, true}));
    frame.MDIActivate(first);
    EXPECT_EQ(frame.MDIGetActive(), first);
    EXPECT_EQ(WindowEntryChecks(), (std::vector<bool>{true, false}));

    // A new window on the same document keeps a maximised child maximised.
    second->MDIMaximize();
    BOOL maximized = FALSE;
    EXPECT_EQ(frame.MDIGetActive(&maximized), second);
    EXPECT_TRUE(maximized);
    first->SendMessage(WM_CLOSE);
    keyloft_test::PumpPending();
    EXPECT_EQ(WindowEntryChecks().size(), 1u);
    EXPECT_EQ(frame.MDIGetActive(), second);
}

TEST_F(MDIFrameTest, APaneBecomesATabbedDocumentAndComesBackToItsPlace)
{
    CKGPDockingControlBar* pane = AddPane(3101, _T("Output"));
    CKGPDockingControlBar* other = AddPane(3102, _T("Classes"));
    ExpectSoundLayout(Manager(), {pane, other}, "two panes docked left");
    CRect docked;
    pane->GetWindowRect(docked);

    CKGPMDIChildWnd* child = frame.ControlBarToTabbedDocument(pane);
    ASSERT_NE(child, nullptr);
    keyloft_test::PumpPending();
    EXPECT_EQ(pane->GetParent(), child);
    EXPECT_TRUE(pane->IsShownAsDocument());
    EXPECT_EQ(child->GetTabbedPaneID(), 3101);
    CString title;
    child->GetWindowText(title);
    EXPECT_EQ(title, CString(_T("Output")));
    // The pane fills the document window; the frame's layout no longer holds it.
    CRect childClient, paneRect;
    child->GetClientRect(childClient);
    pane->GetWindowRect(paneRect);
    EXPECT_EQ(paneRect.Size(), childClient.Size());
    ExpectSoundLayout(Manager(), {other}, "the first pane a tabbed document");
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"mdi-pane-as-document.bmp");

    // A document window that wraps no pane stays as it is.
    CKGPMDIChildWnd* plain = AddChild(_T("Plain"));
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(frame.TabbedDocumentToControlBar(plain));
    EXPECT_TRUE(::IsWindow(plain->m_hWnd));

    const HWND childHandle = child->m_hWnd;
    EXPECT_TRUE(frame.TabbedDocumentToControlBar(child));
    keyloft_test::PumpPending();
    EXPECT_FALSE(::IsWindow(childHandle));
    EXPECT_EQ(pane->GetParent(), &frame);
    EXPECT_FALSE(pane->IsShownAsDocument());
    EXPECT_TRUE(pane->IsWindowVisible());
    ExpectSoundLayout(Manager(), {pane, other}, "the pane back from the document");
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"mdi-pane-back-docked.bmp");
}

// Menus that record the owner they were shown for and choose nothing.
class COwnerRecordingMenus final : public IKGPMenuLink {
public:
    CWnd* GetActivePopupMenu() const override { return nullptr; }
    BOOL IsModalState() const override { return FALSE; }
    BOOL HasContextMenuManager() const override { return TRUE; }
    UINT TrackContextMenu(HMENU, int, int, CWnd* pOwner, BOOL) override
    {
        owner = pOwner;
        return 0;
    }
    UINT TrackPopupMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign) override
    {
        return TrackContextMenu(hMenu, x, y, pOwner, bRightAlign);
    }
    int HitTestPopupMenu(CWnd*, CPoint) const override { return 4; }
    CWnd* owner = nullptr;
};

// The bars menu of an MDI frame lists its own bars, then the bars docked in
// its document windows and the panes shown as tabbed documents; a document
// window's menu is owned by the program's main window, else by the frame
// holding it.
TEST_F(MDIFrameTest, TheBarsMenuListsTheDocumentWindowsBarsAndIsOwnedByTheMainWindow)
{
    CKGPDockingControlBar* docked = AddPane(3151, _T("Classes"));
    CKGPDockingControlBar* document = AddPane(3152, _T("Output"));
    ASSERT_NE(frame.ControlBarToTabbedDocument(document), nullptr);
    CKGPMDIChildWnd* child = AddChild(_T("Plain"));
    ASSERT_NE(child, nullptr);
    child->EnableDocking(CBRS_ALIGN_ANY);
    std::unique_ptr<CKGPControlBar> childBar = MakeBar(child, 3153);
    childBar->SetLibraryBarStyle(KGP_BARSTYLE_CLOSE);
    child->DockControlBar(childBar.get(), AFX_IDW_DOCKBAR_TOP);
    keyloft_test::PumpPending();

    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    Manager().BuildBarsMenu(menu);
    std::vector<UINT> ids;
    for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
        if (menu.GetMenuItemID(i) != 0)
            ids.push_back(menu.GetMenuItemID(i));
    }
    EXPECT_EQ(ids, (std::vector<UINT>{3151, 3153, 3152})) << "the frame's, then its document windows'";
    EXPECT_EQ(menu.GetMenuState(3152, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    static_cast<void>(docked);

    IKGPMenuLink* previous = CKGPLink<IKGPMenuLink>::Get();
    COwnerRecordingMenus menus;
    CKGPLink<IKGPMenuLink>::StandIn(&menus);
    CKGPDockManager* childManager = child->GetDockManager();
    childManager->EnableControlBarContextMenu(TRUE);
    CWinApp& app = TestApp();
    app.m_pMainWnd = nullptr;
    EXPECT_TRUE(childManager->ShowBarsContextMenu(CPoint(100, 100)));
    EXPECT_EQ(menus.owner, &frame) << "the frame holding the document window";
    CWnd mainWindow;
    ASSERT_TRUE(mainWindow.CreateEx(0, AfxRegisterWndClass(0), _T("Main"), WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    app.m_pMainWnd = &mainWindow;
    EXPECT_TRUE(childManager->ShowBarsContextMenu(CPoint(100, 100)));
    EXPECT_EQ(menus.owner, &mainWindow);
    app.m_pMainWnd = nullptr;
    CKGPLink<IKGPMenuLink>::StandIn(previous);
    mainWindow.DestroyWindow();
    childBar.reset();
}

// A tab made a tabbed document goes alone (its tabbed pane's active pane);
// asked for all, the tabbed pane hands over every shown pane and hides.
TEST_F(MDIFrameTest, ATabbedPaneHandsItsActivePaneOrEveryShownPaneToTheDocuments)
{
    frame.EnableMDITabs(TRUE);
    CKGPDockingControlBar* b = AddPane(3172, _T("Watch"));
    CKGPDockingControlBar* a = AddPane(3171, _T("Output"));
    CKGPDockingControlBar* tabbed = nullptr;
    ASSERT_NE(nullptr, a->AttachToTabWnd(b, KGP_DM_UNKNOWN, TRUE, &tabbed));
    ASSERT_NE(nullptr, tabbed);
    frame.RecalcLayout();
    ASSERT_EQ(tabbed, a->GetParentTabbedBar());
    ASSERT_EQ(tabbed, b->GetParentTabbedBar());

    a->ConvertToTabbedDocument(); // the active tab
    keyloft_test::PumpPending();
    EXPECT_TRUE(a->IsShownAsDocument());
    EXPECT_FALSE(b->IsShownAsDocument()) << "the other tab stays";
    EXPECT_EQ(tabbed, b->GetParentTabbedBar());
    EXPECT_TRUE(tabbed->IsWindowVisible());

    tabbed->ConvertToTabbedDocument(FALSE); // every shown pane
    keyloft_test::PumpPending();
    EXPECT_TRUE(b->IsShownAsDocument());
    EXPECT_FALSE(tabbed->IsWindowVisible()) << "left without a shown pane, it hides";
}

TEST_F(MDIFrameTest, ClosingTheDocumentOfAPaneReturnsThePaneToDocking)
{
    CKGPDockingControlBar* pane = AddPane(3201, _T("Output"));
    CKGPMDIChildWnd* child = frame.ControlBarToTabbedDocument(pane);
    ASSERT_NE(child, nullptr);
    child->SendMessage(WM_CLOSE);
    keyloft_test::PumpPending();
    EXPECT_EQ(pane->GetParent(), &frame);
    EXPECT_FALSE(pane->IsShownAsDocument());
    ExpectSoundLayout(Manager(), {pane}, "the document of the pane closed");
}

// Counts the layouts that tell an in-place server's hook.
class CLayoutHook : public COleFrameHook {
public:
    void OnRecalcLayout() override { ++layouts; }
    int layouts = 0;
};

// Hooks a frame for as long as it lives.
class HookScope {
public:
    HookScope(CFrameWnd& frame, COleFrameHook& hook) : m_frame(frame) { m_frame.m_pNotifyHook = &hook; }
    ~HookScope() { m_frame.m_pNotifyHook = nullptr; }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

private:
    CFrameWnd& m_frame;
};

TEST_F(MDIFrameTest, ADocumentWindowsBarsDockOnEverySideAndFloatOnlyWhereAllowed)
{
    CKGPMDIChildWnd* child = AddChild(_T("Bars"));
    ASSERT_NE(nullptr, child);
    child->EnableDocking(CBRS_ALIGN_ANY);
    // A toolbar that floats elsewhere may not float here: a plain bar along
    // the window's top.
    CKGPToolBar toolbar;
    ASSERT_TRUE(toolbar.Create(child, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE820));
    ASSERT_TRUE(toolbar.CanFloat());
    child->DockControlBar(&toolbar);
    EXPECT_FALSE(toolbar.CanFloat());
    EXPECT_EQ(nullptr, toolbar.GetParentDockBar());
    EXPECT_EQ(&toolbar, child->GetDockManager()->FindBarById(0xE820, FALSE));
    EXPECT_FALSE(toolbar.FloatBar(CRect(300, 300, 400, 330))) << "it stays";
    EXPECT_EQ(child, toolbar.GetParent());

    // A pane that docks on one side only may dock on every side here, and docks.
    auto pane = MakePane(child, 3901, _T("Notes"), CSize(120, 100));
    pane->EnableDocking(CBRS_ALIGN_LEFT);
    child->DockControlBar(pane.get());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_ANY), pane->GetEnabledAlignment() & CBRS_ALIGN_ANY);
    EXPECT_NE(nullptr, pane->GetDefaultPaneSlider()) << "docked at an edge of the window";
    EXPECT_FALSE(pane->CanFloat());

    // With floating bars allowed in document windows, a toolbar keeps
    // floating and docks in a dock bar.
    CKGPMDIChildWnd::m_bEnableFloatingBars = TRUE;
    CKGPToolBar floating;
    ASSERT_TRUE(floating.Create(child, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE821));
    child->DockControlBar(&floating);
    CKGPMDIChildWnd::m_bEnableFloatingBars = FALSE;
    EXPECT_TRUE(floating.CanFloat());
    EXPECT_NE(nullptr, floating.GetParentDockBar());

    child->RecalcLayout();
    keyloft_test::PumpPending();
    CRect client, bar;
    child->GetClientRect(client);
    child->ClientToScreen(client);
    toolbar.GetWindowRect(bar);
    EXPECT_EQ(client.left, bar.left) << "along the window's top";
    EXPECT_GE(bar.top, client.top);
    EXPECT_LT(bar.bottom, client.CenterPoint().y);
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"mdi-child-bars.bmp");
    child->DestroyWindow();
    keyloft_test::PumpPending();
}

TEST_F(MDIFrameTest, InPlaceTheFrameFollowsTheActiveDocumentWindowAndARestoredOneGetsItsFrameBack)
{
    CKGPMDIChildWnd* first = AddChild(_T("First"));
    CKGPMDIChildWnd* second = AddChild(_T("Second"));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    CLayoutHook hook;
    {
        HookScope inPlace(frame, hook);
        frame.MDIActivate(first);
        keyloft_test::PumpPending();
        EXPECT_GT(hook.layouts, 0) << "activating a window lays the in-place frame out";

        // Maximised and restored while a server is in place: caption and borders come back.
        second->ModifyStyle(WS_THICKFRAME | WS_MINIMIZEBOX, 0, SWP_FRAMECHANGED);
        frame.MDIMaximize(second);
        keyloft_test::PumpPending();
        frame.MDIRestore(second);
        keyloft_test::PumpPending();
        EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), second->GetStyle() & WS_OVERLAPPEDWINDOW);
    }
    // Not in place: a restored window keeps the style it has.
    second->ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    frame.MDIMaximize(second);
    keyloft_test::PumpPending();
    frame.MDIRestore(second);
    keyloft_test::PumpPending();
    EXPECT_EQ(0u, second->GetStyle() & WS_THICKFRAME);
}

TEST_F(MDIFrameTest, InPlaceAWindowRestoredAmongTabsStaysATab)
{
    CKGPMDIChildWnd* child = AddChild(_T("Tab"));
    ASSERT_NE(nullptr, child);
    frame.EnableMDITabs(TRUE, CKGPMDITabParams());
    keyloft_test::PumpPending();
    ASSERT_TRUE(child->IsTabbedChild());
    CLayoutHook hook;
    HookScope inPlace(frame, hook);
    frame.MDIMaximize(child);
    keyloft_test::PumpPending();
    frame.MDIRestore(child);
    keyloft_test::PumpPending();
    EXPECT_TRUE(child->IsTabbedChild()) << "no caption given back to a tab";
    EXPECT_EQ(0u, child->GetStyle() & WS_CAPTION);
}

TEST_F(MDIFrameTest, AnAutoHiddenPaneSlidOutLaysTheWholeFrameOutWithTheDocking)
{
    CKGPDockingControlBar* pane = AddPane(3701, _T("Output"));
    ASSERT_NE(nullptr, pane->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE));
    keyloft_test::PumpPending();
    CLayoutHook hook;
    HookScope inPlace(frame, hook);
    frame.AdjustDockingLayout();
    const int docking = hook.layouts; // what the docking's own layout asks in place
    pane->Slide(TRUE, FALSE);
    keyloft_test::PumpPending();
    hook.layouts = 0;
    frame.AdjustDockingLayout();
    EXPECT_EQ(docking + 1, hook.layouts) << "the pane slid out: the frame's whole layout too";
    pane->Slide(FALSE, FALSE);
    pane->SetAutoHideMode(FALSE, CBRS_ALIGN_LEFT);
}

TEST_F(MDIFrameTest, TheBorderAnInPlaceItemSetsInsetsTheDocumentsArea)
{
    AddPane(3801, _T("Output"));
    CRect inner;
    Manager().GetInnerDockRect(inner);
    CRect asked;
    EXPECT_TRUE(frame.NegotiateBorderSpace(CFrameWnd::borderGet, &asked));
    EXPECT_EQ(inner, asked) << "what the docking leaves";

    CRect border(4, 6, 8, 10);
    EXPECT_TRUE(frame.NegotiateBorderSpace(CFrameWnd::borderSet, &border));
    EXPECT_EQ(border, frame.m_rectBorder);
    frame.RecalcLayout();
    CRect client;
    ::GetWindowRect(frame.m_hWndMDIClient, &client);
    frame.ScreenToClient(client);
    EXPECT_EQ(inner.left + 4, client.left);
    EXPECT_EQ(inner.top + 6, client.top);
    EXPECT_EQ(inner.right - 8, client.right);
    EXPECT_EQ(inner.bottom - 10, client.bottom);
    EXPECT_TRUE(frame.NegotiateBorderSpace(CFrameWnd::borderSet, nullptr));
    EXPECT_TRUE(frame.m_rectBorder.IsRectEmpty());
}

// A document window that is never shown as a tab.
class CUntabbedChild : public CKGPMDIChildWnd {
public:
    BOOL CanShowOnMDITabs() override { return FALSE; }
};

TEST_F(MDIFrameTest, WithTheTabStripHiddenMinimisedWindowsKeepToTheClientsBottom)
{
    auto* child = new CUntabbedChild;
    ASSERT_TRUE(child->Create(nullptr, _T("Icon"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                              CFrameWnd::rectDefault, &frame));
    frame.EnableMDITabs(TRUE);
    frame.RecalcLayout();
    keyloft_test::PumpPending();
    ASSERT_FALSE(frame.GetClientArea().GetMDITabs().IsWindowVisible()) << "no tab: the strip is hidden";
    child->ShowWindow(SW_MINIMIZE);
    keyloft_test::PumpPending();
    ASSERT_TRUE(child->IsIconic());
    auto belowIcon = [&] {
        CRect client, icon;
        ::GetWindowRect(frame.m_hWndMDIClient, &client);
        child->GetWindowRect(icon);
        return client.bottom - icon.bottom;
    };
    const int below = belowIcon();

    // The frame grows and shrinks: the minimised window stays as far from the bottom.
    CRect rect;
    frame.GetWindowRect(rect);
    frame.SetWindowPos(HWND{}, 0, 0, rect.Width(), rect.Height() + 120, SWP_NOMOVE | SWP_NOZORDER);
    keyloft_test::PumpPending();
    EXPECT_EQ(below, belowIcon()) << "after growing";
    frame.SetWindowPos(HWND{}, 0, 0, rect.Width(), rect.Height() - 60, SWP_NOMOVE | SWP_NOZORDER);
    keyloft_test::PumpPending();
    EXPECT_EQ(below, belowIcon()) << "after shrinking";
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"mdi-icon-at-bottom.bmp");
}

TEST_F(MDIFrameTest, AWindowMenuPopupListsTheWindowsWithTheWindowsDialogForTheTenthAndMore)
{
    std::vector<CKGPMDIChildWnd*> children;
    for (int i = 0; i < 10; ++i) {
        children.push_back(AddChild(_T("Doc")));
        ASSERT_NE(nullptr, children.back());
    }
    frame.MDIActivate(children.front());
    keyloft_test::PumpPending();
    frame.SetWindowsDialogEntry(0x8123, _T("&Windows..."));
    HMENU window = frame.GetWindowMenu();
    ASSERT_NE(nullptr, window);
    std::vector<UINT> systemIds;
    for (int i = 0; i < ::GetMenuItemCount(window); ++i)
        systemIds.push_back(::GetMenuItemID(window, i));
    ASSERT_NE(systemIds.end(), std::find(systemIds.begin(), systemIds.end(), AFX_IDM_FIRST_MDICHILD + 9u))
        << "the system's item for more windows";

    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_WINDOW_NEW, _T("&New Window"));
    auto* popup = new CKGPPopupMenu;
    ASSERT_TRUE(popup->Create(&frame, 100, 100, menu.Detach(), FALSE));
    keyloft_test::PumpPending();
    std::vector<UINT> ids;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i)
        if (CKGPToolbarMenuButton* item = popup->GetMenuItem(i))
            ids.push_back(item->m_nCommand);
    std::vector<UINT> expected{ID_WINDOW_NEW};
    for (UINT id = AFX_IDM_FIRST_MDICHILD; id < AFX_IDM_FIRST_MDICHILD + 9; ++id)
        expected.push_back(id);
    expected.push_back(0x8123);
    EXPECT_EQ(expected, ids) << "nine windows, then the windows dialog instead of the tenth";
    // The active window's entry is checked, as in the system's menu.
    std::vector<UINT> checked;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i)
        if (CKGPToolbarMenuButton* item = popup->GetMenuItem(i); item != nullptr && (item->m_nBits & TBBS_CHECKED))
            checked.push_back(item->m_nCommand);
    std::vector<UINT> systemChecked;
    for (int i = 0; i < ::GetMenuItemCount(window); ++i)
        if (::GetMenuState(window, i, MF_BYPOSITION) & MF_CHECKED)
            systemChecked.push_back(::GetMenuItemID(window, i));
    ASSERT_EQ(1u, systemChecked.size());
    EXPECT_EQ(systemChecked, checked);
    EXPECT_EQ(CString(_T("&Windows...")), popup->GetMenuItem(popup->GetMenuItemCount() - 1)->m_strCaption);
    popup->CloseChain();
    keyloft_test::PumpPending();
}

// A document window whose creation is refused once its window stands (its
// view cannot be made); counted as it is deleted.
int g_refusedChildDeletes = 0;

class CRefusingChild : public CKGPMDIChildWnd {
    DECLARE_DYNCREATE(CRefusingChild)
public:
    ~CRefusingChild() override { ++g_refusedChildDeletes; }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext*) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CRefusingChild, CKGPMDIChildWnd)

TEST_F(MDIFrameTest, ADocumentWindowRefusedInItsCreationIsDeletedOnce)
{
    CWinApp& app = TestApp();
    app.m_pMainWnd = &frame;
    CMultiDocTemplate refusing(kNoteTemplateId, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CRefusingChild),
                               RUNTIME_CLASS(CNoteView));
    CNoteDoc note;
    note.m_bAutoDelete = FALSE;
    g_refusedChildDeletes = 0;
    {
        // Freed blocks are poisoned: the template may not read the frame it lost.
        keyloft_test::DeleteWatchScope watch(true);
        EXPECT_EQ(nullptr, refusing.CreateNewFrame(&note, nullptr));
        keyloft_test::PumpPending();
        EXPECT_EQ(0, watch.Stop());
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    EXPECT_EQ(1, g_refusedChildDeletes);
    EXPECT_EQ(nullptr, frame.MDIGetActive());

    // The frame makes document windows as before.
    CKGPMDIChildWnd* child = AddChild(_T("After"));
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(child, frame.MDIGetActive());
}

TEST_F(MDIFrameTest, APanesDocumentWindowRefusedInItsCreationIsGoneOnceAndThePaneStaysDocked)
{
    CKGPDockingControlBar* pane = AddPane(3111, _T("Output"));
    CRect docked;
    pane->GetWindowRect(docked);
    {
        // Freed blocks are poisoned: the frame may not read the window it lost.
        keyloft_test::DeleteWatchScope watch(true);
        keyloft_test::CRefusedCreationScope refusing(RUNTIME_CLASS(CKGPMDIChildWnd));
        EXPECT_EQ(nullptr, frame.ControlBarToTabbedDocument(pane));
        keyloft_test::PumpPending();
        EXPECT_EQ(1, refusing.Refused());
        EXPECT_EQ(1, refusing.Ended()) << "its window went, with its object";
        EXPECT_EQ(0, watch.Stop()) << "deleted once";
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    EXPECT_EQ(nullptr, frame.MDIGetActive());
    EXPECT_EQ(&frame, pane->GetParent()) << "the pane stays where it was";
    EXPECT_FALSE(pane->IsShownAsDocument());
    CRect now;
    pane->GetWindowRect(now);
    EXPECT_EQ(docked, now);

    // Made again without the refusal, it becomes a document.
    CKGPMDIChildWnd* child = frame.ControlBarToTabbedDocument(pane);
    ASSERT_NE(nullptr, child);
    keyloft_test::PumpPending();
    EXPECT_EQ(child, pane->GetParent());
}

TEST_F(MDIFrameTest, ACancelledCloseLeavesTheFrameAsItWas)
{
    CWinApp& app = TestApp();
    app.m_pMainWnd = &frame;
    CDocument* note = app.m_pDocManager->OpenDocumentFile(nullptr);
    ASSERT_NE(note, nullptr);
    note->SetModifiedFlag(TRUE);
    EXPECT_NE(frame.MDIGetActive(), nullptr);

    g_allowClose = false; // the user keeps the modified note
    frame.SendMessage(WM_CLOSE);
    keyloft_test::PumpPending();
    ASSERT_TRUE(::IsWindow(frame.m_hWnd));
    EXPECT_FALSE(frame.IsClosing());

    // The frame works as before: a pane's document closed goes back to docking.
    CKGPDockingControlBar* pane = AddPane(3301, _T("Output"));
    CKGPMDIChildWnd* child = frame.ControlBarToTabbedDocument(pane);
    ASSERT_NE(child, nullptr);
    child->SendMessage(WM_CLOSE);
    keyloft_test::PumpPending();
    ASSERT_TRUE(::IsWindow(pane->m_hWnd));
    EXPECT_EQ(pane->GetParent(), &frame);
    ExpectSoundLayout(Manager(), {pane}, "after the cancelled close");
    // And it follows its size.
    frame.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    keyloft_test::PumpPending();
    CRect client, mdiClient, paneRect;
    frame.GetClientRect(client);
    ::GetWindowRect(frame.m_hWndMDIClient, &mdiClient);
    pane->GetWindowRect(paneRect);
    EXPECT_EQ(mdiClient.Height(), paneRect.Height());
    EXPECT_FALSE(pane->IsFloating());
    // The client takes the width the pane (and its slider) leaves.
    const int rest = client.Width() - paneRect.Width() - mdiClient.Width();
    EXPECT_GE(rest, 0);
    EXPECT_LE(rest, 12);

    g_allowClose = true;
    app.m_pMainWnd = nullptr;
}

} // namespace

namespace {

using MDIChildTest = MDIFrameTest;

TEST_F(MDIChildTest, WithTabsAChildLosesItsCaptionFillsTheClientAndItsTabFollowsItsTitle)
{
    CKGPMDIChildWnd* first = AddChild(_T("First"));
    CKGPMDIChildWnd* second = AddChild(_T("Second"));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    CRect ownPlace;
    first->GetWindowRect(ownPlace);
    ::MapWindowPoints(nullptr, frame.m_hWndMDIClient, reinterpret_cast<POINT*>(&ownPlace), 2);

    frame.EnableMDITabs(TRUE, CKGPMDITabParams());
    keyloft_test::PumpPending();
    EXPECT_TRUE(first->IsTabbedChild());
    CKGPTabWnd& tabs = frame.GetClientArea().GetMDITabs();
    ASSERT_EQ(tabs.GetTabsNum(), 2);

    // The active child covers the client with its client area (its borders outside).
    CRect mdiClient, childClient;
    ::GetClientRect(frame.m_hWndMDIClient, &mdiClient);
    second->GetClientRect(childClient);
    EXPECT_GE(childClient.Width(), mdiClient.Width());
    EXPECT_GE(childClient.Height(), mdiClient.Height());

    // The tab window stays under the document windows it lists, even when
    // brought to the top.
    tabs.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(nullptr, ::GetWindow(tabs.m_hWnd, GW_HWNDNEXT)) << "at the bottom of the z-order";

    // Titles and activation reach the tabs.
    second->SetWindowText(_T("Renamed"));
    keyloft_test::PumpPending();
    CString label;
    bool renamed = false;
    for (int i = 0; i < tabs.GetTabsNum(); ++i)
        renamed = renamed || (tabs.GetTabLabel(i, label) && label == _T("Renamed"));
    EXPECT_TRUE(renamed);
    first->MDIActivate();
    keyloft_test::PumpPending();
    EXPECT_EQ(tabs.GetTabWnd(tabs.GetActiveTab()), first);
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"mdi-children-as-tabs.bmp");

    // Tabs off: the caption comes back and the child returns to its own place.
    frame.EnableMDITabs(FALSE, CKGPMDITabParams());
    keyloft_test::PumpPending();
    EXPECT_FALSE(first->IsTabbedChild());
    first->ShowWindow(SW_RESTORE);
    CRect place;
    first->GetWindowRect(place);
    ::MapWindowPoints(nullptr, frame.m_hWndMDIClient, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place, ownPlace);
}

} // namespace

namespace {

TEST_F(MDIChildTest, APaneAsksItsMDIFrameToBecomeATabbedDocumentAndDockingAsksForItBack)
{
    CKGPDockingControlBar* pane = AddPane(3401, _T("Output"));
    CKGPDockingControlBar* other = AddPane(3402, _T("Classes"));
    EXPECT_FALSE(pane->IsInMDITabMode()); // its menu offers no tabbed document

    frame.EnableMDITabs(TRUE, CKGPMDITabParams());
    keyloft_test::PumpPending();
    EXPECT_TRUE(pane->IsInMDITabMode());
    pane->ConvertToTabbedDocument();
    keyloft_test::PumpPending();
    ASSERT_TRUE(pane->IsShownAsDocument());
    auto* child = DYNAMIC_DOWNCAST(CKGPMDIChildWnd, pane->GetParent());
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->IsTabbedChild());
    EXPECT_EQ(frame.GetClientArea().GetMDITabs().GetTabsNum(), 1);
    ExpectSoundLayout(Manager(), {other}, "a pane a tabbed document among tabs");

    // Asked again through docking, the document gives the pane back.
    IKGPTabbedDocumentLink* link = CKGPLink<IKGPTabbedDocumentLink>::Get();
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->TabbedDocumentToControlBar(pane));
    keyloft_test::PumpPending();
    EXPECT_FALSE(pane->IsShownAsDocument());
    EXPECT_EQ(pane->GetParent(), &frame);
    EXPECT_EQ(frame.GetClientArea().GetMDITabs().GetTabsNum(), 0);
    ExpectSoundLayout(Manager(), {pane, other}, "the pane back among tabs");
}

} // namespace

namespace {

TEST_F(MDIFrameTest, EscapeWhileASliderHoldsTheMouseEndsItsDragAndGoesNoFurther)
{
    CKGPDockingControlBar* pane = AddPane(3501, _T("Output"));
    CKGPSlider* slider = pane->GetDefaultPaneSlider();
    ASSERT_NE(slider, nullptr);
    MSG escape{frame.m_hWndMDIClient, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_FALSE(frame.PreTranslateMessage(&escape)); // nothing held: the key goes on
    slider->SetCapture();
    EXPECT_TRUE(frame.PreTranslateMessage(&escape));
    EXPECT_NE(CWnd::GetCapture(), slider);
    ::ReleaseCapture();
}

} // namespace

namespace {

std::vector<CString> CategoryTexts(const CKGPToolbarCustomize& sheet, LPCTSTR category)
{
    std::vector<CString> texts;
    if (const CObList* list = sheet.GetCategory(category)) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
            texts.push_back(static_cast<const CKGPToolbarButton*>(list->GetNext(pos))->m_strCaption);
    }
    return texts;
}

TEST_F(MDIFrameTest, TheCommandCatalogueOffersTheFramesWindowsDialogOnceTheFrameHasOne)
{
    const std::vector<CString> plain = CategoryTexts(CKGPToolbarCustomize(&frame, TRUE), _T("Window"));
    frame.SetWindowsDialogEntry(0x8123, _T("&Windows..."));
    CKGPToolbarCustomize sheet(&frame, TRUE);

    EXPECT_EQ((std::vector<CString>{_T("New Window"), _T("Cascade"), _T("Tile")}), plain) << "no entry: none offered";
    EXPECT_EQ((std::vector<CString>{_T("New Window"), _T("Cascade"), _T("Tile"), _T("Windows...")}),
              CategoryTexts(sheet, _T("Window")));
    EXPECT_EQ(CString(_T("Windows...")), CString(sheet.GetCommandName(0x8123)));
    EXPECT_EQ((std::vector<CString>{_T("New")}), CategoryTexts(sheet, _T("File"))) << "only the Window menu";
}

constexpr UINT kIdFullScreen = 0x7F02;
constexpr LONG kUntouched = 4321;

// The maximum track width a document window answers (kUntouched when nothing set it).
LONG MaxTrackWidth(CWnd* pChild)
{
    MINMAXINFO info{};
    info.ptMaxTrackSize.x = info.ptMaxTrackSize.y = kUntouched;
    pChild->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info.ptMaxTrackSize.x;
}

TEST_F(MDIFrameTest, FullScreenGrowsDocumentWindowsWithTheFrameAndLeavesBackToTheLayout)
{
    CKGPDockingControlBar* pane = AddPane(3601, _T("Output"));
    CKGPMDIChildWnd* first = AddChild(_T("First"));
    CKGPMDIChildWnd* second = AddChild(_T("Second"));
    ASSERT_TRUE(first != nullptr && second != nullptr);
    second->MDIMaximize();
    keyloft_test::PumpPending();
    CRect before, clientBefore;
    frame.GetWindowRect(before);
    ::GetWindowRect(frame.m_hWndMDIClient, &clientBefore);
    ExpectSoundLayout(Manager(), {pane}, "before full screen");
    EXPECT_EQ(MaxTrackWidth(second), kUntouched);

    frame.EnableFullScreenMode(kIdFullScreen);
    ASSERT_TRUE(frame.ShowFullScreen());
    keyloft_test::PumpPending();
    EXPECT_TRUE(frame.IsMDIFrameFullScreen());
    CKGPToolBar* pBar = frame.GetFrameImpl().m_FullScreenMgr.GetFullScreenBar();
    ASSERT_NE(pBar, nullptr);
    const CRect full = frame.GetFrameImpl().m_FullScreenMgr.m_rectFullScreenWindow;
    EXPECT_EQ(MaxTrackWidth(second), full.Width());
    EXPECT_EQ(MaxTrackWidth(first), full.Width());
    ExpectSoundLayout(Manager(), {pane, pBar}, "in full screen");

    // Escape leaves it: the frame, its pane and its client as they were.
    MSG escape{frame.m_hWndMDIClient, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    ASSERT_TRUE(frame.PreTranslateMessage(&escape));
    keyloft_test::PumpPending();
    EXPECT_FALSE(frame.IsFullScreen());
    CRect after, clientAfter;
    frame.GetWindowRect(after);
    ::GetWindowRect(frame.m_hWndMDIClient, &clientAfter);
    EXPECT_EQ(after, before);
    EXPECT_EQ(clientAfter, clientBefore);
    EXPECT_TRUE(pane->IsWindowVisible());
    EXPECT_EQ(MaxTrackWidth(second), kUntouched);
    ExpectSoundLayout(Manager(), {pane}, "full screen left");

    // Shown as tab groups, document windows are sized by the client area,
    // and the way back lays the groups out again.
    frame.EnableMDITabbedGroups(TRUE, CKGPMDITabParams());
    keyloft_test::PumpPending();
    ASSERT_TRUE(frame.IsMDITabbedGroup());
    ::GetWindowRect(frame.m_hWndMDIClient, &clientBefore);
    ASSERT_TRUE(frame.ShowFullScreen());
    keyloft_test::PumpPending();
    EXPECT_EQ(MaxTrackWidth(second), kUntouched);
    ExpectSoundLayout(Manager(), {pane, frame.GetFrameImpl().m_FullScreenMgr.GetFullScreenBar()},
                      "tab groups in full screen");
    ASSERT_TRUE(frame.PreTranslateMessage(&escape));
    keyloft_test::PumpPending();
    ::GetWindowRect(frame.m_hWndMDIClient, &clientAfter);
    EXPECT_EQ(clientAfter, clientBefore);
    CRect secondRect;
    second->GetWindowRect(secondRect);
    EXPECT_TRUE(CRect().IntersectRect(secondRect, clientAfter)) << "the active document within the client";
    ExpectSoundLayout(Manager(), {pane}, "tab groups after full screen");
}

TEST_F(MDIFrameTest, APrintPreviewInADocumentWindowIsNamedByTheFrameAndEndedByItsClose)
{
    CKGPDockingControlBar* pane = AddPane(3701, _T("Output"));
    // The template's document windows go into the application's main frame;
    // without one the template fails and says so in a modal message box.
    CWinApp& app = TestApp();
    app.m_pMainWnd = &frame;
    CDocument* note = app.m_pDocManager->OpenDocumentFile(nullptr);
    ASSERT_NE(note, nullptr);
    auto* child = DYNAMIC_DOWNCAST(CKGPMDIChildWnd, frame.MDIGetActive());
    ASSERT_NE(child, nullptr);
    CView* view = child->GetActiveView();
    ASSERT_NE(view, nullptr);

    CPrintPreviewState state;
    ASSERT_TRUE(AfxBeginPrintPreview(view, RUNTIME_CLASS(CKGPPrintPreviewView), &state));
    keyloft_test::PumpPending();
    CKGPPrintPreviewView* preview = CKGPPrintPreviewView::GetActivePreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(frame.GetPrintPreviewFrame(), child);
    EXPECT_EQ(child->GetActiveView(), preview);
    ExpectSoundLayout(Manager(), {pane}, "preview in a document window");

    // The frame's close request ends only the preview: document and window stay.
    frame.SendMessage(WM_CLOSE);
    keyloft_test::PumpPending();
    ASSERT_TRUE(::IsWindow(frame.m_hWnd));
    ASSERT_TRUE(::IsWindow(child->m_hWnd));
    EXPECT_EQ(frame.GetPrintPreviewFrame(), nullptr);
    EXPECT_EQ(CKGPPrintPreviewView::GetActivePreview(), nullptr);
    EXPECT_EQ(child->GetActiveView(), view);
    EXPECT_TRUE(view->IsWindowVisible());
    ExpectSoundLayout(Manager(), {pane}, "preview ended by the frame's close");

    // A document window going while it shows a preview leaves the frame none named.
    ASSERT_TRUE(AfxBeginPrintPreview(view, RUNTIME_CLASS(CKGPPrintPreviewView), &state));
    EXPECT_EQ(frame.GetPrintPreviewFrame(), child);
    child->MDIDestroy();
    keyloft_test::PumpPending();
    EXPECT_EQ(frame.GetPrintPreviewFrame(), nullptr);
    EXPECT_EQ(CKGPPrintPreviewView::GetActivePreview(), nullptr);
    ExpectSoundLayout(Manager(), {pane}, "the previewing window gone");
}

TEST_F(MDIFrameTest, WithAVisibleRibbonAPreviewSwitchPostsTheFrameItsNotice)
{
    MSG msg{};
    frame.OnSetPreviewMode(TRUE);
    frame.OnSetPreviewMode(FALSE);
    EXPECT_FALSE(::PeekMessageW(&msg, frame.m_hWnd, KGM_POSTSETPREVIEWFRAME, KGM_POSTSETPREVIEWFRAME, PM_REMOVE));

    CKGPRibbonBar ribbon;
    ASSERT_TRUE(ribbon.Create(&frame));
    ASSERT_TRUE(ribbon.IsWindowVisible());
    frame.GetFrameImpl().m_pRibbonBar = &ribbon;
    frame.OnSetPreviewMode(TRUE);
    ASSERT_TRUE(::PeekMessageW(&msg, frame.m_hWnd, KGM_POSTSETPREVIEWFRAME, KGM_POSTSETPREVIEWFRAME, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(TRUE));
    frame.OnSetPreviewMode(FALSE);
    ASSERT_TRUE(::PeekMessageW(&msg, frame.m_hWnd, KGM_POSTSETPREVIEWFRAME, KGM_POSTSETPREVIEWFRAME, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(FALSE));
    frame.GetFrameImpl().m_pRibbonBar = nullptr;
    ribbon.DestroyWindow();
}

} // namespace

namespace {

TEST_F(MDIFrameTest, HidingAPaneShownAsADocumentClosesItsWindowAndKeepsThePaneHidden)
{
    CKGPDockingControlBar* pane = AddPane(3801, _T("Output"));
    CKGPDockingControlBar* other = AddPane(3802, _T("Classes"));
    CKGPMDIChildWnd* child = frame.ControlBarToTabbedDocument(pane);
    ASSERT_NE(child, nullptr);
    keyloft_test::PumpPending();
    const HWND childHandle = child->m_hWnd;

    pane->ShowBar(TRUE, FALSE, FALSE); // shown already: the document stays
    EXPECT_TRUE(::IsWindow(childHandle));
    EXPECT_TRUE(pane->IsShownAsDocument());

    pane->ShowBar(FALSE, FALSE, FALSE);
    keyloft_test::PumpPending();
    EXPECT_FALSE(::IsWindow(childHandle));
    EXPECT_EQ(pane->GetParent(), &frame);
    EXPECT_FALSE(pane->IsShownAsDocument());
    EXPECT_FALSE(pane->IsWindowVisible());
    ExpectSoundLayout(Manager(), {pane, other}, "the document's pane hidden");

    pane->ShowBar(TRUE, FALSE, FALSE);
    keyloft_test::PumpPending();
    EXPECT_TRUE(pane->IsWindowVisible());
    EXPECT_FALSE(pane->IsShownAsDocument());
    ExpectSoundLayout(Manager(), {pane, other}, "the pane shown again docked");
}

} // namespace
