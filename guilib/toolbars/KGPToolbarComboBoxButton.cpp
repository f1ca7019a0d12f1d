#include "guilib/toolbars/KGPToolbarComboBoxButton.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/toolbars/KGPButtonRules.h"
#include "guilib/toolbars/KGPComboEdit.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarControlSupport.h"

#include <afxarch.h>

#include <algorithm>

IMPLEMENT_SERIAL(CKGPToolbarComboBoxButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)

BOOL CKGPToolbarComboBoxButton::s_bFlat = TRUE;

namespace {

constexpr DWORD kComboWindowStyle = 0x50200000;
constexpr int kDefaultWidth = 150;
constexpr DWORD kOverlayStyle = 0x50001080;
// Style bits a stored combo may carry: the window bits of a child control
// and the combo's own.
constexpr DWORD kStoredStyleBits = WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                                   WS_BORDER | WS_GROUP | 0xFFFF;

BOOL ArchiveHasMenuId()
{
    return kgp::ComboArchiveHasMenuId(GetWorkspace() != nullptr, GetWorkspaceDataVersion());
}

CRect ToRect(const kgp::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

kgp::Box ToBox(const CRect& rect)
{
    return kgp::Box{rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

CKGPToolbarComboBoxButton::CKGPToolbarComboBoxButton() = default;

CKGPToolbarComboBoxButton::CKGPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKGPToolbarButton(uiID, iImage), m_dwStyle(dwStyle | kComboWindowStyle),
      m_iWidth(iWidth == 0 ? kDefaultWidth : iWidth)
{
}

CKGPToolbarComboBoxButton::~CKGPToolbarComboBoxButton()
{
    DestroyControls();
}

void CKGPToolbarComboBoxButton::DestroyControls()
{
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->DestroyWindow();
    m_pWndEdit.reset();
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->DestroyWindow();
    m_pWndCombo.reset();
}

template <class Action>
void CKGPToolbarComboBoxButton::ForEachTwin(Action action)
{
    CObList buttons;
    CKGPToolBar::GetCommandButtons(m_nCommand, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* twin = DYNAMIC_DOWNCAST(CKGPToolbarComboBoxButton, buttons.GetNext(pos));
        if (twin != nullptr && twin != this)
            action(*twin);
    }
}

// ---- Items ----

int CKGPToolbarComboBoxButton::FindItem(LPCTSTR lpszText) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].text.CompareNoCase(lpszText) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

LPCTSTR CKGPToolbarComboBoxButton::GetItem(int iIndex) const
{
    return iIndex >= 0 && iIndex < GetCount() ? m_items[static_cast<size_t>(iIndex)].text.GetString() : nullptr;
}

DWORD_PTR CKGPToolbarComboBoxButton::GetItemData(int iIndex) const
{
    return iIndex >= 0 && iIndex < GetCount() ? m_items[static_cast<size_t>(iIndex)].data : 0;
}

int CKGPToolbarComboBoxButton::Compare(LPCTSTR lpszItem1, LPCTSTR lpszItem2)
{
    const int order = wcscmp(lpszItem1, lpszItem2);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

INT_PTR CKGPToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD_PTR dwData)
{
    if (FindItem(lpszItem) < 0) {
        m_items.push_back(Item{lpszItem, dwData});
        if (m_strEdit.IsEmpty()) {
            m_strEdit = lpszItem;
            if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
                m_pWndEdit->SetWindowText(m_strEdit);
        }
    }
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr) {
        int index = m_pWndCombo->FindStringExact(-1, lpszItem);
        if (index == CB_ERR)
            index = m_pWndCombo->AddString(lpszItem);
        m_pWndCombo->SetCurSel(index);
        m_pWndCombo->SetItemData(index, dwData);
        m_pWndCombo->SetEditSel(-1, 0);
    }
    return GetCount() - 1;
}

INT_PTR CKGPToolbarComboBoxButton::AddSortedItem(LPCTSTR lpszItem, DWORD_PTR dwData)
{
    if (FindItem(lpszItem) >= 0)
        return AddItem(lpszItem, dwData);
    std::vector<CString> texts;
    for (const Item& item : m_items)
        texts.push_back(item.text);
    const int index = kgp::SortedInsertIndex(
        texts, std::wstring(lpszItem),
        [this](const std::wstring& text, const CString& item) { return Compare(text.c_str(), item); });
    if (index >= GetCount())
        return AddItem(lpszItem, dwData);
    m_items.insert(m_items.begin() + index, Item{lpszItem, dwData});
    if (m_strEdit.IsEmpty()) {
        m_strEdit = lpszItem;
        if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
            m_pWndEdit->SetWindowText(m_strEdit);
    }
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr) {
        const int inserted = m_pWndCombo->InsertString(index, lpszItem);
        m_pWndCombo->SetCurSel(inserted);
        m_pWndCombo->SetItemData(inserted, dwData);
        m_pWndCombo->SetEditSel(-1, 0);
    }
    return index;
}

void CKGPToolbarComboBoxButton::RemoveAllItems()
{
    OnBeforeClearItems();
    m_items.clear();
    m_iSelIndex = -1;
    m_strEdit.Empty();
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->ResetContent();
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->SetWindowText(L"");
}

BOOL CKGPToolbarComboBoxButton::SelectItem(int iIndex, BOOL bNotify)
{
    if (iIndex >= GetCount())
        return FALSE;
    iIndex = std::max(iIndex, -1);
    m_iSelIndex = iIndex;
    if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr)
        return TRUE;

    m_strEdit = iIndex < 0 ? CString() : m_items[static_cast<size_t>(iIndex)].text;
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr) {
        CString shown;
        m_pWndEdit->GetWindowText(shown);
        if (shown != m_strEdit)
            m_pWndEdit->SetWindowText(m_strEdit);
    }
    if (m_pWndCombo->GetCurSel() == iIndex)
        return TRUE;
    if (m_pWndCombo->SetCurSel(iIndex) == CB_ERR && iIndex != -1)
        return FALSE;
    if (bNotify)
        NotifyCommand(CBN_SELENDOK);
    return TRUE;
}

BOOL CKGPToolbarComboBoxButton::SelectItem(DWORD_PTR dwData)
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].data == dwData)
            return SelectItem(static_cast<int>(i));
    }
    return FALSE;
}

void CKGPToolbarComboBoxButton::SetText(LPCTSTR lpszText)
{
    m_strEdit = lpszText;
    const int found = FindItem(lpszText);
    if (found >= 0) {
        SelectItem(found, FALSE);
        return;
    }
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->SetWindowText(lpszText);
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->SetWindowText(lpszText);
}

void CKGPToolbarComboBoxButton::ReadItemsFromCombo()
{
    OnBeforeClearItems();
    m_items.clear();
    const int count = m_pWndCombo->GetCount();
    for (int i = 0; i < count; ++i) {
        Item item;
        m_pWndCombo->GetLBText(i, item.text);
        item.data = m_pWndCombo->GetItemData(i);
        m_items.push_back(item);
    }
    OnAfterFillItems();
}

// ---- Windows ----

CComboBox* CKGPToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    auto combo = std::make_unique<CComboBox>();
    const DWORD style = s_bFlat ? (m_dwStyle & ~WS_VISIBLE) : m_dwStyle;
    if (!combo->Create(style, rect, pWndParent, m_nCommand))
        return nullptr;
    return combo.release();
}

CKGPComboEdit* CKGPToolbarComboBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect, DWORD dwEditStyle)
{
    auto edit = std::make_unique<CKGPComboEdit>(*this);
    if (!edit->Create(dwEditStyle, rect, pWndParent, m_nCommand))
        return nullptr;
    return edit.release();
}

CEdit* CKGPToolbarComboBoxButton::GetEditCtrl()
{
    return m_pWndEdit.get();
}

HWND CKGPToolbarComboBoxButton::ControlWindow() const
{
    return m_pWndCombo != nullptr ? m_pWndCombo->GetSafeHwnd() : nullptr;
}

void CKGPToolbarComboBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKGPToolbarButton::OnChangeParentWnd(pWndParent);
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr && pWndParent != nullptr &&
        m_pWndCombo->GetParent() == pWndParent)
        return;
    DestroyControls();
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;

    CRect rect = m_rcButton;
    rect.DeflateRect(2, 0);
    rect.bottom = rect.top + m_nDropDownHeight;
    m_pWndCombo.reset(CreateCombo(pWndParent, rect));
    if (m_pWndCombo == nullptr)
        return;
    const HFONT font = GetKGPGlobalData().GetDefaultGuiFont();
    if (s_bFlat && IsEditable()) {
        const DWORD editStyle = kOverlayStyle | (m_dwStyle & WS_TABSTOP);
        m_pWndEdit.reset(CreateEdit(pWndParent, rect, editStyle));
        if (m_pWndEdit != nullptr) {
            m_pWndEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            m_pWndEdit->SetOwner(pWndParent->GetOwner());
        }
    }
    SetStyle(m_nBits);
    OnRectChanged();
    m_pWndCombo->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);

    if (m_pWndCombo->GetCount() > 0) {
        ReadItemsFromCombo();
        m_iSelIndex = m_pWndCombo->GetCurSel();
    } else {
        m_pWndCombo->ResetContent();
        for (const Item& item : m_items) {
            const int index = m_pWndCombo->AddString(item.text);
            m_pWndCombo->SetItemData(index, item.data);
        }
        m_pWndCombo->SetCurSel(m_iSelIndex);
    }
    if (m_iSelIndex >= 0 && m_iSelIndex < GetCount()) {
        m_strEdit = m_items[static_cast<size_t>(m_iSelIndex)].text;
        m_pWndCombo->SetWindowText(m_strEdit);
    }
    if (m_pWndEdit != nullptr)
        m_pWndEdit->SetWindowText(m_strEdit);
}

void CKGPToolbarComboBoxButton::OnRectChanged()
{
    if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr)
        return;
    m_pWndCombo->SetWindowPos(&CWnd::wndTop, m_rcButton.left + 1, m_rcButton.top, m_iWidth - 2, m_nDropDownHeight,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndCombo->SetEditSel(-1, 0);
    CRect combo;
    m_pWndCombo->GetWindowRect(combo);
    if (CWnd* parent = m_pWndCombo->GetParent())
        parent->ScreenToClient(combo);

    const BOOL captionBelow = m_bCaptionBelow && m_bHorz && !m_strCaption.IsEmpty();
    const kgp::ComboLayout layout =
        kgp::LayOutCombo(ToBox(combo), ToBox(m_rcButton), CKGPMenuGlyphs::GetWidth(), captionBelow != FALSE);
    m_rectCombo = combo;
    m_rectButton = ToRect(layout.dropButton);
    m_rcButton = ToRect(layout.button);
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr) {
        const CRect edit = ToRect(layout.edit);
        m_pWndEdit->SetWindowPos(&CWnd::wndTop, edit.left, edit.top, edit.Width(), edit.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKGPToolbarComboBoxButton::ApplyWidth(int nWidth)
{
    m_iWidth = nWidth;
    m_rcButton.right = m_rcButton.left + nWidth;
    OnRectChanged();
}

void CKGPToolbarComboBoxButton::ShowControls(BOOL bShow)
{
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->ShowWindow(bShow && !s_bFlat ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

BOOL CKGPToolbarComboBoxButton::IsControlVisible() const
{
    return (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr && m_pWndCombo->IsWindowVisible()) ||
           (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr && m_pWndEdit->IsWindowVisible());
}

void CKGPToolbarComboBoxButton::OnOverflowChanged(BOOL bOverflowed)
{
    if (!bOverflowed && m_bHorz) {
        OnRectChanged();
        ShowControls(TRUE);
    } else {
        ShowControls(FALSE);
    }
}

SIZE CKGPToolbarComboBoxButton::MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorz = bHorz;
    if (!m_bShown) {
        ShowControls(FALSE);
        return CSize(0, 0);
    }
    if (!bHorz) {
        ShowControls(FALSE);
        return CKGPToolbarButton::MeasureOnBar(pDC, sizeDefault, bHorz);
    }
    ShowControls(!m_bOverflowed);
    const int labelHeight =
        m_bCaptionBelow ? KGPToolbarControls::LabelHeight(pDC, m_strCaption, m_iWidth, sizeDefault.cy) : 0;
    int height = sizeDefault.cy;
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr) {
        CRect combo;
        m_pWndCombo->GetWindowRect(combo);
        height = combo.Height();
    }
    return CSize(m_iWidth, height + labelHeight);
}

void CKGPToolbarComboBoxButton::EnableControl(BOOL bEnable)
{
    if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
        m_pWndCombo->EnableWindow(bEnable);
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->EnableWindow(bEnable);
}

void CKGPToolbarComboBoxButton::SetStyle(UINT nStyle)
{
    m_nBits = nStyle;
    const BOOL enable = CKGPToolBarShared::s_bCustomizing ? IsSelectable() : (nStyle & TBBS_DISABLED) == 0;
    EnableControl(enable);
    for (CWnd* control : {static_cast<CWnd*>(m_pWndCombo.get()), static_cast<CWnd*>(m_pWndEdit.get())}) {
        if (control != nullptr && control->GetSafeHwnd() != nullptr)
            control->RedrawWindow(nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME);
    }
}

BOOL CKGPToolbarComboBoxButton::OwnsWindow(HWND hWnd) const
{
    if (hWnd == nullptr)
        return FALSE;
    for (const CWnd* control : {static_cast<const CWnd*>(m_pWndCombo.get()),
                                static_cast<const CWnd*>(m_pWndEdit.get())}) {
        const HWND own = control != nullptr ? control->GetSafeHwnd() : nullptr;
        if (own != nullptr && (hWnd == own || ::IsChild(own, hWnd)))
            return TRUE;
    }
    return FALSE;
}

BOOL CKGPToolbarComboBoxButton::HasFocus() const
{
    if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr)
        return FALSE;
    const HWND focus = ::GetFocus();
    return OwnsWindow(focus) || m_pWndCombo->GetDroppedState();
}

void CKGPToolbarComboBoxButton::OnGlobalFontsChanged()
{
    const WPARAM font = reinterpret_cast<WPARAM>(GetKGPGlobalData().GetDefaultGuiFont());
    for (CWnd* control : {static_cast<CWnd*>(m_pWndEdit.get()), static_cast<CWnd*>(m_pWndCombo.get())}) {
        if (control != nullptr && control->GetSafeHwnd() != nullptr)
            control->SendMessage(WM_SETFONT, font, TRUE);
    }
}

HBRUSH CKGPToolbarComboBoxButton::ControlBrush(CDC* pDC, UINT)
{
    return KGPToolbarControls::WindowColours(pDC);
}

void CKGPToolbarComboBoxButton::SetHot(BOOL bHot)
{
    if (m_bIsHotEdit == bHot)
        return;
    m_bIsHotEdit = bHot;
    RepaintCombo();
}

void CKGPToolbarComboBoxButton::RepaintCombo()
{
    if (m_pOwnerWnd != nullptr && m_pOwnerWnd->GetSafeHwnd() != nullptr) {
        m_pOwnerWnd->InvalidateRect(m_rectCombo);
        m_pOwnerWnd->UpdateWindow();
    }
}

BOOL CKGPToolbarComboBoxButton::HandleClick(CWnd*, BOOL)
{
    if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr || !m_bHorz)
        return FALSE;
    if (m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->SetFocus();
    else
        m_pWndCombo->SetFocus();
    m_pWndCombo->ShowDropDown();
    RepaintCombo();
    return TRUE;
}

BOOL CKGPToolbarComboBoxButton::FillCaptionFromCommand(CKGPToolbarButton* pButton)
{
    if (pButton != nullptr)
        pButton->m_strCaption = KGPToolbarControls::CommandTip(m_nCommand);
    return TRUE;
}

BOOL CKGPToolbarComboBoxButton::OnUpdateToolTip(CWnd* pWndParent, int, CToolTipCtrl& wndToolTip, CString& str)
{
    if (!m_bHorz || m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr)
        return FALSE;
    const CString tip = KGPToolbarControls::CommandTip(m_nCommand);
    if (!tip.IsEmpty())
        str = tip;
    if (s_bFlat && !IsEditable())
        wndToolTip.AddTool(pWndParent, str, m_rcButton, m_nCommand);
    else if (s_bFlat && m_pWndEdit != nullptr)
        wndToolTip.AddTool(m_pWndEdit.get(), str);
    else
        wndToolTip.AddTool(m_pWndCombo.get(), str);
    return TRUE;
}

// ---- Notifications and twins ----

BOOL CKGPToolbarComboBoxButton::NotifyCommand(int iNotifyCode)
{
    if (m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr)
        return FALSE;
    if (s_bFlat) {
        if (iNotifyCode == 0)
            return TRUE;
        RepaintCombo();
    }
    CEdit* edit = m_pWndEdit != nullptr && m_pWndEdit->GetSafeHwnd() != nullptr ? m_pWndEdit.get() : nullptr;
    switch (iNotifyCode) {
    case CBN_SELCHANGE:
        if (edit != nullptr) {
            CString text;
            const int selected = m_pWndCombo->GetCurSel();
            if (selected >= 0)
                m_pWndCombo->GetLBText(selected, text);
            edit->SetWindowText(text);
        }
        return TRUE;
    case CBN_SETFOCUS:
        if (edit != nullptr)
            edit->SetFocus();
        return TRUE;
    case CBN_KILLFOCUS:
    case CBN_EDITUPDATE:
        return TRUE;
    case CBN_EDITCHANGE: {
        m_pWndCombo->GetWindowText(m_strEdit);
        if (edit != nullptr) {
            CString typed;
            edit->GetWindowText(typed);
            const int from = m_pWndCombo->GetCurSel();
            int found = m_pWndCombo->FindStringExact(from, typed);
            if (found == CB_ERR)
                found = m_pWndCombo->FindString(from, typed);
            if (found != CB_ERR)
                m_pWndCombo->SetCurSel(found);
            m_pWndCombo->SetWindowText(typed);
            m_strEdit = typed;
        }
        if (m_bSyncingTwins)
            return TRUE;
        m_bSyncingTwins = TRUE;
        const CString text = m_strEdit;
        ForEachTwin([&text](CKGPToolbarComboBoxButton& twin) {
            twin.m_bSyncingTwins = TRUE;
            twin.m_strEdit = text;
            if (twin.m_pWndCombo != nullptr && twin.m_pWndCombo->GetSafeHwnd() != nullptr)
                twin.m_pWndCombo->SetWindowText(text);
            if (twin.m_pWndEdit != nullptr && twin.m_pWndEdit->GetSafeHwnd() != nullptr) {
                CString shown;
                twin.m_pWndEdit->GetWindowText(shown);
                if (shown != text)
                    twin.m_pWndEdit->SetWindowText(text);
            }
            twin.m_bSyncingTwins = FALSE;
        });
        m_bSyncingTwins = FALSE;
        return TRUE;
    }
    case CBN_SELENDOK: {
        const int selected = m_pWndCombo->GetCurSel();
        if (selected < 0)
            return FALSE;
        m_iSelIndex = selected;
        m_pWndCombo->GetLBText(selected, m_strEdit);
        if (edit != nullptr)
            edit->SetWindowText(m_strEdit);
        ForEachTwin([selected](CKGPToolbarComboBoxButton& twin) {
            twin.SelectItem(selected, FALSE);
            twin.RepaintCombo();
        });
        if (edit != nullptr)
            edit->SetFocus();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CKGPToolbarComboBoxButton::CopyFromSameCommand()
{
    return KGPToolbarControls::CopyFromFirstOfCommand(*this);
}

// ---- Copies and stored form ----

void CKGPToolbarComboBoxButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarButton::CopyButton(src);
    const auto* combo = DYNAMIC_DOWNCAST(CKGPToolbarComboBoxButton, const_cast<CKGPToolbarButton*>(&src));
    if (combo == nullptr || combo == this)
        return;
    OnBeforeClearItems();
    m_items = combo->m_items;
    OnAfterFillItems();
    m_dwStyle = combo->m_dwStyle;
    m_iWidth = combo->m_iWidth;
    m_iSelIndex = combo->m_iSelIndex;
    m_nDropDownHeight = combo->m_nDropDownHeight;
    m_uiMenuResID = combo->m_uiMenuResID;
}

void CKGPToolbarComboBoxButton::Serialize(CArchive& ar)
{
    CKGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        if (m_pWndCombo != nullptr && m_pWndCombo->GetSafeHwnd() != nullptr)
            ReadItemsFromCombo();
        ar << m_iWidth << m_dwStyle << m_iSelIndex << m_strEdit << m_nDropDownHeight;
        if (ArchiveHasMenuId())
            ar << m_uiMenuResID;
        ar.WriteCount(m_items.size());
        for (const Item& item : m_items)
            ar << item.text;
        for (const Item& item : m_items)
            ar << static_cast<DWORD>(item.data);
        return;
    }
    // Read whole, then taken.
    CKGPStoredReader in(ar);
    const int width = in.ReadInt(0, kgp_stored::kMaxCoordinate);
    const DWORD style = in.ReadFlags(kStoredStyleBits);
    const int selected = in.ReadInt(-1, kgp_stored::kMaxCoordinate);
    const CString text = in.ReadString(kgp_stored::kMaxTextLength);
    const int dropDownHeight = in.ReadInt(0, kgp_stored::kMaxCoordinate);
    const UINT menuId = ArchiveHasMenuId() ? in.ReadUInt(0, 0xFFFF) : m_uiMenuResID;
    const DWORD_PTR count = ar.ReadCount();
    if (count > kgp_stored::kMaxObjects || static_cast<int>(count) <= selected)
        CKGPStoredReader::Refuse();
    std::vector<Item> items(count);
    for (Item& item : items)
        item.text = in.ReadString(kgp_stored::kMaxTextLength);
    ar.EnsureAvailable(static_cast<ULONGLONG>(count) * sizeof(DWORD));
    for (Item& item : items)
        item.data = in.ReadUInt(0, 0xFFFFFFFF);

    m_iWidth = width;
    m_dwStyle = style;
    m_strEdit = text;
    m_nDropDownHeight = dropDownHeight;
    m_uiMenuResID = menuId;
    m_rcButton.right = m_rcButton.left + width;
    OnBeforeClearItems();
    m_items.swap(items);
    OnAfterFillItems();
    SelectItem(selected, FALSE);
}

// ---- Drawing ----

void CKGPToolbarComboBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons)
{
    if (!s_bFlat || !bHorz || m_pWndCombo == nullptr || m_pWndCombo->GetSafeHwnd() == nullptr) {
        CKGPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
        return;
    }
    const CKGPGlobalData& global = GetKGPGlobalData();
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    const BOOL disabled = !m_pWndCombo->IsWindowEnabled() || (m_nBits & TBBS_DISABLED) != 0;
    const BOOL dropped = m_pWndCombo->GetDroppedState();
    const BOOL hot = (bHighlight || m_bIsHotEdit || dropped) && !bCustomizeMode;

    CRect inside = m_rectCombo;
    inside.DeflateRect(1, 1);
    pDC->FillSolidRect(inside, disabled ? global.clrBtnFace : global.clrWindow);
    manager->DrawComboFrame(pDC, m_rectCombo, disabled, dropped, hot, this);
    manager->DrawComboDropButton(pDC, m_rectButton, disabled, dropped, hot, this);

    const DWORD ownerDrawn = CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE;
    if (m_pWndEdit == nullptr && (m_dwStyle & ownerDrawn) == 0) {
        CRect rectText = m_rectCombo;
        rectText.DeflateRect(2, 2);
        rectText.right = m_rectButton.left - 1;
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(disabled ? global.clrGrayText : global.clrWindowText);
        pDC->DrawText(m_strEdit, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (m_bCaptionBelow && !m_strCaption.IsEmpty()) {
        CRect rectLabel(rect.left, m_rectCombo.bottom, rect.right, rect.bottom);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(manager->GetButtonTextColor(this, KGP_BUTTON_NORMAL));
        pDC->DrawText(m_strCaption, rectLabel, DT_WORDBREAK | DT_CENTER);
    }
}

int CKGPToolbarComboBoxButton::DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const int width = CKGPToolbarButton::DrawInCommandList(pDC, rect, bSelected);
    KGPToolbarControls::DrawMockControl(pDC, rect, width, TRUE);
    return width;
}
