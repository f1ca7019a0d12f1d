// Program-wide state kept beside the view: the folder-watch switches, one per
// data folder. Code that writes into a data folder switches that folder's watch
// off for the time of the write (CFolderWatchPause) so that its own files do not
// trigger a refill; the connected and keep-alive flags live in CUSBPort
// (CUSBPort::s_connected, CUSBPort::s_keepAliveBusy).
#pragma once

#include <windows.h>

#include <atomic>

// File kinds of the data folders: 0 song, 1 style, 2 voice, 3 memory.
constexpr int kWatchedFolderCount = 4;

// True (the default) when a change in that data folder is posted to the view.
bool IsFolderWatchOn(int kind);
void SetFolderWatch(int kind, bool on);

// Switches one folder's watch off for its lifetime and back on afterwards.
class CFolderWatchPause {
public:
    explicit CFolderWatchPause(int kind);
    ~CFolderWatchPause();
    CFolderWatchPause(const CFolderWatchPause&) = delete;
    CFolderWatchPause& operator=(const CFolderWatchPause&) = delete;

private:
    int m_kind = 0;
};

// Hands a lost instrument to the view: clears the connected flag and posts
// WM_USER+28 to target, once per loss (false when it was reported already, or
// nothing was connected). The keep-alive and a page whose transfer found the
// instrument gone both report through here, so the user is told once.
bool ReportInstrumentLost(HWND target);
