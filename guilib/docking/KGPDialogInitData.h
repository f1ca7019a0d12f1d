// The initialisation data a dialog template may carry (a resource of type 240
// named like the template): strings added to its list and combo boxes.
#pragma once

#include <afxwin.h>

// Applies the data of that template to the controls of `wnd`. TRUE when the
// template has none; FALSE for a record that is cut short, names a control that
// is missing, asks for anything but adding a string, or that the control refuses.
BOOL ApplyDialogInitData(CWnd& wnd, LPCTSTR lpszTemplateName);
