#include "app/edb_edit.h"

TEDBEdit::TEDBEdit(const QString& dataField, int width, QWidget* parent)
    : TEnterEdit(parent), dataField_(dataField) {
    setObjectName(dataField + "Edit");
    setMaxLength(width);
}

void TEDBEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    TEnterEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
