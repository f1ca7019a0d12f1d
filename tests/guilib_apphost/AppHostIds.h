// Resource and command ids of the application host (shared by its resource
// script and its code).
#pragma once

// The framework's standard commands, for the resource script (code takes
// them from the layer's headers).
#ifdef RC_INVOKED
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_MRU_FILE1 0xE110
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_CONTEXT_HELP 0xE145
#endif

// Resources.
#define IDR_MAINFRAME 128
#define IDR_NOTETYPE 129
#define IDR_FORMAT 130
#define IDR_INSERT_POPUP 131
#define IDR_CUT_SHORT_TOOLBAR 132
#define IDR_ALIGN 133
#define IDD_PAGE_GENERAL 140
#define IDD_PAGE_VIEW 141
#define IDC_PAGE_NAME 1001
#define IDC_PAGE_GRID 1002

// Commands of the application's own (the framework's standard ones come
// from the layer's headers: ID_FILE_NEW, ID_APP_EXIT, ID_WINDOW_NEW...).
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_PASTE 0xE125
#define ID_VIEW_CAPTION_BAR 32770
#define ID_VIEW_CUSTOMIZE 32771
#define ID_VIEW_OPTIONS 32772
// The View menu's entry that becomes the list of the bars and panes.
#define ID_VIEW_BARS 32773
// How the notes show: as tabs, as tab groups, as overlapping windows.
#define ID_WINDOW_AS_TABS 32775
#define ID_WINDOW_AS_GROUPS 32776
#define ID_WINDOW_AS_WINDOWS 32777
#define ID_INSERT_MENU 32780
#define ID_INSERT_DATE 32781
#define ID_INSERT_TIME 32782
#define ID_INSERT_SYMBOL 32783
#define ID_FORMAT_BOLD 32790
#define ID_FORMAT_ITALIC 32791
#define ID_FORMAT_UNDERLINE 32792
#define ID_FORMAT_ZOOM 32793
#define ID_FORMAT_LEFT 32794
#define ID_FORMAT_CENTER 32795
#define ID_CAPTION_DETAILS 32800
#define ID_TASK_OPEN 32810
#define ID_TASK_PRINT 32811
#define ID_SHORTCUT_FIRST 32820
#define ID_SHORTCUT_LAST 32829
// The user tools: the menu entry standing for them and their ids.
#define ID_TOOLS_ENTRY 32840
#define ID_TOOL_FIRST 32841
#define ID_TOOL_LAST 32849

// Bars and panes.
#define ID_BAR_MENU 0xE807
#define ID_BAR_MAIN 0xE800
#define ID_BAR_FORMAT 0xE808
#define ID_BAR_CAPTION 0xE809
#define ID_BAR_ALIGN 0xE80C
// The ids the user's own toolbars take.
#define ID_USER_TOOLBAR_FIRST 0xE830
#define ID_USER_TOOLBAR_LAST 0xE839
#define ID_PANE_FILES 201
#define ID_PANE_CLASSES 202
#define ID_PANE_OUTPUT 203
#define ID_PANE_WATCH 204
#define ID_PANE_PROPERTIES 205
#define ID_PANE_TASKS 206
#define ID_PANE_SHORTCUTS 207
#define ID_PAGE_MAIL 208
#define ID_PAGE_NOTES 209
#define ID_PANE_FIND 210
