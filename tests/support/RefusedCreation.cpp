#include "tests/support/RefusedCreation.h"

namespace keyloft_test {

namespace {

constexpr wchar_t kNextProc[] = L"KeyloftTestRefusedNextProc";

thread_local CRefusedCreationScope* t_pScope = nullptr;

} // namespace

CRefusedCreationScope::CRefusedCreationScope(CRuntimeClass* pClass) : m_pClass(pClass), m_pOuter(t_pScope)
{
    m_hHook = ::SetWindowsHookExW(WH_CBT, &CbtHook, nullptr, ::GetCurrentThreadId());
    t_pScope = this;
}

CRefusedCreationScope::~CRefusedCreationScope()
{
    if (m_hHook != nullptr)
        ::UnhookWindowsHookEx(m_hHook);
    t_pScope = m_pOuter;
}

LRESULT CALLBACK CRefusedCreationScope::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    // The layer's own hook, when armed, attaches the object first (whichever
    // of the two hooks the system calls first); a window of a class whose
    // procedure is the layer's gets its object at its first message, so it is
    // watched until WM_CREATE, when the object is there.
    const LRESULT result = ::CallNextHookEx(nullptr, code, wParam, lParam);
    CRefusedCreationScope* pScope = t_pScope;
    if (code != HCBT_CREATEWND || pScope == nullptr)
        return result;
    const auto hWnd = reinterpret_cast<HWND>(wParam);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && !pWnd->IsKindOf(pScope->m_pClass))
        return result;
    const LONG_PTR next = ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingProc));
    ::SetPropW(hWnd, kNextProc, reinterpret_cast<HANDLE>(next));
    return result;
}

LRESULT CALLBACK CRefusedCreationScope::RefusingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto next = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kNextProc));
    CRefusedCreationScope* pScope = t_pScope;
    if (message == WM_CREATE) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pScope != nullptr && pWnd != nullptr && pWnd->IsKindOf(pScope->m_pClass)) {
            ++pScope->m_nRefused;
            return -1;
        }
        // Of another class: left alone from now on.
        if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&RefusingProc)) {
            ::RemovePropW(hWnd, kNextProc);
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
        }
    }
    if (message == WM_NCDESTROY) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pScope != nullptr && pWnd != nullptr && pWnd->IsKindOf(pScope->m_pClass))
            ++pScope->m_nEnded;
        ::RemovePropW(hWnd, kNextProc);
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
    }
    return next != nullptr ? ::CallWindowProcW(next, hWnd, message, wParam, lParam)
                           : ::DefWindowProcW(hWnd, message, wParam, lParam);
}

} // namespace keyloft_test
