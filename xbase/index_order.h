#pragma once

#include "xbase/expression.h"
#include "xbase/index_key.h"
#include "xbase/index_tree.h"
#include "xbase/record_order.h"

#include <optional>
#include <string>
#include <string_view>

namespace xbase {

/// An index order with the expressions that make its keys.
struct IndexedTag {
    IndexTree* tree = nullptr;
    std::string name;
    std::optional<Expression> key; // always set once the tag is open
    std::optional<Expression> condition;
    KeyType type = KeyType::Character;
    bool manual = false; // a work index: only keys added on purpose
    bool unique = false;

    /// The stored key of a record.
    std::string keyOf(const Record& record) const;
    /// The same written to `out`, which has room for the key length.
    void writeKey(const Record& record, char* out) const;
    /// Whether the for condition admits the record.
    bool includes(const Record& record) const;
    /// A key as a caller writes it, in stored form: text for character keys, a
    /// number for numeric ones, YYYYMMDD for dates, T/F for logicals. Character
    /// keys stay as long as given (a shorter one matches as a prefix).
    std::string soughtKey(std::string_view text) const;
};

KeyType keyTypeOf(ValueType type) noexcept;
std::uint16_t keyLengthOf(const Expression& key);

/// A tag as the visiting order of a table, limited by an optional scope. A descending
/// tag is visited from the end of its tree: first() is its greatest key, and the scope
/// runs from the greater key (top) down to the smaller (bottom).
class TagOrder : public RecordOrder {
public:
    explicit TagOrder(IndexedTag& tag)
        : tag_(&tag), cursor_(*tag.tree), reversed_(tag.tree->descending()) {}

    void setScope(std::string_view top, std::string_view bottom);
    void clearScope();

    std::uint32_t first() override;
    std::uint32_t last() override;
    std::uint32_t next() override;
    std::uint32_t prev() override;
    bool locate(const Record& record) override;
    SeekResult seek(std::string_view key, bool exact) override;
    bool matches(std::string_view key, bool exact) const override;

private:
    bool matchesStored(std::string_view stored, bool exact) const;
    std::uint32_t inScope();
    /// Visiting order of two keys (prefix compare): tree order, turned for descending.
    int compare(std::string_view a, std::string_view b) const;
    // Moves of the cursor in visiting order.
    bool toFirst();
    bool toLast();
    bool forward();
    bool backward();
    /// The first entry in visiting order whose key does not come before `key`, and the
    /// last one whose key does not come after it.
    bool seekFrom(std::string_view key);
    bool seekThrough(std::string_view key);
    IndexedTag* tag_;
    IndexCursor cursor_;
    bool reversed_;
    std::optional<std::string> top_, bottom_;
};

} // namespace xbase
