// The tasks pane's pages and their browsing: the history (back, forward,
// home, jumps from the history menus), the pages menu, the window text, the
// navigation commands, and the back, forward and pages caption buttons of
// the docked pane.
#include "guilib/panes/KGPTasksPane.h"

#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/panes/KGPTaskPaneMiniFrameWnd.h"

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Names(const CObList& pages)
{
    std::vector<std::wstring> names;
    for (POSITION pos = pages.GetHeadPosition(); pos != nullptr;)
        names.emplace_back(static_cast<const CKGPTasksPanePage*>(pages.GetNext(pos))->m_strName.GetString());
    return names;
}

void Fill(CStringArray& out, const std::vector<std::wstring>& texts)
{
    out.RemoveAll();
    for (const std::wstring& text : texts)
        out.Add(CString(text.c_str()));
}

}  // namespace

// ---- Pages.

int CKGPTasksPane::AddPage(LPCTSTR lpszName)
{
    m_lstTasksPanes.AddTail(new CKGPTasksPanePage(lpszName, this));
    RebuildPagesMenu();
    if (GetSafeHwnd() != nullptr) {
        UpdateCaption();
        SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RecalcTasksLayout(TRUE);
    }
    return GetPageCount() - 1;
}

CString CKGPTasksPane::GetPageName(int nPage) const
{
    POSITION pos = nPage >= 0 ? m_lstTasksPanes.FindIndex(nPage) : nullptr;
    return pos != nullptr ? m_lstTasksPanes.GetAt(pos)->m_strName : CString();
}

void CKGPTasksPane::SetActivePage(int nPageIdx)
{
    // A page outside the pages (a menu closed without a choice gives -1) changes nothing.
    const int oldPage = m_history.CurrentPage();
    if (m_history.Visit(nPageIdx, GetPageCount()))
        ChangeActivePage(oldPage);
}

void CKGPTasksPane::GoBack()
{
    MoveHistory(-1);
}

void CKGPTasksPane::GoForward()
{
    MoveHistory(1);
}

void CKGPTasksPane::GoHome()
{
    SetActivePage(0);
}

void CKGPTasksPane::MoveHistory(int nSteps)
{
    const int oldPage = m_history.CurrentPage();
    if (m_history.MoveBy(nSteps))
        ChangeActivePage(oldPage);
}

void CKGPTasksPane::GetPreviousPages(CStringList& lstPrevPages) const
{
    lstPrevPages.RemoveAll();
    for (const std::wstring& text : m_history.BackTexts(Names(m_lstTasksPanes)))
        lstPrevPages.AddTail(CString(text.c_str()));
}

void CKGPTasksPane::GetNextPages(CStringList& lstNextPages) const
{
    lstNextPages.RemoveAll();
    for (const std::wstring& text : m_history.ForwardTexts(Names(m_lstTasksPanes)))
        lstNextPages.AddTail(CString(text.c_str()));
}

void CKGPTasksPane::EnableNavigationToolbar(BOOL bEnable)
{
    m_bUseNavigationToolbar = bEnable;
    if (GetSafeHwnd() == nullptr)
        return;
    UpdateCaption();
    SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RecalcTasksLayout(TRUE);
}

void CKGPTasksPane::ChangeActivePage(int nOldPage)
{
    if (nOldPage == GetActivePage())
        return;
    // The hosted windows of the old page go out of view.
    POSITION old = m_lstTasksPanes.FindIndex(nOldPage);
    const CKGPTasksPanePage* pOldPage = old != nullptr ? m_lstTasksPanes.GetAt(old) : nullptr;
    for (POSITION pos = m_lstTaskGroups.GetHeadPosition(); pos != nullptr;) {
        CKGPTasksPaneTaskGroup* pGroup = m_lstTaskGroups.GetNext(pos);
        if (pGroup->m_pPage != pOldPage)
            continue;
        for (POSITION task = pGroup->m_lstTasks.GetHeadPosition(); task != nullptr;) {
            const CKGPTasksPaneTask* pTask = pGroup->m_lstTasks.GetNext(task);
            if (pTask->m_hwndTask != nullptr && ::IsWindow(pTask->m_hwndTask))
                ::ShowWindow(pTask->m_hwndTask, SW_HIDE);
        }
    }
    // The hot and animated parts belonged to the old page.
    KillTimer(kgp::tasks::kTimerAnimation);
    m_pAnimatedGroup = nullptr;
    ReleaseTracking();

    UpdateCaption();
    RebuildPagesMenu();
    UpdateNavigationButtons();
    m_scroll.position = 0;
    OnActivateTasksPanePage();
    if (GetSafeHwnd() == nullptr)
        return;
    CWnd* pFrame = GetParentMiniFrame(TRUE);
    (pFrame != nullptr ? pFrame : static_cast<CWnd*>(this))
        ->SetWindowPos(HWND{}, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RecalcTasksLayout(TRUE);
}

BOOL CKGPTasksPane::IsFloatingInOtherFrame() const
{
    CKGPMiniFrameWnd* pFrame = GetParentMiniFrame(TRUE);
    return pFrame != nullptr && !pFrame->IsKindOf(RUNTIME_CLASS(CKGPTaskPaneMiniFrameWnd));
}

BOOL CKGPTasksPane::UsesNavigationCaptionButtons() const
{
    return kgp::tasks::ShowsNavigationButtons(m_bUseNavigationToolbar != FALSE, GetPageCount());
}

void CKGPTasksPane::UpdateCaption()
{
    kgp::tasks::CaptionFacts facts;
    facts.usesToolbar = m_bUseNavigationToolbar != FALSE;
    facts.isTab = GetSafeHwnd() != nullptr && GetParentTabbedBar() != nullptr;
    facts.inOtherFloatingFrame = GetSafeHwnd() != nullptr && IsFloatingInOtherFrame();
    facts.pageCount = GetPageCount();
    const CString page = GetPageName(GetActivePage());
    const std::wstring text = kgp::tasks::WindowText(facts, m_strCaption.GetString(), page.GetString());
    if (GetSafeHwnd() != nullptr) {
        CString current;
        GetWindowText(current);
        if (current != text.c_str())
            CWnd::DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessage(WM_NCPAINT);
    }
}

LRESULT CKGPTasksPane::OnSetText(WPARAM wParam, LPARAM lParam)
{
    // The pane's caption is what the owner sets; page 0, named after the
    // caption, follows it while it keeps that name.
    const CString caption = lParam != 0 ? reinterpret_cast<LPCTSTR>(lParam) : _T("");
    CKGPTasksPanePage* pFirst = m_lstTasksPanes.GetHead();
    if (pFirst != nullptr && pFirst->m_strName == m_strCaption && caption != m_strCaption) {
        pFirst->m_strName = caption;
        m_strCaption = caption;
        RebuildPagesMenu();
        UpdateNavigationButtons();
    }
    m_strCaption = caption;
    return CKGPDockingControlBar::OnSetText(wParam, lParam);
}

HMENU CKGPTasksPane::CreatePagesMenu(UINT nCommand) const
{
    CMenuHandle menu(::CreatePopupMenu());
    int index = 0;
    for (POSITION pos = m_lstTasksPanes.GetHeadPosition(); pos != nullptr; ++index) {
        CString text = m_lstTasksPanes.GetNext(pos)->m_strName;
        text.Replace(_T("&"), _T("&&"));
        ::AppendMenuW(menu.Get(), MF_STRING | (index == GetActivePage() ? MF_CHECKED : 0),
                      nCommand != 0 ? nCommand : static_cast<UINT_PTR>(index + 1), text);
    }
    return menu.Detach();
}

void CKGPTasksPane::RebuildPagesMenu()
{
    m_menuOther.Reset(CreatePagesMenu(KGP_TASKS_PANE_PAGES));
}

void CKGPTasksPane::ShowPagesMenu(CKGPCaptionMenuButton* pButton, CWnd* pOwner)
{
    if (pButton == nullptr || pOwner == nullptr)
        return;
    // The items carry their position + 1, so the choice names its page (0: none).
    CMenuHandle menu(CreatePagesMenu(0));
    pButton->ShowMenu(menu.Get(), pOwner);
    SetActivePage(pButton->m_nMenuResult - 1);
}

void CKGPTasksPane::UpdateNavigationButtons()
{
    CStringArray back;
    CStringArray forward;
    const std::vector<std::wstring> names = Names(m_lstTasksPanes);
    Fill(back, m_history.BackTexts(names));
    Fill(forward, m_history.ForwardTexts(names));
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.UpdatePageButtons(GetPageName(GetActivePage()), back, forward);
    EnableCaptionButton(KGP_TASKS_HIT_BACK, m_history.CanGoBack());
    EnableCaptionButton(KGP_TASKS_HIT_FORWARD, m_history.CanGoForward());
}

// ---- Commands.

void CKGPTasksPane::OnCommandBack()
{
    // An item of the back button's menu: that many entries back.
    const int item = m_bHistoryMenuButtons ? CKGPPopupMenuBar::GetLastCommandIndex() : -1;
    MoveHistory(item >= 0 ? -(item + 1) : -1);
}

void CKGPTasksPane::OnCommandForward()
{
    const int item = m_bHistoryMenuButtons ? CKGPPopupMenuBar::GetLastCommandIndex() : -1;
    MoveHistory(item >= 0 ? item + 1 : 1);
}

void CKGPTasksPane::OnCommandHome()
{
    GoHome();
}

void CKGPTasksPane::OnCommandClose()
{
    if (CanBeClosed())
        ShowBar(FALSE, FALSE, FALSE);
}

void CKGPTasksPane::OnCommandPages()
{
    // The item chosen last in a popup; -1 or a stale index changes nothing.
    SetActivePage(CKGPPopupMenuBar::GetLastCommandIndex());
}

void CKGPTasksPane::OnUpdateBack(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_history.CanGoBack());
}

void CKGPTasksPane::OnUpdateForward(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_history.CanGoForward());
}

void CKGPTasksPane::OnUpdateHome(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CKGPTasksPane::OnUpdateClose(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanBeClosed());
}

void CKGPTasksPane::OnUpdatePages(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

// ---- Caption buttons.

void CKGPTasksPane::SetCaptionButtons()
{
    CKGPDockingControlBar::SetCaptionButtons();
    // Laid out from the right in list order: pages, forward, back left of the pane's own.
    m_arrButtons.AddTail(new CKGPCaptionMenuButton(KGP_TASKS_HIT_PAGES, FALSE));
    m_arrButtons.AddTail(new CKGPCaptionButton(KGP_TASKS_HIT_FORWARD, FALSE));
    m_arrButtons.AddTail(new CKGPCaptionButton(KGP_TASKS_HIT_BACK, FALSE));
    EnableCaptionButton(KGP_TASKS_HIT_BACK, m_history.CanGoBack());
    EnableCaptionButton(KGP_TASKS_HIT_FORWARD, m_history.CanGoForward());
}

void CKGPTasksPane::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    const CRect window(lpncsp->rgrc[0]);
    CKGPDockingControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
    // The navigation's buttons show with several pages and no toolbar.
    const BOOL bShow = UsesNavigationCaptionButtons() && !IsFloating();
    for (const UINT nHit : {KGP_TASKS_HIT_BACK, KGP_TASKS_HIT_FORWARD, KGP_TASKS_HIT_PAGES})
        if (CKGPCaptionButton* pButton = FindCaptionButton(nHit))
            pButton->m_bHidden = !bShow;
    KGPCaption::ArrangePaneButtons(m_arrButtons, CRect(0, 0, window.Width(), GetCaptionHeight()), m_nButtonsEdgeMargin,
                                   0);
    UpdateTooltipRects();
}

void CKGPTasksPane::OnPressButtons(UINT nHit)
{
    switch (nHit) {
    case KGP_TASKS_HIT_BACK:
        GoBack();
        break;
    case KGP_TASKS_HIT_FORWARD:
        GoForward();
        break;
    case KGP_TASKS_HIT_PAGES:
        ShowPagesMenuFromCaption(FindCaptionButton(nHit));
        break;
    default:
        CKGPDockingControlBar::OnPressButtons(nHit);
        break;
    }
}

void CKGPTasksPane::ShowPagesMenuFromCaption(CKGPCaptionButton* pButton)
{
    if (m_bMenuBusy)
        return;
    m_bMenuBusy = TRUE;
    ShowPagesMenu(dynamic_cast<CKGPCaptionMenuButton*>(pButton), this);
    m_bMenuBusy = FALSE;
}

void CKGPTasksPane::OnTrackCaptionButtons(CPoint point)
{
    // Nothing tracks under the open pages menu.
    if (!m_bMenuBusy)
        CKGPDockingControlBar::OnTrackCaptionButtons(point);
}

void CKGPTasksPane::StopCaptionButtonsTracking()
{
    if (!m_bMenuBusy)
        CKGPDockingControlBar::StopCaptionButtonsTracking();
}

BOOL CKGPTasksPane::OnNeedNavigationTip(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    const CKGPCaptionButton* pButton = KGPCaption::FindButtonByToolId(m_arrButtons, pNMH->idFrom);
    if (pButton == nullptr)
        return FALSE;
    switch (pButton->GetHit()) {
    case KGP_TASKS_HIT_BACK:
        KGPCaption::AnswerToolTipText(pNMH, KGP_TASKS_PANE_BACK, _T("Back"), pResult);
        return TRUE;
    case KGP_TASKS_HIT_FORWARD:
        KGPCaption::AnswerToolTipText(pNMH, KGP_TASKS_PANE_FORWARD, _T("Forward"), pResult);
        return TRUE;
    case KGP_TASKS_HIT_PAGES:
        KGPCaption::AnswerToolTipText(pNMH, KGP_TASKS_PANE_PAGES, _T("Other Tasks Pane"), pResult);
        return TRUE;
    default:
        return FALSE;
    }
}
