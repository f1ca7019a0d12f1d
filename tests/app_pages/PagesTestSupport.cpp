#include "tests/app_pages/PagesTestSupport.h"

#include <shlobj.h>

#include <chrono>
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

CHostWindow::CHostWindow() = default;

CHostWindow::~CHostWindow()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CHostWindow::CreateHost(int width, int height)
{
    EnsureAppInitialised();
    const CString className = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!CreateEx(0, className, L"pages test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, width,
                  height, nullptr, nullptr)) {
        return FALSE;
    }
    UpdateWindow();
    return TRUE;
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
    return CWnd::WindowProc(message, wParam, lParam);
}

void Pump(DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (ms > 0) {
            ::Sleep(5);
        }
    } while (::GetTickCount64() < end);
}

namespace {

struct DialogSearch {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<DialogSearch*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    if (std::wcscmp(className, L"#32770") == 0 && std::wcscmp(text, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

CDialogAnswerer::CDialogAnswerer(const wchar_t* caption, std::function<void(HWND)> answer, DWORD timeoutMs)
{
    std::wstring wanted(caption);
    m_thread = std::thread([this, wanted, answer = std::move(answer), timeoutMs] {
        const ULONGLONG end = ::GetTickCount64() + timeoutMs;
        while (!m_stop.load() && ::GetTickCount64() < end) {
            DialogSearch search{wanted.c_str(), nullptr};
            ::EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                ::Sleep(50);  // let the dialog finish its initialisation
                m_found.store(true);
                answer(search.found);
                return;
            }
            ::Sleep(20);
        }
    });
}

CDialogAnswerer::~CDialogAnswerer()
{
    Stop();
}

void CDialogAnswerer::Stop()
{
    m_stop.store(true);
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

CString DialogItemText(HWND dialog, int id)
{
    const HWND item = ::GetDlgItem(dialog, id);
    const int length = ::GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(item, text.data(), length + 1);
    return CString(text.c_str());
}

void ClickButton(HWND dialog, int id)
{
    ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

CScopedProgramFolder::CScopedProgramFolder()
{
    static int counter = 0;
    m_path = std::filesystem::temp_directory_path() /
             (L"keyloft_pages_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(++counter));
    std::filesystem::create_directories(m_path);
    SetProgramFolderOverride(m_path.c_str());
}

CScopedProgramFolder::~CScopedProgramFolder()
{
    SetProgramFolderOverride(L"");
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
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
