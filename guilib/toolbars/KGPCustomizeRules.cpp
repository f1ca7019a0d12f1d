#include "guilib/toolbars/KGPCustomizeRules.h"

#include <algorithm>

namespace kgp {

CustomizeMenuState CustomizeMenuStates(const CustomizeMenuInput& in)
{
    CustomizeMenuState state;
    state.copyImage.enabled = in.imageShown && in.imageExists;
    state.resetImage.enabled = in.command != 0 && in.command != 0xFFFFFFFF;

    const bool belowOnHorizontal = in.captionBelow && in.horizontalBar;
    bool caption = in.captionShown;
    if (in.menuBar) {
        caption = true;
        state.captionForced = true;
    }
    if (!caption && !belowOnHorizontal)
        state.imageOnly.checked = true;
    else if (in.imageShown)
        state.imageAndText.checked = true;
    else
        state.textOnly.checked = true;
    state.imageOnly.enabled = !belowOnHorizontal;
    if (in.menuBar)
        state.imageOnly.enabled = state.textOnly.enabled = state.imageAndText.enabled = false;

    state.beginGroup.enabled = !in.firstButton;
    state.beginGroup.checked = in.previousIsSeparator;
    return state;
}

GroupChange BeginGroupChange(bool firstButton, bool previousIsSeparator, bool previousShown)
{
    if (firstButton)
        return GroupChange::Nothing;
    if (!previousIsSeparator)
        return GroupChange::InsertSeparator;
    return previousShown ? GroupChange::RemoveSeparator : GroupChange::Nothing;
}

Nudge NudgeChange(int distance, bool firstButton, bool separatorBefore, bool separatorBeforeShown)
{
    if (firstButton || (distance < kMinNudgeDistance && distance > -kMinNudgeDistance))
        return Nudge::Nothing;
    if (distance > 0)
        return separatorBefore ? Nudge::Nothing : Nudge::AddSeparatorBefore;
    return separatorBefore && separatorBeforeShown ? Nudge::RemoveSeparatorBefore : Nudge::Nothing;
}

int IndexAfterRemoval(int insertAt, int removedAt, int countAfterRemoval)
{
    if (insertAt > removedAt)
        --insertAt;
    return std::min(insertAt, countAfterRemoval);
}

}  // namespace kgp
