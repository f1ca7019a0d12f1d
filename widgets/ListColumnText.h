// Column captions of report lists from the string table.
#pragma once

#include <afxcmn.h>

// Sets the caption of column nColumn of the list to string nStringId of the
// current resources. FALSE when the string or the column does not exist.
BOOL SetListColumnTextById(CListCtrl& list, int nColumn, UINT nStringId);
