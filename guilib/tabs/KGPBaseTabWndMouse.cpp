// The tab window's mouse: activation by click, reordering by dragging a tab
// along the strip, floating it by dragging it away, hover tracking, renaming
// in place, tooltips and the OLE drag passing over the tabs.
#include "guilib/tabs/KGPBaseTabWnd.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPWindowHelpers.h"
#include "guilib/tabs/KGPTabDockingLink.h"
#include "guilib/tabs/KGPTabNotifications.h"

BOOL CKGPBaseTabWnd::ActivateByClick(int iTab)
{
    m_iPrevActiveTab = m_iActiveTab;
    m_bActivatingByMouse = TRUE;
    m_bActivatedByClick = TRUE;
    m_bActivateTabNotified = FALSE;
    const BOOL bActivated = SetActiveTab(iTab);
    m_bActivatingByMouse = FALSE;
    m_bActivatedByClick = FALSE;
    if (!bActivated)
        return FALSE;
    if (!m_bActivateTabNotified)
        FireChangeActiveTab(m_iActiveTab);
    return TRUE;
}

void CKGPBaseTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bWindowPosChanged = FALSE;
    const int iTab = GetTabFromPoint(point);
    m_iHighlighted = iTab;
    if (iTab < 0) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    if (m_bActivateOnBtnUp) {
        m_iPressed = iTab;
        InvalidateRect(Tab(iTab)->m_rect);
        return;
    }
    if (iTab != m_iActiveTab) {
        if (!ActivateByClick(iTab))
            return;
    } else if (CWnd* pActive = GetActiveWnd()) {
        pActive->SetFocus();
    }
    // A click that left the same tab under the cursor may drag it.
    if (GetTabFromPoint(point) == iTab && !m_bWindowPosChanged && GetSafeHwnd() != nullptr) {
        SetCapture();
        m_bTabDragTracking = TRUE;
        m_ptStartDrag = point;
        m_iTabBeforeDrag = m_iActiveTab;
        m_nOffsetFromTabLeft = point.x - Tab(m_iActiveTab)->m_rect.left;
    }
}

void CKGPBaseTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bActivateOnBtnUp && m_iPressed >= 0) {
        const int iTab = GetTabFromPoint(point);
        const int pressed = m_iPressed;
        m_iPressed = -1;
        if (iTab == pressed && iTab == m_iHighlighted && iTab != m_iActiveTab)
            ActivateByClick(iTab);
        if (IsValidTab(pressed))
            InvalidateRect(Tab(pressed)->m_rect);
    }
    if (m_bTabDragTracking) {
        m_bTabDragTracking = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
        if (m_iTabBeforeDrag >= 0 && m_iTabBeforeDrag != m_iActiveTab) {
            const int from = m_iTabBeforeDrag;
            const int to = m_iActiveTab;
            CWnd* pParent = GetParent();
            if (pParent != nullptr) {
                KGPTabNotifications::SendTabMoved(pParent, from, to);
                IKGPTabDockingLink* pLink = KGPTabDocking::Link();
                if (pLink != nullptr && pLink->GetOwningTabbedBar(this) != nullptr) {
                    if (CFrameWnd* pFrame = GetTopLevelFrameOf(pParent))
                        KGPTabNotifications::SendTabMoved(pFrame, from, to);
                }
            }
        }
        m_iTabBeforeDrag = -1;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CKGPBaseTabWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    const int iTab = GetTabFromPoint(point);
    if (m_bActivateOnRightClick && iTab >= 0 && iTab != m_iActiveTab)
        ActivateByClick(iTab);
    CWnd::OnRButtonDown(nFlags, point);
}

void CKGPBaseTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab == m_iActiveTab) {
        if (m_bIsInPlaceEdit) {
            StartRenameTab(iTab);
            return;
        }
        if (GetChildAtPoint(point) == nullptr) {
            DetachTab(KGP_TAB_DETACH_BY_DBLCLK, iTab);
            return;
        }
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CKGPBaseTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTabDragTracking) {
        if (IsPtInTabArea(point)) {
            const int iTab = GetTabFromPoint(point);
            if (m_iTabsNum >= 2 && m_bEnableTabSwap && iTab >= 0 && iTab != m_iActiveTab) {
                const int dragged = m_iActiveTab;
                SwapTabs(dragged, iTab);
                m_iActiveTab = iTab;
                RecalcLayout();
                // Tabs of other widths: the cursor keeps its place on the dragged tab.
                const CRect rect = Tab(iTab)->m_rect;
                if (!rect.PtInRect(point)) {
                    CPoint cursor(rect.left + m_nOffsetFromTabLeft, point.y);
                    ClientToScreen(&cursor);
                    ::SetCursorPos(cursor.x, cursor.y);
                }
            }
        } else {
            const int count = m_iTabsNum;
            if (DetachTab(KGP_TAB_DETACH_BY_MOUSE) && count > 2) {
                m_bTabDragTracking = FALSE;
                if (GetCapture() == this)
                    ReleaseCapture();
            }
        }
        return;
    }
    if (m_bHighLightTabs) {
        const int iTab = GetTabFromPoint(point);
        if (iTab != m_iHighlighted) {
            if (IsValidTab(m_iHighlighted))
                InvalidateRect(Tab(m_iHighlighted)->m_rect);
            if (IsValidTab(iTab))
                InvalidateRect(Tab(iTab)->m_rect);
            m_iHighlighted = iTab;
            if (iTab >= 0)
                SetCapture();
            else if (GetCapture() == this)
                ReleaseCapture();
        }
        CPoint screen = point;
        ClientToScreen(&screen);
        if (m_iHighlighted >= 0 && ::WindowFromPoint(screen) != GetSafeHwnd()) {
            InvalidateRect(Tab(m_iHighlighted)->m_rect);
            m_iHighlighted = -1;
            if (GetCapture() == this)
                ReleaseCapture();
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CKGPBaseTabWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    EndRename();
    m_bTabDragTracking = FALSE;
    m_iTabBeforeDrag = -1;
    m_iPressed = -1;
    if (m_iHighlighted >= 0 && IsValidTab(m_iHighlighted))
        InvalidateRect(Tab(m_iHighlighted)->m_rect);
    m_iHighlighted = -1;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CKGPBaseTabWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    m_bWindowPosChanged = TRUE;
}

// ---- Floating a tab's pane.

BOOL CKGPBaseTabWnd::DetachTab(int nMethod, int nTabNum, BOOL bHide)
{
    const int iTab = ResolveTabIndex(nTabNum);
    IKGPTabDockingLink* pLink = KGPTabDocking::Link();
    if (!IsValidTab(iTab) || pLink == nullptr)
        return FALSE;
    CKGPTabInfo* pTab = Tab(iTab);
    CWnd* pBar = pTab->m_pWnd;
    if (!pTab->m_bIsDetachable || pBar == nullptr || !pLink->IsControlBar(pBar) || !pLink->CanFloat(pBar))
        return FALSE;
    if (nMethod == KGP_TAB_DETACH_BY_MOUSE) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        const int dx = std::abs(cursor.x - m_ptStartDrag.x);
        const int dy = std::abs(cursor.y - m_ptStartDrag.y);
        if (dx < ::GetSystemMetrics(SM_CXDRAG) && dy < ::GetSystemMetrics(SM_CYDRAG))
            return FALSE;
    }
    if (pLink->GetOwningTabbedBar(this) == nullptr)
        return FALSE;
    if (!pLink->CanTabbedBarFloat(this) && GetVisibleTabsNum() <= 1)
        return FALSE;
    pLink->EnableGripper(pBar, TRUE);
    if (iTab != m_iActiveTab)
        pBar->ShowWindow(SW_SHOW);
    return pLink->FloatTab(this, pBar, iTab, nMethod, bHide);
}

// ---- Renaming.

BOOL CKGPBaseTabWnd::StartRenameTab(int iTab)
{
    if (!m_bIsInPlaceEdit || !IsValidTab(iTab) || GetSafeHwnd() == nullptr)
        return FALSE;
    EndRename();
    CRect rectEdit = Tab(iTab)->m_rect;
    CalcRectEdit(rectEdit);
    auto edit = std::make_unique<CEdit>();
    if (!edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rectEdit, this, 1))
        return FALSE;
    m_pInPlaceEdit = edit.release();
    m_iEditedTab = iTab;
    m_pInPlaceEdit->SetWindowText(Tab(iTab)->m_strText);
    m_pInPlaceEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetKGPGlobalData().GetRegularFont()));
    m_pInPlaceEdit->SetSel(0, -1);
    m_pInPlaceEdit->SetFocus();
    return TRUE;
}

BOOL CKGPBaseTabWnd::RenameTab()
{
    if (m_pInPlaceEdit == nullptr || !IsValidTab(m_iEditedTab))
        return FALSE;
    CString name;
    m_pInPlaceEdit->GetWindowText(name);
    if (name.IsEmpty())
        return TRUE; // nothing changes, nothing is sent
    if (!OnRenameTab(m_iEditedTab, name))
        return FALSE;
    const int iTab = m_iEditedTab;
    if (GetParent() == nullptr ||
        KGPTabNotifications::SendRenameTab(GetParent(), iTab, name) == 0)
        SetTabLabel(iTab, name);
    return TRUE;
}

void CKGPBaseTabWnd::EndRename()
{
    if (m_pInPlaceEdit == nullptr)
        return;
    std::unique_ptr<CEdit> edit(m_pInPlaceEdit);
    m_pInPlaceEdit = nullptr;
    m_iEditedTab = -1;
    if (edit->GetSafeHwnd() != nullptr)
        edit->DestroyWindow();
}

BOOL CKGPBaseTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_pInPlaceEdit != nullptr && m_pInPlaceEdit->GetSafeHwnd() != nullptr) {
        if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST &&
            pMsg->hwnd != m_pInPlaceEdit->GetSafeHwnd()) {
            EndRename();
            return FALSE;
        }
        if (pMsg->message == WM_KEYDOWN) {
            if (pMsg->wParam == VK_RETURN) {
                if (RenameTab())
                    EndRename();
                else
                    m_pInPlaceEdit->SetFocus();
                return TRUE;
            }
            if (pMsg->wParam == VK_ESCAPE) {
                EndRename();
                return TRUE;
            }
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
            return TRUE;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

// ---- Tooltips.

void CKGPBaseTabWnd::AddTabTool(const CKGPTabInfo& info)
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    const UINT_PTR id = static_cast<UINT_PTR>(info.m_iTabID);
    m_pToolTip->DelTool(this, id);
    const CRect rect = info.m_rectTooltip;
    m_pToolTip->AddTool(this, m_bCustomToolTips ? LPSTR_TEXTCALLBACK : static_cast<LPCTSTR>(info.m_strText),
                        &rect, id);
}

void CKGPBaseTabWnd::EnableCustomToolTips(BOOL bEnable)
{
    m_bCustomToolTips = bEnable;
    for (const auto& tab : m_arTabs)
        AddTabTool(*tab);
    RecalcLayout();
}

BOOL CKGPBaseTabWnd::OnNeedTipText(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    *pResult = 0;
    if (m_pToolTip == nullptr || pNMH->hwndFrom != m_pToolTip->GetSafeHwnd())
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    s_tooltipInfo.m_pTabWnd = this;
    s_tooltipInfo.m_nTabIndex = GetTabFromPoint(point);
    s_tooltipInfo.m_strText.Empty();
    if (m_bCustomToolTips)
        Notify([](CWnd* pTo) { return KGPTabNotifications::SendGetTabTooltip(pTo, s_tooltipInfo); });
    else if (IsValidTab(s_tooltipInfo.m_nTabIndex))
        s_tooltipInfo.m_strText = Tab(s_tooltipInfo.m_nTabIndex)->m_strText;
    if (s_tooltipInfo.m_strText.IsEmpty())
        return TRUE;
    auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMH);
    pInfo->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(s_tooltipInfo.m_strText));
    return TRUE;
}

// ---- An OLE drag passing over the tabs opens the tab under it.

namespace {

// While the toolbars are customised, data in the toolbar-button format.
BOOL CarriesToolbarButtons(COleDataObject* pDataObject)
{
    const CLIPFORMAT format = KGPMenuLinks::GetButtonClipboardFormat();
    return KGPMenuLinks::IsCustomizeMode() && pDataObject != nullptr && format != 0 &&
           pDataObject->IsDataAvailable(format);
}

}  // namespace

DROPEFFECT CKGPTabDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (CarriesToolbarButtons(pDataObject))
        return m_owner.OnDragEnterToolbarData(pDataObject, dwKeyState, point);
    return OnDragOver(nullptr, pDataObject, dwKeyState, point);
}

DROPEFFECT CKGPTabDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (CarriesToolbarButtons(pDataObject))
        return m_owner.OnDragOverToolbarData(pDataObject, dwKeyState, point);
    const int iTab = m_owner.GetTabFromPoint(point);
    if (iTab >= 0 && iTab != m_owner.GetActiveTab())
        m_owner.SetActiveTab(iTab);
    return DROPEFFECT_NONE;
}

void CKGPTabDropTarget::OnDragLeave(CWnd*)
{
    if (KGPMenuLinks::IsCustomizeMode())
        m_owner.OnDragLeaveToolbarData();
}

BOOL CKGPTabDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (CarriesToolbarButtons(pDataObject))
        return m_owner.OnDropToolbarData(pDataObject, dropEffect, point);
    return FALSE;
}
