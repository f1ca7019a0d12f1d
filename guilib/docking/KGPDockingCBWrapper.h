// A docking pane around any child window: the window fills the pane's client
// area, docks, floats and becomes a tab as the pane does. The pane keeps the
// window's title under a key of its own beside its own values. Tab windows
// wrap the plain windows they are given this way (through the tab-docking
// link), so that those may float out of their tabs.
#pragma once

#include "guilib/docking/KGPDockingControlBar.h"

class CKGPDockingCBWrapper : public CKGPDockingControlBar {
    DECLARE_DYNCREATE(CKGPDockingCBWrapper)
public:
    CKGPDockingCBWrapper() = default;
    ~CKGPDockingCBWrapper() override = default;

    // "BarName" (the title) under "<path>KGPDockingCBWrapper-<id>[<index>]",
    // then the pane's own values. A missing wrapper key loads nothing at all.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex) override;

    // The window moves into the wrapper; a control bar gives the wrapper its
    // docking edges and styles, a plain window the default edges. TRUE.
    virtual BOOL SetWrappedWnd(CWnd* pWnd);
    // The wrapped window while it is one.
    virtual CWnd* GetWrappedWnd() const;

    // A new wrapper (of the class given when it is a wrapper class) in the
    // window's place: its parent, id and rectangle, the label as its title;
    // the wrapper goes with its window. Null when it could not be made.
    static CKGPDockingCBWrapper* Wrap(CWnd* pWnd, LPCTSTR lpszLabel, CRuntimeClass* pWrapperClass = nullptr);

    // The object goes with its window (set for wrappers made with new by
    // those that hand them to a tab window).
    void SetAutoDelete(BOOL bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    // The rectangle a wrapper is made with when none is given, and the
    // docking edges it takes for a window that is no control bar.
    CRect m_rectDefault{30, 30, 180, 180};
    DWORD m_dwDefaultAlignment = CBRS_ALIGN_ANY;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
    void PostNcDestroy() override;

    CWnd* m_pWnd = nullptr;
    HWND m_hWrapped = nullptr;
    BOOL m_bAutoDelete = FALSE;
};
