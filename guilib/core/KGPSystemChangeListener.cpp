#include "guilib/core/KGPSystemChangeListener.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPToolBarImages.h"

#include <atomic>
#include <cwchar>
#include <iterator>
#include <mutex>

namespace {

constexpr wchar_t kListenerClass[] = L"KGPSystemChangeListener";

std::atomic<HWND> g_listener{nullptr};
std::atomic<int> g_rebuilds{0};
std::atomic<int> g_changes{0};

LRESULT CALLBACK ListenerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        ++g_changes;
        CKGPSystemChangeListener::RebuildAll();
        return 0;
    case WM_DISPLAYCHANGE:
        // Nothing to rebuild: what was read of the monitors is read again.
        ++g_changes;
        return 0;
    case WM_NCDESTROY: {
        HWND self = hWnd;
        g_listener.compare_exchange_strong(self, nullptr);
        break;
    }
    default:
        break;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

bool RegisterListenerClass(HINSTANCE module)
{
    static std::once_flag once;
    static bool registered = false;
    std::call_once(once, [module] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ListenerProc;
        wc.hInstance = module;
        wc.lpszClassName = kListenerClass;
        registered = ::RegisterClassW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    });
    return registered;
}

// A window made on a thread that has ended is gone, though its handle stays
// stored until another window takes it: the handle counts only while it is
// still this class's window.
bool IsListener(HWND hWnd)
{
    wchar_t name[std::size(kListenerClass) + 1] = {};
    return hWnd != nullptr && ::IsWindow(hWnd) && ::GetClassNameW(hWnd, name, static_cast<int>(std::size(name))) > 0 &&
           wcscmp(name, kListenerClass) == 0;
}

} // namespace

void CKGPSystemChangeListener::Listen()
{
    static std::mutex making;
    const std::lock_guard guard(making);
    if (IsListener(g_listener.load()))
        return;
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    if (!RegisterListenerClass(module))
        return;
    // Not a message-only window: those receive no broadcast.
    HWND made = ::CreateWindowExW(WS_EX_TOOLWINDOW, kListenerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  module, nullptr);
    if (made != nullptr) {
        g_listener.store(made);
        // Changes while no listener lived went unheard: what was kept before
        // is asked again.
        ++g_changes;
    }
}

HWND CKGPSystemChangeListener::GetListenerWindow()
{
    HWND hWnd = g_listener.load();
    return IsListener(hWnd) ? hWnd : nullptr;
}

void CKGPSystemChangeListener::RebuildAll()
{
    CKGPGlobalData& data = GetKGPGlobalData();
    data.UpdateSysColors();
    data.UpdateFonts();
    data.OnSettingChange();
    CKGPToolBarImages::OnSysColorChange();
    ++g_rebuilds;
}

int CKGPSystemChangeListener::GetRebuildCount()
{
    return g_rebuilds.load();
}

int CKGPSystemChangeListener::GetChangeCount()
{
    return g_changes.load();
}
