#include "guilib/tabs/KGPBaseTabWnd.h"

#include <algorithm>

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPWindowHelpers.h"
#include "guilib/tabs/KGPTabDockingLink.h"
#include "guilib/tabs/KGPTabLayout.h"
#include "guilib/tabs/KGPTabNotifications.h"
#include "guilib/tabs/KGPTabWindowLinks.h"

IMPLEMENT_DYNAMIC(CKGPBaseTabWnd, CWnd)

KGP_TAB_TOOLTIP_INFO CKGPBaseTabWnd::s_tooltipInfo;
BOOL CKGPBaseTabWnd::m_bEnableActivate = FALSE;

namespace {

constexpr COLORREF kDefaultColor = static_cast<COLORREF>(-1);
// Stored labels and counts are bounded.
constexpr int kMaxStoredTabs = 0x7FFF;
constexpr int kMaxLabelLength = 4096;

}  // namespace

// ---- CKGPTabInfo

CKGPTabInfo::CKGPTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, int iTabID, BOOL bDetachable)
    : m_strText(strText), m_uiIcon(uiIcon), m_pWnd(pWnd), m_iTabID(iTabID), m_bIsDetachable(bDetachable)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
        wchar_t className[32] = {};
        ::GetClassNameW(pWnd->GetSafeHwnd(), className, 32);
        m_bIsListView = lstrcmpiW(className, L"SysListView32") == 0;
    }
}

CKGPTabInfo::~CKGPTabInfo() = default;

void CKGPTabInfo::SetOwnIcon(HICON hIcon)
{
    m_hIcon.Reset(hIcon != nullptr ? ::CopyIcon(hIcon) : nullptr);
}

// ---- CKGPBaseTabWnd

BEGIN_MESSAGE_MAP(CKGPBaseTabWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_WINDOWPOSCHANGED()
    ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, &CKGPBaseTabWnd::OnNeedTipText)
END_MESSAGE_MAP()

CKGPBaseTabWnd::CKGPBaseTabWnd() : m_DropTarget(*this)
{
    InitAutoColors();
    KGPRegisterTabsLinks();
}

CKGPBaseTabWnd::~CKGPBaseTabWnd()
{
    CleanUp();
}

int CKGPBaseTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (GetTopLevelFrameOf(this) == nullptr)
        m_bEnableWrapping = FALSE;
    m_DropTarget.Register(this); // FALSE (nothing registered) while OLE is not up
    return 0;
}

void CKGPBaseTabWnd::OnDestroy()
{
    if (m_DropTarget.IsRegistered())
        m_DropTarget.Revoke();
    EndRename();
    CleanUp();
    CWnd::OnDestroy();
}

void CKGPBaseTabWnd::CleanUp()
{
    // The tabs leave the list before their windows go: a window that takes
    // its own tab away as it goes (a pane) finds none, so the list is not
    // changed under this loop and no window is destroyed twice.
    std::vector<std::unique_ptr<CKGPTabInfo>> tabs;
    tabs.swap(m_arTabs);
    m_iTabsNum = 0;
    m_iActiveTab = -1;
    for (auto& tab : tabs) {
        if (m_bAutoDestroyWindow && tab->m_pWnd != nullptr && tab->m_pWnd->GetSafeHwnd() != nullptr)
            tab->m_pWnd->DestroyWindow();
    }
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
}

LRESULT CKGPBaseTabWnd::Notify(const std::function<LRESULT(CWnd*)>& send)
{
    LRESULT result = 0;
    CWnd* pParent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (pParent != nullptr)
        result = send(pParent);
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain != pParent && pMain->GetSafeHwnd() != nullptr) {
        const LRESULT mainResult = send(pMain);
        if (result == 0)
            result = mainResult;
    }
    return result;
}

std::vector<bool> CKGPBaseTabWnd::VisibleFlags() const
{
    std::vector<bool> visible;
    visible.reserve(m_arTabs.size());
    for (const auto& tab : m_arTabs)
        visible.push_back(tab->m_bVisible != FALSE);
    return visible;
}

const CKGPTabInfo* CKGPBaseTabWnd::GetTabInfo(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab) : nullptr;
}

// ---- Images.

BOOL CKGPBaseTabWnd::SetImageList(HIMAGELIST hImageList)
{
    m_hImageList = hImageList;
    m_sizeImage = CSize(0, 0);
    int cx = 0;
    int cy = 0;
    if (hImageList != nullptr && ::ImageList_GetImageCount(hImageList) > 0 &&
        ::ImageList_GetIconSize(hImageList, &cx, &cy))
        m_sizeImage = CSize(cx, cy);
    RecalcTabsHeight();
    return TRUE;
}

BOOL CKGPBaseTabWnd::SetImageList(UINT uiID, int cx, COLORREF clrTransp)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(uiID))
        return FALSE;
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    UINT flags = ILC_COLOR32;
    switch (info.bmBitsPixel) {
    case 4: flags = ILC_COLOR4; break;
    case 8: flags = ILC_COLOR8; break;
    case 16: flags = ILC_COLOR16; break;
    case 24: flags = ILC_COLOR24; break;
    default: break;
    }
    if (clrTransp != kDefaultColor)
        flags |= ILC_MASK;
    m_Images.DeleteImageList();
    if (!m_Images.Create(cx, info.bmHeight, flags, 0, 0))
        return FALSE;
    m_Images.Add(&bitmap, clrTransp);
    m_sizeImage = CSize(cx, info.bmHeight);
    RecalcTabsHeight();
    return TRUE;
}

void CKGPBaseTabWnd::ClearImageList()
{
    m_Images.DeleteImageList();
    m_sizeImage = CSize(0, 0);
}

void CKGPBaseTabWnd::ResetImageList()
{
    ClearImageList();
    m_hImageList = nullptr;
}

HIMAGELIST CKGPBaseTabWnd::GetImageList() const
{
    return m_Images.GetSafeHandle() != nullptr ? m_Images.GetSafeHandle() : m_hImageList;
}

BOOL CKGPBaseTabWnd::HasImage(int iTab) const
{
    if (!IsValidTab(iTab))
        return FALSE;
    const CKGPTabInfo* pTab = Tab(iTab);
    return pTab->m_hIcon.Get() != nullptr || (GetImageList() != nullptr && pTab->m_uiIcon != static_cast<UINT>(-1));
}

void CKGPBaseTabWnd::RecalcTabsHeight()
{
    const int textHeight = GetKGPGlobalData().GetTextHeight();
    m_nTabsHeight = std::max<int>(m_sizeImage.cy + 2 * kgp::tabs::kImageMargin, textHeight + 2 * 2);
}

int CKGPBaseTabWnd::GetTabsHeight() const
{
    return m_nTabsHeight;
}

void CKGPBaseTabWnd::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
}

// ---- Adding and removing.

void CKGPBaseTabWnd::AddTab(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId, BOOL bDetachable)
{
    InsertTab(pTabWnd, uiResTabLabel, -1, uiImageId, bDetachable);
}

void CKGPBaseTabWnd::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId, BOOL bDetachable)
{
    InsertTab(pTabWnd, lpszTabLabel, -1, uiImageId, bDetachable);
}

void CKGPBaseTabWnd::InsertTab(CWnd* pNewWnd, UINT uiResTabLabel, int nInsertAt, UINT uiImageId, BOOL bDetachable)
{
    CString label;
    label.LoadString(uiResTabLabel);
    InsertTab(pNewWnd, label, nInsertAt, uiImageId, bDetachable);
}

CWnd* CKGPBaseTabWnd::CreateWrapper(CWnd* pWndToWrap, LPCTSTR lpszTabLabel)
{
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    if (pLink == nullptr || pLink->IsDockingPane(pWndToWrap) || !m_bEnableWrapping)
        return pWndToWrap;
    CWnd* pWrapper = pLink->CreateWrapper(pWndToWrap, lpszTabLabel, m_pDockingBarWrapperRTC);
    return pWrapper != nullptr ? pWrapper : pWndToWrap;
}

void CKGPBaseTabWnd::InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId,
                               BOOL bDetachable)
{
    if (pNewWnd == nullptr || pNewWnd->GetSafeHwnd() == nullptr || pNewWnd->GetDlgCtrlID() == -1)
        return;
    if (bDetachable)
        pNewWnd = CreateWrapper(pNewWnd, lpszTabLabel);
    if (GetSafeHwnd() != nullptr && !IsWindowVisible())
        ShowWindow(SW_SHOW);
    if (nInsertAt < 0 || nInsertAt > m_iTabsNum)
        nInsertAt = m_iTabsNum;
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    if (pLink == nullptr || !pLink->IsDockingPane(pNewWnd))
        bDetachable = FALSE;

    auto record = std::make_unique<CKGPTabInfo>(lpszTabLabel, uiImageId, pNewWnd, m_nNextTabID, bDetachable);
    CKGPTabInfo& info = *record;
    m_arTabs.insert(m_arTabs.begin() + nInsertAt, std::move(record));
    ++m_iTabsNum;
    ++m_nNextTabID;
    AddTabTool(info);

    OnChangeTabs();
    RecalcLayout();

    if (m_iTabsNum == 1) {
        SetActiveTab(0);
        return;
    }
    const int activeBefore = m_iActiveTab;
    if (activeBefore < 0) {
        if (m_bHideInactiveWnd)
            pNewWnd->ShowWindow(SW_HIDE);
        return;
    }
    // The tab that was active stays active; a tab inserted at its place
    // takes it over, one inserted before it moves it one place right.
    m_iActiveTab = kgp::tabs::ActiveAfterInsert(activeBefore, nInsertAt, m_iTabsNum);
    if (nInsertAt == activeBefore) {
        m_iPrevActiveTab = activeBefore + 1;
        if (m_bHideInactiveWnd) {
            if (CWnd* pOld = Tab(activeBefore + 1)->m_pWnd)
                pOld->ShowWindow(SW_HIDE);
        }
        pNewWnd->ShowWindow(SW_SHOW);
    } else {
        if (m_iPrevActiveTab >= nInsertAt)
            ++m_iPrevActiveTab;
        if (m_bHideInactiveWnd)
            pNewWnd->ShowWindow(SW_HIDE);
    }
    if (!m_bHideInactiveWnd) {
        if (CWnd* pActive = GetActiveWnd())
            pActive->BringWindowToTop();
    }
    RecalcLayout();
}

BOOL CKGPBaseTabWnd::RemoveTab(int iTab, BOOL bRecalcLayout)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (m_iTabsNum == 1) {
        RemoveAllTabs();
        return TRUE;
    }
    if (iTab == m_iEditedTab)
        EndRename();
    std::unique_ptr<CKGPTabInfo> record = std::move(m_arTabs[static_cast<size_t>(iTab)]);
    m_arTabs.erase(m_arTabs.begin() + iTab);
    --m_iTabsNum;
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->DelTool(this, static_cast<UINT_PTR>(record->m_iTabID));
    if (m_bAutoDestroyWindow && record->m_pWnd != nullptr && record->m_pWnd->GetSafeHwnd() != nullptr)
        record->m_pWnd->DestroyWindow();
    record.reset();

    const int activeBefore = m_iActiveTab;
    const std::vector<bool> visible = VisibleFlags();
    int replacement = activeBefore;
    if (iTab <= activeBefore) {
        m_iActiveTab = -1;
        replacement = kgp::tabs::ReplacementAfterRemove(visible, iTab, activeBefore, m_bPickLastVisible);
    }
    if (m_iPrevActiveTab == iTab)
        m_iPrevActiveTab = -1;
    OnChangeTabs();
    if (bRecalcLayout) {
        RecalcLayout();
        const int activate = kgp::tabs::ActivatedAfterRemove(visible, replacement, iTab, m_iPrevActiveTab,
                                                             m_bReturnToPrevTab);
        if (activate >= 0)
            ActivateAndNotify(activate);
    }
    return TRUE;
}

void CKGPBaseTabWnd::RemoveAllTabs()
{
    EndRename();
    m_iActiveTab = -1;
    m_iPrevActiveTab = -1;
    m_nNextTabID = 1;
    while (!m_arTabs.empty()) {
        std::unique_ptr<CKGPTabInfo> record = std::move(m_arTabs.back());
        m_arTabs.pop_back();
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->DelTool(this, static_cast<UINT_PTR>(record->m_iTabID));
        if (m_bAutoDestroyWindow && record->m_pWnd != nullptr && record->m_pWnd->GetSafeHwnd() != nullptr)
            record->m_pWnd->DestroyWindow();
    }
    m_iTabsNum = 0;
    OnChangeTabs();
    RecalcLayout();
    FireChangeActiveTab(static_cast<int>(-1));
}

BOOL CKGPBaseTabWnd::ShowTab(int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate)
{
    if (!IsValidTab(iTab))
        return FALSE;
    CKGPTabInfo* pTab = Tab(iTab);
    if (pTab->m_bVisible == bShow)
        return TRUE;
    const int visibleBefore = GetVisibleTabsNum();
    pTab->m_bVisible = bShow;
    int candidate = -1;
    BOOL bReplaced = FALSE;
    if (!bShow) {
        if (m_bHideInactiveWnd && pTab->m_pWnd != nullptr)
            pTab->m_pWnd->ShowWindow(SW_HIDE);
        if (iTab == m_iActiveTab) {
            m_iActiveTab = -1;
            candidate = kgp::tabs::CandidateAfterHide(VisibleFlags(), iTab);
            bReplaced = TRUE;
        }
    } else {
        candidate = visibleBefore == 0 ? iTab : m_iActiveTab;
    }
    if (bRecalcLayout)
        RecalcLayout();
    if (candidate >= 0 && (bReplaced || bActivate || visibleBefore == 0))
        ActivateAndNotify(candidate);
    return TRUE;
}

int CKGPBaseTabWnd::GetVisibleTabsNum() const
{
    int count = 0;
    for (const auto& tab : m_arTabs)
        count += tab->m_bVisible ? 1 : 0;
    return count;
}

// ---- Access.

CWnd* CKGPBaseTabWnd::GetTabWnd(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_pWnd : nullptr;
}

CWnd* CKGPBaseTabWnd::GetTabWndNoWrapper(int iTab) const
{
    CWnd* pWnd = GetTabWnd(iTab);
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    return pWnd != nullptr && pLink != nullptr ? pLink->Unwrap(pWnd) : pWnd;
}

BOOL CKGPBaseTabWnd::GetTabRect(int iTab, CRect& rect) const
{
    if (!IsValidTab(iTab) || !Tab(iTab)->m_bVisible) {
        rect.SetRectEmpty();
        return FALSE;
    }
    rect = Tab(iTab)->m_rect;
    return TRUE;
}

BOOL CKGPBaseTabWnd::GetTabLabel(int iTab, CString& strLabel) const
{
    if (!IsValidTab(iTab))
        return FALSE;
    strLabel = Tab(iTab)->m_bIconOnly ? CString() : Tab(iTab)->m_strText;
    return TRUE;
}

BOOL CKGPBaseTabWnd::SetTabLabel(int iTab, const CString& strLabel)
{
    if (!IsValidTab(iTab))
        return FALSE;
    CKGPTabInfo* pTab = Tab(iTab);
    pTab->m_strText = strLabel;
    AddTabTool(*pTab);
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    if (pTab->m_pWnd != nullptr && pLink != nullptr && pLink->IsControlBar(pTab->m_pWnd))
        pTab->m_pWnd->SetWindowText(strLabel);
    RecalcLayout();
    if (iTab == m_iActiveTab && pLink != nullptr)
        pLink->OnActiveTabChanged(this);
    return TRUE;
}

UINT CKGPBaseTabWnd::GetTabIcon(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_uiIcon : static_cast<UINT>(-1);
}

BOOL CKGPBaseTabWnd::SetTabIcon(int iTab, UINT uiIcon)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->SetOwnIcon(nullptr);
    Tab(iTab)->m_uiIcon = uiIcon;
    return TRUE;
}

BOOL CKGPBaseTabWnd::IsTabIconOnly(int iTab) const
{
    return IsValidTab(iTab) && Tab(iTab)->m_bIconOnly;
}

BOOL CKGPBaseTabWnd::SetTabIconOnly(int iTab, BOOL bIconOnly, BOOL bAlwaysShowToolTip)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->m_bIconOnly = bIconOnly;
    Tab(iTab)->m_bAlwaysShowToolTip = bAlwaysShowToolTip;
    RecalcLayout();
    return TRUE;
}

BOOL CKGPBaseTabWnd::SetTabHicon(int iTab, HICON hIcon)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->SetOwnIcon(hIcon);
    Tab(iTab)->m_uiIcon = static_cast<UINT>(-1);
    if (hIcon != nullptr) {
        const SIZE small = GetKGPGlobalData().GetSmallIconSize();
        m_sizeImage.cx = std::max<int>(m_sizeImage.cx, small.cx);
        m_sizeImage.cy = std::max<int>(m_sizeImage.cy, small.cy);
    }
    RecalcTabsHeight();
    RecalcLayout(); // the tab is as wide as its icon and label
    return TRUE;
}

HICON CKGPBaseTabWnd::GetTabHicon(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_hIcon.Get() : nullptr;
}

COLORREF CKGPBaseTabWnd::GetTabBkColor(int iTab) const
{
    if (!IsValidTab(iTab))
        return kDefaultColor;
    CKGPTabInfo* pTab = Tab(iTab);
    if (pTab->m_clrBack != kDefaultColor || !m_bIsAutoColor || m_arAutoColors.IsEmpty())
        return pTab->m_clrBack;
    pTab->m_clrBack = m_arAutoColors[iTab % m_arAutoColors.GetSize()];
    return pTab->m_clrBack;
}

BOOL CKGPBaseTabWnd::SetTabBkColor(int iTab, COLORREF color)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->m_clrBack = color;
    return TRUE;
}

COLORREF CKGPBaseTabWnd::GetTabTextColor(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_clrText : kDefaultColor;
}

BOOL CKGPBaseTabWnd::SetTabTextColor(int iTab, COLORREF color)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->m_clrText = color;
    return TRUE;
}

int CKGPBaseTabWnd::GetTabFullWidth(int iTab) const
{
    return IsValidTab(iTab) ? Tab(iTab)->m_nFullWidth : 0;
}

BOOL CKGPBaseTabWnd::IsTabDetachable(int iTab) const
{
    return IsValidTab(iTab) && Tab(iTab)->m_bIsDetachable;
}

BOOL CKGPBaseTabWnd::EnableTabDetach(int iTab, BOOL bEnable)
{
    if (!IsValidTab(iTab))
        return FALSE;
    Tab(iTab)->m_bIsDetachable = bEnable;
    return TRUE;
}

BOOL CKGPBaseTabWnd::IsTabVisible(int iTab) const
{
    return IsValidTab(iTab) && Tab(iTab)->m_bVisible;
}

CWnd* CKGPBaseTabWnd::GetActiveWnd() const
{
    return IsValidTab(m_iActiveTab) ? Tab(m_iActiveTab)->m_pWnd : nullptr;
}

int CKGPBaseTabWnd::GetTabFromPoint(CPoint& pt) const
{
    for (int i = 0; i < m_iTabsNum; ++i) {
        if (Tab(i)->m_bVisible && Tab(i)->m_rect.PtInRect(pt))
            return i;
    }
    return -1;
}

int CKGPBaseTabWnd::GetTabFromHwnd(HWND hwnd) const
{
    for (int i = 0; i < m_iTabsNum; ++i) {
        CWnd* pWnd = Tab(i)->m_pWnd;
        if (pWnd == nullptr)
            continue;
        if (pWnd->GetSafeHwnd() == hwnd)
            return i;
        CWnd* pInner = GetTabWndNoWrapper(i);
        if (pInner != nullptr && pInner->GetSafeHwnd() == hwnd)
            return i;
    }
    return -1;
}

int CKGPBaseTabWnd::GetTabByID(int id) const
{
    for (int i = 0; i < m_iTabsNum; ++i) {
        if (Tab(i)->m_iTabID == id)
            return i;
    }
    return -1;
}

CWnd* CKGPBaseTabWnd::GetFirstVisibleTab(int iStartFrom, int& iTabNum)
{
    for (int i = std::max(0, iStartFrom); i < m_iTabsNum; ++i) {
        if (Tab(i)->m_bVisible) {
            iTabNum = i;
            return Tab(i)->m_pWnd;
        }
    }
    iTabNum = -1;
    return nullptr;
}

CWnd* CKGPBaseTabWnd::GetFirstVisibleTab(int& iTabNum)
{
    return GetFirstVisibleTab(0, iTabNum);
}

CWnd* CKGPBaseTabWnd::GetLastVisibleTab(int& iTabNum)
{
    for (int i = m_iTabsNum - 1; i >= 0; --i) {
        if (Tab(i)->m_bVisible) {
            iTabNum = i;
            return Tab(i)->m_pWnd;
        }
    }
    iTabNum = -1;
    return nullptr;
}

BOOL CKGPBaseTabWnd::IsColored() const
{
    for (const auto& tab : m_arTabs) {
        if (tab->m_clrBack != kDefaultColor)
            return TRUE;
    }
    return FALSE;
}

CSize CKGPBaseTabWnd::GetMaxWindowSize() const
{
    CSize size(0, 0);
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    for (const auto& tab : m_arTabs) {
        CWnd* pWnd = tab->m_pWnd;
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            continue;
        CSize windowSize;
        if (pLink != nullptr && pLink->IsControlBar(pWnd)) {
            windowSize = pLink->GetBarSize(pWnd);
        } else {
            CRect rect;
            pWnd->GetWindowRect(rect);
            windowSize = rect.Size();
        }
        size.cx = std::max(size.cx, windowSize.cx);
        size.cy = std::max(size.cy, windowSize.cy);
    }
    return size;
}

// ---- Order.

void CKGPBaseTabWnd::SwapTabs(int nFisrtTabID, int nSecondTabNum)
{
    if (!IsValidTab(nFisrtTabID) || !IsValidTab(nSecondTabNum) || nFisrtTabID == nSecondTabNum)
        return;
    std::swap(m_arTabs[static_cast<size_t>(nFisrtTabID)], m_arTabs[static_cast<size_t>(nSecondTabNum)]);
}

void CKGPBaseTabWnd::MoveTab(int nSource, int nDest)
{
    if (!IsValidTab(nSource) || nSource == nDest)
        return;
    if (nDest < 0 || nDest >= m_iTabsNum)
        nDest = m_iTabsNum - 1;
    if (nSource == nDest)
        return;
    const int activeAfter = kgp::tabs::IndexAfterMove(m_iActiveTab, nSource, nDest, m_iTabsNum);
    std::unique_ptr<CKGPTabInfo> record = std::move(m_arTabs[static_cast<size_t>(nSource)]);
    m_arTabs.erase(m_arTabs.begin() + nSource);
    m_arTabs.insert(m_arTabs.begin() + nDest, std::move(record));
    if (m_iActiveTab >= 0 && activeAfter != m_iActiveTab) {
        m_iActiveTab = activeAfter;
        FireChangeActiveTab(m_iActiveTab);
    }
    RecalcLayout();
}

// ---- Activation notifications.

void CKGPBaseTabWnd::ActivateAndNotify(int iTab)
{
    // The change is told once, also when the tab stays the same.
    m_bActivateTabNotified = FALSE;
    if (iTab != m_iActiveTab)
        SetActiveTab(iTab);
    if (!m_bActivateTabNotified)
        FireChangeActiveTab(m_iActiveTab);
}

BOOL CKGPBaseTabWnd::FireChangingActiveTab(int nNewTab)
{
    return Notify([&](CWnd* pTo) { return KGPTabNotifications::SendActiveTabChanging(pTo, nNewTab, this); }) != 0;
}

void CKGPBaseTabWnd::FireChangeActiveTab(int nNewTab)
{
    Notify([&](CWnd* pTo) { return KGPTabNotifications::SendActiveTabChanged(pTo, nNewTab, this); });
    m_bActivateTabNotified = TRUE;
}

// ---- Settings.

void CKGPBaseTabWnd::SetLocation(int location)
{
    m_location = location;
    RecalcLayout();
    if (GetSafeHwnd() != nullptr && GetParent() != nullptr)
        GetParent()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CKGPBaseTabWnd::SetTabBorderSize(int nTabBorderSize, BOOL bRepaint)
{
    if (nTabBorderSize == -1)
        nTabBorderSize = 2;
    if (nTabBorderSize == m_nTabBorderSize)
        return;
    m_nTabBorderSize = nTabBorderSize;
    RecalcLayout();
    if (bRepaint && GetSafeHwnd() != nullptr)
        RedrawWindow();
}

void CKGPBaseTabWnd::SetHideSingleTab(BOOL bHide)
{
    if (m_bHideSingleTab == bHide)
        return;
    m_bHideSingleTab = bHide;
    if (GetSafeHwnd() != nullptr)
        RecalcLayout();
}

void CKGPBaseTabWnd::SetActiveTabColor(COLORREF clr)
{
    m_clrActiveTabBk = clr;
    m_brActiveTab.DeleteObject();
    m_brActiveTab.CreateSolidBrush(GetActiveTabColor());
}

void CKGPBaseTabWnd::SetActiveTabTextColor(COLORREF clr)
{
    m_clrActiveTabFg = clr;
}

COLORREF CKGPBaseTabWnd::GetActiveTabColor() const
{
    return m_clrActiveTabBk == kDefaultColor ? GetKGPGlobalData().clrWindow : m_clrActiveTabBk;
}

COLORREF CKGPBaseTabWnd::GetActiveTabTextColor() const
{
    return m_clrActiveTabFg == kDefaultColor ? GetKGPGlobalData().clrWindowText : m_clrActiveTabFg;
}

// ---- Automatic colours.

void CKGPBaseTabWnd::InitAutoColors()
{
    if (!m_bIsDefaultAutoColor)
        return;
    m_arAutoColors.RemoveAll();
    for (std::uint32_t color : kgp::tabs::DefaultAutoColors(GetKGPGlobalData().m_nBitsPerPixel))
        m_arAutoColors.Add(static_cast<COLORREF>(color));
}

void CKGPBaseTabWnd::RedrawAll()
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CKGPBaseTabWnd::EnableAutoColor(BOOL bEnable)
{
    if (m_bIsAutoColor && !bEnable) {
        for (auto& tab : m_arTabs)
            tab->m_clrBack = kDefaultColor;
    }
    m_bIsAutoColor = bEnable;
    InitAutoColors();
    RedrawAll();
}

void CKGPBaseTabWnd::SetAutoColors(const CArray<COLORREF, COLORREF>& arColors)
{
    for (auto& tab : m_arTabs)
        tab->m_clrBack = kDefaultColor;
    if (arColors.IsEmpty()) {
        m_bIsDefaultAutoColor = TRUE;
        InitAutoColors();
    } else {
        m_bIsDefaultAutoColor = FALSE;
        m_arAutoColors.RemoveAll();
        for (INT_PTR i = 0; i < arColors.GetSize(); ++i)
            m_arAutoColors.Add(arColors[i]);
    }
    RedrawAll();
}

void CKGPBaseTabWnd::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    InitAutoColors();
}

// ---- Stored form.

void CKGPBaseTabWnd::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_iTabsNum;
        for (const auto& tab : m_arTabs) {
            ar << tab->m_strText;
            ar << tab->m_bVisible;
            ar << (tab->m_pWnd != nullptr && tab->m_pWnd->GetSafeHwnd() != nullptr ? tab->m_pWnd->GetDlgCtrlID() : 0);
            ar << tab->m_bIsDetachable;
            ar << tab->m_clrText;
            ar << tab->m_clrBack;
        }
        ar << m_iActiveTab;
        ar << m_location;
        return;
    }
    CKGPStoredLoad load;
    ReadTabs(ar, load);
    load.Commit();
}

void CKGPBaseTabWnd::ReadTabs(CArchive& ar, CKGPStoredLoad& load)
{
    CKGPStoredReader reader(ar);
    const int count = reader.ReadInt(0, kMaxStoredTabs);
    std::vector<CKGPRestoredTabInfo> tabs;
    tabs.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        CKGPRestoredTabInfo tab;
        tab.m_strText = reader.ReadString(kMaxLabelLength);
        tab.m_bVisible = reader.ReadInt(0, 1);
        tab.m_nControlBarID = reader.ReadInt(0, 0xFFFF);
        tab.m_bDetachable = reader.ReadInt(0, 1);
        tab.m_clrText = reader.ReadUInt(0, 0xFFFFFFFFu);
        tab.m_clrBack = reader.ReadUInt(0, 0xFFFFFFFFu);
        tabs.push_back(tab);
    }
    const int active = reader.ReadInt(-1, count - 1);
    const int location = reader.ReadInt(0, 1);
    load.OnCommit([this, tabs = std::move(tabs), active, location]() mutable {
        m_restoredTabs = std::move(tabs);
        m_nRestoredActiveTabID = active;
        m_nRestoredLocation = location;
    });
}

void CKGPBaseTabWnd::ApplyRestoredTabInfo(BOOL bUseTabIndexes)
{
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    // The tab active now, and the stored active one, by their records: the
    // tabs move, and stored tabs whose panes are gone are skipped.
    const CKGPTabInfo* pWasActive = IsValidTab(m_iActiveTab) ? Tab(m_iActiveTab) : nullptr;
    const CKGPTabInfo* pStoredActive = nullptr;
    int placed = 0;
    for (size_t i = 0; i < m_restoredTabs.size(); ++i) {
        const CKGPRestoredTabInfo& restored = m_restoredTabs[i];
        int iTab = -1;
        if (bUseTabIndexes) {
            iTab = static_cast<int>(i) < m_iTabsNum ? static_cast<int>(i) : -1;
        } else {
            for (int t = 0; t < m_iTabsNum; ++t) {
                CWnd* pWnd = Tab(t)->m_pWnd;
                if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr &&
                    pWnd->GetDlgCtrlID() == restored.m_nControlBarID) {
                    iTab = t;
                    break;
                }
            }
            if (iTab < 0 && pLink != nullptr && restored.m_nControlBarID != 0) {
                if (CWnd* pPane = pLink->AttachStoredPane(this, static_cast<UINT>(restored.m_nControlBarID)))
                    iTab = GetTabFromHwnd(pPane->GetSafeHwnd());
            }
        }
        if (iTab < 0)
            continue; // its pane no longer exists
        // The saved order among the tabs placed: the tab moves to where it stood.
        const int wanted = std::min(placed, m_iTabsNum - 1);
        ++placed;
        if (!bUseTabIndexes && iTab != wanted) {
            std::unique_ptr<CKGPTabInfo> record = std::move(m_arTabs[static_cast<size_t>(iTab)]);
            m_arTabs.erase(m_arTabs.begin() + iTab);
            m_arTabs.insert(m_arTabs.begin() + wanted, std::move(record));
            iTab = wanted;
        }
        CKGPTabInfo* pTab = Tab(iTab);
        if (static_cast<int>(i) == m_nRestoredActiveTabID)
            pStoredActive = pTab;
        pTab->m_strText = restored.m_strText;
        pTab->m_clrText = restored.m_clrText;
        pTab->m_clrBack = restored.m_clrBack;
        pTab->m_bIsDetachable = restored.m_bDetachable;
        pTab->m_bVisible = restored.m_bVisible;
        if (!restored.m_bVisible && pTab->m_pWnd != nullptr && m_bHideInactiveWnd)
            pTab->m_pWnd->ShowWindow(SW_HIDE);
    }
    m_location = m_nRestoredLocation;
    const auto indexOf = [this](const CKGPTabInfo* pRecord) {
        for (int t = 0; t < m_iTabsNum; ++t) {
            if (Tab(t) == pRecord)
                return t;
        }
        return -1;
    };
    // The tab active before stays known as active, wherever it moved, so
    // that activating another hides its window.
    m_iActiveTab = indexOf(pWasActive);
    int active = indexOf(pStoredActive);
    if (!IsValidTab(active) || !Tab(active)->m_bVisible)
        active = kgp::tabs::FirstVisibleFrom(VisibleFlags(), 0);
    // Only the active tab's window shows.
    for (int t = 0; t < m_iTabsNum && m_bHideInactiveWnd; ++t) {
        CWnd* pWnd = Tab(t)->m_pWnd;
        if (t != active && t != m_iActiveTab && pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
            pWnd->ShowWindow(SW_HIDE);
    }
    RecalcLayout();
    if (active >= 0) {
        ActivateAndNotify(active);
    } else if (m_iActiveTab >= 0) {
        // No tab shows: none is active.
        if (CWnd* pWnd = Tab(m_iActiveTab)->m_pWnd; pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && m_bHideInactiveWnd)
            pWnd->ShowWindow(SW_HIDE);
        m_iActiveTab = -1;
        FireChangeActiveTab(-1);
    }
}
