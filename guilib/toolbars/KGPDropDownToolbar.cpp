#include "guilib/toolbars/KGPDropDownToolbar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPDropDownRules.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPMenuButtonLinks.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <algorithm>
#include <map>

IMPLEMENT_SERIAL(CKGPDropDownToolBar, CKGPToolBar, 1)
IMPLEMENT_SERIAL(CKGPDropDownToolbarButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNAMIC(CKGPDropDownFrame, CMiniFrameWnd)

namespace {

constexpr UINT kDropDownBarId = 59431;

// Buttons waiting for their menu delay, by timer.
std::map<UINT_PTR, CKGPDropDownToolbarButton*>& PendingButtons()
{
    static std::map<UINT_PTR, CKGPDropDownToolbarButton*> pending;
    return pending;
}

// The popup menus' delay; theirs by default when the menus family is absent.
int MenuDelay()
{
    const IKGPMenuBarsLink* menus = KGPMenuButtonLinks::Bars();
    return menus != nullptr ? menus->GetMenuShowDelay() : IKGPMenuBarsLink::kDefaultMenuShowDelay;
}

kgp::Box BoxOf(const CRect& rect)
{
    return kgp::Box{rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

// ---- The drop-down toolbar

BOOL CKGPDropDownToolBar::LoadBitmaps(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                      UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    return CKGPToolBar::LoadBitmaps(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID);
}

BOOL CKGPDropDownToolBar::LoadFromResource(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                           UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiNormalResID)
{
    return CKGPToolBar::LoadFromResource(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID,
                                         uiMenuDisabledResID, uiNormalResID);
}

LRESULT CKGPDropDownToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* frame = DYNAMIC_DOWNCAST(CKGPDropDownFrame, GetParent());
    if (frame != nullptr && !IsCustomizeMode()) {
        CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        CRect client;
        GetClientRect(client);
        if (message == WM_LBUTTONUP && client.PtInRect(point)) {
            // A release over a button chooses it.
            const CKGPToolbarButton* button = GetButton(HitTest(point));
            if (button != nullptr && (button->m_nBits & TBBS_DISABLED) == 0 && button->m_nCommand != 0 &&
                button->m_nCommand != static_cast<UINT>(-1)) {
                frame->ChooseButton(*button);
                return 0;
            }
        }
        if (message == WM_LBUTTONDOWN && !client.PtInRect(point)) {
            // A click outside closes the drop-down.
            frame->SendMessage(WM_CLOSE);
            return 0;
        }
    }
    return CKGPToolBar::WindowProc(message, wParam, lParam);
}

// ---- The button

CKGPDropDownToolbarButton::CKGPDropDownToolbarButton()
{
    m_bOfLockedBar = TRUE;
}

CKGPDropDownToolbarButton::CKGPDropDownToolbarButton(LPCTSTR lpszName, CKGPDropDownToolBar* pToolBar)
    : m_pToolBar(pToolBar), m_strName(lpszName != nullptr ? lpszName : _T(""))
{
    m_bOfLockedBar = TRUE;
    m_strCaption = m_strName;
    // The first button of the drop-down toolbar is the default.
    for (int i = 0; pToolBar != nullptr && i < pToolBar->GetCount(); ++i) {
        const CKGPToolbarButton* button = pToolBar->GetButton(i);
        if (!button->IsSeparator()) {
            SetDefaultCommand(button->m_nCommand);
            break;
        }
    }
}

CKGPDropDownToolbarButton::~CKGPDropDownToolbarButton()
{
    KillDelayTimer();
    if (m_pPopupMenu != nullptr && m_pPopupMenu->GetSafeHwnd() != nullptr)
        m_pPopupMenu->DestroyWindow();
}

void CKGPDropDownToolbarButton::KillDelayTimer()
{
    if (m_uiTimer == 0)
        return;
    ::KillTimer(nullptr, m_uiTimer);
    PendingButtons().erase(m_uiTimer);
    m_uiTimer = 0;
}

void CALLBACK CKGPDropDownToolbarButton::OnDelayTimer(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    const auto found = PendingButtons().find(idEvent);
    if (found == PendingButtons().end()) {
        ::KillTimer(nullptr, idEvent);
        return;
    }
    // The delay passed: the button is clicked again, which opens its drop-down.
    CKGPDropDownToolbarButton* button = found->second;
    button->HandleClick(button->m_pOwnerWnd, FALSE);
}

void CKGPDropDownToolbarButton::SetDefaultCommand(UINT uiCmd)
{
    m_nCommand = uiCmd;
    m_iSelectedImage = 0;
    m_bLocalUserButton = FALSE;
    if (m_pToolBar == nullptr)
        return;
    int position = 0;
    for (int i = 0; i < m_pToolBar->GetCount(); ++i) {
        const CKGPToolbarButton* button = m_pToolBar->GetButton(i);
        if (button->IsSeparator())
            continue;
        if (button->m_nCommand == uiCmd) {
            m_bLocalUserButton = button->m_bUserImage;
            m_iSelectedImage = button->m_bUserImage ? button->GetImage() : position;
            return;
        }
        ++position;
    }
}

void CKGPDropDownToolbarButton::Serialize(CArchive& ar)
{
    CKGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        const UINT barId = m_pToolBar != nullptr && m_pToolBar->GetSafeHwnd() != nullptr
                               ? static_cast<UINT>(m_pToolBar->GetDlgCtrlID())
                               : 0;
        ar << barId << m_strName << m_iSelectedImage;
        return;
    }
    CKGPStoredReader in(ar);
    const UINT barId = in.ReadUInt(0, 0xFFFF);
    const CString name = in.ReadString(kgp_stored::kMaxTextLength);
    const int image = in.ReadInt(-1, 0xFFFF);
    m_strName = name;
    m_iSelectedImage = image;
    // The drop-down toolbar is found among the live bars by its id.
    m_pToolBar = nullptr;
    const CObList& bars = CKGPToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr && barId != 0;) {
        auto* bar = DYNAMIC_DOWNCAST(CKGPDropDownToolBar, bars.GetNext(pos));
        if (bar != nullptr && bar->GetSafeHwnd() != nullptr && static_cast<UINT>(bar->GetDlgCtrlID()) == barId)
            m_pToolBar = bar;
    }
    SetDefaultCommand(m_nCommand);
}

void CKGPDropDownToolbarButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarButton::CopyButton(src);
    if (const auto* other = DYNAMIC_DOWNCAST(CKGPDropDownToolbarButton, const_cast<CKGPToolbarButton*>(&src))) {
        m_pToolBar = other->m_pToolBar;
        m_strName = other->m_strName;
        m_iSelectedImage = other->m_iSelectedImage;
        m_bLocalUserButton = other->m_bLocalUserButton;
    }
}

BOOL CKGPDropDownToolbarButton::FillCaptionFromCommand(CKGPToolbarButton* pButton)
{
    const BOOL exported = CKGPToolbarButton::FillCaptionFromCommand(pButton);
    auto* menuButton = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, pButton);
    if (!exported || menuButton == nullptr)
        return exported;
    if (m_pToolBar == nullptr)
        return FALSE;
    CMenuHandle menu(::CreatePopupMenu());
    if (!menu)
        return FALSE;
    for (int i = 0; i < m_pToolBar->GetCount(); ++i) {
        CKGPToolbarButton* button = m_pToolBar->GetButton(i);
        if (button->IsSeparator()) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (button->m_nCommand == 0 || button->m_nCommand == 0xFFFFFFFF)
            continue;
        CString text = button->m_strCaption;
        if (text.IsEmpty()) {
            CKGPToolbarButton named;  // takes the command's short name
            button->FillCaptionFromCommand(&named);
            text = named.m_strCaption;
        }
        ::AppendMenuW(menu.Get(), MF_STRING, button->m_nCommand, text);
    }
    menuButton->m_nCommand = 0;
    menuButton->m_strCaption = m_strName;
    menuButton->m_bUserImage = FALSE;
    menuButton->SetImage(-1);
    menuButton->m_bShowImage = FALSE;
    menuButton->CreateFromMenu(menu.Get());
    return TRUE;
}

void CKGPDropDownToolbarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    // Moved to another bar it shows its image only.
    if (m_pOwnerWnd != nullptr && pWndParent != m_pOwnerWnd) {
        m_strCaption.Empty();
        m_bShowCaption = FALSE;
        m_bUserImage = FALSE;
    }
    CKGPToolbarButton::OnChangeParentWnd(pWndParent);
}

void CKGPDropDownToolbarButton::SetImage(int iImage)
{
    CKGPToolbarButton::SetImage(iImage);
    if (m_pToolBar != nullptr) {
        m_bShowImage = TRUE;
        m_bShowCaption = FALSE;
    }
}

SIZE CKGPDropDownToolbarButton::MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_nCommand == 0 && m_pToolBar != nullptr && m_pToolBar->GetCount() > 0)
        SetDefaultCommand(m_pToolBar->GetButton(0)->m_nCommand);
    // With its drop-down toolbar it shows that toolbar's image alone: a
    // button's room for an image, whatever its own image index (none).
    CSize size = m_pToolBar != nullptr ? (m_bShown ? sizeDefault : CSize(0, 0))
                                       : CSize(CKGPToolbarButton::MeasureOnBar(pDC, sizeDefault, bHorz));
    if (size.cx > 0)
        size.cx += kgp::DropDownArrowWidth(CKGPToolBar::s_bLargeIconMode != FALSE);
    return size;
}

void CKGPDropDownToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons)
{
    if (m_pToolBar == nullptr) {
        CKGPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
        return;
    }
    m_bInternalDraw = TRUE;
    FillInterior(pDC, rect, bHighlight);
    const BOOL large = CKGPToolBar::s_bLargeIconMode;
    CRect imageArea = rect;
    imageArea.right -= large ? 8 : 4;
    FollowImageColour();
    if (CKGPToolBarImages* images = CurrentImageStrip(); images != nullptr && images->BeginDrawImage()) {
        const CSize size = images->GetImageSize();
        images->DrawImage(pDC, imageArea.left + (imageArea.Width() - size.cx) / 2,
                          imageArea.top + (imageArea.Height() - size.cy) / 2, m_iSelectedImage, FALSE,
                          (m_nBits & TBBS_DISABLED) != 0);
        images->EndDrawImage();
    }
    const BOOL pressed = (m_nBits & TBBS_PRESSED) != 0;
    const auto corners = kgp::DropDownTriangle(BoxOf(rect), large != FALSE, pressed != FALSE);
    POINT points[3];
    for (size_t i = 0; i < corners.size(); ++i)
        points[i] = POINT{corners[i].x, corners[i].y};
    const CSelectionScope pen(pDC->GetSafeHdc(), ::GetStockObject(NULL_PEN));
    const CSelectionScope brush(pDC->GetSafeHdc(), ::GetSysColorBrush(COLOR_BTNTEXT));
    ::Polygon(pDC->GetSafeHdc(), points, 3);
    if (bDrawBorder && (bHighlight || pressed))
        CKGPVisualManager::GetInstance()->DrawButtonBorder(pDC, this, rect, pressed ? 1 : 2);
    m_bInternalDraw = FALSE;
}

BOOL CKGPDropDownToolbarButton::HandleClick(CWnd* /*pWnd*/, BOOL /*bDelay*/)
{
    if (m_uiTimer != 0) {
        // Clicked again before the delay passed: no more waiting.
        KillDelayTimer();
        if (m_pPopupMenu != nullptr)
            CloseDropDown();
        else
            OpenDropDown();
        return TRUE;
    }
    if (m_pPopupMenu != nullptr) {
        CloseDropDown();
        return TRUE;
    }
    if (m_pToolBar == nullptr)
        return FALSE;
    m_uiTimer = ::SetTimer(nullptr, 0, static_cast<UINT>(MenuDelay()), &OnDelayTimer);
    if (m_uiTimer != 0)
        PendingButtons()[m_uiTimer] = this;
    return FALSE;  // the bar keeps the press: a plain click sends the default command
}

BOOL CKGPDropDownToolbarButton::IsDropDown() const
{
    return !m_bInternalDraw && m_pOwnerWnd != nullptr && m_pOwnerWnd->IsKindOf(RUNTIME_CLASS(CKGPToolBar));
}

BOOL CKGPDropDownToolbarButton::SetupCustomizeMenu(CMenu* pMenu)
{
    auto* bar = DYNAMIC_DOWNCAST(CKGPToolBar, m_pOwnerWnd);
    if (pMenu == nullptr || bar == nullptr)
        return FALSE;
    bar->SetCustomizeMenuStates(this, pMenu);
    for (const UINT command : {16911u, 16913u, 16914u, 16915u, 16916u})
        pMenu->EnableMenuItem(command, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}

CKGPToolBarImages* CKGPDropDownToolbarButton::CurrentImageStrip() const
{
    if (m_bLocalUserButton && CKGPToolBarShared::s_pUserImageStrip != nullptr)
        return CKGPToolBarShared::s_pUserImageStrip;
    return m_pToolBar != nullptr ? const_cast<CKGPToolBarImages*>(&m_pToolBar->GetImages()) : nullptr;
}

void CKGPDropDownToolbarButton::FollowImageColour()
{
    const COLORREF face = GetKGPGlobalData().clrBtnFace;
    if (face == m_clrImagesDrawnOn)
        return;
    m_clrImagesDrawnOn = face;
    CKGPToolBarImages* strips[] = {m_pToolBar != nullptr ? const_cast<CKGPToolBarImages*>(&m_pToolBar->GetImages())
                                                         : nullptr,
                                   CKGPToolBarShared::s_pUserImageStrip};
    for (CKGPToolBarImages* strip : strips) {
        if (strip != nullptr) {
            strip->RebuildDerivedImage(CKGPToolBarImages::kLightImage);
            strip->RebuildDerivedImage(CKGPToolBarImages::kShadowImage);
        }
    }
}

void CKGPDropDownToolbarButton::CancelState()
{
    KillDelayTimer();
}

BOOL CKGPDropDownToolbarButton::OpenDropDown()
{
    auto* sourceBar = DYNAMIC_DOWNCAST(CKGPToolBar, m_pOwnerWnd);
    if (m_pToolBar == nullptr || m_pPopupMenu != nullptr || sourceBar == nullptr || sourceBar->GetSafeHwnd() == nullptr)
        return FALSE;
    CRect button = m_rcButton;
    sourceBar->ClientToScreen(button);
    const kgp::Point2D corner = kgp::DropDownCorner(BoxOf(button), sourceBar->IsHorizontal() != FALSE);
    // The frame deletes itself with its window (a refused creation included).
    m_pPopupMenu = AfxCreateSelfDeleting(new CKGPDropDownFrame, [&](CKGPDropDownFrame& frame) {
        m_pPopupMenu = &frame;
        return frame.Create(sourceBar, this, CPoint(corner.x, corner.y));
    });
    return m_pPopupMenu != nullptr;
}

void CKGPDropDownToolbarButton::CloseDropDown()
{
    if (m_pPopupMenu != nullptr && m_pPopupMenu->GetSafeHwnd() != nullptr)
        m_pPopupMenu->DestroyWindow();
    m_pPopupMenu = nullptr;
}

// ---- The frame

CKGPDropDownFrame::~CKGPDropDownFrame()
{
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.DestroyWindow();
}

BOOL CKGPDropDownFrame::Create(CKGPToolBar* pSourceBar, CKGPDropDownToolbarButton* pButton, CPoint ptCorner)
{
    static const CString className = RegisterLibraryWindowClass(
        _T("KGPDropDownFrame"), CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW), nullptr);
    m_pSourceBar = pSourceBar;
    m_pParentBtn = pButton;
    m_ptCorner = ptCorner;
    CWnd* owner = pSourceBar->GetOwner() != nullptr ? pSourceBar->GetOwner() : pSourceBar->GetParent();
    if (IKGPMenuBarsLink* menus = KGPMenuButtonLinks::Bars())
        menus->PlayMenuSound(2);  // as a popup menu opens
    // A failed window takes the frame along (PostNcDestroy): nothing of it
    // may be touched then.
    if (!CWnd::CreateEx(WS_EX_TOOLWINDOW, className, _T(""), WS_POPUP, ptCorner.x, ptCorner.y, 10, 10,
                        CWnd::HwndOf(owner), nullptr))
        return FALSE;
    OnCreateToolBar();
    ShowWindow(SW_SHOWNOACTIVATE);
    m_wndToolBar.SetCapture();
    return TRUE;
}

void CKGPDropDownFrame::OnCreateToolBar()
{
    CKGPDropDownToolBar* source = m_pParentBtn->GetDropDownToolBar();
    const BOOL horz = m_pSourceBar->IsHorizontal();
    m_wndToolBar.CopyImagesFrom(*source);
    // The bar stands as the source bar does, so that it lays its buttons out
    // as the frame is sized for them (the sides' bits name the orientation).
    m_wndToolBar.CreateBarEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | (horz ? CBRS_ORIENT_HORZ : CBRS_ORIENT_VERT),
                             CRect(1, 1, 1, 1), kDropDownBarId);
    // Copies of the drop-down toolbar's buttons: the frame's bar owns them.
    for (int i = 0; i < source->GetCount(); ++i)
        m_wndToolBar.InsertButtonCopy(*source->GetButton(i));
    m_wndToolBar.SetOwner(m_pSourceBar->GetOwner());
    const CSize bar = m_wndToolBar.CalcFixedLayout(FALSE, horz);
    const CSize size(bar.cx + 6, bar.cy + 6);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(m_ptCorner, MONITOR_DEFAULTTONEAREST), &monitor);
    CRect sourceRect;
    m_pSourceBar->GetWindowRect(sourceRect);
    kgp::DropDownPlaceInput in;
    in.x = m_ptCorner.x;
    in.y = m_ptCorner.y;
    in.width = size.cx;
    in.height = size.cy;
    in.work = kgp::Box{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
    in.verticalBar = !horz;
    in.barLeft = sourceRect.left;
    in.fromButton = TRUE;
    in.buttonHeight = m_pParentBtn->m_rcButton.Height();
    const kgp::Point2D at = kgp::PlaceDropDownFrame(in);
    SetWindowPos(&CWnd::wndTopMost, at.x, at.y, size.cx, size.cy, SWP_NOACTIVATE);
    ::SetWindowPos(m_wndToolBar.GetSafeHwnd(), nullptr, 2, 2, size.cx - 4, size.cy - 4, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndToolBar.AdjustLocations();
}

void CKGPDropDownFrame::ChooseButton(const CKGPToolbarButton& button)
{
    const UINT command = button.m_nCommand;
    CKGPToolBar* source = m_pSourceBar;
    if (m_pParentBtn != nullptr) {
        m_pParentBtn->SetDefaultCommand(command);
        if (source != nullptr && source->GetSafeHwnd() != nullptr)
            source->InvalidateButton(source->ButtonToIndex(m_pParentBtn));
    }
    if (source != nullptr && source->GetSafeHwnd() != nullptr) {
        if (CWnd* target = source->CommandTarget())
            target->PostMessage(WM_COMMAND, command);
    }
    DestroyWindow();
}

LRESULT CKGPDropDownFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        CRect client;
        GetClientRect(client);
        dc->FillSolidRect(client, GetKGPGlobalData().clrBtnFace);
        // A double three-dimensional border.
        dc->Draw3dRect(client, GetKGPGlobalData().clrBtnLight, GetKGPGlobalData().clrBtnDkShadow);
        client.DeflateRect(1, 1);
        dc->Draw3dRect(client, GetKGPGlobalData().clrBtnHilite, GetKGPGlobalData().clrBtnShadow);
        return TRUE;
    }
    case WM_ACTIVATEAPP:
        if (wParam == FALSE && !CKGPToolBar::IsCustomizeMode())
            PostMessage(WM_CLOSE);
        break;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_DESTROY:
        if (::GetCapture() == m_wndToolBar.GetSafeHwnd())
            ::ReleaseCapture();
        if (m_pParentBtn != nullptr) {
            m_pParentBtn->OnFrameGone();
            m_pParentBtn->m_nBits &= ~TBBS_PRESSED;
        }
        if (m_pSourceBar != nullptr && m_pSourceBar->GetSafeHwnd() != nullptr)
            m_pSourceBar->SendMessage(WM_CANCELMODE);
        break;
    default:
        break;
    }
    return CMiniFrameWnd::WindowProc(message, wParam, lParam);
}

void CKGPDropDownFrame::PostNcDestroy()
{
    delete this;
}
