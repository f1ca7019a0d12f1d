// The recently used files of an application: their full paths, newest first,
// kept in the application's profile under a section of their own, and the
// short names menus show for them.
#pragma once

#include "afxwin.h"

// The commands of the recently used files' menu entries.
#ifndef ID_FILE_MRU_FILE1
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_LAST 0xE11F
#endif

// The longest display name by default (longer paths are shortened).
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
public:
    // nStart: the first command of the list's menu entries; lpszSection and
    // lpszEntryFormat ("File%d", numbered from 1): where ReadList and WriteList
    // keep it; nSize: the most names kept; nMaxDispLen: the longest display name.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    // The full path at the place ("" when none is there).
    CString& operator[](int nIndex) { return m_arrNames[nIndex]; }
    // The path goes first (once: a path already listed moves up); the last
    // one drops off a full list.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The name a menu shows for the entry: the file's name when it lies in
    // the current folder (lpszCurDir, nCurDir characters, ending with a
    // backslash), else its path shortened to the longest display name (the
    // file's name at least when bAtLeastName); "&" doubled. FALSE for an
    // empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    virtual void ReadList();
    virtual void WriteList();

    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;

private:
    int m_nSize;
    CStringArray m_arrNames;
};

// The path shortened to at most nMaxLength characters: its root, "...", and
// as many of its last folders as fit before the file's name (which stays
// whole when bAtLeastName, however long).
CString AfxAbbreviateName(const CString& strPath, int nMaxLength, BOOL bAtLeastName);
