// Step 1 of the style-conversion wizard: the source (a MIDI file split by its
// markers, or a style), which of the model's essential sections it provides,
// the connected instrument as target, and the style's full and short names.
#pragma once

#include <memory>
#include <vector>

#include "editors/style/SourceAnalysis.h"
#include "editors/style/WizardFrame.h"
#include "widgets/MyButton.h"
#include "widgets/MyCombox.h"
#include "widgets/SecListCtrl.h"
#include "widgets/TranEdit.h"

class CPage1 : public CNewWizPage {
public:
    CPage1();
    ~CPage1() override;

    // What the sheet reads when it writes the style.
    SourceMode GetSourceMode() const { return m_sourceMode; }
    const CString& GetSourcePath() const { return m_sourcePath; }
    CString GetFullName() const;
    CString GetShortName() const;
    const CString& GetThirdName() const { return m_thirdName; }
    const CString& GetFourthName() const { return m_fourthName; }
    CString GetTargetText() const;
    UINT GetTimeDivision() const;

    // Takes a path as the browse button and a drop do: 1145 when it names no
    // file, else the names are emptied and the path analysed.
    void ChooseSource(const CString& path);

    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnBrowse();
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnTargetChanged();
    afx_msg void OnSourceEdited();
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSourceReport(WPARAM generation, LPARAM report);
    DECLARE_MESSAGE_MAP()

private:
    void ReloadTexts();
    // Starts the analysis of the edit's text; the answer comes as a report.
    void RequestAnalysis();
    void ApplyReport(const SourceReport& report);
    void FillDefaultNames(const CString& path);
    void RefreshSectionList();
    // The report for the edit's current text, analysed now when the last one
    // is older (a click may come before the worker's answer).
    void EnsureCurrentReport();
    // Shows a refusal (icon 191) and answers "stay on this page".
    int Refuse(UINT messageId, CWnd* focus = nullptr);
    int RefuseWith(const CString& text, CWnd* focus = nullptr);

    CTranEdit m_shortName;
    CTranEdit m_fullName;
    CMyCombox m_target;
    CTranEdit m_sourceEdit;
    CMyButton m_browse;
    CMyCombox m_ticks;
    CSecListCtrl m_sections;

    SourceMode m_sourceMode = SourceMode::None;
    CString m_sourcePath;
    SourceReport m_report;   // the analysis in force, for the refusal's words
    CString m_namedFrom;     // the source whose names the name boxes got last
    CString m_thirdName;
    CString m_fourthName;
    std::vector<CString> m_essentials;   // upper case, in the profile's order
    std::vector<CString> m_present;      // those the source provides

    std::unique_ptr<CSourceAnalysisWorker> m_worker;
    unsigned m_requested = 0;   // generation of the last request
    unsigned m_applied = 0;     // generation of the report in force
    // The names when the analysis was asked for: a source's names replace only
    // names the user has not changed while it ran.
    CString m_requestedNames[2];
};
