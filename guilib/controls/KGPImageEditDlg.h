// The library's modal image editor: the image as a grid of pixels, a palette
// and a further colour from the system's colour dialog, a preview at real
// size. OK writes the edited pixels back into the caller's bitmap and answers
// IDOK; Cancel leaves the bitmap as it was.
#pragma once

#include "guilib/controls/KGPDialog.h"
#include "guilib/controls/KGPImagePixelGrid.h"

// The palette the editor offers, in its order.
constexpr COLORREF kKGPImageEditPalette[] = {
    RGB(0, 0, 0),     RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
    RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
    RGB(0, 0, 255),   RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};

class CKGPImageEditDlg : public CKGPDialog {
    DECLARE_DYNAMIC(CKGPImageEditDlg)
public:
    // The children's ids.
    enum : UINT { kGridId = 100, kPaletteId = 101, kOtherColourId = 102 };

    // Edits the sizeImage area at the top left of pBitmap (the whole bitmap
    // when sizeImage is empty or larger).
    CKGPImageEditDlg(CBitmap* pBitmap, CWnd* pParent = nullptr, CSize sizeImage = CSize(0, 0));
    ~CKGPImageEditDlg() override = default;

    // IDABORT, with no window shown, when the bitmap cannot be read.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

protected:
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    BOOL ReadPixels();
    void WritePixels();
    CRect PreviewRect() const;
    void ChooseOtherColour();

    CBitmap* m_pBitmap;
    CSize m_sizeImage;
    std::vector<COLORREF> m_pixels;
    std::vector<WORD> m_template;
    CKGPImagePixelGrid m_wndGrid;
    CKGPColourSwatches m_wndPalette;
    CButton m_wndOtherColour;
    CButton m_wndOk;
    CButton m_wndCancel;
};
