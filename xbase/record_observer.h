#pragma once

#include "xbase/record.h"

#include <cstdint>

namespace xbase {

/// Told of every change to a table's records, so that indexes can follow.
/// Calls arrive after the table's own state is consistent; an exception thrown
/// by an observer propagates to the caller of the table operation.
class RecordObserver {
public:
    virtual ~RecordObserver() = default;

    /// A record was added at the end (blank or given bytes) and is on disk.
    virtual void onAppended(const Record& record) = 0;
    /// A record's bytes are about to change (post, replace, delete mark, recall).
    /// `before` holds the bytes still on disk.
    virtual void onChanging(const Record& before) = 0;
    /// The change announced by onChanging is on disk; `after` holds the new bytes.
    virtual void onChanged(const Record& after) = 0;
    /// Marked records were removed and the others renumbered: rebuild from the table.
    virtual void onPacked() = 0;
    /// All records were removed.
    virtual void onZapped() = 0;
};

} // namespace xbase
