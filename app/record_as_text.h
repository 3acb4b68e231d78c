#pragma once

#include <QString>

#include <functional>

namespace data {
class TTable;
}

// The groups of fields that go into a record's text.
struct RecordTextGroups {
    bool name = true; // name, organization, title
    bool address = true;
    bool phoneNumbers = true;
    bool codes = true;
    bool comments = true;
};

// A record as plain text, one address line per line, each line ended by CR LF; lines with
// nothing to say are left out. The field reader answers a field's value by name.
QString GetRecordAsString(const std::function<QString(const QString& field)>& field,
                          const RecordTextGroups& groups);
// The current record of the table.
QString GetRecordAsString(const data::TTable& table, const RecordTextGroups& groups);
