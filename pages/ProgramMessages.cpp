#include "pages/ProgramMessages.h"

#include <mmsystem.h>

#include "core/files/TextHelpers.h"
#include "core/profile/AppProfile.h"
#include "res/ids_pages.h"
#include "widgets/MessageBox.h"

int ShowMessageBox(int iconId, UINT messageId, int buttonMode, int soundId)
{
    CMessageBox box(buttonMode, messageId, iconId, soundId);
    return static_cast<int>(box.DoModal());
}

int ShowMessageBoxText(int iconId, int buttonMode, LPCTSTR text)
{
    CMessageBox box(buttonMode, text, iconId);
    return static_cast<int>(box.DoModal());
}

BEGIN_MESSAGE_MAP(CCancelableDlg, CDialog)
    ON_BN_CLICKED(IDC_CANCELABLE_DONT_SHOW, &CCancelableDlg::OnCheckClicked)
END_MESSAGE_MAP()

CCancelableDlg::CCancelableDlg(UINT messageId, BOOL showCancel, UINT soundId, CWnd* pParent)
    : CDialog(IDD_CANCELABLE, pParent), m_messageId(messageId), m_showCancel(showCancel), m_soundId(soundId)
{
}

CCancelableDlg::~CCancelableDlg() = default;

int CCancelableDlg::Ask(UINT messageId, BOOL showCancel, UINT soundId)
{
    if (GetAppProfile().IsMsgDlgVisible(messageId) == 0) {
        return IDOK;
    }
    CCancelableDlg dialog(messageId, showCancel, soundId);
    return static_cast<int>(dialog.DoModal());
}

void CCancelableDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Control(pDX, IDC_CANCELABLE_DONT_SHOW, m_check);
    DDX_Control(pDX, IDC_CANCELABLE_TEXT, m_text);
    DDX_Check(pDX, IDC_CANCELABLE_DONT_SHOW, m_checkState);
}

BOOL CCancelableDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_title.IsEmpty()) {
        SetWindowText(m_title);
    }
    CString message;
    message.LoadString(m_messageId);  // an unknown id leaves the text empty
    m_text.SetWindowText(message);
    if (!m_showCancel) {
        m_cancel.ShowWindow(SW_HIDE);
    }
    const CString sound = GetSoundFilePath(static_cast<int>(m_soundId));
    if (!sound.IsEmpty()) {
        ::PlaySoundW(sound, nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
    }
    widgets::BringModalToFront(m_hWnd);
    return TRUE;
}

void CCancelableDlg::RememberChoice(bool closedWithOk)
{
    UpdateData(TRUE);
    // Only an OK may silence the message: a silenced question answers OK by
    // itself from then on, which must be what the user chose.
    const bool silence = closedWithOk && m_checkState != 0;
    GetAppProfile().SetMsgDlgVisible(m_messageId, silence ? 0 : 1);
}

void CCancelableDlg::OnOK()
{
    RememberChoice(true);
    EndDialog(IDOK);
}

void CCancelableDlg::OnCancel()
{
    RememberChoice(false);
    EndDialog(IDCANCEL);
}

void CCancelableDlg::OnCheckClicked() {}
