#pragma once

#include <QDialog>
#include <QHash>

#include <functional>

class QFrame;
class QPushButton;
class QTableView;
class QToolButton;

namespace data {
class TDataSource;
class TTable;
class TXbEngine;
} // namespace data

namespace selection {

class AddressGridModel;

// "Address Browse": the open address file as a grid in the table's order and query, for looking
// through and tagging records. The grid shares the main window's data source: selecting a row
// makes its record the table's current record, so the main window shows it when the dialog
// closes. Moving a column moves its field in the view.
class TAddressBrowseForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 1034;

    // toggleTag is the main window's ToggleTag on the table's current record; it may be empty.
    TAddressBrowseForm(data::TTable& table, data::TXbEngine& engine, data::TDataSource& source,
                       std::function<void()> toggleTag, QWidget* parent = nullptr);
    ~TAddressBrowseForm() override;

    QTableView* DBGrid = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* TagButton = nullptr;
    QPushButton* FirstButton = nullptr;
    QPushButton* PriorButton = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* LastButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;

    AddressGridModel& model() { return *model_; }
    // The selected row, -1 when the grid is empty.
    int currentRow() const;

    void OKButtonClick();
    // Toggles the tag of the current record and reads its row again.
    void TagButtonClick();
    void FirstButtonClick();
    // Prior and Next beep at the first and the last row.
    void PriorButtonClick();
    void NextButtonClick();
    void LastButtonClick();
    void HelpButtonClick();

    // Escape closes as "Ok" does.
    void reject() override;

private:
    void buildGrid();
    void buildButtonBar();
    void sizeColumns();
    void selectRow(int row);
    void selectCurrentRecord();
    void DBGridRowChanged(int row);
    void DBGridColumnMoved(int logicalIndex, int oldVisualIndex, int newVisualIndex);
    void DataSourceDataChange();

    data::TTable& table_;
    data::TXbEngine& engine_;
    data::TDataSource& source_;
    std::function<void()> toggleTag_;
    AddressGridModel* model_ = nullptr;
    bool movingTable_ = false;    // the grid moves the table
    bool followingTable_ = false; // the grid follows a move of the table
    bool toggling_ = false;
    QHash<QString, int> widths_; // column widths by field, kept over a reload
};

// The whole browse: reads sysdata\FIELDS.LST and applies it to the view; while the main window
// is editing it beeps and stops there; otherwise it shows the dialog modally, centred over the
// main window, and afterwards writes the view's field order back to FIELDS.LST (a failed write
// is shown). Answers whether the dialog was shown. Nothing happens while the table is closed.
bool RunBrowse(data::TTable& table, data::TXbEngine& engine, data::TDataSource& source,
               bool editing, std::function<void()> toggleTag);

} // namespace selection
