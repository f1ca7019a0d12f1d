// What the buttons holding controls (combo box, edit) and their edits share:
// the context menu of a menu resource (through the context-menu manager when
// the application has one), mouse-leave tracking, the keys that move the focus
// on, the controls' colours, tooltips, labels and rows in the command list,
// and settings taken from another button of the same command.
#pragma once

#include <afxwin.h>

class CKGPToolbarButton;

namespace KGPToolbarControls {

// Shows the first sub-menu of the menu resource at the screen point for the
// toolbar holding the control; its command goes to that toolbar. FALSE when
// the resource is missing (the control's own menu then shows).
BOOL ShowContextMenu(CWnd* pControl, UINT uiMenuResId, CPoint ptScreen);
// The hover of a control inside a toolbar button (a combo's edit, an edit
// box): the button is hot while the mouse is over the control and, after the
// mouse has left, while the control keeps the focus.
class CHoverTracking {
public:
    // The mouse moved over the control: the button turns hot and the leave is
    // watched (once per stay).
    template <class Button>
    void OnMouseMove(CWnd* pControl, Button& button)
    {
        button.SetHot(TRUE);
        Track(pControl);
    }
    // The mouse left: the button cools unless the control has the focus.
    template <class Button>
    void OnMouseLeave(const CWnd* pControl, Button& button)
    {
        m_bTracked = FALSE;
        if (::GetFocus() != pControl->GetSafeHwnd())
            button.SetHot(FALSE);
    }

private:
    void Track(CWnd* pControl);
    BOOL m_bTracked = FALSE;
};
// Tab: the next tab stop of the parent takes the focus. Esc: the top-level
// frame takes it. TRUE when the key was one of them.
BOOL MoveFocusOnKey(CWnd* pControl, UINT nKey);

// The window colours a control is drawn in; answers the window brush.
HBRUSH WindowColours(CDC* pDC);
// The command's short name (its string after the first line break).
CString CommandTip(UINT uiCmd);
// The height of a caption laid out under a control of the width.
int LabelHeight(CDC* pDC, const CString& strCaption, int nWidth, int nHeight);
// A mock control at the right of a command-list row whose text takes
// nTextWidth, with a drop arrow for a combo.
void DrawMockControl(CDC* pDC, const CRect& rectRow, int nTextWidth, BOOL bDropArrow);
// The button takes (CopyButton) the settings of the first other button of its
// class with its command on any bar; FALSE when there is none.
BOOL CopyFromFirstOfCommand(CKGPToolbarButton& button);

} // namespace KGPToolbarControls
