#include "pageout/magnifier_cursor.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>

namespace pageout {

QCursor MagnifierCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        // White halo first so the cursor shows on dark and light pages.
        painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
        painter.drawEllipse(QRectF(3, 3, 16, 16));
        painter.drawLine(QPointF(17, 17), QPointF(28, 28));
        painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(QColor(255, 255, 255, 160));
        painter.drawEllipse(QRectF(3, 3, 16, 16));
        painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(17.5, 17.5), QPointF(27, 27));
    }
    return QCursor(pixmap, 11, 11);
}

} // namespace pageout
