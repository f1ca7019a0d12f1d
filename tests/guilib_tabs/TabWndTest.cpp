// Tab windows in the library test host: activation and its notifications in
// order (refused, by click, by insertion and removal), insertion before the
// active tab, hiding, moving by dragging, automatic colours, renaming, the
// stored form with damaged copies, scroll buttons of each style, a repaint
// touching only the two tabs that changed, and screenshots of every style.
#include <gtest/gtest.h>

#include "guilib/core/KGPStoredState.h"
#include "tests/guilib_tabs/TabWndSupport.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/ButtonDataObject.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

using namespace tabs_test;
using keyloft_test::PointParam;

class TabWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(640, 420));
        parent = &host.Make<CTabParent>();
        ASSERT_TRUE(parent->CreateIn(&host, CRect(10, 10, 410, 260)));
    }

    CNotingTabWnd& MakeTabs(int style, int location = CKGPTabWnd::LOCATION_BOTTOM, CRect rect = CRect(0, 0, 400, 250),
                            CWnd* pParent = nullptr)
    {
        CNotingTabWnd& tabs = host.Make<CNotingTabWnd>();
        EXPECT_TRUE(tabs.Create(style, rect, pParent != nullptr ? pParent : parent, 101, location));
        return tabs;
    }

    CColourPage& AddPage(CKGPTabWnd& tabs, const wchar_t* label, int position = -1)
    {
        const int index = tabs.GetTabsNum();
        CColourPage& page = host.Make<CColourPage>(PageColour(index));
        EXPECT_TRUE(page.CreateIn(&tabs, static_cast<UINT>(200 + nextId++)));
        tabs.InsertTab(&page, label, position);
        return page;
    }

    static std::vector<UINT> Messages(const std::vector<Note>& notes)
    {
        std::vector<UINT> messages;
        for (const Note& note : notes)
            messages.push_back(note.message);
        return messages;
    }

    void Click(CKGPTabWnd& tabs, int iTab)
    {
        CRect rect;
        ASSERT_TRUE(tabs.GetTabRect(iTab, rect));
        const CPoint centre = rect.CenterPoint();
        tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(centre.x, centre.y));
        tabs.SendMessage(WM_LBUTTONUP, 0, PointParam(centre.x, centre.y));
    }

    keyloft_test::CLibraryTestHost host;
    CTabParent* parent = nullptr;
    int nextId = 0;
};

TEST_F(TabWndTest, TheFirstTabActivatesAndTheSameTabStaysActiveWhenTabsAreInserted)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D_SCROLLED);
    CColourPage& first = AddPage(tabs, L"First");
    EXPECT_EQ(0, tabs.GetActiveTab());
    EXPECT_EQ((std::vector<UINT>{KGM_ON_CHANGING_ACTIVE_TAB, KGM_ONCHANGE_ACTIVE_TAB}), Messages(parent->Take()));

    CColourPage& second = AddPage(tabs, L"Second");
    EXPECT_EQ(0, tabs.GetActiveTab());
    EXPECT_FALSE(second.IsWindowVisible()); // a tab after the active one stays hidden
    EXPECT_TRUE(parent->Take().empty());

    // Inserted before the active tab: the same tab stays active, one place on.
    Click(tabs, 1);
    EXPECT_EQ(&second, tabs.GetActiveWnd());
    parent->Take();
    CColourPage& before = AddPage(tabs, L"Before", 0);
    EXPECT_EQ(2, tabs.GetActiveTab());
    EXPECT_EQ(&second, tabs.GetActiveWnd());
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(before.IsWindowVisible());
    EXPECT_TRUE(parent->Take().empty());

    // Inserted at the active place: the new tab takes over, nothing is sent.
    CColourPage& atActive = AddPage(tabs, L"At", 2);
    EXPECT_EQ(2, tabs.GetActiveTab());
    EXPECT_EQ(&atActive, tabs.GetActiveWnd());
    EXPECT_TRUE(atActive.IsWindowVisible());
    EXPECT_FALSE(second.IsWindowVisible());
    EXPECT_EQ(3, tabs.GetPreviousActiveTab());
    EXPECT_TRUE(parent->Take().empty());
    EXPECT_FALSE(first.IsWindowVisible());

    // Each tab has its own id, from 1.
    EXPECT_EQ(0, tabs.GetTabByID(3));
    EXPECT_EQ(-1, tabs.GetTabByID(9));
    EXPECT_EQ(3, tabs.GetTabFromHwnd(second.GetSafeHwnd()));
}

TEST_F(TabWndTest, ClicksActivateInOrderAndARefusalKeepsTheActiveTab)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D);
    AddPage(tabs, L"One");
    AddPage(tabs, L"Two");
    AddPage(tabs, L"Three");
    parent->Take();

    Click(tabs, 2);
    const std::vector<Note> notes = parent->Take();
    ASSERT_EQ(2u, notes.size());
    EXPECT_EQ(KGM_ON_CHANGING_ACTIVE_TAB, notes[0].message);
    EXPECT_EQ(2u, notes[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(&tabs), notes[0].lParam);
    EXPECT_EQ(KGM_ONCHANGE_ACTIVE_TAB, notes[1].message);
    EXPECT_EQ(2u, notes[1].wParam);

    parent->m_changingAnswer = 1;
    Click(tabs, 0);
    EXPECT_EQ(2, tabs.GetActiveTab());
    EXPECT_EQ((std::vector<UINT>{KGM_ON_CHANGING_ACTIVE_TAB}), Messages(parent->Take()));
    EXPECT_FALSE(tabs.SetActiveTab(1));
    EXPECT_FALSE(tabs.SetActiveTab(7));
    parent->m_changingAnswer = 0;

    // Activate on right click only when asked.
    CRect rect;
    tabs.GetTabRect(0, rect);
    tabs.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, PointParam(rect.CenterPoint().x, rect.CenterPoint().y));
    EXPECT_EQ(2, tabs.GetActiveTab());
    tabs.EnableActivateOnRightClick();
    tabs.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, PointParam(rect.CenterPoint().x, rect.CenterPoint().y));
    EXPECT_EQ(0, tabs.GetActiveTab());
}

TEST_F(TabWndTest, RemovingAndHidingTabsHandActivationOnAndTellTheParentOnce)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D_SCROLLED);
    AddPage(tabs, L"A");
    AddPage(tabs, L"B");
    CColourPage& c = AddPage(tabs, L"C");
    AddPage(tabs, L"D");
    ASSERT_TRUE(tabs.SetActiveTab(2));
    parent->Take();

    // Removing a tab after the active one keeps it; removing one before it
    // hands activation to the tab now at the removed place. Either way the
    // parent hears of it once.
    ASSERT_TRUE(tabs.RemoveTab(3));
    EXPECT_EQ(&c, tabs.GetActiveWnd());
    std::vector<Note> notes = parent->Take();
    EXPECT_EQ((std::vector<UINT>{KGM_ONCHANGE_ACTIVE_TAB}), Messages(notes));
    AddPage(tabs, L"D");
    ASSERT_TRUE(tabs.RemoveTab(0));
    EXPECT_EQ(0, tabs.GetActiveTab());
    notes = parent->Take();
    ASSERT_EQ(1, std::count_if(notes.begin(), notes.end(),
                               [](const Note& n) { return n.message == KGM_ONCHANGE_ACTIVE_TAB; }));
    ASSERT_TRUE(tabs.SetActiveTab(1));
    EXPECT_EQ(&c, tabs.GetActiveWnd());

    // Hiding the active tab hands it to the next visible one.
    ASSERT_TRUE(tabs.ShowTab(1, FALSE));
    EXPECT_EQ(2, tabs.GetActiveTab());
    EXPECT_FALSE(c.IsWindowVisible());
    EXPECT_EQ(2, tabs.GetVisibleTabsNum());
    CRect hidden;
    EXPECT_FALSE(tabs.GetTabRect(1, hidden));
    EXPECT_TRUE(hidden.IsRectEmpty());
    EXPECT_TRUE(tabs.ShowTab(1, TRUE));
    EXPECT_EQ(2, tabs.GetActiveTab()); // showing another tab keeps the active one
    EXPECT_FALSE(tabs.ShowTab(9, TRUE));
    parent->Take();

    // The last tab removed behaves as removing them all: -1 is announced.
    tabs.RemoveAllTabs();
    notes = parent->Take();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(KGM_ONCHANGE_ACTIVE_TAB, notes.back().message);
    EXPECT_EQ(static_cast<WPARAM>(-1), notes.back().wParam);
    EXPECT_EQ(-1, tabs.GetActiveTab());
    EXPECT_EQ(nullptr, tabs.GetActiveWnd());
    EXPECT_EQ(nullptr, tabs.GetTabWnd(0));
    AddPage(tabs, L"Again");
    EXPECT_EQ(0, tabs.GetTabByID(1)); // ids start again at 1
}

TEST_F(TabWndTest, DraggingATabAlongTheStripMovesItAndTellsTheParent)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D);
    CColourPage& a = AddPage(tabs, L"Alpha");
    AddPage(tabs, L"Beta");
    AddPage(tabs, L"Gamma");
    parent->Take();
    CRect first, third;
    tabs.GetTabRect(0, first);
    tabs.GetTabRect(2, third);
    tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(first.CenterPoint().x, first.CenterPoint().y));
    EXPECT_TRUE(tabs.IsTabDragging());
    tabs.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(third.CenterPoint().x, third.CenterPoint().y));
    tabs.SendMessage(WM_LBUTTONUP, 0, PointParam(third.CenterPoint().x, third.CenterPoint().y));
    EXPECT_FALSE(tabs.IsTabDragging());
    EXPECT_EQ(&a, tabs.GetTabWnd(2));
    EXPECT_EQ(2, tabs.GetActiveTab());
    const std::vector<Note> notes = parent->Take();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(KGM_ON_MOVE_TAB, notes.back().message);
    EXPECT_EQ(0u, notes.back().wParam);
    EXPECT_EQ(2, notes.back().lParam);

    // MoveTab keeps the active tab active at its new place.
    tabs.MoveTab(2, 0);
    EXPECT_EQ(&a, tabs.GetTabWnd(0));
    EXPECT_EQ(0, tabs.GetActiveTab());
    // Tab windows without a docking layer float nothing.
    EXPECT_FALSE(tabs.DetachTab(KGP_TAB_DETACH_BY_DBLCLK, 0));
}

// While the toolbars are customised, a toolbar button dragged over a tab
// opens that tab and is copied with Ctrl, else moved; other data is not
// taken for a button.
TEST_F(TabWndTest, AButtonDraggedOverATabWhileCustomisingOpensItAndOtherDataIsNoButton)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D);
    for (const wchar_t* label : {L"One", L"Two", L"Three"})
        AddPage(tabs, label);
    const CKGPToolBar registers; // the toolbars' link comes with their first bar
    keyloft_test::CButtonData button(CKGPToolbarButton(ID_FILE_NEW, -1, L"New"));
    COleDataSource textSource;
    HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    textSource.CacheGlobalData(CF_TEXT, text);
    COleDataObject textData;
    textData.Attach(textSource.GetDataObject(), FALSE);
    CKGPTabDropTarget target(tabs);
    auto centreOf = [&](int iTab) {
        CRect rect;
        EXPECT_TRUE(tabs.GetTabRect(iTab, rect));
        return rect.CenterPoint();
    };

    CKGPToolBar::s_bCustomizing = TRUE;
    EXPECT_EQ(DROPEFFECT_COPY, target.OnDragOver(nullptr, button.Get(), MK_CONTROL, centreOf(2)));
    EXPECT_EQ(2, tabs.GetActiveTab());
    EXPECT_EQ(DROPEFFECT_MOVE, target.OnDragOver(nullptr, button.Get(), 0, centreOf(1)));
    EXPECT_EQ(1, tabs.GetActiveTab());
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(nullptr, &textData, MK_CONTROL, centreOf(0)));
    CKGPToolBar::s_bCustomizing = FALSE;
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragOver(nullptr, button.Get(), MK_CONTROL, centreOf(2)))
        << "not while customising: nothing is dropped";
}

TEST_F(TabWndTest, AutomaticColoursFollowTheIndexAndAreGivenAgainByANewList)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D_SCROLLED);
    for (int i = 0; i < 10; ++i)
        AddPage(tabs, L"Tab");
    EXPECT_EQ(static_cast<COLORREF>(-1), tabs.GetTabBkColor(9));
    EXPECT_FALSE(tabs.IsColored());
    tabs.EnableAutoColor(TRUE);
    EXPECT_EQ(RGB(255, 219, 117), tabs.GetTabBkColor(9));
    EXPECT_TRUE(tabs.IsColored());
    CArray<COLORREF, COLORREF> colours;
    colours.Add(RGB(255, 0, 0));
    colours.Add(RGB(0, 128, 0));
    tabs.SetAutoColors(colours);
    EXPECT_EQ(RGB(0, 128, 0), tabs.GetTabBkColor(9));
    EXPECT_EQ(RGB(255, 0, 0), tabs.GetTabBkColor(4));
    tabs.SetTabBkColor(4, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), tabs.GetTabBkColor(4));
    tabs.SetAutoColors(CArray<COLORREF, COLORREF>()); // the built-in list again
    EXPECT_EQ(RGB(148, 175, 230), tabs.GetTabBkColor(0));
    tabs.EnableAutoColor(FALSE);
    EXPECT_EQ(static_cast<COLORREF>(-1), tabs.GetTabBkColor(0));
}

TEST_F(TabWndTest, RenamingInPlaceAsksTheParentAndIgnoresAnEmptyName)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_FLAT);
    AddPage(tabs, L"Sheet1");
    AddPage(tabs, L"Sheet2");
    EXPECT_FALSE(tabs.StartRenameTab(0)); // not enabled
    tabs.EnableInPlaceEdit(TRUE);
    ASSERT_TRUE(tabs.StartRenameTab(0));
    ASSERT_NE(nullptr, tabs.GetRenameEdit());
    parent->Take();

    tabs.GetRenameEdit()->SetWindowText(L"");
    EXPECT_TRUE(tabs.RenameTab());
    CString label;
    tabs.GetTabLabel(0, label);
    EXPECT_EQ(CString(L"Sheet1"), label);
    EXPECT_TRUE(parent->Take().empty());

    tabs.GetRenameEdit()->SetWindowText(L"Costs");
    EXPECT_TRUE(tabs.RenameTab());
    tabs.GetTabLabel(0, label);
    EXPECT_EQ(CString(L"Costs"), label);
    std::vector<Note> notes = parent->Take();
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(KGM_ON_RENAME_TAB, notes[0].message);

    parent->m_renameAnswer = 1; // the parent deals with it
    tabs.GetRenameEdit()->SetWindowText(L"Other");
    EXPECT_TRUE(tabs.RenameTab());
    tabs.GetTabLabel(0, label);
    EXPECT_EQ(CString(L"Costs"), label);
    tabs.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(nullptr, tabs.GetRenameEdit());

    // Only the flat style renames in place.
    CNotingTabWnd& classic = MakeTabs(CKGPTabWnd::STYLE_3D, 0, CRect(0, 0, 200, 100));
    classic.EnableInPlaceEdit(TRUE);
    EXPECT_FALSE(classic.IsInPlaceEdit());
}

TEST_F(TabWndTest, TheStoredFormComesBackWholeAndADamagedCopyChangesNothing)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D_SCROLLED);
    AddPage(tabs, L"Tools");      // id 200
    AddPage(tabs, L"Classes");    // id 201
    AddPage(tabs, L"Output & log"); // id 202
    tabs.ShowTab(1, FALSE);
    tabs.SetTabTextColor(2, RGB(10, 20, 30));
    tabs.SetTabBkColor(0, RGB(200, 100, 50));
    tabs.SetActiveTab(2);
    tabs.SetLocation(CKGPTabWnd::LOCATION_TOP);
    const std::vector<BYTE> bytes = keyloft_test::StoredBytes([&](CArchive& ar) { tabs.Serialize(ar); });

    // Another window holding the same panes in another order takes the stored tabs.
    CNotingTabWnd& other = MakeTabs(CKGPTabWnd::STYLE_3D_SCROLLED, 0, CRect(0, 0, 300, 200), &host);
    for (UINT id : {202u, 200u, 201u}) {
        CColourPage& page = host.Make<CColourPage>(PageColour(static_cast<int>(id)));
        ASSERT_TRUE(page.CreateIn(&other, id));
        other.AddTab(&page, L"?");
    }
    CKGPStoredLoad load;
    ASSERT_TRUE(load.ReadBytes(bytes.data(), static_cast<UINT>(bytes.size()),
                               [&](CArchive& ar) { other.ReadTabs(ar, load); }));
    ASSERT_TRUE(load.Commit());
    EXPECT_EQ(3, other.GetRestoredTabsNum());
    other.ApplyRestoredTabInfo();
    CString label;
    other.GetTabLabel(0, label);
    EXPECT_EQ(CString(L"Tools"), label);
    EXPECT_EQ(200, other.GetTabWnd(0)->GetDlgCtrlID());
    EXPECT_EQ(201, other.GetTabWnd(1)->GetDlgCtrlID());
    EXPECT_FALSE(other.IsTabVisible(1));
    EXPECT_EQ(RGB(10, 20, 30), other.GetTabTextColor(2));
    EXPECT_EQ(RGB(200, 100, 50), other.GetTabBkColor(0));
    EXPECT_EQ(2, other.GetActiveTab());
    EXPECT_EQ(CKGPTabWnd::LOCATION_TOP, other.GetLocation());

    // Every shortened copy, and copies with a bad count, active tab or
    // location, are refused whole and change nothing.
    CNotingTabWnd& fresh = MakeTabs(CKGPTabWnd::STYLE_3D, 0, CRect(0, 0, 200, 100), &host);
    int refused = 0;
    for (size_t length = 0; length < bytes.size(); ++length) {
        CKGPStoredLoad damaged;
        damaged.ReadBytes(bytes.data(), static_cast<UINT>(length), [&](CArchive& ar) { fresh.ReadTabs(ar, damaged); });
        refused += damaged.Commit() ? 0 : 1;
    }
    EXPECT_EQ(static_cast<int>(bytes.size()), refused);
    std::vector<BYTE> badCount = bytes;
    badCount[3] = 0x7F; // a count far past what the bytes hold
    std::vector<BYTE> badLocation = bytes;
    badLocation[badLocation.size() - 4] = 5;
    std::vector<BYTE> badActive = bytes;
    badActive[badActive.size() - 8] = 3; // only tabs 0..2 exist
    for (const std::vector<BYTE>* copy : {&badCount, &badLocation, &badActive}) {
        CKGPStoredLoad damaged;
        damaged.ReadBytes(copy->data(), static_cast<UINT>(copy->size()), [&](CArchive& ar) { fresh.ReadTabs(ar, damaged); });
        EXPECT_FALSE(damaged.Commit());
    }
    EXPECT_EQ(0, fresh.GetRestoredTabsNum());
}

// A restored list names its active tab by its place among the stored tabs:
// once those whose panes are gone are skipped, the tab meant is still the one
// activated, the others keep their stored order, and only the active tab's
// window shows.
TEST_F(TabWndTest, ARestoredTabListActivatesTheStoredTabAndShowsOnlyItsWindow)
{
    const auto storedWith = [&](std::initializer_list<UINT> ids, int active) {
        CNotingTabWnd& stored = MakeTabs(CKGPTabWnd::STYLE_3D, 0, CRect(0, 0, 300, 200), &host);
        for (UINT id : ids) {
            CColourPage& page = host.Make<CColourPage>(PageColour(static_cast<int>(id)));
            EXPECT_TRUE(page.CreateIn(&stored, id));
            CString label;
            label.Format(L"Page %u", id);
            stored.AddTab(&page, label);
        }
        stored.SetActiveTab(active);
        return keyloft_test::StoredBytes([&](CArchive& ar) { stored.Serialize(ar); });
    };
    const auto liveWith = [&](std::initializer_list<UINT> ids) -> CNotingTabWnd& {
        CNotingTabWnd& live = MakeTabs(CKGPTabWnd::STYLE_3D, 0, CRect(0, 0, 300, 200), &host);
        for (UINT id : ids) {
            CColourPage& page = host.Make<CColourPage>(PageColour(static_cast<int>(id)));
            EXPECT_TRUE(page.CreateIn(&live, id));
            live.AddTab(&page, L"?");
        }
        return live;
    };
    const auto restore = [](CNotingTabWnd& live, const std::vector<BYTE>& bytes) {
        CKGPStoredLoad load;
        ASSERT_TRUE(load.ReadBytes(bytes.data(), static_cast<UINT>(bytes.size()),
                                   [&](CArchive& ar) { live.ReadTabs(ar, load); }));
        ASSERT_TRUE(load.Commit());
        live.ApplyRestoredTabInfo();
    };
    const auto shownIds = [](CNotingTabWnd& live) {
        std::vector<int> shown;
        for (int i = 0; i < live.GetTabsNum(); ++i) {
            if (live.GetTabWnd(i)->IsWindowVisible())
                shown.push_back(live.GetTabWnd(i)->GetDlgCtrlID());
        }
        return shown;
    };
    const auto order = [](CNotingTabWnd& live) {
        std::vector<int> ids;
        for (int i = 0; i < live.GetTabsNum(); ++i)
            ids.push_back(live.GetTabWnd(i)->GetDlgCtrlID());
        return ids;
    };

    // Another tab than the live active one: the live one's window hides.
    {
        const std::vector<BYTE> bytes = storedWith({300, 302, 303}, 1);
        CNotingTabWnd& live = liveWith({300, 302, 303});
        ASSERT_EQ(0, live.GetActiveTab());
        restore(live, bytes);
        EXPECT_EQ(1, live.GetActiveTab());
        EXPECT_EQ(std::vector<int>({302}), shownIds(live));
    }
    // The second stored tab's pane is gone: the active tab is still the one
    // stored active, after it in order.
    {
        const std::vector<BYTE> bytes = storedWith({310, 311, 312, 313}, 2);
        CNotingTabWnd& live = liveWith({313, 310, 312});
        restore(live, bytes);
        EXPECT_EQ(std::vector<int>({310, 312, 313}), order(live));
        ASSERT_NE(nullptr, live.GetActiveWnd());
        EXPECT_EQ(312, live.GetActiveWnd()->GetDlgCtrlID());
        EXPECT_EQ(std::vector<int>({312}), shownIds(live));
        CString label;
        live.GetTabLabel(1, label);
        EXPECT_EQ(CString(L"Page 312"), label);
    }
    // Every stored tab hidden: none is active and no page shows.
    {
        const std::vector<BYTE> bytes = [&] {
            CNotingTabWnd& stored = MakeTabs(CKGPTabWnd::STYLE_3D, 0, CRect(0, 0, 300, 200), &host);
            for (UINT id : {330u, 331u}) {
                CColourPage& page = host.Make<CColourPage>(PageColour(static_cast<int>(id)));
                EXPECT_TRUE(page.CreateIn(&stored, id));
                stored.AddTab(&page, L"Hidden");
            }
            stored.ShowTab(0, FALSE);
            stored.ShowTab(1, FALSE);
            return keyloft_test::StoredBytes([&](CArchive& ar) { stored.Serialize(ar); });
        }();
        CNotingTabWnd& live = liveWith({330, 331});
        ASSERT_EQ(0, live.GetActiveTab());
        restore(live, bytes);
        EXPECT_EQ(-1, live.GetActiveTab());
        EXPECT_TRUE(shownIds(live).empty());
    }
    // The first stored one gone: the rest keep their stored order from the front.
    {
        const std::vector<BYTE> bytes = storedWith({320, 321, 322}, 1);
        CNotingTabWnd& live = liveWith({322, 321});
        restore(live, bytes);
        EXPECT_EQ(std::vector<int>({321, 322}), order(live));
        EXPECT_EQ(321, live.GetActiveWnd()->GetDlgCtrlID());
    }
}

TEST_F(TabWndTest, ScrollButtonsComeWithTheirStylesAndStayWithinTheRange)
{
    for (int style = 0; style <= 7; ++style) {
        CNotingTabWnd& tabs = MakeTabs(style, 0, CRect(0, 0, 200, 120), &host);
        for (int i = 0; i < 12; ++i)
            AddPage(tabs, L"Wide label");
        const BOOL bScroll = tabs.GetDlgItem(1) != nullptr;
        EXPECT_EQ(style != 0 && style != 6, bScroll) << style;
        if (style == CKGPTabWnd::STYLE_3D_SCROLLED) {
            EXPECT_FALSE(tabs.IsScrollButtonEnabled(kgp::tabs::ButtonKind::ScrollLeft));
            EXPECT_TRUE(tabs.IsScrollButtonEnabled(kgp::tabs::ButtonKind::ScrollRight));
            tabs.PressButton(kgp::tabs::ButtonKind::ScrollLeft);
            EXPECT_EQ(0, tabs.GetScrollOffset());
            for (int i = 0; i < 100; ++i)
                tabs.PressButton(kgp::tabs::ButtonKind::ScrollRight);
            EXPECT_GT(tabs.GetScrollOffset(), 0);
            const int max = tabs.GetScrollOffset();
            tabs.PressButton(kgp::tabs::ButtonKind::ScrollRight);
            EXPECT_EQ(max, tabs.GetScrollOffset());
            EXPECT_FALSE(tabs.IsScrollButtonEnabled(kgp::tabs::ButtonKind::ScrollRight));
            // The first tab brought into view scrolls back.
            tabs.EnsureVisible(0);
            EXPECT_EQ(0, tabs.GetScrollOffset());
            // Tab list mode: tabs past the end leave the strip.
            tabs.EnableTabList(TRUE);
            EXPECT_TRUE(tabs.IsTabsHiddenByList());
            CRect last;
            tabs.GetTabRect(11, last);
            EXPECT_TRUE(last.IsRectEmpty());
            tabs.SetActiveTab(11); // a hidden tab chosen moves to the front
            EXPECT_EQ(0, tabs.GetActiveTab());
        }
        tabs.DestroyWindow();
    }
}

TEST_F(TabWndTest, ActivatingATabAmongAHundredRedrawsOnlyTheTwoTabs)
{
    CNotingTabWnd& tabs = MakeTabs(CKGPTabWnd::STYLE_3D_SCROLLED, 0, CRect(0, 0, 400, 250));
    for (int i = 0; i < 100; ++i)
        AddPage(tabs, L"T");
    keyloft_test::Pump(50);
    tabs.m_drawn.clear();
    ASSERT_TRUE(tabs.SetActiveTab(1));
    keyloft_test::Pump(50);
    EXPECT_EQ((std::set<int>{0, 1}), tabs.m_drawn);
}

TEST_F(TabWndTest, EveryStyleDrawsItsStripAtTheBottomAndTheTop)
{
    parent->ShowWindow(SW_HIDE);
    host.SetWindowPos(HWND{}, 0, 0, 860, 640, SWP_NOMOVE | SWP_NOZORDER);
    const wchar_t* labels[] = {L"Solution", L"Class View", L"Properties", L"Output"};
    for (int style = 0; style <= 7; ++style) {
        for (int location = 0; location <= 1; ++location) {
            const CRect rect(CPoint(10 + (style % 4) * 210, 10 + (style / 4) * 300 + location * 145), CSize(200, 140));
            CNotingTabWnd& tabs = MakeTabs(style, location, rect, &host);
            for (const wchar_t* label : labels)
                AddPage(tabs, label);
            tabs.SetActiveTab(1);
            if (style == 3)
                tabs.EnableAutoColor(TRUE);
        }
    }
    keyloft_test::Pump(300);
    EXPECT_TRUE(host.Screenshot(L"guilib_tabs_styles.bmp"));
}

}  // namespace
