// Resource ids of the view, instrument chooser, workspace bar and page tree.
#pragma once

// Instrument chooser.
#define IDD_SELECTDEV           142
#define IDC_SELECTDEV_LIST      1001
#define IDC_SELECTDEV_REFRESH   1003
#define IDC_SELECTDEV_GROUP     1151
#define IDC_SELECTDEV_CURRENT   1160
#define IDR_SELECTDEV_ICON      128
#define IDB_SELECTDEV_CONNECT   212
#define IDB_SELECTDEV_REFRESH   213

// Page tree.
#define IDB_TREE_EDIT_ITEM      204
#define IDB_TREE_PAGE_ITEM      206
#define IDB_TREE_GROUP          210
#define IDC_TREE_ITEM_CURSOR    134
