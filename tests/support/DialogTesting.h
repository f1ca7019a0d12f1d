// Dialogs for tests: in-memory templates, and a thread that answers a modal
// dialog while the test's thread sits in its loop.
#pragma once

#include <afxwin.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace keyloft_test {

// The text of a dialog's control, and a click on one of its buttons.
inline CString DialogItemText(HWND dialog, int id)
{
    CString text;
    CWnd::FromHandle(::GetDlgItem(dialog, id))->GetWindowText(text);
    return text;
}
inline void ClickButton(HWND dialog, int id)
{
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

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

} // namespace keyloft_test
