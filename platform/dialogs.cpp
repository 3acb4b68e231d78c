#include "platform/dialogs.h"

#include "platform/qt_dialogs.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace platform {

namespace {

Dialogs*& installed() {
    static Dialogs* dialogs = nullptr;
    return dialogs;
}

QPointer<QWidget>& mainForm() {
    static QPointer<QWidget> form;
    return form;
}

bool askYesNo(const QString& text, const QString& caption, MessageAnswer defaultButton) {
    MessageRequest request;
    request.text = text;
    request.caption = caption;
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::YesNo;
    request.defaultButton = defaultButton;
    return CurrentDialogs().message(request) == MessageAnswer::Yes;
}

} // namespace

Dialogs& CurrentDialogs() {
    static QtDialogs qtDialogs;
    return installed() ? *installed() : qtDialogs;
}

void InstallDialogs(Dialogs* dialogs) {
    installed() = dialogs;
}

void ShowInfo(const QString& text) {
    MessageRequest request;
    request.text = text;
    request.caption = "Information";
    CurrentDialogs().message(request);
}

void ShowError(const QString& text) {
    MessageRequest request;
    request.text = text;
    request.caption = "Error";
    request.icon = MessageIcon::Error;
    CurrentDialogs().message(request);
}

bool ConfirmYesNo(const QString& text, const QString& caption) {
    return askYesNo(text, caption, MessageAnswer::Yes);
}

bool ConfirmYesNoDefaultNo(const QString& text, const QString& caption) {
    return askYesNo(text, caption, MessageAnswer::No);
}

bool ConfirmToolkitYesNo(const QString& text) {
    MessageRequest request;
    request.text = text;
    request.caption = "Information";
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::YesNo;
    request.defaultButton = MessageAnswer::Yes;
    request.toolkitDialog = true;
    return CurrentDialogs().message(request) == MessageAnswer::Yes;
}

void SetMainForm(QWidget* form) {
    mainForm() = form;
}

QWidget* MainForm() {
    return mainForm().data();
}

void CenterOnMainForm(QWidget& dialog) {
    QRect over;
    if (QWidget* form = MainForm())
        over = form->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    if (over.isNull())
        return;
    const QSize size = dialog.frameGeometry().size();
    dialog.move(over.center() - QPoint(size.width() / 2, size.height() / 2));
}

} // namespace platform
