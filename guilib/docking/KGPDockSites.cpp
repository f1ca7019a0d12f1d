// Dock managers recorded against their dock sites: a manager joins the record
// when it is told its frame and leaves it when it goes, so docking finds the
// manager of a frame's window without asking the frames; and what every
// library frame decides the same way, written once.
#include "guilib/docking/KGPDockManager.h"

#include "guilib/docking/KGPDockSite.h"

CKGPDockManager* CKGPDockManager::s_pFirstRecorded = nullptr;

BOOL CKGPDockManager::Create(CFrameWnd* pParentWnd, IKGPDockSite* pSite)
{
    SetParentFrame(pParentWnd);
    m_pSite = pParentWnd != nullptr ? pSite : nullptr;
    return TRUE;
}

BOOL CKGPDockManager::SetParentFrame(CFrameWnd* pFrame)
{
    m_pParentWnd = pFrame;
    if (pFrame == nullptr) {
        m_pSite = nullptr;
        Forget();
    } else if (!m_bRecorded) {
        m_pNextRecorded = s_pFirstRecorded;
        s_pFirstRecorded = this;
        m_bRecorded = true;
    }
    return TRUE;
}

void CKGPDockManager::Forget()
{
    if (!m_bRecorded)
        return;
    for (CKGPDockManager** ppLink = &s_pFirstRecorded; *ppLink != nullptr; ppLink = &(*ppLink)->m_pNextRecorded) {
        if (*ppLink == this) {
            *ppLink = m_pNextRecorded;
            break;
        }
    }
    m_pNextRecorded = nullptr;
    m_bRecorded = false;
}

CKGPDockManager* CKGPDockManager::FromSite(HWND hSite)
{
    if (hSite == nullptr)
        return nullptr;
    for (CKGPDockManager* pManager = s_pFirstRecorded; pManager != nullptr; pManager = pManager->m_pNextRecorded) {
        if (pManager->m_pParentWnd != nullptr && pManager->m_pParentWnd->m_hWnd == hSite)
            return pManager;
    }
    return nullptr;
}

BOOL IKGPDockSite::OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame)
{
    return GetDockManager()->OnMoveMiniFrame(pMiniFrame);
}
