// A seeded run of operations on the test frame's panes (dock at an edge,
// dock beside another, float, tab, auto-hide and back, slide, resize, close,
// show, save and load), the layout checker after each, and a saved layout
// loaded back equal to the one saved. A failing run prints its seed and step;
// KEYLOFT_DOCK_SEED and KEYLOFT_DOCK_STEPS run it again or longer.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "tests/guilib_docking/DockLayoutState.h"

#include <deque>
#include <random>
#include <sstream>
#include <vector>

namespace {

using namespace docking_test;

constexpr unsigned long kDefaultSeed = 0x5eed28;
constexpr unsigned long kDefaultSteps = 2500;
constexpr int kPanes = 6;
// Minimums of tens of pixels, each pane's its own.
const CSize kMinimums[kPanes] = {{30, 24}, {60, 40}, {45, 70}, {80, 30}, {24, 50}, {50, 60}};

unsigned long FromEnvironment(const wchar_t* name, unsigned long fallback)
{
    wchar_t text[32] = {};
    if (::GetEnvironmentVariableW(name, text, 32) == 0)
        return fallback;
    return std::wcstoul(text, nullptr, 0);
}

constexpr DWORD kEdges[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};

// The tabbed pane some of the panes stand in, if any.
CKGPBaseControlBar* TabbedPaneOf(CLayoutFrame& f)
{
    for (auto& pane : f.panes) {
        if (pane->IsTabbed())
            return pane->GetParentTabbedBar();
    }
    return nullptr;
}

class RandomLayout {
public:
    RandomLayout(CLayoutFrame& frame, unsigned long seed) : m_f(frame), m_random(seed) {}

    // One operation; its description goes to the log.
    std::string Step()
    {
        CKGPDockingControlBar* pane = m_f.Pane(Pick(kPanes));
        CKGPDockingControlBar* other = m_f.Pane(Pick(kPanes));
        std::ostringstream done;
        done << pane->GetDlgCtrlID() << ' ';
        switch (Pick(11)) {
        case 0: {
            // Docked at a size the frame has room for beside the other edges.
            const DWORD edge = kEdges[Pick(4)];
            CRect rect;
            pane->GetWindowRect(rect);
            rect = CRect(rect.TopLeft(), CSize(80 + Pick(60), 60 + Pick(60)));
            done << "dock at " << edge << ": " << pane->DockToWindow(edge, rect);
            break;
        }
        case 1: {
            if (other == pane || !IsPlainDocked(other) || pane->IsAutoHideMode())
                return done.str() + "(no dock beside)";
            const DWORD edge = kEdges[Pick(4)];
            done << "dock beside " << other->GetDlgCtrlID() << " at " << edge << ": " << pane->DockToBar(other, edge);
            break;
        }
        case 2: {
            if (pane->IsAutoHideMode() || pane->IsTabbed())
                return done.str() + "(no float)";
            const CRect rect(CPoint(100 + Pick(400), 100 + Pick(300)), CSize(80 + Pick(60), 60 + Pick(60)));
            done << "float: " << pane->FloatBar(rect, KGP_DM_UNKNOWN, true);
            break;
        }
        case 3: {
            // One tabbed pane at a time (those made here have no id of their own).
            if (other == pane || !IsPlainDocked(other) || pane->IsAutoHideMode() || pane->IsTabbed() ||
                TabbedPaneOf(m_f) != nullptr)
                return done.str() + "(no tab)";
            done << "tab onto " << other->GetDlgCtrlID() << ": "
                 << (pane->AttachToTabWnd(other, KGP_DM_SHOW, TRUE) != nullptr);
            break;
        }
        case 4:
        case 5: {
            if (!IsPlainDocked(pane) || !pane->CanAutoHide())
                return done.str() + "(no auto-hide)";
            done << "auto-hide: "
                 << (pane->SetAutoHideMode(TRUE, pane->GetCurrentAlignment(), nullptr, FALSE) != nullptr);
            break;
        }
        case 6: {
            if (!pane->IsAutoHideMode())
                return done.str() + "(not auto-hidden)";
            if (Pick(3) == 0) {
                done << "unpin";
                pane->SetAutoHideMode(FALSE, pane->GetCurrentAlignment());
            } else {
                const BOOL out = !pane->IsWindowVisible();
                done << "slide " << (out ? "out" : "in");
                pane->Slide(out, FALSE);
            }
            break;
        }
        case 7: {
            CKGPSlider* slider = pane->GetDefaultPaneSlider();
            if (slider == nullptr || pane->IsAutoHideMode() || !slider->IsWindowVisible())
                return done.str() + "(no resize)";
            const int by = Pick(41) - 20;
            done << "resize by " << by;
            slider->MoveSlider(slider->IsHorizontal() ? CSize(0, by) : CSize(by, 0));
            break;
        }
        case 8:
            done << "close";
            pane->ShowPane(FALSE, FALSE, FALSE);
            break;
        case 9:
            done << "show";
            pane->ShowPane(TRUE, FALSE, FALSE);
            break;
        default:
            done << "save and load";
            m_bSaveLoad = true;
            break;
        }
        m_f.frame.RecalcLayout();
        return done.str();
    }
    bool TakeSaveLoad()
    {
        const bool asked = m_bSaveLoad;
        m_bSaveLoad = false;
        return asked;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    static bool IsPlainDocked(CKGPDockingControlBar* pane)
    {
        return !pane->IsAutoHideMode() && !pane->IsTabbed() && pane->GetParentMiniFrame(TRUE) == nullptr &&
               pane->GetDefaultPaneSlider() != nullptr;
    }

    CLayoutFrame& m_f;
    std::mt19937 m_random;
    bool m_bSaveLoad = false;
};

std::string Faults(CLayoutFrame& f)
{
    layout_check::LayoutView layout = SnapshotLayout(f.Manager(), {});
    if (CKGPBaseControlBar* pTabbed = TabbedPaneOf(f))
        layout.bars.push_back(ViewOfBar(pTabbed));
    for (auto& pane : f.panes) {
        if (pane->GetSafeHwnd() != nullptr)
            layout.bars.push_back(ViewOfBar(pane.get()));
    }
    return docking_test::Faults(layout_check::CheckDockLayout(layout));
}

TEST(DockLayoutRandomTest, ASeededRunOfOperationsKeepsTheLayoutSoundAndLoadsBackWhatWasSaved)
{
    const unsigned long seed = FromEnvironment(L"KEYLOFT_DOCK_SEED", kDefaultSeed);
    const unsigned long steps = FromEnvironment(L"KEYLOFT_DOCK_STEPS", kDefaultSteps);
    DeleteLayoutProfile();
    CLayoutFrame f(std::vector<CSize>(std::begin(kMinimums), std::end(kMinimums)));
    RandomLayout run(f, seed);
    std::deque<std::string> recent;
    unsigned long loads = 0;
    for (unsigned long step = 0; step < steps; ++step) {
        recent.push_back(run.Step());
        if (recent.size() > 12)
            recent.pop_front();
        std::string faults = Faults(f);
        std::string mismatch;
        if (faults.empty() && run.TakeSaveLoad()) {
            ++loads;
            // Where each pane stands, its edge, its place and size (docked
            // or floating), shown or not.
            const std::string saved = f.Describe();
            if (!f.Save() || !f.Load())
                mismatch = "\n  save or load failed";
            else if (f.Describe() != saved)
                mismatch = "\n  saved:\n" + saved + "  loaded:\n" + f.Describe();
            faults = Faults(f);
        }
        if (!faults.empty() || !mismatch.empty()) {
            std::ostringstream log;
            for (const std::string& line : recent)
                log << "\n    " << line;
            FAIL() << "seed 0x" << std::hex << seed << std::dec << ", step " << step << " (KEYLOFT_DOCK_SEED="
                   << seed << " KEYLOFT_DOCK_STEPS=" << step + 1 << "), the last steps:" << log.str() << faults
                   << mismatch;
        }
    }
    std::cout << "[ layout ] " << steps << " steps, " << loads << " saved and loaded, seed 0x" << std::hex << seed
              << std::dec << '\n';
    DeleteLayoutProfile();
}

} // namespace
