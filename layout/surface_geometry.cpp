#include "layout/surface_geometry.h"

#include <algorithm>
#include <cmath>

namespace layout {

int RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return static_cast<int>(below);
    if (fraction > 0.5)
        return static_cast<int>(below) + 1;
    return std::fmod(below, 2.0) == 0 ? static_cast<int>(below) : static_cast<int>(below) + 1;
}

QRect ZoomRect(const QRect& rect, double factor) {
    return {RoundHalfEven(rect.x() * factor), RoundHalfEven(rect.y() * factor),
            RoundHalfEven(rect.width() * factor), RoundHalfEven(rect.height() * factor)};
}

QSize ZoomSize(QSize size, double factor) {
    return {RoundHalfEven(size.width() * factor), RoundHalfEven(size.height() * factor)};
}

QList<QRect> Aligned(const QList<QRect>& selection, Alignment alignment, QSize surface) {
    int line = 0;
    switch (alignment) {
    case Alignment::Left:
        line = surface.width();
        for (const QRect& r : selection)
            line = std::min(line, r.x());
        break;
    case Alignment::Right:
        for (const QRect& r : selection)
            line = std::max(line, r.x() + r.width());
        break;
    case Alignment::Tops:
        line = surface.height();
        for (const QRect& r : selection)
            line = std::min(line, r.y());
        break;
    case Alignment::Bottoms:
        for (const QRect& r : selection)
            line = std::max(line, r.y() + r.height());
        break;
    }
    QList<QRect> aligned;
    for (QRect r : selection) {
        switch (alignment) {
        case Alignment::Left:
            r.moveLeft(line);
            break;
        case Alignment::Right:
            r.moveLeft(line - r.width());
            break;
        case Alignment::Tops:
            r.moveTop(line);
            break;
        case Alignment::Bottoms:
            r.moveTop(line - r.height());
            break;
        }
        aligned << r;
    }
    return aligned;
}

int CenteredStart(int parentExtent, int extent) {
    return parentExtent / 2 - extent / 2;
}

Edges ReleasedBand(const Edges& band, QPoint release) {
    Edges r = band;
    if (r.right < r.left) {
        r.right = r.left;
        r.left = release.x();
    }
    if (r.bottom < r.top) {
        r.bottom = r.top;
        r.top = release.y();
    }
    return r;
}

Edges PlacingRect(const Edges& band) {
    Edges r = band;
    if (r.right - r.left < 25)
        r.right = r.left + 50;
    if (r.bottom - r.top < 15)
        r.bottom = r.top + 15;
    return r;
}

QRect NewObjectBounds(const Edges& rect) {
    return {rect.left, rect.top, std::max(rect.right - rect.left, 10),
            std::max(rect.bottom - rect.top, 15)};
}

QPoint ClampedPosition(const QRect& object, QSize surface) {
    return {std::min(object.x(), surface.width() - 20),
            std::min(object.y(), surface.height() - 10)};
}

bool LiesOutside(const QRect& object, QSize surface) {
    return object.y() > surface.height() - 10 || object.x() > surface.width() - 10;
}

} // namespace layout
