// The white fade at the foot of the program's dialogs and pages: over the
// lower fifth of the client area (at least 2 pixels) the background turns
// into opaque white, one pixel wider than the client area on the left.
#pragma once

#include <afxwin.h>

namespace widgets {

// Paints the fade over a background of the colour back.
void DrawBottomFade(CDC& dc, const CRect& client, COLORREF back);

// The whole background of a dialog (the instrument chooser, the About box):
// the dialog face colour with the fade at its foot.
void PaintFadedDialogBackground(CWnd& dialog, CDC& dc);

} // namespace widgets
