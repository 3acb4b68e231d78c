#pragma once

#include <QCursor>

namespace pageout {

// The magnifier cursor ("MAGNIFY") of the preview: a lens with a handle, hot spot at the
// lens centre. Drawn in code so that it needs no resource file.
QCursor MagnifierCursor();

} // namespace pageout
