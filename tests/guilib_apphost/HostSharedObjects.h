// The GDI and USER objects a process keeps from their first use on, made
// before objects are counted, so that a count does not take them for left
// behind by whatever used them first.
#pragma once

namespace apphost {

// The layer's halftone brush (drag outlines), the system's cursors and icons
// (a message box's icon is one), the library's cursors (one is shared from
// its first load on, its bitmaps with it) and the system's colour brushes
// (the system makes each on its first use and keeps it: the customisation
// sheet's Toolbars page makes the window text's).
void MakeSharedObjects();

} // namespace apphost
