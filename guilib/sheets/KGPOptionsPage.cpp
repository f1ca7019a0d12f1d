#include "guilib/sheets/KGPOptionsPage.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

IMPLEMENT_DYNCREATE(CKGPOptionsPage, CPropertyPage)

CKGPOptionsPage::CKGPOptionsPage(BOOL bMenuBar) : CPropertyPage(IDD_KGP_OPTIONS_PAGE), m_bMenuBar(bMenuBar) {}

BOOL CKGPOptionsPage::Personalised() const
{
    return m_bMenuBar && CKGPMenuBar::IsMenuPersonalization();
}

void CKGPOptionsPage::ResetUsageData()
{
    CKGPToolBar::s_usage.Reset();
}

BOOL CKGPOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CheckDlgButton(IDC_KGP_TOOLTIPS, CKGPToolBar::s_bTooltips ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KGP_TOOLTIP_KEYS, CKGPToolBar::s_bTooltipShortcuts ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KGP_LARGE_ICONS, CKGPToolBar::s_bLargeIconMode ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KGP_LOOK,
                   CKGPVisualManager::GetInstance()->GetOptionsLookFlag() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KGP_RECENT_MENUS, CKGPMenuBar::IsRecentlyUsedMenus() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KGP_SHOW_ALL_DELAY, CKGPShowAllButton::s_bShowAllOnDelay ? BST_CHECKED : BST_UNCHECKED);
    // Personalised menus need a menu bar and the library's personalisation.
    if (!Personalised()) {
        for (const UINT id : {IDC_KGP_RECENT_MENUS, IDC_KGP_RESET_USAGE, IDC_KGP_PERSONAL_TEXT1, IDC_KGP_PERSONAL_TEXT2,
                              IDC_KGP_SHOW_ALL_DELAY}) {
            if (CWnd* control = GetDlgItem(id)) {
                control->ShowWindow(SW_HIDE);
                control->EnableWindow(FALSE);
            }
        }
    }
    UpdateDependents();
    return TRUE;
}

void CKGPOptionsPage::UpdateDependents()
{
    if (CWnd* keys = GetDlgItem(IDC_KGP_TOOLTIP_KEYS))
        keys->EnableWindow(IsDlgButtonChecked(IDC_KGP_TOOLTIPS) == BST_CHECKED);
    if (CWnd* delay = GetDlgItem(IDC_KGP_SHOW_ALL_DELAY))
        delay->EnableWindow(Personalised() && IsDlgButtonChecked(IDC_KGP_RECENT_MENUS) == BST_CHECKED);
}

BOOL CKGPOptionsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return CPropertyPage::OnCommand(wParam, lParam);
    const BOOL checked = IsDlgButtonChecked(LOWORD(wParam)) == BST_CHECKED;
    switch (LOWORD(wParam)) {
    case IDC_KGP_TOOLTIPS:
        CKGPToolBar::s_bTooltips = checked;
        break;
    case IDC_KGP_TOOLTIP_KEYS:
        CKGPToolBar::s_bTooltipShortcuts = checked;
        break;
    case IDC_KGP_LARGE_ICONS:
        CKGPToolBar::SetLargeIcons(checked);
        break;
    case IDC_KGP_LOOK:
        CKGPVisualManager::GetInstance()->SetOptionsLookFlag(checked);
        if (CWnd* main = AfxGetMainWnd())
            main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    case IDC_KGP_RECENT_MENUS:
        CKGPMenuBar::SetRecentlyUsedMenus(checked);
        break;
    case IDC_KGP_SHOW_ALL_DELAY:
        CKGPShowAllButton::s_bShowAllOnDelay = checked;
        break;
    case IDC_KGP_RESET_USAGE: {
        const CString question = KGPLoadLibraryString(IDS_KGP_RESET_USAGE, _T("Forget the recorded command usage?"));
        if (AfxMessageBox(question, MB_YESNO) == IDYES)
            ResetUsageData();
        break;
    }
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
    UpdateDependents();
    return TRUE;
}
