#pragma once

// What a design surface paints under its objects: white, the background pictures clipped to the
// label's shape, the shape's outline and the grid dots.
#include <QImage>
#include <QPainterPath>
#include <QPicture>
#include <QSize>

namespace layout {

// The outline of the label stock a surface shows.
enum class TLabelShapeType { lsRectangle, lsRoundRect, lsEllipse };

// A background picture: a bitmap, or a drawing of another kind (a metafile).
struct Graphic {
    QImage bitmap;
    QPicture drawing;
    bool IsEmpty() const { return bitmap.isNull() && drawing.isNull(); }
};

struct SurfaceLook {
    TLabelShapeType shape = TLabelShapeType::lsRoundRect;
    Graphic picture;
    Graphic colorPicture;
    bool drawOutline = false;
    bool showGrid = false;
};

// The region the pictures and the grid are clipped to: the shape over width + 1 by height + 1
// (rounded corners are ellipses of 24 by 24).
QPainterPath ShapeRegion(TLabelShapeType shape, QSize size);
// The 8 by 8 grid pattern: green dots (0, 128, 0) at columns 0 and 4 of rows 2 and 6, the rest
// white; laid over the picture by AND, so that the dots darken only white.
QImage GridPattern();
// The surface without its objects.
QImage PaintBackground(QSize size, const SurfaceLook& look);

} // namespace layout
