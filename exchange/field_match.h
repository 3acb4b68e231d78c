#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace data {
class TTable;
}

namespace exchange {

// Which source column (a column of a text file, a field of a table, an item of a vCard) feeds
// each offered address field: a row per address field, fed by at most one source, and a
// source feeds at most one row.
class FieldMatch {
public:
    explicit FieldMatch(int rows = 0) : rows_(std::size_t(rows), -1) {}

    int rowCount() const { return int(rows_.size()); }
    // The source of a row, -1 when none.
    int source(int row) const { return rows_.at(std::size_t(row)); }
    // The row a source feeds, -1 when none.
    int rowOf(int source) const;
    // Puts the source in this row and takes it from any other row.
    void assign(int row, int source);
    void clear(int row) { rows_.at(std::size_t(row)) = -1; }
    void clearAll();
    bool any() const;

    friend bool operator==(const FieldMatch&, const FieldMatch&) = default;

private:
    std::vector<int> rows_;
};

// An address field offered for matching: its name and display label.
struct OfferedField {
    QString name;
    QString label;
    char type = 'C';
};

// The fields of the address file in `table` offered for matching, in file order, under their
// display labels. Text files: the character fields; tables and vCards: every field but ISDEL.
// The tag id field is never offered.
std::vector<OfferedField> OfferedTextFields(const data::TTable& table);
std::vector<OfferedField> OfferedTableFields(const data::TTable& table);

// The display label of an address field: its label in the address view, or for a field that
// has none there its name with a capital ("Memo").
QString AddressFieldLabel(const QString& name);

// The offered field of this name (a blank one when there is none).
OfferedField FindOffered(const std::vector<OfferedField>& offered, const QString& name);

// The name of the offered field with this display label or name (letter case ignored), empty
// when there is none.
QString OfferedFieldNamed(const std::vector<OfferedField>& offered, const QString& labelOrName);

} // namespace exchange
