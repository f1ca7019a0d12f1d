#include "guilib/core/KGPLocalResource.h"

namespace {

HINSTANCE& LibraryModule()
{
    static HINSTANCE module = nullptr;
    return module;
}

} // namespace

HINSTANCE CKGPLocalResource::GetLibraryModule()
{
    return LibraryModule() != nullptr ? LibraryModule() : ::GetModuleHandleW(nullptr);
}

void CKGPLocalResource::SetLibraryModule(HINSTANCE module)
{
    LibraryModule() = module;
}

CKGPLocalResource::CKGPLocalResource() : m_previous(AfxGetResourceHandle())
{
    AfxSetResourceHandle(GetLibraryModule());
}

CKGPLocalResource::~CKGPLocalResource()
{
    AfxSetResourceHandle(m_previous);
}

CString KGPLoadLibraryString(UINT uiId, LPCTSTR lpszFallback)
{
    CString text;
    {
        CKGPLocalResource library;
        text.LoadString(uiId);
    }
    return text.IsEmpty() ? CString(lpszFallback) : text;
}

HCURSOR KGPLoadLibraryCursor(UINT uiId)
{
    return static_cast<HCURSOR>(::LoadImageW(CKGPLocalResource::GetLibraryModule(), MAKEINTRESOURCEW(uiId),
                                             IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}

void KGPSetResourceLanguage(LANGID language)
{
    ::SetThreadUILanguage(language);
    ::SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
}

LANGID KGPGetResourceLanguage()
{
    return LANGIDFROMLCID(::GetThreadLocale());
}
