// The ribbon bar as frames see it: a window they recognise by its run-time
// class and ask about the caption, layout, menu images, the active MDI child
// and print preview. This program shows no ribbon: the bar is a plain child
// window with one category, and every answer is the one of an empty ribbon.
#pragma once

#include <afxwin.h>

#include <memory>

#include "guilib/ribbon/KGPRibbonCategory.h"

class CKGPToolbarMenuButton;

class CKGPRibbonBar : public CWnd {
    DECLARE_DYNAMIC(CKGPRibbonBar)
public:
    // The control id a frame looks for among its children.
    static constexpr UINT kDefaultId = 0xE806;

    CKGPRibbonBar() = default;
    ~CKGPRibbonBar() override = default;

    // A child of pParentWnd along its top; bShowTabs is kept for the layout.
    virtual BOOL Create(CWnd* pParentWnd, BOOL bShowTabs = TRUE, UINT nID = kDefaultId);

    // TRUE when the bar draws the frame's caption (never here).
    virtual BOOL IsReplaceFrameCaption() const { return FALSE; }
    virtual void RecalcLayout();
    virtual void DWMCompositionChanged() {}
    // TRUE: the bar is a ribbon.
    virtual BOOL IsRibbon() const { return TRUE; }
    // TRUE when the bar takes the role of its frame's ribbon.
    virtual BOOL IsMainRibbonBar() const { return TRUE; }
    virtual BOOL ProcessMouseWheel(WPARAM /*wParam*/, LPARAM /*lParam*/) { return FALSE; }
    virtual void SetMaximizeMode(BOOL /*bMax*/, CWnd* /*pWnd*/ = nullptr) {}
    // Draws the image of the ribbon element with the menu button's command;
    // FALSE when there is none.
    virtual BOOL DrawMenuImage(CDC* pDC, const CKGPToolbarMenuButton* pMenuItem, const CRect& rectImage);

    void SetActiveMDIChild(CWnd* pWnd) { m_pActiveMDIChild = pWnd; }
    CWnd* GetActiveMDIChild() const { return m_pActiveMDIChild; }
    void SetPrintPreviewMode(BOOL bSet = TRUE) { m_bPrintPreview = bSet; }
    BOOL IsPrintPreviewMode() const { return m_bPrintPreview; }
    BOOL AreTabsShown() const { return m_bShowTabs; }

    CKGPRibbonCategory* GetActiveCategory() { return &m_category; }

private:
    CKGPRibbonCategory m_category;
    CWnd* m_pActiveMDIChild = nullptr;
    BOOL m_bPrintPreview = FALSE;
    BOOL m_bShowTabs = TRUE;
};
