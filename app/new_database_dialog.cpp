#include "app/new_database_dialog.h"

#include "controls/enter_edit.h"
#include "data/address_schema.h"
#include "platform/dialogs.h"
#include "platform/help.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TNewDataBaseName::TNewDataBaseName(const QString& proposal, QWidget* parent) : QDialog(parent) {
    setObjectName("NewDataBaseName");
    setWindowTitle("Create new database");
    setFixedSize(330, 150);

    auto* prompt = new QLabel("Enter the database name (no extension)", this);
    prompt->setGeometry(12, 12, 300, 18);
    DBFFileName = new TEnterEdit(this);
    DBFFileName->setObjectName("DBFFileName");
    DBFFileName->setMaxLength(8);
    DBFFileName->setGeometry(12, 34, 120, 22);
    DBFFileName->setWhatsThis("The name of the new address file: up to eight letters, digits or "
                              "underscores, starting with a letter or underscore.");
    InvalidLabel = new QLabel(
        "Invalid name. Must start with A..Z, followed by A..Z,0..9 or \"_\" (underscore)", this);
    InvalidLabel->setObjectName("InvalidLabel");
    InvalidLabel->setWordWrap(true);
    InvalidLabel->setStyleSheet("color: #C00000;");
    InvalidLabel->setGeometry(12, 60, 306, 34);

    OKButton = new QPushButton("Ok [PgDn]", this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(12, 110, 90, 27);
    OKButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(118, 110, 90, 27);
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    HelpButton->setGeometry(224, 110, 90, 27);
    OKButton->setWhatsThis("Create the address file with this name.");
    CancelButton->setWhatsThis("Close without creating a file.");
    HelpButton->setWhatsThis("Show help on creating an address file.");

    connect(OKButton, &QPushButton::clicked, this, [this] { done(platform::ResultOk); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    connect(DBFFileName, &QLineEdit::textChanged, this, [this] { DBFFileNameChange(); });

    DBFFileName->setText(proposal);
    DBFFileNameChange();
}

QString TNewDataBaseName::name() const {
    return DBFFileName->text();
}

void TNewDataBaseName::DBFFileNameChange() {
    const bool valid = data::IsValidDatabaseName(name());
    OKButton->setEnabled(valid);
    InvalidLabel->setVisible(!valid);
}

void TNewDataBaseName::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageDown && OKButton->isEnabled()) {
        done(platform::ResultOk);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        done(platform::ResultCancel);
        return;
    }
    QDialog::keyPressEvent(event);
}
