// A user tool: an external program or document that the user adds to the
// menus, run through the shell with its arguments in its folder, and shown
// with the small icon of its file.
#pragma once

#include <afxwin.h>
// The shell's name macros (ExtractIcon) must mean the same in every file that
// sees this class.
#include <shellapi.h>

class CKGPUserTool : public CObject {
    DECLARE_SERIAL(CKGPUserTool)
public:
    CKGPUserTool() = default;
    ~CKGPUserTool() override;
    CKGPUserTool(const CKGPUserTool&) = delete;
    CKGPUserTool& operator=(const CKGPUserTool&) = delete;

    // Label, command, arguments and folder as archive strings, then the
    // command id. A load reads all of it before it changes the tool.
    void Serialize(CArchive& ar) override;

    // Runs the command through the shell for the thread's main window; FALSE
    // for an empty command or when the shell refuses.
    virtual BOOL Invoke();
    // The icon of the command's file (a bare name is looked for on the search
    // path); the default icon when there is none.
    virtual HICON ExtractIcon();
    // The icon of tools without one, shared by all and kept for the process.
    virtual HICON LoadDefaultIcon();
    // Drops the tool's own icon (never the shared one).
    virtual void DeleteIcon();

    // The icon at the small-icon size, centred in the rectangle.
    void DrawToolIcon(CDC* pDC, const CRect& rectImage);
    // The icon as a bitmap on the clipboard; FALSE (and the library's message
    // shown) when the clipboard refuses it.
    BOOL CopyIconToClipboard();

    // A new command fetches its icon; the same one changes nothing.
    void SetCommand(LPCTSTR lpszCmd);
    const CString& GetCommand() const { return m_strCommand; }
    UINT GetCommandId() const { return m_uiCmdId; }
    HICON GetIcon() const { return m_hIcon; }

    CString m_strLabel;
    CString m_strArguments;
    CString m_strInitialDirectory;

protected:
    UINT m_uiCmdId = 0;
    CString m_strCommand;
    // The tool's own icon, or the shared default one (not owned).
    HICON m_hIcon = nullptr;
    CIconHandle m_ownIcon;

    friend class CKGPUserToolsManager;
};
