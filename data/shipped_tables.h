#pragma once

#include <QByteArray>

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace data {

// The reference tables that ship with the program: the label stock catalog LBLTPL.DBF, the
// state and ZIP ranges CSZ.DBF and the US ZIP codes with their city and state ZIPCITY.DBF in
// sysdata\. Each is made from its shipped CSV rows (header row with the field names, then one
// row per record) when it is not there yet; an existing table is never touched. Answers
// false, leaving no half-made table, when the table cannot be made.
bool InstallLabelStockTable(const QByteArray& csv);
bool InstallStateZipTable(const QByteArray& csv);
// ZIPCITY.DBF is made with its tag ZIP, "ZIP", in ZIPCITY.CDX.
bool InstallZipCityTable(const QByteArray& csv);

// Hands each row of comma-separated text to `take`: quoted fields may hold commas, line ends
// and doubled quotes; line ends are LF or CR LF; blank lines are skipped.
void ReadCsvRows(std::string_view text,
                 const std::function<void(std::span<const std::string> row)>& take);

} // namespace data
