#include "guilib/menus/KGPMenuBarRules.h"

#include <algorithm>

namespace kgp {

int FirstRegularIndex(const MenuBarShape& shape)
{
    return shape.systemButton ? 1 : 0;
}

int EndOfRegularButtons(const MenuBarShape& shape)
{
    const int end = shape.count - (shape.customizeButton ? 1 : 0) - shape.mdiButtons - (shape.helpCombo ? 1 : 0);
    return std::max(end, FirstRegularIndex(shape));
}

int ClampMenuBarDrop(int index, const MenuBarShape& shape)
{
    if (index < 0)
        return -1;
    return std::clamp(index, FirstRegularIndex(shape), EndOfRegularButtons(shape));
}

std::vector<Box> PlaceMdiButtons(const Box& client, bool horz, int buttons, int cx, int cy)
{
    std::vector<Box> boxes;
    if (buttons <= 0)
        return boxes;
    boxes.reserve(static_cast<std::size_t>(buttons));
    if (horz) {
        const int top = client.top + std::max(0, (client.bottom - client.top - cy) / 2);
        int right = client.right;
        for (int i = 0; i < buttons; ++i) {
            boxes.push_back(Box{right - cx, top, right, top + cy});
            right -= cx + 1;
        }
    } else {
        const int left = client.left + std::max(0, (client.right - client.left - cx) / 2);
        int bottom = client.bottom;
        for (int i = 0; i < buttons; ++i) {
            boxes.push_back(Box{left, bottom - cy, left + cx, bottom});
            bottom -= cy + 1;
        }
    }
    return boxes;
}

Box PlaceHelpCombo(const Box& client, bool horz, int mdiLeft, int width, int height)
{
    if (!horz)
        return Box{};
    const int right = std::min(client.right, mdiLeft) - 1;
    const int top = client.top + std::max(0, (client.bottom - client.top - height) / 2);
    return Box{std::max(client.left, right - width), top, right, top + height};
}

int MenuBarRowExtent(bool haveImages, int menuButtonExtent, int textHeight, int minimum)
{
    return RowHeightAtLeast(haveImages ? menuButtonExtent : textHeight - 2, minimum);
}

int NextMenuBarHot(int from, int count, int step)
{
    if (count <= 0)
        return -1;
    if (from < 0 || from >= count)
        return step > 0 ? 0 : count - 1;
    return ((from + step) % count + count) % count;
}

int MenuBarAccessibleIndex(int hit, bool systemButton)
{
    if (!systemButton || hit < 0)
        return hit;
    return hit == 0 ? -10 : hit - 1;
}

} // namespace kgp
