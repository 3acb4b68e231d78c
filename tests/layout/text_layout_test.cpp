// Where a single-line text object puts its text and how far it shrinks, at each angle.
#include "layout/text_layout.h"

#include <gtest/gtest.h>

using namespace layout;

namespace {

TextLayoutInput input(int angle, QSize size, QPoint shadow = {}, QPoint highlight = {}) {
    TextLayoutInput in;
    in.angle = angle;
    in.size = size;
    in.lineHeight = 16;
    in.textWidth = 40;
    in.shadow = shadow;
    in.highlight = highlight;
    return in;
}

} // namespace

TEST(TextLayout, OffsetsFollowDirectionAndDepth) {
    EXPECT_EQ(ShadowOffset(sdDownLeft, 3), QPoint(-3, 3));
    EXPECT_EQ(ShadowOffset(sdNone, 3), QPoint(0, 0));
    EXPECT_EQ(HighlightOffset(hdUpRight, 2), QPoint(2, -2));
    EXPECT_EQ(HighlightOffset(hdUp, 2), QPoint(0, -2));
}

TEST(TextLayout, UprightTextIsNoTallerThanOneLineAndAFifth) {
    const TextLayout out = LayOutText(input(0, {142, 33}));
    EXPECT_EQ(out.size, QSize(142, 19)); // trunc(1.2 x 16)
    EXPECT_EQ(out.rects[MainText], (Edges{0, 0, 142, 16}));
    EXPECT_EQ(out.origins[MainText], QPoint(0, 0));
    // A short object keeps its height.
    EXPECT_EQ(LayOutText(input(0, {142, 10})).size, QSize(142, 10));
}

TEST(TextLayout, MarginsKeepShadowAndHighlightInside) {
    // A shadow 5 to the left moves the text 5 to the right.
    TextLayout out = LayOutText(input(0, {142, 33}, ShadowOffset(sdLeft, 5)));
    EXPECT_EQ(out.rects[MainText].left, 5);
    EXPECT_EQ(out.rects[ShadowText].left, 0);
    EXPECT_EQ(out.origins[ShadowText], QPoint(0, 0));
    // A highlight up-left by 2 and a shadow down-right by 3: the line grows by 3 + 2.
    out =
        LayOutText(input(0, {142, 40}, ShadowOffset(sdDownRight, 3), HighlightOffset(hdUpLeft, 2)));
    EXPECT_EQ(out.size.height(), 25); // trunc(1.2 x (16 + 3 + 2))
    EXPECT_EQ(out.rects[MainText], (Edges{2, 2, 142, 18}));
    EXPECT_EQ(out.rects[ShadowText], (Edges{5, 5, 145, 21}));
    EXPECT_EQ(out.rects[HighlightText], (Edges{0, 0, 140, 16}));
}

TEST(TextLayout, AlignmentPlacesTheOriginsAtZeroDegrees) {
    TextLayoutInput in = input(0, {100, 19}, ShadowOffset(sdRight, 2));
    in.alignment = taRightJustify;
    TextLayout out = LayOutText(in);
    EXPECT_EQ(out.origins[MainText].x(), 60);
    EXPECT_EQ(out.origins[ShadowText].x(), 62);
    in.alignment = taCenter;
    out = LayOutText(in);
    EXPECT_EQ(out.origins[MainText].x(), 30);
}

TEST(TextLayout, TurnedTextSitsInItsCorner) {
    // 90 degrees: the text runs upwards from the bottom-left corner.
    TextLayout out = LayOutText(input(90, {33, 142}));
    EXPECT_EQ(out.size, QSize(19, 48));
    EXPECT_EQ(out.rects[MainText], (Edges{0, -1, 16, 47}));
    EXPECT_EQ(out.origins[MainText], QPoint(0, 47));
    // 270 degrees: downwards from the top-right corner.
    out = LayOutText(input(270, {33, 142}));
    EXPECT_EQ(out.rects[MainText], (Edges{0, 0, 16, 48}));
    EXPECT_EQ(out.origins[MainText], QPoint(16, 0));
    // 180 degrees: upside down, ending at the bottom-right; at most twice the text wide.
    out = LayOutText(input(180, {142, 33}));
    EXPECT_EQ(out.size, QSize(80, 19));
    EXPECT_EQ(out.rects[MainText], (Edges{-1, 0, 79, 16}));
    EXPECT_EQ(out.origins[MainText], QPoint(79, 16));
    // The shadow turns with the text.
    out = LayOutText(input(90, {33, 142}, ShadowOffset(sdRight, 4)));
    EXPECT_EQ(out.rects[ShadowText].top - out.rects[MainText].top, -4);
}
