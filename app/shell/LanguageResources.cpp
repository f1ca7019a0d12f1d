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
    m_traditional = ::LoadLibraryW(folder + L"lan_trad.dll");
    m_english = ::LoadLibraryW(folder + L"lan_eng.dll");
}

HINSTANCE CLanguageResources::HandleOf(UINT language) const
{
    if (language == Language::Simplified)
        return m_builtIn;
    return language == Language::Traditional ? m_traditional : m_english;
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
    if (m_builtIn != nullptr && (m_traditional != nullptr || m_english != nullptr)) {
        HINSTANCE current = AfxGetResourceHandle();
        if (current == m_traditional || current == m_english)
            AfxSetResourceHandle(m_builtIn);
    }
    if (m_traditional != nullptr) {
        ::FreeLibrary(m_traditional);
        m_traditional = nullptr;
    }
    if (m_english != nullptr) {
        ::FreeLibrary(m_english);
        m_english = nullptr;
    }
}
