#pragma once

#include "utilities/search_replace.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
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

// "Search and Replace": finds records by the value of one field and replaces that field's value
// or the matching part of it, then says how many and closes. The run can be stopped after the
// record in hand ("Stop").
class TSearchAndReplace : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 1003;

    // filter is the filter expression alone (empty without a filter), as the opener set it as
    // the table's query.
    TSearchAndReplace(data::TTable& table, data::TXbEngine& engine, const QString& filter,
                      QWidget* parent = nullptr);

    QFrame* Options = nullptr;
    QComboBox* TargetField = nullptr;
    QRadioButton* FindExact = nullptr;
    QRadioButton* FindBegins = nullptr;
    QRadioButton* FindPartial = nullptr;
    QLineEdit* FindValue = nullptr;
    QCheckBox* CaseSensitive = nullptr;
    QRadioButton* ReplaceWhole = nullptr;
    QRadioButton* ReplacePartial = nullptr;
    QLineEdit* ReplaceValue = nullptr;
    QRadioButton* ReplaceAll = nullptr;
    QRadioButton* ReplaceFilter = nullptr;
    QLabel* ProgressLabel = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QPushButton* StopButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;

    // The choices as the controls hold them.
    ReplaceOptions options() const;
    bool running() const { return running_; }
    const ReplaceResult& result() const { return result_; }
    TPassMonitor& monitor() { return *monitor_; }

    // While replacing Escape and the close box ask as "Stop" does.
    void reject() override;

private:
    void TargetFieldChange();
    void ReplaceButtonClick();
    void StopButtonClick();

    data::TTable& table_;
    data::TXbEngine& engine_;
    QString filter_;
    TPassMonitor* monitor_ = nullptr;
    bool running_ = false;
    ReplaceResult result_;
};

} // namespace utilities
