// The common dialogs, loaded on their first use. Importing comdlg32 loads the
// printer spooler with it, and under Wine the spooler looks for printers as it
// starts: that cost more than a whole window's start, at every start of a
// program that shows a file or colour dialog only when the user asks for one.
//
// The program does not link comdlg32. Each function it calls is reached through
// the import pointer the compiler uses for it (`__imp_<name>`), defined here: it
// points at a stand-in that loads the library once and calls the real function.
// A common-dialog function that is not listed here does not link, which says
// where it belongs.
#include <windows.h>
#include <commdlg.h>

namespace {

HMODULE CommonDialogsModule()
{
    static const HMODULE module = ::LoadLibraryW(L"comdlg32.dll");
    return module;
}

template <typename Function>
Function Resolve(const char* name)
{
    const HMODULE module = CommonDialogsModule();
    if (module == nullptr)
        return nullptr;
    // Through the generic function pointer type, which any function pointer
    // converts to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// Without the library a dialog is not shown, and CommDlgExtendedError says
// that the dialogs could not be initialised.
template <typename Function, typename Argument>
BOOL CallDialog(const char* name, Argument argument)
{
    static const Function function = Resolve<Function>(name);
    return function != nullptr ? function(argument) : FALSE;
}

BOOL WINAPI OnDemandGetOpenFileNameW(LPOPENFILENAMEW dialog)
{
    return CallDialog<decltype(&OnDemandGetOpenFileNameW)>("GetOpenFileNameW", dialog);
}

BOOL WINAPI OnDemandGetSaveFileNameW(LPOPENFILENAMEW dialog)
{
    return CallDialog<decltype(&OnDemandGetSaveFileNameW)>("GetSaveFileNameW", dialog);
}

BOOL WINAPI OnDemandChooseColorW(LPCHOOSECOLORW dialog)
{
    return CallDialog<decltype(&OnDemandChooseColorW)>("ChooseColorW", dialog);
}

DWORD WINAPI OnDemandCommDlgExtendedError()
{
    using Function = decltype(&OnDemandCommDlgExtendedError);
    static const Function function = Resolve<Function>("CommDlgExtendedError");
    return function != nullptr ? function() : static_cast<DWORD>(CDERR_INITIALIZATION);
}

} // namespace

// The import pointers of the functions above, under the names calls through
// <commdlg.h> use.
extern "C" {
decltype(&OnDemandGetOpenFileNameW) keyloft_imp_GetOpenFileNameW __asm__("__imp_GetOpenFileNameW") =
    &OnDemandGetOpenFileNameW;
decltype(&OnDemandGetSaveFileNameW) keyloft_imp_GetSaveFileNameW __asm__("__imp_GetSaveFileNameW") =
    &OnDemandGetSaveFileNameW;
decltype(&OnDemandChooseColorW) keyloft_imp_ChooseColorW __asm__("__imp_ChooseColorW") = &OnDemandChooseColorW;
decltype(&OnDemandCommDlgExtendedError) keyloft_imp_CommDlgExtendedError __asm__("__imp_CommDlgExtendedError") =
    &OnDemandCommDlgExtendedError;
}
