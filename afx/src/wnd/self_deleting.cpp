// The watch over the creation of a self-deleting window object.
#include "afxstate.h"

CSelfDeletingCreation::CSelfDeletingCreation(CWnd* pWnd) : m_pWnd(pWnd)
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    m_pOuter = state.pCreationWatch;
    state.pCreationWatch = this;
}

CSelfDeletingCreation::~CSelfDeletingCreation()
{
    // Out of the thread's list wherever it stands (a watch held over a span
    // need not end last).
    for (CSelfDeletingCreation** ppLink = &afx_detail::GetThreadState().pCreationWatch; *ppLink != nullptr;
         ppLink = &(*ppLink)->m_pOuter) {
        if (*ppLink == this) {
            *ppLink = m_pOuter;
            return;
        }
    }
}

bool CSelfDeletingCreation::Finish(BOOL bCreated)
{
    if (m_bEnded)
        return false; // its window went and took it along
    if (bCreated && m_pWnd->m_hWnd != nullptr)
        return true;
    if (m_pWnd->m_hWnd != nullptr) {
        m_pWnd->DestroyWindow(); // a window made before the creation failed
        if (m_bEnded)
            return false;
    }
    delete m_pWnd; // no window was ever made for it (or its class does not end itself)
    return false;
}

void CSelfDeletingCreation::NoteWindowMade(const CWnd* pWnd)
{
    for (CSelfDeletingCreation* pWatch = afx_detail::GetThreadState().pCreationWatch; pWatch != nullptr;
         pWatch = pWatch->m_pOuter) {
        if (pWatch->m_pWnd == pWnd)
            pWatch->m_bWindowMade = true;
    }
}

void CSelfDeletingCreation::NoteEnded(const CWnd* pWnd)
{
    for (CSelfDeletingCreation* pWatch = afx_detail::GetThreadState().pCreationWatch; pWatch != nullptr;
         pWatch = pWatch->m_pOuter) {
        if (pWatch->m_pWnd == pWnd)
            pWatch->m_bEnded = true;
    }
}
