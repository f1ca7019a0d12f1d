// A picture of a library frame's live docking layout for the layout checker
// (DockLayoutCheck.h): the bars of the dock bars' rows, the split trees of
// the default sliders and of the floating frames, the bars floating alone,
// the panes on auto-hide strips (by their sliders), the tabs of tabbed panes, and the monitors; then the check itself.
#pragma once

#include <gtest/gtest.h>

#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockManager.h"
#include "tests/guilib_docking/DockLayoutCheck.h"
#include "tests/guilib_docking/PaneTestSupport.h"

#include <initializer_list>
#include <memory>
#include <vector>

namespace docking_test {

inline BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM param)
{
    reinterpret_cast<std::vector<kgp::split::Box>*>(param)->push_back(BoxOf(*rect));
    return TRUE;
}

// Ids the picture gives the auto-hide toolbars (by their order in the
// rows), and the mark of an empty one (a bar in no place: a fault).
constexpr int kAutoHideToolBarIds = 0x10000000;
constexpr int kEmptyToolBarIds = 0x20000000;

// Where a pane shows: an auto-hidden pane by its button on a shown strip, a
// tab by its tab, any other by its window.
inline bool IsShownInHost(CKGPBaseControlBar* pBar)
{
    auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pBar);
    if (pPane != nullptr && pPane->IsAutoHideMode()) {
        CKGPAutoHideToolBar* pStrip = pPane->GetAutoHideToolBar();
        return pStrip != nullptr && pStrip->IsWindowVisible();
    }
    if (pPane != nullptr && pPane->IsTabbed()) {
        auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pPane->GetParentTabbedBar());
        CKGPBaseTabWnd* pTabs = pTabbed != nullptr ? pTabbed->GetTabWnd() : nullptr;
        const int iTab = pTabs != nullptr ? pTabs->GetTabFromHwnd(pPane->GetSafeHwnd()) : -1;
        return iTab >= 0 && pTabs->IsTabVisible(iTab);
    }
    return pBar->IsWindowVisible() != FALSE;
}

inline layout_check::BarView ViewOfBar(CKGPBaseControlBar* pBar)
{
    layout_check::BarView view;
    view.id = pBar->GetDlgCtrlID();
    view.isPane = pBar->IsPaneKind() != FALSE;
    view.visible = pBar->IsWindowVisible() != FALSE;
    CRect rect;
    pBar->GetWindowRect(rect);
    view.rect = BoxOf(rect);
    if (auto* pControlBar = DYNAMIC_DOWNCAST(CKGPControlBar, pBar)) {
        CSize minimum;
        pControlBar->GetMinSize(minimum);
        view.minimum = {minimum.cx, minimum.cy};
    }
    view.shownInHost = IsShownInHost(pBar);
    return view;
}

// The panes tabbed in a tabbed pane stand in its tabs.
inline void AddTabsOf(layout_check::LayoutView& layout, CWnd* pPane)
{
    auto* pTabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pPane);
    CKGPBaseTabWnd* pTabs = pTabbed != nullptr ? pTabbed->GetTabWnd() : nullptr;
    if (pTabs == nullptr)
        return;
    for (int i = 0; i < pTabs->GetTabsNum(); ++i) {
        if (CWnd* pTab = pTabs->GetTabWndNoWrapper(i))
            layout.placements.push_back({pTab->GetDlgCtrlID(), layout_check::PlaceKind::Tab, pPane->GetDlgCtrlID()});
    }
}

inline void AddTree(layout_check::LayoutView& layout, CKGPBarContainerManager& manager, const CRect& room)
{
    const int owner = static_cast<int>(layout.trees.size());
    layout.trees.push_back({SnapshotOf(manager), BoxOf(room)});
    for (int id : layout.trees.back().tree.listedPanes)
        layout.placements.push_back({id, layout_check::PlaceKind::Tree, owner});
    for (POSITION pos = manager.GetPanes().GetHeadPosition(); pos != nullptr;)
        AddTabsOf(layout, static_cast<CWnd*>(manager.GetPanes().GetNext(pos)));
}

// The layout of the frame's dock manager; `bars` are every bar the test made
// and has not destroyed (the truth the layout is held to).
inline layout_check::LayoutView SnapshotLayout(CKGPDockManager& manager, std::initializer_list<CKGPBaseControlBar*> bars)
{
    layout_check::LayoutView layout;
    for (CKGPBaseControlBar* pBar : bars)
        layout.bars.push_back(ViewOfBar(pBar));
    int row = 0;
    int toolbars = 0;
    for (POSITION pos = manager.GetControlBars().GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = manager.GetControlBars().GetNext(pos);
        if (auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pObject)) {
            for (POSITION rowPos = pDockBar->GetRows().GetHeadPosition(); rowPos != nullptr; ++row) {
                const auto* pRow = static_cast<CKGPDockBarRow*>(pDockBar->GetRows().GetNext(rowPos));
                for (POSITION barPos = pRow->GetControlBars().GetHeadPosition(); barPos != nullptr;) {
                    auto* pBar = static_cast<CKGPBaseControlBar*>(pRow->GetControlBars().GetNext(barPos));
                    int id = pBar->GetDlgCtrlID();
                    // The auto-hide strips' toolbars are the layout's own bars
                    // (known by their place in the rows): each stands in one
                    // row, and none stands there empty.
                    if (auto* pToolBar = DYNAMIC_DOWNCAST(CKGPAutoHideToolBar, pBar)) {
                        id = kAutoHideToolBarIds + toolbars++;
                        layout.bars.push_back(ViewOfBar(pToolBar));
                        layout.bars.back().id = id;
                        if (pToolBar->GetButtonCount() == 0)
                            layout.bars.push_back({kEmptyToolBarIds + id, false, false, {}, {}});
                    }
                    layout.placements.push_back({id, layout_check::PlaceKind::Row, row});
                }
            }
        } else if (auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, pObject);
                   pSlider != nullptr && pSlider->IsDefault() && pSlider->GetContainerManager() != nullptr) {
            CRect room;
            pSlider->GetContainerManager()->GetWindowRect(room);
            AddTree(layout, *pSlider->GetContainerManager(), room);
        }
    }
    for (POSITION pos = manager.GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        auto* pFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, manager.GetMiniFrames().GetNext(pos));
        if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
            continue;
        CRect rect;
        pFrame->GetWindowRect(rect);
        const int owner = static_cast<int>(layout.floating.size());
        layout.floating.push_back({owner, BoxOf(rect)});
        if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pFrame)) {
            CRect client;
            pMulti->GetClientRect(client);
            pMulti->ClientToScreen(client);
            AddTree(layout, pMulti->GetContainerManager(), client);
        } else if (CWnd* pBar = pFrame->GetControlBar()) {
            layout.placements.push_back({pBar->GetDlgCtrlID(), layout_check::PlaceKind::FloatingFrame, owner});
            AddTabsOf(layout, pBar);
        }
    }
    int strip = 0;
    for (POSITION pos = manager.GetAutoHideBars().GetHeadPosition(); pos != nullptr; ++strip) {
        auto* pSlider = DYNAMIC_DOWNCAST(CKGPSlider, manager.GetAutoHideBars().GetNext(pos));
        if (pSlider == nullptr || pSlider->GetControlBars() == nullptr)
            continue;
        for (POSITION panePos = pSlider->GetControlBars()->GetHeadPosition(); panePos != nullptr;) {
            auto* pPane = static_cast<CWnd*>(pSlider->GetControlBars()->GetNext(panePos));
            layout.placements.push_back({pPane->GetDlgCtrlID(), layout_check::PlaceKind::AutoHide, strip});
            AddTabsOf(layout, pPane);
        }
    }
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&layout.monitors));
    return layout;
}

inline void ExpectSoundLayout(CKGPDockManager& manager, std::initializer_list<CKGPBaseControlBar*> bars,
                              const char* step)
{
    EXPECT_EQ("", Faults(layout_check::CheckDockLayout(SnapshotLayout(manager, bars)))) << step;
}

// The panes a pane test made (those still windows).
inline void ExpectSoundLayout(CKGPDockManager& manager, const std::vector<std::unique_ptr<CKGPDockingControlBar>>& panes,
                              const char* step)
{
    layout_check::LayoutView layout = SnapshotLayout(manager, {});
    for (const auto& pane : panes) {
        if (pane != nullptr && pane->GetSafeHwnd() != nullptr)
            layout.bars.push_back(ViewOfBar(pane.get()));
    }
    EXPECT_EQ("", Faults(layout_check::CheckDockLayout(layout))) << step;
}

} // namespace docking_test
