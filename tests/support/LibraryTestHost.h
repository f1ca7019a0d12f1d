// The frame the GUI library's window tests put their objects in: a visible
// top-level window that owns the library windows made in it (destroyed before
// the frame), records the WM_COMMAND notifications they send it beside the
// program's messages, and shows them for captures and screenshots.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "tests/support/RecordingHost.h"
#include "tests/support/WindowCapture.h"

namespace keyloft_test {

class CLibraryTestHost : public CRecordingHost {
public:
    explicit CLibraryTestHost(COLORREF background = RGB(255, 255, 255)) : CRecordingHost(background) {}
    ~CLibraryTestHost() override;

    // Makes a T owned by the frame; the caller creates its window as a child.
    template <class T, class... Args>
    T& Make(Args&&... args)
    {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        T& made = *object;
        m_objects.push_back(std::move(object));
        return made;
    }

    // The notifications (WM_COMMAND) the frame got from its children, taken.
    std::vector<RecordedMessage> TakeCommands() { return Take(WM_COMMAND); }
    // Repaints, pumps and writes the frame as a .bmp file.
    BOOL Screenshot(const wchar_t* path) { return SaveScreenshot(m_hWnd, path); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::unique_ptr<CWnd>> m_objects;
};

} // namespace keyloft_test
