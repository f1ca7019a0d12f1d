#include "afxstate.h"
#include "../gdi/GdiTempMaps.h"

#include <type_traits>

namespace afx_detail {

static_assert(std::is_trivially_destructible_v<ThreadState>, "a thread_local destructor would run on freed memory");

ThreadState& GetThreadState()
{
    // Trivially destructible on purpose: at a thread's end the C++ run-time
    // frees the thread's TLS block before it runs thread_local destructors.
    // What the state owns is freed by AfxTermThread.
    static thread_local ThreadState state;
    return state;
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
    delete state.pTempMap;
    state.pTempMap = nullptr;
    AfxDeleteTempMenuMap();
    afx_detail::ReleaseThreadGdiTempMaps();
    afx_detail::ReleaseThreadTempImageLists();
    delete state.pToolTipText;
    state.pToolTipText = nullptr;
    if (state.hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    if (state.bOleInitialized) {
        AfxOleTerm(FALSE);
    }
}
