// What a tab window asks of the docking layer above it: whether a tab's
// window is a bar or a docking pane, wrapping plain windows so that they may
// float, floating a tab out of the tabbed pane that owns the tab window, and
// bringing a stored pane back into it. The docking layer registers it
// (KGPRegisterDockingLinks); until then no tab's window counts as a bar and
// no tab floats.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class CKGPBaseTabWnd;

class IKGPTabDockingLink {
public:
    // A control bar of the docking layer, and among those a docking pane.
    virtual BOOL IsControlBar(const CWnd* pWnd) const = 0;
    virtual BOOL IsDockingPane(const CWnd* pWnd) const = 0;
    // The size a control bar lays itself out at.
    virtual CSize GetBarSize(CWnd* pBar) const = 0;
    // The bar may float (its own float flag).
    virtual BOOL CanFloat(CWnd* pBar) const = 0;
    // The bar shows its gripper (caption) again, or not.
    virtual void EnableGripper(CWnd* pBar, BOOL bEnable) = 0;
    // Puts a plain window in a new docking wrapper (same id and rectangle; of
    // the class given when it is a wrapper class, else the plain one) and
    // answers the wrapper; null when none could be made.
    virtual CWnd* CreateWrapper(CWnd* pWnd, LPCTSTR lpszLabel, CRuntimeClass* pWrapperClass) = 0;
    // The window inside a wrapper; the window itself when it is none.
    virtual CWnd* Unwrap(CWnd* pWnd) const = 0;
    // The tabbed pane that owns the tab window (its parent), null when none.
    virtual CWnd* GetOwningTabbedBar(const CKGPBaseTabWnd* pTabWnd) const = 0;
    // The owning tabbed pane may float itself.
    virtual BOOL CanTabbedBarFloat(const CKGPBaseTabWnd* pTabWnd) const = 0;
    // The owning tabbed pane floats the tab's pane (method 1 at the cursor,
    // entering the floating frame's drag; others at its recent place) and
    // settles what is left; FALSE when nothing floated.
    virtual BOOL FloatTab(CKGPBaseTabWnd* pTabWnd, CWnd* pBar, int iTab, int nMethod, BOOL bHide) = 0;
    // The active tab or its label changed: the owning tabbed pane follows.
    virtual void OnActiveTabChanged(CKGPBaseTabWnd* pTabWnd) = 0;
    // The pane with that id, found by the frame's dock manager and taken
    // from where it is into the owning tabbed pane; null when none.
    virtual CWnd* AttachStoredPane(CKGPBaseTabWnd* pTabWnd, UINT nID) = 0;

protected:
    ~IKGPTabDockingLink() = default;
};

namespace KGPTabDocking {

inline IKGPTabDockingLink* Link()
{
    return CKGPLink<IKGPTabDockingLink>::Get();
}

}  // namespace KGPTabDocking
