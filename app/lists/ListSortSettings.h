// Keeps a file list's sort column and direction in the application profile.
#pragma once

#include "guilib/controls/KGPListCtrl.h"

// kind: 0 song, 1 style, 2 voice, 3 memory.
void LoadListSort(CKGPListCtrl& list, int kind, bool deviceList);
void SaveListSort(CKGPListCtrl& list, int kind, bool deviceList);
