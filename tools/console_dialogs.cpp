#include "tools/console_dialogs.h"

#include <ostream>

namespace tool {

ConsoleDialogs::ConsoleDialogs(std::ostream& err) : err_(err) {
    platform::InstallDialogs(this);
}

ConsoleDialogs::~ConsoleDialogs() {
    platform::InstallDialogs(nullptr);
}

platform::MessageAnswer ConsoleDialogs::message(const platform::MessageRequest& request) {
    err_ << "corvane-tool: " << request.text.simplified().toStdString() << '\n';
    return request.defaultButton;
}

} // namespace tool
