// Assertion reports and TRACE output for debug builds.
#include <afxbase.h>

#include <cstdarg>
#include <cstdio>

void AFXAPI AfxAssertFailedLine(const char* file, int line)
{
    char message[512];
    std::snprintf(message, sizeof message, "Assertion failed: %s(%d)\n", file != nullptr ? file : "?", line);
    ::OutputDebugStringA(message);
    if (::IsDebuggerPresent())
        ::DebugBreak();
}

namespace afx_detail {

void Trace(const wchar_t* format, ...)
{
    wchar_t message[1024];
    va_list args;
    va_start(args, format);
    const int written = ::_vsnwprintf(message, 1023, format, args);
    va_end(args);
    message[written >= 0 && written < 1023 ? written : 1023] = L'\0';
    ::OutputDebugStringW(message);
}

void Trace(const char* format, ...)
{
    char message[1024];
    va_list args;
    va_start(args, format);
    const int written = ::_vsnprintf(message, 1023, format, args);
    va_end(args);
    message[written >= 0 && written < 1023 ? written : 1023] = '\0';
    ::OutputDebugStringA(message);
}

} // namespace afx_detail
