// An owner-drawn push button that shows images: two bitmaps (normal, and hot or
// pressed) with one colour transparent, or two icons. The button owns the
// handles handed to it and releases them.
#pragma once

#include <afxwin.h>

#include "widgets/WidgetLook.h"

class CImageButton : public CButton {
public:
    CImageButton();
    ~CImageButton() override;

    // bmpNormal is drawn normally, bmpActive while hot or pressed (the normal
    // one when null). Both are owned by the button from now on.
    void SetBitmaps(HBITMAP bmpNormal, HBITMAP bmpActive, COLORREF transparent = widgets::kLookMagentaKey);
    // The same for icons (load them with LoadImage, not shared).
    void SetIcon(HICON iconNormal, HICON iconActive = nullptr);
    bool HasImage() const;
    SIZE GetImageSize() const;

    bool IsHot() const { return m_hot; }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    // Draws the image for the state centred in rect.
    void DrawImage(HDC dc, const RECT& rect, bool active) const;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    bool m_hot = false;

private:
    widgets::CGdiHandle<HBITMAP> m_bmpNormal;
    widgets::CGdiHandle<HBITMAP> m_bmpActive;
    widgets::CIconHandle m_iconNormal;
    widgets::CIconHandle m_iconActive;
    COLORREF m_transparent = widgets::kLookMagentaKey;
};
