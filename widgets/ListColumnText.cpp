#include "widgets/ListColumnText.h"

BOOL SetListColumnTextById(CListCtrl& list, int nColumn, UINT nStringId)
{
    CString text;
    if (list.m_hWnd == nullptr || !text.LoadString(nStringId)) {
        return FALSE;
    }
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(text));
    return list.SetColumn(nColumn, &column);
}
