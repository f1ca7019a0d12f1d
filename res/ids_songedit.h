// Resource ids of the song editor page and its conversion dialog.
#pragma once

#define IDD_EDIT_SONG               139
#define IDR_EDIT_SONG_BAR           161
#define IDR_EDIT_SONG_ACCEL         175
#define IDR_EDIT_SONG_CONVERT_MENU  181
#define IDB_EDIT_SONG_BAR           203
#define IDD_SONG_CONVERT_INFO       215

#define IDC_SONG_TRACK_LIST         1031
#define IDC_SONG_POSITION           1033
#define IDC_SONG_TIME               1034

#define IDC_CONVERT_PATH            1002
#define IDC_CONVERT_FULL_NAME       1046
#define IDC_CONVERT_SHORT_NAME      1047
#define IDC_CONVERT_BROWSE          1158
#define IDC_CONVERT_GROUP           1159
#define IDC_CONVERT_WARNING         1163
#define IDC_CONVERT_MODEL           1221

#define ID_SONG_OPEN                32846
#define ID_SONG_PLAY                32847
#define ID_SONG_STOP                32849
#define ID_SONG_DEVICE              32850
#define ID_SONG_CONVERT_DOWNLOAD    32851
#define ID_SONG_CONVERT             32866
