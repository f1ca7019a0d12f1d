// Message arguments of the control wrappers: pointers, texts and handles go in
// an LPARAM; indexes, counts and ids in a WPARAM (-1, "from the start", keeps
// its bits).
#pragma once

#include <afxwin.h>

namespace afx_detail {

template <class T>
LPARAM LParam(T* pointer)
{
    return reinterpret_cast<LPARAM>(pointer);
}

inline WPARAM WParam(int value)
{
    return static_cast<WPARAM>(value);
}

} // namespace afx_detail
