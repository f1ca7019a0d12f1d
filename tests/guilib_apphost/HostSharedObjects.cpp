#include "tests/guilib_apphost/HostSharedObjects.h"

#include <afxwin.h>

#include "guilib/core/KGPGlobalData.h"

namespace apphost {

void MakeSharedObjects()
{
    CDC::GetHalftoneBrush();
    for (LPCWSTR cursor : {IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_CROSS, IDC_UPARROW, IDC_SIZENWSE, IDC_SIZENESW,
                           IDC_SIZEWE, IDC_SIZENS, IDC_SIZEALL, IDC_NO, IDC_HAND, IDC_APPSTARTING, IDC_HELP})
        ::LoadCursorW(nullptr, cursor);
    for (LPCWSTR icon : {IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK, IDI_WINLOGO})
        ::LoadIconW(nullptr, icon);
    GetKGPGlobalData().GetHandCursor();
    GetKGPGlobalData().GetSplitterCursor(TRUE);
    GetKGPGlobalData().GetSplitterCursor(FALSE);
    for (int colour = COLOR_SCROLLBAR; colour <= COLOR_MENUBAR; ++colour)
        ::GetSysColorBrush(colour);
}

} // namespace apphost
