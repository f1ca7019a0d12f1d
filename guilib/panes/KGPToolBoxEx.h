// The toolbox in tasks-pane form: each group of the pane holds one toolbox
// page as a hosted window, as tall as the page needs for its tools; a click
// on a tool posts the pane's command and clears the other pages' selection.
#pragma once

#include "guilib/panes/KGPTasksPane.h"
#include "guilib/panes/KGPToolBoxOwner.h"
#include "guilib/panes/KGPToolBoxPage.h"

class CKGPToolBoxEx : public CKGPTasksPane, public IKGPToolBoxOwner {
    DECLARE_DYNCREATE(CKGPToolBoxEx)
public:
    CKGPToolBoxEx() = default;
    // The window goes while the toolbox is whole: its pages' windows with it,
    // before the pages are deleted.
    ~CKGPToolBoxEx() override;

    // A page of tools in a new group named lpszTitle (list or grid mode),
    // its images a strip of sizeImage cells; null when it cannot be made.
    CKGPToolBoxPage* AddToolsPage(LPCTSTR lpszTitle, HBITMAP hImages, CSize sizeImage, const CStringArray& labels,
                                  int nMode = kgp::toolbox::kListMode,
                                  CRuntimeClass* pPageClass = RUNTIME_CLASS(CKGPToolBoxPage));
    // The tool pages (one per group).
    int GetPageCount() const { return m_pages.GetCount(); }
    CKGPToolBoxPage* GetPage(int nPage) const { return m_pages.Get(nPage); }
    int FindPageIndex(CKGPToolBoxPage* pPage) const override { return m_pages.Find(pPage); }
    // Each group as tall as its page needs, then the pane's layout.
    void AdjustLayout() override;
    // Clicking a tool: WM_COMMAND with the pane's id to the owner (else the
    // parent); the other pages lose their selection and highlight.
    void OnClickTool(int nPage, int nTool) override;
    virtual void OnPageScroll(CKGPToolBoxPage* pPage, int nOffset);
    BOOL IsToolBox() const override { return TRUE; }
    int GetDockingMode() const override { return CKGPControlBar::GetDockingMode(); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CKGPToolBoxPages m_pages;
    BOOL m_bAdjusting = FALSE;
};
