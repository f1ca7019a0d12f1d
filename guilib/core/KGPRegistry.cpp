#include "guilib/core/KGPRegistry.h"

#include "guilib/core/KGPLibraryMath.h"
#include "guilib/core/KGPStoredState.h"

#include <afxarch.h>
#include <afxcoll.h>
#include <afxfile.h>

#include <cstring>

IMPLEMENT_DYNCREATE(CKGPRegistry, CObject)

namespace {

CRuntimeClass*& CustomRegistryClass()
{
    static CRuntimeClass* custom = nullptr;
    return custom;
}

std::wstring Text(LPCTSTR text)
{
    return text != nullptr ? std::wstring(text) : std::wstring();
}

} // namespace

void CKGPRegistry::Init(BOOL bAdmin, BOOL bReadOnly)
{
    Close();
    m_hRoot = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    m_bReadOnly = bReadOnly;
}

void CKGPRegistry::Close()
{
    m_key.Reset();
}

BOOL CKGPRegistry::CreateKey(LPCTSTR pszPath)
{
    Close();
    if (m_bReadOnly || pszPath == nullptr) {
        return FALSE;
    }
    return ::RegCreateKeyExW(m_hRoot, pszPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr,
                             m_key.Put(), nullptr) == ERROR_SUCCESS;
}

BOOL CKGPRegistry::Open(LPCTSTR pszPath)
{
    Close();
    if (pszPath == nullptr) {
        return FALSE;
    }
    const REGSAM access = m_bReadOnly ? KEY_READ : KEY_READ | KEY_WRITE;
    return ::RegOpenKeyExW(m_hRoot, pszPath, 0, access, m_key.Put()) == ERROR_SUCCESS;
}

BOOL CKGPRegistry::DeleteKey(LPCTSTR pszPath, BOOL bRecursive)
{
    if (m_bReadOnly || pszPath == nullptr) {
        return FALSE;
    }
    const LSTATUS status = bRecursive ? ::RegDeleteTreeW(m_hRoot, pszPath) : ::RegDeleteKeyW(m_hRoot, pszPath);
    if (status == ERROR_SUCCESS && bRecursive) {
        ::RegDeleteKeyW(m_hRoot, pszPath);  // RegDeleteTree leaves the key itself
    }
    return status == ERROR_SUCCESS;
}

BOOL CKGPRegistry::DeleteValue(LPCTSTR pszValue)
{
    return !m_bReadOnly && m_key.Get() != nullptr && ::RegDeleteValueW(m_key.Get(), pszValue) == ERROR_SUCCESS;
}

BOOL CKGPRegistry::HasValue(LPCTSTR pszValue)
{
    return m_key.Get() != nullptr &&
           ::RegQueryValueExW(m_key.Get(), pszValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

BOOL CKGPRegistry::Write(LPCTSTR pszKey, int nValue)
{
    const DWORD value = static_cast<DWORD>(nValue);
    return !m_bReadOnly && m_key.Get() != nullptr &&
           ::RegSetValueExW(m_key.Get(), pszKey, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
               ERROR_SUCCESS;
}

BOOL CKGPRegistry::Write(LPCTSTR pszKey, LPCTSTR pszValue)
{
    const std::wstring value = Text(pszValue);
    return !m_bReadOnly && m_key.Get() != nullptr &&
           ::RegSetValueExW(m_key.Get(), pszKey, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

BOOL CKGPRegistry::Write(LPCTSTR pszKey, const CRect& rect)
{
    const LONG values[4] = {rect.left, rect.top, rect.right, rect.bottom};
    return Write(pszKey, reinterpret_cast<const BYTE*>(values), sizeof(values));
}

BOOL CKGPRegistry::Write(LPCTSTR pszKey, const BYTE* pData, UINT nBytes)
{
    return !m_bReadOnly && m_key.Get() != nullptr && (pData != nullptr || nBytes == 0) &&
           ::RegSetValueExW(m_key.Get(), pszKey, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

BOOL CKGPRegistry::Write(LPCTSTR pszKey, CObList& list)
{
    return WriteArchive(pszKey, [&list](CArchive& ar) { list.Serialize(ar); });
}

BOOL CKGPRegistry::WriteArchive(LPCTSTR pszKey, const std::function<void(CArchive&)>& store)
{
    if (m_bReadOnly || m_key.Get() == nullptr)
        return FALSE;
    try {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store, 4096);
            store(ar);
            ar.Close();
        }
        const UINT bytes = static_cast<UINT>(file.GetLength());
        const std::unique_ptr<BYTE, decltype(&free)> data(file.Detach(), &free);
        return Write(pszKey, data.get(), bytes);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CKGPRegistry::QueryRaw(LPCTSTR pszKey, DWORD& type, std::unique_ptr<BYTE[]>& data, DWORD& bytes) const
{
    if (m_key.Get() == nullptr) {
        return FALSE;
    }
    // Most values are small: one query into a buffer of that size, and a
    // second, into a buffer of the size it gave, only for a larger value.
    // Each buffer has spare zero bytes after the data (a string ends there).
    constexpr DWORD kFirstTry = 64;
    bytes = kFirstTry;
    data = std::make_unique<BYTE[]>(kFirstTry + sizeof(wchar_t));
    std::memset(data.get(), 0, kFirstTry + sizeof(wchar_t));
    LSTATUS status = ::RegQueryValueExW(m_key.Get(), pszKey, nullptr, &type, data.get(), &bytes);
    if (status == ERROR_MORE_DATA) {
        data = std::make_unique<BYTE[]>(bytes + sizeof(wchar_t));
        std::memset(data.get(), 0, bytes + sizeof(wchar_t));
        status = ::RegQueryValueExW(m_key.Get(), pszKey, nullptr, &type, data.get(), &bytes);
    }
    return status == ERROR_SUCCESS;
}

BOOL CKGPRegistry::Read(LPCTSTR pszKey, int& nValue)
{
    DWORD type = 0;
    DWORD bytes = 0;
    std::unique_ptr<BYTE[]> data;
    if (!QueryRaw(pszKey, type, data, bytes) || type != REG_DWORD || bytes != sizeof(DWORD)) {
        return FALSE;
    }
    DWORD value = 0;
    std::memcpy(&value, data.get(), sizeof(value));
    nValue = static_cast<int>(value);
    return TRUE;
}

BOOL CKGPRegistry::Read(LPCTSTR pszKey, CString& strValue)
{
    DWORD type = 0;
    DWORD bytes = 0;
    std::unique_ptr<BYTE[]> data;
    if (!QueryRaw(pszKey, type, data, bytes) || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return FALSE;
    }
    strValue = reinterpret_cast<const wchar_t*>(data.get());  // terminated by QueryRaw's spare bytes
    return TRUE;
}

BOOL CKGPRegistry::Read(LPCTSTR pszKey, CRect& rect)
{
    DWORD type = 0;
    DWORD bytes = 0;
    std::unique_ptr<BYTE[]> data;
    LONG values[4] = {};
    if (!QueryRaw(pszKey, type, data, bytes) || type != REG_BINARY || bytes != sizeof(values)) {
        return FALSE;
    }
    std::memcpy(values, data.get(), sizeof(values));
    rect.SetRect(values[0], values[1], values[2], values[3]);
    return TRUE;
}

BOOL CKGPRegistry::Read(LPCTSTR pszKey, BYTE** ppData, UINT* pBytes)
{
    if (ppData == nullptr || pBytes == nullptr) {
        return FALSE;
    }
    DWORD type = 0;
    DWORD bytes = 0;
    std::unique_ptr<BYTE[]> data;
    if (!QueryRaw(pszKey, type, data, bytes) || type != REG_BINARY) {
        return FALSE;
    }
    *ppData = data.release();
    *pBytes = bytes;
    return TRUE;
}

BOOL CKGPRegistry::Read(LPCTSTR pszKey, CObList& list, const CRuntimeClass* pExpected)
{
    CKGPStoredLoad load;
    CKGPStoredObjects objects;
    if (!load.ReadObjects(*this, pszKey, objects, pExpected))
        return FALSE;
    objects.HandTo(list);
    return TRUE;
}

CKGPRegistryHandle::CKGPRegistryHandle(BOOL bAdmin, BOOL bReadOnly)
{
    CRuntimeClass* custom = CustomRegistryClass();
    if (custom != nullptr) {
        m_registry.reset(static_cast<CKGPRegistry*>(custom->CreateObject()));
    }
    if (!m_registry) {
        m_registry = std::make_unique<CKGPRegistry>();
    }
    m_registry->Init(bAdmin, bReadOnly);
}

void CKGPRegistryHandle::SetCustomRegistryClass(CRuntimeClass* pClass)
{
    CustomRegistryClass() =
        pClass != nullptr && pClass->IsDerivedFrom(RUNTIME_CLASS(CKGPRegistry)) ? pClass : nullptr;
}

CString BuildLibraryRegistryPath(LPCTSTR pszSection, LPCTSTR pszProfileName)
{
    const CWinApp* app = AfxGetApp();
    const std::wstring path = kgp::LibraryRegistryPath(app != nullptr ? Text(app->m_pszRegistryKey) : std::wstring(),
                                                       app != nullptr ? Text(app->m_pszProfileName) : std::wstring(),
                                                       Text(pszSection), Text(pszProfileName));
    return CString(path.c_str());
}
