#include "guilib/docking/KGPTabbedBarLinks.h"

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingCBWrapper.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPOutlookBarLink.h"
#include "guilib/docking/KGPTabbedBarLink.h"
#include "guilib/docking/KGPTabbedControlBar.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "guilib/tabs/KGPTabDockingLink.h"

namespace {

CKGPBaseTabWnd* TabWndOf(CWnd* pWnd)
{
    return DYNAMIC_DOWNCAST(CKGPBaseTabWnd, pWnd);
}

CKGPBaseTabbedBar* TabbedOf(CWnd* pWnd)
{
    return DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pWnd);
}

CKGPBaseTabbedBar* OwnerOf(const CKGPBaseTabWnd* pTabWnd)
{
    return pTabWnd != nullptr && pTabWnd->GetSafeHwnd() != nullptr ? TabbedOf(pTabWnd->GetParent()) : nullptr;
}

// What bars ask of the tab window holding them and of its tabbed pane.
class CTabbedBarLink final : public IKGPTabbedBarLink {
public:
    BOOL IsTabWindow(const CWnd* pWnd) const override
    {
        return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKGPBaseTabWnd));
    }
    BOOL IsTabbedBar(const CWnd* pWnd) const override
    {
        const CKGPBaseTabbedBar* pTabbed = TabbedOf(const_cast<CWnd*>(pWnd));
        return pTabbed != nullptr && pTabbed->GetTabWnd() != nullptr && pTabbed->GetTabWnd()->GetSafeHwnd() != nullptr;
    }
    CWnd* GetTabWindow(const CKGPBaseControlBar* pBar, HWND& hwndTab) const override
    {
        hwndTab = nullptr;
        CWnd* pParent = pBar != nullptr && pBar->GetSafeHwnd() != nullptr ? pBar->GetParent() : nullptr;
        if (!IsTabWindow(pParent))
            return nullptr;
        hwndTab = pBar->GetSafeHwnd();
        return pParent;
    }
    CKGPBaseControlBar* GetTabbedBarOf(CWnd* pTabWnd) const override
    {
        return OwnerOf(TabWndOf(pTabWnd));
    }
    int GetTabFromHwnd(CWnd* pTabWnd, HWND hWnd) const override
    {
        CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr ? pTabs->GetTabFromHwnd(hWnd) : -1;
    }
    int GetTabsNum(CWnd* pTabWnd) const override
    {
        CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr ? pTabs->GetTabsNum() : 0;
    }
    int GetVisibleTabsNum(CWnd* pTabWnd) const override
    {
        CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr ? pTabs->GetVisibleTabsNum() : 0;
    }
    BOOL IsTabVisible(CWnd* pTabWnd, int iTab) const override
    {
        CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr && pTabs->IsTabVisible(iTab);
    }
    BOOL IsTabDetachable(CWnd* pTabWnd, int iTab) const override
    {
        CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd);
        return pTabs != nullptr && pTabs->IsTabDetachable(iTab);
    }
    void ShowTab(CWnd* pTabWnd, int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate) override
    {
        if (CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd))
            pTabs->ShowTab(iTab, bShow, bRecalcLayout, bActivate);
    }
    void SetTabHicon(CWnd* pTabWnd, int iTab, HICON hIcon) override
    {
        if (CKGPBaseTabWnd* pTabs = TabWndOf(pTabWnd))
            pTabs->SetTabHicon(iTab, hIcon);
    }
    void ShowBarTab(CKGPBaseControlBar* pTabbedBar, CKGPBaseControlBar* pBar, BOOL bShow) override
    {
        if (CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar))
            pTabbed->ShowTab(pBar, bShow, FALSE, FALSE);
    }
    CKGPBaseControlBar* FindBarByID(CKGPBaseControlBar* pTabbedBar, UINT nID) const override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar);
        return pTabbed != nullptr ? DYNAMIC_DOWNCAST(CKGPBaseControlBar, pTabbed->FindBarByID(nID)) : nullptr;
    }
    BOOL DetachBar(CKGPBaseControlBar* pBar) override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pBar != nullptr ? pBar->GetParentTabbedBar() : nullptr);
        return pTabbed != nullptr && pTabbed->DetachBar(pBar);
    }
    void RemoveBarTab(CKGPBaseControlBar* pBar) override
    {
        // The bar is going: its tab goes with it, the layout follows while
        // the tabbed pane itself stays.
        HWND hwndTab = nullptr;
        CKGPBaseTabWnd* pTabs = TabWndOf(GetTabWindow(pBar, hwndTab));
        if (pTabs == nullptr)
            return;
        const int iTab = pTabs->GetTabFromHwnd(hwndTab);
        if (iTab >= 0) {
            CKGPBaseTabbedBar* pOwner = OwnerOf(pTabs);
            const BOOL bOwnerStays = pOwner != nullptr && !pOwner->IsDestroying();
            pTabs->RemoveTab(iTab, bOwnerStays && pTabs->GetTabsNum() > 1);
        }
    }
    void AppendTabs(CKGPBaseControlBar* pTabbedBar, CObList& list) const override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar);
        CKGPBaseTabWnd* pTabs = pTabbed != nullptr ? pTabbed->GetTabWnd() : nullptr;
        if (pTabs == nullptr)
            return;
        for (int i = 0; i < pTabs->GetTabsNum(); ++i) {
            if (CWnd* pWnd = pTabs->GetTabWnd(i))
                list.AddTail(pWnd);
        }
    }

    CKGPBaseControlBar* CreateTabbedBar(CKGPBaseControlBar* pPlaceOf, BOOL bOutlook) override
    {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pPlaceOf);
        if (pPane == nullptr || pPane->GetSafeHwnd() == nullptr || pPane->GetParent() == nullptr)
            return nullptr;
        if (bOutlook) {
            // Outlook bars live with the panes; without them none is made.
            IKGPOutlookBarLink* pOutlook = CKGPLink<IKGPOutlookBarLink>::Get();
            return pOutlook != nullptr ? pOutlook->CreateOutlookBar(pPane) : nullptr;
        }
        CRect rect;
        pPane->GetWindowRect(rect);
        pPane->GetParent()->ScreenToClient(rect);
        auto pTabbed = std::make_unique<CKGPTabbedControlBar>(TRUE);
        pTabbed->SetDockSite(pPane->GetDockSiteFrame());
        const DWORD style = WS_CHILD | WS_VISIBLE | (pPane->GetStyle() & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) |
                            (pPane->GetBarStyleWord() & CBRS_ALIGN_ANY);
        if (!pTabbed->Create(_T(""), pPane->GetParent(), rect, TRUE, static_cast<UINT>(-1), style, 0,
                             pPane->GetLibraryBarStyle()))
            return nullptr; // its window was never made: the object is still ours
        pTabbed->CopyPaneState(pPane);
        return pTabbed.release(); // the window owns it now
    }
    BOOL AddTab(CKGPBaseControlBar* pTabbedBar, CKGPBaseControlBar* pBar, BOOL bVisible, BOOL bSetActive,
                BOOL bDetachable) override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar);
        return pTabbed != nullptr && pTabbed->AddTab(pBar, bVisible, bSetActive, bDetachable);
    }
    void RecalcTabs(CKGPBaseControlBar* pTabbedBar) override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar);
        if (pTabbed != nullptr && pTabbed->GetTabWnd() != nullptr)
            pTabbed->GetTabWnd()->RecalcLayout();
    }
    void SetActiveTab(CKGPBaseControlBar* pTabbedBar, CKGPBaseControlBar* pBar) override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar);
        CKGPBaseTabWnd* pTabs = pTabbed != nullptr ? pTabbed->GetTabWnd() : nullptr;
        if (pTabs != nullptr && pBar != nullptr) {
            const int iTab = pTabs->GetTabFromHwnd(pBar->GetSafeHwnd());
            if (iTab >= 0)
                pTabs->SetActiveTab(iTab);
        }
    }

    const CRuntimeClass* GetTabbedBarClass() const override { return RUNTIME_CLASS(CKGPTabbedControlBar); }
    void WriteTabState(CKGPBaseControlBar* pTabbedBar, CArchive& ar) override
    {
        if (CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar))
            pTabbed->SerializeTabWindow(ar);
    }
    void ReadTabState(CKGPBaseControlBar* pTabbedBar, CArchive& ar, CKGPStoredLoad& load) override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar);
        if (pTabbed == nullptr)
            CKGPStoredReader::Refuse(CArchiveException::badClass);
        pTabbed->ReadTabWindowState(ar, load);
    }
    BOOL CreateStoredTabbedBar(CKGPBaseControlBar* pTabbedBar, CWnd* pParent, DWORD dwStyle) override
    {
        CKGPBaseTabbedBar* pTabbed = TabbedOf(pTabbedBar);
        if (pTabbed == nullptr || pParent == nullptr)
            return FALSE;
        // The floating place read with the record stays (a window made takes
        // its first rectangle as one).
        const CRect floating = pTabbed->m_recentDockInfo.m_rectRecentFloatingRect;
        if (!pTabbed->Create(_T(""), pParent, CRect(0, 0, 100, 100), TRUE, static_cast<UINT>(-1),
                             (dwStyle & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD, 0))
            return FALSE;
        pTabbed->m_recentDockInfo.m_rectRecentFloatingRect = floating;
        pTabbed->SetAutoDestroy(TRUE);
        return TRUE;
    }
};

CTabbedBarLink& TabbedBarLink()
{
    static CTabbedBarLink link;
    return link;
}

// What tab windows ask of the docking layer.
class CTabDockingLink final : public IKGPTabDockingLink {
public:
    BOOL IsControlBar(const CWnd* pWnd) const override
    {
        return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKGPBaseControlBar));
    }
    BOOL IsDockingPane(const CWnd* pWnd) const override
    {
        return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKGPDockingControlBar));
    }
    CSize GetBarSize(CWnd* pBar) const override
    {
        auto* pControlBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pBar);
        return pControlBar != nullptr ? pControlBar->CalcFixedLayout(FALSE, TRUE) : CSize(0, 0);
    }
    BOOL CanFloat(CWnd* pBar) const override
    {
        auto* pControlBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pBar);
        return pControlBar != nullptr && pControlBar->CanFloat();
    }
    void EnableGripper(CWnd* pBar, BOOL bEnable) override
    {
        if (auto* pControlBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, pBar))
            pControlBar->EnableGripper(bEnable);
    }
    CWnd* CreateWrapper(CWnd* pWnd, LPCTSTR lpszLabel, CRuntimeClass* pWrapperClass) override
    {
        return CKGPDockingCBWrapper::Wrap(pWnd, lpszLabel, pWrapperClass);
    }
    CWnd* Unwrap(CWnd* pWnd) const override
    {
        auto* pWrapper = DYNAMIC_DOWNCAST(CKGPDockingCBWrapper, pWnd);
        CWnd* pWrapped = pWrapper != nullptr ? pWrapper->GetWrappedWnd() : nullptr;
        return pWrapped != nullptr ? pWrapped : pWnd;
    }
    CWnd* GetOwningTabbedBar(const CKGPBaseTabWnd* pTabWnd) const override { return OwnerOf(pTabWnd); }
    BOOL CanTabbedBarFloat(const CKGPBaseTabWnd* pTabWnd) const override
    {
        CKGPBaseTabbedBar* pOwner = OwnerOf(pTabWnd);
        return pOwner != nullptr && pOwner->CanFloat();
    }
    BOOL FloatTab(CKGPBaseTabWnd* pTabWnd, CWnd* pBar, int iTab, int nMethod, BOOL bHide) override
    {
        CKGPBaseTabbedBar* pOwner = OwnerOf(pTabWnd);
        if (pOwner == nullptr || !pOwner->FloatTab(pBar, iTab, static_cast<KGPDockMethod>(nMethod), bHide))
            return FALSE;
        SettleAfterFloat(pOwner, pTabWnd);
        return TRUE;
    }
    void OnActiveTabChanged(CKGPBaseTabWnd* pTabWnd) override
    {
        if (CKGPBaseTabbedBar* pOwner = OwnerOf(pTabWnd))
            pOwner->OnActiveTabChanged();
    }
    CWnd* AttachStoredPane(CKGPBaseTabWnd* pTabWnd, UINT nID) override
    {
        CKGPBaseTabbedBar* pOwner = OwnerOf(pTabWnd);
        CKGPDockManager* pManager = pOwner != nullptr ? pOwner->GetDockManager() : nullptr;
        auto* pPane = pManager != nullptr ? DYNAMIC_DOWNCAST(CKGPDockingControlBar, pManager->FindBarById(nID, TRUE))
                                          : nullptr;
        if (pPane == nullptr || pPane == pOwner)
            return nullptr;
        return pOwner->AddTab(pPane, TRUE, FALSE, TRUE) ? pPane : nullptr;
    }

private:
    // A tabbed pane left empty goes; one left with a single tab that it would
    // not show gives its place to that pane.
    static void SettleAfterFloat(CKGPBaseTabbedBar* pOwner, CKGPBaseTabWnd* pTabWnd)
    {
        if (pTabWnd->GetTabsNum() == 0) {
            pOwner->UndockFromHost();
            pOwner->DestroyWindow();
            return;
        }
        if (pTabWnd->GetTabsNum() != 1 || !pTabWnd->IsHideSingleTab())
            return;
        auto* pLast = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pTabWnd->GetTabWnd(0));
        CWnd* pHost = pOwner->GetParent();
        if (pLast == nullptr || pHost == nullptr)
            return;
        CRect rect;
        pOwner->GetWindowRect(rect);
        pHost->ScreenToClient(rect);
        pTabWnd->RemoveAllTabs();
        pLast->SetParent(pHost);
        pLast->EnableGripper(TRUE);
        pLast->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        if (pOwner->ReplaceWith(pLast, TRUE))
            pOwner->DestroyWindow();
        pLast->AdjustDockingLayout();
    }
};

CTabDockingLink& TabDockingLink()
{
    static CTabDockingLink link;
    return link;
}

}  // namespace

void KGPRegisterDockingLinks()
{
    KGPRegisterLink<IKGPTabbedBarLink>(TabbedBarLink());
    KGPRegisterLink<IKGPTabDockingLink>(TabDockingLink());
}
