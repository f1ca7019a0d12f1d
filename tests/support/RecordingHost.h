// A visible top-level window that records the program's messages
// (WM_USER..WM_USER+40) and answers them with a chosen value.
#pragma once

#include <afxwin.h>

#include <vector>

namespace keyloft_test {

struct RecordedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class CRecordingHost : public CWnd {
public:
    // background: the fill of the client area (the system window colour by default).
    explicit CRecordingHost(COLORREF background = CLR_DEFAULT);
    ~CRecordingHost() override;
    CRecordingHost(const CRecordingHost&) = delete;
    CRecordingHost& operator=(const CRecordingHost&) = delete;

    BOOL CreateHost(int width = 640, int height = 480);
    BOOL CreateHost(int width, int height, COLORREF background);
    // Removes the recorded messages of this kind and answers them, oldest first.
    std::vector<RecordedMessage> Take(UINT message);

    LRESULT m_answer = 1;  // what the recorded messages are answered with
    std::vector<RecordedMessage> m_received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF m_backgroundColour;
    HBRUSH m_background = nullptr;
};

} // namespace keyloft_test
