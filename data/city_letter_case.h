#pragma once

namespace data {

class TTable;

// Whether the address file's cities are mostly written in upper case ("SPRINGFIELD"): more
// than half of the latest records whose city holds a letter, up to `sample` of them read back
// from the end of the file, where the user's present habit shows. Records marked deleted are
// passed over; the table does not move. False for a file without such records.
bool CitiesMostlyUpperCase(TTable& table, int sample = 50);

} // namespace data
