#include "layout/surface_background.h"

#include <QPainter>

namespace layout {

namespace {

// The shape's outline over (0, 0, width, height) with a one-pixel pen: its last row and column
// are the pixels width - 1 and height - 1.
void drawOutline(QPainter& painter, TLabelShapeType shape, QSize size) {
    const QRectF box(0.5, 0.5, size.width() - 1, size.height() - 1);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    switch (shape) {
    case TLabelShapeType::lsRectangle:
        painter.drawRect(box);
        break;
    case TLabelShapeType::lsRoundRect:
        painter.drawRoundedRect(box, 12, 12);
        break;
    case TLabelShapeType::lsEllipse:
        painter.drawEllipse(box);
        break;
    }
}

void drawStretched(QPainter& painter, const Graphic& graphic, QSize size, bool anyKind) {
    const QRect area(QPoint(0, 0), size);
    if (!graphic.bitmap.isNull()) {
        painter.drawImage(area, graphic.bitmap);
    } else if (anyKind && !graphic.drawing.isNull()) {
        const QRect frame = graphic.drawing.boundingRect();
        if (frame.isEmpty())
            return;
        painter.save();
        painter.translate(area.topLeft());
        painter.scale(double(area.width()) / frame.width(), double(area.height()) / frame.height());
        painter.translate(-frame.topLeft());
        painter.drawPicture(0, 0, graphic.drawing);
        painter.restore();
    }
}

} // namespace

QPainterPath ShapeRegion(TLabelShapeType shape, QSize size) {
    const QRectF box(0, 0, size.width() + 1, size.height() + 1);
    QPainterPath path;
    switch (shape) {
    case TLabelShapeType::lsRectangle:
        path.addRect(box);
        break;
    case TLabelShapeType::lsRoundRect:
        path.addRoundedRect(box, 12, 12);
        break;
    case TLabelShapeType::lsEllipse:
        path.addEllipse(box);
        break;
    }
    return path;
}

QImage GridPattern() {
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(Qt::white);
    for (int row : {2, 6})
        for (int column : {0, 4})
            pattern.setPixel(column, row, qRgb(0, 128, 0));
    return pattern;
}

QImage PaintBackground(QSize size, const SurfaceLook& look) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (size.isEmpty())
        return image;
    QPainter painter(&image);
    const QPainterPath region = ShapeRegion(look.shape, size);
    if (!look.picture.bitmap.isNull()) {
        painter.setClipPath(region);
        drawStretched(painter, look.picture, size, false);
        painter.setClipping(false);
    }
    if (!look.colorPicture.IsEmpty()) {
        painter.setClipPath(region);
        drawStretched(painter, look.colorPicture, size, true);
        painter.setClipping(false);
    }
    if (look.drawOutline)
        drawOutline(painter, look.shape, size);
    if (look.showGrid) {
        painter.setClipPath(region);
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.fillRect(QRect(QPoint(0, 0), size), QBrush(GridPattern()));
    }
    return image;
}

} // namespace layout
