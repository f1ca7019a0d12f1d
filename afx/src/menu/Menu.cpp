// CMenu and its handle maps.
#include "../wnd/afxstate.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

// Process-wide: menus are looked up from the thread that tracks them, which
// need not be the one that loaded them.
class PermanentMenuMap {
public:
    void Add(HMENU handle, CMenu* menu)
    {
        std::lock_guard lock(mutex_);
        map_[handle] = menu;
    }
    void Remove(HMENU handle, const CMenu* menu)
    {
        std::lock_guard lock(mutex_);
        auto found = map_.find(handle);
        if (found != map_.end() && found->second == menu)
            map_.erase(found);
    }
    CMenu* Find(HMENU handle)
    {
        std::lock_guard lock(mutex_);
        auto found = map_.find(handle);
        return found != map_.end() ? found->second : nullptr;
    }
    std::vector<HMENU> Handles()
    {
        std::lock_guard lock(mutex_);
        std::vector<HMENU> handles;
        handles.reserve(map_.size());
        for (const auto& entry : map_)
            handles.push_back(entry.first);
        return handles;
    }

private:
    std::mutex mutex_;
    std::unordered_map<HMENU, CMenu*> map_;
};

PermanentMenuMap& Permanent()
{
    static PermanentMenuMap map;
    return map;
}

} // namespace

namespace afx_detail {

// Temporaries hold the handle without owning or registering it.
class TempMenuMap {
public:
    TempMenuMap() = default;
    TempMenuMap(const TempMenuMap&) = delete;
    TempMenuMap& operator=(const TempMenuMap&) = delete;
    ~TempMenuMap() { Clear(); }
    CMenu* Get(HMENU handle)
    {
        auto& slot = map_[handle];
        if (!slot) {
            slot = std::make_unique<CMenu>();
            slot->m_hMenu = handle;
        }
        return slot.get();
    }
    void Clear()
    {
        for (auto& entry : map_)
            entry.second->m_hMenu = nullptr;
        map_.clear();
    }

private:
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> map_;
};

} // namespace afx_detail

namespace {

afx_detail::TempMenuMap& ThreadTempMenus()
{
    afx_detail::TempMenuMap*& menus = afx_detail::GetThreadState().pTempMenus;
    if (menus == nullptr)
        menus = new afx_detail::TempMenuMap;
    return *menus;
}

// The popup (or menu bar) directly holding the item with this command id.
HMENU FindMenuHoldingItem(HMENU menu, UINT id, int depth = 0)
{
    if (menu == nullptr || !::IsMenu(menu) || depth > 16)
        return nullptr;
    const int count = ::GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        if (HMENU sub = ::GetSubMenu(menu, pos)) {
            if (HMENU found = FindMenuHoldingItem(sub, id, depth + 1))
                return found;
        } else if (::GetMenuItemID(menu, pos) == id) {
            return menu;
        }
    }
    return nullptr;
}

// The chain of menus from root down to target (inclusive), empty when absent.
bool PathTo(HMENU root, HMENU target, std::vector<HMENU>& path, int depth = 0)
{
    if (root == nullptr || depth > 16)
        return false;
    path.push_back(root);
    if (root == target)
        return true;
    const int count = ::GetMenuItemCount(root);
    for (int pos = 0; pos < count; ++pos)
        if (PathTo(::GetSubMenu(root, pos), target, path, depth + 1))
            return true;
    path.pop_back();
    return false;
}

// The permanent CMenu for a menu, or for the nearest permanent menu above it
// among the roots given.
CMenu* PermanentOwnerOf(HMENU menu, const std::vector<HMENU>& roots)
{
    if (CMenu* direct = CMenu::FromHandlePermanent(menu))
        return direct;
    for (HMENU root : roots) {
        std::vector<HMENU> path;
        if (!PathTo(root, menu, path))
            continue;
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            if (CMenu* owner = CMenu::FromHandlePermanent(*it))
                return owner;
    }
    return nullptr;
}

} // namespace

void AfxDeleteTempMenuMap()
{
    // The whole table goes (made again on demand), so that the last call, at
    // the thread's end, leaves nothing behind.
    afx_detail::TempMenuMap*& menus = afx_detail::GetThreadState().pTempMenus;
    delete menus;
    menus = nullptr;
}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    if (CMenu* permanent = FromHandlePermanent(hMenu))
        return permanent;
    return ThreadTempMenus().Get(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu ? Permanent().Find(hMenu) : nullptr;
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    Permanent().Add(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU handle = m_hMenu;
    if (handle)
        Permanent().Remove(handle, this);
    m_hMenu = nullptr;
    return handle;
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEW(nIDResource)); }

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenuW(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return Attach(::LoadMenuIndirectW(lpMenuTemplate));
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

UINT CMenu::GetMenuItemCount() const
{
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringW(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    const int length = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0)
        return 0;
    ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(length + 1), length + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) const
{
    return ::GetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos)
{
    return ::SetMenuItemInfoW(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) const
{
    return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags);
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    auto bitmap = reinterpret_cast<LPCTSTR>(pBmp ? pBmp->m_hObject : nullptr);
    return ::AppendMenuW(m_hMenu, nFlags | MF_BITMAP, nIDNewItem, bitmap);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return ::ModifyMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck);
}

BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
{
    return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}

BOOL CMenu::SetMenuItemBitmaps(UINT nPosition, UINT nFlags, const CBitmap* pBmpUnchecked, const CBitmap* pBmpChecked)
{
    HBITMAP unchecked = pBmpUnchecked ? static_cast<HBITMAP>(pBmpUnchecked->m_hObject) : nullptr;
    HBITMAP checked = pBmpChecked ? static_cast<HBITMAP>(pBmpChecked->m_hObject) : nullptr;
    return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, unchecked, checked);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return TrackPopupMenu(nFlags, x, y, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, HWND hWnd, LPCRECT lpRect)
{
    AfxNoteMenuOpened(m_hMenu); // its owner may not be a window of the layer
    BOOL bResult = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWnd, lpRect);
    AfxNoteMenuClosed(m_hMenu);
    return bResult;
}

void AfxNoteMenuOpened(HMENU hMenu)
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    HMENU* first = state.openMenus;
    HMENU* last = first + state.nOpenMenus;
    if (hMenu == nullptr || std::find(first, last, hMenu) != last)
        return;
    if (state.nOpenMenus == afx_detail::ThreadState::kMaxOpenMenus) {
        std::move(first + 1, last, first); // the oldest goes
        --state.nOpenMenus;
    }
    state.openMenus[state.nOpenMenus++] = hMenu;
}

void AfxNoteMenuClosed(HMENU hMenu)
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (hMenu == nullptr) {
        state.nOpenMenus = 0;
        return;
    }
    HMENU* first = state.openMenus;
    HMENU* end = std::remove(first, first + state.nOpenMenus, hMenu);
    state.nOpenMenus = static_cast<int>(end - first);
}

// The base class has nothing to draw: owner-drawn items need a derived class.
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

bool AfxDispatchMenuMeasureItem(HWND hWndOwner, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct == nullptr || lpMeasureItemStruct->CtlType != ODT_MENU)
        return false;
    const UINT id = lpMeasureItemStruct->itemID;
    // The menus open now, newest first; then the window's own menu bar; then
    // every permanent menu (a popup opened where nobody noted it).
    std::vector<HMENU> roots;
    const afx_detail::ThreadState& state = afx_detail::GetThreadState();
    for (int i = state.nOpenMenus - 1; i >= 0; --i)
        if (::IsMenu(state.openMenus[i]))
            roots.push_back(state.openMenus[i]);
    if (hWndOwner && ::IsWindow(hWndOwner))
        if (HMENU bar = ::GetMenu(hWndOwner))
            roots.push_back(bar);
    for (HMENU handle : Permanent().Handles())
        roots.push_back(handle);
    for (HMENU root : roots) {
        HMENU holder = FindMenuHoldingItem(root, id);
        if (holder == nullptr)
            continue;
        if (CMenu* menu = PermanentOwnerOf(holder, roots)) {
            menu->MeasureItem(lpMeasureItemStruct);
            return true;
        }
    }
    return false;
}

bool AfxDispatchMenuDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr || lpDrawItemStruct->CtlType != ODT_MENU)
        return false;
    auto menuHandle = reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem);
    if (CMenu* menu = PermanentOwnerOf(menuHandle, Permanent().Handles())) {
        menu->DrawItem(lpDrawItemStruct);
        return true;
    }
    return false;
}
