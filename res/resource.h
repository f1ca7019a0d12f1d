// Resource ids of the program. String ids come from res/strings.txt through the
// build (string_ids.h); everything else is here.
#pragma once

#include "string_ids.h"

#define IDR_MAINFRAME       128
#define IDI_FAILURE         191
#define IDI_FILE_INVALID    216
#define IDI_FILE_VALID      217

// Dialogs of the program's own controls.
#define IDD_MIDI_DEV        174
#define IDD_MESSAGE_BOX     187
#define IDC_MSGBOX_ICON     1240
#define IDC_MSGBOX_TEXT     1241
#define IDC_MIDIDEV_LIST    1242

// The application's own resources, one header per area of the program.
#include "ids_frame.h"
#include "ids_view.h"
#include "ids_pages.h"
#include "ids_transfer.h"
#include "ids_songedit.h"
#include "ids_stylewiz.h"
