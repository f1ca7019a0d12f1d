#include "afxstate.h"
#include "../gdi/GdiTempMaps.h"

#include <atomic>

namespace afx_detail {

namespace {

std::atomic<int> g_liveStates{0};
// Set while static objects are destroyed: a thread ending then leaves its state
// to the process's end instead of calling into user32 that late.
std::atomic<bool> g_processEnding{false};

struct ProcessEndMark {
    ~ProcessEndMark() { g_processEnding = true; }
} g_processEndMark;

void WINAPI ThreadStateEnds(void* pValue);

DWORD StateSlot()
{
    static const DWORD slot = ::FlsAlloc(&ThreadStateEnds);
    return slot;
}

// Runs on the ending thread, before the system tears down its windows.
void WINAPI ThreadStateEnds(void* pValue)
{
    auto* pState = static_cast<ThreadState*>(pValue);
    if (pState == nullptr || g_processEnding) {
        return;
    }
    ::FlsSetValue(StateSlot(), pState); // reachable while it is taken apart
    AfxTermThread();
    UnmapThreadWindows(::GetCurrentThreadId());
    ::FlsSetValue(StateSlot(), nullptr);
    delete pState;
}

} // namespace

ThreadState::ThreadState()
{
    ++g_liveStates;
}

ThreadState::~ThreadState()
{
    --g_liveStates;
}

ThreadState& GetThreadState()
{
    const DWORD slot = StateSlot();
    auto* pState = static_cast<ThreadState*>(::FlsGetValue(slot));
    if (pState == nullptr) {
        pState = new ThreadState;
        ::FlsSetValue(slot, pState);
    }
    return *pState;
}

int LiveThreadStates()
{
    return g_liveStates;
}

} // namespace afx_detail

void AFXAPI AfxTermThread()
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.hWndToolTip != nullptr) {
        ::DestroyWindow(state.hWndToolTip);
        state.hWndToolTip = nullptr;
    }
    state.hWndLastHit = nullptr;
    state.nLastHit = -1;
    afx_detail::DeleteTempWndMap();
    AfxDeleteTempMenuMap();
    afx_detail::ReleaseThreadGdiTempMaps();
    afx_detail::ReleaseThreadTempImageLists();
    state.toolTipText.clear();
    state.messageCache.clear();
    if (state.hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    if (state.bOleInitialized) {
        AfxOleTerm(FALSE);
    }
}
