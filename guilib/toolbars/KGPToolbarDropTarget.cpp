#include "guilib/toolbars/KGPToolbarDropTarget.h"

#include "guilib/toolbars/KGPToolBar.h"

BOOL CKGPToolbarDropTarget::Register(CKGPToolBar* pOwner)
{
    m_pOwner = pOwner;
    return COleDropTarget::Register(pOwner);
}

BOOL CKGPToolbarDropTarget::Carries(COleDataObject* pDataObject)
{
    return CKGPToolBar::IsCustomizeMode() && pDataObject != nullptr &&
           pDataObject->IsDataAvailable(CKGPToolbarButton::GetClipboardFormat());
}

DROPEFFECT CKGPToolbarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return Carries(pDataObject) ? m_pOwner->DragOverBar(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CKGPToolbarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return Carries(pDataObject) ? m_pOwner->DragOverBar(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void CKGPToolbarDropTarget::OnDragLeave(CWnd*)
{
    m_pOwner->ClearInsertMarker();
}

BOOL CKGPToolbarDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    return Carries(pDataObject) && m_pOwner->DropButton(pDataObject, dropEffect, point);
}
