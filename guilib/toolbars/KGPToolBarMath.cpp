#include "guilib/toolbars/KGPToolBarMath.h"

#include <algorithm>
#include <utility>

namespace kgp {

std::uint32_t PromptIdForCommand(int id)
{
    if (id == -1 || id == -20)
        return kIdlePrompt;
    if (id < 0 || id > 0xFEFF)
        return 0xEF1F;
    const auto command = static_cast<std::uint32_t>(id);
    if (IsSystemCommand(command))
        return ((command - kFirstSystemCommand) >> 4) + 0xEF00;
    return command;
}

std::uint32_t HelpIdForCommand(std::uint32_t id)
{
    if (IsSystemCommand(id))
        return ((id - kFirstSystemCommand) >> 4) + 0x1EF00;
    return 0x10000 + id;
}

DisplayCaption CaptionAsShown(const std::wstring& caption)
{
    DisplayCaption shown;
    shown.text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != L'&') {
            shown.text.push_back(caption[i]);
        } else if (i + 1 < caption.size() && caption[i + 1] == L'&') {
            shown.text.push_back(L'&');
            ++i;
        } else if (shown.mnemonic < 0 && i + 1 < caption.size()) {
            shown.mnemonic = static_cast<int>(shown.text.size());
        }
    }
    return shown;
}

int ButtonState(std::uint32_t bits, bool highlighted)
{
    if (highlighted)
        return 2;
    return (bits & (kBitChecked | kBitPressed)) != 0 ? 1 : 0;
}

ButtonFaceLayout LayOutButtonFace(const ButtonFaceInput& in)
{
    int gap = 0;
    if (in.captionBeside)
        gap = in.imageShown ? in.textCx : in.textCx + 3;
    int areaWidth = in.width;
    int areaHeight = in.height;
    if (in.captionBelow && in.horizontal)
        areaHeight = in.imageCy + 6;
    else if (in.horizontal)
        areaWidth = in.width - gap;
    else
        areaHeight = in.height - gap;

    ButtonFaceLayout out;
    out.imageX = (areaWidth - in.imageCx) / 2;
    out.imageY = (areaHeight - in.imageCy) / 2;
    out.textX = 3;
    out.textY = 3;
    if (in.captionBeside) {
        if (in.horizontal) {
            out.imageX -= 3;
            out.textY = (areaHeight - in.fontHeight - 1) / 2;
        } else {
            out.imageY -= 3;
            out.textX = (areaWidth - in.fontHeight + 1) / 2;
        }
    }
    if (in.pressedShift) {
        ++out.imageX;
        ++out.imageY;
        ++out.textY;
        out.textX += in.horizontal ? 1 : -1;
    }
    return out;
}

bool StartsGroup(const std::vector<BarItem>& items, std::size_t index)
{
    for (std::size_t i = index; i-- > 0;) {
        if (!items[i].shown)
            continue;
        return items[i].separator || items[i].rowBreak || items[i].embedsControl;
    }
    return true;
}

bool EndsGroup(const std::vector<BarItem>& items, std::size_t index)
{
    if (items[index].rowBreak)
        return true;
    for (std::size_t i = index + 1; i < items.size(); ++i) {
        if (!items[i].shown)
            continue;
        return items[i].separator || items[i].embedsControl;
    }
    return true;
}

int WrapRows(std::vector<BarItem>& items, int maxWidth, int maxHeight, int rowHeight)
{
    int x = 0;
    int y = 0;
    int rows = 0;
    BarItem* previous = nullptr;
    for (BarItem& item : items) {
        if (!item.shown)
            continue;
        item.rowBreak = false;
        const int width = (item.separator && x == 0) ? 0 : item.width;
        const bool nextRowFits = y + 2 * rowHeight + kRowGap <= maxHeight;
        // A row holding nothing yet (a separator opening the bar takes no
        // room) keeps a button wider than the length: breaking before it
        // left a row empty.
        if (x + width > maxWidth && nextRowFits && !item.separator && previous != nullptr && x > 0) {
            previous->rowBreak = true;
            x = 0;
            y += rowHeight + kRowGap;
            ++rows;
        }
        x += width;
        previous = &item;
    }
    return rows + 1;
}

namespace {

// Moves the boxes of one finished row right by half the width it leaves free
// inside the bar's one-pixel margins.
void CentreRow(std::vector<Box>& boxes, std::size_t first, std::size_t end, int rowRight, int clientWidth)
{
    const int shift = (clientWidth - 2 - (rowRight - 1)) / 2;
    if (shift <= 0)
        return;
    for (std::size_t i = first; i < end; ++i) {
        boxes[i].left += shift;
        boxes[i].right += shift;
    }
}

}  // namespace

PlaceResult PlaceItems(const std::vector<BarItem>& items, const PlaceInput& in)
{
    PlaceResult out;
    out.boxes.resize(items.size());
    out.overflowed.assign(items.size(), false);
    int x = 1;
    int y = 1;
    std::size_t rowStart = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const BarItem& item = items[i];
        int width = item.shown ? item.width : 0;
        const int height = item.shown ? item.height : 0;
        if (in.horizontal && item.separator && (x == 1 || item.rowBreak))
            width = 0;
        Box& box = out.boxes[i];
        box = Box{x, y, x + width, y + height};
        const int farEdge = in.horizontal ? box.right : box.bottom;
        if (item.shown && in.limit > 0 && (out.anyOverflowed || farEdge > in.limit)) {
            out.overflowed[i] = true;
            out.anyOverflowed = true;
        }
        if (item.shown && !out.overflowed[i]) {
            out.right = std::max(out.right, box.right);
            out.bottom = std::max(out.bottom, box.bottom);
        }
        if (!in.horizontal) {
            y += height;
        } else if (item.rowBreak && item.shown) {
            if (in.centreRows)
                CentreRow(out.boxes, rowStart, i + 1, x + width, in.clientWidth);
            rowStart = i + 1;
            x = 1;
            y += in.rowHeight + kRowGap;
        } else {
            x += width;
        }
    }
    if (in.horizontal && in.centreRows)
        CentreRow(out.boxes, rowStart, items.size(), x, in.clientWidth);
    return out;
}

int WrapLengthFor(const WrapRequest& r)
{
    if (r.fixedSize)
        return -1;
    const bool horizontal = (r.mode & kLayoutHorizontal) != 0;
    if (!r.dynamicSize)
        return horizontal ? kNoLimit : 0;
    if ((r.mode & kLayoutRecentWidth) != 0)
        return r.recordedLength;
    if ((r.mode & kLayoutHorizontalDock) != 0)
        return kNoLimit;
    if ((r.mode & kLayoutVerticalDock) != 0)
        return 0;
    if (r.length != -1)
        return r.length - ((r.mode & kLayoutLengthIsHeight) != 0 ? r.nonClientHeight : r.nonClientWidth);
    if (r.floating)
        return r.recordedLength;
    return horizontal ? kNoLimit : 0;
}

int IndexAfterDeletion(int index, int deleted)
{
    if (index == deleted)
        return -1;
    return index > deleted ? index - 1 : index;
}

int HitTest(const std::vector<PlacedItem>& items, int x, int y)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].overflowed || !items[i].box.Contains(x, y))
            continue;
        return items[i].separator ? -1 : static_cast<int>(i);
    }
    return -1;
}

namespace {

// The rule along one axis: before the item's near edge its own index; inside
// it the index of the nearer edge.
DropTarget DropAlong(const PlacedItem& item, int index, bool horizontal, int position)
{
    const Box& b = item.box;
    const int nearEdge = horizontal ? b.left : b.top;
    const int farEdge = horizontal ? b.right : b.bottom;
    const bool after = position >= nearEdge && (position - nearEdge) > (farEdge - position);
    const int edge = after ? farEdge : nearEdge;
    DropTarget target;
    target.index = after ? index + 1 : index;
    target.marker = horizontal ? Box{edge, b.top, edge, b.bottom} : Box{b.left, edge, b.right, edge};
    return target;
}

}  // namespace

DropTarget DropIndexAt(const std::vector<PlacedItem>& items, const Box& client, bool horizontal,
                       int rowPitch, int x, int y)
{
    int count = static_cast<int>(items.size());
    if (count > 0 && items.back().customise)
        --count;
    if (count == 0)
        return DropTarget{0, client};

    if (!horizontal) {
        for (int i = 0; i < count; ++i) {
            if (items[i].box.bottom >= y)
                return DropAlong(items[i], i, false, y);
        }
        if (count < static_cast<int>(items.size()))
            return DropTarget{};
        const Box& last = items[count - 1].box;
        return DropTarget{count, Box{last.left, last.bottom, last.right, last.bottom}};
    }

    const int pitch = rowPitch > 0 ? rowPitch : 1;
    const int row = (y - client.top) / pitch;
    int lastInRow = -1;
    for (int i = 0; i < count; ++i) {
        if ((items[i].box.top - client.top) / pitch != row)
            continue;
        if (items[i].box.right >= x)
            return DropAlong(items[i], i, true, x);
        lastInRow = i;
    }
    if (lastInRow < 0)
        return DropTarget{count, Box{}};
    const Box& last = items[lastInRow].box;
    return DropTarget{lastInRow + 1, Box{last.right, last.top, last.right, last.bottom}};
}

}  // namespace kgp
