#pragma once

// The design surface's geometry as plain functions: zoom rounding, alignment, centring, the
// rubber band, the rectangle a new object gets and the clean-up rules after a size change.
#include "layout/handle_geometry.h"

#include <QList>
#include <QRect>
#include <QSize>

#include <utility>

namespace layout {

// The nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int RoundHalfEven(double value);
// Each of left, top, width and height times the factor, to the nearest integer.
QRect ZoomRect(const QRect& rect, double factor);
QSize ZoomSize(QSize size, double factor);

enum class Alignment { Left, Right, Tops, Bottoms };

// The selected objects' bounds after an alignment command, in the same order: left edges to
// the smallest left, right edges to the largest right, and likewise for tops and bottoms. The
// smallest is sought from the surface's width or height, the largest from 0.
QList<QRect> Aligned(const QList<QRect>& selection, Alignment alignment, QSize surface);

// Where an object of `extent` starts when centred in `parentExtent` (both halves truncated).
int CenteredStart(int parentExtent, int extent);

// The band as it is when the mouse is released at `release`: a right edge left of the left one
// becomes the old left, and the left becomes the release point's x; likewise for the top.
Edges ReleasedBand(const Edges& band, QPoint release);

// The rectangle a placing tool makes its object in: at least 50 wide when the band was narrower
// than 25, and 15 high when it was lower than 15.
Edges PlacingRect(const Edges& band);
// The bounds AddObject gives a new object: the rectangle, at least 10 wide and 15 high.
QRect NewObjectBounds(const Edges& rect);

// The top-left corner an object keeps after the surface shrank: no lower than 10 pixels above
// the bottom, and no further right than 20 pixels left of the right edge.
QPoint ClampedPosition(const QRect& object, QSize surface);
// An object that a save of the surface drops: its top more than height - 10, or its left more
// than width - 10.
bool LiesOutside(const QRect& object, QSize surface);

// The selection after a rubber band: with Shift the old selection, where each object hit by the
// band is toggled; without, the objects hit. `topFirst` pairs every object with its bounds,
// topmost first; objects are appended in that order.
template <typename T>
QList<T> BandSelection(const QList<T>& selection, const QList<std::pair<T, QRect>>& topFirst,
                       const Edges& band, bool shift) {
    QList<T> chosen = shift ? selection : QList<T>();
    const QRect area = band.Normalised().ToRect();
    for (const auto& [object, bounds] : topFirst) {
        if (!bounds.intersects(area))
            continue;
        if (shift && chosen.contains(object))
            chosen.removeAll(object);
        else
            chosen.append(object);
    }
    return chosen;
}

} // namespace layout
