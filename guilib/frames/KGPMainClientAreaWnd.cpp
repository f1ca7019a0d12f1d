#include "guilib/frames/KGPMainClientAreaWnd.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/frames/KGPMDITabGroupMath.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKGPMainClientAreaWnd, CWnd)

BOOL CKGPMainClientAreaWnd::m_bDisableSetRedraw = TRUE;
DWORD CKGPMainClientAreaWnd::m_dwCaptionStyleMask = WS_CAPTION | WS_THICKFRAME;

namespace {

constexpr UINT kUpdateTabsMessage = WM_USER + 101;

void RedrawNow(CWnd& wnd, UINT flags)
{
    if (wnd.GetSafeHwnd() != nullptr)
        wnd.RedrawWindow(nullptr, nullptr, flags);
}

} // namespace

// ---- Parameters.

CKGPMDITabParams::CKGPMDITabParams()
    : m_tabLocation(CKGPTabWnd::LOCATION_TOP), m_style(CKGPTabWnd::STYLE_3D_SCROLLED), m_bTabIcons(FALSE),
      m_bTabCloseButton(TRUE), m_bTabCustomTooltips(FALSE), m_bAutoColor(FALSE), m_nTabListMode(FALSE),
      m_bEnableTabSwap(TRUE), m_nTabBorderSize(CKGPVisualManager::GetInstance()->GetMDITabsBorderSize()),
      m_bFlatFrame(TRUE)
{
}

void CKGPMDITabParams::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_tabLocation << m_style << m_bTabCloseButton << m_bTabIcons << m_bAutoColor << m_nTabListMode
           << m_bEnableTabSwap << m_nTabBorderSize;
    } else {
        ar >> m_tabLocation >> m_style >> m_bTabCloseButton >> m_bTabIcons >> m_bAutoColor >> m_nTabListMode >>
            m_bEnableTabSwap >> m_nTabBorderSize;
    }
}

// ---- The client area.

BEGIN_MESSAGE_MAP(CKGPMainClientAreaWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_STYLECHANGING()
    ON_WM_SIZE()
    ON_MESSAGE(WM_MDISETMENU, &CKGPMainClientAreaWnd::OnSetMenu)
    ON_MESSAGE(WM_MDIREFRESHMENU, &CKGPMainClientAreaWnd::OnMDIRefreshMenu)
    ON_MESSAGE(WM_MDIDESTROY, &CKGPMainClientAreaWnd::OnMDIDestroy)
    ON_MESSAGE(WM_MDINEXT, &CKGPMainClientAreaWnd::OnMDINext)
    ON_MESSAGE(kUpdateTabsMessage, &CKGPMainClientAreaWnd::OnUpdateTabs)
    ON_REGISTERED_MESSAGE(KGM_GETDRAGBOUNDS, &CKGPMainClientAreaWnd::OnGetDragBounds)
    ON_REGISTERED_MESSAGE(KGM_ON_DRAGCOMPLETE, &CKGPMainClientAreaWnd::OnDragComplete)
    ON_REGISTERED_MESSAGE(KGM_ON_TABGROUPMOUSEMOVE, &CKGPMainClientAreaWnd::OnTabGroupMouseMove)
    ON_REGISTERED_MESSAGE(KGM_ON_CANCELTABMOVE, &CKGPMainClientAreaWnd::OnCancelTabMove)
    ON_REGISTERED_MESSAGE(KGM_ON_MOVETABCOMPLETE, &CKGPMainClientAreaWnd::OnMoveTabComplete)
END_MESSAGE_MAP()

CKGPMainClientAreaWnd::CKGPMainClientAreaWnd() : m_wndTab(std::make_unique<CKGPTabWnd>()), m_mapIconIndex(10) {}

CKGPMainClientAreaWnd::~CKGPMainClientAreaWnd() = default;

// Both found on the windows themselves: the client area is subclassed onto
// the MDI client of whichever frame implements IKGPMDIClientFrame (the
// library's MDI frame or an application's own), and the layer makes the
// document windows, plain ones among them; nothing hands either over.
IKGPMDIClientFrame* CKGPMainClientAreaWnd::GetClientFrame() const
{
    return GetSafeHwnd() != nullptr ? dynamic_cast<IKGPMDIClientFrame*>(GetParent()) : nullptr;
}

IKGPMDITabChild* CKGPMainClientAreaWnd::TabChildOf(CWnd* pWnd)
{
    return dynamic_cast<IKGPMDITabChild*>(pWnd);
}

std::vector<CWnd*> CKGPMainClientAreaWnd::GetMDIChildren() const
{
    std::vector<CWnd*> children;
    if (GetSafeHwnd() == nullptr)
        return children;
    for (HWND hwnd = ::GetWindow(m_hWnd, GW_CHILD); hwnd != nullptr; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if ((::GetWindowLong(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0)
            children.push_back(CWnd::FromHandle(hwnd));
    }
    return children;
}

std::vector<CKGPTabWnd*> CKGPMainClientAreaWnd::Groups() const
{
    std::vector<CKGPTabWnd*> groups;
    for (POSITION pos = m_lstTabbedGroups.GetHeadPosition(); pos != nullptr;)
        groups.push_back(m_lstTabbedGroups.GetNext(pos));
    return groups;
}

BOOL CKGPMainClientAreaWnd::IsMemberOfMDITabGroup(CWnd* pWnd) const
{
    auto* pGroup = DYNAMIC_DOWNCAST(CKGPTabWnd, pWnd);
    return m_bIsMDITabbedGroup && pGroup != nullptr && m_lstTabbedGroups.Find(pGroup) != nullptr;
}

void CKGPMainClientAreaWnd::RecalcFrameLayout()
{
    if (CWnd* pParent = GetParent()) {
        if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParent))
            pFrame->RecalcLayout();
    }
}

BOOL CKGPMainClientAreaWnd::KeepsClientEdge()
{
    if (m_bIsMDITabbedGroup || GetSafeHwnd() == nullptr)
        return FALSE;
    const HWND hActive = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    return hActive != nullptr && (::GetWindowLong(hActive, GWL_STYLE) & WS_SYSMENU) != 0;
}

void CKGPMainClientAreaWnd::SetClientEdge(BOOL bEdge)
{
    if (GetSafeHwnd() == nullptr || KeepsClientEdge())
        return;
    if (bEdge)
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    else
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
}

void CKGPMainClientAreaWnd::ApplyParams(CKGPTabWnd* pTabWnd)
{
    if (pTabWnd == nullptr || pTabWnd->GetSafeHwnd() == nullptr)
        return;
    const CKGPMDITabParams& params = m_mdiTabParams;
    pTabWnd->SetTabStyle(params.m_style);
    pTabWnd->SetLocation(params.m_tabLocation);
    pTabWnd->EnableTabList(params.m_nTabListMode);
    pTabWnd->EnableAutoColor(params.m_bAutoColor);
    pTabWnd->EnableTabSwap(params.m_bEnableTabSwap);
    pTabWnd->SetTabBorderSize(params.m_nTabBorderSize, TRUE);
    pTabWnd->EnableCustomToolTips(params.m_bTabCustomTooltips);
    pTabWnd->AutoDestroyWindow(FALSE);
    pTabWnd->EnableHighlightOnHover(FALSE);
    pTabWnd->SetActivateOnButtonUp(FALSE);
    pTabWnd->SetHideWhenEmpty(TRUE);
    if (pTabWnd->IsFlatFrame() != params.m_bFlatFrame)
        pTabWnd->SetFlatFrame(params.m_bFlatFrame, TRUE);
    pTabWnd->EnableActivateOnRightClick(TRUE);
    pTabWnd->SetReturnToPreviousTab(TRUE);
    pTabWnd->SetLabelNoPrefix(TRUE);
    pTabWnd->SetActiveTabBold(TRUE);
    // The document windows stay MDI children: the client area places them.
    pTabWnd->SetMDITab(TRUE);
    pTabWnd->HideInactiveWindow(FALSE);
    pTabWnd->SetWindowPositions(FALSE);
}

// ---- Modes.

void CKGPMainClientAreaWnd::EnableMDITabs(BOOL bEnable, const CKGPMDITabParams& params)
{
    if (m_bIsMDITabbedGroup)
        EnableMDITabbedGroups(FALSE, params);
    m_bTabIsEnabled = bEnable;
    m_bTabIsVisible = bEnable;
    m_mdiTabParams = params;
    if (bEnable && m_wndTab->GetSafeHwnd() == nullptr)
        CreateTabGroup(m_wndTab.get());
    ApplyParams(m_wndTab.get());
    if (bEnable) {
        UpdateTabs(FALSE);
        SetClientEdge(FALSE);
    } else {
        RestoreCaptions();
        SetClientEdge(TRUE);
    }
    if (bEnable) {
        m_wndTab->ShowWindow(SW_SHOW);
    } else if (m_wndTab->GetSafeHwnd() != nullptr) {
        // Unused, the strip goes with its icons; a new one comes when tabs are on again.
        m_wndTab->DestroyWindow();
        m_wndTab = std::make_unique<CKGPTabWnd>();
        m_TabIcons.DeleteImageList();
        m_mapIconIndex.RemoveAll();
    }
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RecalcFrameLayout();
    const UINT redraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
    RedrawNow(*m_wndTab, redraw);
    RedrawNow(*this, redraw);
}

void CKGPMainClientAreaWnd::EnableMDITabbedGroups(BOOL bEnable, const CKGPMDITabParams& params)
{
    if (m_bTabIsEnabled)
        EnableMDITabs(FALSE, params);
    if (m_wndTab->GetSafeHwnd() != nullptr)
        m_wndTab->ShowWindow(SW_HIDE);
    const HWND hActive = GetSafeHwnd() != nullptr ? reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE)) : nullptr;
    if (m_bIsMDITabbedGroup && !bEnable) {
        for (CKGPTabWnd* pGroup : Groups())
            pGroup->ShowWindow(SW_HIDE);
        RestoreCaptions();
        // Emptied, the groups leave: a window closed meanwhile would leave
        // its tab behind in a hidden group.
        while (!m_lstTabbedGroups.IsEmpty())
            RemoveTabGroup(m_lstTabbedGroups.GetHead(), FALSE);
    }
    m_bIsMDITabbedGroup = bEnable;
    m_bTabIsVisible = bEnable;
    if (!bEnable) {
        SetClientEdge(TRUE);
        RecalcFrameLayout();
        return;
    }
    m_mdiTabParams = params;
    SetClientEdge(FALSE);
    for (CKGPTabWnd* pGroup : Groups()) {
        pGroup->ShowWindow(SW_SHOWNA);
        ApplyParams(pGroup);
    }
    UpdateMDITabbedGroups(TRUE);
    RecalcFrameLayout();
    for (CKGPTabWnd* pGroup : Groups())
        pGroup->RecalcLayout();
    if (hActive != nullptr && ::IsWindow(hActive))
        SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hActive));
}

void CKGPMainClientAreaWnd::RestoreCaptions()
{
    for (CWnd* pChild : GetMDIChildren()) {
        if ((pChild->GetStyle() & WS_SYSMENU) != 0)
            continue;
        if (IKGPMDITabChild* pTabChild = TabChildOf(pChild))
            pTabChild->SetRelatedTabGroup(nullptr);
        pChild->ModifyStyle(0, WS_SYSMENU | m_dwCaptionStyleMask, SWP_FRAMECHANGED);
    }
    if (m_wndTab->GetSafeHwnd() != nullptr)
        m_wndTab->RemoveAllTabs();
    for (CKGPTabWnd* pGroup : Groups())
        pGroup->RemoveAllTabs();
}

// ---- Tabs following the children.

int CKGPMainClientAreaWnd::IconIndex(CImageList& images, HICON hIcon)
{
    if (hIcon == nullptr)
        return -1;
    int index = -1;
    if (&images == &m_TabIcons && m_mapIconIndex.Lookup(hIcon, index))
        return index;
    index = ImageList_ReplaceIcon(images.GetSafeHandle(), -1, hIcon);
    if (&images == &m_TabIcons && index >= 0)
        m_mapIconIndex.SetAt(hIcon, index);
    return index;
}

void CKGPMainClientAreaWnd::UpdateTabIcon(CKGPTabWnd* pTabWnd, CImageList* pImages, int iTab, HICON hIcon)
{
    if (pImages == nullptr || pImages->GetSafeHandle() == nullptr)
        return;
    if (!m_mdiTabParams.m_bTabIcons) {
        if (pTabWnd->GetImageList() != nullptr)
            pTabWnd->ClearImageList();
        ImageList_RemoveAll(pImages->GetSafeHandle());
        if (pImages == &m_TabIcons)
            m_mapIconIndex.RemoveAll();
        return;
    }
    const int index = IconIndex(*pImages, hIcon);
    if (pTabWnd->GetImageList() != pImages->GetSafeHandle())
        pTabWnd->SetImageList(pImages->GetSafeHandle());
    if (index >= 0 && pTabWnd->GetTabIcon(iTab) != static_cast<UINT>(index))
        pTabWnd->SetTabIcon(iTab, static_cast<UINT>(index));
}

void CKGPMainClientAreaWnd::UpdateTabs(BOOL bSetActiveTabVisible)
{
    if (m_bDisableUpdateTabs)
        return;
    if (m_bIsMDITabbedGroup) {
        UpdateMDITabbedGroups(bSetActiveTabVisible);
        return;
    }
    if (m_wndTab->GetSafeHwnd() == nullptr || !m_bTabIsVisible)
        return;
    const BOOL bWasEmpty = m_wndTab->GetTabsNum() == 0;
    for (CWnd* pChild : GetMDIChildren()) {
        IKGPMDITabChild* pTabChild = TabChildOf(pChild);
        if (pTabChild != nullptr && pTabChild->IsToBeDestroyed())
            continue;
        const BOOL bCanShow = pTabChild == nullptr || pTabChild->CanShowOnMDITabs();
        CString label;
        HICON hIcon = nullptr;
        if (pTabChild != nullptr) {
            pTabChild->GetFrameText(label);
            hIcon = pTabChild->GetFrameIcon();
        } else {
            pChild->GetWindowText(label);
            hIcon = reinterpret_cast<HICON>(pChild->SendMessage(WM_GETICON, ICON_SMALL));
            if (hIcon == nullptr)
                hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pChild->GetSafeHwnd(), GCLP_HICONSM));
        }
        int iTab = m_wndTab->GetTabFromHwnd(pChild->GetSafeHwnd());
        if (iTab < 0) {
            if (!bCanShow || !IsShownInClient(pChild))
                continue;
            pChild->ModifyStyle(m_dwCaptionStyleMask | WS_SYSMENU | WS_MAXIMIZE, 0, SWP_NOZORDER);
            m_wndTab->AddTab(pChild, label, static_cast<UINT>(-1), FALSE);
            iTab = m_wndTab->GetTabsNum() - 1;
            m_wndTab->SetActiveTab(iTab);
        } else if (!IsShownInClient(pChild)) {
            m_wndTab->RemoveTab(iTab, TRUE);
            continue;
        } else {
            CString current;
            if (m_wndTab->GetTabLabel(iTab, current) && current != label)
                m_wndTab->SetTabLabel(iTab, label);
        }
        UpdateTabIcon(m_wndTab.get(), &m_TabIcons, iTab, hIcon);
    }
    if (bSetActiveTabVisible && m_wndTab->GetActiveTab() >= 0)
        m_wndTab->EnsureVisible(m_wndTab->GetActiveTab());
    if (bWasEmpty != (m_wndTab->GetTabsNum() == 0))
        RecalcFrameLayout();
}

void CKGPMainClientAreaWnd::UpdateMDITabbedGroups(BOOL bSetActiveTabVisible)
{
    if (m_bDisableUpdateTabs || GetSafeHwnd() == nullptr)
        return;
    BOOL bRecalcFrame = FALSE;
    CWnd* pToActivate = nullptr;
    for (CWnd* pChild : GetMDIChildren()) {
        IKGPMDITabChild* pTabChild = TabChildOf(pChild);
        if (pTabChild == nullptr)
            continue;
        const BOOL bCanShow = pTabChild->CanShowOnMDITabs();
        CString label;
        pTabChild->GetFrameText(label);
        CKGPTabWnd* pGroup = pTabChild->GetRelatedTabGroup();
        int iTab = -1;
        if (pGroup == nullptr) {
            if (pTabChild->IsToBeDestroyed() || !bCanShow)
                continue;
            pChild->ModifyStyle(m_dwCaptionStyleMask | WS_SYSMENU | WS_MAXIMIZE, 0, SWP_NOZORDER);
            if (m_lstTabbedGroups.IsEmpty()) {
                pGroup = CreateTabGroup(nullptr);
                if (pGroup == nullptr)
                    continue;
                m_lstTabbedGroups.AddTail(pGroup);
            } else {
                pGroup = GetActiveGroup();
                if (pGroup == nullptr)
                    pGroup = m_lstTabbedGroups.GetHead();
            }
            pTabChild->SetRelatedTabGroup(pGroup);
            pGroup->AddTab(pChild, label, static_cast<UINT>(-1), TRUE);
            iTab = pGroup->GetTabsNum() - 1;
            if (!IsShownInClient(pGroup))
                pGroup->ShowWindow(SW_SHOWNA);
            pToActivate = pChild;
        } else {
            iTab = pGroup->GetTabFromHwnd(pChild->GetSafeHwnd());
            if (iTab < 0)
                continue;
            if (!IsShownInClient(pChild)) {
                pGroup->RemoveTab(iTab, TRUE);
                pTabChild->SetRelatedTabGroup(nullptr);
                if (pGroup->GetTabsNum() == 0)
                    RemoveTabGroup(pGroup, FALSE);
                bRecalcFrame = TRUE;
                continue;
            }
            CString current;
            if (pGroup->GetTabLabel(iTab, current) && current != label)
                pGroup->SetTabLabel(iTab, label);
        }
        UpdateTabIcon(pGroup, GroupImageList(pGroup), iTab, pTabChild->GetFrameIcon());
    }
    for (CKGPTabWnd* pGroup : Groups())
        PlaceGroupChildren(pGroup);
    if (bRecalcFrame)
        RecalcFrameLayout();
    if (pToActivate != nullptr && pToActivate->GetSafeHwnd() != nullptr)
        SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pToActivate->GetSafeHwnd()));
    if (bSetActiveTabVisible) {
        if (CKGPTabWnd* pActive = GetActiveGroup(); pActive != nullptr && pActive->GetActiveTab() >= 0)
            pActive->EnsureVisible(pActive->GetActiveTab());
    }
}

CKGPTabWnd* CKGPMainClientAreaWnd::GetActiveGroup() const
{
    for (CKGPTabWnd* pGroup : Groups()) {
        if (pGroup->IsActiveInMDITabGroup())
            return pGroup;
    }
    return nullptr;
}

CKGPTabWnd* CKGPMainClientAreaWnd::GroupOf(CWnd* pChild) const
{
    if (pChild == nullptr)
        return nullptr;
    if (IKGPMDITabChild* pTabChild = TabChildOf(pChild))
        return pTabChild->GetRelatedTabGroup();
    for (CKGPTabWnd* pGroup : Groups()) {
        if (pGroup->GetTabFromHwnd(pChild->GetSafeHwnd()) >= 0)
            return pGroup;
    }
    return nullptr;
}

void CKGPMainClientAreaWnd::SetActiveTab(HWND hwnd)
{
    if (m_bDisableUpdateTabs || hwnd == nullptr)
        return;
    if (m_bIsMDITabbedGroup) {
        CKGPTabWnd* pGroup = GroupOf(CWnd::FromHandle(hwnd));
        if (pGroup == nullptr)
            return;
        const int iTab = pGroup->GetTabFromHwnd(hwnd);
        if (iTab < 0)
            return;
        CRect rectGroup;
        pGroup->GetClientRect(rectGroup);
        if (rectGroup.IsRectEmpty())
            RecalcFrameLayout();
        CKGPTabWnd* pPrevious = GetActiveGroup();
        if (pPrevious != nullptr && pPrevious != pGroup) {
            pPrevious->SetActiveInMDITabGroup(FALSE);
            pPrevious->Invalidate();
        }
        pGroup->SetActiveInMDITabGroup(TRUE);
        if (pGroup->GetActiveTab() != iTab)
            pGroup->SetActiveTab(iTab);
        pGroup->Invalidate();
        return;
    }
    if (m_bTabIsVisible && m_wndTab->GetSafeHwnd() != nullptr) {
        const int iTab = m_wndTab->GetTabFromHwnd(hwnd);
        if (iTab >= 0 && m_wndTab->GetActiveTab() != iTab)
            m_wndTab->SetActiveTab(iTab);
    }
}

void CKGPMainClientAreaWnd::CloseAllWindows(CKGPTabWnd* pTabWnd)
{
    if (pTabWnd != nullptr) {
        for (int iTab = pTabWnd->GetTabsNum() - 1; iTab >= 0; --iTab) {
            if (CWnd* pWnd = pTabWnd->GetTabWnd(iTab))
                pWnd->SendMessage(WM_CLOSE);
        }
        return;
    }
    for (CWnd* pChild : GetMDIChildren()) {
        if (::IsWindow(pChild->GetSafeHwnd()))
            pChild->SendMessage(WM_CLOSE);
    }
}

// ---- Layout.

void CKGPMainClientAreaWnd::PlaceTabbedChildren(const CRect& rectClient)
{
    const HWND hActive = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    for (int iTab = 0; iTab < m_wndTab->GetTabsNum(); ++iTab) {
        CWnd* pChild = m_wndTab->GetTabWnd(iTab);
        if (pChild == nullptr || pChild->GetSafeHwnd() == nullptr || (pChild->GetStyle() & WS_SYSMENU) != 0)
            continue;
        if (pChild->IsIconic())
            pChild->ShowWindow(SW_RESTORE);
        CRect rect = rectClient;
        ::AdjustWindowRectEx(&rect, pChild->GetStyle(), FALSE, pChild->GetExStyle());
        CRect current;
        pChild->GetWindowRect(current);
        ScreenToClient(current);
        if (current == rect)
            continue;
        const UINT flags = pChild->GetSafeHwnd() == hActive ? SWP_NOACTIVATE
                                                            : SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE;
        pChild->SetWindowPos(&wndTop, rect.left, rect.top, rect.Width(), rect.Height(), flags);
    }
}

void CKGPMainClientAreaWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (m_bDisableUpdateTabs || GetSafeHwnd() == nullptr)
        return;
    CRect rect(lpClientRect);
    if (m_bIsMDITabbedGroup) {
        SetWindowPos(&wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
        LayoutGroups();
        return;
    }
    if (m_bTabIsEnabled && m_wndTab->GetSafeHwnd() != nullptr) {
        CRect rectTabs;
        CRect rectBefore;
        GetClientRect(rectBefore);
        const BOOL bStripShown = m_bTabIsVisible && m_wndTab->GetTabsNum() > 0;
        if (bStripShown) {
            m_wndTab->SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
            const CRect area = m_wndTab->GetWndArea();
            rectTabs = rect;
            rect = CRect(rect.left + area.left, rect.top + area.top, rect.left + area.right, rect.top + area.bottom);
            m_wndTab->ShowWindow(SW_SHOWNA);
        } else {
            m_wndTab->ShowWindow(SW_HIDE);
        }
        if (IKGPMDIClientFrame* pFrame = GetClientFrame())
            pFrame->OnAdjustMDIClientArea(rect, rectTabs);
        SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (!bStripShown) {
            CRect rectAfter;
            GetClientRect(rectAfter);
            KeepMinimizedChildrenAtBottom(rectAfter.Height() - rectBefore.Height());
        }
        CWnd::CalcWindowRect(rect, nAdjustType);
        CRect rectClient;
        GetClientRect(rectClient);
        PlaceTabbedChildren(rectClient);
        *lpClientRect = rect;
        return;
    }
    SetWindowPos(&wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

// Minimised children (no tabs shown) lie along the client's bottom: they move
// down as much as the client grew (up as it shrank, never above its top),
// from the top of the z-order until a maximised child.
void CKGPMainClientAreaWnd::KeepMinimizedChildrenAtBottom(int nHeightChange)
{
    if (nHeightChange == 0)
        return;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (::IsZoomed(hChild))
            break;
        if (!::IsIconic(hChild))
            continue;
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ScreenToClient(rect);
        ::SetWindowPos(hChild, nullptr, rect.left, (std::max)(0, static_cast<int>(rect.top) + nHeightChange), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// ---- Messages.

// The client's size changes without the frame laying it out when the system
// shows or hides its scroll bars (children placed before the frame showed
// stood outside it): the tab groups, or the tabbed children, follow.
void CKGPMainClientAreaWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_bDisableUpdateTabs)
        return;
    if (m_bIsMDITabbedGroup) {
        LayoutGroups();
        return;
    }
    if (!m_bTabIsEnabled || !m_bTabIsVisible || m_wndTab->GetTabsNum() == 0)
        return;
    CRect rectClient;
    GetClientRect(rectClient);
    PlaceTabbedChildren(rectClient);
}

BOOL CKGPMainClientAreaWnd::OnEraseBkgnd(CDC* pDC)
{
    IKGPMDIClientFrame* pFrame = GetClientFrame();
    if (pFrame != nullptr && pFrame->OnEraseMDIClientBackground(pDC))
        return TRUE;
    CRect rectClient;
    GetClientRect(rectClient);
    if (CKGPVisualManager::GetInstance()->EraseMDIClientArea(pDC, rectClient))
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

void CKGPMainClientAreaWnd::OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    if (nStyleType == GWL_EXSTYLE && (m_bTabIsVisible || m_bIsMDITabbedGroup) && !KeepsClientEdge())
        lpStyleStruct->styleNew &= ~WS_EX_CLIENTEDGE;
    CWnd::OnStyleChanging(nStyleType, lpStyleStruct);
}

LRESULT CKGPMainClientAreaWnd::OnSetMenu(WPARAM wParam, LPARAM lParam)
{
    IKGPMDIClientFrame* pFrame = GetClientFrame();
    if (pFrame != nullptr && pFrame->OnSetMenu(reinterpret_cast<HMENU>(wParam)))
        wParam = 0;
    return DefWindowProc(WM_MDISETMENU, wParam, lParam);
}

LRESULT CKGPMainClientAreaWnd::OnMDIRefreshMenu(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = DefWindowProc(WM_MDIREFRESHMENU, wParam, lParam);
    if (IKGPMDIClientFrame* pFrame = GetClientFrame())
        pFrame->OnRefreshWindowMenu();
    return result;
}

LRESULT CKGPMainClientAreaWnd::OnUpdateTabs(WPARAM, LPARAM)
{
    UpdateTabs(FALSE);
    return 0;
}

LRESULT CKGPMainClientAreaWnd::OnMDINext(WPARAM wParam, LPARAM lParam)
{
    if (!m_bIsMDITabbedGroup && !(m_bTabIsEnabled && m_bTabIsVisible))
        return DefWindowProc(WM_MDINEXT, wParam, lParam);
    const HWND hCurrent = wParam != 0 ? reinterpret_cast<HWND>(wParam)
                                      : reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE));
    std::vector<CKGPTabWnd*> groups;
    if (m_bIsMDITabbedGroup)
        groups = Groups();
    else
        groups.push_back(m_wndTab.get());
    std::vector<int> counts;
    kgp::mdi::TabPlace active;
    CKGPTabWnd* pActiveGroup = m_bIsMDITabbedGroup ? GetActiveGroup() : m_wndTab.get();
    for (size_t i = 0; i < groups.size(); ++i) {
        counts.push_back(groups[i]->GetTabsNum());
        if (groups[i] == pActiveGroup)
            active = {static_cast<int>(i), groups[i]->GetActiveTab()};
    }
    const kgp::mdi::TabPlace next = kgp::mdi::StepTab(counts, active, lParam != 0);
    if (next.group < 0)
        return 0;
    CWnd* pNext = groups[static_cast<size_t>(next.group)]->GetTabWnd(next.tab);
    if (pNext == nullptr || pNext->GetSafeHwnd() == hCurrent)
        return 0;
    SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pNext->GetSafeHwnd()));
    SetActiveTab(pNext->GetSafeHwnd());
    return 0;
}

LRESULT CKGPMainClientAreaWnd::OnMDIDestroy(WPARAM wParam, LPARAM lParam)
{
    IKGPMDIClientFrame* pFrame = GetClientFrame();
    const BOOL bClosing = pFrame != nullptr && pFrame->IsMDIFrameClosing();
    const HWND hChild = reinterpret_cast<HWND>(wParam);
    CWnd* pChild = CWnd::FromHandle(hChild);
    IKGPMDITabChild* pTabChild = TabChildOf(pChild);
    BOOL bRedrawOff = FALSE;
    if (!bClosing && !m_bDisableSetRedraw) {
        SetRedraw(FALSE);
        bRedrawOff = TRUE;
    }
    BOOL bActiveTabChanged = FALSE;
    HWND hToActivate = nullptr;
    CKGPTabWnd* pGroup = m_bIsMDITabbedGroup ? GroupOf(pChild) : nullptr;
    if (pTabChild != nullptr)
        pTabChild->SetRelatedTabGroup(nullptr);
    if (pGroup != nullptr) {
        const int iTab = pGroup->GetTabFromHwnd(hChild);
        if (iTab >= 0) {
            if (pTabChild != nullptr)
                pTabChild->SetToBeDestroyed(TRUE);
            pGroup->RemoveTab(iTab, TRUE);
        }
        if (pGroup->GetTabsNum() == 0 && m_lstTabbedGroups.Find(pGroup) != nullptr) {
            if (m_lstTabbedGroups.GetCount() >= 2 && pGroup->IsActiveInMDITabGroup()) {
                POSITION pos = m_lstTabbedGroups.Find(pGroup);
                m_lstTabbedGroups.GetNext(pos);
                CKGPTabWnd* pNext = pos != nullptr ? m_lstTabbedGroups.GetAt(pos) : m_lstTabbedGroups.GetHead();
                const int iActive = pNext->GetActiveTab() >= 0 ? pNext->GetActiveTab() : 0;
                if (CWnd* pWnd = pNext->GetTabWnd(iActive))
                    hToActivate = pWnd->GetSafeHwnd();
            }
            RemoveTabGroup(pGroup, TRUE);
        } else {
            bActiveTabChanged = TRUE;
        }
    } else if (m_bTabIsEnabled && m_wndTab->GetSafeHwnd() != nullptr) {
        const int iTab = m_wndTab->GetTabFromHwnd(hChild);
        if (iTab >= 0) {
            if (pTabChild != nullptr)
                pTabChild->SetToBeDestroyed(TRUE);
            m_wndTab->RemoveTab(iTab, TRUE);
            bActiveTabChanged = TRUE;
        }
    }
    const LRESULT result = DefWindowProc(WM_MDIDESTROY, wParam, lParam);
    if (bActiveTabChanged && !bClosing)
        RecalcFrameLayout();
    if (!bClosing && hToActivate != nullptr && ::IsWindow(hToActivate)) {
        SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hToActivate));
        SetActiveTab(hToActivate);
    }
    if (bRedrawOff) {
        SetRedraw(TRUE);
        if (CWnd* pParent = GetParent())
            RedrawNow(*pParent, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return result;
}
