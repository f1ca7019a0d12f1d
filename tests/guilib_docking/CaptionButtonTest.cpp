#include "guilib/docking/KGPCaptionLayout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace KGPCaption;

namespace {

// Close, pin, pane menu and page menu added in that order, each at the head.
struct Buttons {
    std::vector<std::unique_ptr<CKGPCaptionButton>> owned;
    CObList list;

    explicit Buttons(std::initializer_list<UINT> hits)
    {
        for (UINT hit : hits) {
            owned.push_back(std::make_unique<CKGPCaptionButton>(hit, FALSE));
            list.AddHead(owned.back().get());
        }
    }
    CKGPCaptionButton& operator[](size_t i) { return *owned[i]; }
};

const CSize kButton = CKGPCaptionButton::GetSize();

TEST(CaptionButtons, ArrangedRightToLeftInTheOrderAddedAndClampedAtTheLeft)
{
    Buttons b{HTCLOSE, kHitPin, HTMINBUTTON, kHitPageMenu};
    const int width = 3 * kButton.cx + 2 * kButtonSpacing + 5;  // room for three and a bit
    const CRect caption(3, 3, 3 + width, 3 + kButton.cy + 4);
    ArrangeButtons(b.list, caption);
    EXPECT_EQ(CPoint(caption.right - kButton.cx, 5), b[0].m_ptOrg);  // close rightmost
    EXPECT_EQ(b[0].m_ptOrg.x - kButtonSpacing - kButton.cx, b[1].m_ptOrg.x);
    EXPECT_EQ(b[1].m_ptOrg.x - kButtonSpacing - kButton.cx, b[2].m_ptOrg.x);
    EXPECT_EQ(caption.left, b[3].m_ptOrg.x);  // would cross the left edge

    b[1].m_bHidden = TRUE;
    EXPECT_TRUE(b[1].GetRect().IsRectEmpty());
    EXPECT_EQ(b[1].m_ptOrg, b[1].GetRect().TopLeft());
    EXPECT_EQ(-1, CKGPCaptionButton(7, FALSE).GetIconID(TRUE));
}

TEST(CaptionButtons, TooltipToolIdsOutsideTheListFindNothing)
{
    Buttons b{HTCLOSE, kHitPin};
    EXPECT_EQ(&b[1], FindButtonByToolId(b.list, 1));  // the head: added last
    EXPECT_EQ(&b[0], FindButtonByToolId(b.list, 2));
    for (UINT_PTR id : {UINT_PTR(0), UINT_PTR(3), UINT_PTR(-1)})
        EXPECT_EQ(nullptr, FindButtonByToolId(b.list, id)) << id;
    EXPECT_EQ(16105u, TooltipStringId(HTCLOSE));
    EXPECT_EQ(0u, TooltipStringId(HTHELP));
}

TEST(CaptionButtons, FrameHitTestForToolbarAndPaneFrames)
{
    Buttons b{HTCLOSE};
    FrameGeometry f;
    f.window = CRect(100, 100, 300, 250);
    f.border = CRect(3, 3, 3, 3);
    f.captionHeight = 20;
    f.client = CRect(103, 123, 297, 247);
    f.corner = CSize(8, 8);
    ArrangeButtons(b.list, CRect(3, 3, 197, 23));  // window coordinates
    const CPoint onClose = f.window.TopLeft() + b[0].GetRect().CenterPoint();

    struct Case {
        BOOL toolbar;
        CPoint point;
        BOOL detectCaption;
        UINT expected;
    } cases[] = {
        {TRUE, {99, 150}, FALSE, HTNOWHERE},
        {TRUE, {200, 200}, FALSE, HTCLIENT},
        {TRUE, {101, 101}, FALSE, HTTOP},  // toolbar frames have no corners
        {TRUE, {101, 150}, FALSE, HTLEFT},
        {TRUE, {299, 249}, FALSE, HTBOTTOM},
        {TRUE, {299, 150}, FALSE, HTRIGHT},
        {FALSE, {101, 101}, FALSE, HTTOPLEFT},
        {FALSE, {150, 101}, FALSE, HTTOP},
        {FALSE, {299, 105}, FALSE, HTTOPRIGHT},
        {FALSE, {299, 150}, FALSE, HTRIGHT},
        {FALSE, {295, 249}, FALSE, HTBOTTOMRIGHT},
        {FALSE, {150, 249}, FALSE, HTBOTTOM},
        {FALSE, {104, 248}, FALSE, HTBOTTOMLEFT},
        {FALSE, {101, 150}, FALSE, HTLEFT},
        {FALSE, {150, 110}, FALSE, HTCLIENT},  // the caption is the frame's own
        {FALSE, {150, 110}, TRUE, HTCAPTION},
        {FALSE, onClose, FALSE, HTCLOSE},
        {TRUE, onClose, TRUE, HTCAPTION},
    };
    for (const Case& c : cases) {
        f.hostsToolbar = c.toolbar;
        EXPECT_EQ(c.expected, HitTestFrame(f, b.list, c.point, c.detectCaption))
            << c.point.x << "," << c.point.y << " toolbar " << c.toolbar;
    }
}

}  // namespace

namespace {

// A pane's buttons: close, pin, menu in that order (the list's order).
struct PaneButtons {
    std::vector<std::unique_ptr<CKGPCaptionButton>> owned;
    CObList list;

    PaneButtons()
    {
        for (UINT hit : {19u, kHitPin, UINT(HTMINBUTTON)}) {
            owned.push_back(std::make_unique<CKGPCaptionButton>(hit, FALSE));
            list.AddTail(owned.back().get());
        }
    }
    CKGPCaptionButton& operator[](size_t i) { return *owned[i]; }
};

TEST(CaptionButtons, APanesButtonsStandFromTheRightTwoPixelsApart)
{
    const CRect caption(0, 0, 200, 21);
    PaneButtons b;
    b[2].m_bHidden = TRUE; // the menu button is hidden while the look shows none
    ArrangePaneButtons(b.list, caption, 2, 0);
    EXPECT_EQ(200 - 2 - kButton.cx, b[0].m_ptOrg.x);                // close
    EXPECT_EQ(b[0].m_ptOrg.x - kButton.cx - kPaneButtonGap, b[1].m_ptOrg.x); // the pin w + 2 further left
    EXPECT_EQ((21 - kButton.cy) / 2, b[0].m_ptOrg.y);
    EXPECT_TRUE(b[2].GetRect().IsRectEmpty());

    // A pane that cannot be closed: the pin takes the rightmost place.
    PaneButtons unclosable;
    unclosable[0].m_bHidden = TRUE;
    unclosable[2].m_bHidden = TRUE;
    ArrangePaneButtons(unclosable.list, caption, 2, 0);
    EXPECT_EQ(200 - 2 - kButton.cx, unclosable[1].m_ptOrg.x);

    // The vertical adjustment lifts them; no caption hides them all.
    PaneButtons lifted;
    ArrangePaneButtons(lifted.list, caption, 2, 3);
    EXPECT_EQ((21 - kButton.cy) / 2 - 3, lifted[0].m_ptOrg.y);
    PaneButtons none;
    ArrangePaneButtons(none.list, CRect(0, 0, 200, 0), 2, 0);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(none[i].m_bHidden);

    // A left-aligned button that would reach the right-aligned ones is hidden.
    PaneButtons crowded;
    crowded[2].m_bLeftAlign = TRUE;
    ArrangePaneButtons(crowded.list, CRect(0, 0, 2 * kButton.cx + 6, 21), 2, 0);
    EXPECT_TRUE(crowded[2].m_bHidden);
    PaneButtons roomy;
    roomy[2].m_bLeftAlign = TRUE;
    ArrangePaneButtons(roomy.list, caption, 2, 0);
    EXPECT_FALSE(roomy[2].m_bHidden);
    EXPECT_EQ(2, roomy[2].m_ptOrg.x);
}

}  // namespace

namespace {

TEST(CaptionButtons, AToolbarFramesDraggedEdgeFollowsItsWrappedRows)
{
    ToolbarSizing sizing;
    sizing.window = CRect(100, 100, 220, 140);
    sizing.frame = CSize(6, 22);
    // The right edge dragged in: the bar's length is the width less the frame.
    sizing.side = WMSZ_RIGHT;
    sizing.dragged = CRect(100, 100, 160, 140);
    EXPECT_TRUE(SizingAlongWidth(sizing.side));
    EXPECT_EQ(54, SizingLength(sizing));
    // Wrapped to 48 x 36: the right edge fits it, the frame grows downwards.
    EXPECT_EQ(CRect(100, 100, 154, 158), FitToolbarSizing(sizing, CSize(48, 36)));
    // The left edge: the left one moves.
    sizing.side = WMSZ_LEFT;
    sizing.dragged = CRect(160, 100, 220, 140);
    EXPECT_EQ(CRect(166, 100, 220, 158), FitToolbarSizing(sizing, CSize(48, 36)));
    // The top edge: the height is the length; the top moves, the width follows from the left.
    sizing.side = WMSZ_TOP;
    sizing.dragged = CRect(100, 60, 220, 140);
    EXPECT_FALSE(SizingAlongWidth(sizing.side));
    EXPECT_EQ(58, SizingLength(sizing));
    EXPECT_EQ(CRect(100, 82, 172, 140), FitToolbarSizing(sizing, CSize(66, 36)));
    sizing.side = WMSZ_BOTTOM;
    sizing.dragged = CRect(100, 100, 220, 180);
    EXPECT_EQ(CRect(100, 100, 172, 158), FitToolbarSizing(sizing, CSize(66, 36)));
    // The dragged dimension unchanged, or a bar with no layout, or a layout
    // the frame holds already: the frame stays as it is.
    sizing.dragged = CRect(90, 100, 220, 140);
    EXPECT_EQ(-1, SizingLength(sizing));
    EXPECT_EQ(sizing.window, FitToolbarSizing(sizing, CSize(0, 0)));
    EXPECT_EQ(sizing.window, FitToolbarSizing(sizing, CSize(114, 18)));
    // Rows no different along the dragged side but not along the other (as
    // wide as before and fewer, or as high and narrower): the frame takes
    // them, or it no longer shows what the bar records.
    sizing.side = WMSZ_RIGHT;
    EXPECT_EQ(CRect(100, 100, 220, 134), FitToolbarSizing(sizing, CSize(114, 12)));
    sizing.side = WMSZ_BOTTOM;
    EXPECT_EQ(CRect(100, 100, 186, 140), FitToolbarSizing(sizing, CSize(80, 18)));
}

} // namespace
