#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/tabs/KGPTabNotifications.h"

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPTabbedBarLinks.h"
#include "guilib/docking/KGPTabbedDocumentLink.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "guilib/tabs/KGPTabWindowLinks.h"
#include "guilib/tabs/KGPTabWnd.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CKGPBaseTabbedBar, CKGPDockingControlBar)

BOOL CKGPBaseTabbedBar::m_bTabsAlwaysSizedByActive = FALSE;

BEGIN_MESSAGE_MAP(CKGPBaseTabbedBar, CKGPDockingControlBar)
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_REGISTERED_MESSAGE(KGM_ONCHANGE_ACTIVE_TAB, &CKGPBaseTabbedBar::OnChangeActiveTab)
END_MESSAGE_MAP()

CKGPBaseTabbedBar::CKGPBaseTabbedBar(BOOL bAutoDestroy) : m_bAutoDestroy(bAutoDestroy)
{
    m_dwEnabledAlign = CBRS_ALIGN_ANY;
    KGPRegisterTabsLinks();
    KGPRegisterDockingLinks();
}

CKGPBaseTabbedBar::~CKGPBaseTabbedBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow(); // while its tab window is still there
}

CWnd* CKGPBaseTabbedBar::GetUnderlyingWindow() const
{
    return m_pTabWnd.get();
}

// ---- Stored form.

void CKGPBaseTabbedBar::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        CKGPDockingControlBar::Serialize(ar);
        ar << static_cast<int>(m_bAutoDestroy);
        return;
    }
    CKGPStoredLoad load;
    ReadArchive(ar, load);
    load.Commit();
}

void CKGPBaseTabbedBar::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    CKGPDockingControlBar::ReadArchive(ar, load);
    // Checked and dropped: whether the object deletes itself is its maker's.
    CKGPStoredReader(ar).ReadInt(0, 1);
}

void CKGPBaseTabbedBar::SerializeTabWindow(CArchive& ar)
{
    if (m_pTabWnd == nullptr)
        return;
    if (ar.IsStoring()) {
        m_pTabWnd->Serialize(ar);
        return;
    }
    CKGPStoredLoad load;
    ReadTabWindowState(ar, load);
    load.Commit();
}

void CKGPBaseTabbedBar::ReadTabWindowState(CArchive& ar, CKGPStoredLoad& load)
{
    if (m_pTabWnd == nullptr)
        CKGPStoredReader::Refuse(CArchiveException::badClass);
    m_pTabWnd->ReadTabs(ar, load);
}

void CKGPBaseTabbedBar::SaveSiblingBarIDs(CArchive& ar)
{
    if (!ar.IsStoring() || m_pTabWnd == nullptr)
        return;
    const int count = m_pTabWnd->GetTabsNum();
    ar.WriteCount(static_cast<DWORD_PTR>(count));
    for (int i = 0; i < count; ++i) {
        CWnd* pWnd = m_pTabWnd->GetTabWnd(i);
        ar << (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr ? pWnd->GetDlgCtrlID() : 0);
    }
}

void CKGPBaseTabbedBar::ApplyRestoredTabInfo(BOOL bUseTabIndexes)
{
    if (m_pTabWnd != nullptr)
        m_pTabWnd->ApplyRestoredTabInfo(bUseTabIndexes);
}

BOOL CKGPBaseTabbedBar::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    if (!CKGPDockingControlBar::SaveState(lpszProfileName, nID, nIndex))
        return FALSE;
    if (m_pTabWnd == nullptr)
        return TRUE;
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_pTabWnd->GetTabWnd(i));
        if (pBar != nullptr && !pBar->SaveState(lpszProfileName, nID, nIndex))
            return FALSE;
    }
    return TRUE;
}

BOOL CKGPBaseTabbedBar::LoadState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPStoredLoad load;
    ReadStateWithTabs(load, lpszProfileName, nID, nIndex);
    return load.Commit();
}

BOOL CKGPBaseTabbedBar::ReadStateWithTabs(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex)
{
    load.OnCommit([this] {
        m_arDefaultTabsOrder.RemoveAll();
        if (m_pTabWnd == nullptr)
            return;
        for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
            if (const CKGPTabInfo* pTab = m_pTabWnd->GetTabInfo(i))
                m_arDefaultTabsOrder.Add(static_cast<DWORD>(pTab->m_iTabID));
        }
    });
    const BOOL found = ReadState(load, lpszProfileName, nID, nIndex);
    if (m_pTabWnd != nullptr) {
        for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
            if (auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_pTabWnd->GetTabWnd(i)))
                pBar->ReadState(load, lpszProfileName, nID, nIndex);
        }
    }
    return found;
}

// ---- Tabs.

BOOL CKGPBaseTabbedBar::AddTab(CWnd* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable)
{
    if (m_pTabWnd == nullptr || pNewBar == nullptr || pNewBar->GetSafeHwnd() == nullptr || pNewBar == this)
        return FALSE;
    if (auto* pOther = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pNewBar)) {
        // Its panes move here one by one, in order; the emptied bar goes.
        CKGPBaseTabWnd* pOtherTabs = pOther->GetTabWnd();
        if (pOtherTabs != nullptr) {
            const int count = pOtherTabs->GetTabsNum();
            for (int i = 0; i < count; ++i) {
                CWnd* pPane = pOtherTabs->GetTabWnd(i);
                if (pPane == nullptr)
                    continue;
                const BOOL bPaneVisible = pOtherTabs->IsTabVisible(i);
                const BOOL bPaneDetachable = pOtherTabs->IsTabDetachable(i);
                if (auto* pDocking = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pPane)) {
                    pDocking->EnableGripper(FALSE);
                    // The pane's recent place for this bar's state is the bar it came from.
                    pDocking->m_recentDockInfo.SetInfo(!IsFloating(), pOther->m_recentDockInfo);
                }
                AddTab(pPane, bPaneVisible, bPaneVisible, bPaneDetachable);
            }
            pOtherTabs->RemoveAllTabs();
        }
        pOther->RemoveFromHost(FALSE);
        pOther->DestroyWindow();
        return FALSE;
    }

    auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, pNewBar);
    if (pBar != nullptr && pBar->GetParent() != m_pTabWnd.get())
        pBar->RemoveFromHost(TRUE);
    pNewBar->SetParent(m_pTabWnd.get());
    if (auto* pDocking = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pNewBar))
        pDocking->EnableGripper(FALSE);
    CString label;
    pNewBar->GetWindowText(label);
    m_pTabWnd->AddTab(pNewBar, label, static_cast<UINT>(-1), bDetachable);
    const int iTab = m_pTabWnd->GetTabsNum() - 1;
    if (HICON icon = reinterpret_cast<HICON>(pNewBar->SendMessage(WM_GETICON, ICON_SMALL)))
        m_pTabWnd->SetTabHicon(iTab, icon);
    m_pTabWnd->EnableTabDetach(iTab, bDetachable);
    if (!bVisible)
        m_pTabWnd->ShowTab(iTab, FALSE, TRUE, FALSE);
    else if (bSetActive)
        m_pTabWnd->SetActiveTab(iTab);
    return TRUE;
}

BOOL CKGPBaseTabbedBar::RemoveControlBar(CWnd* pBar)
{
    if (m_pTabWnd == nullptr || pBar == nullptr)
        return FALSE;
    const int iTab = m_pTabWnd->GetTabFromHwnd(pBar->GetSafeHwnd());
    if (iTab < 0)
        return FALSE;
    m_pTabWnd->RemoveTab(iTab, TRUE);
    if (m_pTabWnd->GetTabsNum() > 0)
        return TRUE;
    // An empty tabbed pane goes.
    UndockFromHost();
    DestroyWindow();
    return FALSE;
}

BOOL CKGPBaseTabbedBar::DetachBar(CWnd* pBar, BOOL bHide)
{
    if (m_pTabWnd == nullptr || pBar == nullptr)
        return FALSE;
    const int iTab = m_pTabWnd->GetTabFromHwnd(pBar->GetSafeHwnd());
    if (iTab < 0)
        return FALSE;
    return m_pTabWnd->DetachTab(KGP_TAB_DETACH_BY_DBLCLK, iTab, bHide);
}

BOOL CKGPBaseTabbedBar::FloatTab(CWnd* pBar, int nTabID, KGPDockMethod method, BOOL bHide)
{
    if (m_pTabWnd == nullptr || pBar == nullptr)
        return FALSE;
    CString text;
    pBar->GetWindowText(text);
    if (text.IsEmpty()) {
        m_pTabWnd->GetTabLabel(nTabID, text);
        pBar->SetWindowText(text);
    }
    m_pTabWnd->RemoveTab(nTabID, TRUE);
    if (method == KGP_DM_MOUSE)
        m_pTabWnd->SendMessage(WM_LBUTTONUP);
    auto* pControlBar = DYNAMIC_DOWNCAST(CKGPControlBar, pBar);
    if (pControlBar == nullptr)
        return FALSE;
    if (method == KGP_DM_DBLCLICK && BackToRecentPlace(DYNAMIC_DOWNCAST(CKGPDockingControlBar, pBar)))
        return TRUE;
    CRect rect = pControlBar->m_recentDockInfo.m_rectRecentFloatingRect;
    if (method == KGP_DM_MOUSE) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        rect.OffsetRect(cursor.x - rect.left - rect.Width() / 2, cursor.y - rect.top - 5);
    }
    return pControlBar->FloatBar(rect, method, !bHide);
}

BOOL CKGPBaseTabbedBar::BackToRecentPlace(CKGPDockingControlBar* pPane)
{
    if (pPane == nullptr)
        return FALSE;
    // Floating with others: the frame docks the pane back where it was.
    if (auto* pFrame = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, GetParentMiniFrame(TRUE))) {
        pFrame->DockRecentPane(pPane);
        return TRUE;
    }
    // Docked: the floating frame the pane last shared takes it back while it stands.
    const HWND hRecent = pPane->m_recentDockInfo.m_hRecentMiniFrame;
    auto* pRecent = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, CWnd::FromHandlePermanent(hRecent));
    return GetDefaultPaneSlider() != nullptr && pRecent != nullptr && ::IsWindow(hRecent) &&
           pRecent->AddRecentPane(pPane) != 0;
}

BOOL CKGPBaseTabbedBar::ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (m_pTabWnd == nullptr || pBar == nullptr)
        return FALSE;
    const int iTab = m_pTabWnd->GetTabFromHwnd(pBar->GetSafeHwnd());
    if (iTab < 0)
        return FALSE;
    const BOOL bResult = m_pTabWnd->ShowTab(iTab, bShow, !bDelay, bActivate);
    const BOOL bAnyVisible = m_pTabWnd->GetVisibleTabsNum() > 0;
    if (bAnyVisible != IsWindowVisible())
        ShowWindow(bAnyVisible ? SW_SHOWNA : SW_HIDE);
    CKGPDockingControlBar::ShowBar(bAnyVisible, bDelay, bActivate);
    return bResult;
}

CWnd* CKGPBaseTabbedBar::FindBarByID(UINT uBarID)
{
    if (m_pTabWnd == nullptr)
        return nullptr;
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
        CWnd* pWnd = m_pTabWnd->GetTabWnd(i);
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && static_cast<UINT>(pWnd->GetDlgCtrlID()) == uBarID)
            return pWnd;
    }
    return nullptr;
}

CWnd* CKGPBaseTabbedBar::FindBarByTabNumber(int nTabNum, BOOL bGetWrappedBar)
{
    if (m_pTabWnd == nullptr)
        return nullptr;
    return bGetWrappedBar && nTabNum != 0 ? m_pTabWnd->GetTabWndNoWrapper(nTabNum) : m_pTabWnd->GetTabWnd(nTabNum);
}

CWnd* CKGPBaseTabbedBar::GetFirstVisibleTab(int& iTabNum)
{
    iTabNum = -1;
    return m_pTabWnd != nullptr ? m_pTabWnd->GetFirstVisibleTab(iTabNum) : nullptr;
}

void CKGPBaseTabbedBar::ApplyToTabs(CRuntimeClass* pClass, void (*fn)(CKGPDockingControlBar* pPane))
{
    if (m_pTabWnd == nullptr || fn == nullptr)
        return;
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_pTabWnd->GetTabWnd(i));
        if (pPane != nullptr && (pClass == nullptr || pPane->IsKindOf(pClass)))
            fn(pPane);
    }
}

// ---- As a pane.

HICON CKGPBaseTabbedBar::GetBarIcon(BOOL bBig)
{
    if (HICON own = CKGPDockingControlBar::GetBarIcon(bBig))
        return own;
    CWnd* pActive = m_pTabWnd != nullptr ? m_pTabWnd->GetActiveWnd() : nullptr;
    return pActive != nullptr ? reinterpret_cast<HICON>(pActive->SendMessage(WM_GETICON, bBig ? ICON_BIG : ICON_SMALL))
                              : nullptr;
}

BOOL CKGPBaseTabbedBar::CanFloat() const
{
    if (IsTabbed()) {
        HWND hwndTab = nullptr;
        auto* pOuter = DYNAMIC_DOWNCAST(CKGPBaseTabWnd, GetTabWindow(hwndTab));
        return pOuter != nullptr && pOuter->IsTabDetachable(pOuter->GetTabFromHwnd(hwndTab));
    }
    return (m_dwBarStyle & KGP_BARSTYLE_FLOAT) != 0;
}

BOOL CKGPBaseTabbedBar::FloatBar(CRect rect, KGPDockMethod method, bool bShow)
{
    if (!CKGPDockingControlBar::FloatBar(rect, method, bShow))
        return FALSE;
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    CWnd* pActive = m_pTabWnd != nullptr ? m_pTabWnd->GetActiveWnd() : nullptr;
    if (pMiniFrame != nullptr && pActive != nullptr)
        pMiniFrame->SendMessage(WM_SETICON, ICON_SMALL, pActive->SendMessage(WM_GETICON, ICON_SMALL));
    return TRUE;
}

void CKGPBaseTabbedBar::AdjustHostLayout()
{
    CKGPDockingControlBar::AdjustHostLayout();
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr)
        m_pTabWnd->RecalcLayout();
}

CSize CKGPBaseTabbedBar::SizeAroundPage() const
{
    CRect rectBar;
    CRect rectClient;
    GetWindowRect(rectBar);
    GetClientRect(rectClient);
    // The tab window's share is taken as laid out with room for a page (a
    // pane squeezed below its strip shows no page, and would read its
    // minimum as its own size and a bit).
    CSize aroundPage(0, m_pTabWnd->GetTabsHeight());
    if (auto* pTabWnd = DYNAMIC_DOWNCAST(CKGPTabWnd, m_pTabWnd.get()))
        aroundPage = pTabWnd->GetSizeAroundWndArea();
    // (Its caption band is counted whole, though squeezed.)
    const int caption = std::max(rectBar.Height() - rectClient.Height(), GetCaptionHeight());
    return CSize(std::max(0, rectBar.Width() - rectClient.Width()) + aroundPage.cx,
                 std::max(0, caption) + aroundPage.cy);
}

void CKGPBaseTabbedBar::GetMinSize(CSize& size) const
{
    CWnd* pActive = m_pTabWnd != nullptr ? m_pTabWnd->GetActiveWnd() : nullptr;
    auto* pPane = DYNAMIC_DOWNCAST(CKGPControlBar, pActive);
    if (m_bTabsAlwaysSizedByActive && pPane != nullptr) {
        pPane->GetMinSize(size);
        return;
    }
    CKGPDockingControlBar::GetMinSize(size);
    if (m_pTabWnd == nullptr || m_pTabWnd->GetSafeHwnd() == nullptr || GetSafeHwnd() == nullptr)
        return;
    // A tab's page keeps its pane's minimum: the tabbed pane is at least the
    // largest of its shown tabs' minimums plus what it draws around a page.
    const CSize around = SizeAroundPage();
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
        auto* pTab = DYNAMIC_DOWNCAST(CKGPControlBar, m_pTabWnd->GetTabWnd(i));
        if (pTab == nullptr || !m_pTabWnd->IsTabVisible(i))
            continue;
        CSize sizeTab;
        pTab->GetMinSize(sizeTab);
        size.cx = std::max(size.cx, sizeTab.cx + around.cx);
        size.cy = std::max(size.cy, sizeTab.cy + around.cy);
    }
}

namespace {

// A docked place to go back to: a slider still standing, or an edge recorded.
BOOL HasRecentDockedPlace(CKGPControlBar* pBar)
{
    const CKGPRecentDockInfo& info = pBar->m_recentDockInfo;
    return info.GetRecentDefaultSlider() != nullptr || info.GetRecentContainer(TRUE) != nullptr ||
           info.GetRecentDockBar() != nullptr;
}

}  // namespace

BOOL CKGPBaseTabbedBar::DockPane(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method)
{
    if (method != KGP_DM_DBLCLICK || m_pTabWnd == nullptr || HasRecentDockedPlace(this))
        return CKGPDockingControlBar::DockPane(pDockBar, lpRect, method);
    BOOL bAllPlaced = m_pTabWnd->GetTabsNum() > 0;
    for (int i = 0; i < m_pTabWnd->GetTabsNum() && bAllPlaced; ++i) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_pTabWnd->GetTabWnd(i));
        if (m_pTabWnd->IsTabDetachable(i))
            bAllPlaced = pPane != nullptr && HasRecentDockedPlace(pPane);
    }
    if (!bAllPlaced)
        return CKGPDockingControlBar::DockPane(pDockBar, lpRect, method);

    ShowWindow(SW_HIDE);
    for (int i = m_pTabWnd->GetTabsNum() - 1; i >= 0; --i) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_pTabWnd->GetTabWnd(i));
        if (pPane == nullptr || !m_pTabWnd->IsTabVisible(i) || !m_pTabWnd->IsTabDetachable(i))
            continue;
        m_pTabWnd->RemoveTab(i, FALSE);
        pPane->EnableGripper(TRUE);
        if (CFrameWnd* pSite = pPane->GetDockSiteFrame())
            pPane->SetParent(pSite);
        pPane->DockPane(nullptr, nullptr, KGP_DM_DBLCLICK);
    }
    if (m_pTabWnd->GetTabsNum() == 0) {
        UndockFromHost();
        DestroyWindow();
        return FALSE;
    }
    int first = -1;
    if (m_pTabWnd->GetFirstVisibleTab(first) == nullptr)
        return TRUE; // only hidden panes are left: the pane stays hidden
    if (m_pTabWnd->GetActiveTab() < 0)
        m_pTabWnd->SetActiveTab(first);
    m_pTabWnd->RecalcLayout();
    ShowWindow(SW_SHOW);
    return CKGPDockingControlBar::DockPane(pDockBar, lpRect, method);
}

CKGPAutoHideToolBar* CKGPBaseTabbedBar::SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                         CKGPAutoHideToolBar* pCurrAutoHideToolBar, BOOL bUseTimer)
{
    dwAlignment &= CBRS_ALIGN_ANY;
    if (!bMode || IsAutoHideMode() || m_pTabWnd == nullptr || dwAlignment == 0 || !CanAutoHide())
        return CKGPDockingControlBar::SetAutoHideMode(bMode, dwAlignment, pCurrAutoHideToolBar, bUseTimer);
    // The tabs that go, in tab order, and the one that was active.
    std::vector<CKGPDockingControlBar*> leaving;
    CKGPDockingControlBar* pActive = nullptr;
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_pTabWnd->GetTabWnd(i));
        if (pPane == nullptr || !m_pTabWnd->IsTabVisible(i) || !m_pTabWnd->IsTabDetachable(i))
            continue;
        leaving.push_back(pPane);
        if (i == m_pTabWnd->GetActiveTab())
            pActive = pPane;
    }
    CFrameWnd* pSite = GetDockSiteFrame();
    if (leaving.empty() || pSite == nullptr)
        return CKGPDockingControlBar::SetAutoHideMode(bMode, dwAlignment, pCurrAutoHideToolBar, bUseTimer);

    const BOOL bSizedByActive = m_bTabsAlwaysSizedByActive;
    m_bTabsAlwaysSizedByActive = FALSE;
    // Each tab's way back is this pane's place now.
    StoreRecentDockInfo();
    CRect rect;
    GetWindowRect(rect);
    pSite->ScreenToClient(rect);
    const HWND hSelf = m_hWnd;
    ShowWindow(SW_HIDE);
    for (CKGPDockingControlBar* pPane : leaving) {
        m_pTabWnd->RemoveTab(m_pTabWnd->GetTabFromHwnd(pPane->GetSafeHwnd()), FALSE);
        pPane->EnableGripper(TRUE);
        pPane->SetParent(pSite);
        pPane->m_recentDockInfo = m_recentDockInfo;
        pPane->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_pTabWnd->GetTabsNum() == 0) {
        UndockFromHost();
        DestroyWindow();
    }
    CKGPAutoHideToolBar* pToolBar = pCurrAutoHideToolBar;
    for (CKGPDockingControlBar* pPane : leaving) {
        const BOOL bOut = bUseTimer && (pPane == pActive || (pActive == nullptr && pPane == leaving.back()));
        if (CKGPAutoHideToolBar* pPinned = pPane->PinToStrip(dwAlignment, pToolBar, bOut, bOut))
            pToolBar = pPinned;
    }
    if (pToolBar != nullptr) {
        // The button of the tab that was active (else the last) stands on top.
        const CKGPDockingControlBar* pMarked = pActive != nullptr ? pActive : leaving.back();
        for (CKGPDockingControlBar* pPane : leaving) {
            if (CKGPAutoHideButton* pButton = pToolBar->FindButtonByPane(pPane))
                pButton->SetTop(pPane == pMarked);
        }
        pToolBar->SetActiveInGroup(TRUE);
    }
    if (!::IsWindow(hSelf)) {
        m_bTabsAlwaysSizedByActive = bSizedByActive;
        return pToolBar;
    }
    // What stays: the pane hidden with only hidden tabs, else auto-hidden
    // itself beside its tabs that went.
    CKGPAutoHideToolBar* pResult = pToolBar;
    int first = -1;
    if (m_pTabWnd->GetFirstVisibleTab(first) == nullptr) {
        ShowBar(FALSE, FALSE, FALSE);
    } else {
        if (m_pTabWnd->GetActiveTab() < 0)
            m_pTabWnd->SetActiveTab(first);
        m_pTabWnd->RecalcLayout();
        ShowWindow(SW_SHOW);
        pResult = CKGPDockingControlBar::SetAutoHideMode(TRUE, dwAlignment, pToolBar, FALSE);
    }
    m_bTabsAlwaysSizedByActive = bSizedByActive;
    return pResult;
}

void CKGPBaseTabbedBar::ConvertToTabbedDocument(BOOL bActiveTabOnly)
{
    IKGPTabbedDocumentLink* pLink = CKGPLink<IKGPTabbedDocumentLink>::Get();
    CFrameWnd* pSite = GetDockSiteFrame();
    if (pLink == nullptr || pSite == nullptr || m_pTabWnd == nullptr || IsAutoHideMode() ||
        !pLink->IsInMDITabMode(pSite))
        return;
    std::vector<CKGPDockingControlBar*> leaving;
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
        auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_pTabWnd->GetTabWnd(i));
        if (pPane != nullptr && m_pTabWnd->IsTabVisible(i) && (!bActiveTabOnly || i == m_pTabWnd->GetActiveTab()))
            leaving.push_back(pPane);
    }
    const HWND hSelf = m_hWnd;
    const int activeBefore = m_pTabWnd->GetActiveTab();
    BOOL bAnyLeft = FALSE;
    for (CKGPDockingControlBar* pPane : leaving) {
        // The tab as it stands, to put it back where the frame makes no document.
        const int iTab = m_pTabWnd->GetTabFromHwnd(pPane->GetSafeHwnd());
        CString label;
        m_pTabWnd->GetTabLabel(iTab, label);
        const BOOL bDetachable = m_pTabWnd->IsTabDetachable(iTab);
        const HICON hIcon = m_pTabWnd->GetTabHicon(iTab);
        m_pTabWnd->RemoveTab(iTab, FALSE);
        pPane->EnableGripper(TRUE);
        pPane->SetParent(pSite);
        if (pLink->ControlBarToTabbedDocument(pPane)) {
            bAnyLeft = TRUE;
            continue;
        }
        if (!::IsWindow(hSelf) || m_pTabWnd == nullptr || pPane->GetSafeHwnd() == nullptr)
            return;
        pPane->SetParent(m_pTabWnd.get());
        pPane->EnableGripper(FALSE);
        m_pTabWnd->InsertTab(pPane, label, iTab, static_cast<UINT>(-1), bDetachable);
        if (hIcon != nullptr)
            m_pTabWnd->SetTabHicon(iTab, hIcon);
    }
    if (!::IsWindow(hSelf) || leaving.empty())
        return;
    if (!bAnyLeft) {
        // Every pane stays: the tabs as they were.
        if (activeBefore >= 0 && activeBefore < m_pTabWnd->GetTabsNum())
            m_pTabWnd->SetActiveTab(activeBefore);
        m_pTabWnd->RecalcLayout();
        return;
    }
    int first = -1;
    if (m_pTabWnd->GetFirstVisibleTab(first) == nullptr) {
        ShowBar(FALSE, FALSE, FALSE);
        return;
    }
    if (m_pTabWnd->GetActiveTab() < 0 || !m_pTabWnd->IsTabVisible(m_pTabWnd->GetActiveTab()))
        m_pTabWnd->SetActiveTab(first);
    m_pTabWnd->RecalcLayout();
}

void CKGPBaseTabbedBar::UndockFromHost()
{
    if (m_pTabWnd != nullptr) {
        for (int i = 0; i < m_pTabWnd->GetTabsNum(); ++i) {
            if (auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, m_pTabWnd->GetTabWnd(i)))
                pPane->StoreRecentTabPlace();
        }
    }
    if (auto* pOuter = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, GetParentTabbedBar())) {
        pOuter->UndockFromHost();
        return;
    }
    RemoveFromHost(FALSE);
}

void CKGPBaseTabbedBar::OnActiveTabChanged()
{
    if (m_pTabWnd == nullptr || GetSafeHwnd() == nullptr)
        return;
    const int active = m_pTabWnd->GetActiveTab();
    if (m_bSetCaptionTextToTabName && active >= 0) {
        CString label;
        m_pTabWnd->GetTabLabel(active, label);
        CString current;
        GetWindowText(current);
        if (label != current) {
            SetWindowText(label);
            SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
                pMiniFrame->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
    }
    // The close button follows the active pane's own.
    auto* pActive = DYNAMIC_DOWNCAST(CKGPBaseControlBar, m_pTabWnd->GetActiveWnd());
    if (pActive != nullptr) {
        const DWORD style = pActive->CanBeClosed() ? (m_dwBarStyle | KGP_BARSTYLE_CLOSE)
                                                   : (m_dwBarStyle & ~static_cast<DWORD>(KGP_BARSTYLE_CLOSE));
        if (style != m_dwBarStyle) {
            m_dwBarStyle = style;
            SetCaptionButtons();
            // Floating alone, its frame's close button follows too.
            if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
                pMiniFrame != nullptr && !pMiniFrame->IsMultiPaneFrame() && pMiniFrame->GetControlBar() == this)
                pMiniFrame->TakeHostedBarCaptionButtons();
        }
    }
}

// ---- Messages.

void CKGPBaseTabbedBar::OnSize(UINT nType, int cx, int cy)
{
    CKGPDockingControlBar::OnSize(nType, cx, cy);
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr)
        m_pTabWnd->SetWindowPos(HWND{}, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void CKGPBaseTabbedBar::OnSetFocus(CWnd* pOldWnd)
{
    CKGPDockingControlBar::OnSetFocus(pOldWnd);
    if (m_pTabWnd != nullptr && m_pTabWnd->GetSafeHwnd() != nullptr)
        m_pTabWnd->SetFocus();
}

BOOL CKGPBaseTabbedBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKGPBaseTabbedBar::OnDestroy()
{
    m_bDestroying = TRUE;
    CKGPDockingControlBar::OnDestroy();
}

LRESULT CKGPBaseTabbedBar::OnChangeActiveTab(WPARAM wParam, LPARAM)
{
    OnActiveTabChanged();
    OnActivateTab(KGPTabNotifications::TabOf(wParam));
    if (m_bTabsAlwaysSizedByActive) {
        if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
            pMiniFrame->RecalcLayout();
        else if (CKGPDockManager* pManager = GetDockManager())
            pManager->AdjustDockingLayout();
    }
    return 0;
}

void CKGPBaseTabbedBar::PostNcDestroy()
{
    m_pTabWnd.reset();
    CKGPDockingControlBar::PostNcDestroy();
    if (m_bAutoDestroy)
        delete this;
}
