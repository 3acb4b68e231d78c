#include "exchange/copy_out_dialog.h"

#include "data/table_object.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/program_dir.h"
#include "platform/whats_this.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

TCopyOut::TCopyOut(data::TTable& table, data::TXbEngine& engine, QWidget* parent)
    : QDialog(parent), table_(table), engine_(engine) {
    setWindowTitle("Copy Records Out");
    setObjectName("CopyOut");
    setFixedSize(420, 250);
    ChoicePanel = new QFrame(this);
    ChoicePanel->setObjectName("ChoicePanel");
    ChoicePanel->setGeometry(0, 0, 420, 200);
    auto radio = [this](const QString& text, const char* name, int y) {
        auto* r = new QRadioButton(text, ChoicePanel);
        r->setObjectName(name);
        r->setGeometry(12, y, 396, 22);
        return r;
    };
    DbfRadio = radio("Copy to a &DBF file", "DbfRadio", 10);
    AsciiRadio = radio("Copy to an &ASCII file (comma delimited)", "AsciiRadio", 34);
    Rfc4180Check = new QCheckBox("RFC 4180 &quoting (a value may hold double quotes)", ChoicePanel);
    Rfc4180Check->setObjectName("Rfc4180Check");
    Rfc4180Check->setGeometry(36, 58, 372, 22);
    Utf8Check = new QCheckBox("&UTF-8 (else Windows-1252)", ChoicePanel);
    Utf8Check->setObjectName("Utf8Check");
    Utf8Check->setGeometry(36, 80, 372, 22);
    VCardRadio = radio("Copy to a &vCard file", "VCardRadio", 104);
    VCardVersionCombo = new QComboBox(ChoicePanel);
    VCardVersionCombo->setObjectName("VCardVersionCombo");
    VCardVersionCombo->setGeometry(36, 128, 120, 24);
    VCardVersionCombo->addItem("vCard 3.0", 3);
    VCardVersionCombo->addItem("vCard 4.0", 4);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* r : {DbfRadio, AsciiRadio, VCardRadio})
        group->addButton(r);
    DbfRadio->setChecked(true);
    FileLabel = new QLabel("(none)", ChoicePanel);
    FileLabel->setObjectName("FileLabel");
    FileLabel->setGeometry(12, 164, 396, 22);

    ProgressPanel = new QFrame(this);
    ProgressPanel->setObjectName("ProgressPanel");
    ProgressPanel->setGeometry(0, 60, 420, 80);
    CopyingLabel = new QLabel(ProgressPanel);
    CopyingLabel->setObjectName("CopyingLabel");
    CopyingLabel->setGeometry(12, 4, 396, 22);
    Gauge = new QProgressBar(ProgressPanel);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->setGeometry(12, 32, 396, 22);
    ProgressPanel->hide();

    SaveAsButton = new QPushButton("Save As", this);
    SaveAsButton->setObjectName("SaveAsButton");
    SaveAsButton->setGeometry(12, 212, 100, 27);
    SaveAsButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(124, 212, 100, 27);
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    HelpButton->setGeometry(236, 212, 100, 27);
    WhatsThisButton = platform::NewWhatsThisButton(this);
    WhatsThisButton->setGeometry(381, 212, 27, 27);

    connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
        if (on)
            formatChanged();
    });
    connect(SaveAsButton, &QPushButton::clicked, this, [this] { SaveAsClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &TCopyOut::reject);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    platform::GiveWhatsThis(*DbfRadio, "Copy the records into a new dBASE table with the "
                                       "address file's fields and memo.");
    platform::GiveWhatsThis(*AsciiRadio, "Copy the records into a text file, one line a record, "
                                         "20 fields between double quotes, without the memo.");
    platform::GiveWhatsThis(*Rfc4180Check,
                            "Double the double quotes inside values, as spreadsheets read "
                            "them, so that every value comes back whole.");
    platform::GiveWhatsThis(*Utf8Check, "Write the text as UTF-8, which holds every character; "
                                        "off, it is written in Windows-1252.");
    platform::GiveWhatsThis(*VCardRadio, "Copy the records as vCards for address books of "
                                         "phones and mail programs.");
    platform::GiveWhatsThis(*VCardVersionCombo, "The vCard version to write.");
    platform::GiveWhatsThis(*FileLabel, "The file the records go to.");
    platform::GiveWhatsThis(*SaveAsButton, "Choose the file and copy the records into it.");
    platform::GiveWhatsThis(*CancelButton, "Close; while copying, stop after asking (the "
                                           "records copied so far stay in the file).");
    platform::GiveWhatsThis(*HelpButton, "Show help on copying records out.");
    platform::GiveWhatsThis(*Gauge, "How far the copy is.");
    formatChanged();
}

exchange::ExportOptions TCopyOut::options() const {
    exchange::ExportOptions o;
    o.format = DbfRadio->isChecked()     ? exchange::ExportFormat::Dbf
               : AsciiRadio->isChecked() ? exchange::ExportFormat::Csv
                                         : exchange::ExportFormat::VCard;
    o.rfc4180 = Rfc4180Check->isChecked();
    o.utf8 = Utf8Check->isChecked();
    o.vcardVersion = VCardVersionCombo->currentData().toInt();
    return o;
}

void TCopyOut::formatChanged() {
    setFileName({});
    Rfc4180Check->setEnabled(AsciiRadio->isChecked());
    Utf8Check->setEnabled(AsciiRadio->isChecked());
    VCardVersionCombo->setEnabled(VCardRadio->isChecked());
}

void TCopyOut::setFileName(const QString& name) {
    fileName_ = name;
    FileLabel->setText(name.isEmpty() ? QString("(none)") : name);
}

void TCopyOut::reject() {
    if (!copying_) {
        done(platform::ResultCancel);
        return;
    }
    if (platform::ConfirmYesNoDefaultNo("Cancel copy?", "Cancel"))
        cancelRequested_ = true;
}

void TCopyOut::SaveAsClick() {
    const exchange::ExportOptions o = options();
    platform::FileRequest request;
    request.save = true;
    request.caption = windowTitle();
    switch (o.format) {
    case exchange::ExportFormat::Dbf:
        request.defaultExtension = "DBF";
        request.filter = "DBF files|*.DBF";
        break;
    case exchange::ExportFormat::Csv:
        request.defaultExtension = "TXT";
        request.filter = "Text files|*.TXT";
        break;
    case exchange::ExportFormat::VCard:
        request.defaultExtension = "VCF";
        request.filter = "vCard files|*.VCF";
        break;
    }
    request.folder = folder_.isEmpty() ? platform::ProgramDir() : folder_;
    request.proposedName = "*." + request.defaultExtension;
    const std::optional<QString> chosen = platform::CurrentDialogs().fileName(request);
    if (!chosen) {
        setFileName({});
        return;
    }
    folder_ = QFileInfo(*chosen).absolutePath();
    const QString problem = exchange::ExportDestinationProblem(*chosen, table_.path(), o.format);
    if (!problem.isEmpty()) {
        platform::ShowInfo(problem);
        setFileName({});
        return;
    }
    if (QFileInfo::exists(*chosen) &&
        !platform::ConfirmYesNoDefaultNo(exchange::ExportOverwriteQuestion(*chosen), "Warning!")) {
        setFileName({});
        return;
    }
    setFileName(*chosen);
    copy();
    done(platform::ResultOk);
}

void TCopyOut::copy() {
    ChoicePanel->hide();
    HelpButton->hide();
    WhatsThisButton->hide();
    SaveAsButton->hide();
    copying_ = true;
    cancelRequested_ = false;
    ProgressPanel->show();
    CopyingLabel->setText("Copying to " + fileName_);
    Gauge->setValue(0);
    QApplication::processEvents();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    exchange::ExportHooks hooks;
    hooks.progress = [&](unsigned done, unsigned total) {
        Gauge->setValue(total > 0 ? int(qint64(done) * 100 / total) : 0);
        emit recordCopied(done);
        if (sinceEvents.elapsed() >= 20) {
            QApplication::processEvents();
            sinceEvents.restart();
        }
        return !cancelRequested_;
    };
    const exchange::ExportResult result =
        exchange::ExportRecords(table_, engine_, fileName_, options(), hooks);
    copying_ = false;
    if (!result.error.isEmpty())
        platform::ShowInfo(options().format == exchange::ExportFormat::Dbf
                               ? "There was an error copying\r\n\r\n" + result.error
                               : result.error);
}
