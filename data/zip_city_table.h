#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace data {

// A US ZIP code with its city and state.
struct ZipCity {
    QString zip;
    QString city;
    QString state;
};

// The five-digit ZIP a typed code begins with ("62704-1234" gives "62704"); empty when it
// does not begin with five digits.
QString FiveDigitZip(const QString& typed);

// The shipped table of US ZIP codes, sysdata\ZIPCITY.DBF with its tag ZIP, read-only. The
// window's adding and corvane-tool's "zip lookup" both look ZIP codes up through it.
class ZipCityTable {
public:
    ZipCityTable();
    ~ZipCityTable();
    ZipCityTable(const ZipCityTable&) = delete;
    ZipCityTable& operator=(const ZipCityTable&) = delete;

    // The table's path in the program's sysdata\ folder.
    static QString path();

    // Opens the table; answers why it cannot be used (missing, damaged, its index missing or
    // out of step with it), or an empty text when it is open.
    QString open();
    // The city and state of the five-digit ZIP the code begins with; nothing when the table
    // does not hold it. Throws TableError (Damaged) when the table or its index turns out
    // damaged, so that a damaged index never gives another ZIP's city.
    std::optional<ZipCity> find(const QString& zip);

private:
    struct State;
    std::unique_ptr<State> s_;
};

} // namespace data
