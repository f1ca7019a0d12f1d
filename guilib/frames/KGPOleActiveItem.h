// The OLE item active in place in a library frame: the item that the
// document of the frame's active view (an OLE container's document) has
// active in place in that view. The SDI and MDI frames answer with it.
#pragma once

#include <afxole.h>

COleClientItem* KGPGetActiveOleItem(CFrameWnd* pFrame);
