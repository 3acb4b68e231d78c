#pragma once

class QPainter;
class QPicture;

namespace pageout {

// Plays `picture` so that its coordinates are the painter's current coordinates, on any
// device. QPainter::drawPicture on its own stretches a picture by the ratio of the device's
// resolution to the one the picture was recorded at, which would scale it twice on a printer.
void PlayPictureUnscaled(QPainter& painter, const QPicture& picture);

} // namespace pageout
