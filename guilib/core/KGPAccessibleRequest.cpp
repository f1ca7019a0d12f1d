#include "guilib/core/KGPAccessibleRequest.h"

#include "guilib/core/KGPRegisteredMessages.h"

LRESULT KGPAskForAccessibleObject(CWnd* pFrame, const KGPAccessibleRequest& request)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return 0;
    return pFrame->SendMessage(KGM_GETOBGECT, 0, reinterpret_cast<LPARAM>(&request));
}
