#include "tests/afx_app/TestApp.h"

namespace {
class CAppTestsApp : public CWinApp {
public:
    CAppTestsApp() : CWinApp(L"AfxAppTests") {}
};

CAppTestsApp theApp;
} // namespace

CWinApp& TestApp()
{
    static const bool initialised = AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_HIDE);
    static_cast<void>(initialised);
    return *AfxGetApp();
}
