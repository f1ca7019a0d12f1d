// Start-up stub until the application object lands: shows that the program runs.
#include <windows.h>
#include <cstdio>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    std::printf("Keyloft started\n");
    return 0;
}
