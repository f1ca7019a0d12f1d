#include "tests/afx_app/TestApp.h"

namespace {
class CAppTestsApp : public CWinApp {
public:
    CAppTestsApp() : CWinApp(L"AfxAppTests") {}
    BOOL InitInstance() override
    {
        TestAppScript& script = TestAppLifeCycle();
        script.events += L"init ";
        if (!script.initResult) {
            return FALSE;
        }
        if (script.setMainWnd) {
            m_pMainWnd = &m_mainWnd;
        }
        ::PostQuitMessage(script.quitCode);
        return TRUE;
    }
    int Run() override
    {
        TestAppLifeCycle().events += L"run ";
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        TestAppLifeCycle().events += L"exit";
        m_pMainWnd = nullptr;
        return CWinApp::ExitInstance();
    }

private:
    CWnd m_mainWnd;
};

CAppTestsApp theApp;
} // namespace

TestAppScript& TestAppLifeCycle()
{
    static TestAppScript script;
    return script;
}

CWinApp& TestApp()
{
    static const bool initialised = AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_HIDE);
    static_cast<void>(initialised);
    return *AfxGetApp();
}
