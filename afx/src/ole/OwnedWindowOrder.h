// Owned windows over their owner, where the system let the owner come up over
// them.
#pragma once

namespace afx_detail {

// The visible windows of this thread owned by the foreground window that
// stand under it come back over it, in the order they had among themselves.
// Windows keeps an owned window over its owner at all times; Wine without a
// window manager raises the window it gives the focus to over everything
// (its floating frames, its modeless dialogs) until they are put back. A
// drag finds its drop target by that order: the window under the pointer.
void KeepOwnedWindowsOverForeground();

} // namespace afx_detail
