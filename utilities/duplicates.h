#pragma once

#include "utilities/pass_progress.h"

#include <QString>

#include <string>
#include <string_view>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

// What the duplicates check compares: last name followed by first name, last name followed by
// the first name's first letter, or the first N characters of the street.
enum class DupKind { LastFirst = 0, LastFirstInitial = 1, Street = 2 };

inline constexpr int MaxStreetChars = 30;

// The tag of the address file whose order puts likely duplicates next to each other, and the
// key of the work index that lists them.
QString DupScanTag(DupKind kind);
QString DupWorkIndexKey(DupKind kind);

// The key a record is compared by, from its stored field bytes (trailing blanks do not count,
// leading ones do): LNAME followed directly by FNAME or by its first character, or the first
// `chars` characters of STREET. Empty when the record takes no part: no last name, or no
// street.
std::string DupKey(DupKind kind, std::string_view lname, std::string_view fname,
                   std::string_view street, int chars);

// Two keys agree when they have the same length and the same bytes, the letters a to z
// counting as A to Z.
bool DupKeysEqual(std::string_view a, std::string_view b);

struct DupCheckResult {
    unsigned matches = 0; // records that agreed with the record before them
    unsigned listed = 0;  // records whose keys went into the work index
    bool stopped = false;
    int workOrder = 0;
};

// The check: makes the work index at workIndexPath empty, walks the records the table's query
// admits in the order of DupScanTag(kind) comparing each with the one before it, and adds the
// keys of both to the work index when they agree (a record already added is not added again).
// Afterwards the work index is the controlling order and the table stands on its first record,
// so the table shows exactly the records listed. A stop after a record lists what was found
// so far.
DupCheckResult RunDupCheck(data::TTable& table, data::TXbEngine& engine, DupKind kind, int chars,
                           const QString& workIndexPath, const PassStep& step = {});

} // namespace utilities
