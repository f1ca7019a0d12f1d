// Real input for the GUI tests: a script of mouse moves, button presses and
// key strokes sent through SendInput by a thread of its own, while the test's
// thread keeps dispatching messages as a program's loop does (each offered to
// the windows' PreTranslateMessage first; a menu's or a resize's own loop may
// run meanwhile). Header-only, so any suite can include it.
#pragma once

#include <afxwin.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace test_support {

class CInputScript {
public:
    // The pointer to the screen point, in `steps` moves of 15 ms from where it is.
    CInputScript& MoveTo(POINT point, int steps = 1)
    {
        m_steps.push_back([point, steps] {
            POINT from{};
            ::GetCursorPos(&from);
            for (int i = 1; i <= steps; ++i) {
                SendMove(POINT{from.x + (point.x - from.x) * i / steps, from.y + (point.y - from.y) * i / steps});
                ::Sleep(15);
            }
        });
        return *this;
    }
    CInputScript& LeftDown() { return Mouse(MOUSEEVENTF_LEFTDOWN); }
    CInputScript& LeftUp() { return Mouse(MOUSEEVENTF_LEFTUP); }
    // A click, or a double click, where the pointer is.
    CInputScript& Click() { return LeftDown().LeftUp(); }
    CInputScript& DoubleClick() { return Click().Click(); }
    // A key pressed and released, with Ctrl held when asked.
    CInputScript& Key(WORD vk, bool ctrl = false)
    {
        m_steps.push_back([vk, ctrl] {
            std::vector<INPUT> keys;
            const auto add = [&keys](WORD key, DWORD flags) {
                INPUT input{};
                input.type = INPUT_KEYBOARD;
                input.ki.wVk = key;
                input.ki.dwFlags = flags;
                keys.push_back(input);
            };
            if (ctrl)
                add(VK_CONTROL, 0);
            add(vk, 0);
            add(vk, KEYEVENTF_KEYUP);
            if (ctrl)
                add(VK_CONTROL, KEYEVENTF_KEYUP);
            ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
            ::Sleep(40);
        });
        return *this;
    }
    CInputScript& Wait(DWORD ms)
    {
        m_steps.push_back([ms] { ::Sleep(ms); });
        return *this;
    }
    // Waits (up to timeoutMs) until the condition holds; it is read on the
    // script's thread, so it may only look at windows, not at objects.
    CInputScript& WaitUntil(std::function<bool()> condition, DWORD timeoutMs = 3000)
    {
        m_steps.push_back([condition = std::move(condition), timeoutMs] {
            const DWORD start = ::GetTickCount();
            while (!condition() && ::GetTickCount() - start < timeoutMs)
                ::Sleep(10);
        });
        return *this;
    }
    // Any other step, run on the script's thread.
    CInputScript& Then(std::function<void()> step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // Runs the script while this thread dispatches its messages; answers
    // once it has ended (and what it caused is dispatched).
    void Run(DWORD timeoutMs = 15000)
    {
        std::atomic<bool> done{false};
        std::thread worker([this, &done] {
            for (const auto& step : m_steps)
                step();
            ::Sleep(60);
            done = true;
        });
        const DWORD start = ::GetTickCount();
        while (!done && ::GetTickCount() - start < timeoutMs) {
            DispatchQueued();
            ::Sleep(5);
        }
        worker.join();
        DispatchQueued();
        m_steps.clear();
    }

    // What is queued for this thread now, each message offered to the
    // PreTranslateMessage of its window and the windows above it first.
    static void DispatchQueued()
    {
        for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
            if (msg.message == WM_QUIT)
                continue;
            HWND top = msg.hwnd;
            while (top != nullptr && ::GetParent(top) != nullptr)
                top = ::GetParent(top);
            if (msg.hwnd != nullptr && CWnd::WalkPreTranslateTree(top, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // The screen point as an absolute move.
    static void SendMove(POINT point)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = point.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = point.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof(INPUT));
    }

private:
    CInputScript& Mouse(DWORD flags)
    {
        m_steps.push_back([flags] {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flags;
            ::SendInput(1, &input, sizeof(INPUT));
            ::Sleep(30);
        });
        return *this;
    }

    std::vector<std::function<void()>> m_steps;
};

} // namespace test_support
