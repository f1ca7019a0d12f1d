// Lays out a tab window of 10, 100 and 1,000 tabs (scroll buttons, so every
// tab keeps its own width) and prints, per tab: the tabs' layout (labels
// measured, rectangles placed, the scroll range) and the whole layout with
// the strip, its buttons and the tab windows moved. The tabs' layout is to
// grow linearly: per tab, 1,000 tabs may take at most twice what 10 take.
// Then it activates each tab among 100 in turn and counts what is drawn
// again: only the two tabs that change and the page shown.
#include "bench/support/BenchClock.h"
#include "guilib/tabs/KGPTabWnd.h"
#include "tests/guilib_tabs/TabWndSupport.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

namespace {

constexpr double kLinearRatio = 2.0;

using keyloft_bench::Clock;

// A page that counts its paints.
class CPage : public CWnd {
public:
    int m_paints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT)
            ++m_paints;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

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
    tabs_test::CNotingTabWnd tabs;
    std::vector<std::unique_ptr<CPage>> pages;

    bool Make(int count)
    {
        if (!frame.CreateEx(0, AfxRegisterWndClass(0), L"Tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                            CRect(0, 0, 900, 600), nullptr, 0))
            return false;
        if (!tabs.Create(CKGPTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 880, 560), &frame, 1))
            return false;
        for (int i = 0; i < count; ++i) {
            pages.push_back(std::make_unique<CPage>());
            if (!pages.back()->Create(nullptr, L"", WS_CHILD, CRect(0, 0, 10, 10), &tabs, 100 + i))
                return false;
            wchar_t label[32];
            std::swprintf(label, 32, L"Tab %d", i);
            tabs.AddTab(pages.back().get(), label);
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

struct Layout {
    double tabsMs = -1;  // the tabs' layout
    double wholeMs = 0;  // the whole layout with its windows
};

Layout MeasureLayout(int count, int rounds, const Clock& clock)
{
    Layout layout;
    Host host;
    if (!host.Make(count))
        return layout;
    LONGLONG start = clock.Now();
    for (int round = 0; round < rounds; ++round) {
        host.tabs.AdjustTabs();
        host.tabs.AdjustTabsScroll();
    }
    layout.tabsMs = clock.Ms(clock.Now() - start) / rounds;
    start = clock.Now();
    for (int round = 0; round < rounds; ++round)
        host.tabs.RecalcLayout();
    layout.wholeMs = clock.Ms(clock.Now() - start) / rounds;
    return layout;
}

}  // namespace

// Run by hand under the harness: bench_tab_layout.exe [rounds].
int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const Clock clock;
    double perTabAt10 = 0;
    double ratio = 0;
    for (int count : {10, 100, 1000}) {
        const Layout layout = MeasureLayout(count, rounds, clock);
        if (layout.tabsMs < 0) {
            std::printf("the window or its tabs could not be made (is the harness's display up?)\n");
            return 1;
        }
        const double perTab = layout.tabsMs / count;
        if (count == 10)
            perTabAt10 = perTab;
        ratio = perTab / perTabAt10;
        std::printf("%5d tabs: tabs' layout %8.3f ms, %7.2f us per tab (%.2fx the cost at 10); whole layout with "
                    "its windows %8.3f ms, %7.2f us per tab\n",
                    count, layout.tabsMs, perTab * 1e3, ratio, layout.wholeMs, layout.wholeMs / count * 1e3);
    }

    // Activation among 100: what is drawn again.
    Host host;
    if (!host.Make(100))
        return 1;
    bool onlyTwo = true;
    bool pageShown = true;
    int activations = 0;
    LONGLONG spent = 0;
    for (int i = 1; i < 100; ++i) {
        if (!host.tabs.EnsureVisible(i))
            continue;
        Pump();
        host.tabs.m_drawn.clear();
        CPage& page = *host.pages[static_cast<size_t>(i)];
        const int paintsBefore = page.m_paints;
        const int offset = host.tabs.GetScrollOffset();
        const LONGLONG start = clock.Now();
        host.tabs.SetActiveTab(i);
        Pump();
        spent += clock.Now() - start;
        ++activations;
        if (host.tabs.GetScrollOffset() == offset)
            onlyTwo = onlyTwo && host.tabs.m_drawn == std::set<int>{i - 1, i};
        pageShown = pageShown && page.m_paints > paintsBefore;
    }
    std::printf("activating a tab among 100: %.3f ms each; only the two tabs drawn again: %s; the page painted: %s\n",
                clock.Ms(spent) / activations, onlyTwo ? "yes" : "NO", pageShown ? "yes" : "NO");
    const bool linear = ratio <= kLinearRatio;
    std::printf("per tab at 1,000: %.2fx that at 10 (at most %.1fx: %s); activation repaints only the two tabs and "
                "the page: %s\n",
                ratio, kLinearRatio, linear ? "met" : "NOT met", onlyTwo && pageShown ? "met" : "NOT met");
    return linear && onlyTwo && pageShown ? 0 : 2;
}
