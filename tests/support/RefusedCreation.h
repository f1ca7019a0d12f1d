// Windows of one class that refuse their creation: while a scope lives, every
// window made on the calling thread whose object is of the class given (a
// library class an application does not derive from, made by the library
// itself) answers -1 to its WM_CREATE once its object is attached, as an
// OnCreate that refuses does. The window is then destroyed by the system and
// its object ends as its class has it; the scope counts the refusals and the
// windows' ends (WM_NCDESTROY) it saw.
#pragma once

#include <afxwin.h>

namespace keyloft_test {

class CRefusedCreationScope {
public:
    explicit CRefusedCreationScope(CRuntimeClass* pClass);
    ~CRefusedCreationScope();
    CRefusedCreationScope(const CRefusedCreationScope&) = delete;
    CRefusedCreationScope& operator=(const CRefusedCreationScope&) = delete;

    int Refused() const { return m_nRefused; }
    int Ended() const { return m_nEnded; }

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK RefusingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CRuntimeClass* m_pClass;
    HHOOK m_hHook = nullptr;
    int m_nRefused = 0;
    int m_nEnded = 0;
    CRefusedCreationScope* m_pOuter = nullptr;
};

} // namespace keyloft_test
