// The docking pane: creation, its caption and caption buttons (sized, laid out,
// painted, given tooltips), hit tests, focus and the stored form.
#include "guilib/docking/KGPDockingControlBar.h"

#include <afxhandle.h>

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPNcPaintBuffer.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "guilib/docking/KGPTabbedBarLink.h"
#include "guilib/tabs/KGPBaseTabWnd.h"

#include <afxarch.h>

IMPLEMENT_SERIAL(CKGPDockingControlBar, CKGPControlBar, VERSIONABLE_SCHEMA | 2)

int CKGPDockingControlBar::m_nCaptionMargin = 2;
int CKGPDockingControlBar::m_nButtonsEdgeMargin = 2;
BOOL CKGPDockingControlBar::m_bHideInapplicableButtons = TRUE;
int CKGPDockingControlBar::m_nDefaultSlideMode = 1;
BOOL CKGPDockingControlBar::s_bAutoHideSwitch = FALSE;

namespace {

constexpr LPCTSTR kPaneClass = _T("KGPControlBar");
// The smart-docking marker that stands for "as a tab".
constexpr int kCentreMarker = 8;

// The caption's tooltip tools, one per button: the pane relays the mouse to
// the tooltip itself, so the tooltip does not subclass the pane (which would
// put every message the pane gets through the tooltip first).
void AddCaptionTools(CToolTipCtrl* pToolTip, CWnd* pPane)
{
    for (UINT_PTR id = 1; id <= 3; ++id) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = pPane->GetSafeHwnd();
        info.uId = id;
        info.lpszText = LPSTR_TEXTCALLBACKW;
        pToolTip->SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CKGPDockingControlBar, CKGPControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_CANCELMODE()
    ON_WM_CONTEXTMENU()
    ON_WM_SETFOCUS()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_SETTEXT, &CKGPDockingControlBar::OnSetText)
    ON_REGISTERED_MESSAGE(KGM_UPDATETOOLTIPS, &CKGPDockingControlBar::OnUpdateToolTips)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CKGPDockingControlBar::OnNeedTipText)
END_MESSAGE_MAP()

CKGPDockingControlBar::CKGPDockingControlBar()
{
    // A pane fills what its container gives it: no borders of a toolbar.
    SetBorders(0, 0, 0, 0);
    SetSlideClock([] { return static_cast<long>(::GetTickCount()); });
}

// The window goes while the pane is still whole, so that the pane's own
// WM_DESTROY takes it out of its tree, the dock manager and its tooltip (a
// base destructor would reach only the base handlers).
CKGPDockingControlBar::~CKGPDockingControlBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

// ---- Creation.

BOOL CKGPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                                   UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwBarStyle)
{
    return CreateEx(0, lpszCaption, pParentWnd, CRect(CPoint(0, 0), sizeDefault), bHasGripper, nID, dwStyle,
                    dwTabbedStyle, dwBarStyle);
}

BOOL CKGPDockingControlBar::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                                   UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwBarStyle,
                                   CCreateContext* pContext)
{
    return CreateEx(0, lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle, dwBarStyle,
                    pContext);
}

BOOL CKGPDockingControlBar::CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                                     BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                                     DWORD dwBarStyle, CCreateContext* pContext)
{
    if ((dwStyle & KGP_CBRS_FLOAT_MULTI) != 0)
        SetMiniFrameRTC(RUNTIME_CLASS(CKGPMultiMiniFrameWnd));
    if ((dwTabbedStyle & KGP_TAB_STYLE_OUTLOOK) != 0)
        m_dwTabbedStyle = KGP_TAB_STYLE_OUTLOOK;
    else if ((dwTabbedStyle & KGP_TAB_STYLE_TABBED) != 0)
        m_dwTabbedStyle = KGP_TAB_STYLE_TABBED;
    else
        m_dwTabbedStyle = 0;
    if ((dwStyle & WS_CAPTION) != 0 || bHasGripper) {
        m_bHasGripper = TRUE;
        dwStyle &= ~WS_CAPTION;
    }
    const CString className =
        RegisterLibraryWindowClass(kPaneClass, CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CKGPControlBar::CreateEx(dwStyleEx, className, dwStyle, rect, pParentWnd, nID, dwBarStyle, pContext))
        return FALSE;
    m_rectRestored = rect;
    CSize minimum;
    GetMinSize(minimum);
    if (minimum != CSize(0, 0)) {
        m_rectRestored.right = m_rectRestored.left + minimum.cx;
        m_rectRestored.bottom = m_rectRestored.top + minimum.cy;
    }
    SetCurrentAlignment(dwStyle & CBRS_ALIGN_ANY);
    EnableGripper(m_bHasGripper);
    if (lpszCaption != nullptr)
        SetWindowText(lpszCaption);
    return TRUE;
}

int CKGPDockingControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetCaptionButtons();
    // The caption's tooltip is made when the mouse first comes over the pane
    // (a tooltip is a window of its own, and every window costs).
    return 0;
}

void CKGPDockingControlBar::OnDestroy()
{
    m_arrButtons.DeleteAll();
    m_nHot = m_nHit = 0;
    LeaveAutoHideOnDestroy();
    // It leaves its floating frame or its slider, and the dock manager.
    RemoveFromDockBar();
    RemoveFromDockManager(FALSE, FALSE);
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
    CKGPControlBar::OnDestroy();
}

// ---- Caption.

void CKGPDockingControlBar::EnableGripper(BOOL bEnable)
{
    m_cyGripper = bEnable && m_bHasGripper
                      ? GetKGPGlobalData().GetTextHeight() + 2 * m_nCaptionMargin + 1
                      : 0;
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(HWND{}, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int CKGPDockingControlBar::GetCaptionHeight() const
{
    if (GetSafeHwnd() == nullptr || IsFloating() || IsShownAsDocument() || m_cyGripper == 0)
        return 0;
    return m_cyGripper + CKGPVisualManager::GetInstance()->GetPaneCaptionExtraHeight();
}

int CKGPDockingControlBar::GetTabAreaHeight() const
{
    CRect top, bottom;
    GetTabArea(top, bottom);
    return bottom.Height();
}

void CKGPDockingControlBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
}

void CKGPDockingControlBar::SetCaptionButtons()
{
    m_arrButtons.DeleteAll();
    for (const UINT nHit : {KGP_PANE_HIT_CLOSE, KGP_PANE_HIT_PIN, KGP_PANE_HIT_MENU})
        m_arrButtons.AddTail(new CKGPCaptionButton(nHit, FALSE));
}

CKGPCaptionButton* CKGPDockingControlBar::FindCaptionButton(UINT nHit) const
{
    return KGPCaption::FindButtonByHit(m_arrButtons, nHit);
}

void CKGPDockingControlBar::EnableCaptionButton(UINT nHit, BOOL bEnable)
{
    if (CKGPCaptionButton* pButton = FindCaptionButton(nHit))
        pButton->m_bEnabled = bEnable;
}

void CKGPDockingControlBar::ArrangeCaptionButtons(const CRect& rectWindowInClient)
{
    const int caption = GetCaptionHeight();
    const BOOL bFloating = IsFloating();
    for (POSITION pos = m_arrButtons.GetHeadPosition(); pos != nullptr;) {
        CKGPCaptionButton* pButton = m_arrButtons.GetNext(pos);
        BOOL bHidden = bFloating; // the floating frame has a caption of its own
        if (m_bHideInapplicableButtons) {
            if (pButton->GetHit() == KGP_PANE_HIT_PIN && !CanAutoHide())
                bHidden = TRUE;
            if (pButton->GetHit() == KGP_PANE_HIT_CLOSE && !CanBeClosed())
                bHidden = TRUE;
        }
        if (pButton->GetHit() == KGP_PANE_HIT_MENU && CKGPVisualManager::s_nCaptionMenuButtonFlag == 0)
            bHidden = TRUE;
        pButton->m_bHidden = bHidden;
    }
    // Places are kept in window coordinates (from the window's top-left corner).
    const CRect band(0, 0, rectWindowInClient.Width(), caption);
    KGPCaption::ArrangePaneButtons(m_arrButtons, band, m_nButtonsEdgeMargin, 0);
    UpdateTooltipRects();
}

void CKGPDockingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    // A pane's only non-client part is its caption band (no bar borders).
    CRect window(lpncsp->rgrc[0]);
    RECT& client = lpncsp->rgrc[0];
    client.top += GetCaptionHeight();
    client.bottom = (std::max)(client.top, client.bottom);
    ArrangeCaptionButtons(window);
}

void CKGPDockingControlBar::UpdateTooltipRects()
{
    // Tools 1, 2 and 3 are the close, pin and menu buttons, in that order.
    KGPCaption::UpdateToolRects(m_pToolTip, this, m_arrButtons);
}

BOOL CKGPDockingControlBar::OnNeedTipText(UINT, NMHDR* pNMH, LRESULT* pResult)
{
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    UINT nString = 0;
    LPCTSTR fallback = nullptr;
    switch (pNMH->idFrom) {
    case 1:
        nString = 16032;
        fallback = _T("Close");
        break;
    case 2:
        nString = bCtrl && m_bEnableAutoHideAll ? 16036 : 16033;
        fallback = bCtrl && m_bEnableAutoHideAll ? _T("Auto Hide All") : _T("Auto Hide");
        break;
    case 3:
        nString = 17038;
        fallback = _T("Options");
        break;
    default:
        return FALSE; // a tool that is not one of the caption's
    }
    KGPCaption::AnswerToolTipText(pNMH, nString, fallback, pResult);
    return TRUE;
}

LRESULT CKGPDockingControlBar::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if ((wParam & KGP_TOOLTIP_CAPTIONBAR) == 0 || m_pToolTip == nullptr)
        return 0; // one not made yet is made with the new settings
    MakeCaptionToolTip();
    return 0;
}

void CKGPDockingControlBar::MakeCaptionToolTip()
{
    if (CKGPToolTipFactory::CreateToolTip(m_pToolTip, this, KGP_TOOLTIP_CAPTIONBAR))
        AddCaptionTools(m_pToolTip, this);
    UpdateTooltipRects();
}

BOOL CKGPDockingControlBar::PreTranslateMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const BOOL bMouse = (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) ||
                        (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONUP);
    if (bMouse && m_pToolTip == nullptr && pMsg->hwnd == m_hWnd)
        MakeCaptionToolTip();
    if ((bMouse || message == WM_KEYDOWN) && m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->RelayEvent(pMsg);
    if (message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        // Esc ends a drag in progress, of this pane or of its floating frame,
        // where it began: a frame following the mouse gives the pane back.
        if (m_bPrepareToFloat && IsDragFrameMode()) {
            SendMessage(WM_CANCELMODE); // the outline goes; the pane never moved
            return TRUE;
        }
        // A tab: the drag its tabbed pane armed, or its floating frame's move, ends.
        if (auto* pTabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, GetParentTabbedBar())) {
            CKGPMiniFrameWnd* pMiniFrame = pTabbed->GetParentMiniFrame(TRUE);
            if (pMiniFrame != nullptr && pMiniFrame->IsMoving()) {
                pMiniFrame->CancelDragByEscape();
                return TRUE;
            }
            if (pTabbed->m_bPrepareToFloat) {
                pTabbed->SendMessage(WM_CANCELMODE);
                return TRUE;
            }
        }
        if (CKGPMiniFrameWnd* pMoving = GetParentMiniFrame(TRUE); pMoving != nullptr && pMoving->IsMoving()) {
            pMoving->CancelDragByEscape();
            return TRUE;
        }
    }
    return CKGPControlBar::PreTranslateMessage(pMsg);
}

// ---- Painting.

void CKGPDockingControlBar::DrawCaption(CDC* pDC, CRect rectCaption)
{
    CRect buttons;
    for (POSITION pos = m_arrButtons.GetHeadPosition(); pos != nullptr;) {
        CKGPCaptionButton* pButton = m_arrButtons.GetNext(pos);
        if (!pButton->m_bHidden)
            buttons.UnionRect(buttons, pButton->GetRect());
    }
    const COLORREF text =
        CKGPVisualManager::GetInstance()->DrawPaneCaption(pDC, this, m_bActivePane, rectCaption, buttons);
    CRect rectText = rectCaption;
    rectText.DeflateRect(2 * m_nButtonsEdgeMargin, 0);
    for (POSITION pos = m_arrButtons.GetHeadPosition(); pos != nullptr;) {
        CKGPCaptionButton* pButton = m_arrButtons.GetNext(pos);
        pButton->m_clrText = text;
        if (pButton->m_bHidden)
            continue;
        const CRect rect = pButton->GetRect();
        if (pButton->m_bLeftAlign)
            rectText.left = (std::max)(rectText.left, rect.right + 2 * m_nButtonsEdgeMargin);
        else
            rectText.right = (std::min)(rectText.right, rect.left - 2 * m_nButtonsEdgeMargin);
    }
    CString title;
    GetWindowText(title);
    const CSelectionScope font(pDC->m_hDC, GetKGPGlobalData().GetRegularFont());
    ::SetBkMode(pDC->m_hDC, TRANSPARENT);
    ::SetTextColor(pDC->m_hDC, text);
    ::DrawTextW(pDC->m_hDC, title, title.GetLength(), &rectText,
                DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CKGPDockingControlBar::OnNcPaint()
{
    CKGPNcPaintBuffer buffer(this);
    const CRect& window = buffer.GetWindowRect();
    if (window.IsRectEmpty())
        return;
    CDC* pDC = buffer.GetDC();
    CKGPVisualManager::GetInstance()->FillBarBackground(pDC, this, window, window, TRUE);
    const int caption = GetCaptionHeight();
    if (caption > 0) {
        DrawCaption(pDC, CRect(0, 0, window.Width(), caption - 2));
        const BOOL bHorz = IsHorizontal();
        for (POSITION pos = m_arrButtons.GetHeadPosition(); pos != nullptr;) {
            CKGPCaptionButton* pButton = m_arrButtons.GetNext(pos);
            const BOOL bMaximized = pButton->GetHit() == KGP_PANE_HIT_PIN ? !m_bPinState : TRUE;
            pButton->OnDraw(pDC, m_bActivePane, bHorz, bMaximized, FALSE);
        }
    }
}

void CKGPDockingControlBar::OnPaint()
{
    CPaintDC dc(this); // what a pane without content shows
    DoPaint(&dc);
}

void CKGPDockingControlBar::RedrawCaptionButton(CKGPCaptionButton* pButton)
{
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return;
    m_rectRedraw = pButton->GetRect();
    SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
}

// ---- Hit tests.

CKGPCaptionButton* CKGPDockingControlBar::CaptionButtonAt(CPoint ptScreen) const
{
    if (GetCaptionHeight() <= 0)
        return nullptr;
    return KGPCaption::FindButtonAtPoint(m_arrButtons, KGPCaption::WindowPointFromScreen(this, ptScreen));
}

int CKGPDockingControlBar::HitTest(CPoint point, BOOL bDetectCaption)
{
    CRect window;
    GetWindowRect(window);
    if (!window.PtInRect(point))
        return HTNOWHERE;
    if (const CKGPCaptionButton* pButton = CaptionButtonAt(point))
        return static_cast<int>(pButton->GetHit());
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    client.NormalizeRect();
    if (client.PtInRect(point))
        return HTCLIENT;
    const int caption = GetCaptionHeight();
    const CRect band(window.left, window.top + 1, window.right, window.top + 1 + caption);
    if (caption > 0 && band.PtInRect(point))
        return bDetectCaption ? HTCAPTION : HTCLIENT;
    return -2;
}

LRESULT CKGPDockingControlBar::OnNcHitTest(CPoint point)
{
    const int hit = HitTest(point, FALSE);
    return hit == -2 ? CKGPControlBar::OnNcHitTest(point) : hit;
}

int CKGPDockingControlBar::HitTestDockArea(CPoint point, int nSensitivity) const
{
    CKGPDockManager* pManager = GetDockManager();
    const CKGPSmartDockingManager* pSmart = pManager != nullptr ? pManager->GetSmartDockingManager() : nullptr;
    if (pSmart != nullptr && pSmart->IsStarted() && pSmart->GetHotMarker() == kCentreMarker)
        return KGPDock::kDockAsTab;
    CRect window, top, bottom;
    GetWindowRect(window);
    GetTabArea(top, bottom);
    return KGPDock::PaneDockAreaHit(window, GetCaptionHeight(), top, bottom, point, nSensitivity);
}

// ---- Queries.

BOOL CKGPDockingControlBar::IsAcceptedBy(CKGPBaseControlBar* pOther) const
{
    return pOther != nullptr && pOther->CanAcceptBar(this);
}

BOOL CKGPDockingControlBar::CanAcceptBar(const CKGPBaseControlBar* pBar) const
{
    return pBar != nullptr && pBar != this && pBar->IsPaneKind();
}

BOOL CKGPDockingControlBar::IsInFloatingMultiPaneFrame() const
{
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame != nullptr && pMiniFrame->IsMultiPaneFrame();
}

CFrameWnd* CKGPDockingControlBar::DockingFrame() const
{
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        CWnd* pOwner = pMiniFrame->GetParentFrameWnd();
        return pOwner != nullptr ? pOwner->AsFrameWnd() : nullptr;
    }
    return GetDockSiteFrame();
}

CKGPSlider* CKGPDockingControlBar::GetDefaultPaneSlider() const
{
    if (m_hDefaultSlider == nullptr || !::IsWindow(m_hDefaultSlider))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPSlider, CWnd::FromHandlePermanent(m_hDefaultSlider));
}

CKGPBaseControlBar* CKGPDockingControlBar::GetDefaultSlider() const
{
    return GetDefaultPaneSlider();
}

BOOL CKGPDockingControlBar::IsBarVisible() const
{
    if (IsTabbed() || !IsAutoHideMode())
        return CKGPControlBar::IsBarVisible();
    // An auto-hidden pane shows through its auto-hide strip (the auto-hide bars
    // bring it); while the dock manager shows or hides all bars it counts as shown.
    return s_bAutoHideSwitch ? (GetStyle() & WS_VISIBLE) != 0 : FALSE;
}

CSize CKGPDockingControlBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect window;
    GetWindowRect(window);
    return window.Size();
}

void CKGPDockingControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHandler);
    const HWND hFocus = ::GetFocus();
    const BOOL bActive = hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus);
    if (bActive != m_bActivePane) {
        m_bActivePane = bActive;
        SendMessage(WM_NCPAINT);
    }
}

void CKGPDockingControlBar::CopyPaneState(CKGPDockingControlBar* pOther)
{
    if (pOther == nullptr)
        return;
    CopyStateFrom(pOther);
    m_rectRestored = pOther->m_rectRestored;
    m_nSlideMode = pOther->m_nSlideMode;
    m_nLastPercent = pOther->m_nLastPercent;
    m_bEnableAutoHideAll = pOther->m_bEnableAutoHideAll;
}

// ---- Window messages.

void CKGPDockingControlBar::OnSetFocus(CWnd* pOldWnd)
{
    CKGPControlBar::OnSetFocus(pOldWnd);
    if (auto* pMulti = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, GetParentMiniFrame(TRUE)))
        pMulti->SetLastFocusedPane(this);
}

void CKGPDockingControlBar::OnSize(UINT nType, int cx, int cy)
{
    CKGPControlBar::OnSize(nType, cx, cy);
    // The one child (the pane's content) fills the client area.
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild != nullptr && pChild->GetWindow(GW_HWNDNEXT) == nullptr && pChild->GetSafeHwnd() != nullptr &&
        pChild->m_hWnd != (m_pToolTip != nullptr ? m_pToolTip->m_hWnd : nullptr)) {
        CRect client;
        GetClientRect(client);
        pChild->SetWindowPos(HWND{}, 0, 0, client.Width(), client.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKGPDockingControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKGPControlBar::OnSettingChange(uFlags, lpszSection);
    if (m_bHasGripper)
        EnableGripper(m_cyGripper > 0);
}

LRESULT CKGPDockingControlBar::OnSetText(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    CString title;
    GetWindowText(title);
    if (IsTabbed()) {
        // The tab's label follows the pane's title (which the label then
        // sets again: the same text is left alone).
        HWND hwndTab = nullptr;
        IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
        auto* pTabs = DYNAMIC_DOWNCAST(CKGPBaseTabWnd, pLink != nullptr ? pLink->GetTabWindow(this, hwndTab) : nullptr);
        const int iTab = pTabs != nullptr ? pTabs->GetTabFromHwnd(hwndTab) : -1;
        CString label;
        if (iTab >= 0 && pTabs->GetTabLabel(iTab, label) && label != title)
            pTabs->SetTabLabel(iTab, title);
    } else if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->SetWindowPos(HWND{}, 0, 0, 0, 0,
                                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else if (IsAutoHideMode() && m_pAutoHideBar != nullptr && m_pAutoHideBar->GetSafeHwnd() != nullptr) {
        // The button shows the title: it is measured, placed and drawn again.
        m_pAutoHideBar->UpdateInParentRow();
    } else {
        SendMessage(WM_NCPAINT);
    }
    return result;
}

