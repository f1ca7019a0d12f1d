// A desktop application bar: a top-level window that docks to one edge of the
// screen through the shell's application-bar protocol (reserving that strip of
// the desktop), may hide itself along its edge and slide back in, may stay on
// top, or floats as an ordinary window. Its caption is dragged to dock it to
// another edge or float it; it draws its own caption and border through the
// visual manager and keeps its side, extents and floating place in the
// registry. The shell's calls go through IKGPAppBarShell, so a test (or a
// desktop without a shell) can stand in for it.
#pragma once

#include <afxwin.h>
#include <shellapi.h>

class IKGPAppBarShell {
public:
    // One application-bar message; the data's size and window are set.
    virtual UINT_PTR AppBarMessage(DWORD dwMessage, APPBARDATA& data) = 0;

protected:
    ~IKGPAppBarShell() = default;
};

// The shell itself.
IKGPAppBarShell& KGPSystemAppBarShell();

class CKGPAppBarWnd : public CWnd {
    DECLARE_DYNAMIC(CKGPAppBarWnd)
public:
    CKGPAppBarWnd();
    ~CKGPAppBarWnd() override;

    // ---- Own virtual operations.
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1);
    virtual void GetBorders(RECT& rect) const;
    virtual void GetCaptionRect(RECT& rect) const;
    virtual void GetCaptionText(CString& strCaption) const;
    virtual void OnDrawBorder(CDC* pDC);
    virtual void OnDrawCaption(CDC* pDC);
    virtual UINT HitTest(CPoint point, BOOL bDetectCaption);
    virtual void GetScreenRect(RECT& rect) const;
    virtual void OnAppBarPosChanged();
    virtual void OnAppBarFullScreenApp(BOOL bOpening);
    virtual void OnAppBarWindowArrange(BOOL /*bBeginning*/) {}
    virtual void OnAppBarStateChange(BOOL bAutoHide, BOOL bAlwaysOnTop);

    // ---- Operations.
    BOOL DockAppBar(int nSide);
    BOOL Float();
    BOOL SetAutoHide(BOOL bAutoHide);
    BOOL SetAlwaysOnTop(BOOL bAlwaysOnTop);
    // The shell that answers (null: the system's); set before the bar docks.
    void SetShell(IKGPAppBarShell* pShell) { m_pShell = pShell != nullptr ? pShell : &KGPSystemAppBarShell(); }

    int GetSide() const { return m_uSide; }
    BOOL IsAppRegistered() const { return m_bAppRegistered; }
    BOOL IsAutoHideActive() const { return m_bAutoHideActive; }
    BOOL IsHidden() const { return m_bHidden; }
    BOOL IsDocked() const { return m_bDocked; }
    BOOL IsAutoHide() const { return m_bAutoHide; }
    BOOL IsAlwaysOnTop() const { return m_bAlwaysOnTop; }
    int GetDockedExtent(int nSide) const { return nSide >= 0 && nSide < 4 ? m_arDockedDims[nSide] : 0; }
    CRect GetFloatRect() const { return m_rectFloat; }
    CRect GetDockedRect() const { return m_rectDocked; }
    DWORD GetFlags() const { return m_dwFlags; }
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    void SetFloatRect(const CRect& rect) { m_rectFloat = rect; }
    void SetOwnerForCaption(HWND hwnd) { m_hwndOwnerForCaption = hwnd; }

    // The slide and check timers.
    static constexpr UINT_PTR kTimerCheck = 1;
    static constexpr UINT_PTR kTimerSlideIn = 2;
    static constexpr UINT kCheckPeriodMs = 500;
    static constexpr DWORD kSlideDurationMs = 200;

protected:
    // ---- Shell calls.
    BOOL AppBarRegister();
    BOOL AppBarUnregister();
    void AppBarQueryPos(int nSide, CRect& rect);
    void AppBarSetPos(int nSide, CRect& rect);
    HWND AppBarGetAutoHideBar(int nSide);
    BOOL AppBarSetAutoHideBar(int nSide, BOOL bSet);
    UINT AppBarGetState();
    void AppBarActivate();
    void AppBarWindowPosChanged();

    // ---- Steps.
    // The docked rectangle of a side: proposed, asked of the shell, own extent back.
    void QueryDockedRect(int nSide, CRect& rect);
    void SetSide(int nSide, CRect rect, BOOL bMove, BOOL bSkipSetPos);
    void DockFromExtents(int nSide, BOOL bSkipSetPos);
    void KeepDockedSize();
    BOOL SwitchAutoHide(BOOL bOn, BOOL bMove, BOOL bSkipSetPos);
    void SlideOut();
    void SlideIn();
    void SlideTo(const CRect& rectTarget);
    CRect WorkAreaAt(CPoint point) const;

    afx_msg void OnDestroy();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnEnterSizeMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAppBarCallback(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bAutoHide = FALSE;
    BOOL m_bAlwaysOnTop = FALSE;
    int m_uSide = 1;
    int m_arDockedDims[4] = {80, 60, 80, 60};
    CRect m_rectFloat;
    BOOL m_bDisableAnimation = FALSE;
    int m_nCaptionHeight;
    HWND m_hwndOwnerForCaption = nullptr;
    DWORD m_dwFlags = 0x37;
    BOOL m_bAppRegistered = FALSE;
    BOOL m_bAutoHideActive = FALSE;
    BOOL m_bHidden = FALSE;
    BOOL m_bDocked = FALSE;
    BOOL m_bDragging = FALSE;
    CRect m_rectDrag;
    CPoint m_ptDragStart;
    int m_uSideDragStart = 1;
    BOOL m_bInSizeMove = FALSE;
    CRect m_rectDocked;
    BOOL m_bPositionLocked = FALSE;
    BOOL m_bInSetPos = FALSE;
    IKGPAppBarShell* m_pShell;
    // The window above the bar when a full-screen application opened.
    static HWND s_hwndZOrderBeforeFullScreen;
};
