#pragma once

#include "utilities/pass_progress.h"

#include <QString>

#include <string_view>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

// The work index of the state and ZIP check lists the questionable records by name.
inline constexpr char StateZipWorkIndexKey[] = "upper(LNAME)+upper(FNAME)";

// Opens CSZ.DBF in sysdata\ for the check and for its editing: exclusively, in the order of its
// tag STATE (built when CSZ.CDX is missing) and at its first record, its fields titled as its grid
// shows them. Says "Unable to Open or Create CSZ.DBF" and answers false when it cannot.
bool OpenStateZipForCheck(data::TTable& csz, data::TXbEngine& cszEngine);

// Ordinal comparison over the bytes; when one is the start of the other the shorter is the
// smaller. A ZIP equal to either bound is in range.
bool ZipInRange(std::string_view zip, std::string_view low, std::string_view high);

struct StateZipResult {
    unsigned found = 0; // questionable records listed
    bool stopped = false;
    int workOrder = 0;
};

// The check: makes the work index at workIndexPath empty, walks the records the address
// table's query admits in record order, and lists each record whose STATE is not found in
// CSZ.DBF's STATE order (sought as it is, not upper-cased; an empty STATE is never found) or
// whose ZIP lies outside the first range found for it. Without includeBlanks a record with an
// empty STATE or ZIP is passed over. Afterwards the work index is the controlling order and
// the table stands on its first record. A stop after a record lists what was found so far.
StateZipResult RunStateZipCheck(data::TTable& address, data::TXbEngine& engine,
                                data::TXbEngine& cszEngine, bool includeBlanks,
                                const QString& workIndexPath, const PassStep& step = {});

} // namespace utilities
