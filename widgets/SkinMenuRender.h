// ISkinMenuRender: what a window offers to draw the skinned menus' frames.
// It is reached only through the skin menu manager's hook; the program never
// installs that hook, so the defaults (draw nothing, report "not drawn") are
// what a frame that implements nothing gets.
#pragma once

#include <afxwin.h>

class ISkinMenuRender {
public:
    virtual ~ISkinMenuRender() = default;
    // Each returns TRUE when it drew; FALSE leaves the system's drawing.
    virtual BOOL SkinMenuDrawBackground(HDC /*hDC*/, const RECT& /*rect*/) { return FALSE; }
    virtual BOOL SkinMenuDrawBorder(HDC /*hDC*/, const RECT& /*rect*/) { return FALSE; }
    virtual BOOL SkinMenuDrawNonClient(HWND /*hMenuWnd*/) { return FALSE; }
};
