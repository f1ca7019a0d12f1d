// The library's registry access: one object per save or load, rooted at
// HKEY_CURRENT_USER (HKEY_LOCAL_MACHINE for admin), writable or read-only.
// Every operation answers FALSE on failure; a read of a missing value leaves
// the variable unchanged.
#pragma once

#include <afxwin.h>

#include <functional>
#include <memory>

class CKGPRegistry : public CObject {
    DECLARE_DYNCREATE(CKGPRegistry)
public:
    CKGPRegistry() = default;
    CKGPRegistry(BOOL bAdmin, BOOL bReadOnly) { Init(bAdmin, bReadOnly); }
    ~CKGPRegistry() override { Close(); }
    CKGPRegistry(const CKGPRegistry&) = delete;
    CKGPRegistry& operator=(const CKGPRegistry&) = delete;

    void Init(BOOL bAdmin, BOOL bReadOnly);
    BOOL IsReadOnly() const { return m_bReadOnly; }

    // Opens or creates the key for writing (FALSE when read-only).
    virtual BOOL CreateKey(LPCTSTR pszPath);
    // Opens an existing key; FALSE when it does not exist.
    virtual BOOL Open(LPCTSTR pszPath);
    virtual void Close();
    // Deletes the key (with its subkeys when bRecursive).
    virtual BOOL DeleteKey(LPCTSTR pszPath, BOOL bRecursive = FALSE);
    virtual BOOL DeleteValue(LPCTSTR pszValue);
    // Whether the open key holds the value (of any kind).
    virtual BOOL HasValue(LPCTSTR pszValue);

    virtual BOOL Write(LPCTSTR pszKey, int nValue);
    virtual BOOL Write(LPCTSTR pszKey, LPCTSTR pszValue);
    virtual BOOL Write(LPCTSTR pszKey, const CRect& rect);
    virtual BOOL Write(LPCTSTR pszKey, const BYTE* pData, UINT nBytes);
    // The list's objects archived into one binary value.
    virtual BOOL Write(LPCTSTR pszKey, CObList& list);
    // What `store` writes into an archive, as one binary value: written only
    // when the whole archive was made (FALSE, and nothing written, when it
    // threw).
    BOOL WriteArchive(LPCTSTR pszKey, const std::function<void(CArchive&)>& store);

    virtual BOOL Read(LPCTSTR pszKey, int& nValue);
    virtual BOOL Read(LPCTSTR pszKey, CString& strValue);
    virtual BOOL Read(LPCTSTR pszKey, CRect& rect);
    // Allocates the buffer with new[]; the caller frees it with delete[].
    virtual BOOL Read(LPCTSTR pszKey, BYTE** ppData, UINT* pBytes);
    // Adds the archived objects to the list: each of the class expected (or
    // derived from it) and each once; on a bad value nothing is added (see
    // KGPStoredState.h).
    virtual BOOL Read(LPCTSTR pszKey, CObList& list, const CRuntimeClass* pExpected);

private:
    BOOL QueryRaw(LPCTSTR pszKey, DWORD& type, std::unique_ptr<BYTE[]>& data, DWORD& bytes) const;

    HKEY m_hRoot = HKEY_CURRENT_USER;
    CRegKeyHandle m_key;
    BOOL m_bReadOnly = FALSE;
};

// Creates the registry object for one save or load (the custom class when one
// is set, else CKGPRegistry) and deletes it at the end of the scope. Loads use
// (FALSE, TRUE), saves (FALSE, FALSE).
class CKGPRegistryHandle {
public:
    CKGPRegistryHandle(BOOL bAdmin, BOOL bReadOnly);
    CKGPRegistry& operator*() { return *m_registry; }
    CKGPRegistry* operator->() { return m_registry.get(); }

    // A class derived from CKGPRegistry, dynamically creatable; null resets.
    static void SetCustomRegistryClass(CRuntimeClass* pClass);

private:
    std::unique_ptr<CKGPRegistry> m_registry;
};

// The profile name when given and not empty, else
// "SOFTWARE\<registry key>\<profile name>\<section>\" of the application.
CString BuildLibraryRegistryPath(LPCTSTR pszSection, LPCTSTR pszProfileName = nullptr);
