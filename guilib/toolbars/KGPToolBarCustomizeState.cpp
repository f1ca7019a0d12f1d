#include "guilib/toolbars/KGPToolBarCustomizeState.h"

#include "guilib/toolbars/KGPToolbarDropTarget.h"

const CKGPToolBarCustomizeState* CKGPToolBarCustomizeState::s_pDragSource = nullptr;

CKGPToolBarCustomizeState::CKGPToolBarCustomizeState() = default;

CKGPToolBarCustomizeState::~CKGPToolBarCustomizeState()
{
    if (s_pDragSource == this)
        s_pDragSource = nullptr;
}

void CKGPToolBarCustomizeState::SetDragSource(BOOL bSource)
{
    if (bSource)
        s_pDragSource = this;
    else if (s_pDragSource == this)
        s_pDragSource = nullptr;
}
