// A container's document and its items: which item is active in place in
// which view.
#include <afxole.h>

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDocument, CDocument)

COleClientItem::COleClientItem(COleDocument* pContainerDoc)
{
    if (pContainerDoc != nullptr)
        pContainerDoc->AddItem(this);
}

COleClientItem::~COleClientItem()
{
    if (IsInPlaceActive())
        Deactivate();
    if (m_pDocument != nullptr)
        m_pDocument->RemoveItem(this);
}

BOOL COleClientItem::ActivateInPlace(CView* pView, COleFrameHook* pInPlaceFrame)
{
    if (m_pDocument == nullptr || pView == nullptr || pView->GetDocument() != m_pDocument)
        return FALSE;
    // One item at a time is active in a view.
    COleClientItem* pActive = m_pDocument->GetInPlaceActiveItem(pView);
    if (pActive != nullptr && pActive != this)
        pActive->Deactivate();
    m_pView = pView;
    m_pInPlaceFrame = pInPlaceFrame;
    m_nItemState = activeUIState;
    return TRUE;
}

void COleClientItem::Deactivate()
{
    m_pView = nullptr;
    m_pInPlaceFrame = nullptr;
    m_nItemState = loadedState;
}

COleDocument::COleDocument() = default;

COleDocument::~COleDocument()
{
    // Each item leaves the list before it is deleted.
    m_items.DeleteAll();
}

void COleDocument::AddItem(COleClientItem* pItem)
{
    if (pItem == nullptr || pItem->m_pDocument == this)
        return;
    if (pItem->m_pDocument != nullptr)
        pItem->m_pDocument->RemoveItem(pItem);
    m_items.AddTail(pItem);
    pItem->m_pDocument = this;
}

void COleDocument::RemoveItem(COleClientItem* pItem)
{
    if (pItem == nullptr || pItem->m_pDocument != this)
        return;
    if (pItem->IsInPlaceActive())
        pItem->Deactivate();
    if (POSITION pos = m_items.Find(pItem))
        m_items.RemoveAt(pos);
    pItem->m_pDocument = nullptr;
}

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd* pWnd) const
{
    if (pWnd == nullptr)
        return nullptr;
    for (POSITION pos = m_items.GetHeadPosition(); pos != nullptr;) {
        COleClientItem* pItem = m_items.GetNext(pos);
        CView* pView = pItem->GetActiveView();
        if (pView == nullptr || !pItem->IsInPlaceActive())
            continue;
        if (pView == pWnd || pView->GetParentFrame() == pWnd)
            return pItem;
    }
    return nullptr;
}

void COleDocument::OnChangedViewList()
{
    // Before the base may close the document with its last view.
    for (POSITION pos = m_items.GetHeadPosition(); pos != nullptr;) {
        COleClientItem* pItem = m_items.GetNext(pos);
        CView* pView = pItem->GetActiveView();
        if (pView != nullptr && pView->GetDocument() != this)
            pItem->Deactivate();
    }
    CDocument::OnChangedViewList();
}
