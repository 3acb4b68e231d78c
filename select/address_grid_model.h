#pragma once

#include "data/table_object.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace data {
class TEngineCursor;
}

namespace selection {

// The address table as a grid: one row per record that the table's order and query admit, in
// that order; one column per visible field of the view, in the view's field order when the
// model is (re)loaded. Booleans show as "Yes" or "No".
//
// The table has one cursor, shared with the main window. Rows are read through an engine cursor
// that puts the engine back on the record it stood on, so the record the table shows, its
// values and its bound controls do not change. Every row whose record number is known is
// remembered; a row not yet read is reached by walking from the nearest known row (or from the
// top or the bottom), and the walk reads a block of rows ahead in its direction. Scrolling
// through the grid in pages therefore reads each row once, with at most a block beyond the
// last row shown.
class AddressGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What reading rows cost, for benchmarks and tests.
    struct Counters {
        std::uint64_t recordsRead = 0; // records whose values were read into rows
        std::uint64_t engineMoves = 0; // positionings of the engine (go, top, bottom, a skip)
    };
    // Rows read ahead of the one asked for, in the direction of the walk.
    static constexpr int BlockRows = 32;
    // Rows whose texts are kept; rows far from the last one read are forgotten beyond this.
    static constexpr int CachedRows = 2048;

    explicit AddressGridModel(data::TTable& table, QObject* parent = nullptr);

    // Takes the columns and the row count again and forgets every row read.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The field shown in a column, and the column of a field (-1 when not shown).
    QString columnField(int column) const;
    int columnOfField(const QString& name) const;
    // The display width of a column's field, in characters.
    int columnDisplayWidth(int column) const;
    // The display text of a cell, reading its row when needed.
    QString text(int row, int column) const;

    // The record number of a row, walking to it when needed; 0 for no such row.
    unsigned recordOfRow(int row) const;
    // The row of a record, walking from it to an end of the order when needed; -1 when the
    // order and the query do not admit it.
    int rowOfRecord(unsigned recno) const;
    // Reads a row again after its record changed. When the query no longer admits the record
    // the rows are loaded again.
    void refreshRow(int row);

    // The row the indicator marks (the table's current record); -1 for none.
    void setCurrentRow(int row);
    int currentRow() const { return currentRow_; }

    const Counters& counters() const { return counters_; }
    void resetCounters() { counters_ = {}; }

private:
    struct Column {
        QString field;
        QString title;
        int displayWidth = 0;
        bool boolean = false;
    };

    void countRows();
    void mapColumns() const;
    void fetch(int row) const;
    void readRow(data::TEngineCursor& cursor, int row) const;
    void remember(int row, std::uint32_t recno) const;
    void forgetFarRows(int around) const;
    void countIsStale() const;

    data::TTable& table_;
    QList<Column> columns_;
    int rows_ = 0;
    int currentRow_ = -1;

    // Rows read so far: record numbers of known rows (0 unknown), runs of known rows (first
    // row to last row), rows of known records and the texts of recently read rows.
    mutable std::vector<std::uint32_t> recnos_;
    mutable std::map<int, int> knownRuns_;
    mutable QHash<std::uint32_t, int> rowOf_;
    mutable std::unordered_map<int, QStringList> texts_;
    mutable QList<int> fieldIndex_;
    mutable Counters counters_;
    mutable bool reloadQueued_ = false;
};

} // namespace selection
