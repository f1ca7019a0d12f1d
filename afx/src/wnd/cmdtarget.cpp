// Command targets: message-map look-up and command dispatch.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {
const AFX_MSGMAP_ENTRY g_noEntries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
const AFX_MSGMAP g_cmdTargetMap = {nullptr, &g_noEntries[0]};
} // namespace

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    return &g_cmdTargetMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn != nullptr; ++pEntry) {
            if (pEntry->nSig == AfxSig_wm && pEntry->nMessage == nMessage) {
                return pEntry;
            }
            if (pEntry->nSig == AfxSig_registered && pEntry->pnRegistered != nullptr &&
                *pEntry->pnRegistered == nMessage && nMessage != 0) {
                return pEntry;
            }
        }
    }
    return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfn != nullptr; ++pEntry) {
            if (pEntry->nSig == AfxSig_wm || pEntry->nSig == AfxSig_registered) {
                continue;
            }
            if (pEntry->nMessage == nMessage && pEntry->nCode == nCode && nID >= pEntry->nID &&
                nID <= pEntry->nLastID) {
                return pEntry;
            }
        }
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchCmdEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT nID, UINT nCode, void* pExtra)
{
    AFX_MSG_CALL call;
    call.nMessage = pEntry->nMessage;
    call.nID = nID;
    call.nCode = nCode;
    call.pExtra = pExtra;
    LRESULT ignored = 0;
    call.pResult = &ignored;
    if (pEntry->nSig == AfxSig_cmdUI) {
        // An update handler may ask to let the next target answer as well.
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        pEntry->pfn(this, call);
        return !pCmdUI->m_bContinueRouting;
    }
    return pEntry->pfn(this, call);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT code = static_cast<UINT>(nCode);
    if (code != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(code);
        code = LOWORD(code);
    }
    if (nMsg == 0) {
        nMsg = WM_COMMAND;
    }
    nID = LOWORD(nID);
    const AFX_MSGMAP_ENTRY* pEntry = FindCommandEntry(GetMessageMap(), nMsg, code, nID);
    if (pEntry == nullptr) {
        return FALSE;
    }
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = pEntry;
        return TRUE;
    }
    return DispatchCmdEntry(pEntry, nID, code, pExtra);
}

void CCmdTarget::BeginWaitCursor()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor()
{
    BeginWaitCursor();
}

CWaitCursor::CWaitCursor()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

CWaitCursor::~CWaitCursor()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

void CWaitCursor::Restore()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}
