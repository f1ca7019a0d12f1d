// Print preview: a view that shows a print view's pages in its frame in place
// of that view, with a bar above it for its buttons. The layer keeps only what
// a preview needs to open, page and close: pages are drawn as blank sheets
// (the program prints nothing), one or two at a time.
//
// Opening (AfxBeginPrintPreview): the frame switches into preview mode
// (OnSetPreviewMode, which hides its menu and bars), the print view steps
// aside (hidden, its pane id given up) and the preview view is made in its
// place as the active view, with its bar above it. Closing (the
// AFX_ID_PREVIEW_CLOSE command the view answers, or ClosePreview): the print
// view comes back, the frame leaves preview mode and the preview view and its
// bar are destroyed.
#pragma once

#include "afxframe.h"

#ifndef AFX_ID_PREVIEW_CLOSE
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
#endif

// What a frame keeps while a preview shows, to put back when it closes.
struct CPrintPreviewState {
    UINT nIDMainPane = AFX_IDW_PANE_FIRST; // the print view's pane id
    HMENU hMenu = nullptr;                 // the frame's menu before the preview
    DWORD dwStates = 0;                    // bit n: the frame's control bar n was shown
    HWND hWndFocus = nullptr;
};

// The bar above a preview: a plain child of the frame (id AFX_IDW_PREVIEW_BAR)
// whose height is its default size's; it holds the preview's buttons.
class CPreviewBar : public CWnd {
    DECLARE_DYNAMIC(CPreviewBar)
public:
    BOOL Create(CWnd* pFrame);
    CSize m_sizeDefault{0, 0};

protected:
    void PostNcDestroy() override { delete this; }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CPreviewView : public CView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    ~CPreviewView() override;

    // Pages shown at once (1 or 2) and the first of them (from 1).
    UINT GetPagesShown() const { return m_nPages; }
    void SetPagesShown(UINT nPages);
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    void SetCurrentPage(UINT nPage);
    void SetPageCount(UINT nMaxPages) { m_nMaxPages = nMaxPages > 0 ? nMaxPages : 1; }
    CView* GetPrintView() const { return m_pPrintView; }
    CPreviewBar* GetPreviewBar() const { return m_pToolBar; }

    // Tells the page shown (its number and how many are shown): the frame's
    // prompt by default.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    // The page description for the page (one shown) or the pages from it.
    CString FormatPageNumber(UINT nPage, UINT nPagesDisplayed) const;
    // Puts the print view back and closes the preview (the view goes).
    virtual void ClosePreview();

    void OnDraw(CDC* pDC) override;

    // "Page %u\nPages %u-%u": one page shown, then two.
    CString m_strPageDescription;

protected:
    friend BOOL AfxBeginPrintPreview(CView*, CRuntimeClass*, CPrintPreviewState*);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnNumPageChange();
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnPreviewClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CPreviewBar* m_pToolBar = nullptr; // the frame's child; destroyed with the preview
    CView* m_pPrintView = nullptr;
    CPrintPreviewState* m_pPreviewState = nullptr; // the caller's
    UINT m_nPages = 1;
    UINT m_nCurrentPage = 1;
    UINT m_nMaxPages = 1;
};

// Opens a preview of pPrintView in its frame with a view of the class given
// (a CPreviewView); pState must live until the preview closes. FALSE (and the
// frame as it was) when the view cannot be made.
BOOL AfxBeginPrintPreview(CView* pPrintView, CRuntimeClass* pPreviewViewClass, CPrintPreviewState* pState);
