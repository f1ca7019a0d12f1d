// A property sheet of the library: its pages are chosen by the standard tabs,
// by an outlook bar of page buttons, by a tree of pages in categories, by the
// library's tab window or by an owner-drawn list. Set the look before the
// window is made; pages added later get their navigation entry at once.
#pragma once

#include <afxwin.h>
#include <afxdlg.h>
#include <afxcomctl.h>

#include "guilib/controls/KGPDlgImpl.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/sheets/KGPPropSheetLayout.h"
#include "guilib/sheets/KGPPropertyPage.h"
#include "guilib/sheets/KGPPropertySheetParts.h"

#include <memory>

// Posted to the sheet after a page change in the outlook look: the recorded
// button is checked and scrolled into view.
constexpr UINT KGP_UM_AFTERACTIVATEPAGE = WM_USER + 1001;

// Control ids of the navigation.
constexpr UINT KGP_IDC_PROPSHEET_TREE = 101;
constexpr UINT KGP_IDC_PROPSHEET_LIST = 103;
constexpr UINT KGP_IDC_PROPSHEET_LIBRARY_TABS = 102;
constexpr UINT KGP_IDC_PROPSHEET_OUTLOOK = 104;
constexpr UINT KGP_IDC_PROPSHEET_OUTLOOK_PANE = 1;

class CKGPPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CKGPPropertySheet)
    friend class CKGPPropSheetTab;
    friend class CKGPPropSheetPane;
    friend class CKGPPropSheetList;
    friend class CKGPPropertyPage;

public:
    enum PropSheetLook {
        PropSheetLook_Tabs = kgp::sheets::kLookTabs,
        PropSheetLook_OutlookBar = kgp::sheets::kLookOutlook,
        PropSheetLook_Tree = kgp::sheets::kLookTree,
        PropSheetLook_OneNoteTabs = kgp::sheets::kLookLibraryTabs,
        PropSheetLook_List = kgp::sheets::kLookList,
    };

    CKGPPropertySheet();
    explicit CKGPPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CKGPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CKGPPropertySheet() override;

    // The look and the navigation's width; FALSE once the window exists.
    BOOL SetLook(PropSheetLook look, int nNavControlWidth = 100);
    PropSheetLook GetLook() const { return m_look; }
    int GetNavBarWidth() const { return m_nBarWidth; }
    // The page icons: a bitmap strip of icons cx wide (or an image list copied).
    BOOL SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent = RGB(255, 0, 255));
    void SetIconsList(HIMAGELIST hIcons);
    // A band of this height above every page, drawn by OnDrawPageHeader.
    void EnablePageHeader(int nHeaderHeight);
    int GetHeaderHeight() const { return m_nHeaderHeight; }

    // A category of the page tree, under a parent category or at the root;
    // the sheet owns it.
    CKGPPropSheetCategory* AddTreeCategory(LPCTSTR lpszLabel, int nIconNum = -1, int nSelectedIconNum = -1,
                                           const CKGPPropSheetCategory* pParentCategory = nullptr);
    // A page in a category of the tree (added to the sheet too).
    void AddPageToTree(CKGPPropSheetCategory* pCategory, CKGPPropertyPage* pPage, int nIconNum = -1,
                       int nSelIconNum = -1);

    void AddPage(CPropertyPage* pPage) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CRect GetPageRect() const override;

    // The page that becomes active: the navigation follows.
    virtual void OnActivatePage(CPropertyPage* pPage);
    // The index of the list item holding the page, or -1.
    int FindPageIndexInList(const CPropertyPage* pPage) const;

    // The outlook look's bar and its page of buttons (null before the window).
    CKGPOutlookBar* GetOutlookBar() const { return m_pWndOutlook.get(); }
    CKGPPropSheetPane* GetOutlookPane() const { return m_pWndPane1.get(); }
    CTreeCtrl& GetTree() { return m_wndTree; }
    CKGPPropSheetList& GetList() { return m_wndList; }
    CKGPPropSheetTab& GetTab() { return m_wndTab; }
    const COwningPtrList<CObList, CKGPPropSheetCategory*>& GetCategories() const { return m_lstTreeCategories; }

protected:
    void OnRemovePage(CPropertyPage* pPage) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The navigation entry of the page at this index.
    virtual void AddPageToNavigation(int nPage);
    // Draws the band above a page (nPage) over rect, in the page's DC.
    virtual void OnDrawPageHeader(CDC* pDC, int nPage, CRect rect);
    // Draws and measures the items of the page list.
    virtual void OnDrawListItem(CDC* pDC, int nIndex, CRect rect, BOOL bSelected, BOOL bHot);
    virtual int OnMeasureListItemHeight();

    // Shows the page of this index for a navigation control; FALSE when the
    // sheet refused.
    BOOL ActivatePageFromNavigation(int nPage);
    void CreateNavigation();
    void InsertCategoryTree(CKGPPropSheetCategory* pCategory);
    void LayOutNavigation();
    void MoveButtons();
    void OnTreeSelChanged(const NMTREEVIEWW& notify);
    void OnTreeGetDispInfo(NMTVDISPINFOW& info);
    // The recorded outlook button checked and scrolled into view.
    void OnAfterActivatePage();
    void ForgetNavigation();
    CString PageTitle(int nPage) const;
    CWnd* NavigationWnd();

    PropSheetLook m_look = PropSheetLook_Tabs;
    std::unique_ptr<CKGPOutlookBar> m_pWndOutlook;
    std::unique_ptr<CKGPPropSheetPane> m_pWndPane1;
    CKGPPropSheetTab m_wndTab;
    CTreeCtrl m_wndTree;
    CKGPPropSheetList m_wndList;
    int m_nBarWidth = 100;
    int m_nActivePage = -1; // the outlook button recorded as the active page's
    CImageList m_Icons;
    int m_nIconsCx = 0;
    int m_nHeaderHeight = 0;
    COwningPtrList<CObList, CKGPPropSheetCategory*> m_lstTreeCategories;
    CKGPPropSheetCategory* m_pExpandedCategory = nullptr;
    BOOL m_bIsInSelectTree = FALSE;
    BOOL m_bNavigationMade = FALSE;
    CKGPDlgImpl m_Impl;
};
