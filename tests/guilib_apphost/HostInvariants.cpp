#include "tests/guilib_apphost/HostInvariants.h"

#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/panes/KGPOutlookWnd.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "tests/guilib_apphost/HostDriver.h"
#include "tests/guilib_apphost/HostMainFrame.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"

#include <cwchar>
#include <map>

namespace apphost {

namespace {

std::string Narrow(const CString& text)
{
    return std::string(CStringA(text).GetString());
}

std::string Name(HWND hWnd)
{
    wchar_t className[128] = {};
    ::GetClassNameW(hWnd, className, 128);
    CString text;
    CWnd::FromHandle(hWnd)->GetWindowText(text);
    char handle[32];
    std::snprintf(handle, sizeof(handle), "%p", static_cast<void*>(hWnd));
    return Narrow(CString(className)) + " \"" + Narrow(text) + "\" " + handle;
}

// The outlook bar whole: its outlook window with the two pages as its tabs,
// each page inside the bar with its two buttons.
void CheckOutlookBar(CHostMainFrame& frame, std::vector<std::string>& faults)
{
    CKGPOutlookBar& bar = frame.m_wndShortcuts;
    if (bar.GetSafeHwnd() == nullptr || !::IsWindow(bar.GetSafeHwnd())) {
        faults.push_back("the outlook bar has no window");
        return;
    }
    CKGPOutlookWnd* outlook = bar.GetOutlookWnd();
    if (outlook == nullptr || outlook->GetSafeHwnd() == nullptr) {
        faults.push_back("the outlook bar has no outlook window");
        return;
    }
    CKGPOutlookBarPane* pages[] = {&frame.m_wndMailPage, &frame.m_wndNotesPage};
    if (outlook->GetTabsNum() != 2)
        faults.push_back("the outlook bar holds " + std::to_string(outlook->GetTabsNum()) + " pages, not 2");
    for (int i = 0; i < 2; ++i) {
        CKGPOutlookBarPane& page = *pages[i];
        if (page.GetSafeHwnd() == nullptr) {
            faults.push_back("outlook page " + std::to_string(i) + " has no window");
            continue;
        }
        if (i < outlook->GetTabsNum() && outlook->GetTabWndNoWrapper(i) != &page)
            faults.push_back("outlook page " + std::to_string(i) + " is not the bar's tab " + std::to_string(i));
        if (!::IsChild(bar.GetSafeHwnd(), page.GetSafeHwnd()))
            faults.push_back("outlook page " + std::to_string(i) + " stands outside the outlook bar");
        if (page.GetCount() != 2)
            faults.push_back("outlook page " + std::to_string(i) + " has " + std::to_string(page.GetCount()) +
                             " buttons, not 2");
    }
}

struct WindowsOfThread {
    std::vector<HWND> all;
    std::vector<HWND> topLevel;
};

WindowsOfThread ThreadWindows()
{
    WindowsOfThread found;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto& found = *reinterpret_cast<WindowsOfThread*>(lParam);
            found.topLevel.push_back(hWnd);
            found.all.push_back(hWnd);
            ::EnumChildWindows(
                hWnd,
                [](HWND hChild, LPARAM lParam) -> BOOL {
                    reinterpret_cast<WindowsOfThread*>(lParam)->all.push_back(hChild);
                    return TRUE;
                },
                lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A window of the library's classes ("KGP...") or the layer's ("Afx...")
// belongs to an object; one without is left over from an object gone.
void CheckOwners(const WindowsOfThread& windows, std::vector<std::string>& faults)
{
    for (HWND hWnd : windows.all) {
        wchar_t className[128] = {};
        ::GetClassNameW(hWnd, className, 128);
        const bool ours = std::wcsncmp(className, L"KGP", 3) == 0 || std::wcsncmp(className, L"Afx", 3) == 0;
        // (The listener of system changes is a window of the library's
        // own, without an object.)
        if (ours && CWnd::FromHandlePermanent(hWnd) == nullptr &&
            std::wcscmp(className, L"KGPSystemChangeListener") != 0)
            faults.push_back("a window without its object: " + Name(hWnd));
    }
}

// At rest the user sees the frame, the floating frames the dock manager
// lists, the customisation sheet while open, and tooltips.
void CheckTopLevels(CHostMainFrame& frame, const WindowsOfThread& windows, std::vector<std::string>& faults)
{
    std::set<HWND> allowed{frame.GetSafeHwnd()};
    if (CKGPDockManager* manager = frame.GetDockManager()) {
        for (POSITION pos = manager->GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
            if (auto* floating = DYNAMIC_DOWNCAST(CWnd, manager->GetMiniFrames().GetNext(pos)))
                allowed.insert(floating->GetSafeHwnd());
        }
    }
    if (CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet())
        allowed.insert(sheet->GetSafeHwnd());
    for (HWND hWnd : windows.topLevel) {
        if (!::IsWindowVisible(hWnd) || allowed.count(hWnd) != 0)
            continue;
        wchar_t className[128] = {};
        ::GetClassNameW(hWnd, className, 128);
        if (std::wcscmp(className, L"tooltips_class32") == 0)
            continue;
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        faults.push_back("shown at rest: " + Name(hWnd) + " at " + std::to_string(rect.left) + "," +
                         std::to_string(rect.top) + " " + std::to_string(rect.Width()) + "x" +
                         std::to_string(rect.Height()));
    }
}

// A picture of the frame's docking layout for the layout checker, as the
// docking suite takes one (DockLayoutSnapshot.h), with ids of their own for
// the windows the library made without one (tabbed panes), and the bars at
// the frame's edges outside the dock bars (the status and caption bars).
class CLayoutPicture {
public:
    layout_check::LayoutView& Take(CKGPDockManager& manager)
    {
        int row = 0;
        int toolbars = 0;
        for (POSITION pos = manager.GetControlBars().GetHeadPosition(); pos != nullptr;) {
            CObject* object = manager.GetControlBars().GetNext(pos);
            if (auto* dockBar = DYNAMIC_DOWNCAST(CKGPDockBar, object)) {
                for (POSITION rowPos = dockBar->GetRows().GetHeadPosition(); rowPos != nullptr; ++row) {
                    const auto* dockRow = static_cast<CKGPDockBarRow*>(dockBar->GetRows().GetNext(rowPos));
                    for (POSITION barPos = dockRow->GetControlBars().GetHeadPosition(); barPos != nullptr;) {
                        auto* bar = static_cast<CKGPBaseControlBar*>(dockRow->GetControlBars().GetNext(barPos));
                        int id = IdOf(bar);
                        if (auto* strip = DYNAMIC_DOWNCAST(CKGPAutoHideToolBar, bar)) {
                            id = docking_test::kAutoHideToolBarIds + toolbars++;
                            m_layout.bars.push_back(docking_test::ViewOfBar(strip));
                            m_layout.bars.back().id = id;
                            if (strip->GetButtonCount() == 0)
                                m_layout.bars.push_back({docking_test::kEmptyToolBarIds + id, false, false, {}, {}});
                        }
                        m_layout.placements.push_back({id, layout_check::PlaceKind::Row, row});
                    }
                }
            } else if (auto* slider = DYNAMIC_DOWNCAST(CKGPSlider, object)) {
                if (slider->IsDefault() && slider->GetContainerManager() != nullptr) {
                    CRect room;
                    slider->GetContainerManager()->GetWindowRect(room);
                    AddTree(*slider->GetContainerManager(), room);
                }
            } else if (auto* bar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, object);
                       bar != nullptr && !bar->IsKindOf(RUNTIME_CLASS(CKGPDockingControlBar))) {
                m_layout.placements.push_back({IdOf(bar), layout_check::PlaceKind::Row, kFrameEdge});
            }
        }
        for (POSITION pos = manager.GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
            auto* floating = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, manager.GetMiniFrames().GetNext(pos));
            if (floating == nullptr || floating->GetSafeHwnd() == nullptr)
                continue;
            CRect rect;
            floating->GetWindowRect(rect);
            const int owner = static_cast<int>(m_layout.floating.size());
            m_layout.floating.push_back({owner, docking_test::BoxOf(rect)});
            if (auto* multi = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, floating)) {
                CRect client;
                multi->GetClientRect(client);
                multi->ClientToScreen(client);
                AddTree(multi->GetContainerManager(), client);
            } else if (CWnd* bar = floating->GetControlBar()) {
                m_layout.placements.push_back({IdOf(bar), layout_check::PlaceKind::FloatingFrame, owner});
                AddTabsOf(bar);
            }
        }
        int strip = 0;
        for (POSITION pos = manager.GetAutoHideBars().GetHeadPosition(); pos != nullptr; ++strip) {
            auto* slider = DYNAMIC_DOWNCAST(CKGPSlider, manager.GetAutoHideBars().GetNext(pos));
            if (slider == nullptr || slider->GetControlBars() == nullptr)
                continue;
            for (POSITION panePos = slider->GetControlBars()->GetHeadPosition(); panePos != nullptr;) {
                auto* pane = static_cast<CWnd*>(slider->GetControlBars()->GetNext(panePos));
                m_layout.placements.push_back({IdOf(pane), layout_check::PlaceKind::AutoHide, strip});
                AddTabsOf(pane);
            }
        }
        ::EnumDisplayMonitors(nullptr, nullptr, docking_test::AddMonitor, reinterpret_cast<LPARAM>(&m_layout.monitors));
        return m_layout;
    }

    // A pane shown as a tabbed document stands in the document window that
    // holds it, one of the frame's documents; one that only says so stands
    // nowhere.
    void AddDocuments(CHostMainFrame& frame, const std::vector<CKGPDockingControlBar*>& panes)
    {
        for (CKGPDockingControlBar* pane : panes) {
            if (pane->GetSafeHwnd() == nullptr || !pane->IsShownAsDocument())
                continue;
            auto* document = DYNAMIC_DOWNCAST(CKGPMDIChildWnd, pane->GetParent());
            if (document != nullptr && ::GetParent(document->GetSafeHwnd()) == frame.m_hWndMDIClient &&
                document->GetTabbedPaneID() == pane->GetDlgCtrlID())
                m_layout.placements.push_back(
                    {IdOf(pane), layout_check::PlaceKind::Document, IdOf(document)});
        }
    }

    // The windows the library made (tabbed panes) are bars of the layout
    // too; one without tabs is left over.
    void AddMadeByTheLibrary(std::vector<std::string>& faults)
    {
        for (const auto& [hWnd, id] : m_made) {
            auto* bar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hWnd));
            if (bar == nullptr) {
                faults.push_back("a bar of the layout without its object: " + Name(hWnd));
                continue;
            }
            layout_check::BarView view = docking_test::ViewOfBar(bar);
            view.id = id;
            m_layout.bars.push_back(view);
            auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, bar);
            if (tabbed != nullptr && tabbed->GetTabWnd() != nullptr && tabbed->GetTabWnd()->GetTabsNum() == 0)
                faults.push_back("a tabbed pane without tabs: " + Name(hWnd));
        }
    }

private:
    static constexpr int kFrameEdge = -2;
    static constexpr int kMadeIds = 0x30000000;

    int IdOf(CWnd* wnd)
    {
        const int id = wnd->GetDlgCtrlID();
        if (id > 0 && id < 0xFFFF)
            return id;
        const auto found = m_made.find(wnd->GetSafeHwnd());
        if (found != m_made.end())
            return found->second;
        const int made = kMadeIds + static_cast<int>(m_made.size());
        m_made.emplace(wnd->GetSafeHwnd(), made);
        return made;
    }

    void AddTabsOf(CWnd* pane)
    {
        auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pane);
        CKGPBaseTabWnd* tabs = tabbed != nullptr ? tabbed->GetTabWnd() : nullptr;
        if (tabs == nullptr)
            return;
        for (int i = 0; i < tabs->GetTabsNum(); ++i) {
            if (CWnd* tab = tabs->GetTabWndNoWrapper(i))
                m_layout.placements.push_back({IdOf(tab), layout_check::PlaceKind::Tab, IdOf(pane)});
        }
    }

    int AddNode(split_check::TreeView& tree, const CKGPBarContainer* node)
    {
        const int index = static_cast<int>(tree.nodes.size());
        tree.nodes.emplace_back();
        split_check::NodeView view;
        if (CKGPSlider* slider = node->GetSlider(); slider != nullptr && slider->GetSafeHwnd() != nullptr) {
            view.hasSlider = true;
            view.sliderVisible = (slider->GetStyle() & WS_VISIBLE) != 0;
            view.horizontalSlider = slider->IsHorizontal() != FALSE;
            view.slider = docking_test::BoxOf(ScreenRect(*slider));
        }
        view.share = node->GetSizeShare();
        for (int side = 0; side < 2; ++side) {
            if (CKGPDockingControlBar* bar = side == 0 ? node->GetLeftBar() : node->GetRightBar()) {
                split_check::PaneView pane;
                pane.id = IdOf(bar);
                pane.rect = docking_test::BoxOf(ScreenRect(*bar));
                CSize minimum;
                bar->GetMinSize(minimum);
                pane.minimum = {minimum.cx, minimum.cy};
                pane.visible = (bar->GetStyle() & WS_VISIBLE) != 0;
                pane.share = bar->GetSizeShare();
                view.pane[side] = pane;
            }
            if (const CKGPBarContainer* child = side == 0 ? node->GetLeftContainer() : node->GetRightContainer())
                view.child[side] = AddNode(tree, child);
        }
        tree.nodes[static_cast<size_t>(index)] = view;
        return index;
    }

    void AddTree(CKGPBarContainerManager& manager, const CRect& room)
    {
        split_check::TreeView tree;
        if (const CKGPBarContainer* root = manager.GetRootContainer())
            AddNode(tree, root);
        for (POSITION pos = manager.GetPanes().GetHeadPosition(); pos != nullptr;)
            tree.listedPanes.push_back(IdOf(static_cast<CWnd*>(manager.GetPanes().GetNext(pos))));
        const int owner = static_cast<int>(m_layout.trees.size());
        m_layout.trees.push_back({tree, docking_test::BoxOf(room)});
        for (int id : m_layout.trees.back().tree.listedPanes)
            m_layout.placements.push_back({id, layout_check::PlaceKind::Tree, owner});
        for (POSITION pos = manager.GetPanes().GetHeadPosition(); pos != nullptr;)
            AddTabsOf(static_cast<CWnd*>(manager.GetPanes().GetNext(pos)));
    }

    layout_check::LayoutView m_layout;
    std::map<HWND, int> m_made;
};

// A pane docked in a tree at an edge of the frame (alone or as a tabbed
// pane) names that edge as its own: a restart docks it at the edge it names.
void CheckPaneEdge(CKGPDockingControlBar& pane, std::vector<std::string>& faults)
{
    CKGPBaseControlBar* placed = &pane;
    if (pane.IsTabbed())
        placed = pane.GetParentTabbedBar();
    auto* docked = DYNAMIC_DOWNCAST(CKGPDockingControlBar, placed);
    if (docked == nullptr || pane.IsAutoHideMode() || pane.IsShownAsDocument() ||
        docked->GetParentMiniFrame(TRUE) != nullptr)
        return;
    CKGPSlider* tree = docked->GetDefaultPaneSlider();
    if (tree == nullptr || tree->GetSafeHwnd() == nullptr || tree->IsAutoHideMode())
        return;
    if (docked->GetCurrentAlignment() != tree->GetCurrentAlignment())
        faults.push_back("pane " + std::to_string(pane.GetDlgCtrlID()) + " names the edge " +
                         std::to_string(docked->GetCurrentAlignment()) + ", its tree stands at " +
                         std::to_string(tree->GetCurrentAlignment()));
}

} // namespace

bool IsPaneShownInHost(CKGPDockingControlBar& pane)
{
    if (pane.IsAutoHideMode()) {
        CKGPAutoHideToolBar* strip = pane.GetAutoHideToolBar();
        return strip != nullptr && strip->IsWindowVisible();
    }
    if (pane.IsTabbed()) {
        auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pane.GetParentTabbedBar());
        CKGPBaseTabWnd* tabs = tabbed != nullptr ? tabbed->GetTabWnd() : nullptr;
        const int tab = tabs != nullptr ? tabs->GetTabFromHwnd(pane.GetSafeHwnd()) : -1;
        return tab >= 0 && tabs->IsTabVisible(tab) && IsPaneShownInHost(*tabbed);
    }
    return pane.IsWindowVisible() != FALSE;
}

std::vector<std::string> CheckHostInvariants(CHostMainFrame& frame, const std::set<int>& closedOnPurpose)
{
    std::vector<std::string> faults;
    CKGPDockManager* manager = frame.GetDockManager();
    if (manager == nullptr)
        return {"the frame has no dock manager"};
    CLayoutPicture picture;
    layout_check::LayoutView& layout = picture.Take(*manager);
    picture.AddDocuments(frame, frame.StoredPanes());
    for (CKGPDockingControlBar* pane : frame.StoredPanes()) {
        if (pane->GetSafeHwnd() == nullptr) {
            faults.push_back("pane " + std::to_string(pane->GetDlgCtrlID()) + " has no window");
            continue;
        }
        layout_check::BarView view = docking_test::ViewOfBar(pane);
        view.shownInHost = IsPaneShownInHost(*pane);
        view.mustShow = closedOnPurpose.count(pane->GetDlgCtrlID()) == 0;
        // A pane shown as a tabbed document is as large as the documents'
        // area lets it be, and docked panes may squeeze that area to nothing
        // (the frame gives the documents what the bars leave), as they may a
        // note: its own minimum does not hold there.
        if (pane->IsShownAsDocument())
            view.minimum = {0, 0};
        layout.bars.push_back(view);
        CheckPaneEdge(*pane, faults);
    }
    std::vector<CKGPBaseControlBar*> bars;
    for (CKGPToolBar* bar : frame.StoredBars())
        bars.push_back(bar);
    bars.push_back(&frame.m_wndStatusBar);
    bars.push_back(&frame.m_wndCaptionBar);
    bars.push_back(&frame.m_wndMailPage);
    bars.push_back(&frame.m_wndNotesPage);
    for (CKGPBaseControlBar* bar : bars) {
        if (bar->GetSafeHwnd() == nullptr)
            faults.push_back("bar " + std::to_string(bar->GetDlgCtrlID()) + " has no window");
        else
            layout.bars.push_back(docking_test::ViewOfBar(bar));
    }
    picture.AddMadeByTheLibrary(faults);
    for (const std::string& fault : layout_check::CheckDockLayout(layout))
        faults.push_back(fault);
    CheckOutlookBar(frame, faults);
    const WindowsOfThread windows = ThreadWindows();
    CheckOwners(windows, faults);
    CheckTopLevels(frame, windows, faults);
    return faults;
}

std::string JoinFaults(const std::vector<std::string>& faults)
{
    std::string text;
    for (const std::string& fault : faults)
        text += "\n  " + fault;
    return text;
}

} // namespace apphost
