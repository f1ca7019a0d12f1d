// CFileDialog: the system's open and save dialogs.
//
// Filters are written "Text (*.txt)|*.txt|All files (*.*)|*.*||". With
// OFN_ALLOWMULTISELECT the dialog works in a large buffer of its own that grows
// while the user selects (and, should the dialog still report
// FNERR_BUFFERTOOSMALL, it is shown again with a buffer of the size it asked
// for), so a large selection is never cut; read it with GetStartPosition/
// GetNextPathName (a caller's m_ofn.lpstrFile gets a copy when it fits).
#pragma once

#include "afxdlg.h"
#include <commdlg.h>

#include <vector>

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);
    ~CFileDialog() override;

    // m_ofn.lpstrFile may be pointed at a caller's buffer before DoModal; a
    // multi-select result that does not fit it is kept in the dialog's own.
    OPENFILENAMEW m_ofn{};

    INT_PTR DoModal() override;

    CString GetPathName() const;    // the (first) chosen file with its folder
    CString GetFileName() const;    // its name with extension
    CString GetFileExt() const;     // its extension without the dot
    CString GetFileTitle() const;   // its name without extension
    CString GetFolderPath() const;  // the folder of the chosen file(s)
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // The chosen paths from a result buffer: "path\0" or "folder\0name\0name\0\0".
    static std::vector<CString> ParseResult(const wchar_t* buffer, std::size_t capacity, bool multiSelect);
    // "a|b|c|d||" -> "a\0b\0c\0d\0\0".
    static std::vector<wchar_t> MakeFilter(LPCTSTR lpszFilter);

protected:
    BOOL m_bOpenFileDialog = TRUE;
    CString m_strDefExt;
    std::vector<wchar_t> m_filter;
    std::vector<wchar_t> m_fileBuffer;  // the dialog's own name buffer
    std::vector<CString> m_results;

    void UseOwnBuffer(std::size_t capacity);
    void CopyResultTo(LPWSTR buffer, DWORD capacity) const;
    static UINT_PTR CALLBACK HookProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
};
