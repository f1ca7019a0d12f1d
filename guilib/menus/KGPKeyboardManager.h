// The frames' accelerator tables as the toolbars and menus read them: the
// shortcut text of a command, whether a key is taken, and the installing of
// new tables (customised keys) in a frame or for a document template's
// frames. Class-wide only: a copy of the main frame's table and one of
// another frame's are kept, each until a different table is asked for.
#pragma once

#include <afxwin.h>

class CKGPKeyboardManager {
public:
    CKGPKeyboardManager() = delete;

    // The key gives a character in the current layout and keyboard state.
    static BOOL IsKeyPrintable(const UINT nChar);
    // A-Z stay, other keys their upper case unless Alt is down; a keypad
    // digit without Alt the character it types, in upper case.
    static UINT TranslateCharToUpper(const UINT nChar);
    // The key with those modifier flags (FVIRTKEY, FCONTROL...) is in the
    // frame's table; FALSE without a frame or a table.
    static BOOL IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // The keys of the command in the frame's table ("; " between them; only
    // the first unless every key is asked for); FALSE when none.
    static BOOL GetCommandShortcutText(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame);
    // A new table of the entries for the frames of the template (each frame
    // that held the template's table), or without a template for the frame
    // (the thread's main frame when null). The old table is destroyed. FALSE,
    // and nothing changed, when the table cannot be made or no frame is found.
    static BOOL UpdateAcceleratorTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                       CFrameWnd* pDefaultFrame = nullptr);
    // Every multi-document template with a shared menu and the main frame get
    // the tables of their resources back.
    static void ResetAll();
    // Frees the copies kept (at exit).
    static void CleanUp();

    // Every key of a command in its shortcut text, not only the first.
    static void ShowAllAccelerators(BOOL bShowAll = TRUE) { s_bAllAccelerators = bShowAll; }
    static BOOL IsShowAllAccelerators() { return s_bAllAccelerators; }

    // Whether the user may change the keys: while off, the customisation
    // sheet offers no keyboard page (on by default).
    static void Enable(BOOL bEnable = TRUE) { s_bEnabled = bEnable; }
    static BOOL IsEnabled() { return s_bEnabled; }

private:
    static BOOL s_bAllAccelerators;
    static BOOL s_bEnabled;
};
