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
    // Empty when the bar is not in a dock bar; window coordinates unless bClientCoords.
    void GetGripperRect(CRect& rectGripper, BOOL bClientCoords = FALSE) const;
    void DrawNcArea();
    // Paints the parent's background behind the bar's whole window (the
    // device context's origin at the window's top-left corner).
    void DrawParentBackground(CDC* pDC);

private:
    CKGPControlBar* m_pBar;
};
