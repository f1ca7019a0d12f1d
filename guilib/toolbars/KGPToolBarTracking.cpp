#include "guilib/toolbars/KGPToolBarTracking.h"

#include "guilib/toolbars/KGPToolBarMath.h"

void CKGPToolBarTracking::ForgetDeleted(int index)
{
    for (int* tracked : {&pressed, &hot, &keyHot})
        *tracked = kgp::IndexAfterDeletion(*tracked, index);
}
