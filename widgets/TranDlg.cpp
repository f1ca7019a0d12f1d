#include "widgets/TranDlg.h"

#include "widgets/UiResources.h"
#include "widgets/WidgetLook.h"

BEGIN_MESSAGE_MAP(CTranDlg, CResizableDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CTranDlg::CTranDlg() = default;
CTranDlg::CTranDlg(UINT nIDTemplate, CWnd* pParentWnd) : CResizableDialog(nIDTemplate, pParentWnd) {}
CTranDlg::~CTranDlg() = default;

BOOL CTranDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CMemDC memory(*pDC, client);
    HDC dc = memory.GetDC().GetSafeHdc();
    const COLORREF page = GetUiResources().m_pageBackColour;
    CGdiHandle<HBRUSH> pageBrush(::CreateSolidBrush(page));
    ::FillRect(dc, &client, pageBrush.Get());
    RECT sheet = client;
    ::InflateRect(&sheet, -4, -4);
    widgets::FillRoundRect(dc, sheet, 16, widgets::kLookWhite, widgets::BlendColour(page, RGB(0, 0, 0), 12));
    return TRUE;
}

HBRUSH CTranDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    }
    return CResizableDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
