#pragma once

#include "controls/enter_edit.h"

// A field box of the main window: an edit box bound to one field of the address table through
// the data source; its length limit is the field's width.
class TEDBEdit : public TEnterEdit {
    Q_OBJECT
public:
    TEDBEdit(const QString& dataField, int width, QWidget* parent = nullptr);
    const QString& dataField() const { return dataField_; }
    // Turns whatever is typed or pasted into upper case before the box takes it, so that the
    // text handed on to the field is upper case too.
    void setUpperCase(bool on);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString dataField_;
};
