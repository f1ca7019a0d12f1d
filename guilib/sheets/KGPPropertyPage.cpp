// The library's property page: the dialog implementation first, and inside a
// library sheet the header band and the sheet's navigation kept in step.
#include "guilib/sheets/KGPPropertyPage.h"

#include "guilib/sheets/KGPPropertySheet.h"

IMPLEMENT_DYNAMIC(CKGPPropertyPage, CPropertyPage)

CKGPPropertyPage::CKGPPropertyPage() : m_Impl(*this) {}

CKGPPropertyPage::CKGPPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption, sizeof(PROPSHEETPAGEW)), m_Impl(*this)
{
}

CKGPPropertyPage::CKGPPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CPropertyPage(lpszTemplateName, nIDCaption, sizeof(PROPSHEETPAGEW)), m_Impl(*this)
{
}

CKGPPropertySheet* CKGPPropertyPage::GetKGPSheet() const
{
    return DYNAMIC_DOWNCAST(CKGPPropertySheet, GetSheet());
}

BOOL CKGPPropertyPage::OnInitDialog()
{
    const BOOL result = CPropertyPage::OnInitDialog();
    CKGPPropertySheet* sheet = GetKGPSheet();
    if (sheet == nullptr || sheet->GetHeaderHeight() <= 0)
        return result;
    // Every control moves down below the header band.
    for (CWnd* child = GetWindow(GW_CHILD); child != nullptr; child = child->GetWindow(GW_HWNDNEXT)) {
        CRect rect;
        child->GetWindowRect(rect);
        ScreenToClient(rect);
        child->SetWindowPos(HWND{}, rect.left, rect.top + sheet->GetHeaderHeight(), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return result;
}

BOOL CKGPPropertyPage::OnSetActive()
{
    if (CKGPPropertySheet* sheet = GetKGPSheet())
        sheet->OnActivatePage(this);
    return CPropertyPage::OnSetActive();
}

BOOL CKGPPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    return m_Impl.PreTranslateMessage(pMsg) || CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CKGPPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return m_Impl.OnCommand(wParam, lParam) || CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT CKGPPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        m_Impl.OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case WM_NCACTIVATE: {
        BOOL active = static_cast<BOOL>(wParam);
        m_Impl.OnNcActivate(active);
        return DefWindowProc(WM_NCACTIVATE, static_cast<WPARAM>(active), lParam);
    }
    case WM_ERASEBKGND: {
        const LRESULT erased = CPropertyPage::WindowProc(message, wParam, lParam);
        CKGPPropertySheet* sheet = GetKGPSheet();
        if (sheet != nullptr && sheet->GetHeaderHeight() > 0) {
            CRect band;
            GetClientRect(band);
            band.bottom = band.top + sheet->GetHeaderHeight();
            if (kgp::sheets::HasSideNavigation(sheet->GetLook())) {
                // The band reaches the sheet's right edge.
                CRect sheetRect;
                sheet->GetWindowRect(sheetRect);
                ScreenToClient(sheetRect);
                band.right = sheetRect.right - ::GetSystemMetrics(SM_CXDLGFRAME);
            }
            CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
            sheet->OnDrawPageHeader(pDC, sheet->GetPageIndex(this), band);
        }
        return erased;
    }
    default:
        break;
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}
