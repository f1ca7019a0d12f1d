// The MFC-compatible layer, non-window part: objects and run-time classes,
// strings, geometry, collections, exceptions, files and archives, synchronisation.
#pragma once

#include <windows.h>
#include <tchar.h> // _T and the _tcs functions code written for this layer expects

#if __has_include("afxbase.h")
#include "afxbase.h"
#endif
#if __has_include("afxstr.h")
#include "afxstr.h"
#endif
#if __has_include("afxgeom.h")
#include "afxgeom.h"
#endif
#if __has_include("afxobj.h")
#include "afxobj.h"
#endif
#if __has_include("afxexcept.h")
#include "afxexcept.h"
#endif
#if __has_include("afxtempl.h")
#include "afxtempl.h"
#endif
#if __has_include("afxcoll.h")
#include "afxcoll.h"
#endif
#if __has_include("afxfile.h")
#include "afxfile.h"
#endif
#if __has_include("afxarch.h")
#include "afxarch.h"
#endif
#if __has_include("afxmt.h")
#include "afxmt.h"
#endif
