#pragma once

#include "platform/dialogs.h"

#include <ostream>

namespace tool {

// Messages the table layer would show in a message box go to the error stream; questions get
// their default answer and no dialog opens.
class ConsoleDialogs : public platform::Dialogs {
public:
    explicit ConsoleDialogs(std::ostream& err) : err_(err) { platform::InstallDialogs(this); }
    ~ConsoleDialogs() override { platform::InstallDialogs(nullptr); }
    ConsoleDialogs(const ConsoleDialogs&) = delete;
    ConsoleDialogs& operator=(const ConsoleDialogs&) = delete;

    platform::MessageAnswer message(const platform::MessageRequest& request) override {
        err_ << "corvane-tool: " << request.text.simplified().toStdString() << '\n';
        return request.defaultButton;
    }
    std::optional<QString> fileName(const platform::FileRequest&) override { return {}; }
    std::optional<QFont> font(const QFont&) override { return {}; }
    std::optional<QColor> colour(const QColor&) override { return {}; }
    std::optional<QString> input(const platform::InputRequest&) override { return {}; }
    int exec(QDialog&) override { return platform::ResultCancel; }

private:
    std::ostream& err_;
};

} // namespace tool
