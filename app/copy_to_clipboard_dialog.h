#pragma once

#include "app/record_as_text.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

// "Copy Record To Clipboard": which groups of the record's fields go onto the clipboard.
class TCopyToClipBoard : public QDialog {
    Q_OBJECT
public:
    explicit TCopyToClipBoard(QWidget* parent = nullptr);

    QCheckBox* name = nullptr;
    QCheckBox* address = nullptr;
    QCheckBox* phonenumbers = nullptr;
    QCheckBox* codes = nullptr;
    QCheckBox* comments = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    RecordTextGroups groups() const;
};
