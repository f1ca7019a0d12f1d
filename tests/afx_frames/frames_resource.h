// Resource ids of the frame tests and the demo program.
#pragma once

#define IDR_MAINFRAME 128
#define ID_CMD_CHECKED 32771
#define ID_CMD_NOHANDLER 32772
#define ID_CMD_PLAIN 32773
#define ID_CMD_DOCUMENT 32774
#define ID_VIEW_WORKSPACE 32795
#define IDC_STATUS_BUTTON 1234
#define IDR_MDIFRAME 140
#define IDR_MDICHILD 141
