#include "guilib/toolbars/KGPToolBarTipState.h"

BOOL CKGPToolBarTipState::StillServe(const std::vector<ButtonTool>& kinds, const std::vector<int>& moved) const
{
    if (kinds.size() != toolOfButton.size())
        return FALSE;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if ((kinds[i] == ButtonTool::None) != (toolOfButton[i] == ButtonTool::None))
            return FALSE;
    }
    for (int index : moved) {
        if (toolOfButton[static_cast<std::size_t>(index)] == ButtonTool::Own)
            return FALSE;
    }
    return TRUE;
}
