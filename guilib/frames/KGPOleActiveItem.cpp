#include "guilib/frames/KGPOleActiveItem.h"

COleClientItem* KGPGetActiveOleItem(CFrameWnd* pFrame)
{
    // An MDI frame's active frame is its active document window.
    CFrameWnd* pActiveFrame = pFrame != nullptr ? pFrame->GetActiveFrame() : nullptr;
    CView* pView = pActiveFrame != nullptr ? pActiveFrame->GetActiveView() : nullptr;
    auto* pDocument = pView != nullptr ? DYNAMIC_DOWNCAST(COleDocument, pView->GetDocument()) : nullptr;
    return pDocument != nullptr ? pDocument->GetInPlaceActiveItem(pView) : nullptr;
}
