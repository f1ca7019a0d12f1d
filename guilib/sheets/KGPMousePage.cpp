#include "guilib/sheets/KGPMousePage.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/menus/KGPMouseManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPToolbarButton.h"

IMPLEMENT_DYNCREATE(CKGPMousePage, CPropertyPage)

CKGPMousePage::CKGPMousePage() : CPropertyPage(IDD_KGP_MOUSE_PAGE) {}

BOOL CKGPMousePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndViews.SubclassDlgItem(IDC_KGP_MOUSE_VIEWS, this);
    m_wndCommands.SubclassDlgItem(IDC_KGP_MOUSE_COMMANDS, this);
    CRect area;
    m_wndViews.GetClientRect(area);
    m_wndViews.InsertColumn(0, _T(""), LVCFMT_LEFT, area.Width());
    if (g_pMouseManager != nullptr) {
        // Each view with the small form of its icon.
        const CSize small = GetKGPGlobalData().GetSmallIconSize();
        if (m_icons.GetSafeHandle() == nullptr)
            m_icons.Create(small.cx, small.cy, ILC_COLOR32 | ILC_MASK, 0, 4);
        m_wndViews.SetImageList(&m_icons, LVSIL_SMALL);
        CStringList names;
        g_pMouseManager->GetViewNames(names);
        int index = 0;
        for (POSITION pos = names.GetHeadPosition(); pos != nullptr; ++index) {
            const CString& name = names.GetNext(pos);
            const int view = g_pMouseManager->GetViewIdByName(name);
            int image = -1;
            if (const UINT iconId = g_pMouseManager->GetViewIconId(view); iconId != 0) {
                const LPCWSTR resource = MAKEINTRESOURCEW(iconId);
                const CIconHandle icon(static_cast<HICON>(::LoadImageW(AfxFindResourceHandle(resource, RT_GROUP_ICON),
                                                                       resource, IMAGE_ICON, small.cx, small.cy, 0)));
                if (icon)
                    image = m_icons.Add(icon.Get());
            }
            const int item = m_wndViews.InsertItem(index, name, image);
            m_wndViews.SetItemData(item, static_cast<DWORD_PTR>(view));
        }
    }
    if (const auto* sheet = DYNAMIC_DOWNCAST(CKGPToolbarCustomize, GetSheet())) {
        if (const CObList* all = sheet->GetCategory(sheet->GetAllCommandsName())) {
            for (POSITION pos = all->GetHeadPosition(); pos != nullptr;) {
                const auto* button = static_cast<const CKGPToolbarButton*>(all->GetNext(pos));
                if (button->m_nCommand == 0 || button->m_nCommand == static_cast<UINT>(-1))
                    continue;
                const int item = m_wndCommands.AddString(button->m_strCaption);
                m_wndCommands.SetItemData(item, button->m_nCommand);
            }
        }
    }
    SelectView(m_wndViews.GetItemCount() > 0 ? 0 : -1);
    return TRUE;
}

void CKGPMousePage::SelectView(int nIndex)
{
    m_iCurrViewId = nIndex >= 0 && nIndex < m_wndViews.GetItemCount() ? static_cast<int>(m_wndViews.GetItemData(nIndex))
                                                                       : -1;
    if (nIndex >= 0)
        m_wndViews.SetItemState(nIndex, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const UINT command = m_iCurrViewId >= 0 && g_pMouseManager != nullptr
                             ? g_pMouseManager->GetViewDblClickCommand(m_iCurrViewId)
                             : 0;
    int selected = -1;
    for (int i = 0; command != 0 && i < m_wndCommands.GetCount(); ++i) {
        if (m_wndCommands.GetItemData(i) == command)
            selected = i;
    }
    m_wndCommands.SetCurSel(selected);
    const int radio = command != 0 ? IDC_KGP_DBLCLK_COMMAND : IDC_KGP_NO_DBLCLK;
    CheckRadioButton(IDC_KGP_NO_DBLCLK, IDC_KGP_DBLCLK_COMMAND, radio);
    m_wndCommands.EnableWindow(command != 0);
    CString description;
    if (CFrameWnd* frame = GetTopLevelFrame(); frame != nullptr && command != 0)
        frame->GetMessageString(command, description);
    SetDlgItemText(IDC_KGP_MOUSE_DESCRIPTION, description);
}

void CKGPMousePage::SetNoAction()
{
    if (m_iCurrViewId >= 0 && g_pMouseManager != nullptr)
        g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
    m_wndCommands.SetCurSel(-1);
    m_wndCommands.EnableWindow(FALSE);
    CheckRadioButton(IDC_KGP_NO_DBLCLK, IDC_KGP_DBLCLK_COMMAND, IDC_KGP_NO_DBLCLK);
}

BOOL CKGPMousePage::SetCommand(int nCommandIndex)
{
    if (m_iCurrViewId < 0 || g_pMouseManager == nullptr) {
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    CheckRadioButton(IDC_KGP_NO_DBLCLK, IDC_KGP_DBLCLK_COMMAND, IDC_KGP_DBLCLK_COMMAND);
    m_wndCommands.EnableWindow(TRUE);
    m_wndCommands.SetCurSel(nCommandIndex);
    const UINT command = nCommandIndex >= 0 && nCommandIndex < m_wndCommands.GetCount()
                             ? static_cast<UINT>(m_wndCommands.GetItemData(nCommandIndex))
                             : 0;
    // The command list enabled without a choice: the view runs nothing yet.
    g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, command);
    return command != 0;
}

BOOL CKGPMousePage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_KGP_NO_DBLCLK:
        SetNoAction();
        return TRUE;
    case IDC_KGP_DBLCLK_COMMAND:
        SetCommand(-1);
        return TRUE;
    case IDC_KGP_MOUSE_COMMANDS:
        if (HIWORD(wParam) == LBN_SELCHANGE)
            SetCommand(m_wndCommands.GetCurSel());
        return TRUE;
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
}

BOOL CKGPMousePage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMLISTVIEW*>(lParam);
    const BOOL selected = (header->uNewState & LVIS_SELECTED) != 0 && (header->uOldState & LVIS_SELECTED) == 0;
    if (wParam == IDC_KGP_MOUSE_VIEWS && header->hdr.code == LVN_ITEMCHANGED && selected) {
        SelectView(header->iItem);
        *pResult = 0;
        return TRUE;
    }
    return CPropertyPage::OnNotify(wParam, lParam, pResult);
}
