// Sizes and paints a docked bar's non-client area: the borders around its
// client area and the gripper. Every control bar (and so every toolbar)
// embeds one.
#pragma once

#include <afxwin.h>

class CKGPControlBar;

class CKGPControlBarImpl {
public:
    explicit CKGPControlBarImpl(CKGPControlBar* pBar) : m_pBar(pBar) {}
    virtual ~CKGPControlBarImpl() = default;
    CKGPControlBarImpl(const CKGPControlBarImpl&) = delete;
    CKGPControlBarImpl& operator=(const CKGPControlBarImpl&) = delete;

    // Moves the rectangle's edges in by the bar's borders (and gripper): a
    // window rectangle becomes the client rectangle.
    void CalcNcSize(CRect& rect) const;
    // Empty when the bar is not in a dock bar; window coordinates (mirrored
    // under right-to-left layout, as the window device context) unless
    // bClientCoords.
    void GetGripperRect(CRect& rectGripper, BOOL bClientCoords = FALSE) const;
    // Paints the non-client area in the bar's window.
    void DrawNcArea();
    // Paints it into the device context given, laid out as the bar's window
    // device context (origin at the window's top-left corner, mirrored under
    // right-to-left layout).
    void DrawNcArea(CDC* pDC);
    // Paints the parent's background behind the bar's whole window (the
    // device context's origin at the window's top-left corner).
    void DrawParentBackground(CDC* pDC);

private:
    // Under right-to-left layout, through a mirrored bitmap.
    void DrawParentBackgroundMirrored(CDC* pDC);

    CKGPControlBar* m_pBar;
};
