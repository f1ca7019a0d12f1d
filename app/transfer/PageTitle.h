// A transfer page's title: a static text whose new text shows with the page's
// next paint.
//
// Under Wine each change of a window's text and each repaint asked for is a
// call to the wineserver, and a fill of a short list costs only a few of them.
// So a new title asks for its repaint at once but keeps the text here until
// the title paints: whoever asks the control for its text (GetWindowText in
// the program, accessibility tools, WM_GETTEXT from anywhere) gets the new
// text at once; the system's own copy, which another process's GetWindowText
// reads, is written when the title paints, before its pixels are drawn.
#pragma once

#include <afxwin.h>

class CPageTitle : public CStatic {
public:
    // Shows this text from the next paint on; nothing when it is the text the
    // title shows or is about to show.
    void SetTitle(const CString& text);
    // True while a new text waits for the title's next paint.
    bool IsTextPending() const { return m_pending; }

protected:
    afx_msg void OnPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Writes a pending text through the default handling (the system's copy).
    void CommitText();

    CString m_text;            // shown, or to be shown at the next paint; valid when known
    bool m_textKnown = false;  // false until read, and after a text set from elsewhere
    bool m_pending = false;    // m_text waits for the next paint
};
