// The toolbar as a window: its creation (class, styles, the list of live
// bars), its shape, and the window messages that change neither buttons nor
// presses: size, position, colours, settings, cursors, focus and the
// toolbar-control messages other code may send it.
#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPControlBarImpl.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarDropTarget.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <algorithm>
#include <cwchar>

namespace {

// The control-bar style bits of a window style (kept by the bar, not the window).
constexpr DWORD kBarStyleBits = 0x0040FFFF;
constexpr UINT kStandardToolBarId = 0xE800;
// The toolbar-control styles every bar's window takes: no divider, no parent
// alignment, no resizing by the parent.
constexpr DWORD kControlStyleBits = CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
constexpr int kRoundCorner = 4;
constexpr int kResizeEdge = 7;

}  // namespace

BOOL CKGPToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateBarEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CKGPToolBar::CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(std::max<LONG>(rcBorders.left, 1), std::max<LONG>(rcBorders.top, 1), std::max<LONG>(rcBorders.right, 1),
               std::max<LONG>(rcBorders.bottom, 1));
    DWORD barStyle = dwStyle & kBarStyleBits;
    if (nID == kStandardToolBarId)
        barStyle |= CBRS_HIDE_INPLACE;
    const DWORD windowStyle = ((dwStyle & ~kBarStyleBits) | dwCtrlStyle | kControlStyleBits) & ~DWORD{CCS_NOMOVEY};
    // The system's shared arrow, loaded once: under Wine each load asks the
    // server for the monitors, and a bar is made each time a popup menu opens.
    static const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const CString className = RegisterLibraryWindowClass(WindowClassPrefix(), CS_DBLCLKS, arrow);
    if (!CKGPControlBar::Create(className, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetBarStyleWord(barStyle);
    return TRUE;
}

int CKGPToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPBaseToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Images are mirrored like the program's main window (or the top frame).
    const CWnd* mainWindow = AfxGetMainWnd() != nullptr ? AfxGetMainWnd() : GetTopLevelFrame();
    if (mainWindow != nullptr && mainWindow->GetSafeHwnd() != nullptr)
        CKGPToolBarImages::EnableRTL((mainWindow->GetExStyle() & WS_EX_LAYOUTRTL) != 0);
    m_customize.markPen.CreatePen(PS_SOLID, 1, GetKGPGlobalData().clrBtnText);
    if (MakesTipsWithWindow())
        RecreateToolTip();
    else
        m_tips.pending = TRUE;
    UpdateRoundedRegion();
    if (!m_bDropTargetWhenCustomizing || s_bCustomizing)
        RegisterDropTarget();
    s_lstAllBars.AddTail(this);
    return 0;
}

// Buttons can be dropped onto the bar where OLE is up on its thread, unless
// the bar was made to take none.
void CKGPToolBar::RegisterDropTarget()
{
    if (m_bSkipDropTarget || m_customize.dropTarget != nullptr || GetSafeHwnd() == nullptr)
        return;
    auto target = std::make_unique<CKGPToolbarDropTarget>();
    if (target->Register(this))
        m_customize.dropTarget = std::move(target);
}

void CKGPToolBar::OnDestroy()
{
    m_customize.markPen.DeleteObject();
    CKGPToolTipFactory::DeleteToolTip(m_tips.ctrl);
    if (m_customize.dropTarget != nullptr)
        m_customize.dropTarget->Revoke();
    m_customize.dropTarget.reset();
    CKGPBaseToolBar::OnDestroy();
    if (s_pCustomSelBar == this)
        s_pCustomSelBar = nullptr;
    if (m_pSibling != nullptr && m_pSibling->m_pSibling == this)
        m_pSibling->ForgetSibling();
    ForgetSibling();
    LeaveListOfBars();
}

// The visual manager may give toolbars rounded corners.
void CKGPToolBar::UpdateRoundedRegion()
{
    const BOOL wasRounded = m_bRoundedRegion;
    m_bRoundedRegion = CKGPVisualManager::GetInstance()->IsToolbarRoundShape(this);
    if (!m_bRoundedRegion) {
        if (wasRounded)
            ::SetWindowRgn(m_hWnd, nullptr, TRUE);
        return;
    }
    CRect window;
    GetWindowRect(window);
    CRgn region;
    region.CreateRoundRectRgn(0, 0, window.Width() + 1, window.Height() + 1, kRoundCorner, kRoundCorner);
    ::SetWindowRgn(m_hWnd, static_cast<HRGN>(region.Detach()), TRUE);
}

void CKGPToolBar::OnSize(UINT nType, int cx, int cy)
{
    UpdateRoundedRegion();
    CKGPBaseToolBar::OnSize(nType, cx, cy);
    if (s_bCustomizing && !IsLocked())
        OnCancelMode();
    AdjustLocations();
    // A floating bar's frame offers neither restoring nor sizing commands,
    // and no closing while the bar may not be closed.
    if (CWnd* frame = GetParentMiniFrame(TRUE)) {
        if (CMenu* menu = frame->GetSystemMenu(FALSE)) {
            for (UINT command : {UINT{SC_RESTORE}, UINT{SC_MINIMIZE}, UINT{SC_MAXIMIZE}})
                menu->DeleteMenu(command, MF_BYCOMMAND);
            if (!CanBeClosed())
                menu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        }
    }
}

void CKGPToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CKGPBaseToolBar::OnWindowPosChanged(lpwndpos);
    const CSize last = m_sizeLast;
    CRect window;
    GetWindowRect(window);
    m_sizeLast = window.Size();
    if (m_sizeLast.cx > last.cx || m_sizeLast.cy > last.cy || IsInRebar())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (m_pChevron != nullptr)
        InvalidateButton(GetCount() - 1);
}

void CKGPToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CKGPBaseToolBar::OnWindowPosChanging(lpwndpos);
    if (IsInRebar())
        AdjustLayout();
}

// The library's change listener rebuilds the colours, fonts and strips once
// per change; the bar shows them, and lays itself out with new fonts.
void CKGPToolBar::OnSysColorChange() { Invalidate(); }

void CKGPToolBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKGPBaseToolBar::OnSettingChange(uFlags, lpszSection);
    if (uFlags == SPI_SETNONCLIENTMETRICS)
        AdjustLayout();
}

void CKGPToolBar::OnVisualManagerChanged()
{
    UpdateRoundedRegion();
    if (!IsLocked())
        AdjustLayout();
    CKGPToolBarImages::OnSysColorChange();
}

LRESULT CKGPToolBar::OnNcHitTest(CPoint /*point*/) { return HTCLIENT; }

BOOL CKGPToolBar::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }  // painted in one pass

// The control of a button answers for its colours in customisation mode.
HBRUSH CKGPToolBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (s_bCustomizing && !IsLocked() && pWnd != nullptr) {
        for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
            auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
            if (button->OwnsWindow(pWnd->GetSafeHwnd()))
                return button->ControlBrush(pDC, nCtlColor);
        }
    }
    return CKGPBaseToolBar::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CKGPToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const CKGPToolbarButton* selected = GetButton(m_customize.selected);
    const BOOL onResizeEdge = s_bCustomizing && !IsLocked() && s_pCustomSelBar == this && selected != nullptr &&
                              selected->IsResizable() && selected->m_rcButton.PtInRect(point) &&
                              point.x >= selected->m_rcButton.right - kResizeEdge;
    if (m_customize.resizing || onResizeEdge) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    CRect gripper;
    CKGPControlBarImpl(this).GetGripperRect(gripper, TRUE);
    if (gripper.PtInRect(point)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        return TRUE;
    }
    return CKGPBaseToolBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKGPToolBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CKGPBaseToolBar::OnShowWindow(bShow, nStatus);
    if (!s_bCustomizing || IsLocked())
        return;
    // The customisation sheet's list of bars follows a bar shown or hidden.
    KGPToolbarLinks::OnToolbarShown(this, bShow);
    if (!bShow && s_pCustomSelBar == this) {
        s_pCustomSelBar = nullptr;
        m_customize.selected = -1;
    }
}

void CKGPToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CKGPBaseToolBar::OnRButtonDown(nFlags, point);
    if (!s_bCustomizing) {
        if (CWnd* parent = GetParent(); parent != nullptr && parent->IsKindOf(RUNTIME_CLASS(CKGPBaseControlBar)))
            parent->SetFocus();
    }
}

// Focus taken from another window goes back to it after a click; toolbars
// and their controls are not remembered.
void CKGPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    CKGPBaseToolBar::OnSetFocus(pOldWnd);
    if (!m_bRestoreFocus || pOldWnd == nullptr || pOldWnd->GetSafeHwnd() == nullptr)
        return;
    for (CWnd* wnd = pOldWnd; wnd != nullptr; wnd = wnd->GetParent()) {
        if (wnd->IsKindOf(RUNTIME_CLASS(CKGPToolBar)))
            return;
    }
    m_track.prevFocus = pOldWnd->GetSafeHwnd();
}

void CKGPToolBar::OnKillFocus(CWnd* pNewWnd)
{
    CKGPBaseToolBar::OnKillFocus(pNewWnd);
    if (!s_bCustomizing)
        LeaveHotState();
}

void CKGPToolBar::RestoreFocus()
{
    if (m_track.prevFocus != nullptr && ::IsWindow(m_track.prevFocus))
        ::SetFocus(m_track.prevFocus);
    m_track.prevFocus = nullptr;
}

LRESULT CKGPToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KGM_UPDATETOOLTIPS)
        return OnUpdateToolTips(wParam, lParam);
    if (message == KGM_CHANGEVISUALMANAGER) {
        OnVisualManagerChanged();
        return 0;
    }
    if (message == TB_BUTTONCOUNT || message == TB_GETITEMRECT || message == TB_GETBUTTON ||
        message == TB_GETBUTTONTEXTW)
        return OnToolbarMessage(message, wParam, lParam);
    // The bar's text (its name) as the window holds it, known without asking.
    if (message == WM_NCCREATE || message == WM_SETTEXT) {
        const LRESULT result = CKGPBaseToolBar::WindowProc(message, wParam, lParam);
        LPCTSTR text = message == WM_SETTEXT ? reinterpret_cast<LPCTSTR>(lParam)
                                             : reinterpret_cast<const CREATESTRUCT*>(lParam)->lpszName;
        if (result != FALSE)
            m_strWindowText = text != nullptr && !IS_INTRESOURCE(text) ? text : _T("");
        return result;
    }
    return CKGPBaseToolBar::WindowProc(message, wParam, lParam);
}

// ---- Toolbar-control messages ----

LRESULT CKGPToolBar::OnToolbarMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TB_BUTTONCOUNT:
        return GetCount();
    case TB_GETITEMRECT:
        GetItemRect(static_cast<int>(wParam), reinterpret_cast<LPRECT>(lParam));
        return TRUE;
    case TB_GETBUTTON: {
        const CKGPToolbarButton* button = GetButton(static_cast<int>(wParam));
        auto* info = reinterpret_cast<TBBUTTON*>(lParam);
        if (button == nullptr || info == nullptr)
            return FALSE;
        *info = TBBUTTON{};
        info->idCommand = static_cast<int>(button->m_nCommand);
        info->fsState = static_cast<BYTE>((button->m_nBits >> 16) & 0xFF);
        info->fsStyle = static_cast<BYTE>(button->m_nBits & 0xFF);
        return TRUE;
    }
    case TB_GETBUTTONTEXTW: {
        const int index = CommandToIndex(static_cast<UINT>(wParam));
        const CString caption = GetButtonText(index);
        if (auto* buffer = reinterpret_cast<LPWSTR>(lParam); buffer != nullptr && index >= 0)
            std::wcscpy(buffer, caption);
        return index >= 0 ? caption.GetLength() : -1;
    }
    default:
        return 0;
    }
}
