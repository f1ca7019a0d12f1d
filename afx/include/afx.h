// The MFC-compatible layer, non-window part: objects and run-time classes,
// strings, geometry, collections, exceptions, files and archives, synchronisation.
#pragma once

#include <windows.h>
#include <tchar.h> // _T and the _tcs functions code written for this layer expects

#include "afxbase.h"
#include "afxhandle.h"
#include "afxstr.h"
#include "afxgeom.h"
#include "afxobj.h"
#include "afxexcept.h"
#include "afxtempl.h"
#include "afxcoll.h"
#include "afxfile.h"
#include "afxarch.h"
#include "afxmt.h"
