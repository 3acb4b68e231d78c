#pragma once

#include "utilities/pass_progress.h"

#include <QList>
#include <QString>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

enum class DeleteScope { AllRecords, MatchingFilter, OutsideFilter };

struct DeleteResult {
    unsigned deleted = 0;
    QList<unsigned> records; // in the order they were deleted
    bool stopped = false;
};

// The query a deletion walks: none for every record, the filter expression alone (no "!ISDEL"
// term), or its negation. Without a filter every scope walks every record.
QString DeleteQuery(DeleteScope scope, const QString& filter);

// Deletes records with the deletion mark visible, so that records already deleted count again.
// Every record of the file goes at once when the scope is AllRecords (the file is emptied;
// that cannot be stopped or undone). Otherwise each record the query
// admits gets ISDEL and the deletion mark in one write, in the table's order, as one bulk write
// pushed to the disk at its end; a stop after a record leaves the others untouched. The query
// is left as DeleteQuery set it; the caller applies its own afterwards.
DeleteResult RunDeleteRecords(data::TTable& table, data::TXbEngine& engine, DeleteScope scope,
                              const QString& filter, const PassStep& step = {});

} // namespace utilities
