// Handle maps: the permanent map (one table, each entry answered only on its
// window's thread) and the temporaries of each thread.
#include "afxstate.h"

#include <cstdint>
#include <mutex>
#include <shared_mutex>

namespace {

struct PermanentEntry {
    CWnd* pWnd;
    DWORD threadId; // the window's thread: the only one the entry is answered on
};

struct PermanentMap {
    std::shared_mutex lock;
    std::unordered_map<HWND, PermanentEntry> objects;
};

// A window handle is a 32-bit value: one call gives it sign-extended, another
// (as the system may) zero-extended. The maps keep it in one form.
HWND MapKey(HWND hWnd)
{
    const auto low = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(hWnd));
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(low));
}

PermanentMap& Permanent()
{
    // Never destroyed: static windows (CWnd::wndBottom & co.) and objects of
    // other static objects look here while the program's statics go away.
    static PermanentMap* map = new PermanentMap;
    return *map;
}

} // namespace

namespace afx_detail {

BOOL MapPermanent(HWND hWnd, CWnd* pWnd)
{
    const DWORD threadId = ::GetWindowThreadProcessId(hWnd, nullptr);
    PermanentMap& map = Permanent();
    std::unique_lock guard(map.lock);
    return map.objects.emplace(MapKey(hWnd), PermanentEntry{pWnd, threadId}).second;
}

void UnmapPermanent(HWND hWnd, CWnd* pWnd)
{
    PermanentMap& map = Permanent();
    std::unique_lock guard(map.lock);
    auto it = map.objects.find(MapKey(hWnd));
    if (it != map.objects.end() && it->second.pWnd == pWnd) {
        map.objects.erase(it);
    }
}

void UnmapThreadWindows(DWORD threadId)
{
    PermanentMap& map = Permanent();
    std::unique_lock guard(map.lock);
    std::erase_if(map.objects, [threadId](auto& entry) {
        if (entry.second.threadId != threadId) {
            return false;
        }
        entry.second.pWnd->m_hWnd = nullptr; // the object outlives its thread's window
        return true;
    });
}

void DeleteTempWndMap()
{
    // Take the table first: a destructor must not find its own entry half-removed.
    std::unordered_map<HWND, CWnd*> temps;
    temps.swap(GetThreadState().tempWnds);
    for (auto& [hWnd, pWnd] : temps) {
        pWnd->m_hWnd = nullptr;
        delete pWnd;
    }
}

} // namespace afx_detail

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr) {
        return nullptr;
    }
    PermanentMap& map = Permanent();
    std::shared_lock guard(map.lock);
    auto it = map.objects.find(MapKey(hWnd));
    return it != map.objects.end() && it->second.threadId == ::GetCurrentThreadId() ? it->second.pWnd : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr) {
        return nullptr;
    }
    if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
        return pWnd;
    }
    std::unordered_map<HWND, CWnd*>& temps = afx_detail::GetThreadState().tempWnds;
    auto it = temps.find(MapKey(hWnd));
    if (it != temps.end()) {
        return it->second;
    }
    CWnd* pTemp = new CWnd(hWnd);
    temps.emplace(MapKey(hWnd), pTemp);
    return pTemp;
}

void CWnd::DeleteTempMap()
{
    afx_detail::DeleteTempWndMap();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr) {
        return FALSE;
    }
    if (!afx_detail::MapPermanent(hWndNew, this)) {
        return FALSE; // the window already has an object
    }
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        afx_detail::UnmapPermanent(hWnd, this);
    }
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd)) {
        return FALSE;
    }
    PreSubclassWindow();
    WNDPROC oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (oldProc == nullptr) {
        Detach();
        return FALSE;
    }
    if (oldProc != &AfxWndProc) {
        m_pfnSuper = oldProc;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(HwndOf(pParent), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}
