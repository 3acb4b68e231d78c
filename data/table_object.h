#pragma once

#include "xbase/code_page.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace xbase {
class Table;
class TableIndexes;
} // namespace xbase

namespace data {

enum class TableState { Inactive, Browse, Edit, Insert, CalcFields };
enum class FieldKind { Text, SmallInt, Number, Date, Boolean, Memo };

struct FieldInfo {
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0;
    QString label;
    int displayWidth = 0;
    bool visible = true;
    bool calculated = false;
    char engineType = 0; // the type letter the table stores ('C', 'N', 'M', ...); 0 if calculated
};

// A failure of a table operation, with a message fit to show.
class TableError : public std::runtime_error {
public:
    enum class Kind { General, NotFound, Locked, Damaged };
    TableError(Kind kind, const QString& message)
        : std::runtime_error(message.toStdString()), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// One open table with its current record, its fields and its state. Field values are read
// without trailing blanks and converted between the table's code page (its language byte) and
// QString. Changes are kept in the record buffer until post(), which writes the record whole
// or not at all and pushes it to the disk; moving to another record posts a pending edit first.
//
// Damage met on the way (a memo that cannot be read, a damaged index order, index entries
// past the table's end) does not stop the table: the record shows with its memo empty, the
// order falls back to record order, and damageFound() tells what is damaged.
class TTable : public QObject {
    Q_OBJECT
public:
    explicit TTable(QObject* parent = nullptr);
    ~TTable() override;

    QString folder;    // with a final separator
    QString fileName;  // "ADD0001.DBF"
    QString indexName; // tag name of the order, empty for record order
    bool exclusive = false;
    bool readOnly = false;

    QString path() const;
    // Opens the table and its structural index. An index held by another program, or one with
    // tags this program cannot keep up to date, keeps a writable table from opening (no table
    // runs without its index upkeep); an index that cannot be read leaves the table open with
    // indexProblem() set, and changes refused until the index is made anew.
    void open();
    void close();
    bool active() const;
    TableState state() const { return state_; }
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }

    void first();
    void last();
    void next();
    void prior();
    void moveBy(int count);
    void edit();
    void insert();
    void post();
    // Posts the edit and gives the record the deletion mark in the same write, so that the
    // record is never left with only one of the two.
    void postWithDeletionMark();
    void cancel();
    // Gives the current record the deletion mark.
    void deleteRecord();
    // Why the structural index cannot be used: it could not be read, or it is out of step with
    // the table (see xbase::TableIndexes::stale); empty when nothing is known against it.
    QString indexProblem() const;
    // Closes and deletes the structural index, also one that cannot be read, before its tags
    // are made anew.
    void dropStructuralIndex();
    // Bulk work (nested): posts within it are not pushed to the disk one by one; the last end
    // pushes everything.
    void beginBulk() { ++bulk_; }
    void endBulk();
    // Pushes the table, its memo file and its indexes to the disk.
    void flush();
    // The same after a change, unless bulk work pushes everything at its end.
    void flushUnlessBulk();
    // Runs a move of the engine; when the order turns out damaged, says so (damageFound) and
    // runs the move again in record order.
    void moveEngine(const std::function<void()>& move);
    // Whether a memo of the record shown could not be read (it shows empty).
    bool memoUnreadable() const { return memoUnreadable_; }
    // Text of the table's code page, and text put into it; a character the code page cannot
    // hold is refused (TableError) with a message naming `what`.
    QString text(std::string_view bytes) const;
    std::string bytes(const QString& text, const QString& what) const;
    // Reads the current record again, and the record count with it.
    void refresh();
    // Ends an edit or insert: saves it when something changed, else cancels it.
    void endEdit();
    bool modified() const { return modified_; }

    const QList<FieldInfo>& fields() const { return fields_; }
    FieldInfo* field(const QString& name);
    int fieldIndex(const QString& name) const;
    // A calculated field, appended to the field list; its value comes from onCalcFields.
    void addCalculatedField(const FieldInfo& field);
    // Puts the fields in this order (names missing from the list keep their order at the end).
    void arrangeFields(const QStringList& order);

    QString fieldText(const QString& name) const;
    void setFieldText(const QString& name, const QString& text);
    bool fieldBool(const QString& name) const;
    void setFieldBool(const QString& name, bool value);
    // Only while onCalcFields runs.
    void setCalculatedValue(const QString& name, const QVariant& value);
    QVariant calculatedValue(const QString& name) const;

    // Code stops the bound controls following the table (nested) and lets them follow again.
    void disableControls() { ++controlsDisabled_; }
    void enableControls();
    bool controlsDisabled() const { return controlsDisabled_ > 0; }

    // Engine record number of the record shown; record count + 1 when none is shown.
    unsigned recordNumber() const;
    unsigned recordCount() const;
    xbase::Table& engineTable();
    // The table's open indexes; opened with the table (its structural index), or made anew
    // when the structural index could not be read.
    xbase::TableIndexes& indexes();
    bool indexesOpen() const { return indexes_ != nullptr; }
    bool hasEngineTable() const { return table_ != nullptr; }
    // Takes the engine-wide settings of TXbEnv again.
    void applySettings();
    // Shows the record the engine stands on (after the engine moved).
    void resync();
    // The values of the record the engine stands on, calculated fields included, in the order
    // of fields(), for code that reads records by moving the engine itself (a grid over the
    // table). The record shown and its values stay as they are; memo fields are read only
    // when asked for and are empty otherwise.
    QList<QVariant> engineRecordValues(bool withMemos = false);

    std::function<void(TTable&)> onBeforeInsert, onAfterInsert, onAfterEdit, onAfterPost,
        onAfterCancel, onCalcFields;

signals:
    // Every change of data or state; bound controls follow it unless disabled.
    void dataChanged();
    // Damage the table stepped around, as a sentence naming the file and the fault.
    void damageFound(const QString& what);

private:
    void postRecord(bool markDeleted);
    void readRecord(bool withMemos = true);
    void notify();
    void requireActive() const;
    void requireEditing() const;
    void requireIndexUpkeep() const;
    void openIndexes();
    void writeFields();
    void reportDamage(const QString& what);
    [[noreturn]] void fail(const std::exception& error) const;

    std::unique_ptr<xbase::Table> table_;
    std::unique_ptr<xbase::TableIndexes> indexes_;
    xbase::CodePage codePage_;
    QString indexUnreadable_; // why the structural index could not be opened
    TableState state_ = TableState::Inactive;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    bool memoUnreadable_ = false;
    int bulk_ = 0;
    int controlsDisabled_ = 0;
    QList<FieldInfo> fields_;
    QList<int> engineField_; // engine field index of each field, -1 for calculated ones
    QList<QVariant> values_;
};

// Bulk work on a table for a scope (see TTable::beginBulk). finish() ends it where a failure
// to push the work to the disk must be reported; leaving the scope ends it quietly.
class BulkWrite {
public:
    explicit BulkWrite(TTable& table) : table_(table) { table_.beginBulk(); }
    ~BulkWrite() {
        if (finished_)
            return;
        try {
            table_.endBulk();
        } catch (const std::exception&) {
            // What was written stays; the next flush pushes it.
        }
    }
    void finish() {
        finished_ = true;
        table_.endBulk();
    }
    BulkWrite(const BulkWrite&) = delete;
    BulkWrite& operator=(const BulkWrite&) = delete;

private:
    TTable& table_;
    bool finished_ = false;
};

} // namespace data
