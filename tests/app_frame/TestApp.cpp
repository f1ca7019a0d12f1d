#include "tests/app_frame/TestApp.h"

#include <commctrl.h>

namespace {
CKeyloftApp theApp;
} // namespace

CKeyloftApp& TestApp()
{
    static const bool initialised = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
        ::InitCommonControlsEx(&controls);
        return true;
    }();
    static_cast<void>(initialised);
    return theApp;
}
