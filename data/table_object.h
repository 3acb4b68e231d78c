#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>

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
// without trailing blanks and converted between Windows-1252 and QString. Changes are kept in
// the record buffer until post(); moving to another record posts a pending edit first.
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
    void cancel();
    // Gives the current record the deletion mark.
    void deleteRecord();
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

private:
    void readRecord(bool withMemos = true);
    void notify();
    void requireActive() const;
    void requireEditing() const;
    [[noreturn]] void fail(const std::exception& error) const;

    std::unique_ptr<xbase::Table> table_;
    std::unique_ptr<xbase::TableIndexes> indexes_;
    TableState state_ = TableState::Inactive;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    int controlsDisabled_ = 0;
    QList<FieldInfo> fields_;
    QList<int> engineField_; // engine field index of each field, -1 for calculated ones
    QList<QVariant> values_;
};

} // namespace data
