#pragma once

#include <QString>

namespace platform {

// The system's short date pattern in the letters the program's dates use ("mm/dd/yyyy"):
// the locale's own, else "mm/dd/yyyy".
QString SystemShortDatePattern();

} // namespace platform
