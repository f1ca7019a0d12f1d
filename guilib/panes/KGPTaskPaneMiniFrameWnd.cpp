#include "guilib/panes/KGPTaskPaneMiniFrameWnd.h"

#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/panes/KGPTasksPane.h"

IMPLEMENT_SERIAL(CKGPTaskPaneMiniFrameWnd, CKGPMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kBorder = 3;
constexpr DWORD kNavigationButtons = 0x70;

}  // namespace

BEGIN_MESSAGE_MAP(CKGPTaskPaneMiniFrameWnd, CKGPMiniFrameWnd)
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CKGPTaskPaneMiniFrameWnd::OnNeedTaskTip)
END_MESSAGE_MAP()

CKGPTasksPane* CKGPTaskPaneMiniFrameWnd::GetTasksPane() const
{
    return DYNAMIC_DOWNCAST(CKGPTasksPane, HostedBar());
}

DWORD CKGPTaskPaneMiniFrameWnd::GetStorableCaptionButtons() const
{
    return CKGPMiniFrameWnd::GetStorableCaptionButtons() | kNavigationButtons;
}

void CKGPTaskPaneMiniFrameWnd::SetCaptionButtons(DWORD dwButtons)
{
    // The frame's own buttons, then the navigation's, each to the head.
    CKGPMiniFrameWnd::SetCaptionButtons(dwButtons & ~kNavigationButtons);
    AddCaptionButton(KGP_TASKS_HIT_BACK);
    AddCaptionButton(KGP_TASKS_HIT_FORWARD);
    AddCaptionButton(KGP_TASKS_HIT_PAGES); // a menu-dropping button
    m_dwCaptionButtons = dwButtons | kNavigationButtons;
    UpdateNavigationButtons();
    UpdateCaptionTooltips();
    ArrangeCaptionButtons();
    if (GetSafeHwnd() != nullptr)
        SendMessage(WM_NCPAINT);
}

void CKGPTaskPaneMiniFrameWnd::CalcBorderSize(CRect& rectBorderSize) const
{
    rectBorderSize.SetRect(kBorder, kBorder, kBorder, kBorder);
}

void CKGPTaskPaneMiniFrameWnd::UpdateNavigationButtons()
{
    const CKGPTasksPane* pPane = GetTasksPane();
    const BOOL bShow = pPane != nullptr && kgp::tasks::ShowsNavigationButtons(
                                               pPane->IsNavigationToolbarEnabled() != FALSE, pPane->GetPageCount());
    for (const UINT nHit : {KGP_TASKS_HIT_BACK, KGP_TASKS_HIT_FORWARD, KGP_TASKS_HIT_PAGES}) {
        CKGPCaptionButton* pButton = FindCaptionButton(nHit);
        if (pButton == nullptr)
            continue;
        pButton->m_bHidden = !bShow;
        if (nHit == KGP_TASKS_HIT_BACK)
            pButton->m_bEnabled = pPane != nullptr && pPane->IsBackButtonEnabled();
        else if (nHit == KGP_TASKS_HIT_FORWARD)
            pButton->m_bEnabled = pPane != nullptr && pPane->IsForwardButtonEnabled();
    }
}

void CKGPTaskPaneMiniFrameWnd::OnNcPaint()
{
    UpdateNavigationButtons();
    ArrangeCaptionButtons();
    CKGPMiniFrameWnd::OnNcPaint();
}

BOOL CKGPTaskPaneMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    const BOOL result = CKGPMiniFrameWnd::OnNcActivate(bActive);
    // Every caption button takes the frame's active state.
    SendMessage(WM_NCPAINT);
    return result;
}

void CKGPTaskPaneMiniFrameWnd::OnPressCaptionButton(UINT nHit)
{
    CKGPTasksPane* pPane = GetTasksPane();
    if (pPane == nullptr) {
        CKGPMiniFrameWnd::OnPressCaptionButton(nHit);
        return;
    }
    switch (nHit) {
    case KGP_TASKS_HIT_BACK:
        pPane->GoBack();
        break;
    case KGP_TASKS_HIT_FORWARD:
        pPane->GoForward();
        break;
    case KGP_TASKS_HIT_PAGES:
        if (m_bMenuBusy)
            break;
        m_bMenuBusy = TRUE;
        pPane->ShowPagesMenu(dynamic_cast<CKGPCaptionMenuButton*>(FindCaptionButton(nHit)), this);
        m_bMenuBusy = FALSE;
        break;
    default:
        CKGPMiniFrameWnd::OnPressCaptionButton(nHit);
        break;
    }
    SendMessage(WM_NCPAINT);
}

void CKGPTaskPaneMiniFrameWnd::OnTrackCaptionButtons(CPoint point)
{
    if (!m_bMenuBusy)
        CKGPMiniFrameWnd::OnTrackCaptionButtons(point);
}

void CKGPTaskPaneMiniFrameWnd::StopCaptionButtonsTracking()
{
    if (!m_bMenuBusy)
        CKGPMiniFrameWnd::StopCaptionButtonsTracking();
}

BOOL CKGPTaskPaneMiniFrameWnd::OnNeedTaskTip(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    const CKGPCaptionButton* pButton = KGPCaption::FindButtonByToolId(m_lstCaptionButtons, pNMH->idFrom);
    if (pButton != nullptr) {
        switch (pButton->GetHit()) {
        case KGP_TASKS_HIT_BACK:
            KGPCaption::AnswerToolTipText(pNMH, 0, _T("Back"), pResult);
            return TRUE;
        case KGP_TASKS_HIT_FORWARD:
            KGPCaption::AnswerToolTipText(pNMH, 0, _T("Forward"), pResult);
            return TRUE;
        case KGP_TASKS_HIT_PAGES:
            KGPCaption::AnswerToolTipText(pNMH, 0, _T("Other Tasks Pane"), pResult);
            return TRUE;
        default:
            break;
        }
    }
    return OnNeedTipText(id, pNMH, pResult);
}
