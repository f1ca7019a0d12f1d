// What the page and list tests share: a visible host window that records the
// list drag notifications, a private program folder, hand-made drop handles,
// and the shared pump and dialog answerer.
#pragma once

#include <afxwin.h>

#include <filesystem>
#include <vector>

#include "widgets/ListDrag.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempFolder.h"

namespace pagestest {

using keyloft_test::CDialogAnswerer;
using keyloft_test::Pump;

struct SeenDragNotify {
    DragNotifyRecord record;
    POINT cursor{};  // copied during the call: the record's point dies with it
    bool cursorPointerSet = false;
};

// A top-level window hosting lists; records WM_LIST_DRAG_NOTIFY and answers
// with moveAnswer for code 1037.
class CHostWindow : public keyloft_test::CRecordingHost {
public:
    CHostWindow();
    std::vector<SeenDragNotify> notifies;
    LRESULT moveAnswer = 1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Points the program folder at a fresh temporary folder for its lifetime.
class CScopedProgramFolder {
public:
    CScopedProgramFolder();
    ~CScopedProgramFolder();
    CScopedProgramFolder(const CScopedProgramFolder&) = delete;
    CScopedProgramFolder& operator=(const CScopedProgramFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    keyloft_test::TempFolder m_folder{L"keyloft_pages"};
    std::filesystem::path m_path;
};

// A WM_DROPFILES handle with these paths (wide); the receiver owns it.
HDROP MakeDropHandle(const std::vector<std::wstring>& paths);

}  // namespace pagestest
