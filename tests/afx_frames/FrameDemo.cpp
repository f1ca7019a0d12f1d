// A small program with a frame, menu, toolbar, status bar, left sizing bar and
// view. It runs about a second, then closes its main window; the exit code
// tells whether that went as planned.
#include <afxwin.h>

#include "FrameClasses.h"
#include "frames_resource.h"

namespace {

constexpr UINT_PTR kCloseTimer = 77;
bool g_closedByTimer = false;

void CALLBACK CloseMainWindow(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    ::KillTimer(hWnd, kCloseTimer);
    g_closedByTimer = true;
    ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
}

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"Frame demo") {}

    BOOL InitInstance() override
    {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CTestView)));
        CCommandLineInfo commandLine;
        ParseCommandLine(commandLine);
        if (!ProcessShellCommand(commandLine) || m_pMainWnd == nullptr)
            return FALSE;
        auto* frame = static_cast<CTestFrame*>(m_pMainWnd);
        frame->m_workspace.m_tree.InsertItem(L"Songs");
        frame->m_workspace.m_tree.InsertItem(L"Styles");
        ::SetTimer(m_pMainWnd->m_hWnd, kCloseTimer, 1000, &CloseMainWindow);
        return TRUE;
    }

    int ExitInstance() override
    {
        const int code = CWinApp::ExitInstance();
        if (!g_closedByTimer)
            return 3;
        return code;
    }
};

CDemoApp theApp;

} // namespace
