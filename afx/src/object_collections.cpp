// Run-time classes of the collections of objects. Kept apart from the other
// collections: their Serialize lives with the archive code, and only programs
// that use these classes need it linked.
#include <afx.h>

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
