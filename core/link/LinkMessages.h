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

// Shows the link's failure messages on the thread that makes it (the GUI
// thread), whichever thread reports them. While it lives it is the installed
// hook (the one before comes back at its end). A report from another thread is
// posted over and that thread waits until its box was closed, as if it had
// shown the box itself; it waits no longer once the GUI thread waits for a
// thread to end (CLinkMessageJoinScope): the box then shows when the GUI thread
// gets to it. Make it and end it on the GUI thread.
class CGuiThreadLinkMessages {
public:
    explicit CGuiThreadLinkMessages(LinkMessageHook show);
    ~CGuiThreadLinkMessages();
    CGuiThreadLinkMessages(const CGuiThreadLinkMessages&) = delete;
    CGuiThreadLinkMessages& operator=(const CGuiThreadLinkMessages&) = delete;

private:
    LinkMessageHook m_previous;
};

// Held by the GUI thread while it waits for a thread to end: a thread that
// waits for its failure box is let go, and none waits while the scope lives.
class CLinkMessageJoinScope {
public:
    CLinkMessageJoinScope();
    ~CLinkMessageJoinScope();
    CLinkMessageJoinScope(const CLinkMessageJoinScope&) = delete;
    CLinkMessageJoinScope& operator=(const CLinkMessageJoinScope&) = delete;
};

// Writes one printf-style trace line (the caller supplies the line feed).
void TraceLink(const wchar_t* format, ...);

// The text of a string id: the current resources, the program's, then the
// link's own copy of the texts it reports itself, else "#<id>".
std::wstring LoadLinkString(UINT stringId);
