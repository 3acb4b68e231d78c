#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

namespace {

std::function<void(const QString&)>& handler() {
    static std::function<void(const QString&)> instance;
    return instance;
}

} // namespace

void PutClipboardText(const QString& text) {
    if (handler()) {
        handler()(text);
        return;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void SetClipboardHandler(std::function<void(const QString&)> replacement) {
    handler() = std::move(replacement);
}

} // namespace platform
