#pragma once

#include "layout/handle_geometry.h"

#include <QCursor>

namespace layout {

// The screen cursors of the design surfaces and their handle.
QCursor GrabCursor();    // over the handle: the selection can be dragged
QCursor PointCursor();   // over an object, or drawing a rubber band
QCursor PlacingCursor(); // a placing tool is active
QCursor NoDropCursor();  // over a locked handle
// The cursor of a grab square, or the grab cursor for a move.
QCursor ZoneCursor(DragMode mode);

} // namespace layout
