// Lays out a frame holding 10, 100 and 1,000 docked bars, ten to a row, spread
// over the four edges, and prints the time of one layout per bar. The cost is
// to grow linearly: per bar, 1,000 bars may take at most twice what 10 take.
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/frames/KGPFrameWnd.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kBarsPerRow = 10;
const CSize kBarSize(20, 4);

class CBenchFrame : public CKGPFrameWnd {
protected:
    void PostNcDestroy() override {}
};

double SecondsPerLayout(int bars, int rounds)
{
    CBenchFrame frame;
    if (!frame.Create(nullptr, L"Dock layout", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)))
    {
        return -1;
    }
    frame.EnableDocking(CBRS_ALIGN_ANY);
    CKGPDockManager* manager = frame.GetDockManager();
    manager->EnableLayout(FALSE); // docking one by one would lay out after every bar
    const UINT edges[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
    std::vector<std::unique_ptr<CKGPControlBar>> owned;
    for (int i = 0; i < bars; ++i) {
        const int row = i / kBarsPerRow;
        const int place = i % kBarsPerRow;
        const UINT edge = edges[row % 4];
        auto bar = std::make_unique<CKGPControlBar>();
        bar->SetFixedSize(kBarSize);
        bar->Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, kBarSize.cx, kBarSize.cy), &frame, 1000 + i);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        CKGPDockBar* dockBar = manager->FindDockBarById(edge);
        if (place == 0) {
            frame.DockControlBar(bar.get(), edge);
        } else {
            // Beside the previous bar, in the last row of that edge.
            CRect window;
            dockBar->GetWindowRect(window);
            const int rowOffset = (row / 4) * kBarSize.cy;
            const int along = place * (kBarSize.cx + 2);
            const BOOL horz = dockBar->IsHorizontal();
            CRect rect(CPoint(window.left + (horz ? along : rowOffset), window.top + (horz ? rowOffset : along)),
                       horz ? kBarSize : CSize(kBarSize.cy, kBarSize.cx));
            frame.DockControlBar(bar.get(), edge, rect);
        }
        owned.push_back(std::move(bar));
    }
    manager->EnableLayout(TRUE);
    frame.RecalcLayout();

    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int round = 0; round < rounds; ++round) {
        // Narrow and widen the frame by one pixel: every row re-arranges.
        frame.SetWindowPos(HWND{}, 0, 0, 900 - (round & 1), 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::QueryPerformanceCounter(&end);
    owned.clear();
    frame.DestroyWindow();
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / rounds;
}

} // namespace

// Run by hand under the harness: bench_dock_layout.exe [rounds].
int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    double perBarAt10 = 0;
    for (int bars : {10, 100, 1000}) {
        const double seconds = SecondsPerLayout(bars, rounds);
        if (seconds <= 0) {
            std::printf("the frame could not be created (is the harness's display up?)\n");
            return 1;
        }
        const double perBar = seconds / bars;
        if (bars == 10)
            perBarAt10 = perBar;
        std::printf("%5d bars: %8.3f ms per layout, %7.2f us per bar (%.2fx the cost at 10)\n", bars, seconds * 1e3,
                    perBar * 1e6, perBar / perBarAt10);
    }
    return 0;
}
