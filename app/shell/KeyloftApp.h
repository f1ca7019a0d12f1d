// The application object: start-up in its fixed order (single instance, trace
// log, GDI+, common controls, skin images, segment names and defaults,
// language resources, OLE, registry key, document template) and the exit that
// releases them again.
#pragma once

#include <afxwin.h>

#include <memory>

#include "app/shell/LanguageResources.h"
#include "pages/SegmentNames.h"
#include "app/shell/SingleInstance.h"

class CGdiplusSession;

class CKeyloftApp : public CWinApp {
public:
    static constexpr const wchar_t* kMutexName = L"KELVOR-KEYLOFT";
    static constexpr const wchar_t* kRegistryKey = L"KELVOR-Brimola";
    static constexpr const wchar_t* kSegmentDefaultsFile = L"DefValue.ini";

    CKeyloftApp();
    ~CKeyloftApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The upper-case name of a segment; empty when no segment has that value.
    static CString GetSegmentName(int segment);
    // Fills the segment-name map from the string table in force.
    static void BuildSegmentMap();
    // Reads the per-segment defaults from "DefValue.ini" in folder (ending in a
    // backslash); a missing file leaves them at zero.
    static void LoadSegmentDefaults(const CString& folder);

    CLanguageResources& GetLanguages() { return m_languages; }

protected:
    afx_msg void OnAppAbout();
    afx_msg void OnLanguageSimplified();
    afx_msg void OnLanguageTraditional();
    afx_msg void OnLanguageEnglish();
    afx_msg void OnUpdateLanguageSimplified(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLanguageTraditional(CCmdUI* pCmdUI);
    afx_msg void OnUpdateLanguageEnglish(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Both language libraries from the program's folder; the stored language in force.
    void LoadLanguageResources();
    void SwitchLanguage(UINT language);
    void InstallHooks();

    CSingleInstanceLock m_instanceLock;
    std::unique_ptr<CGdiplusSession> m_gdiplus;
    CLanguageResources m_languages;
};
