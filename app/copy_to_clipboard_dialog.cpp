#include "app/copy_to_clipboard_dialog.h"

#include "platform/dialogs.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TCopyToClipBoard::TCopyToClipBoard(QWidget* parent) : QDialog(parent) {
    setObjectName("CopyToClipBoard");
    setWindowTitle("Copy Record To Clipboard");
    auto* layout = new QVBoxLayout(this);
    auto check = [this, layout](const QString& caption, const QString& objectName,
                                const QString& help) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(objectName);
        box->setChecked(true);
        box->setWhatsThis(help);
        layout->addWidget(box);
        return box;
    };
    name = check("Name, Organization, Title", "name",
                 "The name with prefix and middle initial, the title and the organization.");
    address = check("Address", "address", "The address lines, city, state, ZIP and country.");
    phonenumbers = check("Phone Numbers", "phonenumbers", "Both phone numbers.");
    codes = check("Codes", "codes", "The codes.");
    comments = check("Comments 1 && 2", "comments", "Both comments.");

    auto* buttons = new QHBoxLayout;
    OKButton = new QPushButton("Ok", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    OKButton->setWhatsThis("Put the chosen fields of the record on the clipboard.");
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setWhatsThis("Close without copying.");
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, [this] { done(platform::ResultOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    // Its size is known before it is centred over the main window.
    adjustSize();
}

RecordTextGroups TCopyToClipBoard::groups() const {
    RecordTextGroups chosen;
    chosen.name = name->isChecked();
    chosen.address = address->isChecked();
    chosen.phoneNumbers = phonenumbers->isChecked();
    chosen.codes = codes->isChecked();
    chosen.comments = comments->isChecked();
    return chosen;
}
