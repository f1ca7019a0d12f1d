#include "guilib/toolbars/KGPToolbarEditBoxButton.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarControlSupport.h"
#include "guilib/toolbars/KGPToolbarEditCtrl.h"

#include <afxarch.h>

#include <algorithm>

IMPLEMENT_SERIAL(CKGPToolbarEditBoxButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr DWORD kEditWindowStyle = WS_CHILD | WS_VISIBLE;
constexpr int kDefaultWidth = 150;
constexpr DWORD kStoredStyleBits = WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_BORDER | WS_GROUP | 0xFFFF;

} // namespace

CKGPToolbarEditBoxButton::CKGPToolbarEditBoxButton() = default;

CKGPToolbarEditBoxButton::CKGPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKGPToolbarButton(uiID, iImage), m_dwStyle(dwStyle | kEditWindowStyle),
      m_iWidth(iWidth == 0 ? kDefaultWidth : iWidth)
{
}

CKGPToolbarEditBoxButton::~CKGPToolbarEditBoxButton()
{
    if (HasEdit())
        m_pWndEdit->DestroyWindow();
}

BOOL CKGPToolbarEditBoxButton::HasEdit() const
{
    return m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr;
}

HWND CKGPToolbarEditBoxButton::ControlWindow() const
{
    return m_pWndEdit != nullptr ? m_pWndEdit->GetSafeHwnd() : nullptr;
}

CKGPToolbarEditCtrl* CKGPToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect)
{
    auto edit = std::make_unique<CKGPToolbarEditCtrl>(*this);
    if (!edit->Create(m_dwStyle, rect, pWndParent, m_nCommand))
        return nullptr;
    if (m_bCalculatorMode)
        edit->EnableCalculatorMode();
    return edit.release();
}

void CKGPToolbarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKGPToolbarButton::OnChangeParentWnd(pWndParent);
    if (HasEdit() && pWndParent != nullptr && m_pWndEdit->GetParent() == pWndParent)
        return;
    if (HasEdit()) {
        m_pWndEdit->GetWindowText(m_strContents);
        m_pWndEdit->DestroyWindow();
    }
    m_pWndEdit.reset();
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;

    CRect rect = m_rcButton;
    rect.DeflateRect(3, 1, 3, 0);
    rect.bottom = rect.top + GetKGPGlobalData().m_nEditHeight;
    m_pWndEdit.reset(CreateEdit(pWndParent, rect));
    if (m_pWndEdit == nullptr)
        return;
    OnRectChanged();
    m_pWndEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetKGPGlobalData().GetDefaultGuiFont()), TRUE);
    SetStyle(m_nBits);
    CString shown;
    m_pWndEdit->GetWindowText(shown);
    if (shown.IsEmpty()) {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    } else {
        m_strContents = shown;
    }
}

BOOL CKGPToolbarEditBoxButton::GetEditBorder(CRect& rectBorder) const
{
    if (!HasEdit())
        return FALSE;
    m_pWndEdit->GetWindowRect(rectBorder);
    if (CWnd* parent = m_pWndEdit->GetParent())
        parent->ScreenToClient(rectBorder);
    rectBorder.InflateRect(1, 1);
    return TRUE;
}

void CKGPToolbarEditBoxButton::OnRectChanged()
{
    if (!HasEdit())
        return;
    CRect rect = m_rcButton;
    rect.DeflateRect(3, 0);
    if (m_bCaptionBelow && m_bHorz && !m_strCaption.IsEmpty())
        rect.bottom -= m_sizeCaption.cy;
    CRect window;
    m_pWndEdit->GetWindowRect(window);
    const int height = window.Height();
    const int top = rect.top + std::max(0, (rect.Height() - height) / 2);
    m_pWndEdit->SetWindowPos(&CWnd::wndTop, rect.left, top, rect.Width(), height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPToolbarEditBoxButton::ApplyWidth(int nWidth)
{
    m_iWidth = nWidth;
    m_rcButton.right = m_rcButton.left + nWidth;
    OnRectChanged();
}

void CKGPToolbarEditBoxButton::ShowEdit(BOOL bShow)
{
    if (HasEdit())
        m_pWndEdit->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CKGPToolbarEditBoxButton::OnOverflowChanged(BOOL bOverflowed)
{
    if (!bOverflowed && m_bHorz) {
        OnRectChanged();
        ShowEdit(TRUE);
    } else {
        ShowEdit(FALSE);
    }
}

SIZE CKGPToolbarEditBoxButton::MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorz = bHorz;
    if (!m_bShown) {
        ShowEdit(FALSE);
        return CSize(0, 0);
    }
    if (!bHorz) {
        ShowEdit(FALSE);
        return CKGPToolbarButton::MeasureOnBar(pDC, sizeDefault, bHorz);
    }
    ShowEdit(!m_bOverflowed);
    const int label =
        m_bCaptionBelow ? KGPToolbarControls::LabelHeight(pDC, m_strCaption, m_iWidth, sizeDefault.cy) : 0;
    m_sizeCaption = CSize(m_iWidth, label);
    return CSize(m_iWidth, sizeDefault.cy + m_sizeCaption.cy);
}

BOOL CKGPToolbarEditBoxButton::WantsBorder() const
{
    return !HasEdit() || !m_pWndEdit->IsWindowVisible();
}

void CKGPToolbarEditBoxButton::RepaintRect(CRect& rect) const
{
    rect = m_rcButton;
    CRect border;
    if (!m_bCaptionBelow || !m_bHorz || m_strCaption.IsEmpty() || !GetEditBorder(border))
        return;
    const int width = std::min<int>(m_sizeCaption.cx, m_rcButton.Width());
    const int left = m_rcButton.left + (m_rcButton.Width() - width) / 2;
    rect = CRect(left, border.bottom, left + width, m_rcButton.bottom);
}

BOOL CKGPToolbarEditBoxButton::HandleClick(CWnd*, BOOL)
{
    return HasEdit() && m_pWndEdit->IsWindowVisible();
}

void CKGPToolbarEditBoxButton::SetStyle(UINT nStyle)
{
    m_nBits = nStyle;
    if (!HasEdit())
        return;
    const BOOL enable = CKGPToolBarShared::s_bCustomizing ? IsSelectable() : (nStyle & TBBS_DISABLED) == 0;
    m_pWndEdit->EnableWindow(enable);
    m_pWndEdit->RedrawWindow(nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME);
}

void CKGPToolbarEditBoxButton::OnGlobalFontsChanged()
{
    if (HasEdit())
        m_pWndEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetKGPGlobalData().GetDefaultGuiFont()), TRUE);
}

HBRUSH CKGPToolbarEditBoxButton::ControlBrush(CDC* pDC, UINT)
{
    return KGPToolbarControls::WindowColours(pDC);
}

void CKGPToolbarEditBoxButton::SetHot(BOOL bHot)
{
    if (m_bIsHotEdit == bHot)
        return;
    m_bIsHotEdit = bHot;
    CRect border;
    if (m_pOwnerWnd != nullptr && m_pOwnerWnd->GetSafeHwnd() != nullptr && GetEditBorder(border)) {
        border.InflateRect(1, 1);
        m_pOwnerWnd->InvalidateRect(border);
        m_pOwnerWnd->UpdateWindow();
    }
}

BOOL CKGPToolbarEditBoxButton::OnUpdateToolTip(CWnd*, int, CToolTipCtrl& wndToolTip, CString& str)
{
    if (!m_bHorz || !HasEdit())
        return FALSE;
    const CString tip = KGPToolbarControls::CommandTip(m_nCommand);
    if (!tip.IsEmpty())
        str = tip;
    wndToolTip.AddTool(m_pWndEdit.get(), str);
    return TRUE;
}

// ---- Text and twins ----

void CKGPToolbarEditBoxButton::SetContents(const CString& strContents)
{
    if (strContents == m_strContents)
        return;
    m_strContents = strContents;
    if (HasEdit()) {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(strContents);
        m_bChangingText = FALSE;
    }
}

BOOL CKGPToolbarEditBoxButton::NotifyCommand(int iNotifyCode)
{
    if (!HasEdit() || iNotifyCode != EN_UPDATE)
        return FALSE;
    CString text;
    m_pWndEdit->GetWindowText(text);
    m_strContents = text;
    CObList buttons;
    CKGPToolBar::GetCommandButtons(m_nCommand, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* twin = DYNAMIC_DOWNCAST(CKGPToolbarEditBoxButton, buttons.GetNext(pos));
        if (twin != nullptr && twin != this)
            twin->SetContents(text);
    }
    return !m_bChangingText;
}

BOOL CKGPToolbarEditBoxButton::CopyFromSameCommand()
{
    return KGPToolbarControls::CopyFromFirstOfCommand(*this);
}

// ---- Copies and stored form ----

void CKGPToolbarEditBoxButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarButton::CopyButton(src);
    const auto* edit = DYNAMIC_DOWNCAST(CKGPToolbarEditBoxButton, const_cast<CKGPToolbarButton*>(&src));
    if (edit == nullptr || edit == this)
        return;
    m_dwStyle = edit->m_dwStyle;
    m_iWidth = edit->m_iWidth;
    m_strContents = edit->m_strContents;
    m_uiMenuResID = edit->m_uiMenuResID;
    m_bCalculatorMode = edit->m_bCalculatorMode;
}

void CKGPToolbarEditBoxButton::Serialize(CArchive& ar)
{
    CKGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        // The edit's text when it has one; a button without a window keeps
        // the text it holds.
        CString text = m_strContents;
        if (HasEdit())
            m_pWndEdit->GetWindowText(text);
        ar << m_iWidth << m_dwStyle << text << m_uiMenuResID << m_bCalculatorMode;
        return;
    }
    // Read whole, then taken. Every field written is read, whatever the
    // version: the fields after this button stay in place.
    CKGPStoredReader in(ar);
    const int width = in.ReadInt(0, kgp_stored::kMaxCoordinate);
    const DWORD style = in.ReadFlags(kStoredStyleBits);
    const CString text = in.ReadString(kgp_stored::kMaxTextLength);
    const UINT menuId = in.ReadUInt(0, 0xFFFF);
    const BOOL calculator = in.ReadBool();

    m_iWidth = width;
    m_dwStyle = style;
    m_uiMenuResID = menuId;
    m_bCalculatorMode = calculator;
    m_rcButton.right = m_rcButton.left + width;
    SetContents(text);
}

// ---- Drawing ----

void CKGPToolbarEditBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons)
{
    CRect border;
    if (!bHorz || !GetEditBorder(border) || !m_pWndEdit->IsWindowVisible()) {
        CKGPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
        return;
    }
    const CKGPGlobalData& global = GetKGPGlobalData();
    const BOOL hot = (m_bIsHotEdit || bHighlight) && !bCustomizeMode;
    pDC->Draw3dRect(border, hot ? global.clrBtnDkShadow : global.clrBtnShadow,
                    hot ? global.clrBtnDkShadow : global.clrBtnShadow);
    if (m_bCaptionBelow && !m_strCaption.IsEmpty()) {
        CRect rectLabel(rect.left, border.bottom, rect.right, rect.bottom);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(CKGPVisualManager::GetInstance()->GetButtonTextColor(this, KGP_BUTTON_NORMAL));
        pDC->DrawText(m_strCaption, rectLabel, DT_WORDBREAK | DT_CENTER);
    }
}

int CKGPToolbarEditBoxButton::DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const int width = CKGPToolbarButton::DrawInCommandList(pDC, rect, bSelected);
    KGPToolbarControls::DrawMockControl(pDC, rect, width, FALSE);
    return width;
}
