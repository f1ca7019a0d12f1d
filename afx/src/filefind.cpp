#include <afx.h>

#include <cwchar>

IMPLEMENT_DYNAMIC(CFileFind, CObject)

namespace {

// The folder part of a search pattern, ending in a separator ("" for a bare pattern).
CString FolderOfPattern(const CString& pattern)
{
    int cut = -1;
    for (int i = 0; i < pattern.GetLength(); ++i) {
        const wchar_t ch = pattern[i];
        if (ch == L'\\' || ch == L'/' || ch == L':')
            cut = i;
    }
    return pattern.Left(cut + 1);
}

} // namespace

CFileFind::CFileFind() = default;

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close()
{
    m_hContext.Reset();
    m_bHasFound = FALSE;
    m_bHasNext = FALSE;
    m_found = {};
    m_next = {};
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD /*dwUnused*/)
{
    Close();
    const CString pattern = (pstrName == nullptr || *pstrName == L'\0') ? CString(L"*.*") : CString(pstrName);
    m_hContext.Reset(::FindFirstFileW(pattern, &m_next));
    if (!m_hContext) {
        m_next = {};
        return FALSE;
    }
    m_bHasNext = TRUE;

    // Full paths are built on the pattern's folder made absolute.
    const CString folder = FolderOfPattern(pattern);
    wchar_t full[MAX_PATH * 2] = {};
    const DWORD length = ::GetFullPathNameW(folder.IsEmpty() ? L"." : static_cast<LPCTSTR>(folder),
                                            MAX_PATH * 2, full, nullptr);
    m_strRoot = (length > 0 && length < MAX_PATH * 2) ? CString(full) : folder;
    if (!m_strRoot.IsEmpty()) {
        const wchar_t last = m_strRoot[m_strRoot.GetLength() - 1];
        if (last != L'\\' && last != L'/')
            m_strRoot += L'\\';
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHasNext)
        return FALSE;
    m_found = m_next;
    m_bHasFound = TRUE;
    m_bHasNext = ::FindNextFileW(m_hContext.Get(), &m_next) ? TRUE : FALSE;
    if (!m_bHasNext)
        m_next = {};
    return m_bHasNext;
}

ULONGLONG CFileFind::GetLength() const
{
    return m_bHasFound ? (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow : 0;
}

CString CFileFind::GetFileName() const { return m_bHasFound ? CString(m_found.cFileName) : CString(); }

CString CFileFind::GetFilePath() const { return m_bHasFound ? m_strRoot + m_found.cFileName : CString(); }

CString CFileFind::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const { return m_strRoot; }

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (!m_bHasFound || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = m_found.ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    if (!m_bHasFound || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = m_found.ftLastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    if (!m_bHasFound || pTimeStamp == nullptr)
        return FALSE;
    *pTimeStamp = m_found.ftCreationTime;
    return TRUE;
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_bHasFound && (m_found.dwFileAttributes & dwMask) != 0;
}

BOOL CFileFind::IsDots() const
{
    if (!m_bHasFound || !IsDirectory())
        return FALSE;
    return std::wcscmp(m_found.cFileName, L".") == 0 || std::wcscmp(m_found.cFileName, L"..") == 0;
}
