// Drags the slider between the two halves of a split tree of 10, 100 and
// 1,000 docking panes (docked at a frame's left edge, halved alternately
// across and along, so the slider has a container on each side) and prints,
// per drag step: the layout (where every pane and slider goes), the moves of
// their windows, and what moving as many plain child windows costs the
// platform by itself. The layout is to grow linearly: per pane, 1,000 panes
// may take at most twice what 10 take; and the layout of a step among 100
// panes is to take less than a frame (16 ms). The whole step's cost per pane
// is printed beside it.
#include "bench/support/BenchClock.h"
#include "guilib/docking/KGPBarContainerManager.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/frames/KGPFrameWnd.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr double kFrameMs = 16.0;
constexpr double kLinearRatio = 2.0;

class CBenchFrame : public CKGPFrameWnd {
protected:
    void PostNcDestroy() override {}
};

int Level(int index)
{
    int level = 0;
    for (int i = index + 1; i > 1; i >>= 1)
        ++level;
    return level;
}

using keyloft_bench::Clock;

struct Step {
    double layoutMs = -1; // where the windows go
    double movesMs = 0;   // moving them
    double plainMs = 0;   // moving as many plain child windows
    int windows = 0;
};

// Moving `count` plain child windows of the frame a few pixels, as the step's
// windows move (no repaint, no bits copied), in one batch.
double PlainMovesMs(CWnd& frame, int count, int rounds, const Clock& clock)
{
    std::vector<HWND> plain;
    for (int i = 0; i < count; ++i)
        plain.push_back(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, frame.m_hWnd,
                                          nullptr, nullptr, nullptr));
    const LONGLONG start = clock.Now();
    for (int round = 0; round < rounds; ++round) {
        HDWP hdwp = ::BeginDeferWindowPos(count);
        int i = 0;
        for (HWND hWnd : plain) {
            hdwp = ::DeferWindowPos(hdwp, hWnd, nullptr, (i % 40) * 25 + (round & 1) * 3, (i / 40) * 25 % 900,
                                    20 + (round & 1), 20,
                                    SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
            ++i;
        }
        ::EndDeferWindowPos(hdwp);
    }
    const double ms = clock.Ms(clock.Now() - start) / rounds;
    for (HWND hWnd : plain)
        ::DestroyWindow(hWnd);
    return ms;
}

Step MeasureStep(int panes, int rounds, const Clock& clock)
{
    Step step;
    CBenchFrame frame;
    if (!frame.Create(nullptr, L"Pane slider", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1260, 1000)))
        return step;
    frame.EnableDocking(CBRS_ALIGN_ANY);
    CKGPDockManager* manager = frame.GetDockManager();
    std::vector<std::unique_ptr<CKGPDockingControlBar>> owned;
    for (int i = 0; i < panes; ++i) {
        auto pane = std::make_unique<CKGPDockingControlBar>();
        pane->SetMinSize(CSize(1, 1));
        // Wide and high: each pane docked beside another takes half of it.
        if (!pane->Create(L"Pane", &frame, CRect(0, 0, 2000, 2000), FALSE, 1000 + i,
                          WS_CHILD | WS_VISIBLE | CBRS_LEFT))
            return step;
        pane->EnableDocking(CBRS_ALIGN_ANY);
        owned.push_back(std::move(pane));
    }
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    CRect first(client.left, client.top, client.left + 1100, client.bottom);
    owned[0]->DockToWindow(CBRS_ALIGN_LEFT, &first);
    manager->EnableLayout(FALSE); // docking one by one would lay out after every pane
    for (int i = 1; i < panes; ++i) {
        // Breadth first: each pane halves an earlier one, across and along by turns.
        CKGPDockingControlBar* target = owned[static_cast<size_t>((i - 1) / 2)].get();
        owned[static_cast<size_t>(i)]->DockToBar(target, Level(i) % 2 == 1 ? CBRS_ALIGN_RIGHT : CBRS_ALIGN_BOTTOM);
    }
    manager->EnableLayout(TRUE);
    frame.RecalcLayout();

    // The slider of the first split has a container on each side.
    CKGPSlider* edge = owned[0]->GetDefaultPaneSlider();
    CKGPBarContainerManager* tree = edge->GetContainerManager();
    CKGPBarContainer* root = tree->GetRootContainer();
    CKGPBarContainer* halves = root->GetLeftContainer() != nullptr ? root->GetLeftContainer() : root;
    CKGPSlider* slider = halves->GetSlider();
    if (slider == nullptr)
        return step;
    step.windows = panes + static_cast<int>(tree->GetSliders().GetCount());

    LONGLONG layout = 0;
    LONGLONG moves = 0;
    for (int round = 0; round < rounds; ++round) {
        const int offset = (round & 1) == 0 ? 40 : -40;
        // The step as the slider makes it, its windows held back until the
        // layout is done to time the two apart.
        const LONGLONG start = clock.Now();
        LONGLONG placed = 0;
        {
            const CKGPBarContainerManager::LayoutPass pass(tree);
            HDWP hdwp = ::BeginDeferWindowPos(50);
            tree->OnSliderMoved(slider, offset, hdwp);
            ::EndDeferWindowPos(hdwp);
            placed = clock.Now();
        }
        const LONGLONG moved = clock.Now();
        layout += placed - start;
        moves += moved - placed;
    }
    step.layoutMs = clock.Ms(layout) / rounds;
    step.movesMs = clock.Ms(moves) / rounds;
    step.plainMs = PlainMovesMs(frame, step.windows, rounds, clock);
    owned.clear();
    frame.DestroyWindow();
    return step;
}

} // namespace

// Run by hand under the harness: bench_pane_slider.exe [rounds].
int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const Clock clock;
    double layoutPerPaneAt10 = 0;
    double stepPerPaneAt10 = 0;
    double layoutRatio = 0;
    double stepRatio = 0;
    double layoutAt100 = 0;
    for (int panes : {10, 100, 1000}) {
        const Step step = MeasureStep(panes, rounds, clock);
        if (step.layoutMs < 0) {
            std::printf("the frame or its panes could not be made (is the harness's display up?)\n");
            return 1;
        }
        const double layoutPerPane = step.layoutMs / panes;
        const double stepPerPane = (step.layoutMs + step.movesMs) / panes;
        if (panes == 10) {
            layoutPerPaneAt10 = layoutPerPane;
            stepPerPaneAt10 = stepPerPane;
        }
        if (panes == 100)
            layoutAt100 = step.layoutMs;
        layoutRatio = layoutPerPane / layoutPerPaneAt10;
        stepRatio = stepPerPane / stepPerPaneAt10;
        std::printf("%5d panes: layout %8.3f ms (%6.2f us per pane, %.2fx the cost at 10) + moving %4d windows "
                    "%8.3f ms per step (the whole step %7.2f us per pane, %.2fx); %4d plain windows moved: "
                    "%8.3f ms\n",
                    panes, step.layoutMs, layoutPerPane * 1e3, layoutRatio, step.windows, step.movesMs,
                    stepPerPane * 1e3, stepRatio, step.windows, step.plainMs);
    }
    const bool linear = layoutRatio <= kLinearRatio;
    const bool quick = layoutAt100 < kFrameMs;
    std::printf("the layout per pane at 1,000: %.2fx that at 10 (at most %.1fx: %s; the whole step %.2fx); the "
                "layout of a step among 100 panes: %.3f ms (under %.0f ms: %s)\n",
                layoutRatio, kLinearRatio, linear ? "met" : "NOT met", stepRatio, layoutAt100, kFrameMs,
                quick ? "met" : "NOT met");
    return linear && quick ? 0 : 2;
}
