// Sizes and paints a docked bar's non-client area: the borders around its
// client area and the gripper. A toolbar embeds one.
#pragma once

#include <afxwin.h>

class CKGPControlBar;

class CKGPControlBarImpl {
public:
    explicit CKGPControlBarImpl(CKGPControlBar* pBar) : m_pBar(pBar) {}
    virtual ~CKGPControlBarImpl() = default;

    // Grows the rectangle's edges by the bar's borders (and gripper).
    void CalcNcSize(CRect& rect) const;
    // Empty when the bar is not in a dock bar; window coordinates unless bClientCoords.
    void GetGripperRect(CRect& rectGripper, BOOL bClientCoords = FALSE) const;
    void DrawNcArea();

private:
    CKGPControlBar* m_pBar;
};
