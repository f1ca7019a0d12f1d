// Control bars: toolbar, status bar, dock bars.
#pragma once
#include "afxwin.h"
#include "afxbars.h"
