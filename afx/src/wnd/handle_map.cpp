// Handle maps: one process-wide permanent map, temporaries per thread.
#include "afxstate.h"

#include <mutex>
#include <shared_mutex>

namespace {

struct PermanentMap {
    std::shared_mutex lock;
    std::unordered_map<HWND, CWnd*> objects;
};

PermanentMap& Permanent()
{
    static PermanentMap map;
    return map;
}

} // namespace

namespace afx_detail {

BOOL MapPermanent(HWND hWnd, CWnd* pWnd)
{
    PermanentMap& map = Permanent();
    std::unique_lock guard(map.lock);
    return map.objects.emplace(hWnd, pWnd).second;
}

void UnmapPermanent(HWND hWnd, CWnd* pWnd)
{
    PermanentMap& map = Permanent();
    std::unique_lock guard(map.lock);
    auto it = map.objects.find(hWnd);
    if (it != map.objects.end() && it->second == pWnd) {
        map.objects.erase(it);
    }
}

void DeleteTempWndMap()
{
    ThreadState& state = GetThreadState();
    if (state.pTempMap == nullptr) {
        return;
    }
    // Take the table first: a destructor must not find its own entry half-removed.
    std::unordered_map<HWND, CWnd*> temps;
    temps.swap(*state.pTempMap);
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
    auto it = map.objects.find(hWnd);
    return it != map.objects.end() ? it->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr) {
        return nullptr;
    }
    if (CWnd* pWnd = FromHandlePermanent(hWnd)) {
        return pWnd;
    }
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.pTempMap == nullptr) {
        state.pTempMap = new std::unordered_map<HWND, CWnd*>();
    }
    auto it = state.pTempMap->find(hWnd);
    if (it != state.pTempMap->end()) {
        return it->second;
    }
    CWnd* pTemp = new CWnd(hWnd);
    state.pTempMap->emplace(hWnd, pTemp);
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
