#include "letters/letters_dialog.h"

#include "controls/rich_edit.h"
#include "letters/letter_design.h"
#include "letters/letter_print.h"
#include "letters/letter_run.h"
#include "letters/rtf_preview_form.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/printer_device.h"
#include "platform/whats_this.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace letters {

namespace {

// The query that admits every record the user has not deleted, whatever the filter.
const char* const AllRecordsQuery = "NOT ISDEL";
constexpr int MaxDescription = 50;

} // namespace

TcVLetters::TcVLetters(data::TTable& addresses, data::TXbEngine& addressEngine, QWidget* parent)
    : QDialog(parent), addresses_(addresses), addressEngine_(addressEngine) {
    setObjectName("Letters");
    setWindowTitle("Print Letters");
    LetterSource.setDataSet(&LetterTable);
    LetterEngine.DataSource = &LetterSource;

    auto* layout = new QGridLayout(this);
    auto* listLabel = new QLabel("&Letters", this);
    LetterList = new QListWidget(this);
    LetterList->setObjectName("LetterList");
    LetterList->setMinimumWidth(260);
    listLabel->setBuddy(LetterList);
    layout->addWidget(listLabel, 0, 0);
    layout->addWidget(LetterList, 1, 0);

    auto* side = new QVBoxLayout;
    auto button = [&](const char* text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        side->addWidget(b);
        return b;
    };
    ModifyButton = button("Modify", "ModifyButton");
    NewButton = button("New", "NewButton");
    CloneButton = button("Clone", "CloneButton");
    DeleteButton = button("Delete", "DeleteButton");
    side->addSpacing(12);
    PreviewButton = button("Preview", "PreviewButton");
    PrintButton = button("Print", "PrintButton");
    PrinterSetupButton = button("Printer Setup", "PrinterSetupButton");
    side->addStretch();
    OkButton = button("Ok", "OkButton");
    HelpButton = button("Help", "HelpButton");
    side->addWidget(platform::NewWhatsThisButton(this), 0, Qt::AlignRight);
    layout->addLayout(side, 1, 1, 3, 1);

    auto* what = new QGroupBox("What to Print", this);
    what->setObjectName("WhatToPrint");
    auto* whatLayout = new QVBoxLayout(what);
    AllRecords = new QRadioButton("All records", what);
    AllRecords->setObjectName("AllRecords");
    MatchingFilter = new QRadioButton("Records matching filter", what);
    MatchingFilter->setObjectName("MatchingFilter");
    CurrentRecord = new QRadioButton("Only current record", what);
    CurrentRecord->setObjectName("CurrentRecord");
    CurrentRecord->setChecked(true);
    StartFromCurrent = new QCheckBox("Start from current record", what);
    StartFromCurrent->setObjectName("StartFromCurrent");
    for (QWidget* w :
         {static_cast<QWidget*>(AllRecords), static_cast<QWidget*>(MatchingFilter),
          static_cast<QWidget*>(CurrentRecord), static_cast<QWidget*>(StartFromCurrent)})
        whatLayout->addWidget(w);
    auto* copies = new QHBoxLayout;
    auto* copiesLabel = new QLabel("# copies of each letter", what);
    CopiesEdit = new QSpinBox(what);
    CopiesEdit->setObjectName("CopiesEdit");
    CopiesEdit->setRange(1, 999);
    CopiesEdit->setValue(1);
    copiesLabel->setBuddy(CopiesEdit);
    copies->addWidget(copiesLabel);
    copies->addWidget(CopiesEdit);
    copies->addStretch();
    whatLayout->addLayout(copies);
    layout->addWidget(what, 2, 0);

    auto* printerBox = new QHBoxLayout;
    printerBox->addWidget(new QLabel("Printer:", this));
    PrinterName = new QLabel(platform::SharedPrinter().deviceName(), this);
    PrinterName->setObjectName("PrinterName");
    printerBox->addWidget(PrinterName, 1);
    layout->addLayout(printerBox, 3, 0);

    platform::GiveWhatsThisTexts(
        *this,
        {{"LetterList", "The letters you have written; choose one to modify, print or preview"},
         {"ModifyButton", "Opens the chosen letter in the letter designer"},
         {"NewButton", "Writes a new letter in the letter designer"},
         {"CloneButton", "Makes a copy of the chosen letter"},
         {"DeleteButton", "Deletes the chosen letter"},
         {"PreviewButton", "Shows the chosen letter merged with the records, page by page"},
         {"PrintButton", "Prints the chosen letter for the records chosen below"},
         {"PrinterSetupButton", "Chooses the printer and its settings"},
         {"OkButton", "Closes this window"},
         {"HelpButton", "Explains printing letters"},
         {"AllRecords", "Prints a letter for every record, whatever the filter"},
         {"MatchingFilter", "Prints a letter for each record the filter shows"},
         {"CurrentRecord", "Prints the letter for the current record alone"},
         {"StartFromCurrent", "Starts with the current record instead of the first"},
         {"CopiesEdit", "How many copies of each letter to print"},
         {"PrinterName", "The printer letters go to"}});

    connect(LetterList, &QListWidget::itemDoubleClicked, this, [this] { design(false); });
    connect(ModifyButton, &QPushButton::clicked, this, [this] { design(false); });
    connect(NewButton, &QPushButton::clicked, this, [this] { design(true); });
    connect(CloneButton, &QPushButton::clicked, this, &TcVLetters::cloneClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TcVLetters::deleteClick);
    connect(PreviewButton, &QPushButton::clicked, this, &TcVLetters::previewClick);
    connect(PrintButton, &QPushButton::clicked, this, &TcVLetters::printClick);
    connect(PrinterSetupButton, &QPushButton::clicked, this, &TcVLetters::printerSetupClick);
    connect(OkButton, &QPushButton::clicked, this, [this] { done(platform::ResultOk); });
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    adjustSize(); // its size is known before it is centred
}

TcVLetters::~TcVLetters() {
    LetterTable.close();
}

bool TcVLetters::OpenLetterTable() {
    if (!OpenLetters(LetterTable, LetterEngine))
        return false;
    refreshList();
    return true;
}

void TcVLetters::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (firstActivation_)
        QTimer::singleShot(0, this, &TcVLetters::FormActivate);
}

void TcVLetters::FormActivate() {
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    setButtons();
}

void TcVLetters::refreshList(unsigned select) {
    entries_ = ListLetters(LetterTable, LetterEngine);
    LetterList->clear();
    int row = entries_.isEmpty() ? -1 : 0;
    for (int i = 0; i < entries_.size(); ++i) {
        LetterList->addItem(entries_[i].description);
        if (entries_[i].record == select)
            row = i;
    }
    LetterList->setCurrentRow(row);
    setButtons();
}

void TcVLetters::setButtons() {
    const bool any = !entries_.isEmpty();
    for (QWidget* w : {static_cast<QWidget*>(ModifyButton), static_cast<QWidget*>(CloneButton),
                       static_cast<QWidget*>(PrintButton), static_cast<QWidget*>(PreviewButton),
                       static_cast<QWidget*>(DeleteButton), static_cast<QWidget*>(LetterList)})
        w->setEnabled(any);
}

bool TcVLetters::selectLetter() {
    const int row = LetterList->currentRow();
    if (row < 0 || row >= entries_.size())
        return false;
    LetterEngine.go(entries_[row].record);
    return true;
}

QString TcVLetters::selectedDescription() const {
    const int row = LetterList->currentRow();
    return row >= 0 && row < entries_.size() ? entries_[row].description : QString();
}

void TcVLetters::design(bool newLetter) {
    if (!newLetter && !selectLetter())
        return;
    TLetterDesign designer(LetterTable, addresses_, newLetter, this);
    platform::CenterOnMainForm(designer);
    const bool stored = platform::CurrentDialogs().exec(designer) == platform::ResultOk;
    refreshList(stored ? LetterTable.recordNumber() : 0);
}

void TcVLetters::deleteClick() {
    if (!selectLetter())
        return;
    if (!platform::ConfirmYesNo("Delete \"" + selectedDescription() + "\"?", "DELETE"))
        return;
    try {
        LetterTable.deleteRecord();
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    refreshList();
}

void TcVLetters::cloneClick() {
    if (!selectLetter())
        return;
    const QString description = selectedDescription();
    if (!platform::ConfirmYesNo("Clone \"" + description + "\"?", "CLONE"))
        return;
    controls::TRichEdit hidden;
    if (!LoadRichText(LetterTable, hidden)) {
        platform::ShowInfo("Unable to write " + ExchangeFilePath());
        return;
    }
    try {
        LetterTable.insert();
        LetterTable.setFieldText("DESCRIPT", ("Clone of " + description).left(MaxDescription));
        if (!SaveRichText(hidden, LetterTable)) {
            LetterTable.cancel();
            platform::ShowInfo("Unable to write " + ExchangeFilePath());
            return;
        }
        LetterTable.post();
    } catch (const std::exception& error) {
        LetterTable.cancel();
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
        return;
    }
    refreshList(LetterTable.recordNumber());
}

void TcVLetters::previewClick() {
    if (!selectLetter())
        return;
    controls::TRichEdit stored;
    if (!LoadRichText(LetterTable, stored)) {
        platform::ShowInfo("Unable to write " + ExchangeFilePath());
        return;
    }
    TRTFPreviewForm preview(stored, addresses_, this);
    platform::CenterOnMainForm(preview);
    platform::CurrentDialogs().exec(preview);
}

void TcVLetters::printerSetupClick() {
    platform::SharedPrinter().showPrinterSetup();
    PrinterName->setText(platform::SharedPrinter().deviceName());
}

void TcVLetters::printClick() {
    if (!selectLetter())
        return;
    controls::TRichEdit templ;
    if (!LoadRichText(LetterTable, templ)) {
        platform::ShowInfo("Unable to write " + ExchangeFilePath());
        return;
    }
    // The print dialog proposes the letter's own paper.
    ChooseLetterPaper(templ.Page());
    if (!platform::SharedPrinter().showPrinterSetup())
        return;
    PrinterName->setText(platform::SharedPrinter().deviceName());
    RunOptions options;
    options.copies = CopiesEdit->value();
    options.onlyCurrent = CurrentRecord->isChecked();
    const unsigned record = addresses_.recordNumber();
    const QString query = addressEngine_.queryText();
    try {
        if (AllRecords->isChecked())
            addressEngine_.setQuery(AllRecordsQuery);
        if (StartFromCurrent->isChecked()) {
            addressEngine_.go(record);
            // A record the query no longer admits cannot start the run.
            if (addressEngine_.recNo() != record ||
                !addressEngine_.evalLogical(addressEngine_.queryText())) {
                platform::ShowInfo("Current record is out of range. Starting with first record");
                addresses_.first();
            }
        } else if (!options.onlyCurrent) {
            addresses_.first();
        }
        TLetterPrint print(templ, addresses_, options, this);
        platform::CenterOnMainForm(print);
        platform::CurrentDialogs().exec(print);
        print.run(); // a print answered without showing still prints
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    try {
        addressEngine_.setQuery(query);
        if (record > 0 && record <= addressEngine_.recCount())
            addressEngine_.go(record);
    } catch (const std::exception&) {
        // The main window shows where the table stands.
    }
}

} // namespace letters
