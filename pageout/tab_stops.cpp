#include "pageout/tab_stops.h"

namespace pageout {

void TabStops::pop() {
    if (saved_.empty())
        return;
    stops_ = std::move(saved_.back());
    saved_.pop_back();
}

CellSpan TabStops::span(int index, double sectionLeft) const {
    double left = sectionLeft;
    double previousEnd = sectionLeft;
    for (int i = 0; i <= index; ++i) {
        const TabStop& stop = stops_.at(i);
        left = stop.position >= 0 ? stop.position : previousEnd;
        previousEnd = left + (stop.width > 0 ? stop.width : 0);
    }
    return {left, previousEnd};
}

int TabStops::next(int current) const {
    if (stops_.empty())
        return -1;
    return current < 0 ? 0 : (current + 1) % count();
}

int TabStops::nextAfter(double x, double sectionLeft) const {
    for (int i = 0; i < count(); ++i) {
        if (span(i, sectionLeft).left > x + 1e-9)
            return i;
    }
    return -1;
}

CellPlacement PlaceInCell(const TabStop& stop, const CellSpan& span, double textWidth,
                          int characters) {
    const double width = span.right - span.left;
    switch (stop.justify) {
    case CellJustify::Centre:
        return {span.left + (width - textWidth) / 2, 0};
    case CellJustify::Left:
        return {span.left + stop.margin(), 0};
    case CellJustify::Right:
        return {span.right - stop.margin() - textWidth, 0};
    case CellJustify::Spread: {
        const double room = width - 2 * stop.margin() - textWidth;
        const double spacing = characters > 1 && room > 0 ? room / (characters - 1) : 0;
        return {span.left + stop.margin(), spacing};
    }
    }
    return {span.left, 0};
}

} // namespace pageout
