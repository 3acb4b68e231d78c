#pragma once

#include "layout/handle_geometry.h"

#include <QImage>
#include <QList>
#include <QRegion>

class QPainter;

namespace layout {

class TGGraphicControl;

// The off-screen image a design surface paints through: its background with the objects on
// it in z-order. Only what was invalidated is painted again, so an outline drawn over the
// surface during a drag costs a copy of a few strips, never a repaint of the objects.
class SurfaceCanvas {
public:
    // A new background (the surface's size or look changed): everything is painted again.
    void SetBackground(const QImage& background);
    void Invalidate(const QRect& area);
    void InvalidateAll();
    bool Dirty() const { return !dirty_.isEmpty(); }

    // Brings the invalidated parts up to date, then copies `area` onto the painter.
    void Paint(QPainter& painter, const QRegion& area, const QList<TGGraphicControl*>& objects);
    // The surface as last painted.
    const QImage& Image() const { return scene_; }

private:
    void render(const QList<TGGraphicControl*>& objects);

    QImage background_;
    QImage scene_;
    QRegion dirty_;
};

// The strips an outline covers (its one-pixel border), for repainting only them.
QRegion OutlineRegion(const Edges& outline);
// Draws an outline of white dots inverting what lies under them, with no fill: the rubber band
// and the drag outline. Drawing it over a fresh copy of the surface shows it; copying the
// surface over it again takes it away.
void DrawXorOutline(QPainter& painter, const Edges& outline);

} // namespace layout
