#include "guilib/controls/KGPEditListBox.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"

IMPLEMENT_DYNAMIC(CKGPEditListBox, CWnd)

BEGIN_MESSAGE_MAP(CKGPEditListBox, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr UINT kListId = 100;
constexpr UINT kEditId = 101;
constexpr int kCaptionHeight = 22;
constexpr int kButtonSize = 20;

} // namespace

BOOL CKGPEditListBox::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    const LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CWnd::CreateEx(0, windowClass, lpszCaption, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID))
        return FALSE;
    const CRect none(0, 0, 0, 0);
    if (!m_wndList.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                              LBS_NOINTEGRALHEIGHT,
                          none, this, kListId) ||
        !m_wndEdit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, none, this, kEditId))
        return FALSE;
    m_wndList.SetFont(CFont::FromHandle(GetKGPGlobalData().GetRegularFont()));
    m_wndEdit.SetFont(CFont::FromHandle(GetKGPGlobalData().GetRegularFont()));
    static const wchar_t* const tips[] = {L"New (Insert)", L"Delete (Delete)", L"Move up", L"Move down"};
    for (UINT button = kNew; button <= kMoveDown; ++button) {
        CKGPButton& wnd = m_wndButtons[button - kNew];
        if (!wnd.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, none, this, button))
            return FALSE;
        wnd.SetTooltip(tips[button - kNew]);
    }
    m_wndButtons[0].SetWindowText(L"+");
    m_wndButtons[1].SetStdImage(CKGPMenuGlyphs::kClose, 2);
    m_wndButtons[2].SetStdImage(CKGPMenuGlyphs::kArrowUp, 2);
    m_wndButtons[3].SetStdImage(CKGPMenuGlyphs::kArrowDown, 2);
    Layout();
    UpdateButtons();
    return TRUE;
}

CRect CKGPEditListBox::CaptionRect() const
{
    CRect client;
    GetClientRect(client);
    client.bottom = client.top + kCaptionHeight;
    return client;
}

void CKGPEditListBox::Layout()
{
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    int right = client.right - 1;
    for (int i = 3; i >= 0; --i) {
        m_wndButtons[i].MoveWindow(right - kButtonSize, 1, kButtonSize, kButtonSize);
        right -= kButtonSize + 1;
    }
    client.top += kCaptionHeight;
    m_wndList.MoveWindow(client);
}

void CKGPEditListBox::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    EndEdit(TRUE);
    Layout();
}

void CKGPEditListBox::OnPaint()
{
    CPaintDC dc(this);
    const CKGPGlobalData& data = GetKGPGlobalData();
    CRect caption = CaptionRect();
    dc.FillSolidRect(caption, data.clrBarFace);
    CString text;
    GetWindowText(text);
    const CSelectionScope font(dc, data.GetBoldFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(data.clrBtnText);
    caption.left += 4;
    dc.DrawText(text, caption, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

int CKGPEditListBox::AddItem(const CString& strText, DWORD_PTR dwData, int nIndex)
{
    const int index = m_wndList.InsertString(nIndex, strText);
    if (index < 0)
        return -1;
    m_wndList.SetItemData(index, dwData);
    UpdateButtons();
    return index;
}

BOOL CKGPEditListBox::RemoveItem(int nIndex)
{
    if (nIndex == m_nEditedItem)
        EndEdit(FALSE);
    const BOOL removed = m_wndList.DeleteString(static_cast<UINT>(nIndex)) != LB_ERR;
    UpdateButtons();
    return removed;
}

void CKGPEditListBox::RemoveAllItems()
{
    EndEdit(FALSE);
    m_wndList.ResetContent();
    UpdateButtons();
}

int CKGPEditListBox::GetCount() const
{
    return m_wndList.GetCount();
}

CString CKGPEditListBox::GetItemText(int nIndex) const
{
    CString text;
    if (nIndex >= 0 && nIndex < GetCount())
        m_wndList.GetText(nIndex, text);
    return text;
}

void CKGPEditListBox::SetItemText(int nIndex, const CString& strText)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const DWORD_PTR data = m_wndList.GetItemData(nIndex);
    const BOOL selected = m_wndList.GetCurSel() == nIndex;
    m_wndList.DeleteString(static_cast<UINT>(nIndex));
    m_wndList.InsertString(nIndex, strText);
    m_wndList.SetItemData(nIndex, data);
    if (selected)
        m_wndList.SetCurSel(nIndex);
}

DWORD_PTR CKGPEditListBox::GetItemData(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_wndList.GetItemData(nIndex) : 0;
}

void CKGPEditListBox::SetItemData(int nIndex, DWORD_PTR dwData)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_wndList.SetItemData(nIndex, dwData);
}

int CKGPEditListBox::GetSelItem() const
{
    return m_wndList.GetCurSel();
}

BOOL CKGPEditListBox::SelectItem(int nIndex)
{
    const BOOL selected = m_wndList.SetCurSel(nIndex) != LB_ERR || nIndex < 0;
    UpdateButtons();
    return selected;
}

BOOL CKGPEditListBox::EditItem(int nIndex)
{
    EndEdit(TRUE);
    CRect item;
    if (nIndex < 0 || nIndex >= GetCount() || m_wndList.GetItemRect(nIndex, item) == LB_ERR)
        return FALSE;
    SelectItem(nIndex);
    m_wndList.MapWindowPoints(this, item);
    item.InflateRect(0, 2);
    m_nEditedItem = nIndex;
    m_wndEdit.SetWindowText(GetItemText(nIndex));
    m_wndEdit.SetWindowPos(&CWnd::wndTop, item.left, item.top, item.Width(), item.Height(), SWP_SHOWWINDOW);
    m_wndEdit.SetSel(0, -1);
    m_wndEdit.SetFocus();
    return TRUE;
}

void CKGPEditListBox::EndEdit(BOOL bKeep)
{
    if (m_nEditedItem < 0)
        return;
    const int index = m_nEditedItem;
    const BOOL isNew = m_bNewItem;
    m_nEditedItem = -1;
    m_bNewItem = FALSE;
    CString text;
    m_wndEdit.GetWindowText(text);
    text.Trim();
    const BOOL hadFocus = ::GetFocus() == m_wndEdit.GetSafeHwnd();
    m_wndEdit.ShowWindow(SW_HIDE);
    if (hadFocus)
        m_wndList.SetFocus();
    if (isNew && (!bKeep || text.IsEmpty())) {
        // A new item left empty or dropped is no item.
        m_wndList.DeleteString(static_cast<UINT>(index));
        SelectItem(index < GetCount() ? index : GetCount() - 1);
        return;
    }
    if (!bKeep || text.IsEmpty() || (!isNew && text == GetItemText(index)))
        return;
    SetItemText(index, text);
    if (isNew)
        OnAfterAddItem(index);
    else
        OnAfterRenameItem(index);
}

void CKGPEditListBox::CreateNewItem()
{
    EndEdit(TRUE);
    const int index = AddItem(L"");
    if (index < 0)
        return;
    EditItem(index);
    m_bNewItem = TRUE;
}

void CKGPEditListBox::RemoveSelectedItem()
{
    EndEdit(TRUE);
    const int index = GetSelItem();
    if (index < 0 || !OnBeforeRemoveItem(index))
        return;
    RemoveItem(index);
    SelectItem(index < GetCount() ? index : GetCount() - 1);
    OnSelectionChanged();
}

void CKGPEditListBox::MoveSelectedItem(BOOL bUp)
{
    EndEdit(TRUE);
    const int index = GetSelItem();
    const int target = bUp ? index - 1 : index + 1;
    if (index < 0 || target < 0 || target >= GetCount())
        return;
    const CString text = GetItemText(index);
    const DWORD_PTR data = GetItemData(index);
    m_wndList.DeleteString(static_cast<UINT>(index));
    AddItem(text, data, target);
    SelectItem(target);
    if (bUp)
        OnAfterMoveItemUp(target);
    else
        OnAfterMoveItemDown(target);
}

void CKGPEditListBox::UpdateButtons()
{
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    const int selected = GetSelItem();
    m_wndButtons[kDelete - kNew].EnableWindow(selected >= 0);
    m_wndButtons[kMoveUp - kNew].EnableWindow(selected > 0);
    m_wndButtons[kMoveDown - kNew].EnableWindow(selected >= 0 && selected + 1 < GetCount());
}

BOOL CKGPEditListBox::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == kListId && code == LBN_SELCHANGE) {
        EndEdit(TRUE);
        UpdateButtons();
        OnSelectionChanged();
        return TRUE;
    }
    if (id == kListId && code == LBN_DBLCLK) {
        EditItem(GetSelItem());
        return TRUE;
    }
    if (id == kEditId && code == EN_KILLFOCUS) {
        EndEdit(TRUE);
        return TRUE;
    }
    if (code == BN_CLICKED && id >= kNew && id <= kMoveDown) {
        if (id == kNew)
            CreateNewItem();
        else if (id == kDelete)
            RemoveSelectedItem();
        else
            MoveSelectedItem(id == kMoveUp);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CKGPEditListBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CWnd::PreTranslateMessage(pMsg);
    if (pMsg->hwnd == m_wndEdit.GetSafeHwnd() && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        EndEdit(pMsg->wParam == VK_RETURN);
        return TRUE;
    }
    if (pMsg->hwnd == m_wndList.GetSafeHwnd()) {
        switch (pMsg->wParam) {
        case VK_INSERT:
            CreateNewItem();
            return TRUE;
        case VK_DELETE:
            RemoveSelectedItem();
            return TRUE;
        case VK_F2:
            EditItem(GetSelItem());
            return TRUE;
        default:
            break;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}
