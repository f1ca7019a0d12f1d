#include "guilib/sheets/KGPKeyboardPage.h"

#include <afxframe.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPKeyHelper.h"
#include "guilib/toolbars/KGPToolbarButton.h"

IMPLEMENT_DYNAMIC(CKeyAssign, CEdit)
IMPLEMENT_DYNCREATE(CKGPKeyboardPage, CPropertyPage)

namespace {

std::vector<kgp::AccelEntry> TableOf(HACCEL hAccel)
{
    std::vector<kgp::AccelEntry> table;
    const int count = hAccel != nullptr ? ::CopyAcceleratorTableW(hAccel, nullptr, 0) : 0;
    if (count <= 0)
        return table;
    std::vector<ACCEL> entries(static_cast<size_t>(count));
    ::CopyAcceleratorTableW(hAccel, entries.data(), count);
    for (const ACCEL& entry : entries)
        table.push_back(kgp::AccelEntry{entry.fVirt, entry.key, entry.cmd});
    return table;
}

CString KeyText(const kgp::AccelEntry& entry)
{
    ACCEL accel{entry.flags, entry.key, entry.command};
    CString text;
    CKGPKeyHelper(&accel).Format(text);
    return text;
}

} // namespace

// ---- The key field

ACCEL CKeyAssign::GetAccel() const
{
    return ACCEL{m_capture.flags, m_capture.key, 0};
}

void CKeyAssign::ResetKey()
{
    m_capture = kgp::KeyCapture{false, m_capture.entered, 0, 0};
    if (m_hWnd != nullptr)
        SetWindowText(_T(""));
}

void CKeyAssign::ShowCapture()
{
    CString text;
    if (m_capture.key != 0 || m_capture.flags != 0) {
        ACCEL accel = GetAccel();
        if (!m_capture.complete)
            accel.key = 0;
        CKGPKeyHelper(&accel).Format(text);
    }
    SetWindowText(text);
    SetSel(text.GetLength(), text.GetLength());
}

BOOL CKeyAssign::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        m_capture.entered = true;
        SetFocus();
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        break;
    default:
        return CEdit::PreTranslateMessage(pMsg);
    }
    const BOOL down = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    const bool repeat = (pMsg->lParam & 0x40000000) != 0;
    switch (kgp::KeyCaptureStep(m_capture, down ? kgp::KeyEvent::Down : kgp::KeyEvent::Up,
                                static_cast<std::uint16_t>(pMsg->wParam), down && repeat)) {
    case kgp::KeyAnswer::Pass:
        return FALSE;
    case kgp::KeyAnswer::Eat:
        return TRUE;
    case kgp::KeyAnswer::PassCleared:
        SetWindowText(_T(""));
        return FALSE;
    case kgp::KeyAnswer::Cleared:
        SetWindowText(_T(""));
        break;
    case kgp::KeyAnswer::Show:
        ShowCapture();
        break;
    }
    // The owner hears of the change as the edit would tell it.
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_UPDATE), reinterpret_cast<LPARAM>(m_hWnd));
    return TRUE;
}

LRESULT CKeyAssign::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KILLFOCUS)
        m_capture.entered = false;
    return CEdit::WindowProc(message, wParam, lParam);
}

// ---- The page

CKGPKeyboardPage::CKGPKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_KGP_KEYBOARD_PAGE), m_pParentFrame(pParentFrame), m_bAutoSet(bAutoSet)
{
}

BOOL CKGPKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndCategory.SubclassDlgItem(IDC_KGP_KEY_CATEGORY, this);
    m_wndCommands.SubclassDlgItem(IDC_KGP_KEY_COMMANDS, this);
    m_wndView.SubclassDlgItem(IDC_KGP_KEY_VIEW, this);
    m_wndCurrentKeys.SubclassDlgItem(IDC_KGP_CURRENT_KEYS, this);
    m_wndNewKey.SubclassDlgItem(IDC_KGP_NEW_KEY, this);
    if (const auto* sheet = DYNAMIC_DOWNCAST(CKGPToolbarCustomize, GetSheet()))
        sheet->FillCategoriesComboBox(m_wndCategory, FALSE);
    // The frame's own table, then each template's that has one.
    m_wndView.SetItemData(m_wndView.AddString(KGPLoadLibraryString(IDS_KGP_FRAME_ACCELERATORS, _T("Default"))), 0);
    if (CWinApp* app = AfxGetApp()) {
        for (POSITION pos = app->GetFirstDocTemplatePosition(); pos != nullptr;) {
            auto* tmpl = DYNAMIC_DOWNCAST(CMultiDocTemplate, app->GetNextDocTemplate(pos));
            CString name;
            if (tmpl == nullptr || !tmpl->m_hAccelTable || !tmpl->GetDocString(name, CDocTemplate::fileNewName))
                continue;
            m_wndView.SetItemData(m_wndView.AddString(name), reinterpret_cast<DWORD_PTR>(tmpl));
        }
    }
    m_wndView.SetCurSel(0);
    SelectView(0);
    m_wndCategory.SetCurSel(0);
    SelectCategory(0);
    return TRUE;
}

void CKGPKeyboardPage::LoadTable()
{
    HACCEL table = nullptr;
    if (m_pSelTemplate != nullptr)
        table = m_pSelTemplate->m_hAccelTable.Get();
    else if (m_pParentFrame != nullptr)
        table = m_pParentFrame->m_hAccelTable;
    m_table = TableOf(table);
}

void CKGPKeyboardPage::SelectView(int nIndex)
{
    m_pSelTemplate = nIndex > 0 && nIndex < m_wndView.GetCount()
                         ? reinterpret_cast<CMultiDocTemplate*>(m_wndView.GetItemData(nIndex))
                         : nullptr;
    // The view's icon: its template's, or the frame's; the application's by default.
    HICON icon = nullptr;
    if (m_pSelTemplate != nullptr) {
        const LPCWSTR name = MAKEINTRESOURCEW(m_pSelTemplate->m_nIDResource);
        icon = ::LoadIconW(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
    } else if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr) {
        icon = reinterpret_cast<HICON>(m_pParentFrame->SendMessage(WM_GETICON, ICON_BIG));
        if (icon == nullptr)
            icon = reinterpret_cast<HICON>(::GetClassLongPtrW(m_pParentFrame->GetSafeHwnd(), GCLP_HICON));
    }
    if (icon == nullptr)
        icon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    SendDlgItemMessage(IDC_KGP_VIEW_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    LoadTable();
    ListCurrentKeys();
}

void CKGPKeyboardPage::SelectCategory(int nIndex)
{
    m_wndCommands.ResetContent();
    const auto* list = nIndex >= 0 && nIndex < m_wndCategory.GetCount()
                           ? reinterpret_cast<const CObList*>(m_wndCategory.GetItemData(nIndex))
                           : nullptr;
    if (list != nullptr) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
            auto* button = static_cast<CKGPToolbarButton*>(list->GetNext(pos));
            if (button->m_nCommand == 0 || button->m_nCommand == static_cast<UINT>(-1))
                continue;  // sub-menus take no keys
            const int index = m_wndCommands.AddString(button->m_strCaption);
            m_wndCommands.SetItemData(index, reinterpret_cast<DWORD_PTR>(button));
        }
    }
    SelectCommand(-1);
}

UINT CKGPKeyboardPage::CurrentCommand() const
{
    const int selected = m_wndCommands.GetCurSel();
    const auto* button = selected >= 0 ? reinterpret_cast<const CKGPToolbarButton*>(m_wndCommands.GetItemData(selected))
                                       : nullptr;
    return button != nullptr ? button->m_nCommand : 0;
}

void CKGPKeyboardPage::SelectCommand(int nIndex)
{
    m_wndCommands.SetCurSel(nIndex);
    CString description;
    if (const UINT command = CurrentCommand(); command != 0 && m_pParentFrame != nullptr)
        m_pParentFrame->GetMessageString(command, description);
    SetDlgItemText(IDC_KGP_KEY_DESCRIPTION, description);
    ListCurrentKeys();
    OnNewKey();
}

void CKGPKeyboardPage::ListCurrentKeys()
{
    if (m_wndCurrentKeys.GetSafeHwnd() == nullptr)
        return;
    m_wndCurrentKeys.ResetContent();
    const UINT command = CurrentCommand();
    for (size_t i = 0; command != 0 && i < m_table.size(); ++i) {
        if (m_table[i].command != command)
            continue;
        const int index = m_wndCurrentKeys.AddString(KeyText(m_table[i]));
        m_wndCurrentKeys.SetItemData(index, i);
    }
    if (CWnd* remove = GetDlgItem(IDC_KGP_REMOVE))
        remove->EnableWindow(FALSE);
}

void CKGPKeyboardPage::OnNewKey()
{
    for (const UINT id : {IDC_KGP_ASSIGNED_LABEL, IDC_KGP_ASSIGNED_TO}) {
        if (CWnd* text = GetDlgItem(id))
            text->ShowWindow(SW_HIDE);
    }
    CWnd* assign = GetDlgItem(IDC_KGP_ASSIGN);
    if (assign != nullptr)
        assign->EnableWindow(FALSE);
    if (!m_wndNewKey.IsKeyDefined())
        return;
    const ACCEL accel = m_wndNewKey.GetAccel();
    const int found = kgp::FindAccelerator(m_table, accel.fVirt, accel.key);
    CString text;
    if (found >= 0) {
        const auto* sheet = DYNAMIC_DOWNCAST(CKGPToolbarCustomize, GetSheet());
        LPCTSTR name = sheet != nullptr ? sheet->GetCommandName(m_table[static_cast<size_t>(found)].command) : nullptr;
        text = name != nullptr ? name : _T("????");
    } else {
        text = KGPLoadLibraryString(IDS_KGP_KEY_NOT_ASSIGNED, _T("[Unassigned]"));
        if (assign != nullptr)
            assign->EnableWindow(CurrentCommand() != 0);
    }
    SetDlgItemText(IDC_KGP_ASSIGNED_TO, text);
    for (const UINT id : {IDC_KGP_ASSIGNED_LABEL, IDC_KGP_ASSIGNED_TO}) {
        if (CWnd* shown = GetDlgItem(id))
            shown->ShowWindow(SW_SHOW);
    }
}

BOOL CKGPKeyboardPage::InstallTable(const std::vector<kgp::AccelEntry>& table)
{
    std::vector<ACCEL> entries;
    entries.reserve(table.size());
    for (const kgp::AccelEntry& entry : table)
        entries.push_back(ACCEL{entry.flags, entry.key, entry.command});
    if (!CKGPKeyboardManager::UpdateAcceleratorTable(m_pSelTemplate, entries.data(), static_cast<int>(entries.size()),
                                                     m_pParentFrame))
        return FALSE;
    LoadTable();
    ListCurrentKeys();
    return TRUE;
}

BOOL CKGPKeyboardPage::AssignShortcut()
{
    const UINT command = CurrentCommand();
    if (command == 0 || !m_wndNewKey.IsKeyDefined())
        return FALSE;
    const ACCEL accel = m_wndNewKey.GetAccel();
    if (kgp::FindAccelerator(m_table, accel.fVirt, accel.key) >= 0)
        return FALSE;
    const kgp::AccelEntry entry{accel.fVirt, accel.key, static_cast<std::uint16_t>(command)};
    if (!InstallTable(kgp::WithAccelerator(m_table, entry)))
        return FALSE;
    m_wndNewKey.ResetKey();
    OnNewKey();
    return TRUE;
}

BOOL CKGPKeyboardPage::RemoveShortcut(int nKeyIndex)
{
    if (nKeyIndex < 0 || nKeyIndex >= m_wndCurrentKeys.GetCount())
        return FALSE;
    const int entry = static_cast<int>(m_wndCurrentKeys.GetItemData(nKeyIndex));
    return InstallTable(kgp::WithoutAccelerator(m_table, entry));
}

BOOL CKGPKeyboardPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    switch (id) {
    case IDC_KGP_KEY_VIEW:
        if (code == CBN_SELCHANGE)
            SelectView(m_wndView.GetCurSel());
        return TRUE;
    case IDC_KGP_KEY_CATEGORY:
        if (code == CBN_SELCHANGE)
            SelectCategory(m_wndCategory.GetCurSel());
        return TRUE;
    case IDC_KGP_KEY_COMMANDS:
        if (code == LBN_SELCHANGE)
            SelectCommand(m_wndCommands.GetCurSel());
        return TRUE;
    case IDC_KGP_CURRENT_KEYS:
        if (code == LBN_SELCHANGE) {
            if (CWnd* remove = GetDlgItem(IDC_KGP_REMOVE))
                remove->EnableWindow(m_wndCurrentKeys.GetCurSel() >= 0);
        }
        return TRUE;
    case IDC_KGP_NEW_KEY:
        if (code == EN_UPDATE)
            OnNewKey();
        return TRUE;
    case IDC_KGP_ASSIGN:
        AssignShortcut();
        return TRUE;
    case IDC_KGP_REMOVE:
        RemoveShortcut(m_wndCurrentKeys.GetCurSel());
        return TRUE;
    case IDC_KGP_RESET_KEYS: {
        CString question = KGPLoadLibraryString(IDS_KGP_RESET_KEYBOARD, _T("Reset all the shortcut keys?"));
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return TRUE;
        CKGPKeyboardManager::ResetAll();
        if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
            m_pParentFrame->SendMessage(KGTOOLBAR_RESETKEYBAORD);
        LoadTable();
        ListCurrentKeys();
        return TRUE;
    }
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
}
