#include "guilib/docking/KGPDockingCBWrapper.h"
#include "guilib/docking/KGPBaseControlBar.h"

#include <windowsx.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPSystemChangeListener.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDialogInitData.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockingFrameMessages.h"
#include "guilib/docking/KGPFrameLink.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPTabbedBarLink.h"
#include "guilib/core/KGPMenuLinks.h"

IMPLEMENT_DYNAMIC(CKGPBaseControlBar, CWnd)

BOOL CKGPBaseControlBar::s_bThreadedPaint = FALSE;
BOOL CKGPBaseControlBar::s_bLoadingState = FALSE;
LPCTSTR CKGPBaseControlBar::s_pszProfileSection = _T("KGPBaseControlBars");

namespace {

CRITICAL_SECTION& PaintLock()
{
    static CRITICAL_SECTION lock = [] {
        CRITICAL_SECTION cs;
        ::InitializeCriticalSection(&cs);
        return cs;
    }();
    return lock;
}

// Holds the library's paint lock for one paint when threaded painting is on.
class PaintLockScope {
public:
    explicit PaintLockScope(BOOL bLock) : m_bLocked(bLock)
    {
        if (m_bLocked)
            ::EnterCriticalSection(&PaintLock());
    }
    ~PaintLockScope()
    {
        if (m_bLocked)
            ::LeaveCriticalSection(&PaintLock());
    }
    PaintLockScope(const PaintLockScope&) = delete;
    PaintLockScope& operator=(const PaintLockScope&) = delete;

private:
    BOOL m_bLocked;
};

// A tooltip text request that came back without a resource and without a text.
BOOL IsUnansweredTooltipText(const NMHDR* pHdr)
{
    if (pHdr == nullptr)
        return FALSE;
    if (pHdr->code == TTN_NEEDTEXTW) {
        const auto* pInfo = reinterpret_cast<const NMTTDISPINFOW*>(pHdr);
        return pInfo->hinst == nullptr && (pInfo->lpszText == nullptr || pInfo->lpszText[0] == 0) &&
               pInfo->szText[0] == 0;
    }
    if (pHdr->code == TTN_NEEDTEXTA) {
        const auto* pInfo = reinterpret_cast<const NMTTDISPINFOA*>(pHdr);
        return pInfo->hinst == nullptr && (pInfo->lpszText == nullptr || pInfo->lpszText[0] == 0) &&
               pInfo->szText[0] == 0;
    }
    return FALSE;
}

// A bar made from a dialog template answers its messages through its message map.
INT_PTR CALLBACK BarDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

BEGIN_MESSAGE_MAP(CKGPBaseControlBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKGPBaseControlBar::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, &CKGPBaseControlBar::OnHelpHitTest)
    ON_MESSAGE(WM_INITDIALOG, &CKGPBaseControlBar::OnInitDialog)
    ON_MESSAGE(WM_SETICON, &CKGPBaseControlBar::OnSetIcon)
END_MESSAGE_MAP()

CString CKGPBaseControlBar::BarRegistryKey(LPCTSTR lpszPath, LPCTSTR lpszClass, int nID, int nIndex)
{
    CString key;
    if (nIndex == -1)
        key.Format(_T("%s%s-%d"), lpszPath, lpszClass, nID);
    else
        key.Format(_T("%s%s-%d%x"), lpszPath, lpszClass, nID, nIndex);
    return key;
}

CString CKGPBaseControlBar::StateKey(LPCTSTR lpszProfileName, LPCTSTR lpszClass, int nID, int nIndex) const
{
    return BarRegistryKey(BuildLibraryRegistryPath(s_pszProfileSection, lpszProfileName), lpszClass,
                          nID == -1 ? GetDlgCtrlID() : nID, nIndex);
}

BOOL CKGPBaseControlBar::IsDocked() const
{
    // A floating frame holding this bar alone makes it float; one holding
    // several bars is a docking host of its own.
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame == nullptr || pMiniFrame->GetControlBarCount() != 1;
}

BOOL CKGPBaseControlBar::IsTabbed() const
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    CWnd* pParent = GetParent();
    // A bar wrapped for a tab stands in the tab through its wrapper.
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKGPDockingCBWrapper)))
        pParent = pParent->GetParent();
    return KGPTabbedBars::IsTabWindow(pParent);
}

int CKGPBaseControlBar::TabIndex(CWnd*& pTabWnd) const
{
    pTabWnd = nullptr;
    IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
    if (pLink == nullptr || GetSafeHwnd() == nullptr)
        return -1;
    HWND hwndTab = nullptr;
    pTabWnd = pLink->GetTabWindow(this, hwndTab);
    return pTabWnd != nullptr ? pLink->GetTabFromHwnd(pTabWnd, hwndTab) : -1;
}

CWnd* CKGPBaseControlBar::GetTabWindow(HWND& hwndTab) const
{
    hwndTab = nullptr;
    IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
    return pLink != nullptr && GetSafeHwnd() != nullptr ? pLink->GetTabWindow(this, hwndTab) : nullptr;
}

CKGPBaseControlBar* CKGPBaseControlBar::GetParentTabbedBar() const
{
    if (!IsTabbed())
        return nullptr;
    HWND hwndTab = nullptr;
    CWnd* pTabWnd = GetTabWindow(hwndTab);
    return pTabWnd != nullptr ? KGPTabbedBars::Link()->GetTabbedBarOf(pTabWnd) : nullptr;
}

BOOL CKGPBaseControlBar::IsBarVisible() const
{
    if (IsTabbed()) {
        CWnd* pTabWnd = nullptr;
        const int iTab = TabIndex(pTabWnd);
        if (pTabWnd == nullptr || !pTabWnd->IsWindowVisible())
            return FALSE;
        IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
        return iTab >= 0 && iTab < pLink->GetTabsNum(pTabWnd) && pLink->IsTabVisible(pTabWnd, iTab);
    }
    if (s_bLoadingState)
        return GetRecentVisibleState();
    return (GetStyle() & WS_VISIBLE) != 0;
}

CFrameWnd* CKGPBaseControlBar::GetDockSiteFrame() const
{
    if (m_pDockSite == nullptr && GetSafeHwnd() != nullptr) {
        // A bar on a dialog or an application bar has no frame to dock in.
        CWnd* pParent = GetParent();
        const IKGPFrameLink* pFrames = CKGPLink<IKGPFrameLink>::Get();
        if (pParent != nullptr && (pParent->IsKindOf(RUNTIME_CLASS(CDialog)) ||
                                   (pFrames != nullptr && pFrames->IsApplicationBar(pParent))))
            CKGPGlobalUtils::Get().m_bDialogApp = TRUE;
    }
    return m_pDockSite;
}

DWORD CKGPBaseControlBar::GetFloatingCaptionButtons() const
{
    return CanBeClosed() ? KGP_CAPTION_BTN_CLOSE : 0;
}

int CKGPBaseControlBar::GetDockingMode() const
{
    return m_nDockMode != 0 ? m_nDockMode : CKGPDockManager::GetDockingMode();
}

HICON CKGPBaseControlBar::GetBarIcon(BOOL bBig)
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBig ? ICON_BIG : ICON_SMALL, 0));
}

BOOL CKGPBaseControlBar::CanFloat() const
{
    if (IsTabbed()) {
        CWnd* pTabWnd = nullptr;
        const int iTab = TabIndex(pTabWnd);
        if (pTabWnd != nullptr && iTab >= 0)
            return KGPTabbedBars::Link()->IsTabDetachable(pTabWnd, iTab);
    }
    return (m_dwBarStyle & KGP_BARSTYLE_FLOAT) != 0;
}

void CKGPBaseControlBar::SetCurrentAlignment(DWORD dwAlignment)
{
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | (dwAlignment & CBRS_ALIGN_ANY);
}

CKGPMiniFrameWnd* CKGPBaseControlBar::GetParentMiniFrame(BOOL) const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* pWnd = GetParent(); pWnd != nullptr; pWnd = pWnd->GetParent()) {
        if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pWnd))
            return pMiniFrame;
    }
    return nullptr;
}

CKGPDockManager* CKGPBaseControlBar::GetDockManager() const
{
    CFrameWnd* pFrame = GetDockSiteFrame();
    if (pFrame == nullptr && CKGPGlobalUtils::Get().m_bDialogApp)
        return nullptr;
    return CKGPGlobalUtils::Get().GetFrameDockManager(pFrame);
}

BOOL CKGPBaseControlBar::RegisterWithDockManager(CKGPBaseControlBar* pBar)
{
    CKGPDockManager* pManager = GetDockManager();
    return pManager != nullptr && pManager->AddControlBar(pBar != nullptr ? pBar : this);
}

void CKGPBaseControlBar::RemoveFromDockManager(BOOL bDestroy, BOOL bAdjustLayout, BOOL bAutoHide,
                                               CKGPBaseControlBar* pBarToReplaceWith)
{
    if (CKGPDockManager* pManager = GetDockManager())
        pManager->RemoveControlBar(this, bDestroy, bAdjustLayout, bAutoHide, pBarToReplaceWith);
}

BOOL CKGPBaseControlBar::InsertInDockManager(CKGPBaseControlBar* pBarToInsert, BOOL bAfter)
{
    if (GetDockSiteFrame() == nullptr && CKGPGlobalUtils::Get().m_bDialogApp)
        return TRUE;
    // A multi-pane floating frame keeps its own list of bars.
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        if (pMiniFrame->InsertControlBar(this, pBarToInsert, bAfter))
            return TRUE;
    }
    CKGPDockManager* pManager = GetDockManager();
    return pManager != nullptr && pManager->InsertControlBar(this, pBarToInsert, bAfter);
}

BOOL CKGPBaseControlBar::IsPointNearDockBar(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const
{
    dwAlignment = 0;
    bOuterEdge = FALSE;
    if (GetDockSiteFrame() == nullptr && CKGPGlobalUtils::Get().m_bDialogApp)
        return TRUE;
    CKGPDockManager* pManager = GetDockManager();
    return pManager != nullptr && pManager->IsPointNearDockBar(point, dwAlignment, bOuterEdge);
}

CKGPBaseControlBar* CKGPBaseControlBar::FindBarAtPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                       CRuntimeClass* pRTCBarType,
                                                       const CKGPBaseControlBar* pBarToIgnore) const
{
    CKGPDockManager* pManager = GetDockManager();
    return pManager != nullptr ? pManager->BarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, pBarToIgnore)
                               : nullptr;
}

BOOL CKGPBaseControlBar::DockToParentFrame(BOOL bUseStoredFrame)
{
    CFrameWnd* pFrame = bUseStoredFrame ? GetDockSiteFrame() : GetParentFrame();
    CKGPDockManager* pManager = CKGPGlobalUtils::Get().GetFrameDockManager(pFrame);
    if (pManager == nullptr)
        return FALSE;
    pManager->DockControlBar(this, 0, nullptr);
    return TRUE;
}

void CKGPBaseControlBar::ShowBar(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    const int command = bShow ? SW_SHOWNOACTIVATE : SW_HIDE;
    if (IsFloating() && !IsTabbed()) {
        ShowWindow(command);
        if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame()) {
            pMiniFrame->ShowWindow(command);
            pMiniFrame->PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
        }
    } else if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->ShowControlBar(this, bShow, bDelay, bActivate);
    } else if (IsTabbed()) {
        CWnd* pTabWnd = nullptr;
        const int iTab = TabIndex(pTabWnd);
        IKGPTabbedBarLink* pLink = KGPTabbedBars::Link();
        CKGPBaseControlBar* pTabbedBar = pTabWnd != nullptr ? pLink->GetTabbedBarOf(pTabWnd) : nullptr;
        if (pTabbedBar != nullptr) {
            // A hidden tabbed bar of several tabs only brings this tab back.
            if (!pTabbedBar->IsBarVisible() && pLink->GetTabsNum(pTabWnd) > 1 && bShow) {
                pLink->ShowBarTab(pTabbedBar, this, TRUE);
                return;
            }
            pLink->ShowBarTab(pTabbedBar, this, bShow);
            if (pLink->GetVisibleTabsNum(pTabWnd) == 0 || bShow)
                pTabbedBar->ShowBar(bShow, bDelay, bActivate);
        } else if (pTabWnd != nullptr && iTab >= 0) {
            pLink->ShowTab(pTabWnd, iTab, bShow, !bDelay, FALSE);
        }
    } else {
        ShowWindow(command);
        if (!bDelay)
            AdjustDockingLayout();
    }
    if (m_pDockBarRow != nullptr)
        m_pDockBarRow->ArrangeBars(DYNAMIC_DOWNCAST(CKGPControlBar, this));
}

BOOL CKGPBaseControlBar::LoadState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPStoredLoad load;
    const BOOL found = ReadState(load, lpszProfileName, nID, nIndex);
    return load.Commit() && found;
}

BOOL CKGPBaseControlBar::ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(StateKey(lpszProfileName, _T("KGPBaseControlBar"), nID, nIndex)))
        return FALSE;
    BOOL visible = m_bRecentVisibleState;
    const BOOL read = load.ReadValue(*reg, _T("IsVisible"), visible);
    load.OnCommit([this, read, visible] {
        if (read) {
            m_bRecentVisibleState = visible;
            m_bVisibleStateRead = TRUE;
        }
        m_bStateRestored = TRUE;
    });
    return TRUE;
}

BOOL CKGPBaseControlBar::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    const CString key = StateKey(lpszProfileName, _T("KGPBaseControlBar"), nID, nIndex);
    CKGPRegistryHandle reg(FALSE, FALSE);
    return reg->CreateKey(key) && reg->Write(_T("IsVisible"), IsBarVisible() ? 1 : 0);
}

void CKGPBaseControlBar::Serialize(CArchive& ar)
{
    CWnd::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_dwStyle & CBRS_ALIGN_ANY);
        ar << static_cast<DWORD>(IsBarVisible());
        return;
    }
    CKGPStoredLoad load;
    ReadArchive(ar, load);
    load.Commit();
}

void CKGPBaseControlBar::ReadArchive(CArchive& ar, CKGPStoredLoad& load)
{
    ReadEdgeAndVisibility(ar, load);
}

DWORD CKGPBaseControlBar::ReadEdgeAndVisibility(CArchive& ar, CKGPStoredLoad& load)
{
    CKGPStoredReader in(ar);
    // One edge; the stored edge replaces the current one.
    const DWORD edge = in.ReadOneOf({CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM});
    const BOOL visible = in.ReadBool();
    load.OnCommit([this, edge, visible] {
        SetCurrentAlignment(edge);
        m_bRecentVisibleState = visible;
        m_bVisibleStateRead = TRUE;
    });
    return edge;
}

void CKGPBaseControlBar::KeepVisibleState(BOOL bVisible)
{
    if (!m_bVisibleStateRead)
        m_bRecentVisibleState = bVisible;
}

HDWP CKGPBaseControlBar::MoveBarTo(CRect rect, BOOL bRepaint, HDWP hdwp)
{
    CRect current;
    GetWindowRect(current);
    CWnd* pHost = GetParentMiniFrame();
    if (pHost == nullptr)
        pHost = GetDockSiteFrame();
    if (pHost != nullptr)
        pHost->ScreenToClient(current);
    if (current == rect)
        return hdwp;
    if (hdwp == nullptr) {
        MoveWindow(rect, bRepaint);
        return nullptr;
    }
    return ::DeferWindowPos(hdwp, m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
}

HDWP CKGPBaseControlBar::SetBarWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                         HDWP hdwp)
{
    if (hdwp == nullptr) {
        SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags);
        return nullptr;
    }
    HDWP next = ::DeferWindowPos(hdwp, m_hWnd, HwndOf(pWndInsertAfter), x, y, cx, cy, nFlags);
    if (next != nullptr)
        return next;
    // The batch refused the window: move it now and keep the caller's chain going.
    ::SetLastError(0);
    SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags);
    return hdwp;
}

void CKGPBaseControlBar::CopyState(CKGPBaseControlBar* pOther)
{
    m_dwEnabledAlign = pOther->m_dwEnabledAlign;
    m_bRecentVisibleState = pOther->m_bRecentVisibleState;
    m_bVisibleStateRead = pOther->m_bVisibleStateRead;
    m_bStateRestored = pOther->m_bStateRestored;
    m_pDockSite = pOther->m_pDockSite;
    m_rectKept = pOther->m_rectKept;
    m_bOnDialog = pOther->m_bOnDialog;
    m_dwStyle = pOther->m_dwStyle;
    m_dwBarStyle = pOther->m_dwBarStyle;
}

BOOL CKGPBaseControlBar::OnShowContextMenu(CWnd* pParentFrame, CPoint point)
{
    if (pParentFrame == nullptr)
        return FALSE;
    if (!KGPDockingFrameMessages::SendBarsPopupMenu(pParentFrame, this, point))
        return FALSE;
    if (CKGPDockManager* pManager = CKGPGlobalUtils::Get().GetFrameDockManager(GetParentFrame()))
        pManager->ShowBarsContextMenu(point);
    return TRUE;
}

BOOL CKGPBaseControlBar::CreateBar(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                   const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwBarStyle,
                                   CCreateContext*)
{
    m_dwExtraStyle &= 0x10000000;
    m_dwStyle |= dwStyle;
    m_dwBarStyle = dwBarStyle;
    m_bOnDialog = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog));
    if (m_lpszDlgTemplate != nullptr) {
        if (!CreateFromTemplate(dwExStyle, lpszClassName, lpszWindowName, dwStyle, pParentWnd, nID))
            return FALSE;
    } else if (!CWnd::CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID)) {
        return FALSE;
    }
    CKGPSystemChangeListener::Listen();  // the global data follows colour and settings changes
    CFrameWnd* pFrame = pParentWnd != nullptr ? pParentWnd->AsFrameWnd() : nullptr;
    m_pDockSite = pFrame != nullptr ? pFrame : (pParentWnd != nullptr ? pParentWnd->GetParentFrame() : nullptr);
    return TRUE;
}

BOOL CKGPBaseControlBar::CreateFromTemplate(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                                            DWORD dwStyle, CWnd* pParentWnd, UINT nID)
{
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hInstance = AfxGetInstanceHandle();
    cs.hwndParent = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
    if (!PreCreateWindow(cs))
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszDlgTemplate, RT_DIALOG);
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateDialogParamW(hInst, m_lpszDlgTemplate, cs.hwndParent, &BarDialogProc, 0);
    if (!AfxUnhookWindowCreate() || hWnd == nullptr)
        return FALSE;
    ::SetClassLongPtrW(hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(::GetSysColorBrush(COLOR_BTNFACE)));
    SetDlgCtrlID(static_cast<int>(nID));
    CRect rect;
    GetWindowRect(rect);
    m_sizeDialog = rect.Size();
    return TRUE;
}

LRESULT CKGPBaseControlBar::OnInitDialog(WPARAM, LPARAM)
{
    if (m_lpszDlgTemplate != nullptr && !ApplyDialogInitData(*this, m_lpszDlgTemplate))
        return FALSE;
    UpdateData(FALSE);
    return TRUE;
}

CSize CKGPBaseControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return CSize(0, 0);
    return bHorz ? CSize(32767, 0) : CSize(0, 32767);
}

void CKGPBaseControlBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    CRect clip;
    pDC->GetClipBox(clip);
    CKGPVisualManager::GetInstance()->FillBarBackground(pDC, this, client, clip);
}

void CKGPBaseControlBar::AdjustDockingLayout(HDWP hdwp)
{
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame()) {
        pMiniFrame->AdjustLayout();
        return;
    }
    CKGPDockManager* pManager = GetDockManager();
    if (hdwp == nullptr) {
        // The frame lays out its bars and then its view.
        CKGPGlobalUtils::Get().AdjustFrameLayout(pManager);
        return;
    }
    if (pManager != nullptr)
        pManager->AdjustDockingLayout(hdwp);
}

BOOL CKGPBaseControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // While context help picks a window no bar translates keys.
    CFrameWnd* pTopFrame = GetTopLevelFrame();
    if (pTopFrame != nullptr && pTopFrame->m_bHelpMode)
        return FALSE;
    // The owner and the frames above it see keys first (accelerators).
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    for (CWnd* pWnd = pOwner; pWnd != nullptr && ::IsWindow(pWnd->m_hWnd); pWnd = pWnd->GetParentFrame()) {
        if (pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (pWnd->GetParentFrame() == pWnd)
            break;
    }
    return PreTranslateInput(pMsg);
}

LRESULT CKGPBaseControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND: {
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result))
            return result;
        CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : GetParent();
        if (pTarget == nullptr || pTarget->m_hWnd == m_hWnd)
            break;
        result = pTarget->SendMessage(message, wParam, lParam);
        // A tooltip's text that nobody gave comes from the bar's own default processing.
        if (message == WM_NOTIFY && IsUnansweredTooltipText(reinterpret_cast<NMHDR*>(lParam)))
            return CWnd::WindowProc(message, wParam, lParam);
        return result;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CKGPBaseControlBar::OnPaint()
{
    PaintLockScope lock(s_bThreadedPaint);
    CPaintDC dc(this);
    if (IsWindowVisible())
        DoPaint(&dc);
}

BOOL CKGPBaseControlBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKGPBaseControlBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pDockBarRow != nullptr)
        m_pDockBarRow->ArrangeBars(DYNAMIC_DOWNCAST(CKGPControlBar, this));
}

LRESULT CKGPBaseControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsWindowVisible() || (m_pParentDockBar != nullptr && !m_pParentDockBar->IsWindowVisible()))
        return 0;
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    CFrameWnd* pTarget = pOwner != nullptr ? pOwner->AsFrameWnd() : nullptr;
    if (pTarget == nullptr)
        pTarget = GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CKGPBaseControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    const INT_PTR hit = OnToolHitTest(point, nullptr);
    if (hit != -1)
        return 0x10000 + hit;
    const WORD id = LOWORD(GetDlgCtrlID());
    return id != 0 ? 0x50000 + id : 0;
}

LRESULT CKGPBaseControlBar::OnSetIcon(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    // A tab shows its bar's small icon.
    if (IsTabbed()) {
        CWnd* pTabWnd = nullptr;
        const int iTab = TabIndex(pTabWnd);
        if (pTabWnd != nullptr && iTab >= 0 && iTab < KGPTabbedBars::Link()->GetTabsNum(pTabWnd))
            KGPTabbedBars::Link()->SetTabHicon(pTabWnd, iTab, reinterpret_cast<HICON>(SendMessage(WM_GETICON, ICON_SMALL, 0)));
    }
    return result;
}

CWnd* CKGPBaseControlBar::MenuFrame() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    if (CWnd* pMain = AfxGetMainWnd())
        return pMain;
    return GetTopLevelFrame();
}
