// The library's owner-drawn push button: a face and border drawn through
// overridable hooks, an image (a bitmap resource or a standard glyph) beside
// or instead of the text, hot tracking, a tooltip and an optional auto-repeat
// that clicks again and again while the button is held.
#pragma once

#include <afxcmn.h>

#include <string>

class CKGPButton : public CButton {
    DECLARE_DYNCREATE(CKGPButton)
public:
    CKGPButton() = default;
    ~CKGPButton() override;
    CKGPButton(const CKGPButton&) = delete;
    CKGPButton& operator=(const CKGPButton&) = delete;

    // Both forms of creation: the button's (text, style, ...) and the window's
    // (class, text, style, ...).
    using CButton::Create;
    using CWnd::Create;

    // While held, the button sends BN_CLICKED again every nDelayMs (0: once).
    void SetAutoRepeatDelay(int nDelayMs) { m_nAutoRepeatDelay = nDelayMs > 0 ? nDelayMs : 0; }
    int GetAutoRepeatDelay() const { return m_nAutoRepeatDelay; }

    // A menu glyph (CKGPMenuGlyphs) as the image; the disabled button
    // shows nDisabledGlyph when given, else the glyph greyed. nMargin pads the
    // glyph on every side.
    void SetStdImage(int nGlyph, int nMargin = 0, int nDisabledGlyph = -1);
    // A bitmap resource of the current resource module as the image; its top-left
    // pixel's colour is drawn transparent. FALSE when the resource is missing.
    BOOL SetImage(UINT nBitmapResId);
    // Sizes the window to its image (with the border) or, without one, its text.
    void SizeToContent();

    void SetTooltip(LPCTSTR lpszToolTip);
    CString GetTooltip() const { return m_strToolTip; }
    CToolTipCtrl* GetToolTipCtrl() const { return m_pToolTip; }

    BOOL IsHighlighted() const { return m_bHighlighted; }
    int GetStdGlyph() const { return m_nStdGlyph; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The drawing hooks, in the order they run. uiState holds ODS_ flags.
    virtual void OnFillBackground(CDC* pDC, const CRect& rectClient, UINT uiState);
    virtual void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    virtual void OnDraw(CDC* pDC, const CRect& rect, UINT uiState);
    virtual void OnDrawFocusRect(CDC* pDC, const CRect& rectClient);

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CSize GetImageSize() const;
    void DrawImage(CDC* pDC, const CRect& rect, BOOL bDisabled);
    void StartAutoRepeat();
    void StopAutoRepeat();
    void ClickOnce();
    void AddToolTipText();

    CBitmap m_bitmap;
    int m_nStdGlyph = -1;
    int m_nDisabledGlyph = -1;
    int m_nImageMargin = 0;
    int m_nAutoRepeatDelay = 0;
    BOOL m_bAutoRepeating = FALSE;
    BOOL m_bHighlighted = FALSE;
    CString m_strToolTip;
    CToolTipCtrl* m_pToolTip = nullptr;
};
