#pragma once

#include <QString>

namespace data {

// The reference tables that ship with the program: the label stock catalog LBLTPL.DBF and the
// state and ZIP ranges CSZ.DBF in sysdata\. Each is made from its shipped CSV rows (header
// row with the field names, then one row per record) when it is not there yet; an existing
// table is never touched. Answers false, leaving no half-made table, when the table cannot be
// made.
bool InstallLabelStockTable(const QString& csv);
bool InstallStateZipTable(const QString& csv);

} // namespace data
