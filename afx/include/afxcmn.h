// Common-control wrappers (list, tree, header, progress, slider, spin, tooltip,
// toolbar control, image list).
#pragma once
#include "afxwin.h"
#include "afxcomctl.h"
