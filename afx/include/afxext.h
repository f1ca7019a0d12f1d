// Control bars: toolbar, status bar, dock bars.
#pragma once
#include "afxwin.h"
#if __has_include("afxbars.h")
#include "afxbars.h"
#endif
