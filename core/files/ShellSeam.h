// Every shell operation the program starts (copy, delete, open, folder browser)
// and the system's plain message box go through one replaceable object, so that
// tests can record the requests and script the answers instead of showing
// windows.
#pragma once

#include <afx.h>

#include <vector>

class IShellOperations {
public:
    virtual ~IShellOperations() = default;

    // The shell's file operation; returns its result (0 on success).
    virtual int CopyFiles(const std::vector<CString>& sources, const std::vector<CString>& destinations) = 0;
    virtual int DeleteFiles(const std::vector<CString>& paths, bool permanent) = 0;
    // The "open" verb; on failure returns false and the system error code.
    virtual bool Open(LPCTSTR path, DWORD& error) = 0;
    // The folder browser starting at folder; true and the chosen folder on OK.
    virtual bool BrowseForFolder(HWND owner, CString& folder) = 0;
    // The system's plain message box; returns its button id.
    virtual int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) = 0;
};

// The object in force: the real shell unless a test has replaced it.
IShellOperations& GetShellOperations();

// Puts a replacement in force for its lifetime (nesting restores in order).
class CScopedShellOperations {
public:
    explicit CScopedShellOperations(IShellOperations& replacement);
    ~CScopedShellOperations();
    CScopedShellOperations(const CScopedShellOperations&) = delete;
    CScopedShellOperations& operator=(const CScopedShellOperations&) = delete;

private:
    IShellOperations* m_previous = nullptr;
};

// The plain message box through the seam, for the texts that use the system's box
// (file errors, the connection time-out, destructive Yes/No questions). The
// caption is the program's name when empty.
int ShowPlainMessageBox(LPCTSTR text, UINT type = MB_OK | MB_ICONWARNING, HWND owner = nullptr,
                        LPCTSTR caption = nullptr);
