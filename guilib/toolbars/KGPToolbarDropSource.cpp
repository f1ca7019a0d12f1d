#include "guilib/toolbars/KGPToolbarDropSource.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"

IMPLEMENT_DYNAMIC(CKGPToolbarDropSource, COleDropSource)

CKGPToolbarDropSource::~CKGPToolbarDropSource() = default;

void CKGPToolbarDropSource::LoadCursors()
{
    if (m_bCursorsLoaded)
        return;
    m_bCursorsLoaded = TRUE;
    m_hcurDelete.Reset(KGPLoadLibraryCursor(IDCUR_KGP_DRAG_DELETE));
    m_hcurMove.Reset(KGPLoadLibraryCursor(IDCUR_KGP_DRAG_MOVE));
    m_hcurCopy.Reset(KGPLoadLibraryCursor(IDCUR_KGP_DRAG_COPY));
}

HCURSOR CKGPToolbarDropSource::CursorFor(DROPEFFECT dropEffect) const
{
    if (dropEffect == DROPEFFECT_NONE)
        return m_hcurDelete.Get();
    if ((dropEffect & DROPEFFECT_MOVE) != 0)
        return m_hcurMove.Get();
    if ((dropEffect & DROPEFFECT_COPY) != 0)
        return m_hcurCopy.Get();
    return nullptr;
}

BOOL CKGPToolbarDropSource::OnBeginDrag(CWnd* pWnd)
{
    LoadCursors();
    m_bDragStarted = TRUE;
    m_bMovedAway = COleDropSource::OnBeginDrag(pWnd);
    return m_bMovedAway;
}

SCODE CKGPToolbarDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    const HCURSOR cursor = CursorFor(dropEffect);
    if (cursor == nullptr)
        return COleDropSource::GiveFeedback(dropEffect);
    ::SetCursor(cursor);
    return S_OK;
}

SCODE CKGPToolbarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (m_hcurDelete && !m_bDeleteOnDrop)
        ::SetCursor(m_hcurDelete.Get());
    m_bEscapePressed = bEscapePressed;
    m_dwLastKeyState = dwKeyState;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}
