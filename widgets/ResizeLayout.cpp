#include "widgets/ResizeLayout.h"

namespace {

int Shift(int delta, int percent)
{
    return ::MulDiv(delta, percent, 100);
}

} // namespace

SIZE ClampLayoutSize(SIZE client, SIZE minimum)
{
    return SIZE{client.cx < minimum.cx ? minimum.cx : client.cx, client.cy < minimum.cy ? minimum.cy : client.cy};
}

RECT LayoutAnchoredRect(const RECT& original, SIZE originalClient, SIZE client, ResizeAnchor topLeft,
                        ResizeAnchor bottomRight)
{
    if (topLeft.none) {
        return original;
    }
    const int dx = client.cx - originalClient.cx;
    const int dy = client.cy - originalClient.cy;
    RECT result{};
    result.left = original.left + Shift(dx, topLeft.xPercent);
    result.top = original.top + Shift(dy, topLeft.yPercent);
    if (bottomRight.none) {
        result.right = result.left + (original.right - original.left);
        result.bottom = result.top + (original.bottom - original.top);
    } else {
        result.right = original.right + Shift(dx, bottomRight.xPercent);
        result.bottom = original.bottom + Shift(dy, bottomRight.yPercent);
        // A bottom-right anchor left of the top-left one must not turn the control inside out.
        if (result.right < result.left) {
            result.right = result.left;
        }
        if (result.bottom < result.top) {
            result.bottom = result.top;
        }
    }
    return result;
}
