#include "platform/qt_dialogs.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MessageAnswer answer) {
    switch (answer) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

// Message texts keep the CR LF pairs of their origin; Qt wants plain line feeds.
QString displayText(const QString& text) {
    return QString(text).replace("\r\n", "\n");
}

} // namespace

QString QtFileFilter(const QString& pairs) {
    const QStringList parts = pairs.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return filters.join(";;");
}

MessageAnswer QtDialogs::message(const MessageRequest& request) {
    QMessageBox box(qtIcon(request.icon), request.caption, displayText(request.text),
                    qtButtons(request.buttons), MainForm());
    box.setDefaultButton(qtButton(request.defaultButton));
    if (request.toolkitDialog) {
        box.button(QMessageBox::Yes)->setText(QObject::tr("&Yes"));
        box.button(QMessageBox::No)->setText(QObject::tr("&No"));
    }
    return answerOf(box.exec());
}

std::optional<QString> QtDialogs::fileName(const FileRequest& request) {
    QFileDialog dialog(MainForm(), request.caption, request.folder, QtFileFilter(request.filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.askOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.proposedName.isEmpty() && !request.proposedName.contains('*'))
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QFont> QtDialogs::font(const QFont& initial) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, MainForm());
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
}

std::optional<QColor> QtDialogs::colour(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, MainForm());
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

std::optional<QString> QtDialogs::input(const InputRequest& request) {
    bool ok = false;
    const QString text = QInputDialog::getText(MainForm(), request.caption, request.prompt,
                                               QLineEdit::Normal, request.initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

int QtDialogs::exec(QDialog& dialog) {
    return dialog.exec();
}

} // namespace platform
