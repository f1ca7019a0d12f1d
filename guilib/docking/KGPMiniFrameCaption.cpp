// The floating frame's caption: its buttons (laid out, tracked, pressed, given
// tooltips), the painting of border, caption and buttons, and the roll-up to
// the caption while the mouse is away.
#include "guilib/docking/KGPMiniFrameWnd.h"

#include <afxhandle.h>

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPNcPaintBuffer.h"

namespace {

// The roll-up is enabled by this bit of a bar's library style.
constexpr DWORD kRollUpStyle = 0x10;

} // namespace

// ---- Buttons.

CKGPCaptionButton* CKGPMiniFrameWnd::AddCaptionButton(UINT nHit)
{
    if (CKGPCaptionButton* pExisting = FindCaptionButton(nHit))
        return pExisting;
    CKGPCaptionButton* pButton = nHit == KGPCaption::kHitPageMenu ? new CKGPCaptionMenuButton(nHit, FALSE)
                                                                  : new CKGPCaptionButton(nHit, FALSE);
    pButton->m_bOwnerAdded = TRUE;
    m_lstCaptionButtons.AddHead(pButton);
    return pButton;
}

void CKGPMiniFrameWnd::SetCaptionButtons(DWORD dwButtons)
{
    RemoveCaptionButtons();
    CKGPBaseControlBar* pBar = HostedBar();
    if ((dwButtons & KGP_CAPTION_BTN_CLOSE) != 0 && pBar != nullptr && pBar->CanBeClosed())
        AddCaptionButton(HTCLOSE);
    if ((dwButtons & KGP_CAPTION_BTN_PIN) != 0)
        AddCaptionButton(KGPCaption::kHitPin);
    if ((dwButtons & KGP_CAPTION_BTN_PANE_MENU) != 0)
        AddCaptionButton(HTMINBUTTON);
    if ((dwButtons & KGP_CAPTION_BTN_CUSTOMIZE) != 0)
        AddCaptionButton(KGPCaption::kHitPageMenu);
    m_dwCaptionButtons = dwButtons;
    UpdateCaptionTooltips();
    ArrangeCaptionButtons();
    if (GetSafeHwnd() != nullptr && IsWindowVisible()) // a hidden frame paints them when shown
        SendMessage(WM_NCPAINT);
}

void CKGPMiniFrameWnd::RemoveCaptionButtons()
{
    m_lstCaptionButtons.DeleteAll();
    m_dwCaptionButtons = 0;
    m_nHit = 0;
    m_nHot = 0;
}

void CKGPMiniFrameWnd::ArrangeCaptionButtons()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect caption;
    GetCaptionRect(caption);
    KGPCaption::ArrangeButtons(m_lstCaptionButtons, caption);
    UpdateCaptionTooltipRects();
}

CKGPCaptionButton* CKGPMiniFrameWnd::FindCaptionButton(UINT nHit) const
{
    return KGPCaption::FindButtonByHit(m_lstCaptionButtons, nHit);
}

CKGPCaptionButton* CKGPMiniFrameWnd::FindCaptionButtonAtPoint(CPoint point) const
{
    // Button places are kept from the window's top-left corner (mirrored for
    // right-to-left windows).
    return KGPCaption::FindButtonAtPoint(m_lstCaptionButtons, KGPCaption::WindowPointFromScreen(this, point));
}

UINT CKGPMiniFrameWnd::CaptionButtonHitAt(CPoint ptScreen) const
{
    const CKGPCaptionButton* pButton = FindCaptionButtonAtPoint(ptScreen);
    return pButton != nullptr ? pButton->GetHit() : 0;
}

int CKGPMiniFrameWnd::GetCaptionButtonsTotalWidth() const
{
    int width = 0;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;)
        width += static_cast<CKGPCaptionButton*>(m_lstCaptionButtons.GetNext(pos))->GetRect().Width();
    return width;
}

void CKGPMiniFrameWnd::RedrawCaptionButton(CKGPCaptionButton* pButton)
{
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return;
    m_rectRedraw = pButton->GetRect();
    SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
    UpdateWindow();
}

// ---- Tooltips: tool id = position from the head + 1.

void CKGPMiniFrameWnd::UpdateCaptionTooltips()
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    if (m_pToolTip->GetToolCount() == static_cast<int>(m_lstCaptionButtons.GetCount()))
        return;
    for (int i = m_pToolTip->GetToolCount(); i > 0; --i)
        m_pToolTip->DelTool(this, static_cast<UINT_PTR>(i));
    for (int i = 1; i <= static_cast<int>(m_lstCaptionButtons.GetCount()); ++i)
        m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACK, CRect(0, 0, 0, 0), static_cast<UINT_PTR>(i));
}

void CKGPMiniFrameWnd::UpdateCaptionTooltipRects()
{
    KGPCaption::UpdateToolRects(m_pToolTip, this, m_lstCaptionButtons);
}

BOOL CKGPMiniFrameWnd::OnNeedTipText(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    // A tool id outside the buttons (a stale or foreign tooltip) finds none.
    const CKGPCaptionButton* pButton = KGPCaption::FindButtonByToolId(m_lstCaptionButtons, pNMH->idFrom);
    if (pButton == nullptr)
        return FALSE;
    const UINT nString = KGPCaption::TooltipStringId(pButton->GetHit());
    if (nString == 0)
        return FALSE;
    KGPCaption::AnswerToolTipText(pNMH, nString,
                                  pButton->GetHit() == HTCLOSE
                                      ? _T("Close")
                                      : (pButton->GetHit() == KGPCaption::kHitPageMenu ? _T("Menu") : _T("Auto Hide")),
                                  pResult);
    return TRUE;
}

LRESULT CKGPMiniFrameWnd::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if ((wParam & KGP_TOOLTIP_MINIFRAME) == 0 || m_pToolTip == nullptr)
        return 0; // (not made yet: it is made with the new settings)
    CKGPToolTipFactory::CreateToolTip(m_pToolTip, this, KGP_TOOLTIP_MINIFRAME);
    UpdateCaptionTooltips();
    UpdateCaptionTooltipRects();
    return 0;
}

// ---- Tracking and pressing.

void CKGPMiniFrameWnd::SetHotButton(UINT nHit)
{
    const UINT nWasHot = m_nHot;
    m_nHot = nHit;
    KGPCaption::MoveFocus(m_lstCaptionButtons, nWasHot, nHit,
                          [this](CKGPCaptionButton* pButton) { RedrawCaptionButton(pButton); });
}

void CKGPMiniFrameWnd::OnTrackCaptionButtons(CPoint point)
{
    if (KGPMenuLinks::GetActivePopupMenu() != nullptr)
        return;
    const CKGPCaptionButton* pButton = FindCaptionButtonAtPoint(point);
    const UINT nHit = pButton != nullptr && (pButton->m_bEnabled || KGPMenuLinks::IsCustomizeMode()) ? pButton->GetHit() : 0;
    const UINT nWasHot = m_nHot;
    SetHotButton(nHit);
    if (m_nHit != 0)
        return;
    if (nHit != 0 && nWasHot == 0)
        SetCapture();
    else if (nHit == 0 && nWasHot != 0 && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKGPMiniFrameWnd::StopCaptionButtonsTracking()
{
    if (CKGPCaptionButton* pPressed = FindCaptionButton(m_nHit)) {
        pPressed->m_bPushed = FALSE;
        RedrawCaptionButton(pPressed);
    }
    m_nHit = 0;
    SetHotButton(0);
    if (!m_bCaptured && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKGPMiniFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bBlockMove && !m_bCaptured)
        OnTrackCaptionButtons(point);
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CKGPMiniFrameWnd::OnPressCaptionButton(UINT nHit)
{
    CKGPBaseControlBar* pBar = HostedBar();
    CKGPCaptionButton* pButton = FindCaptionButton(nHit);
    if (nHit != KGPCaption::kHitPageMenu || KGPMenuLinks::IsCustomizeMode() || pBar == nullptr || pButton == nullptr)
        return;
    // The bar's menu drops under the button, which looks pushed while the
    // menu is open (the bar tells when it goes).
    CRect rect = pButton->GetRect();
    CRect window;
    GetWindowRect(window);
    rect.OffsetRect(window.TopLeft());
    SetCaptionButtonPushed(nHit, TRUE);
    if (!pBar->ShowCaptionMenu(this, rect))
        SetCaptionButtonPushed(nHit, FALSE);
}

void CKGPMiniFrameWnd::SetCaptionButtonPushed(UINT nHit, BOOL bPushed)
{
    CKGPCaptionButton* pButton = FindCaptionButton(nHit);
    if (pButton == nullptr || pButton->m_bPushed == bPushed)
        return;
    pButton->m_bPushed = bPushed;
    RedrawCaptionButton(pButton);
}

// ---- Painting.

void CKGPMiniFrameWnd::DrawBorder(CDC* pDC, const CRect& rectWindow)
{
    CRect border;
    CalcBorderSize(border);
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    if (HostsToolBar()) {
        ::FillRect(pDC->m_hDC, &rectWindow, GetKGPGlobalData().GetBarFaceBrush());
        pManager->DrawFloatingToolbarBorder(pDC, HostedBar(), rectWindow, border);
    } else {
        pManager->DrawFloatingFrameBorder(pDC, this, rectWindow, border);
    }
}

void CKGPMiniFrameWnd::DrawCaptionButtons(CDC* pDC)
{
    const BOOL bCustomizing = KGPMenuLinks::IsCustomizeMode();
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        if (bCustomizing)
            pButton->m_bEnabled = TRUE;
        // The pin looks pinned (not maximised) while the frame is pinned.
        const BOOL bMaximized = pButton->GetHit() == KGPCaption::kHitPin ? !m_bPinned : TRUE;
        pButton->OnDraw(pDC, TRUE, TRUE, bMaximized, FALSE);
        pButton->m_clrText = static_cast<COLORREF>(-1);
    }
}

void CKGPMiniFrameWnd::OnNcPaint()
{
    CKGPDockManager* pManager = GetDockManager();
    if (pManager == nullptr || pManager->IsLayoutEnabledAndLocked())
        return;
    // Drawn off screen and copied at once when a buffer can be made.
    CKGPNcPaintBuffer buffer(this);
    const CRect& window = buffer.GetWindowRect();
    CDC* pDC = buffer.GetDC();

    DrawBorder(pDC, window);
    CRect caption;
    GetCaptionRect(caption);
    const COLORREF textColor =
        CKGPVisualManager::GetInstance()->FillFloatingFrameCaption(pDC, caption, this, m_bActive);
    CRect text = caption;
    for (POSITION pos = m_lstCaptionButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPCaptionButton*>(m_lstCaptionButtons.GetNext(pos));
        pButton->m_clrText = textColor;
        const CRect rect = pButton->GetRect();
        if (pButton->m_bHidden)
            continue;
        if (pButton->m_bLeftAlign)
            text.left = (std::max)(text.left, rect.right + 2);
        else
            text.right = (std::min)(text.right, rect.left);
    }
    text.DeflateRect(2, 0);
    {
        const CSelectionScope font(pDC->m_hDC, GetKGPGlobalData().GetBoldFont());
        ::SetBkMode(pDC->m_hDC, TRANSPARENT);
        ::SetTextColor(pDC->m_hDC, textColor);
        const CString title = GetCaptionText();
        ::DrawTextW(pDC->m_hDC, title, title.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    DrawCaptionButtons(pDC);
}

// ---- Roll-up.

BOOL CKGPMiniFrameWnd::NeedsRollDown() const
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(window);
    return window.PtInRect(cursor) && ::WindowFromPoint(cursor) == m_hWnd;
}

BOOL CKGPMiniFrameWnd::NeedsRollUp() const
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(window);
    return !window.PtInRect(cursor) && !m_bPinned;
}

void CKGPMiniFrameWnd::SetRollUpTimer()
{
    CKGPBaseControlBar* pBar = HostedBar();
    if (pBar != nullptr && (pBar->GetLibraryBarStyle() & kRollUpStyle) != 0)
        StartRollUpTimer();
}

void CKGPMiniFrameWnd::KillRollUpTimer()
{
    CKGPBaseControlBar* pBar = HostedBar();
    if (pBar == nullptr || (pBar->GetLibraryBarStyle() & kRollUpStyle) == 0)
        StopRollUpTimer();
}

void CKGPMiniFrameWnd::StartRollUpTimer()
{
    if (m_nRollTimerID != 0 || GetSafeHwnd() == nullptr)
        return;
    m_nRollTimerID = SetTimer(kRollUpTimerId, m_nRollTimeOut, nullptr);
    SetCaptionButtons(m_dwCaptionButtons | KGP_CAPTION_BTN_PIN);
}

void CKGPMiniFrameWnd::StopRollUpTimer()
{
    if (m_nRollTimerID == 0)
        return;
    if (GetSafeHwnd() != nullptr)
        KillTimer(m_nRollTimerID);
    m_nRollTimerID = 0;
    SetCaptionButtons(m_dwCaptionButtons & ~KGP_CAPTION_BTN_PIN);
}

void CKGPMiniFrameWnd::OnCheckRollState()
{
    CKGPDockManager* pManager = GetDockManager();
    if (pManager != nullptr && pManager->IsLayoutEnabledAndLocked())
        return;
    CRect window;
    GetWindowRect(window);
    if (m_bRolledUp && NeedsRollDown()) {
        SetWindowPos(HWND{}, 0, 0, window.Width(), m_nHeightBeforeRollUp, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_bRolledUp = FALSE;
    } else if (!m_bRolledUp && NeedsRollUp()) {
        CRect client;
        GetClientRect(client);
        m_nHeightBeforeRollUp = window.Height();
        m_bRolledUp = TRUE; // before its size changes: its layout keeps the bar's size meanwhile
        SetWindowPos(HWND{}, 0, 0, window.Width(), window.Height() - client.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
