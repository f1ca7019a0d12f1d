// One button of an auto-hide toolbar: it stands for one auto-hidden pane on
// the strip along the frame's edge, sizes and draws itself (icon and, on the
// active toolbar, the pane's title; turned on a left or right strip), and
// asks its pane to slide out or in.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class CKGPAutoHideToolBar;
class CKGPDockingControlBar;

class CKGPAutoHideButton : public CObject {
    DECLARE_DYNCREATE(CKGPAutoHideButton)
public:
    CKGPAutoHideButton() = default;
    ~CKGPAutoHideButton() override = default;

    virtual BOOL Create(CKGPAutoHideToolBar* pParentBar, CKGPDockingControlBar* pAutoHideWnd, DWORD dwAlignment);
    virtual void ShowButton(BOOL bShow) { m_bVisible = bShow; }
    virtual BOOL IsVisible() const { return m_bVisible; }
    virtual void OnDraw(CDC* pDC);
    virtual void OnFillBackground(CDC* pDC, CRect rect);
    virtual void OnDrawBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize);
    virtual void UnSetAutoHideMode(CKGPDockingControlBar* pFirstBarInGroup);
    virtual CSize GetTextSize() const;

    BOOL IsHorizontal() const { return (m_dwAlignment & CBRS_ORIENT_HORZ) != 0; }
    CSize GetSize() const;
    // Slides the pane out (shown) or in; only the toolbar's active flag
    // changes when the pane already is that way.
    void ShowAttachedWindow(BOOL bShow);
    CKGPDockingControlBar* GetAutoHideWindow() const { return m_pAutoHideWindow; }
    CKGPAutoHideToolBar* GetParentToolBar() const { return m_pParentBar; }
    DWORD GetAlignment() const { return m_dwAlignment; }
    CRect GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    BOOL IsTop() const { return m_bTop; }
    void SetTop(BOOL bTop) { m_bTop = bTop; }

    // Library-wide: the border, the margin, the gap before the text, and the
    // room of a button without an icon; only the active toolbar's buttons
    // show their texts.
    static int m_nBorderSize;
    static int m_nMarginSize;
    static int m_nTextMargin;
    static int m_nExtraSpaceNoIcon;
    static BOOL m_bOverlappingTabs;

private:
    CRect m_rect;
    BOOL m_bTop = FALSE;
    DWORD m_dwAlignment = 0;
    BOOL m_bVisible = FALSE;
    CKGPAutoHideToolBar* m_pParentBar = nullptr;
    CKGPDockingControlBar* m_pAutoHideWindow = nullptr;
};
