// Progress of one transfer as the main frame's progress bar understands it:
// WM_USER+6 with the range (wParam lower bound, lParam upper bound, each read
// as a signed 16-bit number), WM_USER+8 for each step, WM_USER+7 at the end.
#pragma once

#include <windows.h>

constexpr UINT WM_LINK_PROGRESS_BEGIN = WM_USER + 6;
constexpr UINT WM_LINK_PROGRESS_END = WM_USER + 7;
constexpr UINT WM_LINK_PROGRESS_STEP = WM_USER + 8;

// How many packets make one step, so that the upper bound fits the bar's
// signed 16-bit range however large the item is.
struct ProgressScale {
    unsigned packetsPerStep = 1;
    unsigned steps = 0;  // the upper bound; the lower bound is 0

    static ProgressScale ForPackets(unsigned packets);
};

// Posts the progress of one transfer to a window (nothing when there is none).
// End is posted once, at the latest by the destructor.
class CTransferProgress {
public:
    CTransferProgress(HWND target, unsigned packets);
    ~CTransferProgress();
    CTransferProgress(const CTransferProgress&) = delete;
    CTransferProgress& operator=(const CTransferProgress&) = delete;

    // One packet is done.
    void PacketDone();
    void End();

private:
    void Post(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND m_target;
    unsigned m_packets;
    ProgressScale m_scale;
    unsigned m_packetsDone = 0;
    unsigned m_stepsPosted = 0;
    bool m_ended = false;
};
