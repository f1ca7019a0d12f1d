// CSizingControlBar: a control bar docked at a side of the frame whose width
// (left/right) or height (top/bottom) the user changes by dragging its inner
// edge. The edge and the optional gripper are non-client parts, so a child
// filling the client area does not cover them.
#pragma once

#include <afxext.h>

class CSizingControlBar : public CControlBar {
    DECLARE_DYNAMIC(CSizingControlBar)
public:
    CSizingControlBar();
    ~CSizingControlBar() override;

    // dwStyle holds window styles and CBRS_* bar styles.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // The size the bar asks for when docked at a left/right or top/bottom side.
    CSize GetVertDockSize() const { return m_szVert; }
    CSize GetHorzDockSize() const { return m_szHorz; }
    void SetVertDockWidth(int cx);

    // Resize tracking: started by a press on the sizing edge, told every
    // mouse position (screen coordinates), ended by the release.
    BOOL IsTracking() const { return m_bTracking; }
    void StartTracking(CPoint ptScreen);
    void OnTrackUpdatePosition(CPoint ptScreen);
    void StopTracking(BOOL bAccept);
    // With full-window dragging the frame is laid out on every move, else once
    // at the end.
    void SetDragFullWindows(BOOL bFull) { m_bDragFullWindows = bFull; }

    static constexpr int kEdgeWidth = 5;
    static constexpr int kGripperHeight = 8;
    static constexpr int kMinExtent = 32;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Which side of the window the sizing edge is on (the side facing the view).
    UINT EdgeSide() const;  // HTRIGHT, HTLEFT, HTBOTTOM or HTTOP
    BOOL IsVertDocked() const;
    int TrackedExtent(CPoint ptScreen) const;
    void ApplyExtent(int extent);
    void PaintNonClient();

    CSize m_szHorz;
    CSize m_szVert;
    BOOL m_bHasGripper = FALSE;
    BOOL m_bTracking = FALSE;
    BOOL m_bDragFullWindows = TRUE;
    CPoint m_ptTrackStart;
    CPoint m_ptTrackLast;
    int m_nTrackStartExtent = 0;
    UINT m_uFramedEdge = 0;  // the edge side the non-client area was computed for
};
