// The floating frame: creation, the hosted bar, geometry and the window messages
// that are neither caption buttons nor dragging.
#include "guilib/docking/KGPMiniFrameWnd.h"

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPTabbedBarLink.h"

IMPLEMENT_SERIAL(CKGPMiniFrameWnd, CWnd, VERSIONABLE_SCHEMA | 1)

CList<HWND, HWND> CKGPMiniFrameWnd::s_lstFrames;
CMap<UINT, UINT, HWND, HWND> CKGPMiniFrameWnd::s_mapFloatingBars;
int CKGPMiniFrameWnd::m_nCaptionButtonSpacing = KGPCaption::kButtonSpacing;
int CKGPMiniFrameWnd::m_nCaptionButtonMargin = 0;
UINT CKGPMiniFrameWnd::m_nRollTimeOut = 250;
BOOL CKGPMiniFrameWnd::m_bRespectMinSize = TRUE;

namespace {

constexpr DWORD kSyncActive = 0x100; // MFS_SYNCACTIVE
constexpr UINT kWmFloatStatus = 0x036D;
// WM_FLOATSTATUS's bits: the caption active or not; whether a window keeps
// its caption in step with its owner's.
constexpr WPARAM kFloatActivate = 4;   // FS_ACTIVATE
constexpr WPARAM kFloatDeactivate = 8; // FS_DEACTIVATE
constexpr WPARAM kFloatSyncActive = 64; // FS_SYNCACTIVE
constexpr UINT kWmExitSizeMove = WM_EXITSIZEMOVE;

} // namespace

BEGIN_MESSAGE_MAP(CKGPMiniFrameWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(kWmFloatStatus, &CKGPMiniFrameWnd::OnFloatStatus)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKGPMiniFrameWnd::OnIdleUpdateCmdUI)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_MOVING()
    ON_WM_SIZING()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_GETMINMAXINFO()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(kWmExitSizeMove, &CKGPMiniFrameWnd::OnExitSizeMove)
    ON_WM_SETTINGCHANGE()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CKGPMiniFrameWnd::OnNeedTipText)
    ON_REGISTERED_MESSAGE(KGPMSG_CHECKEMPTYMINIFRAME, &CKGPMiniFrameWnd::OnCheckEmptyState)
    ON_MESSAGE(kShowOverOwnerMessage, &CKGPMiniFrameWnd::OnShowOverOwner)
    ON_REGISTERED_MESSAGE(KGM_UPDATETOOLTIPS, &CKGPMiniFrameWnd::OnUpdateToolTips)
END_MESSAGE_MAP()

CKGPMiniFrameWnd::CKGPMiniFrameWnd()
{
    RecalcCaptionHeight();
}

CKGPMiniFrameWnd::~CKGPMiniFrameWnd()
{
    RemoveCaptionButtons();
}

// ---- Creation.

BOOL CKGPMiniFrameWnd::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                              CCreateContext* pContext)
{
    return CreateEx(0, lpszWindowName, dwStyle, rect, pParentWnd, pContext);
}

BOOL CKGPMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                CWnd* pParentWnd, CCreateContext*)
{
    if (pParentWnd == nullptr || pParentWnd->AsFrameWnd() == nullptr)
        return FALSE;
    m_hParentWnd = pParentWnd->GetSafeHwnd();
    if ((pParentWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        dwExStyle |= WS_EX_LAYOUTRTL;
    const CString className =
        RegisterLibraryWindowClass(_T("KGPMiniFrame"), CS_DBLCLKS, GetKGPGlobalData().GetArrowCursor());
    if (!CWnd::CreateEx(dwExStyle, className, lpszWindowName, dwStyle | WS_POPUP, rect, pParentWnd, 0))
        return FALSE;
    CKGPDockManager* pManager = GetDockManager();
    if (pManager == nullptr) {
        DestroyWindow();
        return FALSE;
    }
    pManager->AddMiniFrame(this);
    m_dragFrameImpl.Init(this);
    return TRUE;
}

BOOL CKGPMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= kSyncActive;
    return CWnd::PreCreateWindow(cs);
}

BOOL CKGPMiniFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // The caption buttons' tooltip hears the mouse and keys over the frame.
    const UINT message = pMsg->message;
    const BOOL bRelay = message == WM_NCMOUSEMOVE || message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONUP ||
                        message == WM_NCRBUTTONDOWN || message == WM_NCRBUTTONUP || message == WM_NCMBUTTONDOWN ||
                        message == WM_NCMBUTTONUP || message == WM_KEYDOWN || message == WM_SYSKEYDOWN ||
                        (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK && message != WM_LBUTTONDBLCLK &&
                         message != WM_RBUTTONDBLCLK);
    if (bRelay && m_pToolTip == nullptr && GetSafeHwnd() != nullptr &&
        CKGPToolTipFactory::CreateToolTip(m_pToolTip, this, KGP_TOOLTIP_MINIFRAME)) {
        UpdateCaptionTooltips();
        UpdateCaptionTooltipRects();
    }
    if (bRelay && m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

CKGPDockManager* CKGPMiniFrameWnd::GetDockManager() const
{
    if (m_pDockManager != nullptr)
        return m_pDockManager;
    return CKGPGlobalUtils::Get().GetDockManager(CWnd::FromHandle(m_hParentWnd));
}

// ---- The hosted bar.

CKGPBaseControlBar* CKGPMiniFrameWnd::HostedBar() const
{
    return m_hEmbeddedBar != nullptr ? DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(m_hEmbeddedBar))
                                     : nullptr;
}

CKGPControlBar* CKGPMiniFrameWnd::HostedControlBar() const
{
    return DYNAMIC_DOWNCAST(CKGPControlBar, HostedBar());
}

BOOL CKGPMiniFrameWnd::HostsToolBar() const
{
    CKGPBaseControlBar* pBar = HostedBar();
    return pBar != nullptr ? pBar->IsToolBarKind() : m_bHostsToolbar;
}

BOOL CKGPMiniFrameWnd::CanBeAttachedTo(CKGPBaseControlBar* pTarget)
{
    return pTarget != nullptr && pTarget->CanAcceptBar(HostedBar());
}

BOOL CKGPMiniFrameWnd::GetHostedBarKindFlag() const
{
    CKGPBaseControlBar* pBar = HostedBar();
    return pBar != nullptr && pBar->IsPaneKind();
}

void CKGPMiniFrameWnd::AddControlBar(CKGPBaseControlBar* pBar)
{
    if (pBar == nullptr)
        return;
    m_bHostsToolbar = pBar->IsToolBarKind();
    if (m_hEmbeddedBar == pBar->GetSafeHwnd())
        return;
    m_hEmbeddedBar = pBar->GetSafeHwnd();
    // The bar's title and icons, each set only when it changes (setting one
    // on a top-level window reaches the window system each time).
    CString title, current;
    pBar->GetWindowText(title);
    GetWindowText(current);
    if (title != current)
        SetWindowText(title);
    for (const WPARAM size : {WPARAM{ICON_SMALL}, WPARAM{ICON_BIG}}) {
        const HICON hIcon = pBar->GetBarIcon(size == ICON_BIG);
        if (reinterpret_cast<HICON>(SendMessage(WM_GETICON, size)) != hIcon)
            SendMessage(WM_SETICON, size, reinterpret_cast<LPARAM>(hIcon));
    }
    AddRemoveBarFromGlobalMap(pBar, TRUE);
    TakeHostedBarCaptionButtons();
    SetRollUpTimer();
}

void CKGPMiniFrameWnd::TakeHostedBarCaptionButtons()
{
    // Close when the bar may be closed; a toolbar with a customise entry adds
    // its menu button (a menu bar shows only that); a bar that asks for none
    // has none. The pin stays while the frame rolls up.
    CKGPBaseControlBar* pBar = HostedBar();
    DWORD dwButtons = pBar != nullptr ? pBar->GetFloatingCaptionButtons() : 0;
    if (m_nRollTimerID != 0)
        dwButtons |= KGP_CAPTION_BTN_PIN;
    SetCaptionButtons(dwButtons);
}

void CKGPMiniFrameWnd::RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroyIfEmpty, BOOL bKeepWhenEmpty)
{
    m_bKeepWhenEmpty = bKeepWhenEmpty;
    AddRemoveBarFromGlobalMap(pBar, FALSE);
    if (pBar != nullptr && pBar->GetSafeHwnd() == m_hEmbeddedBar)
        m_hEmbeddedBar = nullptr;
    KillRollUpTimer();
    if (GetControlBarCount() == 0 && GetSafeHwnd() != nullptr) {
        if (bDestroyIfEmpty)
            DestroyWindow();
        else
            PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
    }
}

void CKGPMiniFrameWnd::ReplaceControlBar(CKGPBaseControlBar* pBarOrg, CKGPBaseControlBar* pBarReplaceWith)
{
    AddRemoveBarFromGlobalMap(pBarOrg, FALSE);
    if (pBarOrg != nullptr && pBarOrg->GetSafeHwnd() == m_hEmbeddedBar && pBarReplaceWith != nullptr)
        m_hEmbeddedBar = pBarReplaceWith->GetSafeHwnd();
    AddRemoveBarFromGlobalMap(pBarReplaceWith, TRUE);
    // The bar that takes the frame over brings its own caption buttons (a
    // frame of several panes keeps the frame's).
    if (!IsMultiPaneFrame() && pBarReplaceWith != nullptr && pBarReplaceWith->GetSafeHwnd() == m_hEmbeddedBar)
        TakeHostedBarCaptionButtons();
    SetRollUpTimer();
}

int CKGPMiniFrameWnd::GetControlBarCount() const
{
    return m_hEmbeddedBar != nullptr && CWnd::FromHandlePermanent(m_hEmbeddedBar) != nullptr ? 1 : 0;
}

int CKGPMiniFrameWnd::GetVisibleBarCount() const
{
    return m_hEmbeddedBar != nullptr && ::IsWindow(m_hEmbeddedBar) &&
                   (::GetWindowLongW(m_hEmbeddedBar, GWL_STYLE) & WS_VISIBLE) != 0
               ? 1
               : 0;
}

CWnd* CKGPMiniFrameWnd::GetControlBar() const
{
    return m_hEmbeddedBar != nullptr ? CWnd::FromHandlePermanent(m_hEmbeddedBar) : nullptr;
}

CWnd* CKGPMiniFrameWnd::GetFirstVisibleBar() const
{
    return GetVisibleBarCount() == 1 ? GetControlBar() : nullptr;
}

int CKGPMiniFrameWnd::GetDockingMode() const
{
    if (CKGPBaseControlBar* pBar = HostedBar())
        return pBar->GetDockingMode();
    return CKGPDockManager::GetDockingMode();
}

CString CKGPMiniFrameWnd::GetCaptionText()
{
    CString text;
    if (CWnd* pBar = GetControlBar())
        pBar->GetWindowText(text);
    return text;
}

CKGPBaseControlBar* CKGPMiniFrameWnd::ControlBarFromPoint(CPoint point, int, BOOL bCheckVisibility)
{
    CKGPBaseControlBar* pBar = HostedBar();
    if (pBar == nullptr)
        return nullptr;
    CRect rect;
    pBar->GetWindowRect(rect);
    if (!rect.PtInRect(point) || (bCheckVisibility && !pBar->IsWindowVisible()))
        return nullptr;
    return pBar;
}

void CKGPMiniFrameWnd::ValidateHostedBar()
{
    if (m_hEmbeddedBar == nullptr)
        return;
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(m_hEmbeddedBar));
    const BOOL bTabbedBar = KGPTabbedBars::IsTabbedBar(pBar);
    if (pBar == nullptr || !::IsWindow(m_hEmbeddedBar) || (pBar->GetDlgCtrlID() == -1 && !bTabbedBar))
        m_hEmbeddedBar = nullptr;
}

BOOL CKGPMiniFrameWnd::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    CKGPBaseControlBar* pBar = HostedBar();
    return pBar == nullptr || pBar->SaveState(lpszProfileName, nIndex, -1);
}

BOOL CKGPMiniFrameWnd::LoadState(LPCTSTR lpszProfileName, int nIndex)
{
    CKGPBaseControlBar* pBar = HostedBar();
    return pBar == nullptr || pBar->LoadState(lpszProfileName, nIndex, -1);
}

void CKGPMiniFrameWnd::ConvertToTabbedDocument()
{
    // The bar becomes a tabbed document of the MDI frame; the frame checks
    // afterwards whether it is left empty.
    if (auto* pPane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, HostedBar()); pPane != nullptr && pPane->IsWindowVisible())
        pPane->ConvertToTabbedDocument();
    PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
}

// ---- Every floating bar by id.

void CKGPMiniFrameWnd::AddRemoveBarFromGlobalMap(CKGPBaseControlBar* pBar, BOOL bAdd)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    const int id = pBar->GetDlgCtrlID();
    if (id == -1) {
        // A tabbed bar without an id of its own lists its tabs instead.
        if (IKGPTabbedBarLink* pTabs = KGPTabbedBars::Link()) {
            CObList tabs;
            pTabs->AppendTabs(pBar, tabs);
            for (POSITION pos = tabs.GetHeadPosition(); pos != nullptr;)
                AddRemoveBarFromGlobalMap(static_cast<CKGPBaseControlBar*>(tabs.GetNext(pos)), bAdd);
        }
        return;
    }
    if (bAdd)
        s_mapFloatingBars.SetAt(static_cast<UINT>(id), pBar->GetSafeHwnd());
    else
        s_mapFloatingBars.RemoveKey(static_cast<UINT>(id));
}

CKGPBaseControlBar* CKGPMiniFrameWnd::FindFloatingBarByID(UINT nID)
{
    HWND hWnd = nullptr;
    if (!s_mapFloatingBars.Lookup(nID, hWnd))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hWnd));
}

void CKGPMiniFrameWnd::GetFloatingBars(CObList& list, CRuntimeClass* pRTCBarType, BOOL bIncludeTabs)
{
    IKGPTabbedBarLink* pTabs = bIncludeTabs ? KGPTabbedBars::Link() : nullptr;
    for (POSITION pos = s_mapFloatingBars.GetStartPosition(); pos != nullptr;) {
        UINT id = 0;
        HWND hWnd = nullptr;
        s_mapFloatingBars.GetNextAssoc(pos, id, hWnd);
        auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hWnd));
        if (pBar == nullptr || (pRTCBarType != nullptr && pBar->GetRuntimeClass() != pRTCBarType))
            continue;
        list.AddTail(pBar);
        if (pTabs != nullptr)
            pTabs->AppendTabs(pBar, list);
    }
}

void CKGPMiniFrameWnd::RedrawAll()
{
    for (POSITION pos = s_lstFrames.GetHeadPosition(); pos != nullptr;) {
        const HWND hWnd = s_lstFrames.GetNext(pos);
        if (CWnd::FromHandlePermanent(hWnd) != nullptr)
            ::RedrawWindow(hWnd, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
}

// ---- Geometry.

void CKGPMiniFrameWnd::RecalcCaptionHeight()
{
    m_nCaptionHeight =
        ::GetSystemMetrics(SM_CYSMCAPTION) + CKGPVisualManager::GetInstance()->GetCaptionButtonExtraSize().cy;
    m_nMinTrackX = m_nCaptionHeight + 15;
    m_nMinTrackY = m_nCaptionHeight + 15;
}

void CKGPMiniFrameWnd::CalcBorderSize(CRect& rectBorderSize) const
{
    if (HostsToolBar()) {
        rectBorderSize.SetRect(3, 3, 3, 3);
        return;
    }
    const int cx = ::GetSystemMetrics(SM_CXSIZEFRAME);
    const int cy = ::GetSystemMetrics(SM_CYSIZEFRAME);
    rectBorderSize.SetRect(cx, cy, cx, cy);
}

void CKGPMiniFrameWnd::GetCaptionRect(CRect& rectCaption) const
{
    CRect border;
    CalcBorderSize(border);
    CRect window;
    GetWindowRect(window);
    rectCaption.SetRect(border.left, border.top, window.Width() - border.right, border.top + m_nCaptionHeight);
}

void CKGPMiniFrameWnd::CalcMinSize(CSize& sizeBase, MINMAXINFO* lpMMI)
{
    CRect border;
    CalcBorderSize(border);
    lpMMI->ptMinTrackSize.x =
        (std::max)(static_cast<int>((std::max)(sizeBase.cx, static_cast<LONG>(GetCaptionButtonsTotalWidth())) +
                                    border.left + border.right),
                   m_nMinTrackX);
    lpMMI->ptMinTrackSize.y =
        (std::max)(static_cast<int>(m_nCaptionHeight + sizeBase.cy + border.top + border.bottom), m_nMinTrackY);
}

void CKGPMiniFrameWnd::SizeToContent()
{
    CKGPBaseControlBar* pBar = HostedBar();
    if (pBar == nullptr)
        return;
    const CSize content = pBar->CalcFixedLayout(FALSE, TRUE);
    CRect border;
    CalcBorderSize(border);
    SetWindowPos(HWND{}, 0, 0, content.cx + border.left + border.right,
                 content.cy + border.top + border.bottom + m_nCaptionHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPMiniFrameWnd::AdjustLayout()
{
    CWnd* pBar = GetControlBar();
    if (pBar == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    // With the library-wide option on, the client area is at least the bar's
    // minimum (a toolbar's frame is sized to its buttons instead).
    BOOL bGrown = FALSE;
    if (m_bRespectMinSize && !HostsToolBar() && !m_bRolledUp) {
        if (auto* pControlBar = DYNAMIC_DOWNCAST(CKGPControlBar, pBar)) {
            CSize minimum;
            pControlBar->GetMinSize(minimum);
            if (client.Width() < minimum.cx) {
                client.right = client.left + minimum.cx;
                bGrown = TRUE;
            }
            if (client.Height() < minimum.cy) {
                client.bottom = client.top + minimum.cy;
                bGrown = TRUE;
            }
        }
    }
    pBar->SetWindowPos(HWND{}, client.left, client.top, client.Width(), client.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (bGrown)
        SizeToContent();
}

void CKGPMiniFrameWnd::RecalcLayout()
{
    if (CKGPBaseControlBar* pBar = HostedBar())
        pBar->RecalcLayout();
    SizeToContent();
}

LRESULT CKGPMiniFrameWnd::HitTest(CPoint point, BOOL bDetectCaption)
{
    CKGPBaseControlBar* pBar = HostedBar();
    if (KGPMenuLinks::IsCustomizeMode() && pBar != nullptr && !pBar->IsToolBarKind())
        return HTNOWHERE;
    KGPCaption::FrameGeometry frame;
    GetWindowRect(frame.window);
    GetClientRect(frame.client);
    ClientToScreen(frame.client);
    frame.client.NormalizeRect();
    CalcBorderSize(frame.border);
    frame.captionHeight = m_nCaptionHeight;
    frame.corner = CSize(::GetSystemMetrics(SM_CXSIZE) / 2, ::GetSystemMetrics(SM_CYSIZE) / 2);
    frame.hostsToolbar = HostsToolBar();
    frame.mirrored = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const UINT hit = KGPCaption::HitTestFrame(frame, m_lstCaptionButtons, point, bDetectCaption);
    return hit == KGPCaption::kHitDefault ? CWnd::OnNcHitTest(point) : static_cast<LRESULT>(hit);
}

CRect CKGPMiniFrameWnd::KeptOnWorkArea(const CRect& rect) const
{
    const CRect margins(m_nCaptionHeight, m_nCaptionHeight, m_nCaptionHeight, m_nCaptionHeight);
    CRect kept = rect;
    CKGPGlobalUtils::Get().AdjustRectToWorkArea(kept, margins);
    return kept;
}

// ---- Docking the bar back.

void CKGPMiniFrameWnd::SaveRecentFloatingState()
{
    CKGPControlBar* pBar = HostedControlBar();
    if (pBar == nullptr)
        return;
    GetWindowRect(pBar->m_recentDockInfo.m_rectRecentFloatingRect);
    CPoint cursor = m_ptHot; // where a drag holds the frame
    if (!m_bCaptured)
        ::GetCursorPos(&cursor);
    pBar->ScreenToClient(&cursor);
    pBar->SetDragOffset(cursor);
}

void CKGPMiniFrameWnd::DockOnDoubleClick()
{
    CKGPControlBar* pBar = HostedControlBar();
    if (pBar != nullptr && pBar->ReturnToRecentHost())
        return;
    if (pBar == nullptr || (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) == 0)
        return;
    SaveRecentFloatingState();
    if (pBar->DockControlBar(nullptr, nullptr, KGP_DM_DBLCLICK)) {
        if (CKGPDockManager* pManager = GetDockManager())
            pManager->AdjustDockingLayout();
    }
}

BOOL CKGPMiniFrameWnd::CanClose()
{
    // The owner's top-level frame decides when it docks bars; any other agrees.
    // (Found by its window: it need not be the frame of this frame's own
    // dock manager, as for a document window's bar floating over the main
    // frame.)
    CWnd* pOwner = CWnd::FromHandle(m_hParentWnd);
    CFrameWnd* pTop = pOwner != nullptr ? pOwner->GetTopLevelFrame() : nullptr;
    CKGPDockManager* pTopManager = CKGPGlobalUtils::Get().GetFrameDockManager(pTop);
    IKGPDockSite* pSite = pTopManager != nullptr ? pTopManager->GetSite() : nullptr;
    return pSite == nullptr || pSite->OnCloseMiniFrame(this);
}

void CKGPMiniFrameWnd::CloseMiniFrame()
{
    ShowWindow(SW_HIDE);
    if (CKGPBaseControlBar* pBar = HostedBar())
        pBar->ShowWindow(SW_HIDE);
}

// ---- Window messages.

BOOL CKGPMiniFrameWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct))
        return FALSE;
    if ((GetStyle() & kSyncActive) == 0)
        return TRUE;
    // The caption starts as its application's: active while the owner's
    // top-level window is in front, or while the window last active over it
    // keeps its caption in step with it.
    const HWND hTop = ::GetAncestor(::GetWindow(m_hWnd, GW_OWNER), GA_ROOTOWNER);
    BOOL bActive = FALSE;
    if (hTop != nullptr) {
        bActive = hTop == ::GetForegroundWindow();
        const HWND hLastPopup = ::GetLastActivePopup(hTop);
        if (!bActive && hLastPopup != nullptr && hLastPopup != m_hWnd)
            bActive = ::SendMessageW(hLastPopup, kWmFloatStatus, kFloatSyncActive, 0) != 0;
    }
    SendMessage(kWmFloatStatus, bActive ? kFloatActivate : kFloatDeactivate);
    return TRUE;
}

int CKGPMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    s_lstFrames.AddTail(m_hWnd);
    // The caption buttons' tooltip is made when the mouse first comes over the
    // frame: a layout loads many frames at once, and each tooltip is one more
    // top-level window to make.
    return 0;
}

void CKGPMiniFrameWnd::OnDestroy()
{
    if (m_bCaptured)
        EndMove();
    KillDockingTimer();
    if (m_nRollTimerID != 0)
        KillTimer(m_nRollTimerID);
    m_nRollTimerID = 0;
    if (CKGPDockManager* pManager = GetDockManager())
        pManager->RemoveMiniFrame(this);
    if (POSITION pos = s_lstFrames.Find(m_hWnd))
        s_lstFrames.RemoveAt(pos);
    CKGPToolTipFactory::DeleteToolTip(m_pToolTip);
    CWnd::OnDestroy();
}

void CKGPMiniFrameWnd::OnNcDestroy()
{
    OnCancelMode();
    CWnd::OnNcDestroy();
    delete this;
}

void CKGPMiniFrameWnd::OnClose()
{
    if (CanClose())
        CloseMiniFrame();
}

void CKGPMiniFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect border;
    CalcBorderSize(border);
    RECT& rect = lpncsp->rgrc[0];
    rect.left += border.left;
    rect.top += border.top + m_nCaptionHeight;
    rect.right -= border.right;
    rect.bottom -= border.bottom;
    rect.right = (std::max)(rect.left, rect.right);
    rect.bottom = (std::max)(rect.top, rect.bottom);
}

LRESULT CKGPMiniFrameWnd::OnNcHitTest(CPoint point)
{
    return HitTest(point, FALSE);
}

BOOL CKGPMiniFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    LPCWSTR cursor = nullptr;
    switch (nHitTest) {
    case HTLEFT:
    case HTRIGHT:
        cursor = IDC_SIZEWE;
        break;
    case HTTOP:
    case HTBOTTOM:
        cursor = IDC_SIZENS;
        break;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        cursor = IDC_SIZENWSE;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        cursor = IDC_SIZENESW;
        break;
    default:
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    }
    ::SetCursor(::LoadCursorW(nullptr, cursor));
    return TRUE;
}

BOOL CKGPMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if ((GetStyle() & kSyncActive) != 0)
        return (m_nFlags & 0x200) == 0; // WF_KEEPMINIACTIVE: keep the caption as it is
    const BOOL bNowActive = ::GetFocus() == m_hWnd;
    if (bNowActive != m_bActive) {
        m_bActive = bNowActive;
        if (GetDockManager() != nullptr)
            SendMessage(WM_NCPAINT);
    }
    static_cast<void>(bActive);
    return TRUE;
}

LRESULT CKGPMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    constexpr UINT kShow = 1, kHide = 2, kActivate = kFloatActivate, kDeactivate = kFloatDeactivate, kEnable = 16,
                   kDisable = 32, kSync = kFloatSyncActive;
    if ((wParam & (kShow | kHide)) != 0)
        SetWindowPos(HWND{}, 0, 0, 0, 0,
                     ((wParam & kShow) != 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE |
                         SWP_NOSIZE | SWP_NOACTIVATE);
    if ((wParam & (kEnable | kDisable)) != 0)
        EnableWindow((wParam & kEnable) != 0);
    if ((wParam & (kActivate | kDeactivate)) != 0 && (GetStyle() & kSyncActive) != 0) {
        ModifyStyle(kSyncActive, 0);
        SendMessage(WM_NCACTIVATE, (wParam & kActivate) != 0);
        ModifyStyle(0, kSyncActive);
    }
    return (GetStyle() & kSyncActive) != 0 && (wParam & kSync) != 0;
}

LRESULT CKGPMiniFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    const HWND hFocus = ::GetFocus();
    const BOOL bActive = hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus);
    if (bActive != m_bActive) {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return 0;
}

void CKGPMiniFrameWnd::OnSizing(UINT nSide, LPRECT lpRect)
{
    CWnd::OnSizing(nSide, lpRect);
    CKGPBaseControlBar* pBar = HostedBar();
    if (m_bRolledUp || pBar == nullptr || !HostsToolBar())
        return;
    CRect window;
    GetWindowRect(window);
    CRect border;
    CalcBorderSize(border);
    KGPCaption::ToolbarSizing sizing;
    sizing.side = nSide;
    sizing.window = window;
    sizing.dragged = *lpRect;
    // Around the bar's laid-out client size stand its own borders too, as
    // when the frame is sized to the bar (SizeToContent): without them the
    // dragged frame was that much short of the one the bar makes at the next
    // start, so a layout saved after a resize came back larger.
    CRect barWindow;
    CRect barClient;
    pBar->GetWindowRect(barWindow);
    pBar->GetClientRect(barClient);
    sizing.frame = CSize(border.left + border.right + barWindow.Width() - barClient.Width(),
                         border.top + border.bottom + m_nCaptionHeight + barWindow.Height() - barClient.Height());
    // The toolbar wraps its rows to the dragged length; the dragged edge
    // follows its size (a bar that cannot, as a tabbed toolbar, stays put).
    const BOOL bHorz = KGPCaption::SizingAlongWidth(nSide);
    const int length = KGPCaption::SizingLength(sizing);
    if (length < 0) {
        *lpRect = window; // the dragged dimension did not change
        return;
    }
    const CSize content = pBar->CalcSizeForLength(length, bHorz);
    const CRect fitted = KGPCaption::FitToolbarSizing(sizing, content);
    *lpRect = fitted;
    pBar->RecalcLayout();
    AdjustLayout();
    BOOL bFullDrag = TRUE;
    ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    if (!bFullDrag && fitted != window)
        SetWindowPos(HWND{}, fitted.left, fitted.top, fitted.Width(), fitted.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPMiniFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    AdjustLayout();
    CRect window;
    GetWindowRect(window);
    CRect kept = window;
    CKGPGlobalUtils::Get().AdjustRectToWorkArea(kept);
    if (kept.TopLeft() != window.TopLeft())
        SetWindowPos(HWND{}, kept.left, kept.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ArrangeCaptionButtons();
    // A frame not shown (one a layout load makes) is painted when it shows.
    if ((GetStyle() & WS_VISIBLE) != 0)
        SendMessage(WM_NCPAINT);
}

void CKGPMiniFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanging(lpwndpos);
    lpwndpos->flags |= SWP_NOACTIVATE;
    if ((lpwndpos->flags & SWP_NOMOVE) != 0)
        return;
    // At least one caption height of the frame stays on the work area.
    CRect window;
    GetWindowRect(window);
    const CSize size = (lpwndpos->flags & SWP_NOSIZE) != 0 ? window.Size() : CSize(lpwndpos->cx, lpwndpos->cy);
    const CRect kept = KeptOnWorkArea(CRect(CPoint(lpwndpos->x, lpwndpos->y), size));
    lpwndpos->x = kept.left;
    lpwndpos->y = kept.top;
}

void CKGPMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CSize sizeBase(0, 0);
    if (CKGPControlBar* pBar = HostedControlBar())
        pBar->GetMinSize(sizeBase);
    CalcMinSize(sizeBase, lpMMI);
    CWnd::OnGetMinMaxInfo(lpMMI);
}

void CKGPMiniFrameWnd::OnContextMenu(CWnd*, CPoint point)
{
    if (KGPMenuLinks::IsCustomizeMode() || m_bCaptured || KGPMenuLinks::GetActivePopupMenu() != nullptr)
        return;
    StopCaptionButtonsTracking();
    CKGPControlBar* pBar = HostedControlBar();
    if (pBar == nullptr || pBar->OnShowControlBarMenu(point))
        return;
    CRect caption;
    GetCaptionRect(caption);
    CRect window;
    GetWindowRect(window);
    caption.OffsetRect(window.TopLeft());
    if (caption.PtInRect(point) && m_hParentWnd != nullptr)
        pBar->OnShowContextMenu(CWnd::FromHandle(m_hParentWnd), point);
}

int CKGPMiniFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (HostsToolBar() && nHitTest != HTCLIENT) {
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return MA_NOACTIVATE;
    }
    return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CKGPMiniFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (HostsToolBar())
        m_hLastFocusWnd = pOldWnd != nullptr ? pOldWnd->GetSafeHwnd() : nullptr;
    auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, GetFirstVisibleBar());
    if (pBar != nullptr && pBar->WantsFocus())
        pBar->SetFocus();
    if (CWnd* pParent = CWnd::FromHandle(m_hParentWnd))
        pParent->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CKGPMiniFrameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    if (m_hLastFocusWnd != nullptr && ::IsWindow(m_hLastFocusWnd))
        ::SetFocus(m_hLastFocusWnd);
    m_hLastFocusWnd = nullptr;
    return 0;
}

void CKGPMiniFrameWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    RecalcCaptionHeight();
}

void CKGPMiniFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kDockingTimerId) {
        // The mouse rests: the dock manager takes the next docking step.
        if (CKGPDockManager* pManager = GetDockManager())
            pManager->OnMoveMiniFrame(this);
        return;
    }
    if (nIDEvent == kRollUpTimerId) {
        OnCheckRollState();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

BOOL CKGPMiniFrameWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CKGPMiniFrameWnd::OnShowOverOwner(WPARAM, LPARAM)
{
    const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hOwner != nullptr && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner) && GetWindow(GW_CHILD) != nullptr)
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return 0;
}

LRESULT CKGPMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    if (GetControlBarCount() == 0) {
        if (m_bKeepWhenEmpty)
            ShowWindow(SW_HIDE);
        else
            DestroyWindow();
    }
    return 0;
}
