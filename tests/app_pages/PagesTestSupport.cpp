#include "tests/app_pages/PagesTestSupport.h"

#include <shlobj.h>

#include <cstring>

#include "core/files/Folders.h"

namespace {

// The status-bar text goes to the application's main window: the tests have
// an application object whose main window they set.
CWinApp theTestApp(L"KeyloftPagesTests");

void EnsureAppInitialised()
{
    static const bool initialised =
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL) != FALSE;
    static_cast<void>(initialised);
}

}  // namespace

namespace pagestest {

CHostWindow::CHostWindow()
{
    EnsureAppInitialised();
}

LRESULT CHostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LIST_DRAG_NOTIFY) {
        SeenDragNotify seen;
        const auto* record = reinterpret_cast<const DragNotifyRecord*>(wParam);
        seen.record = *record;
        seen.cursorPointerSet = record->cursor != nullptr;
        if (record->cursor != nullptr) {
            seen.cursor = *record->cursor;
        }
        notifies.push_back(seen);
        return record->code == LIST_DRAG_MOVE ? moveAnswer : 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);  // no recording of the rest
}

CScopedProgramFolder::CScopedProgramFolder() : m_path(static_cast<LPCWSTR>(m_folder.Path()))
{
    SetProgramFolderOverride(m_folder.Path());
}

CScopedProgramFolder::~CScopedProgramFolder()
{
    SetProgramFolderOverride(L"");
}

HDROP MakeDropHandle(const std::vector<std::wstring>& paths)
{
    size_t chars = 1;  // the final terminator
    for (const std::wstring& path : paths) {
        chars += path.size() + 1;
    }
    const size_t bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* cursor = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(cursor, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        cursor += path.size() + 1;
    }
    *cursor = L'\0';
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace pagestest
