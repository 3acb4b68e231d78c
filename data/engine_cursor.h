#pragma once

#include <QList>
#include <QVariant>

#include <QString>

#include <cstdint>
#include <string_view>

namespace xbase {
class Table;
}

namespace data {

class TTable;

// Looks through a table's records by moving its engine directly, for code that reads many
// records without showing each (a grid over the table). The record the table shows, its values
// and its bound controls do not change; when the cursor ends, the engine goes back to the record
// it stood on (or past the last one). Every positioning, that return included, is counted.
class TEngineCursor {
public:
    TEngineCursor(TTable& table, std::uint64_t& moves);
    TEngineCursor(const TEngineCursor&) = delete;
    TEngineCursor& operator=(const TEngineCursor&) = delete;
    ~TEngineCursor();

    // In the table's order, within its query and the deleted setting.
    void top();
    void bottom();
    void skip(int count);
    // Straight to a record, whatever the order and the query.
    void go(std::uint32_t recno);

    bool eof() const;
    bool bof() const;
    std::uint32_t recno() const;
    // Whether the deleted setting and the query admit the record the cursor stands on.
    bool admitted() const;
    // The values of the record the cursor stands on, as TTable::engineRecordValues gives them.
    QList<QVariant> values();

    // For passes that compare many records without converting them: the number of a stored
    // field (-1 when there is none), and its bytes in the record the cursor stands on, in the
    // table's code page with the trailing blanks the file holds. Valid until the cursor moves.
    int fieldNumber(const QString& name) const;
    std::string_view fieldBytes(int field) const;
    // Whether the record the cursor stands on carries the engine's deletion mark.
    bool deleted() const;

private:
    TTable& table_;
    xbase::Table& engine_;
    std::uint64_t& moves_;
    std::uint32_t recno_;
    bool eof_;
};

// Whether the table's order visits every record its query admits: record order, or a tag of the
// structural index without a condition. Only then is QueryRecordCount the number of records the
// order visits; other orders (work indexes) must be walked to be counted.
bool OrderVisitsWholeQuery(TTable& table);
// The number of records the query and the deleted setting admit; the engine does not move.
std::uint32_t QueryRecordCount(TTable& table);

} // namespace data
