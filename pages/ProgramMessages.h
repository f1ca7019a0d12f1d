// The program's own message boxes: the skinned message box for one message,
// the message the user can silence for good, and the sounds they play.
#pragma once

#include <afxwin.h>

#include "widgets/MyButton.h"

// The icon of refusals and failures; -1 stands for the default icon.
constexpr int MSG_ICON_WARNING = 191;
constexpr int MSG_ICON_DEFAULT = -1;

// Button modes of ShowMessageBox.
constexpr int MB_MODE_OK = 1;
constexpr int MB_MODE_OKCANCEL = 0;
// Sounds: 0 "wav\msgBox.wav", 1 "wav\finish.wav", -1 none.
constexpr int MSG_SOUND_NONE = -1;
constexpr int MSG_SOUND_MESSAGE = 0;
constexpr int MSG_SOUND_FINISH = 1;

// Runs the message box (dialog 187) with the string of messageId; icon -1 is the
// default icon. Returns IDOK or IDCANCEL.
int ShowMessageBox(int iconId, UINT messageId, int buttonMode = MB_MODE_OK, int soundId = MSG_SOUND_MESSAGE);
// The same with a literal text and no sound.
int ShowMessageBoxText(int iconId, int buttonMode, LPCTSTR text);

// The message box with "don't show next time" (dialog 214), remembered per
// message in the application profile's "MSG_DLG_VISIBLE" section.
class CCancelableDlg : public CDialog {
public:
    CCancelableDlg(UINT messageId, BOOL showCancel, UINT soundId, CWnd* pParent = nullptr);
    ~CCancelableDlg() override;

    // IDOK at once when the message was silenced; else runs the dialog.
    static int Ask(UINT messageId, BOOL showCancel = FALSE, UINT soundId = 0);

    void SetTitle(LPCTSTR title) { m_title = title; }
    UINT GetMessageId() const { return m_messageId; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnCheckClicked();
    DECLARE_MESSAGE_MAP()

private:
    // Stores the check box's answer; only an OK silences the message.
    void RememberChoice(bool closedWithOk);

    CMyButton m_ok;
    CMyButton m_cancel;
    CButton m_check;
    CStatic m_text;
    int m_checkState = 0;
    CString m_title;
    UINT m_messageId = 0;
    BOOL m_showCancel = FALSE;
    UINT m_soundId = 0;
};
