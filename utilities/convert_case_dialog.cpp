#include "utilities/convert_case_dialog.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"
#include "utilities/pass_monitor.h"
#include "utilities/utility_dialog_parts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace utilities {

namespace {

QRadioButton* choice(QGroupBox* group, QButtonGroup* buttons, const QString& caption,
                     const char* name, const QString& whatsThis) {
    auto* button = new QRadioButton(caption, group);
    button->setObjectName(name);
    platform::GiveWhatsThis(*button, whatsThis);
    group->layout()->addWidget(button);
    buttons->addButton(button);
    return button;
}

} // namespace

TConvertToUpper::TConvertToUpper(data::TTable& table, data::TXbEngine& engine, bool filterSet,
                                 QWidget* parent)
    : QDialog(parent), table_(table), engine_(engine) {
    setObjectName("ConvertToUpper");
    setWindowTitle("Convert Case");
    auto* layout = new QVBoxLayout(this);
    Options = new QFrame(this);
    Options->setObjectName("Options");
    auto* options = new QHBoxLayout(Options);
    options->setContentsMargins(0, 0, 0, 0);

    auto* left = new QVBoxLayout;
    auto* records = new QGroupBox("Records", Options);
    records->setObjectName("RecordsGroup");
    records->setLayout(new QVBoxLayout);
    platform::GiveWhatsThis(*records, "Which records are converted.");
    auto* recordButtons = new QButtonGroup(this);
    rCurrentRecord = choice(records, recordButtons, "Current Record Only", "rCurrentRecord",
                            "Convert only the record the main window shows.");
    rAllRecords = choice(records, recordButtons, "All Records", "rAllRecords",
                         "Convert every record, whatever the filter.");
    rFilterRecords = choice(records, recordButtons, "All Records Matching Filter", "rFilterRecords",
                            "Convert the records the filter shows.");
    rCurrentRecord->setChecked(true);
    rFilterRecords->setEnabled(filterSet);
    left->addWidget(records);

    auto* cases = new QGroupBox("Convert to", Options);
    cases->setObjectName("CaseGroup");
    cases->setLayout(new QVBoxLayout);
    platform::GiveWhatsThis(*cases, "The letter case the fields get.");
    auto* caseButtons = new QButtonGroup(this);
    ToUpperCase =
        choice(cases, caseButtons, "Uppercase", "ToUpperCase", "Every letter a to z in capitals.");
    ToProperCase = choice(cases, caseButtons, "First letter capitalized", "ToProperCase",
                          "A capital at the start of the value and after every blank, small "
                          "letters elsewhere.");
    ToLowerCase = choice(cases, caseButtons, "Lowercase", "ToLowerCase",
                         "Every letter A to Z in small letters.");
    ToUpperCase->setChecked(true);
    left->addWidget(cases);
    left->addStretch(1);
    options->addLayout(left);

    auto* fields = new QGroupBox("Which fields should be converted ?", Options);
    fields->setObjectName("FieldsGroup");
    platform::GiveWhatsThis(*fields, "The fields whose letters are converted. Phone numbers, "
                                     "fax, e-mail, the date and the memo are never converted.");
    auto* grid = new QGridLayout(fields);
    cAll = new QCheckBox("All", fields);
    cAll->setObjectName("cAll");
    cAll->setChecked(true);
    platform::GiveWhatsThis(*cAll, "Tick or clear every field box at once.");
    grid->addWidget(cAll, 0, 0);
    int at = 2;
    for (const CaseField& field : CaseFields()) {
        auto* box = new QCheckBox(field.caption, fields);
        box->setObjectName(QString("c") + field.field);
        box->setChecked(true);
        platform::GiveWhatsThis(*box, QString("Convert the field ") + field.caption + ".");
        grid->addWidget(box, at / 2, at % 2);
        FieldBoxes << box;
        ++at;
    }
    connect(cAll, &QCheckBox::clicked, this, [this](bool ticked) {
        for (QCheckBox* box : std::as_const(FieldBoxes))
            box->setChecked(ticked);
    });
    options->addWidget(fields, 1);
    layout->addWidget(Options);

    Gauge1 = NewPassGauge(this, "How far the conversion has gone through the records.");
    layout->addWidget(Gauge1);

    auto* bar = new QHBoxLayout;
    ConvertButton = AddButton(this, bar, "Convert", "ConvertButton",
                              "Convert the chosen fields, after asking. It cannot be undone.");
    ConvertButton->setDefault(true);
    CancelButton = AddButton(this, bar, "Cancel", "CancelButton",
                             "Close this window; while converting, stop after the record in "
                             "hand.");
    bar->addStretch(1);
    HelpButton = AddButton(this, bar, "Help", "HelpButton", "Show help on case conversion.");
    WhatsThisButton = platform::NewWhatsThisButton(this);
    bar->addWidget(WhatsThisButton);
    layout->addLayout(bar);

    monitor_ = new TPassMonitor(Gauge1, nullptr, {}, this);
    connect(ConvertButton, &QPushButton::clicked, this, &TConvertToUpper::ConvertButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TConvertToUpper::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    // Its size is known before it is centred over the main window.
    adjustSize();
}

void TConvertToUpper::ConvertButtonClick() {
    if (running_)
        return;
    QStringList fields;
    for (int i = 0; i < FieldBoxes.size(); ++i) {
        if (FieldBoxes[i]->isChecked())
            fields << CaseFields()[std::size_t(i)].field;
    }
    if (fields.isEmpty()) {
        platform::ShowInfo("No fields checked for conversion");
        return;
    }
    if (!platform::ConfirmYesNoDefaultNo("Convert now? This process cannot be undone..", "Convert"))
        return;
    HelpButton->hide();
    const selection::RecordSelection scope =
        rAllRecords->isChecked()      ? selection::RecordSelection::AllRecords
        : rFilterRecords->isChecked() ? selection::RecordSelection::MatchingFilter
                                      : selection::RecordSelection::CurrentRecord;
    const CaseConversion to = ToProperCase->isChecked()  ? CaseConversion::FirstLetter
                              : ToLowerCase->isChecked() ? CaseConversion::Lower
                                                         : CaseConversion::Upper;
    // The gauge shows for all records only; a pass over the filter's records runs without it.
    Gauge1->setValue(0);
    Gauge1->setVisible(scope == selection::RecordSelection::AllRecords);
    running_ = true;
    Options->hide();
    ConvertButton->setEnabled(false);
    try {
        result_ = RunCaseConversion(table_, engine_, scope, to, fields, monitor_->step());
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    Gauge1->hide();
    running_ = false;
    done(platform::ResultOk);
}

void TConvertToUpper::CancelButtonClick() {
    if (!running_) {
        done(platform::ResultCancel);
        return;
    }
    if (AskInformationYesNo("Cancel case conversion?"))
        monitor_->requestStop();
}

void TConvertToUpper::reject() {
    CancelButtonClick();
}

} // namespace utilities
