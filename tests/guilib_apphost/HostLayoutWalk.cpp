#include "tests/guilib_apphost/HostLayoutWalk.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"

#include <sstream>
#include <utility>

namespace apphost {

using docking_walk::IsPlainDocked;

CLayoutWalk::CLayoutWalk(CFrameWnd& frame, std::vector<CKGPDockingControlBar*> panes, unsigned long seed)
    : m_frame(frame), m_panes(std::move(panes)), m_draws(seed)
{
}

std::string CLayoutWalk::Step()
{
    CKGPDockingControlBar* pane = m_panes[static_cast<size_t>(Pick(static_cast<int>(m_panes.size())))];
    CKGPDockingControlBar* other = m_panes[static_cast<size_t>(Pick(static_cast<int>(m_panes.size())))];
    std::ostringstream done;
    done << pane->GetDlgCtrlID() << ' ';
    switch (Pick(10)) {
    case 0: {
        if (pane->IsTabbed() || pane->IsAutoHideMode())
            return done.str() + "(no dock)";
        const DWORD edge = m_draws.Edge();
        CRect rect;
        pane->GetWindowRect(rect);
        rect = CRect(rect.TopLeft(), CSize(120 + Pick(80), 90 + Pick(80)));
        done << "dock at " << edge << ": " << pane->DockToWindow(edge, rect);
        break;
    }
    case 1: {
        if (other == pane || !IsPlainDocked(other) || pane->IsAutoHideMode() || pane->IsTabbed())
            return done.str() + "(no dock beside)";
        const DWORD edge = m_draws.Edge();
        done << "dock beside " << other->GetDlgCtrlID() << " at " << edge << ": " << pane->DockToBar(other, edge);
        break;
    }
    case 2: {
        if (pane->IsAutoHideMode() || pane->IsTabbed() || !pane->CanFloat())
            return done.str() + "(no float)";
        const CRect rect(CPoint(120 + Pick(300), 120 + Pick(200)), CSize(140 + Pick(60), 110 + Pick(60)));
        done << "float: " << pane->FloatBar(rect, KGP_DM_UNKNOWN, true);
        break;
    }
    case 3: {
        if (other == pane || !IsPlainDocked(other) || !IsPlainDocked(pane) || !pane->CanFloat())
            return done.str() + "(no tab)";
        done << "tab onto " << other->GetDlgCtrlID() << ": "
             << (pane->AttachToTabWnd(other, KGP_DM_SHOW, TRUE) != nullptr);
        break;
    }
    case 4: {
        if (!IsPlainDocked(pane) || !pane->CanAutoHide())
            return done.str() + "(no auto-hide)";
        done << "auto-hide: " << (pane->SetAutoHideMode(TRUE, pane->GetCurrentAlignment(), nullptr, FALSE) != nullptr);
        break;
    }
    case 5: {
        if (!pane->IsAutoHideMode())
            return done.str() + "(not auto-hidden)";
        done << "unpin";
        pane->SetAutoHideMode(FALSE, pane->GetCurrentAlignment());
        break;
    }
    case 6: {
        CKGPSlider* slider = pane->GetDefaultPaneSlider();
        if (slider == nullptr || pane->IsAutoHideMode() || !slider->IsWindowVisible())
            return done.str() + "(no resize)";
        const int by = Pick(61) - 30;
        done << "resize by " << by;
        slider->MoveSlider(slider->IsHorizontal() ? CSize(0, by) : CSize(by, 0));
        break;
    }
    case 7:
        if (pane->IsAutoHideMode())
            return done.str() + "(no close)";
        done << "close";
        pane->ShowPane(FALSE, FALSE, FALSE);
        break;
    default:
        if (pane->IsAutoHideMode())
            return done.str() + "(no show)";
        done << "show";
        pane->ShowPane(TRUE, FALSE, FALSE);
        break;
    }
    m_frame.RecalcLayout();
    return done.str();
}

} // namespace apphost
