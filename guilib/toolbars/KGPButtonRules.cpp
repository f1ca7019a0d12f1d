#include "guilib/toolbars/KGPButtonRules.h"

namespace kgp {

std::wstring TextWithShortcut(const std::wstring& text, const std::wstring& shortcut)
{
    std::wstring shown = text.substr(0, text.find(L'\t'));
    if (!shortcut.empty())
        shown += L'\t' + shortcut;
    return shown;
}

PopupOpening PlacePopupMenu(const PopupOpeningInput& in)
{
    PopupOpening at;
    switch (in.site) {
    case MenuButtonSite::PopupItem:
        at.y = in.button.top - 2;
        at.x = in.rightToLeft ? in.popupBar.left - in.subMenuGap : in.popupBar.right + in.subMenuGap;
        at.direction = in.rightToLeft ? 4 : 3;
        break;
    case MenuButtonSite::VerticalMenuBar:
        at.x = in.button.right;
        at.y = in.button.top;
        at.direction = 3;
        break;
    case MenuButtonSite::Bar:
        if (in.menuOnRight) {
            at.x = in.button.right - 1;
            at.y = in.button.top;
        } else if (in.rightAligned) {
            at.x = in.button.right - 1;
            at.y = in.button.bottom - 1;
        } else {
            at.x = in.button.left;
            at.y = in.button.bottom - 1;
        }
        at.direction = 1;
        break;
    }
    return at;
}

ComboLayout LayOutCombo(const Box& combo, const Box& button, int glyphWidth, bool captionBelow)
{
    ComboLayout layout;
    layout.dropButton = Box{combo.right - 2 * glyphWidth + 2, combo.top + 2, combo.right - 2, combo.bottom - 2};
    layout.button = Box{combo.left - 1, captionBelow ? button.top : combo.top, combo.right + 1,
                        captionBelow ? button.bottom : combo.bottom};
    const int left = layout.button.left + 4;
    const int top = layout.button.top + 3;
    layout.edit = Box{left, top, left + (layout.dropButton.left - layout.button.left - 7),
                      top + (combo.bottom - combo.top - 6)};
    return layout;
}

}  // namespace kgp
