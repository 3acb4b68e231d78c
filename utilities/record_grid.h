#pragma once

#include "select/address_grid_model.h"

#include <QTableView>

#include <functional>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

// The rows of a table for repairs in place: the stored, visible fields of the record the table
// shows can be typed over, and while it is being edited its row shows what was typed. When the
// grid may append, a row for the new record follows the last one while the table inserts.
class EditableGridModel : public selection::AddressGridModel {
    Q_OBJECT
public:
    explicit EditableGridModel(data::TTable& table, QObject* parent = nullptr);

    // The row of the record being inserted, -1 when none.
    int insertRow() const;
    void beginAppending();
    void endAppending();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // The width of a column's field, the longest text it takes.
    int fieldSize(int column) const;

private:
    bool showsBuffer(int row) const;

    data::TTable& table_;
    bool appending_ = false;
};

// An editable grid bound to a table (the address table or CSZ.DBF): selecting a row makes its
// record the table's current record, so that the dialog's buttons act on it. Moving to another
// row posts what was typed; a post the table refuses is shown and the grid stays on the row.
class TRecordGrid : public QTableView {
    Q_OBJECT
public:
    explicit TRecordGrid(QWidget* parent = nullptr);

    // Shows the table's records in its order and query and selects the first row.
    void bind(data::TTable& table, data::TXbEngine& engine);
    bool bound() const { return model_ != nullptr; }
    EditableGridModel* gridModel() const { return model_; }
    // Moving past the last row starts a new record at the end of the table.
    void setAppendable(bool appendable) { appendable_ = appendable; }
    // A double-click on the Tagged column toggles the tag of the current record.
    void setToggleTag(std::function<void()> toggleTag) { toggleTag_ = std::move(toggleTag); }
    // The column of a field shown at a visual position.
    void moveFieldTo(const QString& field, int position);

    int currentRow() const;
    void first();
    void prior();
    void next();
    void last();
    // Posts what was typed; false (after saying why) when the table refuses it.
    bool save();
    // Drops what was typed.
    void undo();
    // Reads the current row again after its record changed.
    void refreshCurrent();
    // Reads the rows again (after records were deleted or tagged) and selects the table's
    // record, or the first row.
    void reload();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class FieldDelegate;
    QWidget* openEditor() const;
    void selectRow(int row);
    void rowChanged(int row, int previous);
    void toggleTagAt(const QModelIndex& index);
    void sizeColumns();
    void appendRow();

    data::TTable* table_ = nullptr;
    data::TXbEngine* engine_ = nullptr;
    EditableGridModel* model_ = nullptr;
    FieldDelegate* delegate_ = nullptr;
    bool appendable_ = false;
    bool selecting_ = false;
    std::function<void()> toggleTag_;
};

} // namespace utilities
