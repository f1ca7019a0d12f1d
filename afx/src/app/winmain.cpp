// The program's entry point, alone in its file. The application object's
// constructor refers to kEntryPointLinked, so a program with a CWinApp always
// links this file, even though the C runtime asks for wWinMain only after the
// layer's library was searched.
#include <afxwin.h>

namespace afx_detail {
extern const int kEntryPointLinked;
const int kEntryPointLinked = 1;
} // namespace afx_detail

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
