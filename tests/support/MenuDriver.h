// Drives the popup menu that a test opens on this process's screen (the
// system's or one of the library's): a thread waits for the menu to show,
// records its place and look, then presses keys in it. Used around calls
// that track a menu until it closes.
#pragma once

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <thread>
#include <vector>

namespace test_support {

class CMenuDriver {
public:
    explicit CMenuDriver(std::vector<UINT> keys)
    {
        m_thread = std::thread([this, keys]() {
            const DWORD start = ::GetTickCount();
            HWND menu = nullptr;
            while (menu == nullptr && ::GetTickCount() - start < 5000) {
                menu = FindShownMenu();
                ::Sleep(20);
            }
            if (menu == nullptr) {
                return;
            }
            m_found = true;
            ::GetWindowRect(menu, &m_menuRect);
            ::Sleep(150);   // lets the owner's posted messages run
            m_layered = (::GetWindowLongPtrW(menu, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
            BYTE alpha = 0;
            DWORD flags = 0;
            if (::GetLayeredWindowAttributes(menu, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) != 0)
                m_alpha = alpha;
            for (UINT key : keys) {
                ::PostMessageW(menu, WM_KEYDOWN, key, 1);
                ::Sleep(30);
            }
        });
    }
    ~CMenuDriver()
    {
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    CMenuDriver(const CMenuDriver&) = delete;
    CMenuDriver& operator=(const CMenuDriver&) = delete;
    bool Found() const { return m_found.load(); }
    RECT MenuRect() const { return m_menuRect; }
    bool Layered() const { return m_layered.load(); }
    int Alpha() const { return m_alpha.load(); }

    // The first shown menu window of this process: the system's or the library's.
    static HWND FindShownMenu()
    {
        HWND found = nullptr;
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                wchar_t name[64] = {};
                ::GetClassNameW(hWnd, name, 64);
                DWORD process = 0;
                ::GetWindowThreadProcessId(hWnd, &process);
                const bool menu = ::wcscmp(name, L"#32768") == 0 || ::wcsncmp(name, L"KGPPopupMenu", 12) == 0;
                if (!menu || process != ::GetCurrentProcessId() || !::IsWindowVisible(hWnd))
                    return TRUE;
                *reinterpret_cast<HWND*>(lParam) = hWnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

private:
    std::atomic<bool> m_found{false};
    std::atomic<bool> m_layered{false};
    std::atomic<int> m_alpha{-1};
    RECT m_menuRect{};
    std::thread m_thread;
};

} // namespace test_support
