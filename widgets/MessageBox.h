// The program's own modal message box (dialog 187): an icon, the message and
// the program's buttons. Mode 1 shows OK only; any other mode OK and Cancel.
// DoModal returns IDOK or IDCANCEL.
#pragma once

#include <afxwin.h>

#include "widgets/MyButton.h"
#include "widgets/WidgetLook.h"

namespace widgets {
// Raises a modal box that has just been made above every window and gives it
// the foreground.
void BringModalToFront(HWND box);
} // namespace widgets

class CMessageBox : public CDialog {
public:
    static constexpr int kModeOk = 1;
    static constexpr int kDefaultIcon = 128;
    static constexpr int kNoSound = -1;

    // The message from the string table. iconId -1 takes icon 128; soundId 0
    // plays "wav\msgBox.wav", 1 "wav\finish.wav", -1 nothing.
    CMessageBox(int mode, UINT stringId, int iconId = -1, int soundId = kNoSound, CWnd* pParent = nullptr);
    // The message as text; no sound.
    CMessageBox(int mode, LPCTSTR text, int iconId = -1, CWnd* pParent = nullptr);
    ~CMessageBox() override;

    INT_PTR DoModal() override;
    const CString& GetText() const { return m_text; }
    bool HasCancel() const { return m_mode != kModeOk; }

    // The sound file of a sound id (program folder + "wav\..."), empty for none.
    static CString GetSoundPath(int soundId);
    // Closes every box that the calling thread shows and has not been asked
    // to close yet (a question as cancelled); returns how many. Their DoModal
    // returns once their loops get control back.
    static int CloseOpenBoxes();

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void FitTextAndButtons();

    int m_mode = kModeOk;
    CString m_text;
    int m_iconId = kDefaultIcon;
    int m_soundId = kNoSound;
    CMyButton m_ok;
    CMyButton m_cancel;
    CIconHandle m_icon;
    bool m_closing = false;  // CloseOpenBoxes asked it to close
};
