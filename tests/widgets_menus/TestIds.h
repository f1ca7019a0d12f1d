// Resource ids of the test resources.
#pragma once

#define IDM_TEST_MENU 9101
#define IDS_TEST_COLUMN 9102
#define IDB_TEST_ITEM 9103
#define IDM_TEST_FILE_OPEN 41001
#define IDM_TEST_FILE_SAVE 41002
#define IDM_TEST_FILE_STOP 41003
#define IDM_TEST_FILE_EXIT 41004
#define IDM_TEST_VIEW_LONG 41005
