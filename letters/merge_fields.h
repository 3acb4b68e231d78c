#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

namespace letters {

// The fields of an address record that letters merge, as read (without trailing blanks).
struct AddressValues {
    QString prefix, first, middle, last, title, org, street, street2, city, state, zip, country,
        phone, fax, email;
};

// The merge fields in the order of the designer's "Insert field" list.
const QStringList& MergeFieldNames();
// The order in which a record is merged; a value holding the mark of a later field is merged
// in turn.
const QStringList& MergeOrder();

// "[" + name + "]": the mark a merge field stands for in a letter.
QString MergeMark(const QString& name);

// The name line: prefix, first name, middle initial with a period and last name, each present
// part followed by one blank (so the line ends in a blank).
QString NameLine(const AddressValues& values);
// CITY, STATE and ZIP with blanks between and at neither end.
QString CityStateZip(const AddressValues& values);
// The address block: name line, title and organization, the two streets, the city line and
// the country, each present only when not empty and each ended by CR LF.
QString NameAndAddress(const AddressValues& values);
// Today's date as "mmm d, yyyy".
QString LongDate(const QDate& date);

// The value of every merge field for a record, keyed by name.
QHash<QString, QString> MergeValues(const AddressValues& values, const QDate& today,
                                    const QString& shortDatePattern);

} // namespace letters
