#include "layout/tick.h"

#include "platform/system_services.h"

namespace layout {

qint64 TickMs() {
    return platform::Now().toMSecsSinceEpoch();
}

} // namespace layout
