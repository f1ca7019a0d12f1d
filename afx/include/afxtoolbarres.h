// The toolbar resource (type 241): the button layout of a toolbar bitmap, in
// one of two layouts, little-endian:
// - 16-bit words: version (1), image width, image height, count, then the
//   command ids (0 = separator), as written by hand or by resource compilers
//   that write a version;
// - 32-bit fields without a version: image width, image height, count, then
//   the ids, as the toolchain's resource compiler writes a TOOLBAR statement.
// The size tells them apart: the 32-bit layout is exactly its header and the
// ids its count announces.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

struct CToolBarResourceData {
    WORD wVersion = 0;  // the stored version word; 0 in the layout without one
    WORD wWidth = 0;   // one image's width in the bitmap
    WORD wHeight = 0;  // one image's height
    std::vector<UINT> ids;  // button command ids; 0 marks a separator
};

// Parses the bytes of a toolbar resource. Fails (returns false, leaves out
// untouched) on bytes that are neither layout: a version other than 1, a zero
// image size, a count that needs more bytes than there are, or (32-bit) an
// image size or an id beyond 16 bits.
bool AfxParseToolBarResource(const void* data, std::size_t size, CToolBarResourceData& out);

// Finds and parses the toolbar resource of the module (the current resource
// module when hInstance is null).
bool AfxLoadToolBarResource(HINSTANCE hInstance, LPCTSTR lpszResourceName, CToolBarResourceData& out);
