#pragma once

#include <QtGlobal>

namespace layout {

// Milliseconds of the program's clock (platform::Now), so that tests can step time through
// the handle's click and drag rules and the paste rule instead of sleeping.
qint64 TickMs();

} // namespace layout
