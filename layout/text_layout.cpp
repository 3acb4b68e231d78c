#include "layout/text_layout.h"

#include <algorithm>

namespace layout {

QPoint ShadowOffset(TShadowDirection direction, int d) {
    switch (direction) {
    case sdNone:
        return {0, 0};
    case sdRight:
        return {d, 0};
    case sdLeft:
        return {-d, 0};
    case sdDownRight:
        return {d, d};
    case sdDownLeft:
        return {-d, d};
    case sdDown:
        return {0, d};
    }
    return {0, 0};
}

QPoint HighlightOffset(THighlightDirection direction, int h) {
    switch (direction) {
    case hdNone:
        return {0, 0};
    case hdright:
        return {h, 0};
    case hdLeft:
        return {-h, 0};
    case hdUpRight:
        return {h, -h};
    case hdUpLeft:
        return {-h, -h};
    case hdUp:
        return {0, -h};
    }
    return {0, 0};
}

namespace {

Edges moved(const Edges& e, QPoint by) {
    return {e.left + by.x(), e.top + by.y(), e.right + by.x(), e.bottom + by.y()};
}

// An offset given for upright text, turned with the text.
QPoint turned(QPoint offset, int angle) {
    switch (angle) {
    case 90:
        return {offset.y(), -offset.x()};
    case 180:
        return {-offset.x(), -offset.y()};
    case 270:
        return {-offset.y(), offset.x()};
    default:
        return offset;
    }
}

QPoint origin(const Edges& e, int angle) {
    switch (angle) {
    case 90:
        return {e.left, e.bottom};
    case 180:
        return {e.right, e.bottom};
    case 270:
        return {e.right, e.top};
    default:
        return {e.left, e.top};
    }
}

} // namespace

TextLayout LayOutText(const TextLayoutInput& in) {
    const QPoint s = in.shadow, h = in.highlight;
    int mx = s.x() < 0 ? -s.x() : 0;
    if (h.x() < 0)
        mx = std::max(-h.x(), mx);
    int my = s.y() < 0 ? -s.y() : 0;
    if (h.y() < 0)
        my = std::max(-h.y(), my);

    int width = in.size.width(), height = in.size.height();
    const int lh = in.lineHeight, tw = in.textWidth;
    const int e = lh + s.y() - h.y();
    const bool upright = in.angle == 0 || in.angle == 180;
    if (!upright) {
        if (1.2 * tw < height)
            height = int(1.2 * tw);
        if (1.2 * e < width)
            width = int(1.2 * e);
    } else {
        if (in.angle == 180 && 2 * tw < width)
            width = 2 * tw;
        if (1.2 * e < height)
            height = int(1.2 * e);
    }

    TextLayout out;
    out.size = {width, height};
    Edges main = upright ? Edges{mx, my, width, my + lh} : Edges{my, mx, my + lh, height - my};
    if (in.angle == 90)
        main = moved(main, {0, height - ((main.bottom - main.top) + 1) + h.x()});
    else if (in.angle == 180)
        main = moved(main, {width - ((main.right - main.left) + 1) - s.y(), 0});
    out.rects[MainText] = main;
    out.rects[ShadowText] = moved(main, turned(s, in.angle));
    out.rects[HighlightText] = moved(main, turned(h, in.angle));
    for (int copy : {MainText, ShadowText, HighlightText})
        out.origins[copy] = origin(out.rects[copy], in.angle);

    if (in.angle == 0) {
        int x = main.left;
        if (in.alignment == taRightJustify)
            x = main.right - tw;
        else if (in.alignment == taCenter)
            x = (main.right - main.left) / 2 - tw / 2;
        out.origins[MainText].setX(x);
        out.origins[ShadowText].setX(x + s.x());
        out.origins[HighlightText].setX(x + h.x());
    }
    return out;
}

} // namespace layout
