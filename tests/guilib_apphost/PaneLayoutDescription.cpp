#include "tests/guilib_apphost/PaneLayoutDescription.h"

#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "guilib/toolbars/KGPToolbarButton.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"

#include <sstream>

namespace apphost {

namespace {

std::ostream& operator<<(std::ostream& out, const CRect& rect)
{
    return out << rect.left << ',' << rect.top << ' ' << rect.Width() << 'x' << rect.Height();
}

CRect ClientRectOf(CFrameWnd& frame, CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(rect);
    frame.ScreenToClient(rect);
    return rect;
}

// Where a pane or a tabbed pane stands: its floating frame, or its edge and
// place in the frame.
void DescribePlace(std::ostream& out, CFrameWnd& frame, CKGPBaseControlBar& bar)
{
    if (CKGPMiniFrameWnd* floating = bar.GetParentMiniFrame(TRUE)) {
        CRect rect;
        floating->GetWindowRect(rect);
        out << "floating " << rect << (floating->IsWindowVisible() ? " frame shown" : " frame hidden");
        if (floating->GetControlBarCount() > 1)
            out << " at " << ClientRectOf(frame, bar).TopLeft().x << ',' << ClientRectOf(frame, bar).TopLeft().y;
        return;
    }
    out << "docked " << bar.GetCurrentAlignment() << ' ' << ClientRectOf(frame, bar);
}

} // namespace

std::string DescribePanes(CFrameWnd& frame, const std::vector<CKGPDockingControlBar*>& panes)
{
    std::ostringstream out;
    for (CKGPDockingControlBar* pane : panes) {
        if (pane == nullptr || pane->GetSafeHwnd() == nullptr) {
            out << "a pane without a window\n";
            continue;
        }
        out << pane->GetDlgCtrlID() << ": ";
        if (pane->IsShownAsDocument()) {
            out << "a document";
        } else if (pane->IsAutoHideMode()) {
            // Slid in (hidden) or out for the moment: its size is the one it
            // slides out with (slid in, its window stands where the slide
            // left it).
            CKGPAutoHideToolBar* strip = pane->GetAutoHideToolBar();
            const CRect rect = ClientRectOf(frame, *pane);
            out << "auto-hide " << pane->GetCurrentAlignment() << " group of "
                << (strip != nullptr ? strip->GetButtonCount() : 0) << ' ' << rect.Width() << 'x' << rect.Height();
            out << '\n';
            continue;
        } else if (pane->IsTabbed()) {
            auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pane->GetParentTabbedBar());
            CKGPBaseTabWnd* tabs = tabbed != nullptr ? tabbed->GetTabWnd() : nullptr;
            if (tabs == nullptr) {
                out << "a tab of nothing\n";
                continue;
            }
            out << "tab of";
            for (int i = 0; i < tabs->GetTabsNum(); ++i) {
                CWnd* tab = tabs->GetTabWndNoWrapper(i);
                out << ' ' << (tab != nullptr ? tab->GetDlgCtrlID() : 0) << (tabs->IsTabVisible(i) ? "" : "(hidden)");
            }
            CWnd* active = tabs->GetActiveWnd();
            out << " active " << (active != nullptr ? active->GetDlgCtrlID() : 0) << " in ";
            DescribePlace(out, frame, *tabbed);
            out << (tabbed->IsWindowVisible() ? " shown" : " hidden");
            // Only the active tab's page shows.
            out << (pane->IsWindowVisible() ? " page shown" : " page hidden");
        } else {
            DescribePlace(out, frame, *pane);
        }
        out << (pane->IsBarVisible() ? " pane shown" : " pane hidden") << '\n';
    }
    return out.str();
}

namespace {

// One bar's line; a button `skip` names is left out.
template <typename Skip>
void DescribeBar(std::ostream& out, CFrameWnd& frame, CKGPToolBar* bar, Skip skip)
{
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr) {
        out << "a bar without a window\n";
        return;
    }
    out << bar->GetDlgCtrlID() << ": ";
    if (CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame(TRUE)) {
        CRect rect;
        floating->GetWindowRect(rect);
        out << "floating " << rect << (floating->IsWindowVisible() ? " frame shown" : " frame hidden");
    } else if (CKGPDockBar* dockBar = bar->GetParentDockBar()) {
        out << "docked " << dockBar->GetCurrentAlignment() << " row " << dockBar->GetRowIndex(bar->GetDockBarRow())
            << ' ' << ClientRectOf(frame, *bar);
    } else {
        out << "nowhere";
    }
    out << (bar->IsBarVisible() ? " shown" : " hidden") << " buttons";
    for (int i = 0; i < bar->GetCount(); ++i) {
        const CKGPToolbarButton* button = bar->GetButton(i);
        if (skip(*button))
            continue;
        if (button->IsSeparator())
            out << " |";
        else if (button->m_nCommand == 0 || button->m_nCommand == static_cast<UINT>(-1))
            out << " \"" << CStringA(button->m_strCaption).GetString() << '"';
        else
            out << ' ' << button->m_nCommand;
        if (!button->m_bShown)
            out << "(hidden)";
    }
    out << '\n';
}

} // namespace

std::string DescribeBars(CFrameWnd& frame, const std::vector<CKGPToolBar*>& bars)
{
    std::ostringstream out;
    for (CKGPToolBar* bar : bars)
        DescribeBar(out, frame, bar, [](const CKGPToolbarButton&) { return false; });
    return out.str();
}

std::string DescribeMenuBar(CFrameWnd& frame, CKGPMenuBar& bar)
{
    std::ostringstream out;
    DescribeBar(out, frame, &bar, [](const CKGPToolbarButton& button) {
        return button.IsKindOf(RUNTIME_CLASS(CKGPToolbarSystemMenuButton)) ||
               button.IsKindOf(RUNTIME_CLASS(CKGPToolbarMenuButtonsButton));
    });
    return out.str();
}

} // namespace apphost
