// What the page and list tests share: a visible host window that records the
// list drag notifications, a message pump, a thread that answers a modal
// dialog, a private program folder, and hand-made drop handles.
#pragma once

#include <afxwin.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "app/lists/ListDrag.h"

namespace pagestest {

struct SeenDragNotify {
    DragNotifyRecord record;
    POINT cursor{};  // copied during the call: the record's point dies with it
    bool cursorPointerSet = false;
};

// A top-level window hosting lists; records WM_LIST_DRAG_NOTIFY and answers
// with moveAnswer for code 1037.
class CHostWindow : public CWnd {
public:
    CHostWindow();
    ~CHostWindow() override;
    BOOL CreateHost(int width = 640, int height = 480);
    std::vector<SeenDragNotify> notifies;
    LRESULT moveAnswer = 1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

void Pump(DWORD ms = 0);

// Waits in another thread for a visible dialog of this process with the
// caption and runs answer(dialog) there.
class CDialogAnswerer {
public:
    CDialogAnswerer(const wchar_t* caption, std::function<void(HWND)> answer, DWORD timeoutMs = 8000);
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

CString DialogItemText(HWND dialog, int id);
void ClickButton(HWND dialog, int id);

// Points the program folder at a fresh temporary folder for its lifetime.
class CScopedProgramFolder {
public:
    CScopedProgramFolder();
    ~CScopedProgramFolder();
    CScopedProgramFolder(const CScopedProgramFolder&) = delete;
    CScopedProgramFolder& operator=(const CScopedProgramFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A WM_DROPFILES handle with these paths (wide); the receiver owns it.
HDROP MakeDropHandle(const std::vector<std::wstring>& paths);

}  // namespace pagestest
