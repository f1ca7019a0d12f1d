// Where the popup goes and what of it shows: its window on the work area of
// the monitor nearest its point, the inner area (side band, tear-off caption,
// scroll buttons, gripper) around its bar, scrolling by the buttons, the wheel
// and the keys, the hit test of its parts, and resizing by the gripper.
#include "guilib/menus/KGPPopupMenu.h"

#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/menus/KGPPopupPlacement.h"
#include "guilib/toolbars/KGPMenuButtonLinks.h"

#include <algorithm>
#include <memory>

namespace {

constexpr UINT_PTR kScrollTimer = 2;
constexpr UINT kScrollPeriod = 80;
constexpr int kTearOffCaptionHeight = 10;

kgp::Box BoxOf(const CRect& rect) { return kgp::Box{rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

// ---- Placement ----

void CKGPPopupMenu::RecalcLayout(BOOL)
{
    if (GetSafeHwnd() == nullptr || m_wndMenuBar.GetSafeHwnd() == nullptr)
        return;
    const int border = GetBorderSize();
    const BOOL customizing = CKGPToolBar::IsCustomizeMode();
    CSize size;
    if (m_bResizeTracking) {
        size = m_sizeCurrent;
    } else {
        const CSize bar = m_wndMenuBar.CalcSize(TRUE);
        size = CSize(bar.cx + 2 * border, bar.cy + 2 * border);
    }
    (m_nLogoLocation <= 1 ? size.cx : size.cy) += m_iLogoWidth;
    if (m_pMenuCustomizationPage != nullptr) {
        size.cy += ::GetSystemMetrics(SM_CYSMCAPTION) + 5 + 2 * ::GetSystemMetrics(SM_CYBORDER);
    } else if (m_pParentBtn != nullptr && m_pParentBtn->HasTearOffId() && !customizing) {
        size.cy += kTearOffCaptionHeight;
        if (m_wndToolTip.GetSafeHwnd() == nullptr && m_wndToolTip.Create(this)) {
            m_wndToolTip.AddTool(this, LPSTR_TEXTCALLBACK, CRect(0, 0, 0, 0), 1);
            m_wndToolTip.Activate(TRUE);
        }
    }
    m_bScrollable = FALSE;
    if (m_nMaxHeight > 0 && size.cy > m_nMaxHeight && !m_bResizeTracking) {
        size.cy = kgp::WholeRowsHeight(m_nMaxHeight, m_wndMenuBar.GetMenuRowHeight(), border);
        m_bScrollable = TRUE;
    }
    // The size dragged holds the gripper already.
    if (m_bIsResizable && !m_bResizeTracking)
        size.cy += kgp::GripperHeight(m_sizeMinResize.cx > 0);
    PlaceWindow(size);
}

void CKGPPopupMenu::PlaceWindow(CSize size)
{
    const BOOL customizing = CKGPToolBar::IsCustomizeMode();
    kgp::PopupPlaceInput in;
    in.workArea = BoxOf(CKGPGlobalUtils::WorkAreaAt(m_ptLocation));
    in.x = m_ptLocation.x;
    in.y = m_ptLocation.y;
    in.width = size.cx;
    in.height = size.cy;
    in.shadow = customizing ? 0 : m_iShadowSize;
    in.direction = m_DropDirection;
    in.rowHeight = m_wndMenuBar.GetMenuRowHeight();
    in.border = GetBorderSize();
    in.canScroll = !m_wndMenuBar.m_bPaletteMode;
    in.gripper = m_bIsResizable ? kgp::GripperHeight(m_sizeMinResize.cx > 0) : 0;
    const HWND parent = CWnd::HwndOf(m_pWndParent);
    in.rightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0 ||
                     (parent != nullptr && (::GetWindowLongPtrW(parent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0);
    if (m_pParentBtn != nullptr) {
        CWnd* bar = m_pParentBtn->GetParentWnd();
        if (bar != nullptr && bar->GetSafeHwnd() != nullptr) {
            in.hasParentButton = true;
            CRect button = m_pParentBtn->m_rcButton;
            bar->ClientToScreen(button);
            in.button = BoxOf(button);
            in.onMenuBar = KGPMenuButtonLinks::IsMenuBar(bar) != FALSE;
            if (const auto* toolBar = DYNAMIC_DOWNCAST(CKGPToolBar, bar))
                in.toolbarDirection = toolBar->GetMenuDropDirection();
            if (const CKGPPopupMenu* above = GetParentPopupMenu()) {
                in.subMenu = true;
                CRect window;
                above->GetWindowRect(window);
                window.right -= above->m_iShadowSize;
                in.parentPopup = BoxOf(window);
            }
        }
    }
    const kgp::PopupPlacement placed = kgp::PlacePopup(in);
    m_DropDirection = placed.direction;
    m_bScrollable = m_bScrollable || placed.scrollable;
    m_bIsAnimRight = placed.horizontalAnchor;
    m_bIsAnimDown = placed.verticalAnchor;
    m_bGripperShown = m_bIsResizable && !placed.gripperDropped;
    const kgp::Box& box = placed.window;
    m_FinalSize = CSize(box.right - box.left, box.bottom - box.top);
    const int shadow = customizing ? 0 : m_iShadowSize;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_pMenuCustomizationPage != nullptr && m_bShown)
        flags |= SWP_NOMOVE;
    CRect before;
    GetWindowRect(before);
    SetWindowPos(static_cast<const CWnd*>(nullptr), box.left, box.top, m_FinalSize.cx + shadow, m_FinalSize.cy + shadow, flags);
    // A new size has laid out the inner area already.
    if (before.Size() == CSize(m_FinalSize.cx + shadow, m_FinalSize.cy + shadow))
        AdjustScrollButtons();

    if (customizing) {
        m_wndMenuBar.AdjustLocations();
    } else if (CKGPToolBar* bar = GetParentToolBar(); m_bShown && bar != nullptr && shadow > 0 && bar->GetSafeHwnd() != nullptr) {
        // The part of the bar below the shadow shows through it again.
        CRect covered(box.left, box.top, box.right + shadow, box.bottom + shadow);
        bar->ScreenToClient(covered);
        bar->RedrawWindow(covered, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
}

// ---- The inner area ----

CRect CKGPPopupMenu::LogoRect() const
{
    if (m_iLogoWidth <= 0 || GetSafeHwnd() == nullptr)
        return CRect();
    CRect inside(0, 0, m_FinalSize.cx, m_FinalSize.cy);
    inside.DeflateRect(GetBorderSize(), GetBorderSize());
    switch (m_nLogoLocation) {
    case 0:
        return CRect(inside.left, inside.top, inside.left + m_iLogoWidth, inside.bottom);
    case 1:
        return CRect(inside.right - m_iLogoWidth, inside.top, inside.right, inside.bottom);
    case 2:
        return CRect(inside.left, inside.top, inside.right, inside.top + m_iLogoWidth);
    default:
        return CRect(inside.left, inside.bottom - m_iLogoWidth, inside.right, inside.bottom);
    }
}

CRect CKGPPopupMenu::InnerRect() const
{
    CRect inner;
    GetClientRect(inner);
    if (!CKGPToolBar::IsCustomizeMode()) {
        inner.right -= m_iShadowSize;
        inner.bottom -= m_iShadowSize;
    }
    inner.DeflateRect(GetBorderSize(), GetBorderSize());
    switch (m_nLogoLocation) {
    case 0:
        inner.left += m_iLogoWidth;
        break;
    case 1:
        inner.right -= m_iLogoWidth;
        break;
    case 2:
        inner.top += m_iLogoWidth;
        break;
    default:
        inner.bottom -= m_iLogoWidth;
        break;
    }
    return inner;
}

void CKGPPopupMenu::AdjustScrollButtons()
{
    if (GetSafeHwnd() == nullptr || m_wndMenuBar.GetSafeHwnd() == nullptr)
        return;
    CRect inner = InnerRect();
    m_rectTearOffCaption.SetRectEmpty();
    if (m_pParentBtn != nullptr && m_pParentBtn->HasTearOffId() && !CKGPToolBar::IsCustomizeMode() &&
        m_pMenuCustomizationPage == nullptr) {
        m_rectTearOffCaption = CRect(inner.left, inner.top, inner.right, inner.top + kTearOffCaptionHeight);
        inner.top = m_rectTearOffCaption.bottom;
        if (m_wndToolTip.GetSafeHwnd() != nullptr)
            m_wndToolTip.SetToolRect(this, 1, m_rectTearOffCaption);
    }
    m_rectResize.SetRectEmpty();
    if (m_bGripperShown) {
        const int gripper = kgp::GripperHeight(m_sizeMinResize.cx > 0);
        m_rectResize = CRect(inner.left, inner.bottom - gripper, inner.right, inner.bottom);
        inner.bottom = m_rectResize.top;
    }

    const CRect oldUp = m_rectScrollUp;
    const CRect oldDown = m_rectScrollDn;
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDn.SetRectEmpty();
    m_iScrollBtnHeight = CKGPMenuGlyphs::GetHeight() + 2 * GetBorderSize();
    CRect bar = inner;
    if (m_bScrollable) {
        const int row = m_wndMenuBar.GetMenuRowHeight();
        if (m_wndMenuBar.GetFirstVisibleRow() > 0) {
            m_rectScrollUp = CRect(inner.left, inner.top, inner.right, inner.top + m_iScrollBtnHeight);
            bar.top = m_rectScrollUp.bottom;
        }
        // Rows remain below when the items left after the scrolled rows are
        // taller than the room.
        const int remaining = m_wndMenuBar.GetRowCount() * row - m_wndMenuBar.GetFirstVisibleRow() * row;
        if (remaining > bar.Height()) {
            m_rectScrollDn = CRect(inner.left, inner.bottom - m_iScrollBtnHeight, inner.right, inner.bottom);
            bar.bottom = m_rectScrollDn.top;
        }
    } else if (m_iScrollMode != 0) {
        // The scroll timer runs while a scroll button is pressed, and only then.
        KillTimer(kScrollTimer);
        m_iScrollMode = 0;
    }
    CRect current;
    m_wndMenuBar.GetWindowRect(current);
    ScreenToClient(current);
    if (current != bar) {
        m_wndMenuBar.SetWindowPos(static_cast<const CWnd*>(nullptr), bar.left, bar.top, bar.Width(), bar.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        m_wndMenuBar.AdjustLocations();
    }
    m_nMenuBarHeight = bar.Height();
    if (oldUp != m_rectScrollUp || oldDown != m_rectScrollDn) {
        // Each a request to Wine's server: an empty one (no button) asks for nothing.
        for (const CRect& changed : {oldUp, oldDown, m_rectScrollUp, m_rectScrollDn}) {
            if (!changed.IsRectEmpty())
                InvalidateRect(changed);
        }
        UpdateWindow();
    }
}

void CKGPPopupMenu::OnSize(UINT nType, int cx, int cy)
{
    // Not the frame's handling: its layout is this popup's placement, which moved it.
    CWnd::OnSize(nType, cx, cy);
    AdjustScrollButtons();
    // Most popups have no logo: an empty rectangle asks Wine's server for nothing.
    if (const CRect logo = LogoRect(); !logo.IsRectEmpty())
        InvalidateRect(logo);
}

// ---- Scrolling ----

BOOL CKGPPopupMenu::ScrollStep(int nStep)
{
    const int row = m_wndMenuBar.GetFirstVisibleRow();
    if ((nStep < 0 && row <= 0) || (nStep > 0 && m_rectScrollDn.IsRectEmpty()) || nStep == 0)
        return FALSE;
    m_wndMenuBar.SetFirstVisibleRow(row + (nStep < 0 ? -1 : 1));
    AdjustScrollButtons();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return TRUE;
}

void CKGPPopupMenu::EnsureHotItemVisible()
{
    if (!m_bScrollable)
        return;
    const CKGPToolbarButton* hot = m_wndMenuBar.GetButton(m_wndMenuBar.GetHotButton());
    if (hot == nullptr)
        return;
    CRect client;
    m_wndMenuBar.GetClientRect(client);
    const int row = kgp::ScrollIntoView(m_wndMenuBar.GetFirstVisibleRow(), hot->m_rcButton.top,
                                        hot->m_rcButton.bottom, client.Height(), m_wndMenuBar.GetMenuRowHeight(),
                                        m_wndMenuBar.GetRowCount());
    if (row == m_wndMenuBar.GetFirstVisibleRow())
        return;
    m_wndMenuBar.SetFirstVisibleRow(row);
    AdjustScrollButtons();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CKGPPopupMenu::OnScrollTimer()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (!m_rectScrollUp.PtInRect(cursor) && !m_rectScrollDn.PtInRect(cursor)) {
        KillTimer(kScrollTimer);
        m_iScrollMode = 0;
        InvalidateRect(m_rectScrollUp);
        InvalidateRect(m_rectScrollDn);
        return;
    }
    ScrollStep(m_iScrollMode);
}

void CKGPPopupMenu::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    if (nSBCode == SB_LINEUP)
        ScrollStep(-1);
    else if (nSBCode == SB_LINEDOWN)
        ScrollStep(1);
}

BOOL CKGPPopupMenu::OnMouseWheel(UINT, short zDelta, CPoint)
{
    if (m_pActivePopupMenu != this || !m_bScrollable)
        return TRUE;
    for (int i = kgp::WheelSteps(zDelta); i > 0; --i)
        SendMessage(WM_VSCROLL, zDelta > 0 ? SB_LINEUP : SB_LINEDOWN);
    return TRUE;
}

void CKGPPopupMenu::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTearOffTracking) {
        if (!m_rectTearOffCaption.PtInRect(point)) {
            ReleaseCapture();
            m_bTearOffTracking = FALSE;
            m_bIsTearOffCaptionActive = FALSE;
            ClientToScreen(&point);
            TearOff(point);
        }
        return;
    }
    if (m_bScrollable) {
        const int mode = m_rectScrollUp.PtInRect(point) && m_wndMenuBar.GetFirstVisibleRow() > 0 ? -1
                         : m_rectScrollDn.PtInRect(point)                                      ? 1
                                                                                               : 0;
        if (mode != 0 && mode != m_iScrollMode) {
            m_iScrollMode = mode;
            SetTimer(kScrollTimer, kScrollPeriod, nullptr);
            InvalidateRect(mode < 0 ? m_rectScrollUp : m_rectScrollDn);
        }
    }
    CMiniFrameWnd::OnMouseMove(nFlags, point);
}

// ---- Hit test ----

int CKGPPopupMenu::HitTest(CPoint pt) const
{
    if (GetSafeHwnd() == nullptr)
        return kgp::kHitOutside;
    CRect window;
    GetWindowRect(window);
    kgp::PopupHitInput in;
    in.client = kgp::Box{0, 0, window.Width(), window.Height()};
    in.logo = BoxOf(LogoRect());
    in.tearOff = BoxOf(m_rectTearOffCaption);
    in.shadow = CKGPToolBar::IsCustomizeMode() ? 0 : m_iShadowSize;
    in.rightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    return kgp::PopupHitTest(in, pt.x - window.left, pt.y - window.top);
}

// ---- Resizing ----

void CKGPPopupMenu::EnableResize(CSize sizeMinResize)
{
    m_bIsResizable = sizeMinResize.cx != 0 || sizeMinResize.cy != 0;
    m_sizeMinResize = m_bIsResizable ? CSize(sizeMinResize.cx,
                                             kgp::ResizeMinimumHeight(sizeMinResize.cy, sizeMinResize.cx > 0))
                                     : CSize(0, 0);
    m_bGripperShown = m_bIsResizable;
}

LRESULT CKGPPopupMenu::OnNcHitTest(CPoint point)
{
    if (m_bGripperShown && !m_rectResize.IsRectEmpty()) {
        CPoint client = point;
        ScreenToClient(&client);
        const BOOL rtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        if (m_sizeMinResize.cx > 0) {
            const int side = m_rectResize.Height();
            const CRect corner = rtl ? CRect(m_rectResize.left, m_rectResize.top, m_rectResize.left + side,
                                             m_rectResize.bottom)
                                     : CRect(m_rectResize.right - side, m_rectResize.top, m_rectResize.right,
                                             m_rectResize.bottom);
            if (corner.PtInRect(client))
                return rtl ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
        } else if (m_rectResize.PtInRect(client)) {
            return HTBOTTOM;
        }
    }
    return CMiniFrameWnd::OnNcHitTest(point);
}

void CKGPPopupMenu::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTBOTTOM || nHitTest == HTBOTTOMRIGHT || nHitTest == HTBOTTOMLEFT) {
        TrackResize();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CKGPPopupMenu::TrackResize()
{
    // Any message dispatched here may close the popup (and delete it): after
    // each, nothing of it is touched once it has gone.
    const std::shared_ptr<bool> alive = m_pAlive;
    const HWND self = m_hWnd;
    MSG pending;
    while (::PeekMessageW(&pending, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        ::DispatchMessageW(&pending);
        if (!*alive)
            return;
    }
    if (::GetCapture() != nullptr)
        return;
    SetCapture();
    m_bResizeTracking = TRUE;
    const int shadow = std::exchange(m_iShadowSize, 0);
    CRect window;
    GetWindowRect(window);
    m_sizeCurrent = CSize(window.Width() - shadow, window.Height() - shadow);
    BOOL changed = FALSE;
    while (::GetCapture() == self) {
        MSG msg;
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            GetWindowRect(window);
            kgp::ResizeInput in;
            in.window = BoxOf(window);
            in.workArea = BoxOf(CKGPGlobalUtils::WorkAreaAt(window.TopLeft()));
            in.cursorX = cursor.x;
            in.cursorY = cursor.y;
            in.minWidth = m_sizeMinResize.cx;
            in.minHeight = m_sizeMinResize.cy;
            in.bothDirections = m_sizeMinResize.cx > 0;
            in.border = GetBorderSize();
            const kgp::Size2 size = kgp::TrackResize(in);
            if (size.cx != m_sizeCurrent.cx || size.cy != m_sizeCurrent.cy) {
                m_sizeCurrent = CSize(size.cx, size.cy);
                changed = TRUE;
                RecalcLayout();
                m_wndMenuBar.AdjustLocations();
                RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            }
        } else if (msg.message == WM_LBUTTONUP) {
            break;
        } else {
            ::DispatchMessageW(&msg);
            if (!*alive)
                return;
        }
    }
    m_iShadowSize = shadow;
    if (::GetCapture() == self)
        ReleaseCapture();
    if (changed) {
        m_bmpShadowRight.DeleteObject();
        m_bmpShadowBottom.DeleteObject();
        RecalcLayout();
        ShowWindow(SW_SHOWNOACTIVATE);
    }
    m_bResizeTracking = FALSE;
}
