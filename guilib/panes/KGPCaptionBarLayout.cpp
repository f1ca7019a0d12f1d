#include "guilib/panes/KGPCaptionBarLayout.h"

#include <algorithm>

namespace kgp::caption {

namespace {

Box Inner(const Box& client, int margin)
{
    return Box{client.left + margin, client.top + margin, client.right - margin, client.bottom - margin};
}

// Moves a box inside another without changing its size (as far as it fits).
Box KeptInside(Box box, const Box& bounds)
{
    const int cx = box.Width();
    const int cy = box.Height();
    box.left = std::max(bounds.left, std::min(box.left, bounds.right - cx));
    box.top = std::max(bounds.top, std::min(box.top, bounds.bottom - cy));
    box.right = box.left + cx;
    box.bottom = box.top + cy;
    return box;
}

Box Clipped(Box box, const Box& bounds)
{
    box.left = std::max(box.left, bounds.left);
    box.top = std::max(box.top, bounds.top);
    box.right = std::min(box.right, bounds.right);
    box.bottom = std::min(box.bottom, bounds.bottom);
    box.right = std::max(box.right, box.left);
    box.bottom = std::max(box.bottom, box.top);
    return box;
}

// Cuts `box` back so that it keeps `gap` from `other` on whichever side the
// other stands; a box that would turn over keeps zero width.
Box KeptApart(Box box, const Box& other, int gap)
{
    if (other.IsEmpty() || box.right <= box.left)
        return box;
    const int boxMiddle = box.left + box.right;
    const int otherMiddle = other.left + other.right;
    if (otherMiddle <= boxMiddle)
        box.left = std::max(box.left, other.right + gap);
    else
        box.right = std::min(box.right, other.left - gap);
    box.right = std::max(box.right, box.left);
    return box;
}

struct Cursors {
    int left = 0;
    int right = 0;
    int centre = 0;
    bool leftUsed = false;
    bool rightUsed = false;
};

} // namespace

int CaptionHeight(const CaptionInput& in)
{
    if (in.fixedHeight != -1)
        return in.fixedHeight;
    const int imageCy = in.hasImage ? in.imageCy : 0;
    return in.borderSize + 2 * in.margin + std::max(in.textHeight, imageCy);
}

CaptionLayout LayOutCaption(const CaptionInput& in)
{
    CaptionLayout out;
    out.height = CaptionHeight(in);
    const Box& client = in.client;
    if (client.IsEmpty())
        return out;

    const Box inner = Inner(client, in.margin);
    Cursors at;
    at.left = client.left + in.margin;
    at.right = client.right - in.margin;
    at.centre = client.left + client.Width() / 2;
    const int middle = client.top + client.Height() / 2;

    bool imageCentred = false;
    if (in.hasImage) {
        out.image.top = in.imageCy < client.Height() ? middle - in.imageCy / 2 : client.top + in.margin;
        out.image.bottom = in.stretchImage ? client.bottom - in.margin : out.image.top + in.imageCy;
        switch (in.imageAlign) {
        case kAlignLeft:
            out.image.left = at.left;
            out.image.right = at.left + in.imageCx;
            at.left = out.image.right + in.gap;
            at.leftUsed = true;
            break;
        case kAlignRight:
            out.image.right = at.right;
            out.image.left = at.right - in.imageCx;
            at.right = out.image.left - in.gap;
            at.rightUsed = true;
            break;
        case kAlignCenter:
            imageCentred = true;
            at.centre -= in.imageCx / 2;
            break;
        default:
            out.image = Box{};
            break;
        }
    }

    bool buttonCentred = false;
    const int buttonCx = in.buttonLabelWidth + 2 * in.gap + (in.buttonArrow ? kMenuArrowWidth : 0);
    if (in.hasButton) {
        out.button.top = client.top;
        out.button.bottom = client.bottom;
        switch (in.buttonAlign) {
        case kAlignLeft:
            out.button.left = at.leftUsed ? at.left : client.left;
            out.button.right = out.button.left + buttonCx;
            at.left = out.button.right + in.gap;
            at.leftUsed = true;
            break;
        case kAlignRight:
            out.button.right = at.rightUsed ? at.right : client.right;
            out.button.left = out.button.right - buttonCx;
            at.right = out.button.left;
            at.rightUsed = true;
            break;
        case kAlignCenter:
            buttonCentred = true;
            at.centre -= buttonCx / 2;
            break;
        default:
            out.button = Box{};
            return out;
        }
    }

    bool textCentred = false;
    if (in.hasText) {
        out.text.top = middle - in.textCy / 2;
        out.text.bottom = out.text.top + in.textCy;
        switch (in.textAlign) {
        case kAlignLeft:
            out.text.left = at.left;
            out.text.right = at.left + in.textCx;
            break;
        case kAlignRight:
            out.text.right = at.right;
            out.text.left = at.right - in.textCx;
            break;
        case kAlignCenter:
            textCentred = true;
            at.centre -= in.textCx / 2;
            break;
        default:
            out.text = Box{};
            return out;
        }
        if (!textCentred) {
            out.text = Clipped(out.text, inner);
            out.drawText = out.text;
        }
    }

    int x = at.centre;
    if (imageCentred) {
        out.image.left = x;
        out.image.right = x + in.imageCx;
        x = out.image.right + in.gap;
    }
    if (buttonCentred) {
        out.button.left = x;
        out.button.right = x + buttonCx;
        x = out.button.right + in.gap;
    }
    if (textCentred) {
        out.text.left = x;
        out.text.right = x + in.textCx;
        out.text = Clipped(out.text, inner);
        out.drawText = out.text;
    }

    if (in.hasImage && !out.image.IsEmpty())
        out.image = in.stretchImage ? Clipped(out.image, inner) : KeptInside(out.image, inner);
    if (in.hasButton && !out.image.IsEmpty()) {
        // Inside the margins: its height cut to them, moved along keeping its
        // label's width as far as it fits, then kept off the image.
        Box button = out.button;
        button.top = inner.top;
        button.bottom = inner.bottom;
        button = KeptInside(button, inner);
        out.button = Clipped(KeptApart(button, out.image, in.gap), inner);
    }
    if (in.hasText) {
        out.drawText = KeptApart(out.drawText, out.image, in.gap);
        out.drawText = KeptApart(out.drawText, out.button, in.gap);
    }
    return out;
}

} // namespace kgp::caption
