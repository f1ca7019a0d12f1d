// Resource ids of the program. String ids come from res/strings.txt through the
// build (string_ids.h); everything else is here.
#pragma once

#include "string_ids.h"

#define IDR_MAINFRAME       128
#define IDI_FILE_INVALID    216
#define IDI_FILE_VALID      217
