#include "app/lists/ExListCtrl.h"

#include <algorithm>
#include <memory>

#include "widgets/UiResources.h"

IMPLEMENT_DYNCREATE(CExListCtrl, CKGPListCtrl)

BEGIN_MESSAGE_MAP(CExListCtrl, CKGPListCtrl)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CExListCtrl::OnBeginDrag)
    ON_NOTIFY_REFLECT(LVN_BEGINSCROLL, &CExListCtrl::OnBeginScroll)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CExListCtrl::OnCustomDraw)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CExListCtrl::CExListCtrl() = default;
CExListCtrl::~CExListCtrl() = default;

void CExListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    }
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return;
    // Selected rows keep the selection colours when the list has no focus
    // (the pages' two lists are used together): the control would draw them
    // in a pale grey hardly told from the other rows.
    const auto row = static_cast<int>(draw->nmcd.dwItemSpec);
    if ((GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) == 0)
        return;
    draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
    draw->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    draw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
}

BOOL CExListCtrl::CanDrag(int)
{
    return TRUE;
}

CString CExListCtrl::GetDragText(int row)
{
    if (row < 0 || row >= GetItemCount()) {
        return CString();
    }
    return GetItemText(row, 0);
}

void CExListCtrl::GetSelectedRows(CUIntArray& rows) const
{
    rows.SetSize(static_cast<INT_PTR>(GetSelectedCount()));
    INT_PTR filled = 0;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0 && filled < rows.GetSize();
         row = GetNextItem(row, LVNI_SELECTED)) {
        rows[filled++] = static_cast<UINT>(row);
    }
    rows.SetSize(filled);
}

void CExListCtrl::SelectAll()
{
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void CExListCtrl::GetVisibleRange(int& first, int& last) const
{
    first = GetTopIndex();
    last = std::min(first + GetCountPerPage(), GetItemCount() - 1);
}

void CExListCtrl::SetListColumnText(int column, LPCTSTR text)
{
    HWND header = m_hWnd != nullptr ? ListView_GetHeader(m_hWnd) : nullptr;
    if (header == nullptr || column < 0 || column >= Header_GetItemCount(header)) {
        return;
    }
    CString copy(text);
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = copy.GetBuffer();
    ::SendMessageW(m_hWnd, LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    copy.ReleaseBuffer();
}

int CExListCtrl::GetRowHeight() const
{
    CRect row;
    if (GetItemCount() == 0 || !GetItemRect(0, &row, LVIR_BOUNDS)) {
        return 0;
    }
    return row.Height();
}

LRESULT CExListCtrl::NotifyParent(uint32_t code)
{
    CWnd* parent = GetParent();
    if (parent == nullptr) {
        return 0;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    m_record.code = code;
    m_record.cursor = &cursor;
    const LRESULT result = parent->SendMessage(WM_LIST_DRAG_NOTIFY, reinterpret_cast<WPARAM>(&m_record), 0);
    m_record.cursor = nullptr;  // the point lived only during the call
    return result;
}

CImageList* CExListCtrl::BuildDragImage(const CStringArray& texts, const CUIntArray& rows, int lowest, int highest,
                                        int rowHeight)
{
    CClientDC screen(this);
    CFont* font = GetFont();
    int width = 1;
    {
        CFont* oldFont = font != nullptr ? screen.SelectObject(font) : nullptr;
        for (INT_PTR i = 0; i < texts.GetSize(); ++i) {
            width = std::max(width, static_cast<int>(screen.GetTextExtent(texts[i]).cx));
        }
        if (oldFont != nullptr) {
            screen.SelectObject(oldFont);
        }
    }
    const int height = std::max(1, (highest - lowest + 1) * rowHeight);
    const COLORREF base = GetUiResources().m_baseColour;

    auto images = std::make_unique<CImageList>();
    if (!images->Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1)) {
        return nullptr;
    }
    images->SetBkColor(base);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, width, height);
    {
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap* oldBitmap = memory.SelectObject(&bitmap);
        CFont* oldFont = font != nullptr ? memory.SelectObject(font) : nullptr;
        memory.FillSolidRect(0, 0, width, height, base);
        memory.SetBkMode(TRANSPARENT);
        memory.SetTextColor(RGB(GetRValue(base), (GetGValue(base) + 80) % 256, (GetBValue(base) + 200) % 256));
        for (INT_PTR i = 0; i < texts.GetSize(); ++i) {
            const int offset = static_cast<int>(rows[i]) - lowest;
            CRect band(0, offset * rowHeight, width, (offset + 1) * rowHeight);
            memory.DrawText(texts[i], &band, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        if (oldFont != nullptr) {
            memory.SelectObject(oldFont);
        }
        memory.SelectObject(oldBitmap);
    }
    images->Add(&bitmap, base);
    return images.release();
}

void CExListCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    SetFocus();
    m_draggedRows.RemoveAll();

    int first = 0;
    int last = -1;
    GetVisibleRange(first, last);
    CStringArray texts;
    CUIntArray textRows;
    int lowest = -1;
    int highest = -1;
    for (int row = first; row <= last; ++row) {
        if ((GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) == 0 || !CanDrag(row)) {
            continue;
        }
        texts.Add(GetDragText(row));
        textRows.Add(static_cast<UINT>(row));
        if (lowest < 0) {
            lowest = row;
        }
        highest = row;
    }
    if (texts.GetSize() == 0) {
        return;
    }
    const int rowHeight = std::max(1, GetRowHeight());
    CImageList* image = BuildDragImage(texts, textRows, lowest, highest, rowHeight);

    const auto* view = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    CPoint entry = view->ptAction;
    ClientToScreen(&entry);
    entry.Offset(rowHeight - 4, rowHeight - 4);
    list_drag_detail::StartListDrag(image, entry);

    SetCapture();
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        if ((GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0 && CanDrag(row)) {
            m_draggedRows.Add(static_cast<UINT>(row));
        }
    }
    m_record.controlId = static_cast<uint32_t>(GetDlgCtrlID());
    m_record.rowCount = static_cast<uint32_t>(m_draggedRows.GetSize());
    NotifyParent(LIST_DRAG_BEGIN);
}

void CExListCtrl::OnBeginScroll(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CExListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsListDragging()) {
        if (NotifyParent(LIST_DRAG_MOVE) == 0) {
            const int offset = GetRowHeight() - 4;
            CPoint screen = point;
            ClientToScreen(&screen);
            screen.Offset(offset, offset);
            MoveListDragImage(screen);
        }
    }
    CKGPListCtrl::OnMouseMove(nFlags, point);
}

void CExListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CKGPListCtrl::OnLButtonUp(nFlags, point);
    if (IsListDragging()) {
        EndListDrag();
        ::ReleaseCapture();
        NotifyParent(LIST_DRAG_DROP);
    }
}

BOOL CExListCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (IsListDragging() && pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_ESCAPE) {
            EndListDrag();
            ::ReleaseCapture();
            NotifyParent(LIST_DRAG_CANCEL);
        }
        return TRUE;
    }
    return CKGPListCtrl::PreTranslateMessage(pMsg);
}
