#include "select/work_dialog.h"

#include <QApplication>

namespace {

// Posted to start the work once the dialog is on screen, and to close it at the end.
const QEvent::Type StartWorkEvent = QEvent::Type(QEvent::User + 1065);
const QEvent::Type CloseWorkEvent = QEvent::Type(QEvent::User + 1066);

} // namespace

void TWorkDialog::run() {
    if (started_)
        return;
    started_ = true;
    work();
    finished_ = true;
}

// The work goes on while events are let through, so a dialog that went away would leave it
// running unseen; a dialog whose work is yet to start would run it unseen afterwards.
void TWorkDialog::reject() {
    if (!finished_)
        cancelWork();
    else
        QDialog::reject();
}

void TWorkDialog::closeLater(int result) {
    closeResult_ = result;
    QApplication::postEvent(this, new QEvent(CloseWorkEvent));
}

void TWorkDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QApplication::postEvent(this, new QEvent(StartWorkEvent));
}

bool TWorkDialog::event(QEvent* event) {
    if (event->type() == StartWorkEvent) {
        run();
        return true;
    }
    if (event->type() == CloseWorkEvent) {
        done(closeResult_);
        return true;
    }
    return QDialog::event(event);
}
