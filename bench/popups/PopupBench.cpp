// Opening a popup menu, against the system's (target: at most 1.5 times):
// a library popup of 30 items, and of 300 (it scrolls), opened from a
// toolbar button until it has painted and the thread is idle, beside
// TrackPopupMenu of the same items until its menu loop first goes idle (the
// menu shown and painted), both over the same frame in the same run.
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <afxhandle.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kFirstCommand = 42000;

double Now()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// In the trace mode, a request Wine's server logs by name marks where a step
// begins, so that a debug server's request log can be cut into steps.
bool g_bTrace = false;
bool g_bMarks = false;

void Mark(const wchar_t* step)
{
    if (g_bMarks)
        ::GlobalFindAtomW(step);
}

// Dispatches what is queued; answers whether anything was.
bool PumpOnce()
{
    bool any = false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return any;
}

HMENU MenuOf(int items)
{
    HMENU menu = ::CreatePopupMenu();
    for (int i = 0; i < items; ++i) {
        wchar_t text[40];
        std::swprintf(text, 40, L"Command number %d\tCtrl+%c", i + 1, L'A' + i % 26);
        ::AppendMenuW(menu, MF_STRING, kFirstCommand + static_cast<UINT>(i), text);
    }
    return menu;
}

// The frame the menus open over; it ends the system's menu when its loop
// first goes idle and notes when that was.
class CBenchFrame : public CKGPFrameWnd {
public:
    double idleAt = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU && idleAt == 0) {
            idleAt = Now();
            Mark(L"keyloft-mark-system-idle");
            ::EndMenu();
        }
        return CKGPFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

double LibraryOpen(CKGPToolBar& bar, CKGPToolbarMenuButton& button)
{
    Mark(L"keyloft-mark-library");
    const double start = Now();
    if (!button.OpenPopupMenu())
        return -1;
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    while (popup != nullptr && !popup->IsPainted())
        PumpOnce();
    while (PumpOnce()) {
    }
    const double elapsed = Now() - start;
    Mark(L"keyloft-mark-library-end");
    if (popup != nullptr) {
        const HWND window = popup->GetSafeHwnd();
        popup->CloseChain();
        while (::IsWindow(window))
            PumpOnce();
    }
    bar.UpdateWindow();
    return elapsed;
}

double SystemOpen(CBenchFrame& frame, HMENU menu, CPoint at)
{
    frame.idleAt = 0;
    Mark(L"keyloft-mark-system");
    const double start = Now();
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RETURNCMD, at.x, at.y, 0, frame.GetSafeHwnd(), nullptr);
    const double elapsed = frame.idleAt > 0 ? frame.idleAt - start : -1;
    Mark(L"keyloft-mark-system-end");
    while (PumpOnce()) {
    }
    return elapsed;
}

int Compare(CBenchFrame& frame, CKGPToolBar& bar, int items, int rounds)
{
    const CMenuHandle menu(MenuOf(items));
    bar.RemoveAllButtons();
    bar.InsertButtonCopy(CKGPToolbarMenuButton(0, menu.Get(), -1, L"&Menu"));
    bar.AdjustLayout();
    auto& button = *static_cast<CKGPToolbarMenuButton*>(bar.GetButton(0));
    CRect rect = button.m_rcButton;
    bar.ClientToScreen(rect);
    PumpOnce();

    std::vector<double> library, system;
    // A first opening of each makes its classes, fonts and caches: not counted.
    LibraryOpen(bar, button);
    SystemOpen(frame, menu.Get(), CPoint(rect.left, rect.bottom));
    g_bMarks = g_bTrace;
    for (int round = 0; round < rounds; ++round) {
        library.push_back(LibraryOpen(bar, button));
        system.push_back(SystemOpen(frame, menu.Get(), CPoint(rect.left, rect.bottom)));
    }
    if (*std::min_element(library.begin(), library.end()) < 0 || *std::min_element(system.begin(), system.end()) < 0) {
        std::printf("%d items: a menu did not open or never went idle\n", items);
        return 1;
    }
    g_bMarks = false;
    const double ratio = Median(library) / Median(system);
    std::printf("popup of %d items from a toolbar button to its first full paint: library %.2f ms, system %.2f ms "
                "(medians of %d; library %.2f-%.2f, system %.2f-%.2f): %.2f times [target: at most 1.5: %s]\n",
                items, Median(library) * 1e3, Median(system) * 1e3, rounds,
                *std::min_element(library.begin(), library.end()) * 1e3,
                *std::max_element(library.begin(), library.end()) * 1e3,
                *std::min_element(system.begin(), system.end()) * 1e3,
                *std::max_element(system.begin(), system.end()) * 1e3, ratio, ratio <= 1.5 ? "met" : "not met");
    return 0;
}

} // namespace

// Run by hand under the harness: bench_popup_open.exe [rounds]; or
// bench_popup_open.exe trace: one round at each size, each opening marked for
// a debug server's request log (keyloft-mark-library to -library-end, and
// keyloft-mark-system to -system-idle, where its time stops).
int main(int argc, char** argv)
{
    g_bTrace = argc > 1 && std::strcmp(argv[1], "trace") == 0;
    const int rounds = g_bTrace ? 1 : argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    CBenchFrame frame;
    if (!frame.Create(nullptr, L"Popup menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700))) {
        std::printf("the frame could not be created (is the harness's display up?)\n");
        return 1;
    }
    CKGPToolBar bar;
    bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_CONTROLBAR_FIRST + 40);
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 300, 30, SWP_NOZORDER);
    const int result = Compare(frame, bar, 30, rounds) | Compare(frame, bar, 300, rounds);
    bar.DestroyWindow();
    frame.DestroyWindow();
    return result;
}
