#include "core/link/LinkMessages.h"

#include <afx.h>

#include <cstdarg>
#include <cwchar>
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

}  // namespace

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
