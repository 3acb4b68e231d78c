#include "pageout/brush_fill.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace pageout {

namespace {

struct HatchDirections {
    bool horizontal = false;
    bool vertical = false;
    bool falling = false; // top left to bottom right
    bool rising = false;  // bottom left to top right
};

HatchDirections directionsOf(BrushStyle style) {
    switch (style) {
    case BrushStyle::Horizontal:
        return {true, false, false, false};
    case BrushStyle::Vertical:
        return {false, true, false, false};
    case BrushStyle::FDiagonal:
        return {false, false, true, false};
    case BrushStyle::BDiagonal:
        return {false, false, false, true};
    case BrushStyle::Cross:
        return {true, true, false, false};
    case BrushStyle::DiagCross:
        return {false, false, true, true};
    case BrushStyle::Solid:
    case BrushStyle::Clear:
        break;
    }
    return {};
}

// Calls `draw` with every multiple of `step` from just below `from` to just past `to`.
template <typename Draw> void forEachStep(double from, double to, double step, Draw draw) {
    for (double at = std::floor(from / step) * step; at <= to + step; at += step)
        draw(at);
}

void drawHatch(QPainter& painter, const QPainterPath& area, const QColor& colour,
               HatchDirections lines, double dotsPerInch) {
    const double step = HatchSpacingInches * dotsPerInch;
    const double width = std::max(1.0, HatchLineInches * dotsPerInch);
    if (step <= 0)
        return;
    // Each line covers [k * step, k * step + width], so on the screen at full size a line is
    // one whole pixel every eight.
    const double centre = width / 2;
    const QRectF box = area.boundingRect();
    painter.save();
    painter.setClipPath(area, Qt::IntersectClip);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    if (lines.horizontal)
        forEachStep(box.top() - width, box.bottom(), step, [&](double y) {
            painter.drawLine(QPointF(box.left(), y + centre), QPointF(box.right(), y + centre));
        });
    if (lines.vertical)
        forEachStep(box.left() - width, box.right(), step, [&](double x) {
            painter.drawLine(QPointF(x + centre, box.top()), QPointF(x + centre, box.bottom()));
        });
    // Diagonals cross a row `step` apart like the others: x - y (falling) or x + y (rising) is
    // a multiple of the step. They run a little past the box so that their caps stay outside.
    const double left = box.left() - width, right = box.right() + width;
    if (lines.falling)
        forEachStep(left - box.bottom(), right - box.top(), step, [&](double c) {
            const double x = c + centre;
            painter.drawLine(QPointF(left, left - x), QPointF(right, right - x));
        });
    if (lines.rising)
        forEachStep(left + box.top(), right + box.bottom(), step, [&](double c) {
            const double x = c + centre;
            painter.drawLine(QPointF(left, x - left), QPointF(right, x - right));
        });
    painter.restore();
}

// Each pattern pixel becomes a block of this many image pixels before the pattern is tiled.
// Blocks of 16 fill whole JPEG blocks, so that the PDF writer, which stores images as JPEG,
// keeps the pattern's colours and edges; on other devices the blocks are merely larger.
constexpr int PatternBlock = 16;

void drawPattern(QPainter& painter, const QPainterPath& area, const QImage& pattern,
                 double dotsPerInch) {
    const QImage tile = pattern.scaled(pattern.size() * PatternBlock, Qt::IgnoreAspectRatio,
                                       Qt::FastTransformation);
    QBrush brush(tile);
    const double scale = dotsPerInch / 96.0 / PatternBlock;
    brush.setTransform(QTransform::fromScale(scale, scale));
    painter.save();
    // Each pattern pixel stays a sharp square, as in the PDF.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.fillPath(area, brush);
    painter.restore();
}

} // namespace

bool IsPlainBrush(const BrushFill& brush) {
    return brush.style == BrushStyle::Clear ||
           (brush.style == BrushStyle::Solid && brush.pattern.isNull());
}

void FillWithBrush(QPainter& painter, const QPainterPath& area, const BrushFill& brush,
                   double dotsPerInch) {
    if (brush.style == BrushStyle::Clear)
        return;
    if (!brush.pattern.isNull()) {
        drawPattern(painter, area, brush.pattern, dotsPerInch);
        return;
    }
    if (brush.style == BrushStyle::Solid)
        painter.fillPath(area, brush.colour);
    else
        drawHatch(painter, area, brush.colour, directionsOf(brush.style), dotsPerInch);
}

} // namespace pageout
