// The style-conversion wizard shown inside the style editor page: the wizard
// frame with its three steps (source and names, section settings, One Touch
// Settings). Its Finish button saves: it asks for the target ".sty" file and
// writes the instrument's style, built whole in memory first, so that a refused
// or failed build leaves the chosen file as it was.
#pragma once

#include "editors/style/Page1.h"
#include "editors/style/Page3.h"
#include "editors/style/Page4.h"
#include "editors/style/WizardFrame.h"
#include "widgets/MyButton.h"

namespace keyloft::style {
struct StyleContent;
struct StyleFileResult;
}

class CPropSheet : public CNewWizDialog {
public:
    CPropSheet();
    ~CPropSheet() override;

    CPage1& GetSourcePage() { return m_page1; }
    CPage3& GetSectionsPage() { return m_page3; }
    CPage4& GetOtsPage() { return m_page4; }

    bool IsModified() const { return m_page3.IsModified() || m_page4.IsModified(); }
    // The style editor page's close query: asks when steps 2 or 3 hold
    // unsaved changes.
    virtual bool CanClose();

    // Writes the style for step 1's source mode; false (after saying why) when
    // nothing was written.
    bool WriteStyle(const CString& path);
    bool WriteStyleFromMidi(const CString& path);
    bool RewriteStyle(const CString& path);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSave();
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeviceLost(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelectPage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ReloadButtonTexts();
    keyloft::style::StyleContent MakeContent() const;
    // Shows a refusal, or saves the bytes; true when the file was written.
    bool SaveBuiltStyle(const CString& path, const keyloft::style::StyleFileResult& result);
    void ReturnToFirstStep();

    CPage1 m_page1;
    CPage3 m_page3;
    CPage4 m_page4;
    CMyButton m_next;
    CMyButton m_finish;
    CMyButton m_back;
};
