// A host window that records the program's messages and answers them with a
// chosen value, and a message pump.
#pragma once

#include <afxwin.h>

#include <vector>

namespace menus_test {

struct Recorded {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class CHostWnd : public CWnd {
public:
    CHostWnd() = default;
    ~CHostWnd() override;
    BOOL CreateHost(int width = 640, int height = 480);
    std::vector<Recorded> Take(UINT message);
    LRESULT m_answer = 1;  // what WM_USER.. WM_USER+40 are answered with
    std::vector<Recorded> m_received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

void Pump(DWORD ms = 0);

inline LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

} // namespace menus_test
