#include "guilib/frames/KGPAppBarWnd.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/frames/KGPAppBarMath.h"
#include "guilib/frames/KGPLibraryLinks.h"

IMPLEMENT_DYNAMIC(CKGPAppBarWnd, CWnd)

namespace {

using namespace kgp::appbar;

constexpr UINT kFrameFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr UINT kZOrderFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

class CSystemAppBarShell final : public IKGPAppBarShell {
public:
    UINT_PTR AppBarMessage(DWORD dwMessage, APPBARDATA& data) override { return ::SHAppBarMessage(dwMessage, &data); }
};

kgp::Box BoxOf(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

CRect RectOf(const kgp::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

HCURSOR SizeAllCursor()
{
    static const HCURSOR cursor = ::LoadCursorW(nullptr, IDC_SIZEALL);
    return cursor;
}

BOOL IsPrimaryButtonDown()
{
    const int button = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (::GetAsyncKeyState(button) & 0x8000) != 0;
}

CString StateKey(LPCTSTR lpszProfileName, int nIndex)
{
    CString key;
    key.Format(_T("%sKGPAppBar-%d"), BuildLibraryRegistryPath(_T("KGPAppBars"), lpszProfileName).GetString(), nIndex);
    return key;
}

CString DimsValueName(int nSide)
{
    CString name;
    name.Format(_T("DimsDock%d"), nSide);
    return name;
}

} // namespace

IKGPAppBarShell& KGPSystemAppBarShell()
{
    static CSystemAppBarShell shell;
    return shell;
}

HWND CKGPAppBarWnd::s_hwndZOrderBeforeFullScreen = nullptr;

BEGIN_MESSAGE_MAP(CKGPAppBarWnd, CWnd)
    ON_WM_DESTROY()
    ON_WM_ACTIVATE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_MOVE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_ENTERSIZEMOVE, &CKGPAppBarWnd::OnEnterSizeMove)
    ON_MESSAGE(WM_EXITSIZEMOVE, &CKGPAppBarWnd::OnExitSizeMove)
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKGPAppBarWnd::OnIdleUpdateCmdUI)
    ON_REGISTERED_MESSAGE(KGM_APPBAR_CALLBACK, &CKGPAppBarWnd::OnAppBarCallback)
END_MESSAGE_MAP()

CKGPAppBarWnd::CKGPAppBarWnd()
    : m_nCaptionHeight(GetKGPGlobalData().GetTextHeight() + 4), m_pShell(&KGPSystemAppBarShell())
{
    // Bars placed on it ask the frames what it is.
    KGPRegisterLibraryLinks();
}

CKGPAppBarWnd::~CKGPAppBarWnd()
{
    if (m_bAppRegistered)
        AppBarUnregister();
}

// ---- Shell calls.

namespace {

APPBARDATA AppBarData(HWND hwnd)
{
    APPBARDATA data{};
    data.cbSize = sizeof(APPBARDATA);
    data.hWnd = hwnd;
    return data;
}

} // namespace

BOOL CKGPAppBarWnd::AppBarRegister()
{
    APPBARDATA data = AppBarData(m_hWnd);
    data.uCallbackMessage = KGM_APPBAR_CALLBACK;
    m_bAppRegistered = m_pShell->AppBarMessage(ABM_NEW, data) != 0;
    return m_bAppRegistered;
}

BOOL CKGPAppBarWnd::AppBarUnregister()
{
    APPBARDATA data = AppBarData(m_hWnd);
    const BOOL bRemoved = m_pShell->AppBarMessage(ABM_REMOVE, data) != 0;
    if (bRemoved)
        m_bAppRegistered = FALSE;
    return bRemoved;
}

void CKGPAppBarWnd::AppBarQueryPos(int nSide, CRect& rect)
{
    APPBARDATA data = AppBarData(m_hWnd);
    data.uEdge = static_cast<UINT>(nSide);
    data.rc = rect;
    m_pShell->AppBarMessage(ABM_QUERYPOS, data);
    rect = data.rc;
}

void CKGPAppBarWnd::AppBarSetPos(int nSide, CRect& rect)
{
    APPBARDATA data = AppBarData(m_hWnd);
    data.uEdge = static_cast<UINT>(nSide);
    data.rc = rect;
    m_bInSetPos = TRUE;
    m_pShell->AppBarMessage(ABM_SETPOS, data);
    m_bInSetPos = FALSE;
    rect = data.rc;
}

HWND CKGPAppBarWnd::AppBarGetAutoHideBar(int nSide)
{
    APPBARDATA data = AppBarData(m_hWnd);
    data.uEdge = static_cast<UINT>(nSide);
    return reinterpret_cast<HWND>(m_pShell->AppBarMessage(ABM_GETAUTOHIDEBAR, data));
}

BOOL CKGPAppBarWnd::AppBarSetAutoHideBar(int nSide, BOOL bSet)
{
    APPBARDATA data = AppBarData(m_hWnd);
    data.uEdge = static_cast<UINT>(nSide);
    data.lParam = bSet;
    return m_pShell->AppBarMessage(ABM_SETAUTOHIDEBAR, data) != 0;
}

UINT CKGPAppBarWnd::AppBarGetState()
{
    APPBARDATA data = AppBarData(m_hWnd);
    return static_cast<UINT>(m_pShell->AppBarMessage(ABM_GETSTATE, data));
}

void CKGPAppBarWnd::AppBarActivate()
{
    APPBARDATA data = AppBarData(m_hWnd);
    m_pShell->AppBarMessage(ABM_ACTIVATE, data);
}

void CKGPAppBarWnd::AppBarWindowPosChanged()
{
    APPBARDATA data = AppBarData(m_hWnd);
    m_pShell->AppBarMessage(ABM_WINDOWPOSCHANGED, data);
}

// ---- Geometry and painting.

void CKGPAppBarWnd::GetBorders(RECT& rect) const
{
    const int cx = ::GetSystemMetrics(SM_CXFRAME);
    const int cy = ::GetSystemMetrics(SM_CYFRAME);
    rect = RECT{0, 0, 0, 0};
    if (!m_bAppRegistered || !IsDockSide(m_uSide)) {
        rect = RECT{cx, cy, cx, cy};
        return;
    }
    switch (m_uSide) {
    case kSideLeft:
        rect.right = cx;
        break;
    case kSideRight:
        rect.left = cx;
        break;
    case kSideTop:
        rect.bottom = cy;
        break;
    default:
        rect.top = cy;
        break;
    }
}

void CKGPAppBarWnd::GetCaptionRect(RECT& rect) const
{
    CRect window;
    GetWindowRect(window);
    RECT borders;
    GetBorders(borders);
    rect.left = borders.left;
    rect.top = borders.top;
    rect.right = window.Width() - borders.right;
    rect.bottom = borders.top + m_nCaptionHeight;
}

void CKGPAppBarWnd::GetCaptionText(CString& strCaption) const
{
    if (m_hwndOwnerForCaption != nullptr && ::IsWindow(m_hwndOwnerForCaption)) {
        const int length = ::GetWindowTextLengthW(m_hwndOwnerForCaption);
        ::GetWindowTextW(m_hwndOwnerForCaption, strCaption.GetBuffer(length + 1), length + 1);
        strCaption.ReleaseBuffer();
        return;
    }
    strCaption = _T("SideBar");
}

void CKGPAppBarWnd::OnDrawBorder(CDC* pDC)
{
    CRect window;
    GetWindowRect(window);
    window.OffsetRect(-window.left, -window.top);
    CKGPVisualManager::GetInstance()->DrawAppBarBorder(pDC, this, window);
}

void CKGPAppBarWnd::OnDrawCaption(CDC* pDC)
{
    CRect caption;
    GetCaptionRect(caption);
    CString text;
    GetCaptionText(text);
    CKGPVisualManager::GetInstance()->DrawAppBarCaption(pDC, this, caption, text);
}

UINT CKGPAppBarWnd::HitTest(CPoint point, BOOL bDetectCaption)
{
    CRect window;
    GetWindowRect(window);
    if (!window.PtInRect(point))
        return HTNOWHERE;
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    if (client.PtInRect(point))
        return HTCLIENT;
    CRect caption;
    GetCaptionRect(caption);
    caption.OffsetRect(window.TopLeft());
    if (caption.PtInRect(point))
        return bDetectCaption ? HTCAPTION : HTCLIENT;

    RECT borders;
    GetBorders(borders);
    const BOOL bFloating = !m_bAppRegistered;
    const int cornerX = bFloating ? ::GetSystemMetrics(SM_CXCURSOR) / 2 : 0;
    const int cornerY = bFloating ? ::GetSystemMetrics(SM_CYCURSOR) / 2 : 0;
    const BOOL nearLeft = point.x < window.left + cornerX;
    const BOOL nearRight = point.x >= window.right - cornerX;
    const BOOL nearTop = point.y < window.top + cornerY;
    const BOOL nearBottom = point.y >= window.bottom - cornerY;
    const BOOL onLeft = point.x < window.left + borders.left;
    const BOOL onRight = point.x >= window.right - borders.right;
    const BOOL onTop = point.y < window.top + borders.top;
    const BOOL onBottom = point.y >= window.bottom - borders.bottom;
    if (bFloating) {
        if (nearTop && nearLeft)
            return HTTOPLEFT;
        if (nearTop && nearRight)
            return HTTOPRIGHT;
        if (nearBottom && nearRight)
            return HTBOTTOMRIGHT;
        if (nearBottom && nearLeft)
            return HTBOTTOMLEFT;
    }
    if (onTop)
        return HTTOP;
    if (onRight)
        return HTRIGHT;
    if (onBottom)
        return HTBOTTOM;
    if (onLeft)
        return HTLEFT;
    return static_cast<UINT>(CWnd::DefWindowProc(WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)));
}

void CKGPAppBarWnd::GetScreenRect(RECT& rect) const
{
    rect = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

CRect CKGPAppBarWnd::WorkAreaAt(CPoint point) const
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (HMONITOR monitor = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
        monitor != nullptr && ::GetMonitorInfoW(monitor, &info))
        return CRect(info.rcWork);
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// ---- Docking steps.

void CKGPAppBarWnd::QueryDockedRect(int nSide, CRect& rect)
{
    CRect screen;
    GetScreenRect(screen);
    const int width = rect.Width();
    const int height = rect.Height();
    CRect proposed = RectOf(ProposedRect(nSide, BoxOf(screen), BoxOf(rect)));
    AppBarQueryPos(nSide, proposed);
    rect = RectOf(WithOwnExtent(nSide, BoxOf(proposed), width, height));
}

void CKGPAppBarWnd::SetSide(int nSide, CRect rect, BOOL bMove, BOOL bSkipSetPos)
{
    if (!m_bAppRegistered)
        return;
    m_uSide = nSide;
    QueryDockedRect(nSide, rect);
    if (!bSkipSetPos && !m_bInSetPos)
        AppBarSetPos(nSide, rect);
    if (bMove && m_hWnd != nullptr)
        SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), kFrameFlags);
    if (!m_bAutoHideActive && !m_bPositionLocked) {
        m_rectDocked = rect;
        m_arDockedDims[nSide] = ExtentOf(nSide, BoxOf(rect));
    }
}

void CKGPAppBarWnd::DockFromExtents(int nSide, BOOL bSkipSetPos)
{
    CRect screen;
    GetScreenRect(screen);
    SetSide(nSide, RectOf(RectFromExtents(nSide, BoxOf(screen), m_arDockedDims)), TRUE, bSkipSetPos);
    m_bDocked = TRUE;
}

void CKGPAppBarWnd::KeepDockedSize()
{
    if ((m_bAutoHideActive && m_bHidden) || m_bPositionLocked || !IsDockSide(m_uSide))
        return;
    CRect window, screen;
    GetWindowRect(window);
    GetScreenRect(screen);
    int extents[4] = {m_arDockedDims[0], m_arDockedDims[1], m_arDockedDims[2], m_arDockedDims[3]};
    extents[m_uSide] = ExtentOf(m_uSide, BoxOf(window));
    const CRect rect = RectOf(RectFromExtents(m_uSide, BoxOf(screen), extents));
    if (rect == m_rectDocked)
        return;
    m_bPositionLocked = TRUE;
    SetSide(m_uSide, rect, TRUE, m_bAutoHideActive);
    m_bPositionLocked = FALSE;
    GetWindowRect(m_rectDocked);
    m_arDockedDims[m_uSide] = ExtentOf(m_uSide, BoxOf(m_rectDocked));
}

BOOL CKGPAppBarWnd::DockAppBar(int nSide)
{
    if (nSide == kSideFloat)
        return Float();
    if (!IsDockSide(nSide) || !IsSideAllowed(nSide, m_dwFlags))
        return FALSE;
    if (!m_bAppRegistered && !AppBarRegister())
        return FALSE;
    const BOOL bAutoHide = m_bAutoHideActive || m_bAutoHide;
    if (m_bAutoHideActive)
        SwitchAutoHide(FALSE, FALSE, TRUE);
    DockFromExtents(nSide, bAutoHide);
    if (bAutoHide && !SwitchAutoHide(TRUE, TRUE, FALSE))
        DockFromExtents(nSide, FALSE);
    return TRUE;
}

BOOL CKGPAppBarWnd::Float()
{
    if ((m_dwFlags & kAllowFloat) == 0)
        return FALSE;
    if (m_bAppRegistered) {
        if (m_bAutoHideActive)
            SwitchAutoHide(FALSE, FALSE, TRUE);
        AppBarUnregister();
        m_bDocked = FALSE;
        m_bHidden = FALSE;
    }
    m_uSide = kSideFloat;
    if (m_hWnd != nullptr) {
        if (m_rectFloat.IsRectEmpty())
            GetWindowRect(m_rectFloat);
        SetWindowPos(HWND{}, m_rectFloat.left, m_rectFloat.top, m_rectFloat.Width(), m_rectFloat.Height(),
                     kFrameFlags);
    }
    return TRUE;
}

// ---- Auto-hide and always on top.

BOOL CKGPAppBarWnd::SwitchAutoHide(BOOL bOn, BOOL bMove, BOOL bSkipSetPos)
{
    if (!IsDockSide(m_uSide))
        return FALSE;
    if (bOn) {
        if (AppBarGetAutoHideBar(m_uSide) != nullptr || !AppBarSetAutoHideBar(m_uSide, TRUE))
            return FALSE;
        m_bAutoHideActive = TRUE;
        // Hidden before it moves: the move must not be kept as its docked size.
        m_bHidden = bMove;
        CRect screen;
        GetScreenRect(screen);
        SetSide(m_uSide, RectOf(HiddenRect(m_uSide, BoxOf(screen))), bMove, bSkipSetPos);
        SetTimer(kTimerCheck, kCheckPeriodMs, nullptr);
        return TRUE;
    }
    if (AppBarGetAutoHideBar(m_uSide) != m_hWnd || !m_bAutoHideActive || !AppBarSetAutoHideBar(m_uSide, FALSE))
        return FALSE;
    m_bAutoHideActive = FALSE;
    m_bHidden = FALSE;
    KillTimer(kTimerCheck);
    DockFromExtents(m_uSide, bSkipSetPos);
    return TRUE;
}

BOOL CKGPAppBarWnd::SetAutoHide(BOOL bAutoHide)
{
    if (bAutoHide && (m_dwFlags & kAllowAutoHide) == 0)
        return FALSE;
    m_bAutoHide = bAutoHide;
    if (!m_bAppRegistered)
        return TRUE;
    return SwitchAutoHide(bAutoHide, TRUE, FALSE);
}

BOOL CKGPAppBarWnd::SetAlwaysOnTop(BOOL bAlwaysOnTop)
{
    if ((m_dwFlags & kAllowAlwaysOnTop) == 0)
        return FALSE;
    m_bAlwaysOnTop = bAlwaysOnTop;
    if (m_hWnd != nullptr)
        SetWindowPos(bAlwaysOnTop ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0, kZOrderFlags);
    return TRUE;
}

void CKGPAppBarWnd::SlideOut()
{
    m_bHidden = TRUE;
    SlideTo(RectOf(HiddenRect(m_uSide, BoxOf(m_rectDocked))));
}

void CKGPAppBarWnd::SlideIn()
{
    m_bHidden = FALSE;
    SlideTo(m_rectDocked);
    SetTimer(kTimerCheck, kCheckPeriodMs, nullptr);
}

void CKGPAppBarWnd::SlideTo(const CRect& rectTarget)
{
    if (!m_bAppRegistered)
        return;
    m_bPositionLocked = TRUE;
    BOOL bFullDrag = FALSE;
    ::SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    if (bFullDrag && !m_bDisableAnimation) {
        CRect current;
        GetWindowRect(current);
        const int dx = SlideOffsetX(BoxOf(current), BoxOf(rectTarget));
        const int dy = SlideOffsetY(BoxOf(current), BoxOf(rectTarget));
        const BOOL bResized = rectTarget.Height() > current.Height() || rectTarget.Width() >= current.Width();
        CRect start = current;
        if (bResized) {
            start = rectTarget;
            start.OffsetRect(-dx, -dy);
            SetWindowPos(HWND{}, start.left, start.top, start.Width(), start.Height(), kFrameFlags);
        }
        const DWORD began = ::GetTickCount();
        for (DWORD elapsed = 0; elapsed < kSlideDurationMs; elapsed = ::GetTickCount() - began) {
            SetWindowPos(HWND{}, start.left + SlideStep(dx, static_cast<long>(elapsed), kSlideDurationMs),
                         start.top + SlideStep(dy, static_cast<long>(elapsed), kSlideDurationMs), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (bResized)
                UpdateWindow();
            else
                ::UpdateWindow(::GetDesktopWindow());
        }
    }
    SetWindowPos(HWND{}, rectTarget.left, rectTarget.top, rectTarget.Width(), rectTarget.Height(), kFrameFlags);
    m_bPositionLocked = FALSE;
}

// ---- Shell notifications.

void CKGPAppBarWnd::OnAppBarPosChanged()
{
    if (!m_bInSizeMove && !m_bDragging)
        KeepDockedSize();
}

void CKGPAppBarWnd::OnAppBarFullScreenApp(BOOL bOpening)
{
    if (bOpening) {
        s_hwndZOrderBeforeFullScreen = ::GetWindow(m_hWnd, GW_HWNDPREV);
        SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, kZOrderFlags);
        return;
    }
    SetWindowPos(m_bAlwaysOnTop ? HWND_TOPMOST : s_hwndZOrderBeforeFullScreen, 0, 0, 0, 0, kZOrderFlags);
    s_hwndZOrderBeforeFullScreen = nullptr;
}

void CKGPAppBarWnd::OnAppBarStateChange(BOOL bAutoHide, BOOL bAlwaysOnTop)
{
    if (bAutoHide != m_bAutoHide)
        SetAutoHide(bAutoHide);
    if (bAlwaysOnTop != m_bAlwaysOnTop)
        SetAlwaysOnTop(bAlwaysOnTop);
}

LRESULT CKGPAppBarWnd::OnAppBarCallback(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case ABN_STATECHANGE: {
        const UINT state = AppBarGetState();
        OnAppBarStateChange((state & ABS_AUTOHIDE) != 0, (state & ABS_ALWAYSONTOP) != 0);
        break;
    }
    case ABN_POSCHANGED:
        OnAppBarPosChanged();
        break;
    case ABN_FULLSCREENAPP:
        OnAppBarFullScreenApp(lParam != 0);
        break;
    case ABN_WINDOWARRANGE:
        OnAppBarWindowArrange(lParam != 0);
        break;
    default:
        break;
    }
    return 0;
}

// ---- Stored place.

BOOL CKGPAppBarWnd::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    if (!reg->CreateKey(StateKey(lpszProfileName, nIndex)))
        return FALSE;
    reg->Write(_T("IsAutoHide"), m_bAutoHide);
    reg->Write(_T("IsAlwaysOnTop"), m_bAlwaysOnTop);
    reg->Write(_T("Side"), m_uSide);
    reg->Write(_T("RectFloat"), m_rectFloat);
    for (int side = kSideLeft; side <= kSideBottom; ++side)
        reg->Write(DimsValueName(side), m_arDockedDims[side]);
    return TRUE;
}

BOOL CKGPAppBarWnd::LoadState(LPCTSTR lpszProfileName, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(StateKey(lpszProfileName, nIndex)))
        return FALSE;
    CKGPStoredLoad load;
    BOOL bAutoHide = m_bAutoHide;
    BOOL bAlwaysOnTop = m_bAlwaysOnTop;
    DWORD dwSide = static_cast<DWORD>(m_uSide);
    StoredPlace place;
    for (int side = kSideLeft; side <= kSideBottom; ++side)
        place.extents[side] = m_arDockedDims[side];
    CRect rectFloat = m_rectFloat;
    load.ReadValue(*reg, _T("IsAutoHide"), bAutoHide);
    load.ReadValue(*reg, _T("IsAlwaysOnTop"), bAlwaysOnTop);
    load.ReadOneOf(*reg, _T("Side"), dwSide,
                   {DWORD(kSideLeft), DWORD(kSideTop), DWORD(kSideRight), DWORD(kSideBottom), DWORD(kSideFloat)});
    load.ReadValue(*reg, _T("RectFloat"), rectFloat, kgp_stored::kMaxCoordinate);
    for (int side = kSideLeft; side <= kSideBottom; ++side)
        load.ReadValue(*reg, DimsValueName(side), place.extents[side], 0, kgp_stored::kMaxCoordinate);
    if (load.IsRefused())
        return FALSE;

    // Extents and the floating place are made to fit this screen.
    CRect screen;
    GetScreenRect(screen);
    place.rectFloat = BoxOf(rectFloat);
    const int minExtent = m_nCaptionHeight + ::GetSystemMetrics(SM_CYFRAME) * 2;
    place = MendStoredPlace(place, BoxOf(screen), BoxOf(WorkAreaAt(rectFloat.CenterPoint())), minExtent);
    load.OnCommit([this, bAutoHide, bAlwaysOnTop, dwSide, place] {
        m_bAutoHide = bAutoHide;
        m_bAlwaysOnTop = bAlwaysOnTop;
        for (int side = kSideLeft; side <= kSideBottom; ++side)
            m_arDockedDims[side] = place.extents[side];
        m_rectFloat = RectOf(place.rectFloat);
    });
    if (!load.Commit())
        return FALSE;
    // The bar leaves its present side through the docking calls, which
    // release what it holds there (its auto-hide edge).
    const int nSide = static_cast<int>(dwSide);
    if (m_hWnd == nullptr)
        m_uSide = nSide;
    else if (nSide == kSideFloat)
        Float();
    else
        DockAppBar(nSide);
    return TRUE;
}

// ---- Messages.

void CKGPAppBarWnd::OnDestroy()
{
    KillTimer(kTimerCheck);
    KillTimer(kTimerSlideIn);
    if (m_bAppRegistered)
        AppBarUnregister();
    CWnd::OnDestroy();
}

void CKGPAppBarWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (!m_bAppRegistered)
        return;
    AppBarActivate();
    if (nState == WA_INACTIVE && m_bAutoHideActive)
        SetTimer(kTimerCheck, kCheckPeriodMs, nullptr);
}

void CKGPAppBarWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    if (m_bAppRegistered)
        AppBarWindowPosChanged();
}

LRESULT CKGPAppBarWnd::OnNcHitTest(CPoint point)
{
    UINT hit = HitTest(point, TRUE);
    if (hit == HTCAPTION && IsPrimaryButtonDown())
        hit = HTCLIENT;
    if (!m_bAppRegistered)
        return hit;
    static const UINT kInnerEdge[] = {HTRIGHT, HTBOTTOM, HTLEFT, HTTOP};
    if (IsDockSide(m_uSide) && hit == kInnerEdge[m_uSide])
        return hit;
    return HTCLIENT;
}

void CKGPAppBarWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    RECT borders;
    GetBorders(borders);
    RECT& rect = lpncsp->rgrc[0];
    rect.left += borders.left;
    rect.top += borders.top + m_nCaptionHeight;
    rect.right -= borders.right;
    rect.bottom -= borders.bottom;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    if (rect.right < rect.left)
        rect.right = rect.left;
}

void CKGPAppBarWnd::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(window);
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    if (window.IsRectEmpty())
        return;
    dc.ExcludeClipRect(client);

    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, window.Width(), window.Height()))
        return;
    {
        CSelectionScope selected(memDC, bitmap);
        OnDrawBorder(&memDC);
        OnDrawCaption(&memDC);
        CRect clip;
        dc.GetClipBox(clip);
        ::BitBlt(dc.m_hDC, clip.left, clip.top, clip.Width(), clip.Height(), memDC.m_hDC, clip.left, clip.top,
                 SRCCOPY);
    }
}

void CKGPAppBarWnd::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    GetWindowRect(m_rectDrag);
    ClientToScreen(&point);
    m_ptDragStart = point;
    m_uSideDragStart = m_bAppRegistered ? m_uSide : kSideFloat;
    if (m_rectFloat.IsRectEmpty() && !m_bAppRegistered)
        m_rectFloat = m_rectDrag;
    m_bDragging = TRUE;
    if (m_bAutoHideActive)
        KillTimer(kTimerCheck);
    SetCapture();
    ::SetCursor(SizeAllCursor());
}

void CKGPAppBarWnd::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (!m_bDragging) {
        if (m_bAutoHideActive && m_bHidden && !m_bInSizeMove)
            SlideIn();
        return;
    }
    ClientToScreen(&point);
    CRect screen;
    GetScreenRect(screen);
    CRect zone = WorkAreaAt(point);
    zone.DeflateRect(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const int side = DragTarget(point.x, point.y, BoxOf(screen), BoxOf(zone), m_dwFlags, ctrl);
    if (side != kSideFloat && (m_bAppRegistered || AppBarRegister())) {
        if (!m_bDocked)
            m_ptDragStart = point;
        m_bDocked = TRUE;
        m_uSide = side;
        CRect rect = RectOf(DragDockRect(side, BoxOf(screen), m_arDockedDims));
        QueryDockedRect(side, rect);
        m_rectDrag = rect;
        MoveWindow(rect, TRUE);
        return;
    }
    if ((m_dwFlags & kAllowFloat) == 0)
        return;
    if (m_rectFloat.IsRectEmpty())
        GetWindowRect(m_rectFloat);
    m_rectFloat = RectOf(FloatDragRect(BoxOf(m_rectFloat), point.x - m_ptDragStart.x, point.y - m_ptDragStart.y,
                                       point.x, point.y, m_nCaptionHeight));
    m_ptDragStart = point;
    MoveWindow(m_rectFloat, TRUE);
    m_bDocked = FALSE;
    m_bHidden = FALSE;
}

void CKGPAppBarWnd::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    if (!m_bDragging)
        return;
    ReleaseCapture();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    m_bDragging = FALSE;
    if (!m_bDocked) {
        Float();
        return;
    }
    if (!m_bAppRegistered)
        return;
    const BOOL bAutoHide = m_bAutoHideActive || m_bAutoHide;
    if (m_bAutoHideActive) {
        const int side = m_uSide;
        m_uSide = m_uSideDragStart;
        SwitchAutoHide(FALSE, FALSE, TRUE);
        m_uSide = side;
    }
    SetSide(m_uSide, m_rectDrag, TRUE, bAutoHide);
    m_bDocked = TRUE;
    if (bAutoHide && !SwitchAutoHide(TRUE, TRUE, FALSE))
        SetSide(m_uSide, m_rectDrag, TRUE, FALSE);
}

void CKGPAppBarWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (!m_bDragging)
        return;
    if (m_bAppRegistered && IsDockSide(m_uSideDragStart)) {
        SetSide(m_uSideDragStart, m_rectDocked, TRUE, FALSE);
        m_bDocked = TRUE;
    } else {
        m_bDocked = FALSE;
        Float();
    }
    if (m_bAutoHideActive)
        SetTimer(kTimerCheck, kCheckPeriodMs, nullptr);
    ReleaseCapture();
    m_bDragging = FALSE;
}

void CKGPAppBarWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_bAutoHideActive && m_bHidden)
        SlideIn();
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CKGPAppBarWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerCheck) {
        if (m_bDragging)
            return;
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CRect window;
        GetWindowRect(window);
        if (!window.PtInRect(cursor)) {
            KillTimer(kTimerCheck);
            if (m_bAutoHideActive && !m_bHidden)
                SlideOut();
        }
        return;
    }
    if (nIDEvent == kTimerSlideIn) {
        KillTimer(kTimerSlideIn);
        SlideIn();
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CKGPAppBarWnd::OnMove(int x, int y)
{
    CWnd::OnMove(x, y);
    if (m_bAppRegistered && !m_bInSizeMove && !m_bDragging)
        KeepDockedSize();
}

void CKGPAppBarWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_bAppRegistered && !m_bInSizeMove && !m_bDragging)
        KeepDockedSize();
}

LRESULT CKGPAppBarWnd::OnEnterSizeMove(WPARAM, LPARAM)
{
    if (m_bAppRegistered && !m_bDragging) {
        GetWindowRect(m_rectDocked);
        m_bInSizeMove = TRUE;
    }
    return Default();
}

LRESULT CKGPAppBarWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (m_bAppRegistered) {
        m_bInSizeMove = FALSE;
        CRect window;
        GetWindowRect(window);
        if (window != m_rectDocked)
            KeepDockedSize();
    } else if (!m_bDocked) {
        GetWindowRect(m_rectFloat);
    }
    return result;
}

void CKGPAppBarWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    DockAppBar(m_uSide);
}

LRESULT CKGPAppBarWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    return 0;
}
