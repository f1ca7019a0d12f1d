// Buttons drawn in a caption (close, pin, pane menu, page menu): not windows,
// objects that know their hit-test code, place, state and size, and ask the
// visual manager to draw them. The owner window lays them out, hit-tests,
// tracks and presses them (see KGPCaptionLayout).
#pragma once

#include "guilib/core/KGPVisualItem.h"

#include <afxwin.h>

class CKGPCaptionButton : public CObject, public CKGPVisualItem {
public:
    CKGPCaptionButton() = default;
    CKGPCaptionButton(UINT nHit, BOOL bLeftAlign) : m_nHit(nHit), m_bLeftAlign(bLeftAlign) {}

    // Position and size; a hidden button's rectangle is empty at its position.
    virtual CRect GetRect() const;
    // Nothing when hidden; otherwise the visual manager draws it.
    virtual void OnDraw(CDC* pDC, BOOL bActive, BOOL bHorz = TRUE, BOOL bMaximized = TRUE, BOOL bDisabled = FALSE);
    // The glyph in the library's menu-glyph strip for this hit code, -1 for none.
    virtual int GetIconID(BOOL bHorz, BOOL bMaximized = TRUE) const;

    UINT GetHit() const { return m_nHit; }
    static CSize GetSize();

    // CKGPVisualItem
    CRect GetVisualRect() const override { return GetRect(); }
    int GetVisualGlyph() const override { return GetIconID(m_bDrawnHorz, m_bDrawnMaximized); }
    BOOL IsVisualPushed() const override { return m_bPushed; }
    BOOL IsVisualFocused() const override { return m_bFocused; }

    BOOL m_bPushed = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bHidden = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bReserved = FALSE;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    UINT m_nHit = 0;
    BOOL m_bLeftAlign = FALSE;
    CPoint m_ptOrg{0, 0};
    BOOL m_bOwnerAdded = FALSE;

protected:
    void DrawThroughManager(CDC* pDC, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled);

private:
    // The look asked for by the draw in progress, read back by the manager.
    BOOL m_bDrawnHorz = FALSE;
    BOOL m_bDrawnMaximized = TRUE;
};

// A caption button that drops a menu under itself.
class CKGPCaptionMenuButton : public CKGPCaptionButton {
public:
    CKGPCaptionMenuButton() = default;
    CKGPCaptionMenuButton(UINT nHit, BOOL bLeftAlign) : CKGPCaptionButton(nHit, bLeftAlign) {}

    void OnDraw(CDC* pDC, BOOL bActive, BOOL bHorz = TRUE, BOOL bMaximized = TRUE, BOOL bDisabled = FALSE) override;
    // Shows the menu at the button's bottom-right corner, pushed while open; the
    // command chosen (0 for none) is kept in m_nMenuResult, no WM_COMMAND is sent.
    // The system tracks it (m_bOSMenu, by default), else the library's
    // context-menu manager, right-aligned.
    void ShowMenu(HMENU hMenu, CWnd* pOwner);

    int m_nMenuResult = 0;
    BOOL m_bOSMenu = TRUE;
    BOOL m_bMenuIsShown = FALSE;

private:
    void RepaintIn(CWnd* pOwner);
};

// A library frame's caption button: its own rectangle, set by the frame.
class CKGPFrameCaptionButton : public CKGPCaptionButton {
public:
    explicit CKGPFrameCaptionButton(UINT nHit) : CKGPCaptionButton(nHit, FALSE) {}

    CRect GetRect() const override { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }

private:
    CRect m_rect{0, 0, 0, 0};
};
