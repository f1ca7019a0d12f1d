#include "app/shell/LanguageResources.h"

#include "core/profile/AppProfile.h"
#include "guilib/core/KGPLocalResource.h"

namespace {

// The program's resources in force, and the GUI library's texts in the same
// language (the library's script carries its own Chinese and English).
void PutInForce(HINSTANCE handle, UINT language)
{
    AfxSetResourceHandle(handle);
    const LANGID ids[] = {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED),
                          MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL),
                          MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)};
    KGPSetResourceLanguage(ids[language]);
}

} // namespace

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
            PutInForce(m_builtIn, Language::Simplified);
        return Language::Simplified;
    }
    PutInForce(handle, language);
    return language;
}

bool CLanguageResources::Switch(UINT language)
{
    if (language > Language::English)
        return false;
    HINSTANCE handle = HandleOf(language);
    if (handle == nullptr)
        return false;
    PutInForce(handle, language);
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
