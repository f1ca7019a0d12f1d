// The drop source of a dragged toolbar button: the library's cursors for a
// button that would be deleted, moved or copied (loaded on the first drag; the
// system's feedback when the program does not carry the library's resources),
// and whether the drag may leave its bar.
#pragma once

#include <afxole.h>

class CKGPToolbarDropSource : public COleDropSource {
    DECLARE_DYNAMIC(CKGPToolbarDropSource)
public:
    CKGPToolbarDropSource() = default;
    ~CKGPToolbarDropSource() override;

    BOOL OnBeginDrag(CWnd* pWnd) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;

    // The cursor shown for the effect: delete for none, move, copy; null
    // when the library's resources hold none (the system's then).
    HCURSOR CursorFor(DROPEFFECT dropEffect) const;

    // The drag has begun (the cursors are loaded then).
    BOOL m_bDragStarted = FALSE;
    // The mouse left the start rectangle with its button held: the button
    // is dragged (a release there first is a click).
    BOOL m_bMovedAway = FALSE;
    // Whether the button may leave its bar; while FALSE the delete cursor shows.
    BOOL m_bDeleteOnDrop = TRUE;
    BOOL m_bEscapePressed = FALSE;
    DWORD m_dwLastKeyState = 0;

private:
    void LoadCursors();
    BOOL m_bCursorsLoaded = FALSE;
    CCursorHandle m_hcurDelete;
    CCursorHandle m_hcurMove;
    CCursorHandle m_hcurCopy;
};
