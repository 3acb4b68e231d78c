#pragma once

#include "xbase/index_storage.h"
#include "xbase/record.h"

#include <cstdint>

namespace xbase {

class Table;

/// What a structural index records of the table it was last made to match. It lives in
/// bytes 400 to 419 of the compound file's first header, which the format leaves reserved:
/// other programs leave them alone or clear them, and a cleared stamp tells nothing.
struct TableStamp {
    enum class State {
        None,    // no stamp: an index from elsewhere, taken as it is
        Clean,   // the index matched these records when it was last closed or flushed
        Writing, // changes were under way and never finished: the index may be out of step
    };
    State state = State::None;
    std::uint32_t records = 0;
    std::uint64_t fingerprint = 0;
};

TableStamp readTableStamp(const IndexStorage& storage);
void writeTableStamp(IndexStorage& storage, const TableStamp& stamp);

/// One record's share of a table's fingerprint. The fingerprint is the sum of the shares
/// of all records, so a change of one record changes it by the difference of two shares.
std::uint64_t recordFingerprint(const Record& record) noexcept;
/// The fingerprint of every record the table holds (its deletion marks included).
std::uint64_t tableFingerprint(Table& table);

} // namespace xbase
