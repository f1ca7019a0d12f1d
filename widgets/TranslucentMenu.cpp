#include "widgets/TranslucentMenu.h"

namespace widgets {

namespace {

BOOL CALLBACK MakeMenuTranslucent(HWND window, LPARAM alpha)
{
    wchar_t className[16] = {};
    if (::GetClassNameW(window, className, 16) == 0 || ::lstrcmpW(className, L"#32768") != 0) {
        return TRUE;
    }
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) == 0) {
        ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    }
    ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
    return TRUE;
}

} // namespace

void MakeThreadMenusTranslucent(BYTE alpha)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), MakeMenuTranslucent, alpha);
}

} // namespace widgets
