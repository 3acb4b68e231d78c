#pragma once

#include <QList>
#include <QString>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

// A check that lists records gathers them in a work index: a single-order index file made
// empty, into which the pass adds the key of each record it found. Made the controlling order
// afterwards, it shows a grid over the table exactly those records.

// The duplicates check keeps its work index in the program's folder, the state and ZIP check
// beside the address file.
QString DupWorkIndexPath();
QString StateZipWorkIndexPath(const data::TTable& addressTable);

// Makes the work index empty, ascending, without a condition, and answers its order number.
// It is the controlling order afterwards.
int CreateWorkIndex(data::TXbEngine& engine, const QString& path, const QString& key);

// Closes the work index when the table has it open and deletes its file, so that it goes on
// every way out. The table falls back to record order when the work index was its order.
void RemoveWorkIndex(data::TXbEngine& engine, const QString& path);

// The record numbers the table's order and query visit, in that order; the table keeps the
// record it shows.
QList<unsigned> RecordsInOrder(data::TTable& table);

} // namespace utilities
