// The song conversion dialog: target model, full and short name, output path.
// It keeps OK disabled while the song has more tracks than the model takes.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "widgets/MyButton.h"
#include "widgets/MyCombox.h"

class CSongConvertInfoDlg : public CDialog {
public:
    // trackCount: tracks the conversion keeps. Empty names are taken from the
    // song file's title.
    CSongConvertInfoDlg(UINT trackCount, const CString& fullName, const CString& shortName, const CString& songPath,
                        CWnd* pParent = nullptr);
    ~CSongConvertInfoDlg() override;

    // After OK.
    const CString& GetOutputPath() const { return m_path; }
    const CString& GetFullName() const { return m_fullName; }
    const CString& GetShortName() const { return m_shortName; }
    const CString& GetTargetModel() const { return m_model; }

    // The most tracks a model's songs take: twice its melody maximum.
    static UINT TrackLimitOf(const CString& model);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override;
    afx_msg void OnBrowse();
    afx_msg void OnModelChanged();
    afx_msg void OnFullNameChanged();
    afx_msg void OnPathEdited();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void FillModels();
    void UpdateDefaultPath();
    // True when the tracks fit the selected model; shows or hides the warning.
    bool CheckTracks();
    CString SelectedModel() const;

    CMyButton m_okButton;
    CMyButton m_cancelButton;
    CMyButton m_browseButton;
    CMyCombox m_modelCombo;
    CString m_path;
    CString m_fullName;
    CString m_shortName;
    CString m_model;
    CEdit m_pathEdit;
    CEdit m_fullNameEdit;
    CEdit m_shortNameEdit;
    CStatic m_warning;
    CToolTipCtrl m_toolTip;
    UINT m_trackCount = 0;
    BOOL m_pathChosen = FALSE;
    bool m_settingPath = false;  // the path edit is being filled by the dialog itself
};
