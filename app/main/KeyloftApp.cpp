// The application object. For now it only shows that the program starts; the
// main window comes with the program's real start-up.
#include <afxwin.h>

#include <cstdio>

class CKeyloftApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        std::printf("Keyloft started\n");
        std::fflush(stdout);
        return FALSE;
    }
};

CKeyloftApp theApp;
