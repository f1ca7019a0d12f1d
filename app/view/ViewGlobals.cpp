#include "app/view/ViewGlobals.h"

#include <array>

#include "pages/AppMessages.h"
#include "core/link/USBPort.h"

namespace {

std::array<std::atomic<bool>, kWatchedFolderCount>& WatchFlags()
{
    static std::array<std::atomic<bool>, kWatchedFolderCount> flags{true, true, true, true};
    return flags;
}

bool IsWatchedKind(int kind) { return kind >= 0 && kind < kWatchedFolderCount; }

} // namespace

bool IsFolderWatchOn(int kind) { return IsWatchedKind(kind) && WatchFlags()[kind].load(); }

void SetFolderWatch(int kind, bool on)
{
    if (IsWatchedKind(kind))
        WatchFlags()[kind].store(on);
}

CFolderWatchPause::CFolderWatchPause(int kind) : m_kind(kind) { SetFolderWatch(m_kind, false); }

CFolderWatchPause::~CFolderWatchPause() { SetFolderWatch(m_kind, true); }

bool ReportInstrumentLost(HWND target)
{
    if (!CUSBPort::s_connected.exchange(false))
        return false;
    ::PostMessageW(target, AppMsg::DeviceLost, 0, 0);
    return true;
}
