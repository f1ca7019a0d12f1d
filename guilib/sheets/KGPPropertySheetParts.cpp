// The page tree's categories, the tab window and the page list of a library
// property sheet.
#include "guilib/sheets/KGPPropertySheetParts.h"

#include "guilib/core/KGPMouseLeave.h"
#include "guilib/sheets/KGPPropertySheet.h"

#include <windowsx.h>

IMPLEMENT_DYNAMIC(CKGPPropSheetCategory, CObject)
IMPLEMENT_DYNAMIC(CKGPPropSheetPane, CKGPOutlookBarPane)
IMPLEMENT_DYNAMIC(CKGPPropSheetTab, CKGPTabWnd)
IMPLEMENT_DYNAMIC(CKGPPropSheetList, CListBox)

namespace {

// Ids of the windows that stand for the pages inside the tab window.
constexpr UINT kFirstPlaceholderId = 1000;

} // namespace

// ---- CKGPPropSheetCategory

CKGPPropSheetCategory::CKGPPropSheetCategory(LPCTSTR lpszName, int nIcon, int nSelectedIcon,
                                             CKGPPropSheetCategory* pParentCategory)
    : m_strName(lpszName), m_nIcon(nIcon), m_nSelectedIcon(nSelectedIcon), m_pParentCategory(pParentCategory),
      m_lstPages(10)
{
}

CKGPPropertyPage* CKGPPropSheetCategory::FindFirstPage() const
{
    if (!m_lstPages.IsEmpty())
        return m_lstPages.GetHead();
    for (POSITION pos = m_lstSubCategories.GetHeadPosition(); pos != nullptr;) {
        if (CKGPPropertyPage* page = m_lstSubCategories.GetNext(pos)->FindFirstPage())
            return page;
    }
    return nullptr;
}

// ---- CKGPPropSheetPane

BOOL CKGPPropSheetPane::HandledOnRelease(CKGPToolbarButton* pButton)
{
    if (m_pParent == nullptr || pButton == nullptr)
        return FALSE;
    m_pParent->ActivatePageFromNavigation(static_cast<int>(pButton->m_nCommand));
    return TRUE;
}

void CKGPPropSheetPane::EnsureVisible(int iButton)
{
    CKGPToolbarButton* button = GetButton(iButton);
    if (button == nullptr || GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    // Each step either brings the button nearer or leaves the page where it
    // was, which ends the walk.
    for (int steps = 0; steps < GetCount() + 1; ++steps) {
        const CRect rect = button->m_rcButton;
        const int offset = GetScrollOffset();
        if (rect.top < client.top)
            ScrollUp();
        else if (rect.bottom > client.bottom)
            ScrollDown();
        else
            return;
        if (GetScrollOffset() == offset)
            return;
    }
}

// ---- CKGPPropSheetTab

CKGPPropSheetTab::CKGPPropSheetTab()
{
    SetWindowPositions(FALSE);
}

void CKGPPropSheetTab::AddPageTab(LPCTSTR lpszLabel, int nIcon)
{
    auto placeholder = std::make_unique<CWnd>();
    const UINT id = kFirstPlaceholderId + static_cast<UINT>(m_placeholders.size());
    if (!placeholder->CreateEx(0, _T("STATIC"), _T(""), WS_CHILD, CRect(0, 0, 0, 0), this, id))
        return;
    m_bFromSheet = TRUE;
    AddTab(placeholder.get(), lpszLabel, nIcon >= 0 ? static_cast<UINT>(nIcon) : static_cast<UINT>(-1), FALSE);
    m_bFromSheet = FALSE;
    m_placeholders.push_back(std::move(placeholder));
}

void CKGPPropSheetTab::RemovePageTab(int iTab)
{
    CWnd* placeholder = GetTabWnd(iTab);
    m_bFromSheet = TRUE;
    RemoveTab(iTab);
    m_bFromSheet = FALSE;
    for (auto it = m_placeholders.begin(); it != m_placeholders.end(); ++it) {
        if (it->get() == placeholder) {
            (*it)->DestroyWindow();
            m_placeholders.erase(it);
            break;
        }
    }
}

void CKGPPropSheetTab::SelectTab(int iTab)
{
    m_bFromSheet = TRUE;
    CKGPTabWnd::SetActiveTab(iTab);
    EnsureVisible(iTab);
    m_bFromSheet = FALSE;
}

LRESULT CKGPPropSheetTab::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CKGPTabWnd::WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        m_placeholders.clear(); // their windows went with the tab window's
    return result;
}

BOOL CKGPPropSheetTab::SetActiveTab(int iTab)
{
    // A click or a key asks the sheet first; the sheet then selects the tab.
    if (!m_bFromSheet && m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr && iTab != GetActiveTab())
        return m_pParent->ActivatePageFromNavigation(iTab);
    return CKGPTabWnd::SetActiveTab(iTab);
}

// ---- CKGPPropSheetList

void CKGPPropSheetList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (m_pParent == nullptr || lpDrawItemStruct->itemID == static_cast<UINT>(-1))
        return;
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    m_pParent->OnDrawListItem(CDC::FromHandle(lpDrawItemStruct->hDC), index, CRect(lpDrawItemStruct->rcItem),
                              (lpDrawItemStruct->itemState & ODS_SELECTED) != 0, index == m_nHotItem);
}

void CKGPPropSheetList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_pParent != nullptr)
        lpMeasureItemStruct->itemHeight = static_cast<UINT>(m_pParent->OnMeasureListItemHeight());
}

void CKGPPropSheetList::SetHotItem(int nItem)
{
    if (nItem == m_nHotItem)
        return;
    CRect rect;
    if (m_nHotItem >= 0 && GetItemRect(m_nHotItem, rect) != LB_ERR)
        InvalidateRect(rect);
    m_nHotItem = nItem;
    if (m_nHotItem >= 0 && GetItemRect(m_nHotItem, rect) != LB_ERR)
        InvalidateRect(rect);
    UpdateWindow();
}

LRESULT CKGPPropSheetList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE: {
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        BOOL outside = TRUE;
        const UINT item = ItemFromPoint(point, outside);
        SetHotItem(outside ? -1 : static_cast<int>(item));
        if (!m_bTracked) {
            m_bTracked = TRUE;
            TRACKMOUSEEVENT track{};
            track.cbSize = sizeof(track);
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = m_hWnd;
            TrackMouseLeaveByTimer(&track);
        }
        break;
    }
    case WM_MOUSELEAVE: {
        m_bTracked = FALSE;
        const int old = m_nHotItem;
        m_nHotItem = -1;
        CRect rect;
        if (old >= 0 && GetItemRect(old, rect) != LB_ERR)
            RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return 0;
    }
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}
