// Resource ids of the window tests.
#pragma once

#define IDD_DDX 100
#define IDD_PAGE 101
#define IDD_PAGE_POPUP 102
#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_FLAG 1003
#define IDC_RADIO1 1004
#define IDC_RADIO2 1005
#define IDC_RADIO3 1006
#define IDC_COMBO 1007
#define IDC_PAGE_FIRST 1101
#define IDC_PAGE_SECOND 1102
#define IDC_PAGE_THIRD 1103
#define IDR_TEST_MENU 200
#define ID_CMD_WINDOW 300
#define ID_CMD_DOCUMENT 301
#define ID_CMD_CHECKED_NO_HANDLER 302
#define ID_CMD_DISABLED 303
#define ID_CMD_NONE 304
#define ID_CMD_BOTH 305
#define ID_CMD_EX 306
#define IDS_TEST_PROMPT 400
