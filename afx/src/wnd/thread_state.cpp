#include "afxstate.h"

namespace afx_detail {

ThreadState& GetThreadState()
{
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
    // GDI temporaries of the thread go with their own thread-local table.
    AfxDeleteTempMenuMap();
    if (state.hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    if (state.bOleInitialized) {
        AfxOleTerm(FALSE);
    }
}
