#include "guilib/sheets/KGPToolsPage.h"

#include <afxdlgs.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"

IMPLEMENT_DYNAMIC(CToolsList, CKGPEditListBox)
IMPLEMENT_DYNAMIC(CKGPToolsPage, CPropertyPage)

namespace {

CKGPUserTool* ToolAt(CKGPEditListBox& list, int nIndex)
{
    return nIndex >= 0 && nIndex < list.GetCount() ? reinterpret_cast<CKGPUserTool*>(list.GetItemData(nIndex))
                                                   : nullptr;
}

} // namespace

// ---- The list

BOOL CToolsList::OnBeforeRemoveItem(int nIndex)
{
    CKGPUserTool* tool = ToolAt(*this, nIndex);
    return tool == nullptr || (g_pUserToolsManager != nullptr && g_pUserToolsManager->RemoveTool(tool));
}

void CToolsList::OnAfterAddItem(int nIndex)
{
    CKGPUserTool* tool = g_pUserToolsManager != nullptr ? g_pUserToolsManager->CreateNewTool() : nullptr;
    if (tool == nullptr) {
        RemoveItem(nIndex);
        CString format = KGPLoadLibraryString(IDS_KGP_TOO_MANY_TOOLS, _T("No more tools can be added: at most %d."));
        CString message;
        message.Format(format, g_pUserToolsManager != nullptr ? g_pUserToolsManager->GetMaxTools() : 0);
        AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
        return;
    }
    tool->m_strLabel = GetItemText(nIndex);
    SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(tool));
    m_page.SelectTool(nIndex);
}

void CToolsList::OnAfterRenameItem(int nIndex)
{
    if (CKGPUserTool* tool = ToolAt(*this, nIndex))
        tool->m_strLabel = GetItemText(nIndex);
}

void CToolsList::OnAfterMoveItemUp(int nIndex)
{
    if (g_pUserToolsManager != nullptr)
        g_pUserToolsManager->MoveToolUp(ToolAt(*this, nIndex));
}

void CToolsList::OnAfterMoveItemDown(int nIndex)
{
    if (g_pUserToolsManager != nullptr)
        g_pUserToolsManager->MoveToolDown(ToolAt(*this, nIndex));
}

void CToolsList::OnSelectionChanged()
{
    m_page.ShowFields();
}

// ---- The page

CKGPToolsPage::CKGPToolsPage() : CPropertyPage(IDD_KGP_TOOLS_PAGE), m_wndToolsList(*this) {}

BOOL CKGPToolsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // The list takes the place the template keeps for it.
    CRect place;
    if (CWnd* placeholder = GetDlgItem(IDC_KGP_TOOLS_LIST)) {
        placeholder->GetWindowRect(place);
        ScreenToClient(place);
        placeholder->DestroyWindow();
    }
    m_wndToolsList.Create(KGPLoadLibraryString(IDS_KGP_TOOLS_LIST_TITLE, _T("Menu contents:")), WS_CHILD | WS_VISIBLE | WS_TABSTOP, place, this, IDC_KGP_TOOLS_LIST);
    if (g_pUserToolsManager != nullptr) {
        const CObList& tools = g_pUserToolsManager->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
            auto* tool = static_cast<CKGPUserTool*>(tools.GetNext(pos));
            m_wndToolsList.AddItem(tool->m_strLabel, reinterpret_cast<DWORD_PTR>(tool));
        }
    }
    SelectTool(m_wndToolsList.GetCount() > 0 ? 0 : -1);
    return TRUE;
}

CKGPUserTool* CKGPToolsPage::GetSelectedTool() const
{
    auto& list = const_cast<CToolsList&>(m_wndToolsList);
    return list.GetSafeHwnd() != nullptr ? ToolAt(list, list.GetSelItem()) : nullptr;
}

void CKGPToolsPage::SelectTool(int nIndex)
{
    m_wndToolsList.SelectItem(nIndex);
    ShowFields();
}

void CKGPToolsPage::ShowFields()
{
    const CKGPUserTool* tool = GetSelectedTool();
    m_bFilling = TRUE;
    SetDlgItemText(IDC_KGP_TOOL_COMMAND, tool != nullptr ? tool->GetCommand() : CString());
    SetDlgItemText(IDC_KGP_TOOL_ARGUMENTS, tool != nullptr ? tool->m_strArguments : CString());
    SetDlgItemText(IDC_KGP_TOOL_DIRECTORY, tool != nullptr ? tool->m_strInitialDirectory : CString());
    m_bFilling = FALSE;
    for (const UINT id : {IDC_KGP_TOOL_COMMAND, IDC_KGP_TOOL_BROWSE, IDC_KGP_TOOL_ARGUMENTS, IDC_KGP_TOOL_DIRECTORY,
                          IDC_KGP_TOOL_ARGUMENTS_MENU, IDC_KGP_TOOL_DIRECTORY_MENU}) {
        if (CWnd* field = GetDlgItem(id))
            field->EnableWindow(tool != nullptr);
    }
}

CKGPUserTool* CKGPToolsPage::AddTool(LPCTSTR lpszLabel)
{
    const int before = m_wndToolsList.GetCount();
    const int index = m_wndToolsList.AddItem(lpszLabel);
    if (index < 0)
        return nullptr;
    m_wndToolsList.OnAfterAddItem(index);
    return m_wndToolsList.GetCount() > before ? ToolAt(m_wndToolsList, index) : nullptr;
}

BOOL CKGPToolsPage::RemoveTool(int nIndex)
{
    if (ToolAt(m_wndToolsList, nIndex) == nullptr || !m_wndToolsList.OnBeforeRemoveItem(nIndex))
        return FALSE;
    m_wndToolsList.RemoveItem(nIndex);
    SelectTool(m_wndToolsList.GetCount() > 0 ? 0 : -1);
    return TRUE;
}

void CKGPToolsPage::TypeInto(UINT nIDField, const CString& strText)
{
    CWnd* field = GetDlgItem(nIDField);
    if (field == nullptr)
        return;
    field->SetFocus();
    for (int i = 0; i < strText.GetLength(); ++i)
        field->SendMessage(WM_CHAR, static_cast<WPARAM>(strText[i]), 1);
}

void CKGPToolsPage::OfferMenu(UINT nIDButton, UINT nIDMenu, UINT nIDField)
{
    CMenu menu;
    {
        CKGPLocalResource library;
        if (!menu.LoadMenu(nIDMenu))
            return;
    }
    CMenu* popup = menu.GetSubMenu(0);
    CWnd* button = GetDlgItem(nIDButton);
    if (popup == nullptr || button == nullptr)
        return;
    CRect rect;
    button->GetWindowRect(rect);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(popup->GetSafeHmenu(), TPM_RETURNCMD | TPM_NONOTIFY,
                                                           rect.right, rect.top, 0, m_hWnd, nullptr));
    if (chosen != 0)
        TypeInto(nIDField, KGPLoadLibraryString(chosen, _T("")));
}

BOOL CKGPToolsPage::OnKillActive()
{
    const auto* sheet = DYNAMIC_DOWNCAST(CKGPToolbarCustomize, GetSheet());
    if (sheet != nullptr && g_pUserToolsManager != nullptr &&
        !const_cast<CKGPToolbarCustomize*>(sheet)->CheckToolsValidity(g_pUserToolsManager->GetUserTools()))
        return FALSE;
    return CPropertyPage::OnKillActive();
}

BOOL CKGPToolsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    CKGPUserTool* tool = GetSelectedTool();
    if (code == EN_UPDATE && !m_bFilling && tool != nullptr) {
        CString text;
        GetDlgItemText(id, text);
        switch (id) {
        case IDC_KGP_TOOL_COMMAND:
            tool->SetCommand(text);
            return TRUE;
        case IDC_KGP_TOOL_ARGUMENTS:
            tool->m_strArguments = text;
            return TRUE;
        case IDC_KGP_TOOL_DIRECTORY:
            tool->m_strInitialDirectory = text;
            return TRUE;
        default:
            break;
        }
    }
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_KGP_TOOL_BROWSE: {
            // The manager's filter and extension.
            const CKGPUserToolsManager* manager = g_pUserToolsManager;
            const CString filter = manager != nullptr ? manager->GetFilter() : CString();
            const CString extension = manager != nullptr ? manager->GetDefExt() : CString();
            CFileDialog dialog(TRUE, extension.IsEmpty() ? nullptr : extension.GetString(),
                               tool != nullptr ? tool->GetCommand().GetString() : nullptr,
                               OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter.IsEmpty() ? nullptr : filter.GetString(),
                               this);
            if (tool != nullptr && dialog.DoModal() == IDOK)
                SetDlgItemText(IDC_KGP_TOOL_COMMAND, dialog.GetPathName());
            return TRUE;
        }
        case IDC_KGP_TOOL_ARGUMENTS_MENU:
            OfferMenu(id, IDR_KGP_TOOL_ARGUMENTS, IDC_KGP_TOOL_ARGUMENTS);
            return TRUE;
        case IDC_KGP_TOOL_DIRECTORY_MENU:
            OfferMenu(id, IDR_KGP_TOOL_DIRECTORY, IDC_KGP_TOOL_DIRECTORY);
            return TRUE;
        default:
            break;
        }
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}
