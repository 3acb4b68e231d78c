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

    /// A record was added at the end (blank or given bytes) and is on disk. An observer that
    /// throws must leave itself as it was; the table then takes the record back.
    virtual void onAppended(const Record& record) = 0;
    /// The last record is about to leave the table (an append undone).
    virtual void onRemoving(const Record& record) = 0;
    /// A record's bytes are about to change (post, replace, delete mark, recall).
    /// `before` holds the bytes still on disk.
    virtual void onChanging(const Record& before) = 0;
    /// The change announced by onChanging is on disk; `after` holds the new bytes. An
    /// observer that throws must leave itself as it was; the table then puts the old bytes
    /// back and turns the other observers back with another onChanging/onChanged pair.
    virtual void onChanged(const Record& after) = 0;
    /// Marked records were removed and the others renumbered: rebuild from the table.
    virtual void onPacked() = 0;
    /// All records were removed.
    virtual void onZapped() = 0;
};

} // namespace xbase
