#pragma once

#include "xbase/cdx_file.h"
#include "xbase/expression.h"
#include "xbase/idx_file.h"
#include "xbase/index_key.h"
#include "xbase/record_observer.h"
#include "xbase/table.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

class TagOrder;

/// The structural index of a table: the same name with the extension CDX (in the letter
/// case of the table's extension).
std::filesystem::path structuralIndexPath(const std::filesystem::path& table);

/// The open indexes of one table: its structural compound index (same name,
/// extension CDX, opened with the set), further CDX files and IDX files. Every
/// tag of every open file follows appends, edits, deletion marks, packs and zaps;
/// empty work indexes (option 2) only take the keys added to them. Orders are
/// numbered from 1 over the tags of the open files in opening order; 0 is record order.
///
/// The structural index carries a stamp of the table it matches (see TableStamp): set to
/// "writing" before the first change of a session and to the table's record count and
/// fingerprint by flush() and at the end, unless a change could not be followed. At open a
/// stamp that says "writing", or that names other records than the table holds, makes the
/// index stale(): a crash cut its upkeep short, another program changed the table without
/// it, or it belongs to another copy of the table.
class TableIndexes : public RecordObserver {
public:
    /// Option of indexTag(): build an empty single-order work index.
    static constexpr int emptyWorkIndex = 2;

    /// Attaches to the table and opens its structural index when there is one. A tag this
    /// engine cannot keep up to date (one kept by hand by its own program, one whose keys
    /// it would make otherwise) is refused with ErrorKind::Unsupported before anything is
    /// written, unless the table is open read-only.
    explicit TableIndexes(Table& table);
    ~TableIndexes() override;
    TableIndexes(const TableIndexes&) = delete;
    TableIndexes& operator=(const TableIndexes&) = delete;

    std::filesystem::path structuralPath() const;
    /// Opens a CDX or IDX file (by extension) for the table.
    void open(const std::filesystem::path& file);
    /// Closes one file (empty: every file); record order follows when the
    /// controlling order was in it.
    void close(const std::filesystem::path& file = {});

    /// Builds a tag and makes it the controlling order. An empty file means the
    /// structural index; a file ending in .idx is a single-order file, which the
    /// emptyWorkIndex option leaves empty. Option 1 keeps one entry per key.
    void indexTag(const std::filesystem::path& file, std::string_view tag,
                  std::string_view keyExpression, int option = 0, bool descending = false,
                  std::string_view forExpression = {}, const ProgressCallback& progress = {});
    /// Adds the current record's key to the controlling order (the work index).
    void addKey();
    /// Adds a record's key to a work index order, wherever the table stands, so that a pass
    /// walking another order can gather records without leaving it.
    void addKey(int number, std::uint32_t recno);
    /// The same for many records at once. Keys going into an empty work index are sorted and
    /// written in one build, far faster than one by one; a record given twice is added once.
    void addKeysOf(int number, const std::vector<std::uint32_t>& recnos);

    int orderCount() const noexcept { return static_cast<int>(tags_.size()); }
    /// The order number of a tag, 0 when none is open by that name.
    int orderOf(std::string_view tag) const;
    void setOrder(int number);
    void setOrder(std::string_view tag);
    int order() const noexcept { return current_; }
    std::string tagName(int number = -1) const;
    std::string keyExpression(int number = -1) const;
    std::string forExpression(int number = -1) const;
    bool descending(int number = -1) const;
    std::filesystem::path indexFile(int number = -1) const;
    std::vector<std::string> tagNames() const;

    /// Limits the controlling order to keys from top to bottom (as seek compares them).
    void setScope(std::string_view top, std::string_view bottom);
    void clearScope();

    /// Compares every tag with the table; answers what disagrees (empty: all agree).
    std::vector<std::string> check();
    /// Rebuilds every maintained tag from the table.
    void rebuild(const ProgressCallback& progress = {});

    /// Why the structural index does not match its table, empty when nothing says so.
    const std::string& stale() const noexcept { return stale_; }
    /// Pushes every index file to the disk and, when the index followed every change,
    /// stamps the structural index with the table it now matches. The table is flushed
    /// first by the caller.
    void flush();
    /// Closes the structural index, deletes its file and clears the table's flag for it
    /// (before the tags are made anew).
    void dropStructural();

    /// The key a record has in an order (encoded as stored).
    std::string keyOf(int number, const Record& record) const;

    void onAppended(const Record& record) override;
    void onRemoving(const Record& record) override;
    void onChanging(const Record& before) override;
    void onChanged(const Record& after) override;
    void onPacked() override;
    void onZapped() override;

    struct Tag;
    struct OpenFile;

private:
    Tag& tagAt(int number) const;
    OpenFile& openFile(const std::filesystem::path& file, bool create, bool idx);
    void addTag(OpenFile& file, IndexTree& tree, std::string name);
    OpenFile* structuralFile() const;
    /// Reads the structural index's stamp and compares it with the table.
    void checkStamp();
    /// Before the first change of a session: stamp the structural index "writing", on disk.
    void beginChange();
    void writeStamp(bool clean);
    /// Adds (or takes away) a record's keys in every maintained tag; on a failure the tags
    /// already done are turned back and the error goes on.
    void addKeys(const Record& record);
    void removeKeys(const Record& record);
    void buildTag(Tag& tag, const ProgressCallback& progress);
    /// The keys the tag should hold, in tree order (in scratch_, until the next call).
    const KeyBlock& expectedKeys(Tag& tag, const ProgressCallback& progress);

    Table* table_;
    std::vector<std::unique_ptr<OpenFile>> files_;
    std::vector<std::unique_ptr<Tag>> tags_;
    std::vector<std::optional<std::string>> before_; // keys before an edit, per tag
    std::uint64_t beforeShare_ = 0;                  // the edited record's fingerprint share
    int current_ = 0;
    bool stampable_ = false; // the structural index is open for writing
    std::uint64_t fingerprint_ = 0;
    bool writing_ = false; // the stamp says "writing" since this session's first change
    bool inDoubt_ = false; // a change was not followed: the stamp is never made clean again
    std::string stale_;
    // Kept between builds, so that building tag after tag reuses its memory.
    KeyBlock scratch_;
};

} // namespace xbase
