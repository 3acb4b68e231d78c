#include "layout/handle_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace layout {

namespace {

// Near a handle edge: less than 8 pixels away.
bool near(int a, int b) {
    return std::abs(a - b) < 8;
}

QRect fromEdges(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

} // namespace

Edges Edges::Normalised() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

int SnapDown(int value, int step) {
    return step > 1 ? step * (value / step) : value;
}

DragMode HitZone(QPoint point, QSize size) {
    const int x = point.x(), y = point.y(), w = size.width(), h = size.height();
    // Later tests win over earlier ones; the side squares are tested against the exact half.
    DragMode mode = DragMode::Move;
    if (near(x, 0) && near(y, 0))
        mode = DragMode::TopLeft;
    if (near(x, w) && near(y, h))
        mode = DragMode::BottomRight;
    if (near(x, w) && near(y, 0))
        mode = DragMode::TopRight;
    if (near(x, 0) && near(y, h))
        mode = DragMode::BottomLeft;
    const bool midX = std::abs(x - w / 2.0) < 6, midY = std::abs(y - h / 2.0) < 6;
    if (midX && near(y, 0))
        mode = DragMode::Top;
    if (midX && near(y, h))
        mode = DragMode::Bottom;
    if (midY && near(x, 0))
        mode = DragMode::Left;
    if (midY && near(x, w))
        mode = DragMode::Right;
    return mode;
}

QRect DragBounds(DragMode mode, QPoint point, QPoint start, const QRect& handle, int gridX,
                 int gridY) {
    const int dx = point.x() - start.x(), dy = point.y() - start.y();
    const int l = handle.x(), t = handle.y(), w = handle.width(), h = handle.height();
    const int movedLeft = SnapDown(l + dx, gridX) - 2, movedTop = SnapDown(t + dy, gridY) - 2;
    const int grownWidth = SnapDown(w + dx, gridX) - 3, grownHeight = SnapDown(h + dy, gridY) - 3;
    QRect bounds = handle;
    switch (mode) {
    case DragMode::Move:
        bounds = {movedLeft, movedTop, w, h};
        break;
    case DragMode::TopLeft:
        bounds = {movedLeft, movedTop, w + l - movedLeft, h + t - movedTop};
        break;
    case DragMode::TopRight:
        bounds = {l, movedTop, grownWidth, h + t - movedTop};
        break;
    case DragMode::BottomLeft:
        bounds = {movedLeft, t, w + l - movedLeft, grownHeight};
        break;
    case DragMode::BottomRight:
        bounds = {l, t, grownWidth, grownHeight};
        break;
    case DragMode::Top:
        bounds = {l, movedTop, w, h + t - movedTop};
        break;
    case DragMode::Left:
        bounds = {movedLeft, t, w + l - movedLeft, h};
        break;
    case DragMode::Bottom:
        bounds = {l, t, w, grownHeight};
        break;
    case DragMode::Right:
        bounds = {l, t, grownWidth, h};
        break;
    }
    bounds.setWidth(std::max(bounds.width(), MinHandleExtent));
    bounds.setHeight(std::max(bounds.height(), MinHandleExtent));
    return bounds;
}

Edges SelectionOutline(const QRect& handle) {
    return {handle.x() + 2, handle.y() + 2, handle.x() + handle.width() - 3,
            handle.y() + handle.height() - 3};
}

QPoint ClampDragPoint(QPoint point, QPoint handlePos, QSize surface) {
    return {std::clamp(point.x(), -handlePos.x(), surface.width() - handlePos.x()),
            std::clamp(point.y(), -handlePos.y(), surface.height() - handlePos.y())};
}

QList<QRect> GrabSquares(const QRect& object, bool onlySelected) {
    const Edges r{object.x() - 2, object.y() - 2, object.x() + object.width() + 2,
                  object.y() + object.height() + 2};
    QList<QRect> squares{
        fromEdges(r.left, r.top, r.left + 5, r.top + 5),
        fromEdges(r.right - 5, r.top, r.right, r.top + 5),
        fromEdges(r.left, r.bottom - 5, r.left + 5, r.bottom),
        fromEdges(r.right - 5, r.bottom - 5, r.right, r.bottom),
    };
    if (onlySelected) {
        const int h = static_cast<int>((r.right - r.left) * 0.5);
        const int v = static_cast<int>((r.bottom - r.top) * 0.5);
        squares << fromEdges(r.left + h - 2, r.top, r.left + h + 3, r.top + 5)
                << fromEdges(r.left + h - 2, r.bottom - 5, r.left + h + 3, r.bottom)
                << fromEdges(r.left, r.top + v - 2, r.left + 5, r.top + v + 3)
                << fromEdges(r.right - 5, r.top + v - 2, r.right, r.top + v + 3);
    }
    return squares;
}

QRect PlaceHandle(const QRect& object) {
    return {object.x() - 2, object.y() - 2, object.width() + 5, object.height() + 5};
}

QRect GrowHandle(const QRect& handle, const QRect& object) {
    const int left = std::min(handle.x(), object.x() - 2);
    const int top = std::min(handle.y(), object.y() - 2);
    const int right = std::max(handle.x() + handle.width() - 3, object.x() + object.width());
    const int bottom = std::max(handle.y() + handle.height() - 3, object.y() + object.height());
    return {left, top, right - left + 3, bottom - top + 3};
}

QRect FitHandle(const QList<QRect>& objects) {
    if (objects.isEmpty())
        return {};
    int left = objects.first().x(), top = objects.first().y();
    int right = left + objects.first().width(), bottom = top + objects.first().height();
    for (const QRect& object : objects) {
        left = std::min(left, object.x());
        top = std::min(top, object.y());
        right = std::max(right, object.x() + object.width());
        bottom = std::max(bottom, object.y() + object.height());
    }
    return {left - 2, top - 2, right - left + 6, bottom - top + 6};
}

QRect FollowHandle(const QRect& object, const QRect& before, const QRect& after) {
    const int width = object.width() + after.width() - before.width();
    const int height = object.height() + after.height() - before.height();
    return {object.x() + after.x() - before.x(), object.y() + after.y() - before.y(),
            std::max(width, 1), std::max(height, 1)};
}

Edges NudgeOutline(const Edges& outline, Qt::Key key, bool resize, QSize surface) {
    Edges o = outline;
    const int width = o.right - o.left + 1, height = o.bottom - o.top + 1;
    const bool roomRight = surface.width() >= width + o.left;
    const bool roomBelow = surface.height() >= height + o.top;
    switch (key) {
    case Qt::Key_Left:
        if (resize && width > 10) {
            --o.right;
        } else if (!resize && o.left > 0) {
            --o.left;
            --o.right;
        }
        break;
    case Qt::Key_Up:
        if (resize && height > 10) {
            --o.bottom;
        } else if (!resize && o.top > 0) {
            --o.top;
            --o.bottom;
        }
        break;
    case Qt::Key_Right:
        if (roomRight) {
            o.left += resize ? 0 : 1;
            ++o.right;
        }
        break;
    case Qt::Key_Down:
        if (roomBelow) {
            o.top += resize ? 0 : 1;
            ++o.bottom;
        }
        break;
    default:
        break;
    }
    return o;
}

QRect HandleFromOutline(const Edges& outline) {
    return {outline.left - 2, outline.top - 2, outline.right - outline.left + 5,
            outline.bottom - outline.top + 5};
}

} // namespace layout
