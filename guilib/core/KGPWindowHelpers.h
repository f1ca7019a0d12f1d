// Finding the frame a library window belongs to.
#pragma once

#include <afxwin.h>

// The nearest frame up the parent chain; a floating (owned pop-up) frame
// leads on to its owner's frame. Null when there is none.
CFrameWnd* GetParentFrameOf(CWnd* pWnd);
// The library's top-level frame override when one is set, else the window's
// top-level frame.
CFrameWnd* GetTopLevelFrameOf(CWnd* pWnd);
void SetTopLevelFrameOverride(CFrameWnd* pFrame);
// The override set (null: none); an in-place frame sets it while it is active.
CFrameWnd* GetTopLevelFrameOverride();
