// What bars above the tab windows ask of one they hold: a tab window made
// as a child of the bar, tabs added, counted, shown and activated, and the
// area the tabs' windows fill. The tabs family registers this link
// (KGPRegisterTabsLinks); until then no tab window can be made and no window
// is one.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

#include <memory>

class IKGPTabWindowLink {
public:
    // A new tab window, a child of the parent with the id at the rectangle;
    // null when none could be made. The caller owns it.
    virtual std::unique_ptr<CWnd> CreateTabWindow(CWnd* pParent, const CRect& rect, UINT nID) = 0;
    virtual BOOL IsTabWindow(const CWnd* pWnd) const = 0;
    // Appends a tab for the window (label, image -1 for none, whether it may
    // be dragged off).
    virtual void AddTab(CWnd* pTabWnd, CWnd* pWnd, LPCTSTR lpszLabel, UINT uiImage, BOOL bDetachable) = 0;
    virtual int GetTabsNum(const CWnd* pTabWnd) const = 0;
    virtual BOOL SetActiveTab(CWnd* pTabWnd, int iTab) = 0;
    // FALSE for an index out of range.
    virtual BOOL ShowTab(CWnd* pTabWnd, int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate) = 0;
    // The area (client coordinates) the windows of the tabs fill.
    virtual void GetTabArea(const CWnd* pTabWnd, CRect& rect) const = 0;

protected:
    ~IKGPTabWindowLink() = default;
};

namespace KGPTabWindows {

inline IKGPTabWindowLink* Link() { return CKGPLink<IKGPTabWindowLink>::Get(); }

inline BOOL IsTabWindow(const CWnd* pWnd)
{
    const IKGPTabWindowLink* pLink = Link();
    return pWnd != nullptr && pLink != nullptr && pLink->IsTabWindow(pWnd);
}

} // namespace KGPTabWindows
