// The library's print preview: the layer's preview view with a library
// toolbar above it, added to the frame's dock manager while the preview shows
// (the frame's own bars are hidden meanwhile), or, in a frame with a ribbon
// bar, the ribbon in its print-preview mode instead of the toolbar. The pages
// button shows the mode a click switches to (one page or two); the page
// number goes to the frame's library status bar, or to its prompt.
#pragma once

#include <afxwin.h>
#include <afxpreview.h>

#include "guilib/toolbars/KGPToolBar.h"

class CKGPRibbonBar;
class CKGPStatusBar;

class CKGPPrintPreviewToolBar : public CKGPToolBar {
    DECLARE_DYNAMIC(CKGPPrintPreviewToolBar)
public:
    CKGPPrintPreviewToolBar() = default;
    // Its own WM_DESTROY takes it off the frame's dock manager.
    ~CKGPPrintPreviewToolBar() override;
    // The preview's own bar stays when the frame hides its bars for the preview.
    BOOL HideInPrintPreviewMode() const override { return FALSE; }
    INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;
    // The frame whose dock manager lists the bar while it lives.
    HWND m_hwndDockFrame = nullptr;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};

class CKGPPrintPreviewView : public CPreviewView {
    DECLARE_DYNCREATE(CKGPPrintPreviewView)
public:
    CKGPPrintPreviewView();
    ~CKGPPrintPreviewView() override;

    // The preview open now, or null.
    static CKGPPrintPreviewView* GetActivePreview() { return s_pActivePrintPreview; }
    CKGPPrintPreviewToolBar& GetToolBar() { return m_wndToolBar; }
    CKGPRibbonBar* GetRibbonBar() const { return m_pWndRibbonBar; }
    // The frame whose bars the preview's toolbar joins.
    CFrameWnd* GetPreviewFrame() const;

    void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed) override;

    // A frame lays its preview out: the bar above the preview takes its strip
    // at the top of the rectangle the view would fill, which shrinks by it.
    static void PlacePreviewBar(CWnd* pFrame, CRect& rect);
    // The frame's active view when it is a library preview, else null.
    static CKGPPrintPreviewView* ActivePreviewOf(CFrameWnd* pFrame);
    // The preview fills the rectangle (its frame's client coordinates),
    // below the bar above it.
    void FillRect(CRect rect);

    // The images the ribbon's pages button shows for one page and two.
    static constexpr int kRibbonOnePageImage = 5;
    static constexpr int kRibbonTwoPagesImage = 4;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnUpdatePreviewNumPage(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    BOOL CreateToolBar(CFrameWnd* pFrame);
    void SetToolbarSize();

    CKGPPrintPreviewToolBar m_wndToolBar;
    int m_iOnePageImageIndex = -1;
    int m_iTwoPageImageIndex = -1;
    int m_iPagesBtnIndex = -1;
    CKGPStatusBar* m_pWndStatusBar = nullptr;
    CSize m_recentToolbarSize{-1, -1};
    CKGPRibbonBar* m_pWndRibbonBar = nullptr;

    static CKGPPrintPreviewView* s_pActivePrintPreview;
};
