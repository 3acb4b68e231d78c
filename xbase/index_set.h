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

/// The open indexes of one table: its structural compound index (same name,
/// extension CDX, opened with the set), further CDX files and IDX files. Every
/// tag of every open file follows appends, edits, deletion marks, packs and zaps;
/// empty work indexes (option 2) only take the keys added to them. Orders are
/// numbered from 1 over the tags of the open files in opening order; 0 is record order.
class TableIndexes : public RecordObserver {
public:
    /// Option of indexTag(): build an empty single-order work index.
    static constexpr int emptyWorkIndex = 2;

    /// Attaches to the table and opens its structural index when there is one.
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

    /// The key a record has in an order (encoded as stored).
    std::string keyOf(int number, const Record& record) const;

    void onAppended(const Record& record) override;
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
    void buildTag(Tag& tag, const ProgressCallback& progress);
    /// The keys the tag should hold, in tree order (in scratch_, until the next call).
    const KeyBlock& expectedKeys(Tag& tag, const ProgressCallback& progress);

    Table* table_;
    std::vector<std::unique_ptr<OpenFile>> files_;
    std::vector<std::unique_ptr<Tag>> tags_;
    std::vector<std::optional<std::string>> before_; // keys before an edit, per tag
    int current_ = 0;
    // Kept between builds, so that building tag after tag reuses its memory.
    KeyBlock scratch_;
};

} // namespace xbase
