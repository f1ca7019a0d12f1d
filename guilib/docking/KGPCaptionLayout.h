// What a floating frame does with its caption buttons and edges, as plain
// functions over rectangles and the button list (so that tests run them without
// windows): laying the buttons out along the caption, finding a button by point
// or by tooltip tool id, the tooltip text of a button, and the frame's hit test.
#pragma once

#include "guilib/docking/KGPCaptionButton.h"

#include <afxcmn.h>
#include <afxcoll.h>

#include <functional>

namespace KGPCaption {

constexpr int kButtonSpacing = 4;
constexpr UINT kHitPin = HTMAXBUTTON;  // 9
constexpr UINT kHitPageMenu = 25;
// "Let the window's default processing answer."
constexpr UINT kHitDefault = static_cast<UINT>(-1);

// Places the buttons (in the order added: tail of the list first) in `caption`,
// which is in the owner's window coordinates: left-aligned ones from the left
// edge rightwards, the others from the right edge leftwards, each one clamped to
// the left edge; every button is centred vertically.
void ArrangeButtons(const CObList& buttons, const CRect& caption);

// A docking pane's caption buttons in its caption band (window coordinates,
// `captionHeight` tall from `caption.top`): right-aligned ones from the right
// edge less `edgeMargin` leftwards, `kPaneButtonGap` apart, left-aligned ones
// from the left edge less the margin rightwards; hidden buttons take no place;
// a left-aligned button reaching the right-aligned ones is hidden; with no
// caption every button is hidden. `vertAdjust` is taken off the centred top.
constexpr int kPaneButtonGap = 2;
void ArrangePaneButtons(const CObList& buttons, const CRect& caption, int edgeMargin, int vertAdjust);

// A window's own coordinates, as its window device context has them: from
// its top-left corner, or from its top-right one under right-to-left layout
// (mirrored). A screen point there, and a rectangle there on the screen.
CPoint WindowPointFromScreen(const CWnd* pWnd, CPoint ptScreen);
CRect ScreenRectFromWindow(const CWnd* pWnd, const CRect& rectInWindow);

// The visible button whose rectangle, offset by `captionOrigin`, holds `point`.
CKGPCaptionButton* FindButtonAtPoint(const CObList& buttons, CPoint point, CPoint captionOrigin = CPoint(0, 0));

// The button behind tooltip tool `id` (1 for the head of the list); null for an
// id outside 1..count, which a stale or foreign tooltip can send.
CKGPCaptionButton* FindButtonByToolId(const CObList& buttons, UINT_PTR id);

// The button with that hit code, null when none.
CKGPCaptionButton* FindButtonByHit(const CObList& buttons, UINT hit);

// The focus (hover) goes from the button of one hit code to the button of
// another; each that changes is redrawn.
void MoveFocus(const CObList& buttons, UINT fromHit, UINT toHit,
               const std::function<void(CKGPCaptionButton*)>& redraw);

// The tooltip's tools follow the buttons (tool id = position from the head
// + 1; a hidden button's tool is empty); buttons are placed in the owner's
// window coordinates, tools in its client coordinates.
void UpdateToolRects(CToolTipCtrl* pToolTip, CWnd* pOwner, const CObList& buttons);

// Answers a tooltip's text request with the library string (or the fallback
// when the string is not there).
void AnswerToolTipText(NMHDR* pNMH, UINT nString, LPCTSTR lpszFallback, LRESULT* pResult);

// The library string that names a button's tooltip, 0 for none.
UINT TooltipStringId(UINT hit);

// A floating frame's outline, in screen coordinates.
struct FrameGeometry {
    CRect window;
    CRect client;
    CRect border;          // border thickness on each side
    int captionHeight = 0;
    CSize corner;          // the size of the corner squares of a resizable frame
    BOOL hostsToolbar = FALSE;
    BOOL mirrored = FALSE; // right-to-left layout: buttons kept from the top-right corner
};

// The frame's non-client hit code at `point`: 0 outside, HTCLIENT inside the
// client area; a toolbar frame's edges, a pane frame's edges and corners; in the
// caption HTCAPTION when asked to detect it, else the button's hit or HTCLIENT;
// kHitDefault elsewhere.
UINT HitTestFrame(const FrameGeometry& frame, const CObList& buttons, CPoint point, BOOL bDetectCaption);

// A floating toolbar's frame resized by one of its edges (the WMSZ_ side).
struct ToolbarSizing {
    UINT side = 0;
    CRect window;  // the frame as it stands (screen)
    CRect dragged; // the rectangle the drag asks for
    CSize frame;   // the frame's borders and caption, and the bar's own borders, around the bar's client
};
// The left and right edges drag the width; the others the height.
BOOL SizingAlongWidth(UINT side);
// The bar's length the drag asks for (the dragged dimension less the
// frame); -1 when that dimension did not change.
int SizingLength(const ToolbarSizing& sizing);
// The frame around the bar's laid-out client size: the dragged edge moves
// to fit it (the left one for the left side, the right one for the right,
// the bottom one for the bottom sides, the top one otherwise), the other
// dimension grows or shrinks from its near edge; the frame as it stands
// when the bar's size did not change in the dragged direction.
CRect FitToolbarSizing(const ToolbarSizing& sizing, CSize content);

}  // namespace KGPCaption
