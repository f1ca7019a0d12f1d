// The tasks pane under the mouse: hot tasks and captions, clicks that post a
// task's command or toggle a group (animated on timer 4), the scroll areas
// (timer 5), the status prompts, the keys of hosted controls and the idle
// update of the tasks' commands.
#include "guilib/panes/KGPTasksPane.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPWindowHelpers.h"

#include <ctime>

namespace {

constexpr UINT kIdleMessage = 57345;  // AFX_IDS_IDLEMESSAGE
constexpr UINT kSetMessageString = 0x0362;

long ClockMs()
{
    return static_cast<long>(std::clock() * 1000L / CLOCKS_PER_SEC);
}

}  // namespace

long CKGPTasksPane::Now() const
{
    return m_pClock != nullptr ? m_pClock() : ClockMs();
}

int CKGPTasksPane::GroupIndex(const CKGPTasksPaneTaskGroup* pGroup) const
{
    int index = 0;
    for (POSITION pos = m_lstTaskGroups.GetHeadPosition(); pos != nullptr; ++index)
        if (m_lstTaskGroups.GetNext(pos) == pGroup)
            return index;
    return -1;
}

int CKGPTasksPane::TaskIndex(const CKGPTasksPaneTask* pTask) const
{
    if (pTask == nullptr || pTask->m_pGroup == nullptr)
        return -1;
    int index = 0;
    for (POSITION pos = pTask->m_pGroup->m_lstTasks.GetHeadPosition(); pos != nullptr; ++index)
        if (pTask->m_pGroup->m_lstTasks.GetNext(pos) == pTask)
            return index;
    return -1;
}

CKGPTasksPaneTask* CKGPTasksPane::TaskFromPoint(CPoint point) const
{
    if (!m_rectTasks.PtInRect(point) || m_rectScrollUp.PtInRect(point) || m_rectScrollDn.PtInRect(point))
        return nullptr;
    std::vector<CKGPTasksPaneTaskGroup*> groups;
    CurrentGroups(groups);
    for (CKGPTasksPaneTaskGroup* pGroup : groups) {
        if (!pGroup->m_rectGroup.PtInRect(point))
            continue;
        for (POSITION pos = pGroup->m_lstTasks.GetHeadPosition(); pos != nullptr;) {
            CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(pos);
            // Labels, disabled tasks and hosted windows are never hot.
            if (pTask->m_bVisible && pTask->m_bEnabled && pTask->m_uiCommandID != 0 && pTask->m_hwndTask == nullptr &&
                pTask->m_rect.PtInRect(point))
                return pTask;
        }
    }
    return nullptr;
}

CKGPTasksPaneTaskGroup* CKGPTasksPane::CaptionFromPoint(CPoint point) const
{
    if (!m_bCanCollapse || !m_rectTasks.PtInRect(point))
        return nullptr;
    std::vector<CKGPTasksPaneTaskGroup*> groups;
    CurrentGroups(groups);
    for (CKGPTasksPaneTaskGroup* pGroup : groups)
        if (!pGroup->m_strName.IsEmpty() && pGroup->m_rect.PtInRect(point))
            return pGroup;
    return nullptr;
}

void CKGPTasksPane::ShowStatusPrompt(UINT nID)
{
    if (CFrameWnd* pFrame = GetTopLevelFrameOf(this))
        pFrame->SendMessage(kSetMessageString, nID);
}

void CKGPTasksPane::SetHotTask(CKGPTasksPaneTask* pTask)
{
    if (pTask == m_pHotTask)
        return;
    if (m_pHotTask != nullptr)
        InvalidateRect(m_pHotTask->m_rect);
    m_pHotTask = pTask;
    if (m_pHotTask != nullptr) {
        InvalidateRect(m_pHotTask->m_rect);
        ShowStatusPrompt(m_pHotTask->m_uiCommandID);
    } else {
        ShowStatusPrompt(kIdleMessage);
    }
}

void CKGPTasksPane::SetHotCaption(CKGPTasksPaneTaskGroup* pGroup)
{
    if (pGroup == m_pHotGroupCaption)
        return;
    if (m_pHotGroupCaption != nullptr)
        InvalidateRect(m_pHotGroupCaption->m_rect);
    m_pHotGroupCaption = pGroup;
    if (m_pHotGroupCaption != nullptr)
        InvalidateRect(m_pHotGroupCaption->m_rect);
}

void CKGPTasksPane::ReleaseTracking()
{
    m_pHotTask = nullptr;
    m_pHotGroupCaption = nullptr;
    m_pClickedTask = nullptr;
    m_pClickedGroupCaption = nullptr;
    if (m_bTracking) {
        m_bTracking = FALSE;
        if (GetSafeHwnd() != nullptr && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

void CKGPTasksPane::OnMouseMove(UINT nFlags, CPoint point)
{
    CKGPDockingControlBar::OnMouseMove(nFlags, point);
    // A caption button or a drag holds the mouse: the pane's own, or its
    // floating frame's once this move tore it off (the point is where the
    // pane stood, and hot tracking here would take the frame's capture).
    if (m_nHit != 0 || m_nHot != 0 || IsDragging() || IsDragMode())
        return;

    // Resting on a scroll area that can scroll starts the auto-scroll.
    int mode = 0;
    if (m_rectScrollUp.PtInRect(point))
        mode = -1;
    else if (m_rectScrollDn.PtInRect(point))
        mode = 1;
    if (mode != m_iScrollMode) {
        m_iScrollMode = mode;
        InvalidateRect(m_rectScrollUp);
        InvalidateRect(m_rectScrollDn);
        if (mode != 0)
            SetTimer(kgp::tasks::kTimerAutoScroll, kgp::tasks::kAutoScrollMs, nullptr);
    }

    SetHotTask(TaskFromPoint(point));
    SetHotCaption(m_pHotTask == nullptr ? CaptionFromPoint(point) : nullptr);
    const BOOL bHot = m_pHotTask != nullptr || m_pHotGroupCaption != nullptr;
    if (bHot && !m_bTracking) {
        m_bTracking = TRUE;
        SetCapture();
    } else if (!bHot && m_bTracking) {
        m_bTracking = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

void CKGPTasksPane::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_pClickedTask = m_pHotTask;
    m_pClickedGroupCaption = m_pHotGroupCaption;
    if (m_nHot == 0 && IsToolBox() && !m_rectToolbar.PtInRect(point)) {
        CRect client;
        GetClientRect(client);
        if (client.PtInRect(point)) {
            SetFocus();
            return;
        }
    }
    if (m_pClickedTask != nullptr || m_pClickedGroupCaption != nullptr)
        return; // the release decides
    CKGPDockingControlBar::OnLButtonDown(nFlags, point);
}

void CKGPTasksPane::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nHit != 0) {
        CKGPDockingControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    CKGPTasksPaneTaskGroup* pCaption = m_pClickedGroupCaption;
    CKGPTasksPaneTask* pTask = m_pClickedTask;
    m_pClickedGroupCaption = nullptr;
    m_pClickedTask = nullptr;
    if (pCaption != nullptr && pCaption == CaptionFromPoint(point)) {
        ToggleGroup(pCaption);
        return;
    }
    if (pTask != nullptr && pTask == TaskFromPoint(point)) {
        OnClickTask(GroupIndex(pTask->m_pGroup), TaskIndex(pTask), pTask->m_uiCommandID, pTask->m_dwUserData);
        return;
    }
    CKGPDockingControlBar::OnLButtonUp(nFlags, point);
}

void CKGPTasksPane::ToggleGroup(CKGPTasksPaneTaskGroup* pGroup)
{
    pGroup->m_bIsCollapsed = !pGroup->m_bIsCollapsed;
    if (m_bAnimationEnabled && !GetKGPGlobalData().m_bIsRemoteSession && pGroup->m_nExpandedHeight > 0) {
        m_pAnimatedGroup = pGroup;
        m_animation.Start(pGroup->m_bIsCollapsed != FALSE, pGroup->m_nExpandedHeight, Now());
        SetTimer(kgp::tasks::kTimerAnimation, static_cast<UINT>(kgp::tasks::CollapseAnimation::kFrameMs), nullptr);
    }
    RecalcTasksLayout(TRUE);
    // The mouse may stand over something else now.
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
}

void CKGPTasksPane::OnClickTask(int nGroupNumber, int nTaskNumber, UINT uiCommandID, DWORD_PTR)
{
    if (uiCommandID == 0)
        return;
    const CKGPTasksPaneTask* pTask = GetTask(nGroupNumber, nTaskNumber);
    m_nAccGroup = nGroupNumber;
    m_nAccTask = nTaskNumber;
    m_strAccName = pTask != nullptr ? pTask->m_strName : CString();
    CKGPGlobalData& data = GetKGPGlobalData();
    if (data.m_bEnableAccessibility)
        data.NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, GetAccessibleFocus());
    CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pTarget != nullptr)
        pTarget->PostMessage(WM_COMMAND, uiCommandID);
}

void CKGPTasksPane::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kgp::tasks::kTimerAnimation) {
        if (m_pAnimatedGroup == nullptr || !m_animation.Step(Now(), m_nRowHeight)) {
            KillTimer(nIDEvent);
            m_pAnimatedGroup = nullptr;
        }
        RecalcTasksLayout(TRUE);
        return;
    }
    if (nIDEvent == kgp::tasks::kTimerAutoScroll) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        const BOOL bStill = (m_iScrollMode < 0 && m_rectScrollUp.PtInRect(cursor)) ||
                            (m_iScrollMode > 0 && m_rectScrollDn.PtInRect(cursor));
        if (!bStill) {
            KillTimer(nIDEvent);
            m_iScrollMode = 0;
            InvalidateRect(m_rectScrollUp);
            InvalidateRect(m_rectScrollDn);
            return;
        }
        ScrollTo(m_scroll.position + m_iScrollMode);
        return;
    }
    CKGPDockingControlBar::OnTimer(nIDEvent);
}

BOOL CKGPTasksPane::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && (m_pHotTask != nullptr || m_pHotGroupCaption != nullptr)) {
        ::SetCursor(GetKGPGlobalData().GetHandCursor());
        return TRUE;
    }
    return CKGPDockingControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKGPTasksPane::OnCancelMode()
{
    CKGPDockingControlBar::OnCancelMode();
    const BOOL bHot = m_pHotTask != nullptr;
    ReleaseTracking();
    if (bHot)
        ShowStatusPrompt(kIdleMessage);
    Invalidate();
}

BOOL CKGPTasksPane::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == IDOK || id == IDCANCEL) {
        const HWND hFocus = ::GetFocus();
        if (id == IDCANCEL) {
            if (CFrameWnd* pFrame = GetTopLevelFrameOf(this))
                pFrame->SetFocus();
            return TRUE;
        }
        // OK goes to the hosted control holding the focus.
        for (POSITION pos = m_lstTaskGroups.GetHeadPosition(); pos != nullptr;) {
            CKGPTasksPaneTaskGroup* pGroup = m_lstTaskGroups.GetNext(pos);
            for (POSITION task = pGroup->m_lstTasks.GetHeadPosition(); task != nullptr;) {
                const CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(task);
                if (pTask->m_hwndTask != nullptr && (pTask->m_hwndTask == hFocus || ::IsChild(pTask->m_hwndTask, hFocus))) {
                    ::SendMessageW(pTask->m_hwndTask, WM_COMMAND, wParam, lParam);
                    return TRUE;
                }
            }
        }
    }
    return CKGPDockingControlBar::OnCommand(wParam, lParam);
}

// ---- Idle update.

void CTaskCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_pTask == nullptr || m_pTaskPane == nullptr)
        return;
    if (m_pTask->m_hwndTask != nullptr && ::IsWindow(m_pTask->m_hwndTask))
        ::EnableWindow(m_pTask->m_hwndTask, bOn);
    if (m_pTask->m_bEnabled == bOn)
        return;
    m_pTask->m_bEnabled = bOn;
    if (!bOn && m_pTaskPane->m_pHotTask == m_pTask)
        m_pTaskPane->SetHotTask(nullptr);
    if (m_pTaskPane->GetSafeHwnd() != nullptr)
        m_pTaskPane->InvalidateRect(m_pTask->m_rect);
}

void CTaskCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pTask == nullptr || m_pTaskPane == nullptr || lpszText == nullptr)
        return;
    CString text(lpszText);
    const int newline = text.Find(_T('\n'));
    if (newline >= 0)
        text = text.Left(newline);
    if (text == m_pTask->m_strName)
        return;
    m_pTask->m_strName = text;
    m_pTaskPane->RecalcTasksLayout(TRUE);
}

void CKGPTasksPane::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CKGPDockingControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHandler);
    CTaskCmdUI state;
    state.m_pOther = this;
    state.m_pTaskPane = this;
    for (POSITION pos = m_lstTaskGroups.GetHeadPosition(); pos != nullptr;) {
        CKGPTasksPaneTaskGroup* pGroup = m_lstTaskGroups.GetNext(pos);
        for (POSITION task = pGroup->m_lstTasks.GetHeadPosition(); task != nullptr;) {
            CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(task);
            if (!kgp::tasks::IsUpdatedCommand(pTask->m_uiCommandID))
                continue;
            state.m_nID = pTask->m_uiCommandID;
            state.m_pTask = pTask;
            state.DoUpdate(pTarget, bDisableIfNoHandler);
        }
    }
}
