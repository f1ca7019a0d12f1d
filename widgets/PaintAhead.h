// A window made but not shown yet, painted once into a picture nobody sees, with
// all its descendants: what each control works out or loads on its first paint
// (background buffers, row metrics, fonts, theme data, the libraries its drawing
// calls on) is then done before the window first shows, when the program has time
// to spare, and the first paint on the screen only draws. Nothing on the screen
// changes: the windows are asked to print themselves into a memory DC (WM_PRINT),
// as for a print preview, and no window is shown, moved or invalidated.
#pragma once

#include <windows.h>

namespace widgets {

// Paints `window` (its background and client area) and then each descendant at
// its place within it; returns the number of windows asked. A window without a
// client area, or a null one, asks none.
int PaintAhead(HWND window);
// The same, the window first put at `place` in its parent (client coordinates),
// so that it is laid out and painted at the size it will show at.
int PaintAhead(HWND window, const RECT& place);

} // namespace widgets
