#pragma once

#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "utilities/utility_dialog_parts.h"

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace utilities {

class TPassMonitor;
class TRecordGrid;

// "Check State and Zip  Codes": one pass over the address table lists, in a work index beside
// the address file, the records whose state and ZIP do not agree with CSZ.DBF; the grid over
// the table then shows exactly those, for editing in place and tagging. The same window edits
// CSZ.DBF itself. The work index goes when the dialog does.
class TStateZipCheck : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 1043;
    inline static const QString EditCaption = "Edit State/Province File";
    inline static const QString StopEditingCaption = "Stop Editing";

    // The table comes with the query "!ISDEL" set by the opener.
    TStateZipCheck(data::TTable& table, data::TXbEngine& engine, data::TDataSource& source,
                   TagHooks hooks, QWidget* parent = nullptr);
    ~TStateZipCheck() override;

    QFrame* SetupPanel = nullptr;
    QCheckBox* CheckBlanks = nullptr;
    QPushButton* CheckitButton = nullptr;
    QFrame* ResultPanel = nullptr;
    QFrame* ResultNavigator = nullptr;
    QPushButton* EditButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* CancelEditButton = nullptr;
    QPushButton* TagButton = nullptr;
    QPushButton* TagAllButton = nullptr;
    TRecordGrid* ChkStateZip = nullptr;
    QFrame* CszPanel = nullptr;
    QFrame* CszNavigator = nullptr;
    QPushButton* CszDeleteButton = nullptr;
    QPushButton* CszSaveButton = nullptr;
    QPushButton* CszUndoButton = nullptr;
    TRecordGrid* StateProvGrid = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QLabel* LabelCount = nullptr;
    QPushButton* CloseButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* EditStateProvButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;

    bool running() const { return running_; }
    bool checkDone() const { return done_; }
    bool editingCsz() const { return editingCsz_; }
    unsigned foundCount() const { return found_; }
    TPassMonitor& monitor() { return *monitor_; }
    data::TTable& stateZipTable() { return csz_; }

    // While a check runs Escape and the close box ask as "Cancel" does; afterwards they close.
    void reject() override;

private:
    void buildSetupPanel();
    void buildResultPanel();
    void buildCszPanel();
    void CheckitButtonClick();
    void EditStateProvButtonClick();
    void CancelButtonClick();
    void CloseButtonClick();
    void TagButtonClick();
    void TagAllButtonClick();
    void CszDeleteButtonClick();
    // The panel the window shows when CSZ.DBF is not being edited.
    QFrame* mainPanel() const;
    void showIdleButtons(bool shown);

    data::TTable& table_;
    data::TXbEngine& engine_;
    TagHooks hooks_;
    data::TTable csz_;
    data::TDataSource cszSource_;
    data::TXbEngine cszEngine_;
    TPassMonitor* monitor_ = nullptr;
    bool running_ = false;
    bool done_ = false;
    bool editingCsz_ = false;
    unsigned found_ = 0;
};

} // namespace utilities
