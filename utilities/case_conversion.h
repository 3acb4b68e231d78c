#pragma once

#include "select/apply_query.h"
#include "utilities/pass_progress.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

enum class CaseConversion { Upper, FirstLetter, Lower };

// The three conversions touch the ASCII letters only; every other character stays as it is.
// "First letter capitalized" lower-cases the value and then capitalises every letter that
// begins it or follows a blank (a hyphen, apostrophe, full stop or digit starts no word).
QString ConvertCase(const QString& value, CaseConversion to);
QString AsciiUpper(const QString& value);
QString AsciiLower(const QString& value);

// The fields case conversion offers, with the captions of their boxes, in the order in which
// they are converted. Phone, fax, e-mail, date and memo are never converted.
struct CaseField {
    const char* caption;
    const char* field;
};
const std::array<CaseField, 15>& CaseFields();

struct CaseResult {
    unsigned converted = 0;  // records posted
    QList<unsigned> changed; // record numbers whose values changed
    bool stopped = false;
};

// Converts the fields (names from CaseFields(), in that order) of the records a selection
// gives: the record the table shows, every record not deleted (the query "!ISDEL" for the
// time of the pass), or the records of the query the caller set (the filter's matches).
// Every record is put into edit, converted and posted, also when nothing changed; the pass is
// one bulk write pushed to the disk at its end. Afterwards the query is what it was and the
// table stands on the record it showed before. A stop after a record leaves the records
// converted so far converted and the others untouched.
CaseResult RunCaseConversion(data::TTable& table, data::TXbEngine& engine,
                             selection::RecordSelection scope, CaseConversion to,
                             const QStringList& fields, const PassStep& step = {});

} // namespace utilities
