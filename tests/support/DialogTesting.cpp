#include "tests/support/DialogTesting.h"

#include <cwchar>

namespace keyloft_test {

std::vector<WORD> MakeDialogTemplate(DWORD style, short cx, short cy, const wchar_t* title)
{
    std::vector<WORD> data;
    auto putDword = [&data](DWORD value) {
        data.push_back(LOWORD(value));
        data.push_back(HIWORD(value));
    };
    putDword(style);
    putDword(0);        // extended style
    data.push_back(0);  // no controls
    data.push_back(10); // x
    data.push_back(10); // y
    data.push_back(static_cast<WORD>(cx));
    data.push_back(static_cast<WORD>(cy));
    data.push_back(0); // no menu
    data.push_back(0); // the dialog class
    for (const wchar_t* p = title; *p != L'\0'; ++p) {
        data.push_back(static_cast<WORD>(*p));
    }
    data.push_back(0);
    data.push_back(0); // padding
    return data;
}

namespace {

struct FindContext {
    const wchar_t* caption;
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    auto* context = reinterpret_cast<FindContext*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    if (process != context->process || ::IsWindowVisible(hWnd) == FALSE) {
        return TRUE;
    }
    wchar_t className[32] = {};
    wchar_t text[256] = {};
    ::GetClassNameW(hWnd, className, 32);
    // Read without a message: the window's thread may be the test's, waiting
    // for this one to end.
    ::InternalGetWindowText(hWnd, text, 256);
    if (wcscmp(className, L"#32770") == 0 && wcscmp(text, context->caption) == 0) {
        context->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

CDialogAnswerer::CDialogAnswerer(const wchar_t* caption, std::function<void(HWND)> answer, DWORD timeoutMs)
{
    m_thread = std::thread([this, caption, answer, timeoutMs]() {
        const DWORD start = ::GetTickCount();
        while (!m_stop.load() && ::GetTickCount() - start < timeoutMs) {
            FindContext context{caption, ::GetCurrentProcessId(), nullptr};
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&context));
            if (context.found != nullptr) {
                ::Sleep(100); // let the dialog finish its initialisation and first paint
                m_found.store(true);
                answer(context.found);
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

} // namespace keyloft_test
