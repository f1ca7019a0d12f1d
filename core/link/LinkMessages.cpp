#include "core/link/LinkMessages.h"

#include <afx.h>

#include <condition_variable>
#include <cstdarg>
#include <cwchar>
#include <deque>
#include <memory>
#include <mutex>

namespace {

std::mutex& HookMutex()
{
    static std::mutex mutex;
    return mutex;
}

LinkMessageHook& MessageHook()
{
    static LinkMessageHook hook;
    return hook;
}

LinkTraceHook& TraceHook()
{
    static LinkTraceHook hook;
    return hook;
}

// The link's own copy of the texts it reports, for a program (or test) whose
// resources do not carry them.
const wchar_t* BuiltInText(UINT stringId)
{
    switch (stringId) {
    case IDS_LINK_OPEN_MIDI_IN_FAILED: return L"打开MIDI输入设备失败";
    case IDS_LINK_OPEN_MIDI_OUT_FAILED: return L"打开MIDI输出设备失败";
    default: return nullptr;
    }
}

void ShowPlainMessage(UINT stringId)
{
    const std::wstring text = LoadLinkString(stringId);
    MessageBoxW(nullptr, text.c_str(), L"", MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

// One failure handed to the GUI thread; done once its box was closed or its
// reporter was let go.
struct RelayedMessage {
    UINT stringId = 0;
    bool done = false;
};

// The GUI thread's side of CGuiThreadLinkMessages: one per process.
struct Relay {
    std::mutex mutex;
    std::condition_variable doneChanged;
    HWND window = nullptr;  // message-only, on the GUI thread
    DWORD guiThread = 0;
    LinkMessageHook show;
    std::deque<std::shared_ptr<RelayedMessage>> waiting;  // posted, box not shown yet
    int joins = 0;  // CLinkMessageJoinScope instances alive
};

Relay& TheRelay()
{
    static Relay relay;
    return relay;
}

constexpr UINT kShowNext = WM_APP + 1;
constexpr wchar_t kRelayClass[] = L"KeyloftLinkMessageRelay";

// Lets every reporter go; their boxes still show. Called with the lock held.
void ReleaseReporters(Relay& relay)
{
    for (const auto& message : relay.waiting)
        message->done = true;
    relay.doneChanged.notify_all();
}

LRESULT CALLBACK RelayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kShowNext)
        return DefWindowProcW(window, message, wParam, lParam);
    Relay& relay = TheRelay();
    std::shared_ptr<RelayedMessage> next;
    LinkMessageHook show;
    {
        std::lock_guard lock(relay.mutex);
        if (relay.waiting.empty())
            return 0;
        next = relay.waiting.front();
        relay.waiting.pop_front();
        show = relay.show;
    }
    if (show)
        show(next->stringId);
    std::lock_guard lock(relay.mutex);
    next->done = true;
    relay.doneChanged.notify_all();
    return 0;
}

// The hook CGuiThreadLinkMessages installs.
void RelayReport(UINT stringId)
{
    Relay& relay = TheRelay();
    std::unique_lock lock(relay.mutex);
    if (!relay.window)
        return;  // the relay has ended: the program is going
    if (GetCurrentThreadId() == relay.guiThread) {
        LinkMessageHook show = relay.show;
        lock.unlock();
        if (show)
            show(stringId);
        return;
    }
    auto message = std::make_shared<RelayedMessage>();
    message->stringId = stringId;
    relay.waiting.push_back(message);
    if (!PostMessageW(relay.window, kShowNext, 0, 0)) {
        relay.waiting.pop_back();
        return;
    }
    // A GUI thread waiting for this thread to end would never show the box.
    if (relay.joins > 0)
        return;
    relay.doneChanged.wait(lock, [&] { return message->done; });
}

}  // namespace

CGuiThreadLinkMessages::CGuiThreadLinkMessages(LinkMessageHook show)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &RelayWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kRelayClass;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    const HWND window = CreateWindowExW(0, kRelayClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    Relay& relay = TheRelay();
    {
        std::lock_guard lock(relay.mutex);
        relay.window = window;
        relay.guiThread = GetCurrentThreadId();
        relay.show = std::move(show);
    }
    m_previous = SetLinkMessageHook(&RelayReport);
}

CGuiThreadLinkMessages::~CGuiThreadLinkMessages()
{
    SetLinkMessageHook(std::move(m_previous));
    Relay& relay = TheRelay();
    HWND window = nullptr;
    {
        std::lock_guard lock(relay.mutex);
        window = relay.window;
        relay.window = nullptr;
        relay.guiThread = 0;
        relay.show = nullptr;
        ReleaseReporters(relay);
        relay.waiting.clear();
    }
    if (window)
        DestroyWindow(window);
}

CLinkMessageJoinScope::CLinkMessageJoinScope()
{
    Relay& relay = TheRelay();
    std::lock_guard lock(relay.mutex);
    ++relay.joins;
    ReleaseReporters(relay);
}

CLinkMessageJoinScope::~CLinkMessageJoinScope()
{
    Relay& relay = TheRelay();
    std::lock_guard lock(relay.mutex);
    --relay.joins;
}

LinkMessageHook SetLinkMessageHook(LinkMessageHook hook)
{
    std::lock_guard lock(HookMutex());
    LinkMessageHook previous = std::move(MessageHook());
    MessageHook() = std::move(hook);
    return previous;
}

LinkTraceHook SetLinkTraceHook(LinkTraceHook hook)
{
    std::lock_guard lock(HookMutex());
    LinkTraceHook previous = std::move(TraceHook());
    TraceHook() = std::move(hook);
    return previous;
}

void ShowLinkMessage(UINT stringId)
{
    LinkMessageHook hook;
    {
        std::lock_guard lock(HookMutex());
        hook = MessageHook();
    }
    TraceLink(L"Link: message %u\n", stringId);
    if (hook)
        hook(stringId);
    else
        ShowPlainMessage(stringId);
}

void TraceLink(const wchar_t* format, ...)
{
    LinkTraceHook hook;
    {
        std::lock_guard lock(HookMutex());
        hook = TraceHook();
    }
    if (!hook)
        return;
    wchar_t buffer[512] = {};
    va_list args;
    va_start(args, format);
    std::vswprintf(buffer, sizeof buffer / sizeof buffer[0], format, args);
    va_end(args);
    hook(buffer);
}

std::wstring LoadLinkString(UINT stringId)
{
    // The current language's resources first, then the program's own.
    for (HINSTANCE module : {AfxGetResourceHandle(), GetModuleHandleW(nullptr)}) {
        const wchar_t* resource = nullptr;
        const int length = LoadStringW(module, stringId, reinterpret_cast<LPWSTR>(&resource), 0);
        if (length > 0 && resource)
            return std::wstring(resource, static_cast<size_t>(length));
    }
    if (const wchar_t* text = BuiltInText(stringId))
        return text;
    return L"#" + std::to_wstring(stringId);
}
