#include "platform/scripted_dialogs.h"

#include <QDialog>

namespace platform {

ScriptedDialogs::ScriptedDialogs() : previous_(&CurrentDialogs()) {
    InstallDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    // Only the Qt dialogs or another scripted seam can have been current before.
    InstallDialogs(nullptr);
    if (previous_ && dynamic_cast<ScriptedDialogs*>(previous_))
        InstallDialogs(previous_);
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList texts;
    for (const MessageRequest& request : messages_)
        texts << request.text;
    return texts;
}

void ScriptedDialogs::clear() {
    messages_.clear();
    fileRequests_.clear();
    inputRequests_.clear();
    dialogTitles_.clear();
}

MessageAnswer ScriptedDialogs::message(const MessageRequest& request) {
    messages_ << request;
    // A box with only OK has one answer; it leaves the scripted answers to the questions.
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return takeOr(messageAnswers_, request.defaultButton);
}

std::optional<QString> ScriptedDialogs::fileName(const FileRequest& request) {
    fileRequests_ << request;
    return takeOr<std::optional<QString>>(fileAnswers_, std::nullopt);
}

std::optional<QFont> ScriptedDialogs::font(const QFont&) {
    return takeOr<std::optional<QFont>>(fontAnswers_, std::nullopt);
}

std::optional<QColor> ScriptedDialogs::colour(const QColor&) {
    return takeOr<std::optional<QColor>>(colourAnswers_, std::nullopt);
}

std::optional<QString> ScriptedDialogs::input(const InputRequest& request) {
    inputRequests_ << request;
    return takeOr<std::optional<QString>>(inputAnswers_, std::nullopt);
}

int ScriptedDialogs::exec(QDialog& dialog) {
    dialogTitles_ << dialog.windowTitle();
    DialogHandler handler = takeOr<DialogHandler>(dialogHandlers_, {});
    return handler ? handler(dialog) : ResultCancel;
}

} // namespace platform
