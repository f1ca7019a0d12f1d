// The one path through which the device port and the MIDI link tell the user
// about a failure, and the one path through which they write trace lines.
//
// The port only knows string-table ids; what the user sees is decided by
// whoever installs the hook (the program puts its own message box behind it,
// tests record the ids). Without a hook the text is loaded from the resources
// and shown in the system's message box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// String ids the link reports by itself.
constexpr UINT IDS_LINK_OPEN_MIDI_IN_FAILED = 61501;   // "打开MIDI输入设备失败"
constexpr UINT IDS_LINK_OPEN_MIDI_OUT_FAILED = 61502;  // "打开MIDI输出设备失败"

using LinkMessageHook = std::function<void(UINT stringId)>;
using LinkTraceHook = std::function<void(const std::wstring& line)>;

// Installs the receiver of failure messages; an empty hook restores the
// default. Returns the hook that was installed before.
LinkMessageHook SetLinkMessageHook(LinkMessageHook hook);

// Installs the receiver of trace lines; an empty hook drops them.
LinkTraceHook SetLinkTraceHook(LinkTraceHook hook);

// Reports a failure by its string id. Safe from any thread.
void ShowLinkMessage(UINT stringId);

// Writes one printf-style trace line (the caller supplies the line feed).
void TraceLink(const wchar_t* format, ...);

// The text of a string id: the current resources, the program's, then the
// link's own copy of the texts it reports itself, else "#<id>".
std::wstring LoadLinkString(UINT stringId);
