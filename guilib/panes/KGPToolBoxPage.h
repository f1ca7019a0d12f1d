// A page of a toolbox: tools (an image with a text) laid out one per row
// (list mode) or as a grid of images with tooltips (grid mode), scrolled by
// whole rows, highlighted under the mouse and selected by a click, which the
// owning toolbox hears (OnClickTool). The page's arithmetic is
// KGPToolBoxLayout's.
#pragma once

#include "guilib/core/KGPToolBarImages.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/panes/KGPToolBoxLayout.h"
#include "guilib/panes/KGPToolBoxOwner.h"

#include <afxcmn.h>
#include <afxtempl.h>
#include <afxtemplptr.h>

#include <memory>
#include <vector>

class CKGPToolBox;
class CKGPToolBoxEx;
class CKGPToolBoxPage;

// One tool of a page.
class CKGPToolBoxButton : public CObject {
    DECLARE_DYNCREATE(CKGPToolBoxButton)
public:
    CKGPToolBoxButton() = default;
    ~CKGPToolBoxButton() override = default;

    // The face (highlighted or selected), the image and, in list mode, the text.
    virtual void OnDraw(CDC* pDC);

    CString m_strText;
    BOOL m_bIsHighlighted = FALSE;
    BOOL m_bIsChecked = FALSE;
    CRect m_Rect;                    // page client coordinates; empty when not shown
    UINT m_nID = 0;                  // tooltip tool id and search key
    int m_iImageIndex = -1;
    CKGPToolBoxPage* m_pPage = nullptr;
};

class CKGPToolBoxPage : public CKGPControlBar {
    DECLARE_DYNCREATE(CKGPToolBoxPage)
public:
    CKGPToolBoxPage();
    ~CKGPToolBoxPage() override;

    // Makes the page's window inside the toolbox.
    BOOL CreatePage(CWnd* pParent, UINT nID, int nMode = kgp::toolbox::kListMode);
    // The images (a strip of sizeImage cells); the page keeps a copy.
    BOOL SetImages(HBITMAP hBitmap, CSize sizeImage);
    // A tool with the next image; its index. Tool ids count from 1.
    int AddTool(LPCTSTR lpszText, CRuntimeClass* pButtonClass = RUNTIME_CLASS(CKGPToolBoxButton));
    int GetToolCount() const { return static_cast<int>(m_arButtons.size()); }
    CKGPToolBoxButton* GetTool(int nTool) const;

    // -1 unless the window under the (client) point is this page; else the tool there or -1.
    int HitTest(CPoint point) const;
    // FALSE for an index at or past the count; the same index again changes nothing.
    BOOL SelectTool(int nTool);
    int GetSelected() const { return m_nCheckedButton; }
    void SetHighlighted(int nTool);
    int GetHighlighted() const { return m_nHighlightedButton; }
    CKGPToolBoxButton* FindToolById(UINT nID) const;
    void RedrawTool(int nTool);
    // Scrolls so that the pixel offset is in view (whole rows, rounded up).
    void ScrollToPixel(int nPixel);
    // Back to the top, laid out and redrawn; the toolbox's scroll buttons follow.
    void AdjustLayout() override;
    // Lays the tools out at the current scroll position.
    void ReposButtons();
    // The height that shows all tools in the given width.
    int GetRequiredHeight(int nWidth) const;
    int GetMode() const { return m_nMode; }
    void SetMode(int nMode);
    int GetFirstVisibleRow() const { return m_nScrollOffset; }
    void SetFirstVisibleRow(int nRow) { m_nScrollOffset = nRow < 0 ? 0 : nRow; }
    int GetRowsBelow() const { return m_nVertScrollSize; }
    CSize GetImageSize() const { return m_sizeImage; }
    CToolTipCtrl* GetToolTip() const { return m_pToolTip; }
    // Draws image nImage at the point (tools ask while the page paints).
    void DrawToolImage(CDC* pDC, CPoint point, int nImage);

    // The toolbox holding the page, of either form, and the same as the one it hears.
    CKGPToolBox* m_pToolBox = nullptr;
    CKGPToolBoxEx* m_pToolBoxEx = nullptr;
    IKGPToolBoxOwner* m_pOwner = nullptr;

protected:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    afx_msg void OnPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    int RowHeight() const;
    int PageIndex() const;
    void ClickTool(int nTool);
    void RebuildToolTips();

    std::vector<std::unique_ptr<CKGPToolBoxButton>> m_arButtons;
    CSize m_sizeImage{0, 0};
    int m_nCheckedButton = -1;
    int m_nHighlightedButton = -1;
    int m_nScrollOffset = 0;     // first visible row
    int m_nVertScrollSize = 0;   // rows below
    CKGPToolBarImages m_Images;
    COLORREF m_clrFace = static_cast<COLORREF>(-1);
    int m_nMode = kgp::toolbox::kListMode;
    CToolTipCtrl* m_pToolTip = nullptr;
    BOOL m_bCaptured = FALSE;
};

// The pages a toolbox made and owns, in order.
class CKGPToolBoxPages {
public:
    CKGPToolBoxPages() = default;
    ~CKGPToolBoxPages();
    CKGPToolBoxPages(const CKGPToolBoxPages&) = delete;
    CKGPToolBoxPages& operator=(const CKGPToolBoxPages&) = delete;

    // A page of the class (a toolbox page) made in pParent for pOwner, with its
    // images and one tool per label; null (nothing kept) when it cannot be made.
    CKGPToolBoxPage* Make(CRuntimeClass* pPageClass, IKGPToolBoxOwner* pOwner, CWnd* pParent, HBITMAP hImages,
                          CSize sizeImage, const CStringArray& labels, int nMode);
    int GetCount() const { return static_cast<int>(m_pages.size()); }
    CKGPToolBoxPage* Get(int nPage) const { return nPage >= 0 && nPage < GetCount() ? m_pages[nPage].get() : nullptr; }
    int Find(const CKGPToolBoxPage* pPage) const;

private:
    std::vector<std::unique_ptr<CKGPToolBoxPage>> m_pages;
};

