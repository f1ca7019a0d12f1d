// What customising one toolbar keeps between messages: the button selected
// for editing and the drag of its right edge that resizes it, the button
// dragged out of the bar, the insertion marker of a button dragged over the
// bar, and the bar's registration as a drop target.
#pragma once

#include <afxwin.h>

#include <memory>

class CKGPToolbarButton;
class CKGPToolbarDropTarget;

struct CKGPToolBarCustomizeState {
    CKGPToolBarCustomizeState();
    ~CKGPToolBarCustomizeState();
    CKGPToolBarCustomizeState(const CKGPToolBarCustomizeState&) = delete;
    CKGPToolBarCustomizeState& operator=(const CKGPToolBarCustomizeState&) = delete;

    // The button selected for editing (-1: none).
    int selected = -1;
    // The selected button's width follows the pointer; the frame drawn for it.
    BOOL resizing = FALSE;
    CRect resizeFrame;

    // The button pressed to be dragged, where the press was, and whether the
    // drag copies it (Ctrl).
    CKGPToolbarButton* dragged = nullptr;
    CPoint dragOrigin{-1, -1};
    BOOL dragCopies = FALSE;
    // The drop this bar took was of its own dragged button.
    BOOL droppedOnSource = FALSE;
    // While a button of this bar is dragged: the bar is the drag's source.
    void SetDragSource(BOOL bSource);
    BOOL IsDragSource() const { return s_pDragSource == this; }
    // The button being dragged out of its bar now; null when none is.
    static CKGPToolbarButton* DraggedNow() { return s_pDragSource != nullptr ? s_pDragSource->dragged : nullptr; }

    // Where a button dragged over the bar would land (-1: nowhere), the
    // marker's box, and the pen that draws it.
    int markIndex = -1;
    CRect markRect;
    CPen markPen;

    // The bar's drop target, while OLE takes drops on its window.
    std::unique_ptr<CKGPToolbarDropTarget> dropTarget;

private:
    static const CKGPToolBarCustomizeState* s_pDragSource;
};
