// See-through popup menus: the menu windows (class "#32768") the calling
// thread shows get the layered style and a constant alpha.
#pragma once

#include <windows.h>

namespace widgets {

// Applies alpha (0-255) to every menu window of the calling thread. Call it
// once the menu window exists: a posted message seen during menu tracking.
void MakeThreadMenusTranslucent(BYTE alpha);

} // namespace widgets
