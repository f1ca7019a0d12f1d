// The last messages a thread handled, sent and posted, kept by hooks on that
// thread: what it was busy with when it stood still for too long.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace keyloft_test {

// Made on the thread to follow; at most one at a time. Trail() may be read
// from any thread.
class CMessageTrail {
public:
    CMessageTrail();
    ~CMessageTrail();
    CMessageTrail(const CMessageTrail&) = delete;
    CMessageTrail& operator=(const CMessageTrail&) = delete;

    // The last messages, oldest first, one a line: how many milliseconds ago,
    // "sent" or "posted", the message and the window's class; the mouse's
    // messages with the pointer's place on the screen.
    std::string Trail() const;

private:
    struct Entry {
        HWND hWnd;
        UINT message;
        DWORD tick;
        bool sent;
        POINT pt;
    };
    static constexpr unsigned kSize = 256;
    static LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnPosted(int code, WPARAM wParam, LPARAM lParam);
    void Note(HWND hWnd, UINT message, bool sent, POINT pt = POINT{});

    Entry m_entries[kSize] = {};
    std::atomic<unsigned> m_next{0};
    HHOOK m_hSent = nullptr;
    HHOOK m_hPosted = nullptr;
};

} // namespace keyloft_test
