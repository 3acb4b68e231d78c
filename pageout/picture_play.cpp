#include "pageout/picture_play.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPicture>

namespace pageout {

void PlayPictureUnscaled(QPainter& painter, const QPicture& picture) {
    painter.save();
    const QPaintDevice* device = painter.device();
    if (device && device->logicalDpiX() > 0 && device->logicalDpiY() > 0)
        painter.scale(double(picture.logicalDpiX()) / device->logicalDpiX(),
                      double(picture.logicalDpiY()) / device->logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

} // namespace pageout
