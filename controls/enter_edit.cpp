#include "controls/enter_edit.h"

#include "controls/insert_mode.h"

#include <QKeyEvent>

TEnterEdit::TEnterEdit(QWidget* parent) : QLineEdit(parent) {
    InstallOvertype(this);
}

void TEnterEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
