// A button holding an integer value between a minimum and a maximum. The mouse
// wheel and the arrow keys change it by one; every change posts WM_USER+23
// (control id, value) to the parent. The button shows its value (format
// "%.3d" unless the owner sets another one, or none to show its own text) with
// its icon at the right.
#pragma once

#include "widgets/ImageButton.h"

constexpr UINT WM_COMBOBUTTON_CHANGED = WM_USER + 23;

// The value one step from value, kept within min..max (in either order).
int StepComboValue(int value, int delta, int minimum, int maximum);

class CComboButton : public CImageButton {
public:
    CComboButton();
    ~CComboButton() override;

    void SetRange(int minimum, int maximum);
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    // Sets the value (kept in range) without telling the parent.
    void SetValue(int value);
    int GetValue() const { return m_value; }
    // printf-style format of the shown value; nullptr keeps the window text.
    void SetDisplayFormat(LPCTSTR format);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Moves the value by delta; posts the change when it changed.
    void Step(int delta);
    void ShowValue();
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

private:
    int m_value = 0;
    int m_min = 0;
    int m_max = 127;
    int m_wheelRest = 0;
    CString m_format = L"%.3d";
    bool m_showValue = true;
};
