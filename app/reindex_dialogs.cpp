#include "app/reindex_dialogs.h"

#include "data/address_file.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/path_lookup.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TReindexBase::TReindexBase(const QString& caption, int helpTopic, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(caption);
    setFixedSize(360, 140);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setGeometry(12, 12, 336, 20);
    StatusLabel->hide();
    Gauge = new QProgressBar(this);
    Gauge->setObjectName("Gauge");
    Gauge->setRange(0, 100);
    Gauge->setGeometry(12, 40, 336, 22);
    Gauge->hide();
    DoitButton = new QPushButton("Reindex", this);
    DoitButton->setObjectName("DoitButton");
    DoitButton->setDefault(true);
    DoitButton->setGeometry(12, 100, 100, 27);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setGeometry(130, 100, 100, 27);
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    HelpButton->setGeometry(248, 100, 100, 27);
    DoitButton->setToolTip("Click here to begin the reindexing process. NOTE: once started, the "
                           "process may not be stopped.");
    DoitButton->setWhatsThis(DoitButton->toolTip());
    CancelButton->setWhatsThis("Close without rebuilding anything.");
    HelpButton->setWhatsThis("Show help on rebuilding indexes.");
    connect(DoitButton, &QPushButton::clicked, this, [this] { DoitClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(HelpButton, &QPushButton::clicked, this,
            [helpTopic] { platform::ShowHelpTopic(helpTopic); });
}

void TReindexBase::beginWork() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Gauge->setValue(0);
    Gauge->show();
    StatusLabel->show();
    DoitButton->setEnabled(false);
    CancelButton->hide();
    HelpButton->hide();
}

void TReindexBase::endWork() {
    Gauge->hide();
    Gauge->setValue(0);
    DoitButton->setEnabled(true);
    CancelButton->show();
    QApplication::restoreOverrideCursor();
}

void TReindexBase::setStatus(const QString& text) {
    StatusLabel->setText(text);
    QApplication::processEvents();
}

void TReindexBase::showProgress(int percent) {
    Gauge->setValue(qBound(0, percent, 100));
    QApplication::processEvents();
}

TCVReindex::TCVReindex(data::TTable& table, data::TXbEngine& engine, QWidget* parent)
    : TReindexBase("Rebuild indexes for " + table.fileName, HelpTopic, parent), table_(table),
      engine_(engine) {
    setObjectName("CVReindex");
}

void TCVReindex::DoitClick() {
    beginWork();
    setStatus("Cleaning out old deleted records");
    try {
        engine_.dropStructuralIndex();
        engine_.setGaugeHook([this](int percent) { showProgress(percent); });
        engine_.pack();
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    setStatus("Rebuilding indexes");
    tagGauge_.reset();
    engine_.setGaugeHook([this](int percent) { showProgress(tagGauge_.update(percent)); });
    data::BuildAddressIndexes(table_, engine_);
    engine_.setGaugeHook({});
    tagGauge_.reset();
    endWork();
    done(platform::ResultOk);
}

TSystemReindex::TSystemReindex(QWidget* parent)
    : TReindexBase("Rebuild System Indexes", HelpTopic, parent) {
    setObjectName("SystemReindex");
}

void TSystemReindex::DoitClick() {
    beginWork();
    const struct {
        const char* status;
        const char* table;
        const char* tag;
        const char* key;
    } tables[] = {
        {"Rebuilding Letters File indexes", "LETTER", "DESCRIPT", "UPPER(DESCRIPT)"},
        {"Rebuilding Label File indexes", "LABEL", "DESCRIPT", "UPPER(DESCRIPT)"},
        {"Rebuilding State/Province File indexes", "CSZ", "STATE", "UPPER(STATE)"},
        {"Rebuilding Label Setup File indexes", "LBLTPL", "DESCRIPT", "UPPER(descript)"},
        {"Rebuilding Envelope File indexes", "ENVELOPE", "DESCRIPT", "UPPER(descript)"},
        {"Rebuilding Report File indexes", "REPORT", "DESCRIPT", "UPPER(descript)"},
        {"Rebuilding ZIP Code File indexes", "ZIPCITY", "ZIP", "ZIP"},
    };
    for (const auto& t : tables) {
        setStatus(t.status);
        DoExtra(t.table, t.tag, t.key);
    }
    endWork();
    done(platform::ResultOk);
}

void TSystemReindex::DoExtra(const QString& name, const QString& tag, const QString& key) {
    data::TTable TableReindex;
    data::TDataSource source;
    source.setDataSet(&TableReindex);
    data::TXbEngine EngineReindex;
    EngineReindex.DataSource = &source;
    EngineReindex.setGaugeHook([this](int percent) { showProgress(percent); });
    const QString folder = platform::RealPath("sysdata\\");
    TableReindex.folder = folder;
    TableReindex.fileName = QFileInfo(platform::RealPathIn(folder, name + ".DBF")).fileName();
    TableReindex.exclusive = true;
    try {
        TableReindex.open();
        EngineReindex.dropStructuralIndex();
        EngineReindex.pack();
        EngineReindex.indexTag({}, tag, key);
    } catch (const std::exception&) {
        // A system table that cannot be rebuilt is skipped; the next one goes on.
    }
    TableReindex.close();
}
