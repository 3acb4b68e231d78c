#include "exchange/import_dialog.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

TImportBase::TImportBase(const QString& caption, const QString& selectCaption, int helpTopic,
                         Messages messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setWindowTitle(caption);
    setFixedSize(440, 230);
    destinationSource_.setDataSet(&Destination);
    ownEngine_.DataSource = &destinationSource_;
    destination_ = &Destination;
    destinationEngine_ = &ownEngine_;

    FileLabel = new QLabel("(none)", this);
    FileLabel->setObjectName("FileLabel");
    FileLabel->setGeometry(12, 12, 416, 20);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setGeometry(12, 120, 416, 20);
    StatusLabel->hide();
    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->setGeometry(12, 146, 416, 22);
    Gauge->hide();

    ButtonPanel = new QFrame(this);
    ButtonPanel->setObjectName("ButtonPanel");
    ButtonPanel->setGeometry(0, 184, 310, 40);
    auto button = [](QWidget* parent, const QString& text, const char* name, int x, int width) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(name);
        b->setGeometry(x, 6, width, 27);
        return b;
    };
    SelectButton = button(ButtonPanel, selectCaption, "SelectButton", 12, 120);
    MatchButton = button(ButtonPanel, "Match Fields", "MatchButton", 138, 84);
    ImportButton = button(ButtonPanel, "Import", "ImportButton", 228, 76);
    CancelButton = button(this, "Cancel", "CancelButton", 310, 54);
    CancelButton->move(310, 190);
    HelpButton = button(this, "Help", "HelpButton", 368, 38);
    HelpButton->move(368, 190);
    WhatsThisButton = platform::NewWhatsThisButton(this);
    WhatsThisButton->setGeometry(410, 190, 24, 27);
    MatchButton->setEnabled(false);
    ImportButton->setEnabled(false);

    connect(CancelButton, &QPushButton::clicked, this, &TImportBase::reject);
    connect(HelpButton, &QPushButton::clicked, this,
            [helpTopic] { platform::ShowHelpTopic(helpTopic); });
    platform::GiveWhatsThis(*FileLabel, "The file the records come from.");
    platform::GiveWhatsThis(*SelectButton, "Choose the file to import.");
    platform::GiveWhatsThis(*MatchButton,
                            "Say which field of the file goes into which Corvane field.");
    platform::GiveWhatsThis(*ImportButton, "Append the file's records to the open address file "
                                           "and rebuild its indexes.");
    platform::GiveWhatsThis(*CancelButton, "Close; while importing, stop after the record in "
                                           "hand (the records imported so far stay).");
    platform::GiveWhatsThis(*HelpButton, "Show help on importing.");
    platform::GiveWhatsThis(*Gauge, "How far the import or the rebuild of the indexes is.");
}

void TImportBase::useDestination(data::TTable& table, data::TXbEngine& engine) {
    destination_ = &table;
    destinationEngine_ = &engine;
}

void TImportBase::reject() {
    if (rebuilding_)
        return;
    if (importing_) {
        cancelRequested_ = true;
        return;
    }
    done(platform::ResultCancel);
}

std::optional<QString> TImportBase::askForFile(const QString& filter, const QString& proposedName,
                                               const QString& defaultExtension) {
    platform::FileRequest request;
    request.caption = windowTitle();
    request.filter = filter;
    request.proposedName = proposedName;
    request.defaultExtension = defaultExtension;
    request.mustExist = true;
    return platform::CurrentDialogs().fileName(request);
}

void TImportBase::setFileName(const QString& name) {
    fileName_ = name;
    FileLabel->setText(name.isEmpty() ? QString("(none)") : name);
}

void TImportBase::setStatus(const QString& text) {
    StatusLabel->setText(text);
    QApplication::processEvents();
}

void TImportBase::showWorking(bool working) {
    ButtonPanel->setVisible(!working);
    HelpButton->setVisible(!working);
    WhatsThisButton->setVisible(!working);
    Gauge->setValue(0);
    Gauge->setVisible(working);
    StatusLabel->setVisible(working);
    if (!working)
        StatusLabel->clear();
}

void TImportBase::runImport(exchange::ImportFeed& feed, const QString& sourceName) {
    importing_ = true;
    cancelRequested_ = false;
    showWorking(true);
    setStatus(messages_ == Messages::Text ? "Counting total lines" : "Checking records");
    const exchange::ImportCheck check = exchange::CheckImport(feed, destination());
    if (!check.readError.isEmpty() || check.problemCount > 0) {
        importing_ = false;
        showWorking(false);
        platform::ShowInfo(check.readError.isEmpty()
                               ? exchange::UnholdableMessage(check, feed.whereName(),
                                                             QFileInfo(sourceName).fileName())
                               : "Unable to read " + sourceName + "\r\n\r\n" + check.readError);
        return;
    }

    exchange::ImportHooks hooks;
    hooks.status = [this](const QString& text) { setStatus(text); };
    sinceEvents_.start();
    hooks.progress = [this](unsigned done, unsigned total) {
        Gauge->setValue(total > 0 ? int(qint64(done) * 100 / total) : 0);
        emit recordImported(done);
        // Pending messages run often enough for the gauge to move and "Cancel" to be heard,
        // not after each of many thousand records.
        if (sinceEvents_.elapsed() >= 20) {
            QApplication::processEvents();
            sinceEvents_.restart();
        }
        return !cancelRequested_;
    };
    destination().disableControls();
    const exchange::ImportResult result =
        exchange::AppendImport(feed, check.total, destination(), destinationEngine(), hooks);
    destination().enableControls();
    setStatus({});

    const QString count = QString::number(result.imported);
    const QString detail = result.error.isEmpty() ? QString() : "\r\n\r\n" + result.error;
    if (messages_ == Messages::Text) {
        switch (result.end) {
        case exchange::ImportEnd::ReadError:
            platform::ShowInfo("Unknown error reading ASCII file after importing " + count +
                               " records." + detail);
            break;
        case exchange::ImportEnd::WriteError:
            platform::ShowInfo("Unknown error writing to data file after importing " + count +
                               " records." + detail);
            break;
        case exchange::ImportEnd::Cancelled:
            platform::ShowInfo(exchange::ImportCancelledMessage(result.imported));
            break;
        case exchange::ImportEnd::Complete:
            platform::ShowInfo(exchange::ImportCompleteMessage(result.imported));
            break;
        }
    } else {
        if (result.end == exchange::ImportEnd::ReadError ||
            result.end == exchange::ImportEnd::WriteError)
            platform::ShowInfo("Unknown error while importing." + detail);
        platform::ShowInfo(result.end == exchange::ImportEnd::Cancelled
                               ? exchange::ImportCancelledMessage(result.imported)
                               : exchange::ImportCompleteMessage(result.imported));
    }

    setStatus("Rebuilding Indexes ");
    CancelButton->hide();
    rebuilding_ = true;
    tagGauge_.reset();
    exchange::RebuildImportIndexes(destination(), destinationEngine(), [this](int percent) {
        Gauge->setValue(tagGauge_.update(percent));
        QApplication::processEvents();
    });
    rebuilding_ = false;
    tagGauge_.reset();
    Gauge->setValue(0);
    Gauge->hide();
    CancelButton->show();
    importing_ = false;
    done(platform::ResultOk);
}
