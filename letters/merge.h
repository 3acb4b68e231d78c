#pragma once

#include "letters/merge_fields.h"

#include <QHash>
#include <QString>

class QTextDocument;

namespace data {
class TTable;
}

namespace letters {

// Replaces every mark of one merge field in the document with its value, whatever the mark's
// letter case and attributes; the value takes the attributes of the mark it replaces (an
// empty value removes the mark). The search goes on after each value, so a value holding its
// own mark is not replaced again.
void DoMerge(QTextDocument& document, const QString& name, const QString& value);

// Merges every field of a record, in the fixed merge order.
void ReplaceTokens(QTextDocument& document, const QHash<QString, QString>& values);

// The merged fields of the table's current record.
AddressValues ValuesOf(const data::TTable& addresses);

} // namespace letters
