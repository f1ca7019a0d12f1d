// The file commands of a transfer page: files into and out of the data folder
// through the shell, slots cleared on the instrument, double-click, keys, menus
// and drag and drop.
#include <afxdlgs.h>

#include "widgets/ListDrag.h"
#include "pages/ProgramMessages.h"
#include "app/transfer/TransferNotes.h"
#include "app/transfer/TransferPage.h"
#include "app/view/ViewGlobals.h"
#include "core/files/Folders.h"
#include "core/files/ShellHelpers.h"
#include "core/files/TextHelpers.h"
#include "core/files/ShellSeam.h"
#include "core/link/USBPort.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "core/profile/ProfileKeys.h"
#include "widgets/UiResources.h"
#include "res/resource.h"
#include "widgets/OwnerDrawMenu.h"

namespace {

constexpr int kIconWarning = 191;

bool HasExtension(const CString& name, LPCTSTR extension)
{
    const int length = static_cast<int>(wcslen(extension));
    return name.GetLength() > length && name.Right(length).CompareNoCase(extension) == 0;
}

} // namespace

void CTransferPage::CopyIntoFolder(const std::vector<CString>& sources)
{
    if (sources.empty())
        return;
    const CString folder = GetFolder();
    std::vector<CString> destinations;
    for (const CString& source : sources)
        destinations.push_back(folder + GetFileNameOfPath(source));
    GetShellOperations().CopyFiles(sources, destinations);
}

void CTransferPage::OnAddFiles()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       m_info.addFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    std::vector<CString> sources;
    for (POSITION pos = dialog.GetStartPosition(); pos;)
        sources.push_back(dialog.GetNextPathName(pos));
    if (sources.empty() || GetFolderOfPath(sources.back()).CompareNoCase(GetFolder()) == 0)
        return;
    CopyIntoFolder(sources);
}

void CTransferPage::OnAddFolder()
{
    {
        CFolderWatchPause pause(m_info.kind);
        const CIni profile = GetAppProfile().GetIni();
        CString folder = profile.GetString(profile_keys::kAddFolderSection, profile_keys::kAddFolderKeys[m_info.kind], L"");
        if (GetShellOperations().BrowseForFolder(GetSafeHwnd(), folder)) {
            profile.WriteString(profile_keys::kAddFolderSection, profile_keys::kAddFolderKeys[m_info.kind], folder);
            if (folder.Right(1) != L"\\")
                folder += L"\\";
            if (folder.CompareNoCase(GetFolder()) == 0)
                return;
            CopyIntoFolder(ListAllFiles(folder, m_info.extensionBare));
        }
    }
    FillPCList();
}

void CTransferPage::OnRemoveSelected()
{
    CUIntArray rows;
    m_pcList.GetSelectedRows(rows);
    if (rows.GetSize() == 0)
        return;
    {
        CFolderWatchPause pause(m_info.kind);
        std::vector<CString> paths;
        for (INT_PTR i = 0; i < rows.GetSize(); ++i)
            paths.push_back(GetFolder() + m_pcList.GetItemText(static_cast<int>(rows[i]), 0));
        GetShellOperations().DeleteFiles(paths, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
    }
    FillPCList();
}

void CTransferPage::OnRemoveAll()
{
    if (m_pcList.GetItemCount() == 0)
        return;
    {
        CFolderWatchPause pause(m_info.kind);
        std::vector<CString> paths;
        for (int row = 0; row < m_pcList.GetItemCount(); ++row)
            paths.push_back(GetFolder() + m_pcList.GetItemText(row, 0));
        GetShellOperations().DeleteFiles(paths, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
    }
    FillPCList();
}

void CTransferPage::OnDropFiles(const CStringArray& files)
{
    if (files.GetSize() == 0 || GetFolderOfPath(files[0]).CompareNoCase(GetFolder()) == 0)
        return;
    std::vector<CString> sources;
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        if (HasExtension(GetFileNameOfPath(files[i]), m_info.extension))
            sources.push_back(files[i]);
    }
    CopyIntoFolder(sources);
}

void CTransferPage::OnDropFolders(const CStringArray& folders)
{
    {
        CFolderWatchPause pause(m_info.kind);
        for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
            CString folder = folders[i];
            if (folder.Right(1) != L"\\")
                folder += L"\\";
            if (folder.CompareNoCase(GetFolder()) == 0)
                continue;
            CopyIntoFolder(ListAllFiles(folder, m_info.extensionBare));
        }
    }
    FillPCList();
}

void CTransferPage::OnPCListDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    CString target = GetFolder();
    if (m_info.doubleClickOpensFile) {
        const int row = m_pcList.GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
        if (row < 0)
            return;
        target += m_pcList.GetItemText(row, 0);
    }
    ShellOpen(target, true);  // a failure shows the system's own text for it
}

void CTransferPage::OnDeleteSelected()
{
    CUSBPort* port = GetPort();
    if (!port || port->IsBusyAfterKeepAlive() || m_runner.IsRunning())
        return;
    CUIntArray rows;
    m_devList.GetSelectedUsedRows(rows);
    if (rows.GetSize() == 0)
        return;
    CUIntArray slots;
    CStringArray names;
    m_devList.GetSlotNumbers(rows, slots);
    m_devList.GetSlotNames(rows, names);
    CString question;
    if (rows.GetSize() == 1)
        question.Format(LoadResString(161), names.GetSize() ? names[0].GetString() : L"");
    else
        question.Format(LoadResString(162), static_cast<int>(rows.GetSize()));
    if (GetTransferNotes().ShowText(-1, MB_MODE_OKCANCEL, question) != IDOK)
        return;
    for (INT_PTR i = 0; i < slots.GetSize(); ++i) {
        if (!DeleteSlotOfKind(*port, m_info.kind, static_cast<int>(slots[i]))) {
            CString text;
            text.Format(LoadResString(158), i < names.GetSize() ? names[i].GetString() : L"");
            GetTransferNotes().ShowText(kIconWarning, MB_MODE_OK, text);
            break;
        }
    }
    RefreshDeviceList();
}

void CTransferPage::OnDeleteAll()
{
    CUSBPort* port = GetPort();
    if (!port || port->IsBusyAfterKeepAlive() || m_runner.IsRunning() || m_devList.GetItemCount() == 0)
        return;
    if (ShowPlainMessageBox(LoadResString(164), MB_YESNO | MB_ICONQUESTION, GetSafeHwnd()) != IDYES)
        return;
    for (int row = 0; row < m_devList.GetItemCount(); ++row) {
        if (m_devList.IsSlotFree(row))
            continue;
        CUIntArray one, slot;
        one.Add(static_cast<UINT>(row));
        const int number = m_devList.GetSlotNumbers(one, slot) && slot.GetSize() == 1 ? static_cast<int>(slot[0]) : -1;
        if (!DeleteSlotOfKind(*port, m_info.kind, number)) {
            CString text;
            text.Format(LoadResString(158), m_devList.GetItemText(row, m_info.deleteAllNamesByNumber ? 0 : 1).GetString());
            GetTransferNotes().ShowText(kIconWarning, MB_MODE_OK, text);
            break;
        }
    }
    RefreshDeviceList();
}

void CTransferPage::OnPCListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* key = reinterpret_cast<NMLVKEYDOWN*>(pNMHDR);
    *pResult = 0;
    if (key->wVKey == VK_DELETE) {
        OnRemoveSelected();
        *pResult = 1;
    } else if (key->wVKey == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        m_pcList.SelectAll();
        *pResult = 1;
    }
}

void CTransferPage::OnDevListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* key = reinterpret_cast<NMLVKEYDOWN*>(pNMHDR);
    *pResult = 0;
    if (key->wVKey == VK_DELETE) {
        if (m_info.deleteKeyClearsSlots)
            OnDeleteSelected();
        *pResult = 1;
    } else if (key->wVKey == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        m_devList.SelectAll();
        *pResult = 1;
    }
}

void CTransferPage::OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* drop = reinterpret_cast<NMTOOLBAR*>(pNMHDR);
    *pResult = 0;
    UINT menuId = 0;
    int popup = -1;
    switch (drop->iItem) {
    case ID_TRANSFER_ADD_FILES: menuId = IDR_TRANSFER_PC_MENU; popup = 0; break;
    case ID_TRANSFER_REMOVE_SELECTED: menuId = IDR_TRANSFER_PC_MENU; popup = 1; break;
    case ID_TRANSFER_DOWNLOAD: menuId = IDR_TRANSFER_PC_MENU; popup = 2; break;
    case ID_TRANSFER_DELETE_SELECTED: menuId = IDR_TRANSFER_DEV_MENU; popup = 0; break;
    case ID_TRANSFER_UPLOAD_SELECTED: menuId = IDR_TRANSFER_DEV_MENU; popup = 1; break;
    default: return;
    }
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    CMenu* sub = menu.GetSubMenu(popup);
    if (!sub)
        return;
    CRect rect(drop->rcButton);
    ::MapWindowPoints(pNMHDR->hwndFrom, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    sub->TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, rect.left, rect.bottom, this);
}

void CTransferPage::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (point.x == -1 && point.y == -1)
        ::GetCursorPos(&point);
    CMenu menu;
    if (pWnd == &m_pcList) {
        if (menu.LoadMenu(IDR_TRANSFER_PC_MENU))
            if (CMenu* sub = menu.GetSubMenu(3))
                sub->TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, this);
        return;
    }
    // The device side's menu has the program's own look.
    COwnerDrawMenu deviceMenu;
    if (pWnd != &m_devList || !deviceMenu.LoadMenu(IDR_TRANSFER_DEV_MENU))
        return;
    CMenu* sub = deviceMenu.GetSubMenu(m_info.deviceDeleteButton ? 3 : 2);
    if (!sub)
        return;
    if (!IsUploadEnabled(m_info.kind)) {
        sub->DeleteMenu(ID_TRANSFER_UPLOAD_SELECTED, MF_BYCOMMAND);
        sub->DeleteMenu(ID_TRANSFER_UPLOAD_ALL, MF_BYCOMMAND);
        if (m_info.deviceDeleteButton)
            sub->DeleteMenu(2, MF_BYPOSITION);
    }
    if (sub->GetMenuItemCount() > 0)
        sub->TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, this);
}

LRESULT CTransferPage::OnDragNotify(WPARAM wParam, LPARAM)
{
    const auto* record = reinterpret_cast<const DragNotifyRecord*>(wParam);
    if (record && record->cursor)
        OnDragDrop(*record);
    return 0;
}

void CTransferPage::OnDragDrop(const DragNotifyRecord& record)
{
    const bool fromPc = record.controlId == IDC_TRANSFER_PC_LIST;
    const POINT cursor = *record.cursor;
    switch (record.code) {
    case LIST_DRAG_BEGIN:
        if (HCURSOR dragCursor = GetUiResources().GetDragCursor())
            ::SetCursor(dragCursor);
        if (fromPc)
            m_devList.ClearDropMarker(cursor.x, cursor.y);
        break;
    case LIST_DRAG_MOVE:
        if (fromPc)
            m_devList.TrackDrop(static_cast<int>(m_pcList.GetDraggedRows().GetSize()), cursor.x, cursor.y);
        break;
    case LIST_DRAG_DROP:
        if (fromPc) {
            const int count = static_cast<int>(m_pcList.GetDraggedRows().GetSize());
            m_devList.ClearDropMarker(cursor.x, cursor.y);
            CUIntArray targets;
            m_devList.GetDropSlots(count, cursor.x, cursor.y, targets);
            StartDownload(m_pcList.GetDraggedRows(), targets);
        } else {
            CRect pcRect;
            m_pcList.GetWindowRect(&pcRect);
            if (pcRect.PtInRect(cursor))
                StartUpload(m_devList.GetDraggedRows());
        }
        break;
    case LIST_DRAG_CANCEL:
        if (fromPc)
            m_devList.ClearDropMarker(cursor.x, cursor.y);
        break;
    default:
        return;
    }
    // Checks that ended during the drag left their sort for now.
    if ((record.code == LIST_DRAG_DROP || record.code == LIST_DRAG_CANCEL) && !IsCheckingMarks())
        m_pcList.SortAfterMarkChecks();
}
