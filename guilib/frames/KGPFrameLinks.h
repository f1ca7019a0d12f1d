// The frames' answers to what the families below them ask of a frame,
// registered (KGPRegisterFramesLinks) by every library frame as it is made,
// with every family's links (KGPLibraryLinks.h).
#pragma once

#include <afxwin.h>

class CKGPBaseControlBar;
class CKGPFrameImpl;

// What the menus and toolbars reach in every library frame that holds a frame
// implementation (SDI, MDI and the OLE server's in-place frames): its
// implementation, its bars, and its say before a popup menu opens or after it
// closes.
class IKGPMenuHostFrame {
public:
    virtual CKGPFrameImpl& GetFrameImpl() = 0;
    virtual CKGPBaseControlBar* GetControlBar(UINT nID) = 0;
    virtual BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE) = 0;
    // FALSE cancels the popup.
    virtual BOOL OnShowPopupMenu(CWnd* pPopup) = 0;
    virtual void OnClosePopupMenu(CWnd* pPopup) = 0;
    // Draws the side band of a popup menu; FALSE when the frame draws none.
    virtual BOOL OnDrawMenuLogo(CDC* pDC, CWnd* pPopup, const CRect& rect) = 0;
    // Completes a toolbar's add-or-remove-buttons menu after the bar's own
    // entries (the bar's resource id given).
    virtual BOOL FillCustomizeMenuRest(CWnd* pPopup, UINT uiToolbarResId) = 0;

protected:
    ~IKGPMenuHostFrame() = default;
};

// Registers the frames family's links for the families below it (again:
// changes nothing); KGPRegisterLibraryLinks runs it with every family's.
void KGPRegisterFramesLinks();
