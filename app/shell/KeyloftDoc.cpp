#include "app/shell/KeyloftDoc.h"

IMPLEMENT_DYNCREATE(CKeyloftDoc, CDocument)
