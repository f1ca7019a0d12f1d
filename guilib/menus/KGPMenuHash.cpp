#include "guilib/menus/KGPMenuHash.h"

#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"

#include <afxarch.h>

CMenuHash g_menuHash;

namespace {

constexpr int kArchiveBuffer = 4096;

// A new temporary file, deleted by the system when its handle is closed; no
// name is left behind when it cannot be made.
CFileHandle CreateTemporaryFile()
{
    WCHAR folder[MAX_PATH + 1] = {};
    WCHAR name[MAX_PATH + 1] = {};
    if (::GetTempPathW(MAX_PATH, folder) == 0 || ::GetTempFileNameW(folder, L"ZAZ", 0, name) == 0)
        return CFileHandle();
    CFileHandle file(::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!file)
        ::DeleteFileW(name);
    return file;
}

} // namespace

BOOL CMenuHash::IsLocked()
{
    return CKGPMenuHashBusy::IsBusy();
}

BOOL CMenuHash::SaveMenuBar(HMENU hMenu, CKGPToolBar* pBar)
{
    if (pBar == nullptr || pBar->GetCount() == 0)
        return FALSE;
    CFileHandle file = CreateTemporaryFile();
    if (!file)
        return FALSE;
    try {
        CFile stream(file.Get());
        CArchive ar(&stream, CArchive::store, kArchiveBuffer);
        {
            const CKGPMenuHashBusy busy;
            pBar->Serialize(ar);
        }
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;  // the new file goes with its handle
    }
    // The earlier copy is closed (and deleted) only now.
    m_StoredMenues[hMenu] = std::move(file);
    return TRUE;
}

BOOL CMenuHash::LoadMenuBar(HMENU hMenu, CKGPToolBar* pBar)
{
    const auto found = m_StoredMenues.find(hMenu);
    if (found == m_StoredMenues.end() || pBar == nullptr)
        return FALSE;
    try {
        CFile stream(found->second.Get());
        stream.SeekToBegin();
        CArchive ar(&stream, CArchive::load, kArchiveBuffer);
        const CKGPMenuHashBusy busy;
        pBar->Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CMenuHash::RemoveMenu(HMENU hMenu)
{
    return m_StoredMenues.erase(hMenu) != 0;
}
