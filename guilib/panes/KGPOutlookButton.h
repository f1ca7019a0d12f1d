// A large shortcut button of an outlook page: the image above its caption
// (or beside it on a horizontal bar), highlighted by a wash on a page with a
// background picture, the caption cut with an ellipsis when it does not fit.
#pragma once

#include "guilib/toolbars/KGPToolbarButton.h"

class CKGPOutlookBarPane;

class CKGPOutlookButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CKGPOutlookButton)
public:
    CKGPOutlookButton();
    ~CKGPOutlookButton() override = default;

    // Only an outlook page takes the button.
    BOOL AcceptsBar(CKGPToolBar* pBar) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // Keeps the index only: the shared strip of the pages is no command image.
    void SetImage(int iImage) override;

    CKGPOutlookBarPane* GetParentPane() const { return m_pWndParentBar; }
    BOOL IsTextFits() const { return m_bIsWholeText; }

    CKGPOutlookBarPane* m_pWndParentBar = nullptr;
    CSize m_sizeImage{0, 0};
    BOOL m_bIsWholeText = TRUE;

private:
    // The caption's colour for the state (0 plain, 1 checked or pressed, 2 hot).
    COLORREF CaptionColour(int nState) const;
};
