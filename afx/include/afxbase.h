// Basics every header of the layer needs: Windows types, diagnostics macros,
// POSITION and the small helpers that raise the layer's standard failures.
#pragma once

#include <windows.h>

#include <cstddef>

#ifndef AFX_API
#define AFX_API
#endif
#ifndef AFXAPI
#define AFXAPI
#endif
#ifndef AFX_INLINE
#define AFX_INLINE inline
#endif
#ifndef afx_msg
#define afx_msg
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

#define DEBUG_NEW new

// An opaque iterator of the list and map collections.
typedef struct __POSITION {
}* POSITION;

#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))

// Reports a failed assertion (debug builds); defined in diagnostics.cpp.
void AFXAPI AfxAssertFailedLine(const char* file, int line);

#ifndef NDEBUG
#define ASSERT(f) ((f) ? static_cast<void>(0) : AfxAssertFailedLine(__FILE__, __LINE__))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p)                                                                  \
    do {                                                                                 \
        ASSERT((p) != nullptr);                                                          \
        (p)->AssertValid();                                                              \
    } while (0)
#else
// Operands are named but not evaluated, so variables used only in assertions stay "used".
#define ASSERT(f) static_cast<void>(sizeof(!(f)))
#define VERIFY(f) static_cast<void>(f)
#define ASSERT_VALID(p) static_cast<void>(sizeof(p))
#endif
// Pointer checks of debug diagnostics; only null pointers are known to be invalid.
inline BOOL AfxIsValidAddress(const void* address, UINT_PTR bytes, BOOL = TRUE)
{
    return address != nullptr || bytes == 0;
}
inline BOOL AfxIsValidString(LPCWSTR text, int = -1)
{
    return text != nullptr;
}
inline BOOL AfxIsValidString(LPCSTR text, int = -1)
{
    return text != nullptr;
}

#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))

namespace afx_detail {

// Failures the layer raises in one place, so that their exception type can follow
// the layer's exception classes.
[[noreturn]] void ThrowMemoryException();
[[noreturn]] void ThrowInvalidArgException();

void Trace(const wchar_t* format, ...);
void Trace(const char* format, ...);

} // namespace afx_detail

// How an argument travels through a printf-style "..." list: unchanged for plain
// values; the string header adds an overload that passes a string's characters.
// Other class types cannot travel through "..." and are refused here.
template <class T>
inline const T& AfxVarArg(const T& value)
{
    static_assert(__is_trivially_copyable(T), "pass only plain values to printf-style formatting");
    return value;
}

// TRACE writes to the debugger output in debug builds and costs nothing otherwise.
#ifndef NDEBUG
namespace afx_detail {
template <class CharT, class... Args>
inline void TraceArgs(const CharT* format, const Args&... args)
{
    Trace(format, AfxVarArg(args)...);
}
} // namespace afx_detail
#define TRACE(...) ::afx_detail::TraceArgs(__VA_ARGS__)
#else
namespace afx_detail {
template <class... Args>
inline void TraceDiscard(const Args&...)
{
}
} // namespace afx_detail
#define TRACE(...) ::afx_detail::TraceDiscard(__VA_ARGS__)
#endif
#define TRACE0(text) TRACE(text)
#define TRACE1(format, a) TRACE(format, a)
#define TRACE2(format, a, b) TRACE(format, a, b)
#define TRACE3(format, a, b, c) TRACE(format, a, b, c)
