// Common dialogs (file dialog).
#pragma once
#include "afxwin.h"
#include "afxfiledlg.h"
