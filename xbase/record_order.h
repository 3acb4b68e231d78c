#pragma once

#include "xbase/record.h"

#include <cstdint>
#include <string_view>

namespace xbase {

/// Where a seek ended: the record number of the first entry whose key is equal to or
/// greater than the key sought (0 when every key is smaller), and whether it matched.
struct SeekResult {
    std::uint32_t recno = 0;
    bool found = false;
};

/// An external visiting order for a table (an index tag). The order keeps its own
/// cursor; every method that moves it returns the record number it lands on, or 0
/// when it runs off either end. The table filters the deleted setting and the query
/// on top of what the order delivers.
class RecordOrder {
public:
    virtual ~RecordOrder() = default;

    virtual std::uint32_t first() = 0;
    virtual std::uint32_t last() = 0;
    virtual std::uint32_t next() = 0;
    virtual std::uint32_t prev() = 0;
    /// Puts the cursor on the entry of this record after the table went to it
    /// directly; false when the order holds no entry for it.
    virtual bool locate(const Record& record) = 0;
    /// Puts the cursor on the first entry whose key is >= key. With `exact`
    /// the whole key must match for `found`, otherwise the key sought may be a prefix.
    virtual SeekResult seek(std::string_view key, bool exact) = 0;
    /// Whether the key of the entry under the cursor matches `key` as seek compares it;
    /// the table asks this after stepping over records its filters hide.
    virtual bool matches(std::string_view key, bool exact) const = 0;
};

} // namespace xbase
