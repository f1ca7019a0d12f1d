// Windows for the control tests: a parent that records the program's messages,
// in-memory dialog templates, message pumping and a thread that answers a
// modal dialog.
#pragma once

#include <afxwin.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace widgets_test {

struct RecordedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A visible top-level window that records every WM_USER..WM_USER+40 it gets.
class CRecordingParent : public CWnd {
public:
    CRecordingParent();
    ~CRecordingParent() override;
    BOOL CreateHost(int width = 640, int height = 420, COLORREF background = RGB(236, 242, 250));
    std::vector<RecordedMessage> Take(UINT message);
    std::vector<RecordedMessage> m_received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HBRUSH m_background = nullptr;
};

// Dispatches the calling thread's queued messages for about ms milliseconds.
void Pump(DWORD ms = 0);

// An empty dialog template (no controls) with the given style and size in
// dialog units.
std::vector<WORD> MakeDialogTemplate(DWORD style, short cx, short cy, const wchar_t* title);

// Waits (in another thread) for a visible dialog of this process with the
// given caption and runs answer(dialog) there. Stop() joins; Found() tells
// whether the dialog appeared within the time-out.
class CDialogAnswerer {
public:
    CDialogAnswerer(const wchar_t* caption, std::function<void(HWND)> answer, DWORD timeoutMs = 10000);
    ~CDialogAnswerer();
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;
    void Stop();
    bool Found() const { return m_found.load(); }

private:
    std::atomic<bool> m_found{false};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Renders a window with its children into a 32-bit bitmap (PrintWindow) and
// returns the pixels, row by row from the top (0x00RRGGBB).
std::vector<DWORD> CaptureWindow(HWND hWnd, int& width, int& height);

// Writes 32-bit pixels as a PNG file through GDI+ (GDI+ must be started).
bool SavePng(const wchar_t* path, const std::vector<DWORD>& pixels, int width, int height);

} // namespace widgets_test
