#include "layout/surface_canvas.h"

#include "layout/graphic_control.h"

#include <QPainter>

#include <utility>

namespace layout {

namespace {

// The border of an outline as non-overlapping strips, so that no pixel is inverted twice.
QList<QRect> outlineStrips(const Edges& outline) {
    const Edges o = outline.Normalised();
    const int width = o.right - o.left, height = o.bottom - o.top;
    if (width <= 0 || height <= 0)
        return {};
    QList<QRect> strips{QRect(o.left, o.top, width, 1)};
    if (height > 1)
        strips << QRect(o.left, o.bottom - 1, width, 1);
    if (height > 2) {
        strips << QRect(o.left, o.top + 1, 1, height - 2);
        if (width > 1)
            strips << QRect(o.right - 1, o.top + 1, 1, height - 2);
    }
    return strips;
}

} // namespace

void SurfaceCanvas::SetBackground(const QImage& background) {
    background_ = background;
    scene_ = QImage(background.size(), QImage::Format_RGB32);
    InvalidateAll();
}

void SurfaceCanvas::Invalidate(const QRect& area) {
    dirty_ += area.intersected(scene_.rect());
}

void SurfaceCanvas::InvalidateAll() {
    dirty_ = QRegion(scene_.rect());
}

void SurfaceCanvas::Paint(QPainter& painter, const QRegion& area,
                          const QList<TGGraphicControl*>& objects) {
    if (Dirty())
        render(objects);
    for (const QRect& rect : area)
        painter.drawImage(rect.topLeft(), scene_, rect);
}

void SurfaceCanvas::render(const QList<TGGraphicControl*>& objects) {
    if (scene_.isNull()) {
        dirty_ = {};
        return;
    }
    // Objects that fit themselves to their content while they paint invalidate their new
    // bounds: that area stays dirty for the next render instead of being forgotten.
    const QRegion area = std::exchange(dirty_, QRegion());
    QPainter painter(&scene_);
    painter.setClipRegion(area);
    painter.drawImage(0, 0, background_);
    for (TGGraphicControl* object : objects) {
        const QRect bounds = object->BoundsRect();
        if (!object->Visible() || bounds.isEmpty() || !area.intersects(bounds))
            continue;
        painter.save();
        painter.setClipRect(bounds, Qt::IntersectClip);
        painter.translate(bounds.topLeft());
        object->Paint(painter);
        painter.restore();
    }
}

QRegion OutlineRegion(const Edges& outline) {
    QRegion region;
    for (const QRect& strip : outlineStrips(outline))
        region += strip;
    return region;
}

void DrawXorOutline(QPainter& painter, const Edges& outline) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setBrushOrigin(0, 0);
    const QBrush dots(Qt::white, Qt::Dense4Pattern);
    for (const QRect& strip : outlineStrips(outline))
        painter.fillRect(strip, dots);
    painter.restore();
}

} // namespace layout
