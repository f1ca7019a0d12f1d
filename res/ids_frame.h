// Resource ids of the main frame, application, about box, menus 128.
#pragma once

// About box.
#define IDD_ABOUTBOX                100

// Status bar: the transfer progress bar and its cancel button (bitmaps:
// normal face, hot face).
#define IDC_FRAME_PROGRESS          1025
#define IDC_CANCEL_TRANSFER         1226
#define IDB_CANCEL_TRANSFER_ACTIVE  198
#define IDB_CANCEL_TRANSFER         199

// The workspace bar's window id.
#define IDW_WORKSPACE_BAR           32770

// Menu 128 (IDR_MAINFRAME) commands.
#define ID_FRAME_MINIMIZE           32773
#define ID_WINDOW_SONG              32775
#define ID_WINDOW_STYLE             32776
#define ID_WINDOW_VOICE             32777
#define ID_WINDOW_MEMORY            32778
#define ID_WINDOW_EDIT_SONG         32779
#define ID_WINDOW_EDIT_STYLE        32780
#define ID_WINDOW_FIRMWARE          32781
#define ID_CONNECT_DEVICE           32787
#define ID_LANGUAGE_ENGLISH         32791
#define ID_LANGUAGE_SIMPLIFIED      32793
#define ID_LANGUAGE_TRADITIONAL     32794
#define ID_VIEW_FUNCTION_BAR        32795
#define ID_RESTORE_DEFAULTS         32911
#define ID_DISCONNECT_DEVICE        32914
#define ID_HELP_DOCUMENT            57670
