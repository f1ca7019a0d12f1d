// Common dialogs (file dialog).
#pragma once
#include "afxwin.h"
#if __has_include("afxfiledlg.h")
#include "afxfiledlg.h"
#endif
