#pragma once

#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "exchange/import_pass.h"

#include <QString>

#include <vector>

namespace exchange {

// A dBASE table from outside, opened read-only for an import with its own table object.
// Records with the deletion mark are never imported.
class ImportSource {
public:
    ImportSource();
    ImportSource(const ImportSource&) = delete;
    ImportSource& operator=(const ImportSource&) = delete;

    enum class Opened { Ok, CannotOpen, NoRecords };
    // The engine opens every dBASE table one way, so one attempt stands for the two a table
    // type would need. A table without records is closed again.
    Opened open(const QString& path);
    void close() { table.close(); }
    // The stored fields, in file order.
    QList<data::FieldInfo> fields() const;

    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

QString CannotOpenMessage(const QString& path);
QString NoRecordsMessage(const QString& path);

// Source fields of these types take part in the automatic matching; others never match
// automatically.
bool MatchesAutomatically(char sourceType);
// Whether a source field may feed an address field of this type: a memo only memos, a date
// only dates, any other field any source that is not a memo.
bool SourceFits(char sourceType, char addressType);
bool IsMemoType(char type);

// The automatic matching of a table's fields to the address file's: for each source field, the
// name of the address field it goes to, or empty. A memo goes to MEMO, any other field of a
// matching type to the first address field (all fields, in file order) whose display label or
// name equals its name, letter case ignored; each address field is taken once, by the first.
std::vector<QString> AutoMatchTableFields(const QList<data::FieldInfo>& source,
                                          const data::TTable& destination);

// How a source value is written.
enum class ValueRule {
    AsText,          // the value as text, without trailing blanks (numbers without leading ones)
    OldDate,         // a date of the older version, stored as eight digits (ConvertOldDate)
    MemoFromTextBox, // a memo, with the blank rule of text from a text box
};

struct TableMatch {
    int sourceField; // index into ImportSource::fields()
    QString target;  // address field name
    ValueRule rule = ValueRule::AsText;
};

// The records of a source table for the import, in record order, deleted ones skipped.
class TableFeed : public ImportFeed {
public:
    TableFeed(ImportSource& source, std::vector<TableMatch> matches, QString shortDatePattern = {});

    QStringList targets() const override;
    void rewind() override;
    bool next(ImportRecord& record) override;
    QString whereName() const override { return "record"; }

private:
    ImportSource& source_;
    std::vector<TableMatch> matches_;
    QStringList names_;
    QString datePattern_;
    bool atFirst_ = false;
};

// The older version's address tables: recognised by their fields; copied with a fixed mapping.
bool IsCorvane1xTable(const QList<data::FieldInfo>& fields);
QString NotCorvane1xMessage(const QString& path);
std::vector<TableMatch> Corvane1xMatches(const QList<data::FieldInfo>& fields);
// An older version's DATE: empty stays empty, eight digits of a valid date stay as they are,
// a date in the short date pattern ("mm/dd/yyyy" and the like) becomes eight digits; anything
// else gives empty.
QString ConvertOldDate(const QString& value, const QString& shortDatePattern);

} // namespace exchange
