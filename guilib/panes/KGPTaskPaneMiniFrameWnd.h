// The floating frame of a tasks pane: a 3-pixel border and, beside the
// frame's own caption buttons, back, forward and the pages menu, shown while
// the pane has several pages and no navigation toolbar, enabled as the
// pane's history allows.
#pragma once

#include "guilib/docking/KGPMiniFrameWnd.h"

class CKGPTasksPane;

class CKGPTaskPaneMiniFrameWnd : public CKGPMiniFrameWnd {
    DECLARE_SERIAL(CKGPTaskPaneMiniFrameWnd)
public:
    CKGPTaskPaneMiniFrameWnd() = default;

    // Close (with bit 2, when the pane can close), pin (bit 1), menu (bit 4),
    // then back, forward and pages, each to the head of the list; the style
    // kept is the given one with 0x70 added.
    void SetCaptionButtons(DWORD dwButtons) override;
    // Its navigation's buttons too (a floating tasks pane's frame stores them).
    DWORD GetStorableCaptionButtons() const override;
    void CalcBorderSize(CRect& rectBorderSize) const override;
    void OnPressCaptionButton(UINT nHit) override;
    void OnTrackCaptionButtons(CPoint point) override;
    void StopCaptionButtonsTracking() override;
    CKGPTasksPane* GetTasksPane() const;
    // Shows, hides and enables the navigation's buttons as the pane stands.
    void UpdateNavigationButtons();

protected:
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnNeedTaskTip(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // While the pages menu is open.
    BOOL m_bMenuBusy = FALSE;
};
