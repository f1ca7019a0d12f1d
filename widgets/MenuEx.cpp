// CMenuEx has no code of its own: loading, destroying and drawing are those of
// COwnerDrawMenu with the menu bar's items left plain.
#include "widgets/MenuEx.h"
