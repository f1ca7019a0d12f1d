// The menu bar's rules: where the maximised child's buttons stand, where a
// dropped button may land, how the keys step between its menus and what the
// accessibility hit test answers. No Windows header: tested as tables,
// without a window.
#pragma once

#include "guilib/toolbars/KGPToolBarMath.h"

#include <vector>

namespace kgp {

// The order of a menu bar's buttons: [system-menu button] regular buttons
// [help combo] [MDI buttons] [customise button].
struct MenuBarShape {
    int count = 0;             // every button, the customise button included
    bool systemButton = false; // the first button is the child's system menu
    int mdiButtons = 0;        // minimise, restore, close at the end
    bool helpCombo = false;    // the help combo stands before the MDI buttons
    bool customizeButton = false;
};

// The first and one past the last index of the regular buttons.
int FirstRegularIndex(const MenuBarShape& shape);
int EndOfRegularButtons(const MenuBarShape& shape);

// Where a drop at the index lands: never before the system-menu button,
// never among the MDI buttons or after the help combo (such a drop goes
// after the last regular button); -1 stays -1.
int ClampMenuBarDrop(int index, const MenuBarShape& shape);

// The rectangles of the MDI buttons (caption-sized, cx by cy) from the bar's
// far end inward, one pixel apart: right to left on a horizontal bar,
// bottom to top on a vertical one, centred across the bar. The first box is
// the last button's.
std::vector<Box> PlaceMdiButtons(const Box& client, bool horz, int buttons, int cx, int cy);

// The help combo: at the right end with its width on a horizontal bar, left
// of the MDI buttons (mdiLeft: their leftmost edge, or the client's right);
// an empty box on a vertical bar.
Box PlaceHelpCombo(const Box& client, bool horz, int mdiLeft, int width, int height);

// The next hot button from `from` by step (1 or -1) among the first `count`
// buttons (the MDI buttons are not counted), wrapping around; -1 with none.
int NextMenuBarHot(int from, int count, int step);

// What the accessibility hit test answers for the button index: with the
// system-menu button, -10 for it and every other index one lower.
int MenuBarAccessibleIndex(int hit, bool systemButton);

// The room a menu bar's buttons take across the bar (its row height, or its
// column width on a vertical bar): the menu button's extent when some button
// shows an image, else the menu font's text height less 2; never below the
// library's minimum for the orientation.
int MenuBarRowExtent(bool haveImages, int menuButtonExtent, int textHeight, int minimum);

// The state a menu bar saves is sound only when every menu's save was.
class SaveTally {
public:
    void Count(bool saved) { m_all = m_all && saved; ++m_menus; }
    bool AllSaved() const { return m_all; }
    int Menus() const { return m_menus; }

private:
    bool m_all = true;
    int m_menus = 0;
};

} // namespace kgp
