// The files of one data folder with their sizes, read from the folder listing
// itself: no file is opened.
#pragma once

#include <afx.h>

#include <vector>

struct PCFolderEntry {
    CString name;
    // Bytes; a file of 4 GiB or more reads as the largest UINT, so that no
    // size rule takes it for a small file.
    UINT size = 0;
};

// Files (no folders, no subfolders) whose extension is extensionBare ("mid"),
// in listing order.
std::vector<PCFolderEntry> ListPCFolder(const CString& folder, LPCTSTR extensionBare);
