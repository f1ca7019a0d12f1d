// The pixels of a small image as a grid of square cells: a click or a drag
// with the left button paints the current colour, the right button takes the
// colour of the cell under it. The parent hears of each change through
// WM_COMMAND (id, KGP_PGN_CHANGED or KGP_PGN_COLOURPICKED).
#pragma once

#include <afxwin.h>

#include <vector>

constexpr UINT KGP_PGN_CHANGED = 1;
constexpr UINT KGP_PGN_COLOURPICKED = 2;

class CKGPImagePixelGrid : public CWnd {
public:
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Pixels row by row from the top as COLORREFs.
    void SetPixels(int nWidth, int nHeight, std::vector<COLORREF> pixels);
    const std::vector<COLORREF>& GetPixels() const { return m_pixels; }
    int GetImageWidth() const { return m_width; }
    int GetImageHeight() const { return m_height; }
    // The side of one cell: the largest that fits the window.
    int GetCellSize() const;

    void SetColour(COLORREF colour) { m_colour = colour; }
    COLORREF GetColour() const { return m_colour; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // The index of the cell under the point; -1 outside the image.
    int CellAt(CPoint point) const;
    void Paint(CPoint point);

    std::vector<COLORREF> m_pixels;
    int m_width = 0;
    int m_height = 0;
    COLORREF m_colour = RGB(0, 0, 0);
};

// A row of colour swatches; a click chooses one and tells the parent with
// WM_COMMAND (id, STN_CLICKED).
class CKGPColourSwatches : public CWnd {
public:
    BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, const COLORREF* colours, int nCount);
    COLORREF GetColour() const { return m_colour; }
    void SetColour(COLORREF colour);

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    CRect SwatchRect(int nIndex) const;

    std::vector<COLORREF> m_colours;
    COLORREF m_colour = RGB(0, 0, 0);
};
