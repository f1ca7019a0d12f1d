// The frame implementation's filtering of keys, clicks and wheel turns before
// they are dispatched, and the owner-drawn caption (used only when the visual
// manager draws frame captions).
#include "guilib/frames/KGPFrameImpl.h"

#include <vector>

#include <windowsx.h>
#undef SubclassWindow

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupPlacement.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

namespace {

constexpr BYTE kVirtKey = FVIRTKEY; // 0x01
// A key message's previous-state bit: the key was down before (a repeat).
constexpr LPARAM kKeyWasDown = 0x40000000;
constexpr UINT kHitClose = 19;
constexpr UINT kHitMaximize = 26;
constexpr UINT kHitMinimize = 27;

// A click on a popup by the part it hits: on its shadow the popup closes, the
// frame takes the focus and the click is kept (1); its other parts keep the
// click for the popup itself (0); outside it, -1.
int ClickOnPopupPart(CKGPPopupMenu& popup, CWnd& frame, CPoint pt)
{
    switch (popup.HitTest(pt)) {
    case kgp::kHitRightShadow:
    case kgp::kHitBottomShadow:
        popup.SendMessage(WM_CLOSE);
        frame.SetFocus();
        return 1;
    case kgp::kHitOutside:
        return -1;
    default:
        return 0;
    }
}

// The toolbars of the library that are permanent windows.
template <class Visit>
void ForEachToolbar(Visit visit)
{
    const CObList& bars = CKGPToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPToolBar*>(bars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) == pBar && !visit(pBar))
            return;
    }
}

} // namespace

// ---- Keys.

BYTE CKGPFrameImpl::AcceleratorFlagsNow()
{
    BYTE flags = 0;
    if (::GetKeyState(VK_CONTROL) < 0)
        flags |= FCONTROL;
    if (::GetKeyState(VK_MENU) < 0)
        flags |= FALT;
    if (::GetKeyState(VK_SHIFT) < 0)
        flags |= FSHIFT;
    return flags;
}

BOOL CKGPFrameImpl::IsKeyInAccelerators(HACCEL hAccel, int nKey, BYTE fFlags)
{
    if (hAccel == nullptr)
        return FALSE;
    const int count = ::CopyAcceleratorTableW(hAccel, nullptr, 0);
    if (count <= 0)
        return FALSE;
    std::vector<ACCEL> table(static_cast<size_t>(count));
    ::CopyAcceleratorTableW(hAccel, table.data(), count);
    const BYTE mask = FCONTROL | FALT | FSHIFT | FVIRTKEY;
    for (const ACCEL& entry : table) {
        if (entry.key == nKey && (entry.fVirt & mask) == (fFlags & mask))
            return TRUE;
    }
    return FALSE;
}

BOOL CKGPFrameImpl::IsHelpKey(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && (pMsg->lParam & 0x40000000) == 0 &&
           ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_MENU) >= 0;
}

BOOL CKGPFrameImpl::ProcessKeyboard(int nKey, BOOL* pbProcessAccel)
{
    if (pbProcessAccel != nullptr)
        *pbProcessAccel = TRUE;
    if (CWnd* pPopup = KGPMenuLinks::GetActivePopupMenu(); pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        return OfferKeyToPopup(*pPopup, nKey);
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_pFrame->IsIconic())
        return TRUE;
    if (KGPMenuLinks::IsCustomizeMode())
        return FALSE;
    // An edit or combo button of a toolbar that holds the focus keeps the keys.
    BOOL bFocusOnButton = FALSE;
    const HWND hFocus = ::GetFocus();
    ForEachToolbar([&](CKGPToolBar* pBar) -> bool {
        for (int i = 0; i < pBar->GetCount() && !bFocusOnButton; ++i) {
            CKGPToolbarButton* pButton = pBar->GetButton(i);
            bFocusOnButton = pButton != nullptr && hFocus != nullptr && pButton->OwnsWindow(hFocus);
        }
        return bFocusOnButton == FALSE;
    });
    const BYTE flags = AcceleratorFlagsNow();
    if (!bFocusOnButton) {
        // A key of the frame's accelerators (or its active frame's) is the
        // table's, as the keyboard manager knows them.
        const WORD key = static_cast<WORD>(nKey);
        if (CKGPKeyboardManager::IsKeyHandled(key, static_cast<BYTE>(flags | kVirtKey), m_pFrame, TRUE))
            return FALSE;
        CFrameWnd* pActive = m_pFrame->GetActiveFrame();
        if (pActive != nullptr && pActive != m_pFrame &&
            CKGPKeyboardManager::IsKeyHandled(key, static_cast<BYTE>(flags | kVirtKey), pActive, FALSE))
            return FALSE;
    }
    if (flags == FALT && OnMenuChar(static_cast<UINT>(nKey)))
        return TRUE;
    if (bFocusOnButton && pbProcessAccel != nullptr)
        *pbProcessAccel = FALSE;
    return FALSE;
}

BOOL CKGPFrameImpl::OfferKeyToPopup(CWnd& popup, int nKey)
{
    const HWND hFocus = ::GetFocus();
    auto* pMenu = DYNAMIC_DOWNCAST(CKGPPopupMenu, &popup);
    if (pMenu != nullptr && pMenu->KeepsFocus()) {
        // Keys go to the popup's own windows; elsewhere the popup closes.
        if (hFocus == popup.m_hWnd || (hFocus != nullptr && ::IsChild(popup.m_hWnd, hFocus)))
            return FALSE;
        popup.SendMessage(WM_CLOSE);
        return FALSE;
    }
    if (hFocus != nullptr && ::IsChild(popup.m_hWnd, hFocus))
        return FALSE;
    // The popup takes the keys it uses (the popup may be gone afterwards);
    // the others go on to the application.
    popup.SendMessage(WM_KEYDOWN, static_cast<WPARAM>(nKey), 0);
    return pMenu == nullptr || CKGPPopupMenu::WasLastKeyTaken();
}

BOOL CKGPFrameImpl::OnAcceleratorCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != 1 || lParam != 0)
        return FALSE;
    const UINT nID = LOWORD(wParam);
    CKGPToolBar::AddCommandUsage(nID);
    if (ProcessKeyboard(VK_ESCAPE))
        return TRUE; // an open popup menu closed instead (or the frame is iconic)
    // No tool runs either while the toolbars are customised.
    return !KGPMenuLinks::IsCustomizeMode() && KGPToolbarLinks::InvokeTool(nID);
}

BOOL CKGPFrameImpl::OnMenuChar(UINT nChar)
{
    // The menu bar's mnemonics first (not in print preview), then the
    // toolbars' (in print preview only the preview's own toolbar's).
    const BOOL bPreview = IsPrintPreview();
    if (!bPreview && m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr &&
        m_pMenuBar->IsWindowVisible() && m_pMenuBar->ProcessMnemonic(nChar))
        return TRUE;
    BOOL bTaken = FALSE;
    CFrameWnd* pTop = m_pFrame->GetTopLevelFrame();
    ForEachToolbar([&](CKGPToolBar* pBar) -> bool {
        if (pBar == m_pMenuBar || pBar->IsKindOf(RUNTIME_CLASS(CKGPMenuBar)) || !pBar->IsWindowVisible() ||
            pBar->GetTopLevelFrame() != pTop)
            return true;
        if (bPreview && !pBar->IsKindOf(RUNTIME_CLASS(CKGPPrintPreviewToolBar)))
            return true;
        bTaken = pBar->ProcessMnemonic(nChar);
        return bTaken == FALSE;
    });
    return bTaken;
}

// ---- Clicks and the wheel.

BOOL CKGPFrameImpl::ProcessMouseClick(UINT uiMsg, CPoint pt, HWND hwnd)
{
    if (uiMsg == WM_LBUTTONDOWN && (KGPMenuLinks::IsCustomizeMode() || ::GetKeyState(VK_MENU) < 0)) {
        // A click on a toolbar button's own window (an edit) goes to the toolbar.
        BOOL bSent = FALSE;
        ForEachToolbar([&](CKGPToolBar* pBar) -> bool {
            CPoint client = pt;
            pBar->ScreenToClient(&client);
            CKGPToolbarButton* pButton = pBar->GetButton(pBar->HitTest(client));
            if (pButton == nullptr)
                return true;
            const HWND hControl = pButton->ControlWindow();
            if (hControl != nullptr && hControl == hwnd && pButton->m_rcButton.PtInRect(client)) {
                pBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(client.x, client.y));
                bSent = TRUE;
            }
            return false;
        });
        if (bSent)
            return TRUE;
    }
    CWnd* pActive = KGPMenuLinks::GetActivePopupMenu();
    if (KGPMenuLinks::IsCustomizeMode() || pActive == nullptr || pActive->GetSafeHwnd() == nullptr)
        return FALSE;
    auto* pPopup = DYNAMIC_DOWNCAST(CKGPPopupMenu, pActive);
    if (pPopup == nullptr) {
        // A popup window of another kind: a click outside it closes it and goes on.
        if (!KGPMenuLinks::IsOutsidePopupMenu(pActive, pt) || hwnd == pActive->m_hWnd || ::IsChild(pActive->m_hWnd, hwnd))
            return FALSE;
        pActive->SendMessage(WM_CLOSE);
        return FALSE;
    }
    if (const int kept = ClickOnPopupPart(*pPopup, *m_pFrame, pt); kept >= 0)
        return kept != 0;
    // On the button that opened it: the button's own click closes it. Over a
    // popup of the chain: that popup's part decides.
    CRect rectButton;
    if (CWnd* pArea = pPopup->GetParentArea(rectButton); pArea != nullptr && pArea->GetSafeHwnd() != nullptr) {
        if (rectButton.PtInRect(pt)) {
            if (pArea->IsKindOf(RUNTIME_CLASS(CKGPPopupMenuBar)) || pPopup->IsInCommand())
                return TRUE;
            pPopup->SendMessage(WM_CLOSE);
            return TRUE;
        }
        if (auto* pBar = DYNAMIC_DOWNCAST(CKGPPopupMenuBar, pArea)) {
            pBar->CloseDelayedSubMenu();
            if (CKGPPopupMenu* pHolder = pBar->GetPopupMenu()) {
                if (const int kept = ClickOnPopupPart(*pHolder, *m_pFrame, pt); kept >= 0)
                    return kept != 0;
            }
        }
    }
    if (pPopup->IsInCommand())
        return FALSE;
    pPopup->CloseChain();
    const HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && DYNAMIC_DOWNCAST(CKGPToolBar, CWnd::FromHandlePermanent(hFocus)) != nullptr)
        m_pFrame->SetFocus();
    return FALSE;
}

BOOL CKGPFrameImpl::ProcessMouseWheel(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* pPopup = KGPMenuLinks::GetActivePopupMenu()) {
        if (pPopup->GetSafeHwnd() != nullptr) {
            pPopup->SendMessage(WM_MOUSEWHEEL, wParam, lParam);
            return TRUE; // swallowed either way
        }
    }
    return FALSE; // (a ribbon bar would take it)
}

void CKGPFrameImpl::DeactivateMenu()
{
    if (KGPMenuLinks::IsCustomizeMode())
        return;
    // The menu bar closes its drop-down (once it exists); an open popup closes.
    if (CWnd* pPopup = KGPMenuLinks::GetActivePopupMenu()) {
        if (pPopup->GetSafeHwnd() != nullptr && m_pMenuBar != nullptr)
            pPopup->SendMessage(WM_CLOSE);
    }
}

// ---- The owner-drawn caption.

CRect CKGPFrameImpl::GetCaptionRect() const
{
    CRect window;
    m_pFrame->GetWindowRect(window);
    m_pFrame->ScreenToClient(window);
    const BOOL bIconic = m_pFrame->IsIconic();
    const BOOL bZoomed = m_pFrame->IsZoomed();
    const int cx = bIconic || bZoomed ? 0 : ::GetSystemMetrics(SM_CXFRAME);
    const int cy = bIconic || bZoomed ? 0 : ::GetSystemMetrics(SM_CYFRAME);
    CRect caption(window.left + cx, window.top + cy, window.right - cx, window.top + cy + ::GetSystemMetrics(SM_CYCAPTION));
    if (bIconic) {
        caption.top += ::GetSystemMetrics(SM_CYFRAME);
        caption.right -= ::GetSystemMetrics(SM_CXFRAME);
    }
    return caption;
}

void CKGPFrameImpl::UpdateCaption()
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr ||
        !CKGPVisualManager::GetInstance()->DrawsFrameCaption())
        return;
    const DWORD style = m_pFrame->GetStyle();
    if (m_lstCaptionSysButtons.IsEmpty() && (style & WS_SYSMENU) != 0 && ::GetSystemMenu(m_pFrame->m_hWnd, FALSE) != nullptr) {
        m_lstCaptionSysButtons.AddTail(new CKGPFrameCaptionButton(kHitClose));
        if ((style & WS_MAXIMIZEBOX) != 0)
            m_lstCaptionSysButtons.AddTail(new CKGPFrameCaptionButton(kHitMaximize));
        if ((style & WS_MINIMIZEBOX) != 0)
            m_lstCaptionSysButtons.AddTail(new CKGPFrameCaptionButton(kHitMinimize));
    }
    const CRect caption = GetCaptionRect();
    CSize size = CKGPVisualManager::GetInstance()->GetFrameCaptionButtonSize();
    size.cy = (std::min)(size.cy, static_cast<LONG>(caption.Height() - 2));
    int right = caption.right;
    for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPFrameCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
        const int top = caption.top + (caption.Height() - size.cy) / 2;
        pButton->SetRect(CRect(right - size.cx, top, right, top + size.cy));
        right -= size.cx;
    }
    m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

CKGPCaptionButton* CKGPFrameImpl::CaptionButtonAt(CPoint ptScreen) const
{
    CPoint client = ptScreen;
    m_pFrame->ScreenToClient(&client);
    for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
        if (pButton->GetRect().PtInRect(client))
            return pButton;
    }
    return nullptr;
}

UINT CKGPFrameImpl::OnNcHitTest(CPoint point)
{
    if (!CKGPVisualManager::GetInstance()->DrawsFrameCaption())
        return 0;
    if (const CKGPCaptionButton* pButton = CaptionButtonAt(point))
        return pButton->GetHit();
    CPoint client = point;
    m_pFrame->ScreenToClient(&client);
    const CRect caption = GetCaptionRect();
    if (!caption.PtInRect(client))
        return 0;
    const int icon = caption.Height() + 2 * ::GetSystemMetrics(SM_CXFRAME);
    return client.x < caption.left + icon ? HTSYSMENU : HTCAPTION;
}

void CKGPFrameImpl::RedrawCaptionButton(CKGPCaptionButton* pButton)
{
    if (pButton == nullptr)
        return;
    m_rectRedraw = pButton->GetRect();
    m_pFrame->SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
    m_pFrame->UpdateWindow();
}

void CKGPFrameImpl::SetHotCaptionButton(UINT nHit)
{
    if (nHit == m_nHotSysButton)
        return;
    const UINT nOld = m_nHotSysButton;
    m_nHotSysButton = nHit;
    for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
        if (pButton->GetHit() == nOld || pButton->GetHit() == nHit) {
            pButton->m_bFocused = pButton->GetHit() == nHit;
            RedrawCaptionButton(pButton);
        }
    }
    if (nHit != 0 && nOld == 0)
        m_pFrame->SetCapture();
    else if (nHit == 0 && m_nHitSysButton == 0 && ::GetCapture() == m_pFrame->m_hWnd)
        ::ReleaseCapture();
}

void CKGPFrameImpl::OnNcMouseMove(UINT, CPoint point)
{
    if (m_bCaptionTrackingOff || !CKGPVisualManager::GetInstance()->DrawsFrameCaption() ||
        KGPMenuLinks::GetActivePopupMenu() != nullptr)
        return;
    const CKGPCaptionButton* pButton = CaptionButtonAt(point);
    SetHotCaptionButton(pButton != nullptr && pButton->m_bEnabled ? pButton->GetHit() : 0);
}

void CKGPFrameImpl::OnMouseMove(CPoint point)
{
    CPoint screen = point;
    m_pFrame->ClientToScreen(&screen);
    OnNcMouseMove(HTNOWHERE, screen);
}

void CKGPFrameImpl::OnLButtonDown(CPoint)
{
    if (m_nHotSysButton == 0)
        return;
    m_nHitSysButton = m_nHotSysButton;
    for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
        if (pButton->GetHit() == m_nHitSysButton) {
            pButton->m_bPushed = TRUE;
            RedrawCaptionButton(pButton);
        }
    }
}

void CKGPFrameImpl::OnLButtonUp(CPoint point)
{
    if (m_bCaptionTrackingOff || m_nHitSysButton == 0)
        return;
    const UINT nPressed = m_nHitSysButton;
    m_nHitSysButton = 0;
    for (POSITION pos = m_lstCaptionSysButtons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKGPCaptionButton*>(m_lstCaptionSysButtons.GetNext(pos));
        pButton->m_bPushed = FALSE;
    }
    SetHotCaptionButton(0);
    if (::GetCapture() == m_pFrame->m_hWnd)
        ::ReleaseCapture();
    CPoint screen = point;
    m_pFrame->ClientToScreen(&screen);
    const CKGPCaptionButton* pOver = CaptionButtonAt(screen);
    if (pOver == nullptr || pOver->GetHit() != nPressed)
        return; // released over another button: nothing
    UINT command = 0;
    if (nPressed == kHitClose)
        command = SC_CLOSE;
    else if (nPressed == kHitMaximize)
        command = m_pFrame->IsZoomed() ? SC_RESTORE : SC_MAXIMIZE;
    else if (nPressed == kHitMinimize)
        command = m_pFrame->IsIconic() ? SC_RESTORE : SC_MINIMIZE;
    if (command != 0)
        m_pFrame->PostMessage(WM_SYSCOMMAND, command);
}

BOOL CKGPFrameImpl::OnNcPaint()
{
    return CKGPVisualManager::GetInstance()->PaintFrameNc(m_pFrame, &m_lstCaptionSysButtons, m_rectRedraw);
}

BOOL CKGPFrameImpl::OnNcActivate(BOOL bActive)
{
    if (m_pFrame == nullptr || !m_pFrame->IsWindowVisible())
        return FALSE;
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    if (pManager->OnFrameNcActivate(m_pFrame, bActive))
        return TRUE;
    if (pManager->DrawsFrameCaption())
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    return FALSE;
}

BOOL CKGPFrameImpl::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!CKGPVisualManager::GetInstance()->DrawsFrameCaption())
        return FALSE;
    lpncsp->rgrc[0].top += ::GetSystemMetrics(SM_CYCAPTION);
    return m_pFrame->IsZoomed();
}

void CKGPFrameImpl::OnSetText()
{
    // (A ribbon that replaces the caption redraws its title.)
}

void CKGPFrameImpl::OnActivateApp(BOOL bActive)
{
    CKGPVisualManager::GetInstance()->OnActivateApplication(m_pFrame, bActive);
}

void CKGPFrameImpl::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if ((lpwndpos->flags & SWP_NOSIZE) != 0 || !CKGPVisualManager::GetInstance()->DrawsFrameCaption())
        return;
    const BOOL bWasLocked = CKGPDockManager::s_bLayoutLocked;
    if (m_pDockManager != nullptr)
        CKGPDockManager::s_bLayoutLocked = TRUE;
    m_bIsWindowRgn = CKGPVisualManager::GetInstance()->SetFrameRegion(m_pFrame, lpwndpos->cx, lpwndpos->cy);
    CKGPDockManager::s_bLayoutLocked = bWasLocked;
}

void CKGPFrameImpl::OnChangeVisualManager()
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return;
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    const DWORD style = m_pFrame->GetStyle();
    BOOL bBorderChanged = FALSE;
    if (!pManager->DrawsFrameCaption()) {
        if ((style & WS_BORDER) == 0 && m_bHasBorder) {
            m_pFrame->ModifyStyle(0, WS_BORDER);
            ::SetWindowRgn(m_pFrame->m_hWnd, nullptr, TRUE);
            m_bIsWindowRgn = FALSE;
            bBorderChanged = TRUE;
        }
    } else {
        if ((style & WS_BORDER) != 0 && m_bHasBorder) {
            m_pFrame->ModifyStyle(WS_BORDER, 0);
            bBorderChanged = TRUE;
        }
        CRect window;
        m_pFrame->GetWindowRect(window);
        m_bIsWindowRgn = pManager->SetFrameRegion(m_pFrame, window.Width(), window.Height());
    }
    // A maximised frame takes its new border by being shown again; a
    // maximised document window is left alone (minimised, it would give its
    // place in the MDI client to another document).
    if (bBorderChanged && m_pFrame->IsZoomed() && !m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd))) {
        m_pFrame->ShowWindow(SW_MINIMIZE);
        m_pFrame->ShowWindow(SW_MAXIMIZE);
    }
    UpdateCaption();
}

void CKGPFrameImpl::OnDwmCompositionChanged()
{
    // (A ribbon that replaces the caption hears of it.)
}

void CKGPFrameImpl::NoteAltPress(const MSG& msg)
{
    if (msg.wParam != VK_MENU)
        m_altPress = AltPress::None; // Alt is used with another key
    else if ((msg.lParam & kKeyWasDown) == 0)
        m_altPress = AltPress::Alone; // pressed anew
}

CKGPFrameImpl::PreTranslateResult CKGPFrameImpl::OnKeyRelease(const MSG& msg)
{
    // Alt released alone, or F10: the menu bar takes the keys, or gives them
    // back. The release of an Alt used with a key the library took is no
    // menu key: no window's default handling may see it as Alt alone. (Some
    // systems send either release as a plain key-up.)
    if (msg.wParam == VK_MENU) {
        const AltPress press = m_altPress;
        m_altPress = AltPress::None;
        if (press == AltPress::Used)
            return PreTranslateResult::Consumed;
        if (press == AltPress::Alone && ToggleMenuBarFocus(&msg))
            return PreTranslateResult::Consumed;
    } else if (msg.wParam == VK_F10 && ToggleMenuBarFocus(&msg)) {
        return PreTranslateResult::Consumed;
    }
    if (msg.message == WM_SYSKEYUP && KGPMenuLinks::GetActivePopupMenu() != nullptr)
        return PreTranslateResult::Consumed;
    return PreTranslateResult::PassOn;
}

BOOL CKGPFrameImpl::ToggleMenuBarFocus(const MSG* pMsg)
{
    if (m_pMenuBar == nullptr || m_pMenuBar->GetSafeHwnd() == nullptr || !m_pMenuBar->IsWindowVisible() ||
        m_pFrame == nullptr)
        return FALSE;
    const BOOL bF10 = pMsg->wParam == VK_F10 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0;
    if (pMsg->wParam != VK_MENU && !bF10)
        return FALSE;
    // (Taken here, the key never puts the frame's system menu in menu mode.)
    if (::GetFocus() == m_pMenuBar->m_hWnd)
        m_pFrame->SetFocus();
    else if ((pMsg->lParam & (1 << 29)) == 0)
        m_pMenuBar->SetFocus();
    return TRUE;
}

BOOL CKGPFrameImpl::IsMoveOutsideActiveMenu(const MSG& msg) const
{
    CWnd* pActive = KGPMenuLinks::GetActivePopupMenu();
    if (pActive == nullptr || pActive->GetSafeHwnd() == nullptr || !pActive->IsWindowVisible() ||
        KGPMenuLinks::IsCustomizeMode() || !::IsWindow(msg.hwnd) || ::GetCapture() == msg.hwnd)
        return FALSE;
    CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
    ::ClientToScreen(msg.hwnd, &point);
    if (!KGPMenuLinks::IsOutsidePopupMenu(pActive, point))
        return FALSE;
    // Over the menu bar's items a move may open the next menu.
    if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr && m_pMenuBar->IsWindowVisible()) {
        CPoint client = point;
        m_pMenuBar->ScreenToClient(&client);
        CRect bar;
        m_pMenuBar->GetClientRect(bar);
        if (bar.PtInRect(client) && m_pMenuBar->HitTest(client) >= 0)
            return FALSE;
    }
    return TRUE;
}

CKGPFrameImpl::PreTranslateResult CKGPFrameImpl::PreTranslateFrameMessage(MSG* pMsg)
{
    BOOL bProcessAccel = TRUE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
        NoteAltPress(*pMsg);
        if (!IsHelpKey(pMsg) && ProcessKeyboard(static_cast<int>(pMsg->wParam), &bProcessAccel))
            return PreTranslateResult::Consumed;
        if (pMsg->wParam == VK_ESCAPE && m_FullScreenMgr.IsFullScreen()) {
            m_FullScreenMgr.RestoreState(m_pFrame);
            return PreTranslateResult::Consumed;
        }
        if (pMsg->wParam == VK_ESCAPE) {
            // A drag in progress ends: a floating frame's where it began (its
            // bar back where it was dragged from), a slider's unmoved.
            CWnd* pCapture = CWnd::GetCapture();
            if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pCapture)) {
                pMiniFrame->CancelDragByEscape();
                return PreTranslateResult::Consumed;
            }
            if (DYNAMIC_DOWNCAST(CKGPSlider, pCapture) != nullptr) {
                pCapture->SendMessage(WM_CANCELMODE);
                return PreTranslateResult::Consumed;
            }
        }
        return bProcessAccel ? PreTranslateResult::PassOn : PreTranslateResult::Untranslated;
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU: {
        if (pMsg->message == WM_SYSKEYDOWN)
            NoteAltPress(*pMsg);
        CWnd* pPopup = KGPMenuLinks::GetActivePopupMenu();
        if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr && pMsg->wParam == VK_MENU) {
            pPopup->SendMessage(WM_CLOSE);
            return PreTranslateResult::Consumed;
        }
        if (pMsg->message == WM_SYSKEYDOWN && ProcessKeyboard(static_cast<int>(pMsg->wParam))) {
            if (pMsg->wParam != VK_MENU && ::GetKeyState(VK_MENU) < 0)
                m_altPress = AltPress::Used; // Alt+key taken: its release is no menu key
            return PreTranslateResult::Consumed;
        }
        return PreTranslateResult::PassOn;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return OnKeyRelease(*pMsg);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        return ProcessMouseClick(pMsg->message, CPoint(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)),
                                 pMsg->hwnd)
                   ? PreTranslateResult::Consumed
                   : PreTranslateResult::PassOn;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        if (::IsWindow(pMsg->hwnd))
            ::ClientToScreen(pMsg->hwnd, &point);
        if (ProcessMouseClick(pMsg->message, point, pMsg->hwnd))
            return PreTranslateResult::Consumed;
        // A click whose window went meanwhile goes no further.
        return ::IsWindow(pMsg->hwnd) ? PreTranslateResult::PassOn : PreTranslateResult::Consumed;
    }
    case WM_MOUSEWHEEL:
        return ProcessMouseWheel(pMsg->wParam, pMsg->lParam) ? PreTranslateResult::Consumed
                                                             : PreTranslateResult::PassOn;
    case WM_MOUSEMOVE:
        return IsMoveOutsideActiveMenu(*pMsg) ? PreTranslateResult::Consumed : PreTranslateResult::PassOn;
    default:
        return PreTranslateResult::PassOn;
    }
}
