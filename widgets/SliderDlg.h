// The popup slider: a small layered window with a vertical slider, shown next
// to a value without taking the activation. While the thumb is dragged it
// posts WM_USER+21 (value) to its owner at every change; on release it posts
// WM_USER+22 (value). The top of the track is the maximum.
#pragma once

#include <afxwin.h>

constexpr UINT WM_SLIDER_MOVED = WM_USER + 21;
constexpr UINT WM_SLIDER_RELEASED = WM_USER + 22;

// Track geometry: the value at a vertical position, and the reverse.
int SliderValueFromY(int y, int trackTop, int trackBottom, int minimum, int maximum);
int SliderYFromValue(int value, int trackTop, int trackBottom, int minimum, int maximum);

class CSliderDlg : public CWnd {
public:
    static constexpr int kWidth = 36;
    static constexpr int kHeight = 156; // a track of more pixels than 0..127 has values

    CSliderDlg();
    ~CSliderDlg() override;

    // Creates the (hidden) popup; the owner receives the messages.
    BOOL Create(CWnd* pOwner);

    // The range; set by the owner before showing.
    void SetRange(int minimum, int maximum);
    int m_nMin = 0;
    int m_nMax = 127;

    // Sets the value and shows the popup with its top-left corner at (x, y)
    // (screen coordinates), without activating it.
    void PopupAt(int x, int y, int value);
    // Moves the thumb (kept in range); nothing is posted.
    void SetPos(int value);
    int GetPos() const { return m_value; }
    void Hide();
    bool IsShowing() const { return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd) != FALSE; }

    // The thumb's track inside the client area.
    RECT GetTrackRect() const;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    DECLARE_MESSAGE_MAP()

private:
    void DragTo(int y);
    void PostToOwner(UINT message) const;

    HWND m_owner = nullptr;
    int m_value = 0;
    bool m_dragging = false;
};
