// Toolbar set-up shared by the pages: drop-down buttons and image strips.
#pragma once

#include <afxext.h>

// Gives the toolbar the extended style that draws drop-down arrows and makes the
// command's button a drop-down button. False when the toolbar has no window or
// no button with that command.
bool MakeToolBarDropDown(UINT commandId, CToolBar& toolBar);

// Builds an image list of cx x cy images from a bitmap resource (current
// resource module, then the program), light grey 0xC0C0C0 transparent, and sets
// it as the toolbar's image list. The list lives as long as the toolbar's window
// (it is released when another list replaces it or the window is gone).
bool SetToolBarImageList(CToolBar& toolBar, UINT bitmapId, int cx, int cy);
// The same from a bitmap the caller keeps (the image list copies its pixels).
bool SetToolBarImageList(CToolBar& toolBar, HBITMAP bitmap, int cx, int cy);
