#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace exchange {

// One record for the address file: a UTF-8 value for each target of its feed, in the order of
// targets(); an empty value leaves its field blank.
struct ImportRecord {
    unsigned where = 0; // the line, card or record number it came from
    std::vector<std::string> values;
};

// A source that cannot be read (any more).
class ImportReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the records of an import come from, in the order they are appended.
class ImportFeed {
public:
    virtual ~ImportFeed() = default;
    // The address fields the values go into, by field name.
    virtual QStringList targets() const = 0;
    // Starts again at the first record. Throws ImportReadError.
    virtual void rewind() = 0;
    // The next record; false at the end. Throws ImportReadError.
    virtual bool next(ImportRecord& record) = 0;
    // The same for the check before an import: a feed that knows a record to be plain ASCII,
    // which every code page holds, may leave its values out.
    virtual bool nextToCheck(ImportRecord& record) { return next(record); }
    // Whether next() may run on another thread than the import's: the feed touches nothing
    // but its own file.
    virtual bool canReadAhead() const { return false; }
    // What `where` counts in messages: "line", "card" or "record".
    virtual QString whereName() const = 0;
};

// A value the address file cannot take as it is.
struct UnholdableValue {
    unsigned where = 0;
    QString field;  // the field's display label
    QString reason; // e.g. code page 1252 cannot hold "ł" (U+0142)
};

// The first pass over a feed: how many records it has and which values the address file
// cannot hold. Nothing is written.
struct ImportCheck {
    unsigned total = 0;
    std::vector<UnholdableValue> problems; // the first ones found
    unsigned problemCount = 0;             // all of them
    QString readError;                     // not empty: the source could not be read
};
ImportCheck CheckImport(ImportFeed& feed, data::TTable& destination, std::size_t keep = 15);

// The message for values that cannot be held, naming each with its line (card, record).
QString UnholdableMessage(const ImportCheck& check, const QString& whereName,
                          const QString& fileName);

enum class ImportEnd { Complete, Cancelled, ReadError, WriteError };

struct ImportResult {
    ImportEnd end = ImportEnd::Complete;
    unsigned imported = 0;
    QString error; // what failed, for a read or write error
};

struct ImportHooks {
    std::function<void(const QString& text)> status;
    // After each record appended; answers false to stop after it (cancel).
    std::function<bool(unsigned done, unsigned total)> progress;
};

// Appends the feed's records to the address file open in `destination`: its compound index is
// deleted first, and the records go straight to the file, pushed to the disk once at the end.
// Values longer than their field are cut to its width; empty values leave the field blank. A
// failure or a cancel stops after the record in hand; the records appended before stay. The
// indexes are then built by RebuildImportIndexes, in every case.
ImportResult AppendImport(ImportFeed& feed, unsigned total, data::TTable& destination,
                          data::TXbEngine& engine, const ImportHooks& hooks);

// Builds the 26 tags of the address file after an import; progress in percent of each tag
// (the engine's reports). False when a tag could not be built (the message was shown).
bool RebuildImportIndexes(data::TTable& destination, data::TXbEngine& engine,
                          const std::function<void(int percent)>& progress);

// The messages at the end of an import.
QString ImportCompleteMessage(unsigned count);
QString ImportCancelledMessage(unsigned count);

} // namespace exchange
