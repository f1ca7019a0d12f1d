// Where the caption bar puts its image, button and text: plain arithmetic with
// no Windows header, the text measured by the caller.
#pragma once

#include "guilib/core/KGPBox.h"

namespace kgp::caption {

// Alignment of an element: left, right or centre; any other value stops the
// layout at that element (button and text).
constexpr int kAlignLeft = 1;
constexpr int kAlignRight = 2;
constexpr int kAlignCenter = 3;

// Width added to a button that sends a command (its drop-down triangle).
constexpr int kMenuArrowWidth = 10;

struct CaptionInput {
    Box client;
    int borderSize = 4;
    int margin = 4;
    int gap = 4;          // between elements and inside the button
    int fixedHeight = -1; // -1: computed
    int textHeight = 0;   // the font's height + 2

    bool hasImage = false;
    int imageCx = 0;
    int imageCy = 0;
    bool stretchImage = false;
    int imageAlign = kAlignLeft;

    bool hasButton = false; // a label is set
    int buttonLabelWidth = 0;
    bool buttonArrow = false; // a command id and active
    int buttonAlign = kAlignLeft;

    bool hasText = false;
    int textCx = 0; // the text's measured extent
    int textCy = 0;
    int textAlign = kAlignLeft;
};

struct CaptionLayout {
    int height = 0; // the bar's height (border strip included)
    Box image;
    Box button;
    Box text;
    Box drawText; // where the text is drawn
};

// The bar's height: the fixed one, else border + 2 margins + the larger of
// the text and the image.
int CaptionHeight(const CaptionInput& in);

// Places the elements: left and right ones from the two edges inward, centred
// ones last from the middle, then keeps them inside the client less the margin
// and apart by the gap. An element with an alignment of no known kind stops
// the layout there, leaving what was placed before it.
CaptionLayout LayOutCaption(const CaptionInput& in);

} // namespace kgp::caption
