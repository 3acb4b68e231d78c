#pragma once

// Where a single-line text object puts its text: the margins that keep its shadow and
// highlight inside the object, the size it shrinks to, and the rectangles and origins of the
// main text and its two copies at 0, 90, 180 and 270 degrees. Pixels of the surface at the
// object's zoom; y grows downwards.
#include "layout/handle_geometry.h"
#include "layout/layout_enums.h"

#include <QPoint>
#include <QSize>

namespace layout {

// The offsets of the shadow and highlight copies for a direction and depth.
QPoint ShadowOffset(TShadowDirection direction, int depth);
QPoint HighlightOffset(THighlightDirection direction, int depth);

struct TextLayoutInput {
    int angle = 0; // 0, 90, 180 or 270
    TAlignment alignment = taLeftJustify;
    QSize size;         // the object's width and height
    int lineHeight = 0; // font height with its leading
    int textWidth = 0;  // the caption followed by one blank
    QPoint shadow;      // ShadowOffset
    QPoint highlight;   // HighlightOffset
};

enum TextCopy { MainText = 0, ShadowText = 1, HighlightText = 2 };

struct TextLayout {
    QSize size;        // the object's size after the layout (never larger than before)
    Edges rects[3];    // by TextCopy
    QPoint origins[3]; // where each copy's text starts: the corner the text turns about
};

TextLayout LayOutText(const TextLayoutInput& in);

} // namespace layout
