// The recently used files of an application and their display names.
#include <afxadv.h>

#include <algorithm>

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_strSectionName(lpszSection != nullptr ? lpszSection : _T("")),
      m_strEntryFormat(lpszEntryFormat != nullptr ? lpszEntryFormat : _T("")), m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen), m_nSize(std::max(0, nSize))
{
    m_arrNames.SetSize(m_nSize);
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == 0 || m_nSize == 0)
        return;
    const CString path(lpszPathName);
    int from = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].CompareNoCase(path) == 0) {
            from = i;
            break;
        }
    }
    for (int i = from; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[nIndex];
    const CString folder = lpszCurDir != nullptr && nCurDir > 0 ? CString(lpszCurDir).Left(nCurDir) : CString();
    // In the current folder itself (not one below it): the file's name alone.
    if (!folder.IsEmpty() && path.GetLength() > folder.GetLength() &&
        path.Left(folder.GetLength()).CompareNoCase(folder) == 0 &&
        path.Mid(folder.GetLength()).FindOneOf(_T("\\/")) < 0) {
        strName = path.Mid(folder.GetLength());
    } else {
        strName = AfxAbbreviateName(path, m_nMaxDisplayLength, bAtLeastName);
    }
    strName.Replace(_T("&"), _T("&&"));
    return TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = app->GetProfileString(m_strSectionName, entry, _T(""));
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize && !m_arrNames[i].IsEmpty(); ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, m_arrNames[i]);
    }
}

CString AfxAbbreviateName(const CString& strPath, int nMaxLength, BOOL bAtLeastName)
{
    if (nMaxLength <= 0 || strPath.GetLength() <= nMaxLength)
        return strPath;
    const int nameStart = strPath.ReverseFind(L'\\') + 1;
    const CString name = strPath.Mid(nameStart);
    // The root: a drive ("C:\") or a share ("\\server\share\").
    int rootEnd = strPath.Find(L'\\') + 1;
    if (strPath.Left(2) == _T("\\\\")) {
        const int server = strPath.Find(L'\\', 2);
        const int share = server >= 0 ? strPath.Find(L'\\', server + 1) : -1;
        rootEnd = share >= 0 ? share + 1 : 0;
    }
    const CString root = rootEnd > 0 && rootEnd <= nameStart ? strPath.Left(rootEnd) : CString();
    const CString dots(_T("...\\"));
    if (root.GetLength() + dots.GetLength() + name.GetLength() > nMaxLength)
        return bAtLeastName || name.GetLength() <= nMaxLength ? name : name.Left(nMaxLength);
    // As many of the last folders as fit, whole.
    int start = nameStart;
    while (start > rootEnd) {
        const int previous = strPath.Left(start - 1).ReverseFind(L'\\') + 1;
        if (previous < rootEnd ||
            root.GetLength() + dots.GetLength() + (strPath.GetLength() - previous) > nMaxLength)
            break;
        start = previous;
    }
    return root + dots + strPath.Mid(start);
}
