#pragma once

#include <QLineEdit>

// A single-line edit box in which Enter moves to the next control; the key itself is dropped.
class TEnterEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEnterEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
