#include "tools/tool_application.h"

#include <cstdlib>

namespace tool {

std::unique_ptr<QApplication> MakeGuiApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") &&
        !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "corvane-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace tool
