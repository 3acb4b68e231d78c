#pragma once

#include "utilities/case_conversion.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QFrame;
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

// "Convert Case": rewrites the letter case of the chosen fields for the current record, every
// record, or the records of the filter, and closes when done. "Cancel" during the run stops it
// after the record in hand; the records converted so far stay converted.
class TConvertToUpper : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 1045;

    TConvertToUpper(data::TTable& table, data::TXbEngine& engine, bool filterSet,
                    QWidget* parent = nullptr);

    QFrame* Options = nullptr;
    QRadioButton* rCurrentRecord = nullptr;
    QRadioButton* rAllRecords = nullptr;
    QRadioButton* rFilterRecords = nullptr;
    QRadioButton* ToUpperCase = nullptr;
    QRadioButton* ToProperCase = nullptr;
    QRadioButton* ToLowerCase = nullptr;
    QCheckBox* cAll = nullptr;
    // One box per field of CaseFields(), in that order; object names "c" + the field name.
    QList<QCheckBox*> FieldBoxes;
    QProgressBar* Gauge1 = nullptr;
    QPushButton* ConvertButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;

    bool running() const { return running_; }
    const CaseResult& result() const { return result_; }
    TPassMonitor& monitor() { return *monitor_; }

    // While converting Escape and the close box ask as "Cancel" does.
    void reject() override;

private:
    void ConvertButtonClick();
    void CancelButtonClick();

    data::TTable& table_;
    data::TXbEngine& engine_;
    TPassMonitor* monitor_ = nullptr;
    bool running_ = false;
    CaseResult result_;
};

} // namespace utilities
