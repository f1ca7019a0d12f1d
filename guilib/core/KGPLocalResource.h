// Scope object put around every load of a library string, menu, cursor,
// bitmap or dialog: while it lives the library's resource module is searched
// first; the previous resource module comes back when it ends.
#pragma once

#include <afxwin.h>

class CKGPLocalResource {
public:
    CKGPLocalResource();
    ~CKGPLocalResource();
    CKGPLocalResource(const CKGPLocalResource&) = delete;
    CKGPLocalResource& operator=(const CKGPLocalResource&) = delete;

    // The module that holds the library's resources (the program by default).
    static HINSTANCE GetLibraryModule();
    static void SetLibraryModule(HINSTANCE module);

private:
    HINSTANCE m_previous;
};

// A library string, or the text given when the library's module does not carry it.
CString KGPLoadLibraryString(UINT uiId, LPCTSTR lpszFallback);
// A library cursor at its own size, owned by the caller (DestroyCursor); null
// when the library's module does not carry it.
HCURSOR KGPLoadLibraryCursor(UINT uiId);

// The language the library's texts and dialogs show in, for the calling (GUI)
// thread: the library's script carries English and Simplified Chinese, and a
// resource is looked up in the thread's UI language (Windows) or its locale
// (Wine), so both are set. A language the script lacks shows English.
// A program calls this when it puts its own language in force.
void KGPSetResourceLanguage(LANGID language);
LANGID KGPGetResourceLanguage();
