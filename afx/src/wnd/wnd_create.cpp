// Window creation through the per-thread creation hook, the window procedure,
// and destruction.
#include "afxstate.h"

#include <cwchar>
#include <mutex>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// The procedure a subclassed window had before AfxWndProc, kept on the window too
// so that a window whose object was detached still reaches it.
const wchar_t kSuperProcProperty[] = L"Keyloft.AfxSuperProc";

void RememberSuperProc(CWnd* pWnd, HWND hWnd, WNDPROC oldProc)
{
    if (oldProc != nullptr && oldProc != &AfxWndProc) {
        pWnd->m_pfnSuper = oldProc;
        ::SetPropW(hWnd, kSuperProcProperty, reinterpret_cast<HANDLE>(oldProc));
    }
}

bool IsImeWindow(HWND hWnd)
{
    wchar_t className[32] = {};
    ::GetClassNameW(hWnd, className, 32);
    return ::lstrcmpiW(className, L"IME") == 0 || ::lstrcmpiW(className, L"MSCTFIME UI") == 0;
}

// The object waiting for its window takes hWnd, the window just made, before
// the window handles its first message. bSubclass: the window's procedure is
// not AfxWndProc yet (the hook's case); at AfxWndProc's first message it is
// in the window's chain already, under whatever subclassed the window since.
void AttachWindowInit(afx_detail::ThreadState& state, HWND hWnd, bool bSubclass)
{
    CWnd* pWndInit = state.pWndInit;
    state.pWndInit = nullptr;
    if (pWndInit->Attach(hWnd)) {
        CSelfDeletingCreation::NoteWindowMade(pWndInit);
        pWndInit->PreSubclassWindow();
        if (!bSubclass)
            return;
        WNDPROC oldProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        RememberSuperProc(pWndInit, hWnd, oldProc);
    }
}

// Whether the object waiting was not attached (its window was not made).
BOOL EndWindowInit(afx_detail::ThreadState& state)
{
    if (state.pWndInit != nullptr) {
        state.pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (code == HCBT_CREATEWND && state.pWndInit != nullptr && !IsImeWindow(reinterpret_cast<HWND>(wParam)))
        AttachWindowInit(state, reinterpret_cast<HWND>(wParam), true);
    return ::CallNextHookEx(state.hHookCbt, code, wParam, lParam);
}

// Whether the class's own procedure is AfxWndProc: its window's first message
// reaches AfxWndProc, which attaches the object waiting, so no hook is needed
// (a thread with the hook installed has Wine's server called into at each
// window made or destroyed, shown or activated).
bool ClassRunsAfxWndProc(const CREATESTRUCTW& cs)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    return cs.lpszClass != nullptr && ::GetClassInfoExW(cs.hInstance, cs.lpszClass, &wc) &&
           wc.lpfnWndProc == &AfxWndProc;
}

struct ClassRegistry {
    std::mutex lock;
    std::set<std::wstring> names;
};

ClassRegistry& Classes()
{
    static ClassRegistry registry;
    return registry;
}

} // namespace

void AfxFinishNcDestroy(CWnd* pWnd)
{
    HWND hWnd = pWnd->m_hWnd;
    if (hWnd == nullptr || CWnd::FromHandlePermanent(hWnd) != pWnd) {
        return;
    }
    if (pWnd->m_pfnSuper != nullptr &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == &AfxWndProc) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
    }
    // (Only a window with a procedure of its own before AfxWndProc has it.)
    if (pWnd->m_pfnSuper != nullptr)
        ::RemovePropW(hWnd, kSuperProcProperty);
    pWnd->m_pfnSuper = nullptr;
    pWnd->Detach();
    CSelfDeletingCreation::NoteEnded(pWnd);
    pWnd->PostNcDestroy(); // may delete the object
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC) {
        return 1;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr && (nMsg == WM_GETMINMAXINFO || nMsg == WM_NCCREATE)) {
        // The first message of a window of a class of AfxWndProc's own, made
        // for the object waiting without the hook.
        afx_detail::ThreadState& state = afx_detail::GetThreadState();
        if (state.pWndInit != nullptr) {
            AttachWindowInit(state, hWnd, false);
            pWnd = CWnd::FromHandlePermanent(hWnd);
        }
    }
    if (pWnd == nullptr) {
        WNDPROC superProc = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kSuperProcProperty));
        if (nMsg == WM_NCDESTROY) {
            ::RemovePropW(hWnd, kSuperProcProperty);
        }
        return superProc != nullptr ? ::CallWindowProcW(superProc, hWnd, nMsg, wParam, lParam)
                                    : ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    if (nMsg == WM_INITMENUPOPUP) {
        AfxNoteMenuOpened(reinterpret_cast<HMENU>(wParam));
    } else if (nMsg == WM_UNINITMENUPOPUP) {
        AfxNoteMenuClosed(reinterpret_cast<HMENU>(wParam));
    } else if (nMsg == WM_EXITMENULOOP) {
        AfxNoteMenuClosed(nullptr);
    }
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    const MSG previous = state.lastSentMsg;
    state.lastSentMsg.hwnd = hWnd;
    state.lastSentMsg.message = nMsg;
    state.lastSentMsg.wParam = wParam;
    state.lastSentMsg.lParam = lParam;
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        const MSG current{hWnd, nMsg, wParam, lParam, 0, {}};
        lResult = AfxProcessWndProcException(e, &current);
        e->Delete();
    }
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        AfxFinishNcDestroy(pWnd); // a derived OnNcDestroy did not call the base
    }
    state.lastSentMsg = previous;
    return lResult;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.nHookUsers++ == 0 && state.hHookCbt == nullptr) {
        state.hHookCbt = ::SetWindowsHookExW(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
    }
    state.pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    // The hook goes with the last creation that armed it.
    if (state.nHookUsers > 0 && --state.nHookUsers == 0 && state.hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    return EndWindowInit(state);
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    wchar_t name[96];
    std::swprintf(name, 96, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    ClassRegistry& registry = Classes();
    std::lock_guard guard(registry.lock);
    auto it = registry.names.find(name);
    if (it != registry.names.end()) {
        return it->c_str();
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(hInst, name, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.style = nClassStyle;
        // Its windows are made for objects (AfxWndProc hands a message of
        // one without an object to DefWindowProc).
        wc.lpfnWndProc = &AfxWndProc;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassExW(&wc)) {
            return nullptr;
        }
    }
    return registry.names.insert(name).first->c_str();
}

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    if (m_hWnd == nullptr) {
        return;
    }
    if (FromHandlePermanent(m_hWnd) == this) {
        // On the window's thread the object goes first: the window follows
        // (derived handlers no longer run).
        ::DestroyWindow(m_hWnd);
    }
    if (m_hWnd != nullptr) {
        // Destroyed on another thread (against the thread model): the window
        // goes on without the object.
        UnsubclassWindow();
    }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    return cs.lpszClass != nullptr;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, HwndOf(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, HwndOf(pParentWnd),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        CSelfDeletingCreation::NoteEnded(this);
        PostNcDestroy();
        return FALSE;
    }
    const bool bHook = !ClassRunsAfxWndProc(cs);
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (bHook) {
        AfxHookWindowCreate(this);
    } else {
        state.pWndInit = this;
    }
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                  cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!(bHook ? AfxUnhookWindowCreate() : EndWindowInit(state))) {
        CSelfDeletingCreation::NoteEnded(this);
        PostNcDestroy(); // no window was ever made for the object
        return FALSE;
    }
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return ::DestroyWindow(m_hWnd);
}
