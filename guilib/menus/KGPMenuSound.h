// The system's "MenuCommand" and "MenuPopup" sounds, played by a worker thread
// so that opening a menu or choosing a command never waits for a sound. The
// worker starts with the first sound, ends when asked, and starts again with
// the next sound after that.
#pragma once

#include <afxwin.h>

class CKGPMenuSound {
public:
    enum Sound { kEnd = -1, kCommand = 1, kPopup = 2 };

    // kCommand or kPopup plays (a request arriving while one plays is played
    // after it); kEnd ends the worker. Nothing while sounds are off.
    static void PlayMenuSound(int nSound);
    // Whether a worker runs (it ends a moment after kEnd).
    static BOOL IsWorkerRunning();

    static BOOL s_bEnabled;
};
