// The toolbar resource (type 241): the button layout of a toolbar bitmap.
//   WORD version (1), WORD button width, WORD button height, WORD count,
//   WORD ids[count] (0 = separator), all little-endian.
// The resource compiler has no statement for it; scripts carry it as raw data.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

struct CToolBarResourceData {
    WORD wVersion = 0;
    WORD wWidth = 0;   // one image's width in the bitmap
    WORD wHeight = 0;  // one image's height
    std::vector<UINT> ids;  // button command ids; 0 marks a separator
};

// Parses the bytes of a toolbar resource. Fails (returns false, leaves out
// untouched) on a version other than 1, a zero image size, or a count that
// needs more bytes than there are.
bool AfxParseToolBarResource(const void* data, std::size_t size, CToolBarResourceData& out);

// Finds and parses the toolbar resource of the module (the current resource
// module when hInstance is null).
bool AfxLoadToolBarResource(HINSTANCE hInstance, LPCTSTR lpszResourceName, CToolBarResourceData& out);
