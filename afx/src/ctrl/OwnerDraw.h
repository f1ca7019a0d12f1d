// Reflected owner-draw messages routed to a control's virtual handlers.
#pragma once

#include <afxwin.h>

namespace afx_detail {

// Calls the handler matching an owner-draw message reflected to a control;
// false when the message is not one of them (the base class takes it then).
template <class Control>
bool ReflectOwnerDraw(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        if constexpr (requires { control.MeasureItem(static_cast<LPMEASUREITEMSTRUCT>(nullptr)); })
            control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        else
            return false;
        break;
    case WM_COMPAREITEM:
        if constexpr (requires { control.CompareItem(static_cast<LPCOMPAREITEMSTRUCT>(nullptr)); })
            result = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        else
            return false;
        break;
    case WM_DELETEITEM:
        if constexpr (requires { control.DeleteItem(static_cast<LPDELETEITEMSTRUCT>(nullptr)); })
            control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        else
            return false;
        break;
    default:
        return false;
    }
    if (pResult)
        *pResult = result;
    return true;
}

} // namespace afx_detail
