#include "TestApp.h"

#include "FrameClasses.h"
#include "frames_resource.h"

namespace {

class CFramesTestApp : public CWinApp {
public:
    CFramesTestApp() : CWinApp(L"FramesTests") {}
};

CFramesTestApp theApp;

} // namespace

CWinApp& TestApp()
{
    static const bool initialised = [] {
        AfxWinInit(::GetModuleHandleW(nullptr), nullptr, const_cast<LPWSTR>(L""), SW_SHOWNORMAL);
        theApp.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CTestDoc),
                                                     RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestView)));
        return true;
    }();
    static_cast<void>(initialised);
    return theApp;
}
