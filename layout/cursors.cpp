#include "layout/cursors.h"

namespace layout {

QCursor GrabCursor() {
    return Qt::SizeAllCursor;
}

QCursor PointCursor() {
    return Qt::ArrowCursor;
}

QCursor PlacingCursor() {
    return Qt::CrossCursor;
}

QCursor NoDropCursor() {
    return Qt::ForbiddenCursor;
}

QCursor ZoneCursor(DragMode mode) {
    switch (mode) {
    case DragMode::TopLeft:
    case DragMode::BottomRight:
        return Qt::SizeFDiagCursor;
    case DragMode::TopRight:
    case DragMode::BottomLeft:
        return Qt::SizeBDiagCursor;
    case DragMode::Top:
    case DragMode::Bottom:
        return Qt::SizeVerCursor;
    case DragMode::Left:
    case DragMode::Right:
        return Qt::SizeHorCursor;
    case DragMode::Move:
        break;
    }
    return GrabCursor();
}

} // namespace layout
