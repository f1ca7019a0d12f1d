// What a bar asks of the tab window that holds it as a tab, and of the
// tabbed bar that owns that tab window. The docking family's tabbed bars
// serve it (KGPRegisterDockingLinks); until it is registered no bar is tabbed
// and every helper below answers as for a bar that is not.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class CKGPBaseControlBar;
class CKGPStoredLoad;

class IKGPTabbedBarLink {
public:
    // TRUE when the window is a tab window.
    virtual BOOL IsTabWindow(const CWnd* pWnd) const = 0;
    // TRUE when the window is a tabbed pane with its tab window made (its
    // pages may be children of its own beside the tab window).
    virtual BOOL IsTabbedBar(const CWnd* pWnd) const = 0;
    // The tab window holding the bar (directly, or through a wrapper whose
    // window is then the tab's window, or through a tabbed bar), null when
    // none; hwndTab gets the window the tab shows.
    virtual CWnd* GetTabWindow(const CKGPBaseControlBar* pBar, HWND& hwndTab) const = 0;
    // The tabbed bar that owns the tab window, null when it stands alone.
    virtual CKGPBaseControlBar* GetTabbedBarOf(CWnd* pTabWnd) const = 0;
    // The tab of the window (-1 when none) and the tab window's counts.
    virtual int GetTabFromHwnd(CWnd* pTabWnd, HWND hWnd) const = 0;
    virtual int GetTabsNum(CWnd* pTabWnd) const = 0;
    virtual int GetVisibleTabsNum(CWnd* pTabWnd) const = 0;
    virtual BOOL IsTabVisible(CWnd* pTabWnd, int iTab) const = 0;
    virtual BOOL IsTabDetachable(CWnd* pTabWnd, int iTab) const = 0;
    virtual void ShowTab(CWnd* pTabWnd, int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate) = 0;
    virtual void SetTabHicon(CWnd* pTabWnd, int iTab, HICON hIcon) = 0;
    // The tabbed bar shows or hides the bar's tab.
    virtual void ShowBarTab(CKGPBaseControlBar* pTabbedBar, CKGPBaseControlBar* pBar, BOOL bShow) = 0;
    // The tab of the tabbed bar with that control id, null when none.
    virtual CKGPBaseControlBar* FindBarByID(CKGPBaseControlBar* pTabbedBar, UINT nID) const = 0;
    // The bar leaves its tab window as a floating bar (FALSE when it may not).
    virtual BOOL DetachBar(CKGPBaseControlBar* pBar) = 0;
    // The bar's tabbed bar removes the bar's tab (the bar is going).
    virtual void RemoveBarTab(CKGPBaseControlBar* pBar) = 0;
    // Appends every tab of a tabbed bar to the list.
    virtual void AppendTabs(CKGPBaseControlBar* pTabbedBar, CObList& list) const = 0;

    // ---- Docking panes grouped as tabs.
    // A new tabbed pane (an outlook bar when asked) at the pane's place: same
    // parent, rectangle, docked and floating places; null when none is made.
    virtual CKGPBaseControlBar* CreateTabbedBar(CKGPBaseControlBar* pPlaceOf, BOOL bOutlook) = 0;
    // The bar becomes a tab of the tabbed pane (FALSE when it may not).
    virtual BOOL AddTab(CKGPBaseControlBar* pTabbedBar, CKGPBaseControlBar* pBar, BOOL bVisible, BOOL bSetActive,
                        BOOL bDetachable) = 0;
    // The tabbed pane lays its tabs out again; makes the bar its active tab.
    virtual void RecalcTabs(CKGPBaseControlBar* pTabbedBar) = 0;
    virtual void SetActiveTab(CKGPBaseControlBar* pTabbedBar, CKGPBaseControlBar* pBar) = 0;

    // ---- Tabbed panes in a stored split tree.
    // The class a stored tabbed pane must be of (records of others are refused).
    virtual const CRuntimeClass* GetTabbedBarClass() const = 0;
    // The tabs' state after the pane's record; reading checks it and queues
    // its changes in the load (damage throws).
    virtual void WriteTabState(CKGPBaseControlBar* pTabbedBar, CArchive& ar) = 0;
    virtual void ReadTabState(CKGPBaseControlBar* pTabbedBar, CArchive& ar, CKGPStoredLoad& load) = 0;
    // Makes the window of a tabbed pane read from a stored tree (the window
    // owns the object from then on); FALSE when it cannot be made.
    virtual BOOL CreateStoredTabbedBar(CKGPBaseControlBar* pTabbedBar, CWnd* pParent, DWORD dwStyle) = 0;

protected:
    ~IKGPTabbedBarLink() = default;
};

namespace KGPTabbedBars {

inline IKGPTabbedBarLink* Link()
{
    return CKGPLink<IKGPTabbedBarLink>::Get();
}

inline BOOL IsTabWindow(const CWnd* pWnd)
{
    return pWnd != nullptr && Link() != nullptr && Link()->IsTabWindow(pWnd);
}

// A tabbed pane: its tabs stand in a tab window of its own.
inline BOOL IsTabbedBar(const CWnd* pBar)
{
    return pBar != nullptr && pBar->GetSafeHwnd() != nullptr && Link() != nullptr && Link()->IsTabbedBar(pBar);
}

} // namespace KGPTabbedBars
