// Makes the library's tooltip controls, one kind per family of windows, and
// keeps their display settings. Windows that hold a tooltip re-create it with
// their kind when KGM_UPDATETOOLTIPS (wParam: the kinds whose settings changed)
// reaches them.
#pragma once

#include <afxcmn.h>

// The kinds of tooltip, one bit each.
enum KGPToolTipKind : UINT {
    KGP_TOOLTIP_DEFAULT = 0x0001,
    KGP_TOOLTIP_TOOLBAR = 0x0002,
    KGP_TOOLTIP_TAB = 0x0004,
    KGP_TOOLTIP_MINIFRAME = 0x0008,
    KGP_TOOLTIP_CAPTIONBAR = 0x0010,  // docking-pane caption buttons
    KGP_TOOLTIP_BUTTON = 0x0020,
    KGP_TOOLTIP_TASKSPANE = 0x0040,
    KGP_TOOLTIP_TOOLBOX = 0x0080,
    KGP_TOOLTIP_ALL = 0xFFFF,
};

// How tooltips of a kind are shown.
struct CKGPToolTipParams {
    BOOL bBalloon = FALSE;
    int nMaxWidth = 400;          // pixels; wider texts wrap
    int nInitialDelay = -1;       // milliseconds; -1 keeps the control's own
    COLORREF clrBackground = CLR_DEFAULT;
    COLORREF clrText = CLR_DEFAULT;
};

class CKGPToolTipFactory {
public:
    // Replaces pToolTip (deleting the one it held) by a new tooltip control of
    // the kind for pWndOwner, and registers the owner for KGM_UPDATETOOLTIPS.
    // FALSE, with pToolTip null, when the control cannot be made.
    static BOOL CreateToolTip(CToolTipCtrl*& pToolTip, CWnd* pWndOwner, UINT nKind);
    // Unregisters the owner, destroys the control, deletes it and clears the pointer.
    static void DeleteToolTip(CToolTipCtrl*& pToolTip);

    // Sets the display of the kinds in nKinds and sends KGM_UPDATETOOLTIPS to
    // every registered owner of a tooltip of those kinds.
    static void SetTooltipParams(UINT nKinds, const CKGPToolTipParams& params);
    static CKGPToolTipParams GetTooltipParams(UINT nKind);
    // The kind the control was made for; 0 for one the factory did not make.
    static UINT GetKind(const CToolTipCtrl* pToolTip);
};
