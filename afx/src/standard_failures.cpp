// The layer's standard failures (memory, bad argument), raised from one place
// for the headers that cannot include the exception classes themselves.
#include <afxbase.h>

#include <afxexcept.h>

namespace afx_detail {

void ThrowMemoryException()
{
    AfxThrowMemoryException();
}

void ThrowInvalidArgException()
{
    AfxThrowInvalidArgException();
}

} // namespace afx_detail
