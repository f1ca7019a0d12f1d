// A toolbar's drop target: while the toolbars are customised, data holding a
// toolbar button dragged over the bar goes to the bar's drag-over and drop.
#pragma once

#include <afxole.h>

class CKGPToolBar;

class CKGPToolbarDropTarget : public COleDropTarget {
public:
    CKGPToolbarDropTarget() = default;

    // Registers the target on the bar; FALSE when OLE is not up on its thread.
    BOOL Register(CKGPToolBar* pOwner);

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

private:
    // Customisation mode is on and the data holds a button.
    static BOOL Carries(COleDataObject* pDataObject);

    CKGPToolBar* m_pOwner = nullptr;
};
