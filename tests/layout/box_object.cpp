#include "box_object.h"

#include "layout/display_resolution.h"

#include "pageout/page_job.h"

#include <QPainter>

namespace testing_layout {

void TBoxObject::SetCaption(const QString& caption) {
    caption_ = caption;
    Repaint();
}

void TBoxObject::Paint(QPainter& painter) {
    ++painted;
    painter.fillRect(QRect(0, 0, Width(), Height()), fill);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(0, 0, Width() - 1, Height() - 1));
    QFont zoomed = font_;
    zoomed.setPointSize(std::max(1, int(font_.pointSize() * Zoom())));
    painter.setFont(zoomed);
    painter.drawText(QRect(2, 0, Width() - 4, Height()), Qt::AlignVCenter, caption_);
}

void TBoxObject::PrintTo(pageout::TBasePageJob& engine, double originX, double originY) {
    printOrigins << QPointF(originX, originY);
    const double p = layout::DisplayPixelsPerInch();
    engine.DrawRectangle(originX + Left() / p, originY + Top() / p,
                         originX + (Left() + Width()) / p, originY + (Top() + Height()) / p);
}

} // namespace testing_layout
