#pragma once

#include "utilities/duplicates.h"
#include "utilities/utility_dialog_parts.h"

#include <QDialog>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace data {
class TDataSource;
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

class TPassMonitor;
class TRecordGrid;

// "Check and Repair Duplicates": one pass over the address table in an order that puts likely
// duplicates side by side gathers them in a work index; the grid over the table then shows
// exactly those records, for editing in place, deleting and tagging. The check runs once per
// opening. The work index goes when the dialog does.
class TDupCheck : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 1044;

    // The table comes with the query "!ISDEL" set by the opener.
    TDupCheck(data::TTable& table, data::TXbEngine& engine, data::TDataSource& source,
              TagHooks hooks, QWidget* parent = nullptr);
    ~TDupCheck() override;

    QFrame* SetupPanel = nullptr;
    QGroupBox* KindofCheck = nullptr;
    QRadioButton* LastFirstButton = nullptr;
    QRadioButton* LastInitialButton = nullptr;
    QRadioButton* StreetButton = nullptr;
    QLabel* AddressCharsLabel = nullptr;
    QSpinBox* AddressChars = nullptr;
    QPushButton* CheckitButton = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QLabel* LabelCount = nullptr;
    QFrame* ResultPanel = nullptr;
    QFrame* NavigatorChkDup = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* UndoButton = nullptr;
    QPushButton* TagButton = nullptr;
    QPushButton* TagAllButton = nullptr;
    TRecordGrid* ChkDupsGrid = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;

    DupKind kind() const;
    bool running() const { return running_; }
    bool checkDone() const { return done_; }
    unsigned matchCount() const { return matches_; }
    TPassMonitor& monitor() { return *monitor_; }

    // While a check runs Escape and the close box ask as "Cancel" does; afterwards they close.
    void reject() override;

private:
    void buildSetupPanel();
    void buildResultPanel();
    void KindofCheckClick();
    void CheckitButtonClick();
    void CancelButtonClick();
    void OKButtonClick();
    void DeleteButtonClick();
    void TagButtonClick();
    void TagAllButtonClick();

    data::TTable& table_;
    data::TXbEngine& engine_;
    TagHooks hooks_;
    QButtonGroup* kinds_ = nullptr;
    TPassMonitor* monitor_ = nullptr;
    bool running_ = false;
    bool done_ = false;
    unsigned matches_ = 0;
};

} // namespace utilities
