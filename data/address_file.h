#pragma once

#include "data/table_object.h"
#include "data/xb_engine.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

namespace xbase {
struct Field;
}

namespace data {

struct FieldSpec;

// The engine's field list for a table made from these fields.
std::vector<xbase::Field> EngineFields(std::span<const FieldSpec> specs);

// Closes the table and opens the address file at the path, its compound index with it.
// A missing file shows "File <path> not found"; any failure closes the table. True when open.
bool OpenAddressTable(const QString& path, TTable& table);

// Creates an address file with the 23 fields, opens it, builds its 26 tags and closes it.
// Failures are shown ("Create failed", "File creation failed", "Unable to create index files").
bool CreateAddressFile(const QString& path, TTable& table, TXbEngine& engine);

// Deletes the table's compound index file (also one that cannot be read) and builds the 26 tags
// into a new one. Shows "Unable to create index files" when a tag cannot be built.
bool BuildAddressIndexes(TTable& table, TXbEngine& engine);

// True when the index matches its table and every one of the 26 tags exists; asks in the check
// order and stops at the first missing tag.
bool CheckValidIndex(TXbEngine& engine);

// The user's deletion of the record the table shows: ISDEL set and the engine's deletion mark
// given in one write. Marked records stay visible meanwhile, so the table keeps the record;
// the deleted setting is as it was afterwards, also after a failure (which is thrown).
void SoftDeleteRecord(TTable& table);

// The field order of the address view, calculated fields included.
const QStringList& AddressViewOrder();

// Gives the address view its field order, labels, display widths, hidden fields and
// calculated fields. The tag id and the short date pattern are asked for each record.
void SetupAddressView(TTable& table, std::function<QString()> globalTagId,
                      std::function<QString()> shortDatePattern);
// Shows or hides FullName, FullNameWithPrefix and CityStateZip (label, report and envelope
// dialogs show them while they are open).
void SetExtraFields(TTable& table, bool visible);

// The system tables in sysdata\; each opens its table, creating LABEL, ENVELOPE, REPORT and
// LETTER when they cannot be opened, and builds the one tag when the CDX file is missing.
bool OpenLabelTable(TTable& table, TXbEngine& engine);
bool OpenLabelStockTable(TTable& table, TXbEngine& engine);
bool OpenEnvelopeTable(TTable& table, TXbEngine& engine);
bool OpenReportTable(TTable& table, TXbEngine& engine);
bool OpenLetterTable(TTable& table, TXbEngine& engine);
bool OpenStateZipTable(TTable& table, TXbEngine& engine);

} // namespace data
