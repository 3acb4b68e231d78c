#pragma once

#include "data/data_source.h"
#include "data/reindex_progress.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "exchange/import_pass.h"

#include <QDialog>
#include <QElapsedTimer>

#include <optional>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

// What the import dialogs share: the chosen file's name, "Select ... File", "Match Fields",
// "Import", "Cancel" and "Help", a status line and a gauge; the run of an import and the
// rebuild of the indexes after it. The dialog closes after every import, finished, cancelled
// or failed. "Cancel" (and Escape) is ignored while the indexes are rebuilt, stops the import
// after the record in hand while it runs, and otherwise closes the dialog.
class TImportBase : public QDialog {
    Q_OBJECT
public:
    // How the end of an import is told: the text import's own messages, or the table
    // imports' "Unknown error while importing." before the count.
    enum class Messages { Text, Table };

    TImportBase(const QString& caption, const QString& selectCaption, int helpTopic,
                Messages messages, QWidget* parent);

    // The address file the records go into, and its engine object. The opener opens it.
    data::TTable& destination() { return *destination_; }
    data::TXbEngine& destinationEngine() { return *destinationEngine_; }
    // The dialog's own table object, for the openers that reopen the address file for it.
    data::TTable Destination;

    QString chosenFile() const { return fileName_; }
    bool importing() const { return importing_; }

    QLabel* FileLabel = nullptr;
    QFrame* ButtonPanel = nullptr;
    QPushButton* SelectButton = nullptr;
    QPushButton* MatchButton = nullptr;
    QPushButton* ImportButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;
    QLabel* StatusLabel = nullptr;
    QProgressBar* Gauge = nullptr;

    void reject() override;

signals:
    // After each record appended, with the number appended so far.
    void recordImported(unsigned count);

protected:
    // Imports into another table object than the dialog's own (the older-version import
    // writes into the main window's table).
    void useDestination(data::TTable& table, data::TXbEngine& engine);
    // Asks for a file with the open-file dialog; nothing when it was cancelled.
    std::optional<QString> askForFile(const QString& filter, const QString& proposedName,
                                      const QString& defaultExtension);
    void setFileName(const QString& name);
    void setStatus(const QString& text);
    // Checks the feed, appends its records, tells how it ended and rebuilds the indexes; the
    // dialog then closes. A feed with values the address file cannot hold, or that cannot be
    // read at all, is refused before anything is written, and the dialog stays open.
    void runImport(exchange::ImportFeed& feed, const QString& sourceName);

private:
    void showWorking(bool working);

    Messages messages_;
    QString fileName_;
    data::TDataSource destinationSource_;
    data::TXbEngine ownEngine_;
    data::TTable* destination_ = nullptr;
    data::TXbEngine* destinationEngine_ = nullptr;
    data::TagBuildGauge tagGauge_{data::TagBuildGauge::ImportDivisor};
    QElapsedTimer sinceEvents_;
    bool importing_ = false;
    bool rebuilding_ = false;
    bool cancelRequested_ = false;
};
