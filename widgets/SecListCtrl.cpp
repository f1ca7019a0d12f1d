#include "widgets/SecListCtrl.h"

#include "widgets/WidgetLook.h"

IMPLEMENT_DYNCREATE(CSecListCtrl, CListCtrl)

bool CSecListCtrl::IsMissingRow(int row) const
{
    return GetItemText(row, kStateColumn).CompareNoCase(L"N") == 0;
}

BOOL CSecListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            *pResult = CDRF_NOTIFYITEMDRAW;
            return TRUE;
        }
        if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            const int row = static_cast<int>(draw->nmcd.dwItemSpec);
            draw->clrText = IsMissingRow(row) ? kMissingColour : widgets::kLookText;
            *pResult = CDRF_DODEFAULT;
            return TRUE;
        }
    }
    return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}
