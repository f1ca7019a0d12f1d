// The library's one listener for system colour and settings changes: a hidden
// top-level window (it receives what the system sends every top-level window)
// that rebuilds the global data's colours, brushes and fonts and reloads the
// image strips once per change, however many bars and frames exist. It also
// counts the display changes, for what is kept of the monitors' layout.
#pragma once

#include <afxwin.h>

class CKGPSystemChangeListener {
public:
    // Makes the listener on the calling thread unless one lives already (the
    // first one goes with the thread that made it; the next call after that
    // makes another). Bars call it when their window is made.
    static void Listen();
    // The listener's window; null before the first Listen or after its thread ended.
    static HWND GetListenerWindow();
    // What the listener does once per WM_SYSCOLORCHANGE or WM_SETTINGCHANGE.
    static void RebuildAll();
    // How many rebuilds have run in this process.
    static int GetRebuildCount();
    // How many colour, settings and display changes the listener has heard
    // (and listeners made): a value read from the system while the listener
    // lives stays true while this count stays the same.
    static int GetChangeCount();
};
