// The toolbox in outlook form: a docking pane holding an outlook-style bar
// (CKGPToolBoxBar) whose pages are toolbox pages. The bar's scroll arrows
// scroll the active page by rows and are enabled as the page can scroll; a
// click on a tool posts the pane's command; a context menu over a page asks
// the toolbox first.
#pragma once

#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/panes/KGPToolBoxOwner.h"
#include "guilib/panes/KGPToolBoxPage.h"

class CKGPToolBox;

class CKGPToolBoxBar : public CKGPOutlookBar {
    DECLARE_DYNCREATE(CKGPToolBoxBar)
public:
    CKGPToolBoxBar() = default;

    // Page activation and the scroll arrows go to the toolbox holding the bar.
    void OnScroll(BOOL bDown) override;
    void OnActivatePage(int iPage) override;
    CKGPToolBox* GetToolBox() const;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CKGPToolBox : public CKGPDockingControlBar, public IKGPToolBoxOwner {
    DECLARE_DYNCREATE(CKGPToolBox)
public:
    CKGPToolBox() = default;
    // The window goes while the toolbox is whole: its pages' windows with it,
    // before the pages are deleted.
    ~CKGPToolBox() override;

    // A page of tools (list or grid mode) under a page button named
    // lpszTitle, its images a strip of sizeImage cells; null when it cannot be made.
    CKGPToolBoxPage* AddToolsPage(LPCTSTR lpszTitle, HBITMAP hImages, CSize sizeImage, const CStringArray& labels,
                                  int nMode = kgp::toolbox::kListMode,
                                  CRuntimeClass* pPageClass = RUNTIME_CLASS(CKGPToolBoxPage));
    int GetPageCount() const { return m_pages.GetCount(); }
    CKGPToolBoxPage* GetPage(int nPage) const { return m_pages.Get(nPage); }
    int GetActivePage() const;
    int FindPageIndex(CKGPToolBoxPage* pPage) const override { return m_pages.Find(pPage); }
    CKGPToolBoxBar& GetToolBoxBar() { return m_wndOutlook; }

    // The page shown now updates the bar's scroll arrows.
    virtual void OnActivatePage(int nPage);
    // The active page one row up or down; the arrows follow.
    virtual void OnScroll(BOOL bUp);
    // Posts WM_COMMAND with the pane's id to the owner (else the parent).
    void OnClickTool(int nPage, int nTool) override;
    // The toolbox's context menu over a page; FALSE lets the pane show its own.
    BOOL OnShowToolContextMenu(CPoint point, int nPage, int nTool) override;
    void OnPageLaidOut(CKGPToolBoxPage* pPage) override;
    // The bar fills the client; the active page is activated again.
    void AdjustLayout() override;
    // Only docking panes, and not while this pane floats alone.
    BOOL CanAcceptBar(const CKGPBaseControlBar* pBar) const override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    void UpdateScrollButtons(const CKGPToolBoxPage* pPage);

    CKGPToolBoxBar m_wndOutlook;
    CKGPToolBoxPages m_pages;
};
