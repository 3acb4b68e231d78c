#include "letters/merge_fields.h"

#include "data/address_schema.h"

#include <QLocale>

namespace letters {

using data::Trim;
using data::TrimLeft;

const QStringList& MergeFieldNames() {
    static const QStringList names = {
        "Full Name", "Name and Address", "First",        "Last",        "Middle",         "Prefix",
        "Title",     "Organization",     "Street",       "Street 2",    "City+State+Zip", "City",
        "State",     "Province",         "Zip",          "Postal Code", "Country",        "Phone",
        "Fax",       "E-Mail",           "Today's Date", "Long Date"};
    return names;
}

const QStringList& MergeOrder() {
    static const QStringList order = {
        "Full Name",    "First",        "Last",        "Middle",          "Prefix", "Title",
        "Organization", "Street",       "Street 2",    "City+State+Zip",  "City",   "State",
        "Province",     "Zip",          "Postal Code", "Country",         "Phone",  "Fax",
        "E-Mail",       "Today's Date", "Long Date",   "Name and Address"};
    return order;
}

QString MergeMark(const QString& name) {
    return "[" + name + "]";
}

QString NameLine(const AddressValues& v) {
    const QString middle = v.middle.isEmpty() ? QString() : v.middle + ".";
    return TrimLeft(v.prefix + " ") + TrimLeft(v.first + " ") + TrimLeft(middle + " ") +
           TrimLeft(v.last + " ");
}

QString CityStateZip(const AddressValues& v) {
    return Trim(v.city + " " + v.state + " " + v.zip);
}

QString NameAndAddress(const AddressValues& v) {
    QString titleLine = v.title;
    if (!v.title.isEmpty() && !v.org.isEmpty())
        titleLine = v.title + ",  " + v.org;
    else if (v.title.isEmpty())
        titleLine = v.org;
    QString cityLine;
    if (!(v.city.isEmpty() && v.state.isEmpty() && v.zip.isEmpty()))
        cityLine =
            Trim(v.city + " " + (v.state.isEmpty() ? QString() : v.state + " ") + " " + v.zip);
    QString block;
    for (const QString& line : {NameLine(v), titleLine, v.street, v.street2, cityLine, v.country}) {
        if (!line.isEmpty())
            block += line + "\r\n";
    }
    return block;
}

QString LongDate(const QDate& date) {
    return QLocale::system().toString(date, "MMM d, yyyy");
}

QHash<QString, QString> MergeValues(const AddressValues& v, const QDate& today,
                                    const QString& shortDatePattern) {
    return {{"Full Name", NameLine(v)},
            {"Name and Address", NameAndAddress(v)},
            {"First", v.first},
            {"Last", v.last},
            {"Middle", v.middle},
            {"Prefix", v.prefix},
            {"Title", v.title},
            {"Organization", v.org},
            {"Street", v.street},
            {"Street 2", v.street2},
            {"City+State+Zip", CityStateZip(v)},
            {"City", v.city},
            {"State", v.state},
            {"Province", v.state},
            {"Zip", v.zip},
            {"Postal Code", v.zip},
            {"Country", v.country},
            {"Phone", v.phone},
            {"Fax", v.fax},
            {"E-Mail", v.email},
            {"Today's Date", data::DisplayDate(today.toString("yyyyMMdd"), shortDatePattern)},
            {"Long Date", LongDate(today)}};
}

} // namespace letters
