#include "guilib/menus/KGPMenuHash.h"

#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"

#include <afxarch.h>

CMenuHash g_menuHash;

namespace {

constexpr int kArchiveBuffer = 4096;
constexpr int kMaxNameAttempts = 64;

// A new temporary file "ZAZ<n>.tmp" in the temporary folder, deleted by the
// system when its handle is closed. The name is made and the file created in
// one step (a taken name moves on to the next number), so that no empty name
// file is ever left behind.
CFileHandle CreateTemporaryFile()
{
    WCHAR folder[MAX_PATH + 1] = {};
    if (::GetTempPathW(MAX_PATH, folder) == 0)
        return CFileHandle();
    static UINT s_nextNumber = ::GetTickCount() ^ ::GetCurrentProcessId();
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        // Numbers are 16-bit; 0 would ask the system to make the file itself.
        UINT number = s_nextNumber++ & 0xFFFF;
        if (number == 0)
            number = s_nextNumber++ & 0xFFFF;
        WCHAR name[MAX_PATH + 1] = {};
        if (::GetTempFileNameW(folder, L"ZAZ", number, name) == 0)
            return CFileHandle();
        CFileHandle file(::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file)
            return file;
        if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return CFileHandle();
    }
    return CFileHandle();
}

// The store keeps a menu's buttons; the place the bar remembers is its own,
// whichever menu it shows, and stays as it is while a menu is stored or taken
// back (the bar's archive carries its place: storing took the place it stands
// in now, taking back the one it stood in when the menu was stored, so a menu
// bar's row read with a layout went before the layout put it there, and it
// came back in the row it stood in as the layout was read). So does the edge
// it stands at: the archive's edge is the one of the day the menu was stored,
// and a menu bar moved to a side since took it back with the frame's menu and
// laid out its menus across a column as if in a row.
class CBarPlaceKept {
public:
    explicit CBarPlaceKept(CKGPToolBar& bar)
        : m_place(bar.m_recentDockInfo), m_floating(m_place.m_rectRecentFloatingRect),
          m_docked(m_place.m_rectRecentDockedRect), m_dwAlignment(m_place.m_dwRecentAlignmentToFrame),
          m_nRow(m_place.m_nRecentRowIndex), m_bar(bar), m_dwEdge(bar.GetCurrentAlignment())
    {
    }
    ~CBarPlaceKept()
    {
        m_place.m_rectRecentFloatingRect = m_floating;
        m_place.m_rectRecentDockedRect = m_docked;
        m_place.m_dwRecentAlignmentToFrame = m_dwAlignment;
        m_place.m_nRecentRowIndex = m_nRow;
        m_bar.SetCurrentAlignment(m_dwEdge);
    }
    CBarPlaceKept(const CBarPlaceKept&) = delete;
    CBarPlaceKept& operator=(const CBarPlaceKept&) = delete;

private:
    CKGPRecentDockInfo& m_place;
    const CRect m_floating;
    const CRect m_docked;
    const DWORD m_dwAlignment;
    const int m_nRow;
    CKGPToolBar& m_bar;
    const DWORD m_dwEdge;
};

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
            const CBarPlaceKept place(*pBar);
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
        const CBarPlaceKept place(*pBar);
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
