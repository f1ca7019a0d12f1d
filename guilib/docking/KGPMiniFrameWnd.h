// The floating window that carries a control bar while it is not docked: a
// pop-up owned by the frame whose dock manager lists it, with a border and a
// caption drawn by the visual manager. It hosts one bar, sizes itself to it,
// moves by its caption and gives the bar back to its recent docked place on a
// double click. Every floating bar is listed by control id library-wide.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "guilib/docking/KGPBaseControlBar.h"

class CKGPControlBar;
class CKGPDockManager;

class CKGPMiniFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CKGPMiniFrameWnd)
public:
    CKGPMiniFrameWnd();
    ~CKGPMiniFrameWnd() override;

    // ---- Creation: a pop-up owned by pParentWnd (a frame with a dock manager).
    virtual BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- The hosted bar.
    virtual void AddControlBar(CKGPBaseControlBar* pBar);
    // The bar leaves; an empty frame is destroyed now (bDestroyIfEmpty) or on
    // its next check, or only hidden when bKeepWhenEmpty.
    virtual void RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroyIfEmpty = FALSE,
                                  BOOL bKeepWhenEmpty = FALSE);
    virtual void ReplaceControlBar(CKGPBaseControlBar* pBarOrg, CKGPBaseControlBar* pBarReplaceWith);
    // Multi-pane frames keep a list of their own; this frame holds one bar.
    virtual BOOL InsertControlBar(CKGPBaseControlBar* /*pBar*/, CKGPBaseControlBar* /*pBarToInsertAt*/,
                                  BOOL /*bAfter*/)
    {
        return FALSE;
    }
    virtual int GetControlBarCount() const;
    virtual int GetVisibleBarCount() const;
    virtual CWnd* GetControlBar() const;
    virtual CWnd* GetFirstVisibleBar() const;
    virtual int GetDockingMode() const;
    virtual CString GetCaptionText();
    virtual CKGPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility);
    // The hosted bar is a docking pane.
    virtual BOOL GetHostedBarKindFlag() const;
    // TRUE for frames that hold several panes in a split tree.
    virtual BOOL IsMultiPaneFrame() const { return FALSE; }

    // ---- Geometry.
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }
    virtual void RecalcCaptionHeight();
    virtual void CalcBorderSize(CRect& rectBorderSize) const;
    // Window coordinates: inside the left, top and right borders, one caption high.
    virtual void GetCaptionRect(CRect& rectCaption) const;
    // The window sized to the bar's fixed layout plus borders and caption.
    virtual void SizeToContent();
    // The bar laid over the client area.
    virtual void AdjustLayout();
    virtual void RecalcLayout();

    // ---- Docking the bar back.
    // Back to the bar's recent docked place (dock method 2).
    virtual void DockOnDoubleClick();
    // The window rectangle becomes the bar's recent floating rectangle, the
    // cursor its drag offset.
    virtual void SaveRecentFloatingState();
    virtual BOOL CanClose();
    // Hides the frame, then its bar.
    virtual void CloseMiniFrame();

    // ---- Moving by the caption (the frame holds the capture while moving).
    // pWndToDestroy is destroyed when the drag ends (a bar's own drag handed over).
    virtual void EnterDragMode(HWND hWndToDestroyOnRelease = nullptr);
    virtual void OnCapture(BOOL bOnOff);
    BOOL IsMoving() const { return m_bCaptured; }

    // The pin state a bar carries while docked; a pinned frame does not roll up.
    int GetPinState() const { return m_bPinned; }
    void SetPinState(int nState) { m_bPinned = nState != 0; }
    // Where the cursor holds the frame while it is dragged (window coordinates).
    void SetDragOffset(CPoint point) { m_ptDragOffset = point; }

    void SetDockManager(CKGPDockManager* pManager) { m_pDockManager = pManager; }
    // The dock manager given, else that of the frame owning this one.
    CKGPDockManager* GetDockManager() const;
    CWnd* GetParentFrameWnd() const { return CWnd::FromHandle(m_hParentWnd); }

    // ---- Every bar floating in any frame, by control id.
    static void AddRemoveBarFromGlobalMap(CKGPBaseControlBar* pBar, BOOL bAdd);
    static CKGPBaseControlBar* FindFloatingBarByID(UINT nID);
    static void GetFloatingBars(CObList& list, CRuntimeClass* pRTCBarType = nullptr);
    // Redraws every live floating frame (the look changed).
    static void RedrawAll();

    // Written by the bar that creates the frame; Esc during a drag puts it back.
    CRect m_rectRecentFloatingRect{0, 0, 100, 100};
    static int m_nCaptionButtonSpacing;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnCheckEmptyState(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CKGPBaseControlBar* HostedBar() const;
    // Ends a move: capture released, the moving state left.
    void EndMove();

    BOOL m_bActive = FALSE;
    int m_nCaptionHeight = 0;
    HWND m_hEmbeddedBar = nullptr;
    BOOL m_bCaptured = FALSE;
    BOOL m_bMoved = FALSE;
    CPoint m_ptHot{-1, -1};
    CPoint m_ptDragOffset{0, 0};
    BOOL m_bPinned = FALSE;
    int m_nMinTrackX = 0;
    int m_nMinTrackY = 0;
    BOOL m_bKeepWhenEmpty = FALSE;
    HWND m_hParentWnd = nullptr;
    HWND m_hWndToDestroyOnRelease = nullptr;
    BOOL m_bHostsToolbar = TRUE;
    CKGPDockManager* m_pDockManager = nullptr;

    static CList<HWND, HWND> s_lstFrames;
    static CMap<UINT, UINT, HWND, HWND> s_mapFloatingBars;
};
