#include "afxstate.h"
#include "../gdi/GdiTempMaps.h"

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
    AfxDeleteTempMenuMap();
    afx_detail::ReleaseThreadGdiTempMaps();
    if (state.hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    if (state.bOleInitialized) {
        AfxOleTerm(FALSE);
    }
}
