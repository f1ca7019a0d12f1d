// The layer's standard failures, raised from one place so that the exception
// types follow the layer's exception classes once they exist.
#include <afxbase.h>

#if __has_include(<afxexcept.h>)
#include <afxexcept.h>
#define KEYLOFT_HAVE_AFX_EXCEPTIONS 1
#endif

#include <new>
#include <stdexcept>

namespace afx_detail {

void ThrowMemoryException()
{
#ifdef KEYLOFT_HAVE_AFX_EXCEPTIONS
    AfxThrowMemoryException();
#else
    throw std::bad_alloc();
#endif
}

void ThrowInvalidArgException()
{
#ifdef KEYLOFT_HAVE_AFX_EXCEPTIONS
    AfxThrowInvalidArgException();
#else
    throw std::out_of_range("index or argument out of range");
#endif
}

} // namespace afx_detail
