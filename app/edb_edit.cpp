#include "app/edb_edit.h"

#include <QValidator>

namespace {

// Accepts every text, in upper case.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

TEDBEdit::TEDBEdit(const QString& dataField, int width, QWidget* parent)
    : TEnterEdit(parent), dataField_(dataField) {
    setObjectName(dataField + "Edit");
    setMaxLength(width);
}

void TEDBEdit::setUpperCase(bool on) {
    setValidator(on ? new UpperCaseValidator(this) : nullptr);
}

void TEDBEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    TEnterEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
