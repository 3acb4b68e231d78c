#pragma once

#include "utilities/record_deletion.h"

#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

class TPassMonitor;

// "Delete Records": deletes every record, the records of the filter, or the records outside
// it, then says how many and closes. Deleting by the filter can be stopped after the record in
// hand ("Stop"); emptying the file is done at once.
class TDeleteRecords : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 1046;

    // filter is the filter expression alone (empty without a filter), as the opener set it as
    // the table's query.
    TDeleteRecords(data::TTable& table, data::TXbEngine& engine, const QString& filter,
                   QWidget* parent = nullptr);

    QFrame* Options = nullptr;
    QRadioButton* DeleteAll = nullptr;
    QRadioButton* DeleteFilter = nullptr;
    QRadioButton* DeleteNotFilter = nullptr;
    QLabel* ProgressLabel = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QPushButton* StopButton = nullptr;
    QPushButton* DeleteNowButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;

    bool running() const { return running_; }
    const DeleteResult& result() const { return result_; }
    TPassMonitor& monitor() { return *monitor_; }

    // While deleting Escape and the close box ask as "Stop" does.
    void reject() override;

private:
    void DeleteNowButtonClick();
    void StopButtonClick();

    data::TTable& table_;
    data::TXbEngine& engine_;
    QString filter_;
    TPassMonitor* monitor_ = nullptr;
    bool running_ = false;
    DeleteResult result_;
};

} // namespace utilities
