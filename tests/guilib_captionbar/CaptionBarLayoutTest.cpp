// The caption bar's layout as plain arithmetic: its height, elements from both
// edges and the middle, the button flush with an edge, an unknown alignment
// stopping the layout, and the text never turned over.
#include <gtest/gtest.h>

#include "guilib/panes/KGPCaptionBarLayout.h"

namespace {

using namespace kgp::caption;

CaptionInput Bar(int width, int height = 24)
{
    CaptionInput in;
    in.client = {0, 0, width, height};
    in.textHeight = 15;
    return in;
}

CaptionInput WithImage(CaptionInput in, int align, int cx = 16, int cy = 16)
{
    in.hasImage = true;
    in.imageCx = cx;
    in.imageCy = cy;
    in.imageAlign = align;
    return in;
}

CaptionInput WithButton(CaptionInput in, int align, int labelWidth = 40, bool arrow = true)
{
    in.hasButton = true;
    in.buttonLabelWidth = labelWidth;
    in.buttonArrow = arrow;
    in.buttonAlign = align;
    return in;
}

CaptionInput WithText(CaptionInput in, int align, int cx = 60, int cy = 13)
{
    in.hasText = true;
    in.textCx = cx;
    in.textCy = cy;
    in.textAlign = align;
    return in;
}

TEST(CaptionBarLayout, HeightIsBorderMarginsAndTheTallerOfTextAndImage)
{
    CaptionInput in = Bar(300);
    EXPECT_EQ(4 + 2 * 4 + 15, CaptionHeight(in)); // an empty bar: the font's line
    EXPECT_EQ(4 + 2 * 4 + 15, LayOutCaption(in).height);
    EXPECT_EQ(4 + 2 * 4 + 32, CaptionHeight(WithImage(in, kAlignLeft, 32, 32)));
    EXPECT_EQ(4 + 2 * 4 + 15, CaptionHeight(WithImage(in, kAlignLeft, 32, 10)));
    in.fixedHeight = 50;
    EXPECT_EQ(50, CaptionHeight(WithImage(in, kAlignLeft, 32, 32)));
    in.borderSize = 0;
    in.margin = 2;
    in.fixedHeight = -1;
    EXPECT_EQ(2 * 2 + 15, CaptionHeight(in));
}

TEST(CaptionBarLayout, AnEmptyClientPlacesNothing)
{
    const CaptionLayout out = LayOutCaption(WithText(WithButton(Bar(0, 0), kAlignLeft), kAlignLeft));
    EXPECT_TRUE(out.button.IsEmpty());
    EXPECT_TRUE(out.drawText.IsEmpty());
    EXPECT_EQ(4 + 8 + 15, out.height);
}

TEST(CaptionBarLayout, LeftAndRightElementsGrowInwardFromTheEdges)
{
    const CaptionLayout out = LayOutCaption(WithText(WithButton(Bar(300), kAlignRight), kAlignLeft));
    // A right-aligned button with nothing right of it is flush with the client
    // edge (not at the margin) and spans the client's height: label, two gaps
    // and the triangle.
    EXPECT_EQ(300, out.button.right);
    EXPECT_EQ(300 - (40 + 8 + kMenuArrowWidth), out.button.left);
    EXPECT_EQ(0, out.button.top);
    EXPECT_EQ(24, out.button.bottom);
    // The text at the margin, centred on the middle line.
    EXPECT_EQ((kgp::Box{4, 12 - 13 / 2, 64, 12 - 13 / 2 + 13}), out.drawText);

    // With an image on the left the text follows it after the gap, and the
    // button is moved inside the margins, keeping its width.
    const CaptionLayout imaged =
        LayOutCaption(WithText(WithButton(WithImage(Bar(300), kAlignLeft), kAlignRight), kAlignLeft));
    EXPECT_EQ((kgp::Box{4, 4, 20, 20}), imaged.image);
    EXPECT_EQ(24, imaged.drawText.left);
    EXPECT_EQ((kgp::Box{238, 4, 296, 20}), imaged.button);
    EXPECT_LE(imaged.drawText.right, imaged.button.left - 4);
}

TEST(CaptionBarLayout, AButtonLeftOfNothingIsFlushWithTheLeftEdgeAndWithoutACommandHasNoTriangle)
{
    const CaptionLayout out = LayOutCaption(WithButton(Bar(300), kAlignLeft, 40, false));
    EXPECT_EQ(0, out.button.left);
    EXPECT_EQ(48, out.button.right);
    // After an image it stands at the cursor instead.
    const CaptionLayout after = LayOutCaption(WithButton(WithImage(Bar(300), kAlignLeft), kAlignLeft, 40, false));
    EXPECT_EQ(24, after.button.left);
}

TEST(CaptionBarLayout, CentredElementsArePlacedLastFromTheMiddleInTheirOrder)
{
    CaptionInput in = WithText(WithButton(WithImage(Bar(400), kAlignCenter), kAlignCenter, 40, false), kAlignCenter);
    const CaptionLayout out = LayOutCaption(in);
    // The middle moved left by half of each width: 200 - 8 - 24 - 30.
    const int start = 200 - 8 - 24 - 30;
    EXPECT_EQ(start, out.image.left);
    EXPECT_EQ(start + 16 + 4, out.button.left);
    EXPECT_EQ(out.button.right + 4, out.drawText.left);
    EXPECT_EQ(out.drawText.left + 60, out.drawText.right);
}

TEST(CaptionBarLayout, AnUnknownAlignmentStopsTheLayoutAfterWhatWasPlaced)
{
    const CaptionLayout badButton =
        LayOutCaption(WithText(WithButton(WithImage(Bar(300), kAlignLeft), 7), kAlignLeft));
    EXPECT_FALSE(badButton.image.IsEmpty());
    EXPECT_TRUE(badButton.button.IsEmpty());
    EXPECT_TRUE(badButton.text.IsEmpty());
    EXPECT_TRUE(badButton.drawText.IsEmpty());

    const CaptionLayout badText =
        LayOutCaption(WithText(WithButton(WithImage(Bar(300), kAlignCenter), kAlignRight), 0));
    EXPECT_FALSE(badText.button.IsEmpty());
    EXPECT_TRUE(badText.drawText.IsEmpty());
    // The centred image was never placed: the layout ended before that step.
    EXPECT_TRUE(badText.image.IsEmpty());
}

TEST(CaptionBarLayout, TheTextKeepsTheGapFromItsNeighboursAndNeverTurnsOver)
{
    // Long text left of a right button in a narrow bar: cut back at the button.
    const CaptionLayout narrow = LayOutCaption(WithText(WithButton(Bar(120), kAlignRight), kAlignLeft, 200));
    EXPECT_EQ(narrow.button.left - 4, narrow.drawText.right);
    EXPECT_LE(narrow.drawText.left, narrow.drawText.right);
    // Narrower still: the button covers the text's place, which keeps zero width.
    for (int width = 1; width < 140; width += 7) {
        const CaptionLayout out =
            LayOutCaption(WithText(WithButton(WithImage(Bar(width), kAlignRight), kAlignLeft), kAlignRight, 90));
        EXPECT_LE(out.drawText.left, out.drawText.right) << width;
        EXPECT_LE(out.button.left, out.button.right) << width;
    }
    // The text stays inside the client less the margin.
    const CaptionLayout wide = LayOutCaption(WithText(Bar(100), kAlignLeft, 500));
    EXPECT_EQ(4, wide.drawText.left);
    EXPECT_EQ(96, wide.drawText.right);
}

TEST(CaptionBarLayout, AStretchedImageReachesFromMarginToMarginAndTheButtonKeepsItsGap)
{
    CaptionInput in = WithButton(WithImage(Bar(300, 40), kAlignLeft, 16, 16), kAlignLeft);
    in.stretchImage = true;
    const CaptionLayout out = LayOutCaption(in);
    EXPECT_EQ(20 - 8, out.image.top);
    EXPECT_EQ(36, out.image.bottom);
    EXPECT_GE(out.button.left, out.image.right + 4);
    // With an image the button is kept inside the margins too.
    EXPECT_EQ(4, out.button.top);
    EXPECT_EQ(36, out.button.bottom);
    // An image taller than the client starts at the margin.
    const CaptionLayout tall = LayOutCaption(WithImage(Bar(300, 20), kAlignRight, 16, 30));
    EXPECT_EQ(4, tall.image.top);
    EXPECT_EQ(296, tall.image.right);
}

} // namespace
