// What a user sees of a frame's docking panes, a line per pane, to compare a
// layout before it is saved with the layout a frame made anew loads: where
// the pane stands (docked at an edge, a tab, floating, auto-hidden), its
// edge, its tab group (the tabs in order, the active one) and where that
// stands, its rectangle (frame client coordinates when docked, the screen's
// for a floating frame), whether it shows, its auto-hide edge and strip
// group, its floating frame's rectangle and visibility.
#pragma once

#include <afxwin.h>

#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <string>
#include <vector>

namespace apphost {

std::string DescribePanes(CFrameWnd& frame, const std::vector<CKGPDockingControlBar*>& panes);
// The same of the menu bar and the toolbars, a line per bar: docked (its
// edge, its row, its rectangle) or floating (its frame's rectangle and
// visibility), whether it shows, and its buttons in order (commands,
// separators as '|', a button without a command by its caption, a hidden
// one marked).
std::string DescribeBars(CFrameWnd& frame, const std::vector<CKGPToolBar*>& bars);
// The menu bar's line as DescribeBars writes it, with every button the
// layout owns (its menus and the commands, separators and hidden marks a
// customisation left on it) but without a maximised note's system menu,
// minimise, restore and close buttons: they come and go with the note.
std::string DescribeMenuBar(CFrameWnd& frame, CKGPMenuBar& bar);

} // namespace apphost
