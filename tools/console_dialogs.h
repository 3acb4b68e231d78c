#pragma once

#include "platform/dialogs.h"

#include <iosfwd>

namespace tool {

// The dialog seam of the command line: messages the program would show in a box go to the
// error stream, questions get their default answer and no dialog opens. Installed while it
// lives.
class ConsoleDialogs : public platform::Dialogs {
public:
    explicit ConsoleDialogs(std::ostream& err);
    ~ConsoleDialogs() override;
    ConsoleDialogs(const ConsoleDialogs&) = delete;
    ConsoleDialogs& operator=(const ConsoleDialogs&) = delete;

    platform::MessageAnswer message(const platform::MessageRequest& request) override;
    std::optional<QString> fileName(const platform::FileRequest&) override { return {}; }
    std::optional<QFont> font(const QFont&) override { return {}; }
    std::optional<QColor> colour(const QColor&) override { return {}; }
    std::optional<QString> input(const platform::InputRequest&) override { return {}; }
    int exec(QDialog&) override { return platform::ResultCancel; }

private:
    std::ostream& err_;
};

} // namespace tool
