#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <span>

namespace data {

// One stored field of a table as the engine creates it.
struct FieldSpec {
    const char* name;
    char type; // 'C', 'N', 'L', 'D', 'M'
    int width;
    int decimals;
    const char* label; // label in the address view; empty when the view gives none
    int displayWidth;  // width in grids
};

struct TagSpec {
    const char* name;
    const char* key;
};

// The 23 fields of an address file, in file order.
std::span<const FieldSpec> AddressFields();
const FieldSpec* FindAddressField(const QString& name);

// The 26 tags of an address file's compound index, in the order they are built.
std::span<const TagSpec> AddressTags();
// The order in which the index check asks for the tags; it stops at the first missing one.
QStringList IndexCheckOrder();

// The items of the "&Sort" menu with their tags.
struct SortOrder {
    const char* caption; // "&Last Name"
    const char* tag;     // "LNAME"
};
std::span<const SortOrder> SortOrders();
// How a sort item is recognised: its caption from the second character on, at most 30
// characters, in upper case ("&Last Name" gives "LAST NAME").
QString SortCaptionKey(const QString& caption);
// The tag of a sort caption, empty when the caption is not a sort item.
QString SortTagOfCaption(const QString& caption);
// The caption of the item that sorts by a tag, empty when none does.
QString SortCaptionOfTag(const QString& tag);

// Calculated fields of the address view, from trimmed field values.
QString FullName(const QString& first, const QString& middle, const QString& last);
QString FullNameWithPrefix(const QString& prefix, const QString& first, const QString& middle,
                           const QString& last);
QString CityStateZip(const QString& city, const QString& state, const QString& zip);
// DATE ("19970428") in a short date pattern such as "mm/dd/yyyy"; blank when DATE is blank or
// not a valid date.
QString DisplayDate(const QString& storedDate, const QString& shortDatePattern);

// Names of new address files: the proposal ADDnnnn and the rule for a valid name.
QString ProposeNewDatabaseName(const QStringList& existingFileNames);
bool IsValidDatabaseName(const QString& name);

// Blank trimming at the left, the right or both ends (blanks only, not other white space).
QString TrimLeft(const QString& text);
QString TrimRight(const QString& text);
QString Trim(const QString& text);

} // namespace data
