// Lays out an outlook page of 10, 100 and 1,000 shortcut buttons at a new
// width each round and prints the time per button (each button measured and
// placed, the arrows shown or hidden, the tools of the buttons in view moved): per button, 1,000 may take at most twice what 10 take. Then it
// scrolls a page of 1,000 buttons by one step at a time (the layout and the
// repaint of the page, which is synchronous) and prints the time of a step
// against one frame (16 ms).
#include "bench/support/BenchClock.h"
#include "guilib/panes/KGPOutlookBarPane.h"
#include "tests/guilib_panes/OutlookTestImages.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr double kLinearRatio = 2.0;
constexpr double kFrameMs = 16.0;

using keyloft_bench::Clock;

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct Host {
    CWnd frame;
    CKGPOutlookBarPane page;

    bool Make(int count)
    {
        if (!frame.CreateEx(0, AfxRegisterWndClass(0), L"Outlook", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                            CRect(0, 0, 300, 700), nullptr, 0))
            return false;
        if (!page.CreatePane(&frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, 100))
            return false;
        page.EnableTextLabels(TRUE);
        page.SetWindowPos(HWND{}, 0, 0, 180, 660, SWP_NOZORDER);
        for (int i = 0; i < count; ++i) {
            wchar_t label[32];
            std::swprintf(label, 32, L"Shortcut %d", i);
            page.AddButton(i % 3, label, 5000 + static_cast<UINT>(i));
        }
        Pump();
        return true;
    }
    ~Host()
    {
        if (frame.GetSafeHwnd() != nullptr)
            frame.DestroyWindow();
    }
};

double MeasureLayout(int count, int rounds, const Clock& clock)
{
    Host host;
    if (!host.Make(count))
        return -1;
    // A new width each round: every button is measured and placed again.
    const LONGLONG start = clock.Now();
    for (int round = 0; round < rounds; ++round)
        host.page.SetWindowPos(HWND{}, 0, 0, 180 + round % 2, 660, SWP_NOZORDER | SWP_NOMOVE);
    return clock.Ms(clock.Now() - start) / rounds;
}

double MeasureScrollStep(int count, int steps, const Clock& clock)
{
    Host host;
    if (!host.Make(count))
        return -1;
    const LONGLONG start = clock.Now();
    for (int step = 0; step < steps; ++step)
        host.page.ScrollDown();
    const double ms = clock.Ms(clock.Now() - start) / steps;
    return host.page.GetFirstVisibleButton() == steps ? ms : -1;
}

}  // namespace

// Run by hand under the harness: bench_outlook.exe [rounds].
int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const Clock clock;
    outlook_test::AddThreeImages();
    double perButtonAt10 = 0;
    double ratio = 0;
    for (int count : {10, 100, 1000}) {
        const double ms = MeasureLayout(count, rounds, clock);
        if (ms < 0) {
            std::printf("the page could not be made (is the harness's display up?)\n");
            return 1;
        }
        const double perButton = ms / count;
        if (count == 10)
            perButtonAt10 = perButton;
        ratio = perButton / perButtonAt10;
        std::printf("%5d buttons: layout %8.3f ms, %7.2f us per button (%.2fx the cost at 10)\n", count, ms,
                    perButton * 1000.0, ratio);
    }
    const double stepMs = MeasureScrollStep(1000, rounds, clock);
    if (stepMs < 0) {
        std::printf("the page of 1,000 buttons did not scroll\n");
        return 1;
    }
    std::printf("scrolling 1,000 buttons by one step with its repaint: %.3f ms (a frame is %.0f ms)\n", stepMs,
                kFrameMs);
    std::printf("targets: per-button layout at 1,000 at most %.1fx that at 10: %s; a step under a frame: %s\n",
                kLinearRatio, ratio <= kLinearRatio ? "met" : "NOT met", stepMs < kFrameMs ? "met" : "NOT met");
    return ratio <= kLinearRatio && stepMs < kFrameMs ? 0 : 2;
}
