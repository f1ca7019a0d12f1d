#include "app/shell/LanguageResources.h"

#include "core/profile/AppProfile.h"

CLanguageResources::~CLanguageResources()
{
    Free();
}

void CLanguageResources::Load(const CString& folder)
{
    Free();
    m_builtIn = AfxGetResourceHandle();
    m_traditional.Reset(::LoadLibraryW(folder + L"lan_trad.dll"));
    m_english.Reset(::LoadLibraryW(folder + L"lan_eng.dll"));
}

HINSTANCE CLanguageResources::HandleOf(UINT language) const
{
    if (language == Language::Simplified)
        return m_builtIn;
    return language == Language::Traditional ? m_traditional.Get() : m_english.Get();
}

UINT CLanguageResources::StoredLanguage()
{
    return GetAppProfile().GetLanguage();
}

UINT CLanguageResources::ApplyStoredLanguage()
{
    UINT language = StoredLanguage();
    if (language > Language::English)
        language = Language::English;
    HINSTANCE handle = HandleOf(language);
    if (handle == nullptr || language == Language::Simplified) {
        if (m_builtIn != nullptr)
            AfxSetResourceHandle(m_builtIn);
        return Language::Simplified;
    }
    AfxSetResourceHandle(handle);
    return language;
}

bool CLanguageResources::Switch(UINT language)
{
    if (language > Language::English)
        return false;
    HINSTANCE handle = HandleOf(language);
    if (handle == nullptr)
        return false;
    AfxSetResourceHandle(handle);
    GetAppProfile().SetLanguage(language);
    return true;
}

void CLanguageResources::Free()
{
    if (m_builtIn != nullptr && (m_traditional || m_english)) {
        HINSTANCE current = AfxGetResourceHandle();
        if (current == m_traditional.Get() || current == m_english.Get())
            AfxSetResourceHandle(m_builtIn);
    }
    m_traditional.Reset();
    m_english.Reset();
}
