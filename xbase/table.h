#pragma once

#include "xbase/error.h"
#include "xbase/expression.h"
#include "xbase/field.h"
#include "xbase/record.h"
#include "xbase/record_observer.h"
#include "xbase/record_order.h"
#include "xbase/settings.h"
#include "xbase/value.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

enum class OpenMode {
    Shared,    // others may open the table shared as well
    Exclusive, // nobody else may open the table while it is open
    ReadOnly,  // no writes; others may read too, but not hold it exclusively
};

/// Memo file that goes with a table, chosen from the table's first byte.
enum class MemoKind { None, Fpt, Dbt3, Dbt4 };

/// Index driver family a table's first byte points to.
enum class IndexDriver { Ntx = 1, Cdx = 2, Nsx = 3 };

/// The index driver for a first byte: F5h/F6h CDX, 83h/86h NTX, E5h/E6h NSX,
/// 03h/06h CDX unless only an NSX index exists; anything else CDX.
IndexDriver detectDriver(std::uint8_t firstByte, bool onlyNsxIndexExists);

/// Called with the percentage done (0 to 100) during long operations.
using ProgressCallback = std::function<void(int percent)>;
/// Told of damage the table stepped around (an index entry past its end, memos a pack had
/// to leave empty), with a sentence naming the file and the fault.
using DamageCallback = std::function<void(const std::string& what)>;

class TableFile;
class MemoFile;

/// One open DBF table with its memo file. Record numbers start at 1; at end of file
/// the record number is the record count + 1. Field changes go to the current
/// record's buffer and reach the file with post(), which also happens on any move.
class Table {
public:
    /// Opens an existing table (and its memo file). Locked files throw ErrorKind::Locked. A
    /// pack that was cut off by a crash is finished first (or its new files are dropped, when
    /// it had not yet committed), so the table opens whole, old or packed. A memo file whose
    /// header is damaged still opens: its memos then fail to read one by one.
    static Table open(const std::filesystem::path& path, OpenMode mode = OpenMode::Exclusive);
    /// Creates a new, empty table (and its FPT memo file when a field is a memo);
    /// an existing file is replaced. The table is then open in the given mode.
    static Table create(const std::filesystem::path& path, const std::vector<Field>& fields,
                        OpenMode mode = OpenMode::Exclusive);

    /// A closed table; open() or create() gives an open one.
    Table();
    Table(Table&&) noexcept;
    Table& operator=(Table&&) noexcept;
    ~Table();

    /// Writes pending changes and releases the files; the object is then closed, and
    /// everything but isOpen(), eof(), bof(), recno() and found() throws ErrorKind::State.
    void close();
    bool isOpen() const noexcept;
    /// Creates an empty table with the same fields at another path.
    void copyStructure(const std::filesystem::path& path) const;

    const std::filesystem::path& path() const;
    OpenMode mode() const;
    std::uint8_t signature() const;
    /// The language byte of the header (29): the code page the table's text is stored in.
    std::uint8_t language() const;
    MemoKind memoKind() const;
    /// The memo file's path (empty without one) and what is wrong with it as a whole.
    std::filesystem::path memoPath() const;
    std::string memoDamage() const;
    /// Header byte 28, bit 0: whether the table says a structural compound index goes with it
    /// (other programs open and maintain that index only when it is set).
    bool structuralIndexFlag() const;
    void setStructuralIndexFlag(bool present);
    const Structure& structure() const;
    std::uint32_t recordCount() const;
    Settings& settings();
    const Settings& settings() const;

    // Navigation, honouring the order, the deleted setting and the query.
    void goTo(std::uint32_t recno); // direct, ignores deleted setting and query
    void top();
    void bottom();
    void skip(std::int64_t count = 1);
    bool eof() const noexcept;
    bool bof() const noexcept;
    std::uint32_t recno() const noexcept;
    void setSequentialHint(bool) noexcept {}

    // The current record.
    Record record() const;
    /// The bytes of a record as the file holds them, without moving to it; the view lasts
    /// until the table next changes or grows. Pending changes of the current record are
    /// posted first.
    Record storedRecord(std::uint32_t recno);
    std::string_view fieldBytes(std::size_t field) const;
    std::string_view fieldBytes(std::string_view name) const;
    /// The field's text without trailing blanks (memos: the memo text).
    std::string text(std::string_view name) const;
    Value value(std::size_t field) const;
    Value value(std::string_view name) const;
    double number(std::string_view name) const;
    bool logical(std::string_view name) const;

    void setFieldBytes(std::size_t field, std::string_view bytes); // padded or refused
    // C: cut to width; M: memo; N: the number the text spells; N, L: blank when it is blank
    void setText(std::string_view name, std::string_view text);
    void setNumber(std::string_view name, double value);
    void setLogical(std::string_view name, bool value);
    void setDate(std::string_view name, std::string_view yyyymmdd);
    // The same by field number (structure().indexOf), for loops over many records.
    void setText(std::size_t field, std::string_view text);
    void setNumber(std::size_t field, double value);
    void setLogical(std::size_t field, bool value);
    void setDate(std::size_t field, std::string_view yyyymmdd);
    void setValue(std::size_t field, const Value& value);
    /// Replaces the whole current record (deletion byte first).
    void setRecord(std::string_view bytes);
    /// Writes the current record when it was changed.
    void post();
    /// Drops unposted changes of the current record.
    void cancel();

    /// Adds a blank record at the end; it becomes the current record.
    void appendBlank();
    /// Starts a new record in the buffer, blank, not yet in the file: fields are set as on
    /// any record, post() appends it whole and cancel() drops it, so a failure part-way never
    /// leaves a record behind. Its record number is the record count + 1 until then.
    void newRecord();
    /// Adds a record with these bytes (deletion byte first) at the end.
    void appendRecord(std::string_view bytes);
    /// Removes the records after the first `keep`, the last first, telling the observers
    /// (undoes appends that must not stay).
    void removeRecordsAfter(std::uint32_t keep);

    void setDeleted(bool marked);
    bool deleted() const;
    /// Removes marked records. The kept records and their memos (the memo file compacted)
    /// are written to new files that replace the old ones only once complete, so a crash at
    /// any moment leaves the old table or the packed one, each whole. Memos that cannot be
    /// read are left empty and reported to the damage callback.
    void pack();
    /// Removes every record.
    void zap();

    // Memos of the current record.
    std::string memo(std::string_view name) const;
    void setMemo(std::string_view name, std::string_view text);
    bool memoEmpty(std::string_view name) const;

    // Query: only records for which it is true are visited.
    void setQuery(std::string_view expression); // empty removes it
    const std::string& query() const;
    void clearQuery() { setQuery({}); }
    /// Number of records the query and the deleted setting admit.
    std::uint32_t queryCount();
    /// Compiles an expression against this table's fields.
    Expression compile(std::string_view expression) const;
    /// Evaluates a logical expression on the current record.
    bool evaluateLogical(std::string_view expression) const;

    // Orders and observers (indexes); the table does not own them.
    void setOrder(RecordOrder* order);
    RecordOrder* order() const;
    void addObserver(RecordObserver* observer);
    void removeObserver(RecordObserver* observer);
    /// Seeks a key on the order; answers whether it was found (see Settings::softSeek).
    bool seek(std::string_view key);
    bool found() const noexcept;

    void setProgressCallback(ProgressCallback callback);
    void setDamageCallback(DamageCallback callback);
    /// Writes the header date and pushes the table and its memo file to the disk.
    void flush();

private:
    struct State;
    explicit Table(std::unique_ptr<State> state);
    State& state() const;
    std::unique_ptr<State> s_;
};

} // namespace xbase
