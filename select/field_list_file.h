#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace data {
class TTable;
}

namespace selection {

// The browse column list: one field name of the address view per line, every field of the view
// (hidden and calculated ones too) in the view's field order. It lives in sysdata\ under the
// program folder and is read each time the browse opens and written each time it closes.

// The real path of sysdata\FIELDS.LST under the program folder.
QString FieldListPath();

// The names in the text of a field list: one per line, blanks around a name and empty lines
// dropped, CR LF or LF line ends.
QStringList ParseFieldList(const QByteArray& text);

// The field order after applying the list's lines to `order`: line i moves the field of that
// name (compared without regard to letter case) to position i, or to the last position when
// i is beyond it; a name that is not in `order` is skipped.
QStringList ApplyFieldListLines(const QStringList& order, const QStringList& lines);

// Reads the field list and applies it to the table's view. A missing or unreadable file leaves
// the view's order; answers whether a list was applied.
bool ReadFieldList(data::TTable& table, const QString& path = FieldListPath());

// Writes every field name of the table's view, in its current order, replacing the file. The
// text goes to a temporary file that then replaces the list, so a failed write leaves the old
// list whole. A view without fields writes nothing. On failure answers false with the reason.
bool WriteFieldList(const data::TTable& table, QString* error = nullptr,
                    const QString& path = FieldListPath());

} // namespace selection
