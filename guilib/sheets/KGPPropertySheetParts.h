// What a library property sheet chooses its pages with besides the standard
// tabs: categories of the page tree, the library tab window and the
// owner-drawn page list.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "guilib/panes/KGPOutlookBarPane.h"
#include "guilib/tabs/KGPTabWnd.h"

#include <memory>
#include <vector>

class CKGPPropertySheet;
class CKGPPropertyPage;

// A category of the page tree: holds its child categories (owned) and its
// pages (not owned).
class CKGPPropSheetCategory : public CObject {
    DECLARE_DYNAMIC(CKGPPropSheetCategory)
    friend class CKGPPropertySheet;

public:
    CKGPPropSheetCategory(LPCTSTR lpszName, int nIcon, int nSelectedIcon, CKGPPropSheetCategory* pParentCategory);
    ~CKGPPropSheetCategory() override = default;

    // The first page in the category: its own pages first, then each child
    // category's in order; null when there is none.
    CKGPPropertyPage* FindFirstPage() const;

    const CString m_strName;
    const int m_nIcon;
    const int m_nSelectedIcon;
    CKGPPropSheetCategory* const m_pParentCategory;
    HTREEITEM m_hTreeItem = nullptr;
    COwningPtrList<CObList, CKGPPropSheetCategory*> m_lstSubCategories;
    CList<CKGPPropertyPage*, CKGPPropertyPage*> m_lstPages;
};

// The page buttons of the outlook-bar look: a button's command is its page's
// index; a press shows that page.
class CKGPPropSheetPane : public CKGPOutlookBarPane {
    DECLARE_DYNAMIC(CKGPPropSheetPane)
public:
    CKGPPropSheetPane() = default;
    // Scrolls one step at a time until the button is in view or the page no
    // longer moves.
    void EnsureVisible(int iButton);

    CKGPPropertySheet* m_pParent = nullptr;

protected:
    BOOL HandledOnRelease(CKGPToolbarButton* pButton) override;
};

// The library tab window choosing the page (look 3): a tab is activated only
// when the sheet agrees to show its page.
class CKGPPropSheetTab : public CKGPTabWnd {
    DECLARE_DYNAMIC(CKGPPropSheetTab)
public:
    CKGPPropSheetTab();

    BOOL SetActiveTab(int iTab) override;
    // Adds a tab for a page (a window of no size stands for it in the tab).
    void AddPageTab(LPCTSTR lpszLabel, int nIcon);
    void RemovePageTab(int iTab);
    // Activates a tab the sheet has already switched to.
    void SelectTab(int iTab);

    CKGPPropertySheet* m_pParent = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::unique_ptr<CWnd>> m_placeholders;
    BOOL m_bFromSheet = FALSE;
};

// The owner-drawn page list (look 4) with a hot item under the mouse.
class CKGPPropSheetList : public CListBox {
    DECLARE_DYNAMIC(CKGPPropSheetList)
public:
    CKGPPropSheetList() = default;
    int GetHotItem() const { return m_nHotItem; }
    // The sheet draws and measures the items.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    CKGPPropertySheet* m_pParent = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetHotItem(int nItem);
    int m_nHotItem = -1;
    BOOL m_bTracked = FALSE;
};
