#pragma once

// The selection handle's geometry as plain functions: where the grab squares lie, which square
// the mouse is over, where a drag or an arrow-key nudge puts the handle, and how the handle fits
// around the selection. Bounds are surface pixels; outlines are rectangles by their edges.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace layout {

// What a drag of the handle does: move, or resize by one of the eight grab squares.
enum class DragMode : quint8 {
    Move = 0,
    TopLeft = 1,
    TopRight = 2,
    BottomLeft = 3,
    BottomRight = 4,
    Top = 5,
    Left = 6,
    Bottom = 7,
    Right = 8,
};

// A rectangle by its edges, right and bottom exclusive, as outlines and bands are kept while
// the mouse draws them; the edges may come in any order until the rectangle is normalised.
struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Edges Of(const QRect& rect) {
        return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
    }
    // The rectangle with left <= right and top <= bottom.
    Edges Normalised() const;
    QRect ToRect() const { return {left, top, right - left, bottom - top}; }
    bool operator==(const Edges&) const = default;
};

// The handle never gets narrower or lower than this while resized.
inline constexpr int MinHandleExtent = 5;

// The step a value snaps down to: step x (value div step), truncating toward zero.
int SnapDown(int value, int step);

// The grab square under a point of the handle (client coordinates of a handle of `size`); only
// asked while exactly one object is selected. Anywhere else the drag moves.
DragMode HitZone(QPoint point, QSize size);

// The handle's new bounds when the mouse went from `start` to `point` (handle coordinates)
// dragging in `mode`, snapped to the grid steps.
QRect DragBounds(DragMode mode, QPoint point, QPoint start, const QRect& handle, int gridX,
                 int gridY);

// The outline that shows where handle bounds put the selection: 2 pixels inside on the left
// and top, 3 on the right and bottom. A nudge starts from the same outline.
Edges SelectionOutline(const QRect& handle);

// The mouse point of a drag (handle coordinates), held so that it stays over the surface.
QPoint ClampDragPoint(QPoint point, QPoint handlePos, QSize surface);

// The grab squares of one selected object: four corner squares, and four more at the middles
// of the sides when it is the only object selected.
QList<QRect> GrabSquares(const QRect& object, bool onlySelected);

// The handle around the first object selected, and grown by a further one.
QRect PlaceHandle(const QRect& object);
QRect GrowHandle(const QRect& handle, const QRect& object);
// The handle fitted around a selection (FitToSelection); empty for none.
QRect FitHandle(const QList<QRect>& objects);

// An object's bounds after the handle went from `before` to `after`: the same change of left,
// top, width and height; it never gets thinner than one pixel.
QRect FollowHandle(const QRect& object, const QRect& before, const QRect& after);

// One arrow key of a nudge: moves the outline by a pixel, or resizes it with `resize` (Shift
// with one object selected), within the surface. Other keys leave it as it is.
Edges NudgeOutline(const Edges& outline, Qt::Key key, bool resize, QSize surface);
// The handle bounds a nudge ends with.
QRect HandleFromOutline(const Edges& outline);

} // namespace layout
