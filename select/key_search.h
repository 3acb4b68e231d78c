#pragma once

#include <QString>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace selection {

// Seeks the upper-cased text on the table's current order with exact off and soft seek on, so
// the text finds the first key it begins. A miss goes back to the record shown before; errors
// change nothing. An empty text does nothing. Answers whether a key was found.
bool KeySearch(data::TTable& table, data::TXbEngine& engine, const QString& text);

} // namespace selection
