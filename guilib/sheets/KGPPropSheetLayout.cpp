#include "guilib/sheets/KGPPropSheetLayout.h"

namespace kgp::sheets {

namespace {

constexpr int kTabRowExtra = 5;     // the tab row is the item's height and this
constexpr int kHeightExtra = 15;    // the sheet grows by this beside the header
constexpr int kTabBottomSpace = 10; // left below the tab control
constexpr int kButtonSpace = 5;     // between the buttons and the client's edges

} // namespace

bool HasSideNavigation(int look)
{
    return look == kLookOutlook || look == kLookTree || look == kLookList;
}

NavigationLayout LayOutNavigation(const NavigationInput& in)
{
    NavigationLayout out;
    const int tabRow = in.tabItemCy + kTabRowExtra;
    out.clientCx = in.navigationWidth + in.clientCx;
    out.clientCy = in.clientCy + in.headerHeight - tabRow + kHeightExtra;
    // The pages take the tab control's display area, so the control ends at
    // the client's right edge.
    out.tab = Box{in.navigationWidth, -tabRow, out.clientCx, -tabRow + out.clientCy - kTabBottomSpace};
    out.navigation = Box{0, 0, in.navigationWidth, out.tab.bottom};
    out.navigation.left += 1;
    out.navigation.top += 1;
    out.navigation.right -= 1;
    out.navigation.bottom -= in.look == kLookList ? 2 : 1;
    return out;
}

ButtonsLayout LayOutButtons(const ButtonsInput& in)
{
    ButtonsLayout out;
    out.buttons = in.buttons;
    int lastRight = 0;
    bool any = false;
    for (int i = 0; i < kButtonCount; ++i) {
        if (!in.present[i] || (i == kButtonHelp && !in.hasHelp) || (i == kButtonApply && in.noApplyNow))
            continue;
        Box& button = out.buttons[i];
        const int cy = button.Height();
        button.bottom = in.client.bottom - kButtonSpace;
        button.top = button.bottom - cy;
        lastRight = button.right;
        out.moved[i] = true;
        any = true;
    }
    if (!any)
        return out;
    const int shift = in.client.right - kButtonSpace - lastRight;
    for (int i = 0; i < kButtonCount; ++i) {
        if (out.moved[i]) {
            out.buttons[i].left += shift;
            out.buttons[i].right += shift;
        }
    }
    return out;
}

} // namespace kgp::sheets
