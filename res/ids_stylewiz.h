// Resource ids of the style editor page and its conversion wizard.
#pragma once

// Dialogs.
#define IDD_EDIT_STYLE          140
#define IDD_WIZARD_FRAME        144
#define IDD_WIZARD_SOURCE       176
#define IDD_WIZARD_SECTIONS     177
#define IDD_WIZARD_OTS          143

// Images: the source step's browse button, the value buttons' icon (plain, hot).
#define IDB_SOURCE_BROWSE       190
#define IDI_VALUE_BUTTON        197
#define IDI_VALUE_BUTTON_ACTIVE 198

// Wizard frame.
#define IDC_WIZARD_PLACEHOLDER  1000
#define IDC_WIZARD_BACK         12323
#define IDC_WIZARD_NEXT         12324
#define IDC_WIZARD_FINISH       12325

// Step 1: source and target.
#define IDC_SOURCE_PATH         1016
#define IDC_SOURCE_FULL_CAPTION 1044
#define IDC_SOURCE_SHORT_CAPTION 1045
#define IDC_SOURCE_STEP         1139
#define IDC_SOURCE_TICKS        1149
#define IDC_SOURCE_TICKS_CAPTION 1150
#define IDC_SOURCE_TARGET_CAPTION 1153
#define IDC_SOURCE_FILE_CAPTION 1154
#define IDC_SOURCE_BROWSE       1161
#define IDC_SOURCE_SECTIONS     1162
#define IDC_SOURCE_TARGET       1221
#define IDC_SOURCE_FULL_NAME    1224
#define IDC_SOURCE_SHORT_NAME   1225

// Step 2: section settings. The grid's cells are made by the page: one row of
// 16 per setting, channel 1 first.
#define IDC_SECTIONS_STEP       1145
#define IDC_SECTIONS_COPY       1147
#define IDC_SECTIONS_LABEL      1148
#define IDC_SECTIONS_CHOOSE     1163
#define IDC_SECTIONS_LOAD       1165
#define IDC_SECTIONS_SAVE       1166
#define IDC_SECTIONS_RESET      1167
#define IDC_CELLS_CHORD_CHANGE  1026
#define IDC_CELLS_ROOT_CHANGE   1042
#define IDC_CELLS_NOTE_MIN      1058
#define IDC_CELLS_NOTE_MAX      1074
#define IDC_CELLS_ROOT_LIMIT    1090
#define IDC_CELLS_CHORD_MUTE    1113
#define IDC_CELLS_PLAY_CHANNEL  1129

// Step 3: One Touch Settings. Made by the page: voice combos 32800 + i, value
// buttons volume 1048 + i, reverb 1060 + i, chorus 1072 + i, octave 1084 + i.
#define IDC_OTS_STEP            1146
#define IDC_OTS_LOAD            1168
#define IDC_OTS_SAVE            1169
#define IDC_OTS_RESET           1174
#define IDC_OTS_FIRST_VOLUME    1048
#define IDC_OTS_FIRST_REVERB    1060
#define IDC_OTS_FIRST_CHORUS    1072
#define IDC_OTS_FIRST_OCTAVE    1084
#define IDC_OTS_FIRST_VOICE     32800
