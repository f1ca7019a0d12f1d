// The program's push button: a white rounded face with a green frame and the
// 18-pixel semibold font; green with white text while hot or pressed. An
// optional bitmap (magenta transparent) is drawn left of the text, or alone
// when the button has no text.
#pragma once

#include "widgets/ImageButton.h"

class CMyButton : public CImageButton {
public:
    CMyButton();
    ~CMyButton() override;

    // Relabels the button and repaints it.
    void SetWindowText(LPCTSTR lpszString);
    // Loads a bitmap resource (current resource module, then the program) as
    // the button's image.
    BOOL SetBitmap(UINT nIDBitmap);
    // Face colours: normal face, hot or pressed face, frame, and text.
    void SetFaceColors(COLORREF face, COLORREF activeFace, COLORREF frame, COLORREF text);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;

private:
    COLORREF m_face = widgets::kLookWhite;
    COLORREF m_activeFace = widgets::kLookGreen;
    COLORREF m_frame = widgets::kLookGreen;
    COLORREF m_text = widgets::kLookDarkGreen;
};
