// Resource ids of the page base, message boxes, transfer pages, file lists.
#pragma once

// Dialogs.
#define IDD_COPY_SECTIONS 186
#define IDD_CANCELABLE 214

// The message box that can be silenced.
#define IDC_CANCELABLE_DONT_SHOW 1156
#define IDC_CANCELABLE_TEXT 1157

// Section-copy check boxes.
#define IDC_COPY_INTRO_A 1146
#define IDC_COPY_INTRO_B 1147
#define IDC_COPY_INTRO_C 1148
#define IDC_COPY_MAIN_A 1149
#define IDC_COPY_MAIN_B 1150
#define IDC_COPY_MAIN_C 1151
#define IDC_COPY_FILL_AA 1152
#define IDC_COPY_FILL_BB 1153
#define IDC_COPY_FILL_CC 1154
#define IDC_COPY_ENDING_A 1155
#define IDC_COPY_ENDING_B 1156
#define IDC_COPY_ENDING_C 1157
#define IDC_COPY_MAIN_D 1158
#define IDC_COPY_FILL_DD 1159
#define IDC_COPY_GROUP 1160
