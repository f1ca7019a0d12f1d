// DCs bound to a window: paint cycle, client area, whole window.
#include <afxwin.h>


IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : CPaintDC(pWnd ? pWnd->m_hWnd : nullptr) {}

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd)
{
    if (hWnd)
        Attach(::BeginPaint(hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    // EndPaint releases the DC; it must not also be deleted by ~CDC.
    if (m_hDC) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : CClientDC(pWnd ? pWnd->m_hWnd : nullptr) {}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd)
{
    Attach(::GetDC(hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : CWindowDC(pWnd ? pWnd->m_hWnd : nullptr) {}

CWindowDC::CWindowDC(HWND hWnd) : m_hWnd(hWnd)
{
    Attach(::GetWindowDC(hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}
