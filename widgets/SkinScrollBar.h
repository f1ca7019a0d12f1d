// CSkinScrollBar: the song editor's position bar, drawn by the program (a
// rounded track, the played part filled, a round thumb). It replaces a
// placeholder control of the dialog and takes over its id and rectangle.
// The parent is sent WM_USER+18 (wParam the control id) when the user
// releases the thumb, never while it is dragged.
#pragma once

#include <afxwin.h>

class CSkinScrollBar : public CWnd {
public:
    static constexpr UINT kMsgThumbReleased = WM_USER + 18;

    CSkinScrollBar() = default;
    ~CSkinScrollBar() override;

    // Creates the bar where child nPlaceholderId of pParent is (the
    // placeholder is destroyed). FALSE when there is no such child.
    BOOL CreateOnPlaceholder(CWnd* pParent, UINT nPlaceholderId);
    BOOL Create(CWnd* pParent, const RECT& rect, UINT nId);

    // Fields read and written by the owner.
    int m_nPos = 0;
    int m_nMin = 0;
    int m_nMax = 100;
    COLORREF m_clrFill = RGB(34, 160, 84);  // the played part of the track
    BOOL m_bDragging = FALSE;               // the user holds the thumb

    void SetRange(int nMin, int nMax);
    void SetPos(int nPos);  // clamped to the range; redraws
    int GetPos() const { return m_nPos; }
    // Redraws after m_nPos was changed.
    void UpdateThumbPosition();

    // The thumb's centre for the current position, in client coordinates.
    int ThumbCentreX() const;
    // The position at a client x coordinate.
    int PositionFromX(int x) const;

    static constexpr int kThumbRadius = 7;
    // The skin picture used for the thumb when the skin images hold it.
    static constexpr const wchar_t* kThumbImageName = L"scroll_thumb.png";

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    void TrackTo(int x);
    void Release();
};
