// The bar on an auto-hide strip holding the buttons of one group of
// auto-hidden panes (it owns them). Resting the mouse on a button slides its
// pane out; a click gives the pane the focus. The active toolbar of a group
// shows its buttons' texts.
#pragma once

#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideMath.h"
#include "guilib/docking/KGPControlBar.h"

class CKGPDockingControlBar;

class CKGPAutoHideToolBar : public CKGPControlBar {
    DECLARE_DYNCREATE(CKGPAutoHideToolBar)
public:
    CKGPAutoHideToolBar() = default;
    ~CKGPAutoHideToolBar() override;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void SetThirdOption(BOOL bActive) override;

    // A button for the pane (null when it is no docking pane or the button
    // class makes no auto-hide button).
    CKGPAutoHideButton* AddAutoHideWindow(CKGPDockingControlBar* pAutoHideWnd, DWORD dwAlignment);
    BOOL RemoveAutoHideWindow(CKGPDockingControlBar* pAutoHideWnd);
    void ShowAutoHideWindowOfPane(CKGPDockingControlBar* pAutoHideWnd, BOOL bShow);
    void UnSetAutoHideMode(CKGPDockingControlBar* pFirstBarInGroup);
    int GetVisibleButtonsCount() const;
    int GetButtonCount() const { return static_cast<int>(m_lstButtons.GetCount()); }
    CKGPAutoHideButton* FindButtonByPane(const CKGPDockingControlBar* pPane) const;
    CKGPDockingControlBar* GetFirstAttachedPane() const;
    CKGPDockingControlBar* GetLastAttachedPane() const;
    // The visible button holding the point (client coordinates): the one on
    // top first.
    CKGPAutoHideButton* ButtonHitTest(CPoint point) const;
    void UpdateInParentRow();
    BOOL IsActiveToolBar() const { return m_bActive; }
    // The active flag as a button sets it (a group's other toolbars give it up).
    void SetActiveInGroup(BOOL bActive) { SetThirdOption(bActive); }

    // Library-wide: the class of the buttons made, the hover delay, and
    // whether only the active toolbar shows its buttons' texts.
    static CRuntimeClass* m_pAutoHideButtonRTS;
    static UINT m_nShowAHWndDelay;
    static BOOL m_bShowTextOnlyActive;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnNcDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
    void PostNcDestroy() override;

    // The buttons placed one after another along the bar.
    void LayoutButtons();
    // The timer goes; Stop also ends the wait.
    void KillHoverTimer();
    void StopHoverTimer();

    COwningPtrList<CObList, CKGPAutoHideButton*> m_lstButtons;
    CKGPAutoHideButton* m_pHighlightedButton = nullptr;
    kgp::autohide::HoverMachine m_hover;
    UINT_PTR m_nHoverTimer = 0;
};
