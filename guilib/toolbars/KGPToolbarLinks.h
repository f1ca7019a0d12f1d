// What the toolbars ask of the managers the menus family brings: the user
// tools (commands that run external programs, drawn with their icons), the
// keyboard manager (shortcut texts of commands) and the menu bar's option to
// show recently used commands first. Until the menus family registers them,
// the toolbars behave as a library without user tools, shortcuts or
// recently-used menus. The customisation sheet brings the button appearance
// dialog; the library frames may give buttons their tooltips (registered by
// the frames family).
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class IKGPUserToolsLink {
public:
    // TRUE for a command in the user tools' id range.
    virtual BOOL IsUserToolCommand(UINT uiCmd) const = 0;
    // The command of the menu entry that stands for the user tools (0: none).
    virtual UINT GetToolsEntryCommand() const = 0;
    // Draws the icon of the command's tool into the rectangle; FALSE when no
    // tool has the command.
    virtual BOOL DrawToolIcon(CDC* pDC, const CRect& rect, UINT uiCmd) const = 0;
    // Runs the command's tool; FALSE when no tool has the command.
    virtual BOOL InvokeTool(UINT uiCmd) = 0;
    // Puts the icon of the command's tool on the clipboard; FALSE when no
    // tool has the command or the clipboard refused it.
    virtual BOOL CopyToolIconToClipboard(UINT uiCmd) = 0;

protected:
    ~IKGPUserToolsLink() = default;
};

class IKGPKeyboardLink {
public:
    // The shortcut keys of the command in the frame's accelerators ("; "
    // between several); FALSE when it has none.
    virtual BOOL GetCommandShortcutText(UINT uiCmd, CString& strText, CFrameWnd* pFrame) const = 0;

protected:
    ~IKGPKeyboardLink() = default;
};

class IKGPMenuOptionsLink {
public:
    // TRUE while menus show the recently used commands first.
    virtual BOOL AreRecentlyUsedMenusOn() const = 0;
    // Switches the option (a popup that shows every command switches it off
    // while it is open).
    virtual void SetRecentlyUsedMenus(BOOL bOn) = 0;

protected:
    ~IKGPMenuOptionsLink() = default;
};

class CKGPToolbarButton;
class CKGPToolBar;

// What the toolbars ask of the customisation sheet: the button appearance
// dialog, which edits a button's image, caption and display flags.
class IKGPButtonAppearanceLink {
public:
    // TRUE when the user closed the dialog with OK (the button edited).
    virtual BOOL EditButtonAppearance(CKGPToolbarButton* pButton, CKGPToolBar* pBar) = 0;

protected:
    ~IKGPButtonAppearanceLink() = default;
};

// What the toolbars tell the customisation sheet while it is open: a bar
// was shown or hidden (by its floating frame's close button, say), so that
// the sheet's list of bars shows it as it is.
class IKGPCustomizeSheetLink {
public:
    virtual void OnToolbarShown(CKGPToolBar* pBar, BOOL bShown) = 0;

protected:
    ~IKGPCustomizeSheetLink() = default;
};

// What the toolbars ask of the library frames: their say in a button's
// tooltip and the ids of the user's own toolbars.
class IKGPToolbarFrameLink {
public:
    // The tooltip text the frame gives the button; FALSE to leave it to the bar.
    virtual BOOL OnUserToolTip(CFrameWnd* pFrame, CKGPToolbarButton* pButton, CString& strText) const = 0;
    // The control ids the frame gives the user's own toolbars; FALSE when the
    // window is no library frame.
    virtual BOOL GetToolbarIdRange(CFrameWnd* pFrame, UINT& uiFirst, UINT& uiLast) const = 0;

protected:
    ~IKGPToolbarFrameLink() = default;
};

namespace KGPToolbarLinks {

inline BOOL IsUserToolCommand(UINT uiCmd)
{
    const IKGPUserToolsLink* pLink = CKGPLink<IKGPUserToolsLink>::Get();
    return pLink != nullptr && pLink->IsUserToolCommand(uiCmd);
}

// The command of the menu entry standing for the user tools; never 0 (a
// manager without an entry command has no entry).
inline BOOL IsToolsEntryCommand(UINT uiCmd)
{
    const IKGPUserToolsLink* pLink = CKGPLink<IKGPUserToolsLink>::Get();
    return uiCmd != 0 && pLink != nullptr && pLink->GetToolsEntryCommand() == uiCmd;
}

inline BOOL DrawToolIcon(CDC* pDC, const CRect& rect, UINT uiCmd)
{
    const IKGPUserToolsLink* pLink = CKGPLink<IKGPUserToolsLink>::Get();
    return pLink != nullptr && pLink->DrawToolIcon(pDC, rect, uiCmd);
}

inline BOOL InvokeTool(UINT uiCmd)
{
    IKGPUserToolsLink* pLink = CKGPLink<IKGPUserToolsLink>::Get();
    return pLink != nullptr && pLink->InvokeTool(uiCmd);
}

inline BOOL CopyToolIconToClipboard(UINT uiCmd)
{
    IKGPUserToolsLink* pLink = CKGPLink<IKGPUserToolsLink>::Get();
    return pLink != nullptr && pLink->CopyToolIconToClipboard(uiCmd);
}

// Without the customisation sheet the dialog answers as if cancelled.
inline BOOL EditButtonAppearance(CKGPToolbarButton* pButton, CKGPToolBar* pBar)
{
    IKGPButtonAppearanceLink* pLink = CKGPLink<IKGPButtonAppearanceLink>::Get();
    return pLink != nullptr && pLink->EditButtonAppearance(pButton, pBar);
}

inline void OnToolbarShown(CKGPToolBar* pBar, BOOL bShown)
{
    if (IKGPCustomizeSheetLink* pLink = CKGPLink<IKGPCustomizeSheetLink>::Get())
        pLink->OnToolbarShown(pBar, bShown);
}

inline BOOL GetCommandShortcutText(UINT uiCmd, CString& strText, CFrameWnd* pFrame)
{
    const IKGPKeyboardLink* pLink = CKGPLink<IKGPKeyboardLink>::Get();
    return pLink != nullptr && pFrame != nullptr && pLink->GetCommandShortcutText(uiCmd, strText, pFrame);
}

inline BOOL AreRecentlyUsedMenusOn()
{
    const IKGPMenuOptionsLink* pLink = CKGPLink<IKGPMenuOptionsLink>::Get();
    return pLink != nullptr && pLink->AreRecentlyUsedMenusOn();
}

inline void SetRecentlyUsedMenus(BOOL bOn)
{
    if (IKGPMenuOptionsLink* pLink = CKGPLink<IKGPMenuOptionsLink>::Get())
        pLink->SetRecentlyUsedMenus(bOn);
}

} // namespace KGPToolbarLinks
