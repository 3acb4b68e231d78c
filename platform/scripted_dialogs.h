#pragma once

#include "platform/dialogs.h"

#include <QList>

#include <deque>
#include <functional>

namespace platform {

// A dialog seam for tests: records every request and answers from scripts given beforehand.
// Without a scripted answer a message gets its default button, a file, font, colour or input
// dialog is cancelled and a modal dialog returns Cancel. Installs itself while it lives.
class ScriptedDialogs : public Dialogs {
public:
    using DialogHandler = std::function<int(QDialog&)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerMessage(MessageAnswer answer) { messageAnswers_.push_back(answer); }
    void answerFile(std::optional<QString> name) { fileAnswers_.push_back(std::move(name)); }
    void answerInput(std::optional<QString> text) { inputAnswers_.push_back(std::move(text)); }
    void answerFont(std::optional<QFont> font) { fontAnswers_.push_back(std::move(font)); }
    void answerColour(std::optional<QColor> colour) { colourAnswers_.push_back(colour); }
    // The handler gets the dialog before it would be shown modally and returns its result.
    void answerDialog(DialogHandler handler) { dialogHandlers_.push_back(std::move(handler)); }

    const QList<MessageRequest>& messages() const { return messages_; }
    QStringList messageTexts() const;
    const QList<FileRequest>& fileRequests() const { return fileRequests_; }
    const QList<InputRequest>& inputRequests() const { return inputRequests_; }
    const QStringList& dialogTitles() const { return dialogTitles_; }
    void clear();

    MessageAnswer message(const MessageRequest& request) override;
    std::optional<QString> fileName(const FileRequest& request) override;
    std::optional<QFont> font(const QFont& initial) override;
    std::optional<QColor> colour(const QColor& initial) override;
    std::optional<QString> input(const InputRequest& request) override;
    int exec(QDialog& dialog) override;

private:
    template <typename T> static T takeOr(std::deque<T>& queue, T fallback) {
        if (!queue.empty()) {
            fallback = std::move(queue.front());
            queue.pop_front();
        }
        return fallback;
    }

    Dialogs* previous_ = nullptr;
    std::deque<MessageAnswer> messageAnswers_;
    std::deque<std::optional<QString>> fileAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;
    std::deque<std::optional<QFont>> fontAnswers_;
    std::deque<std::optional<QColor>> colourAnswers_;
    std::deque<DialogHandler> dialogHandlers_;
    QList<MessageRequest> messages_;
    QList<FileRequest> fileRequests_;
    QList<InputRequest> inputRequests_;
    QStringList dialogTitles_;
};

} // namespace platform
