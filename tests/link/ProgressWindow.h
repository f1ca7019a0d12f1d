// A hidden message-only window that collects the progress messages posted to it.
#pragma once

#include <windows.h>

#include <ostream>
#include <vector>

namespace linktest {

struct PostedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;

    bool operator==(const PostedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PostedMessage& posted)
{
    return out << "{WM_USER+" << (posted.message - WM_USER) << ", " << posted.wParam << ", " << posted.lParam << "}";
}

// Lives on the thread that creates it; Drain must run on that thread too.
class ProgressWindow {
public:
    ProgressWindow();
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    HWND Handle() const { return m_window; }
    // The progress messages posted so far (WM_USER+6..+8), in order.
    std::vector<PostedMessage> Drain();

private:
    HWND m_window = nullptr;
};

}  // namespace linktest
