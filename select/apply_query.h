#pragma once

#include "select/query_criteria.h"

#include <QString>

namespace data {
class TXbEngine;
}

namespace selection {

// The query that hides deleted records; every query of the address table ends in it.
inline constexpr char NotDeletedQuery[] = "!ISDEL";
// What a filter adds to its expression to hide deleted records (12 characters).
inline constexpr char NotDeletedTerm[] = ".and. !ISDEL";
// The longest query the address table takes.
inline constexpr int MaxQueryLength = 255;
// Shown by the caller when ApplyQuery answers TooComplex.
inline constexpr char TooComplexMessage[] = "Sorry - filter is too complex.Please simplify it.";

// True when the query a filter expression makes would be longer than MaxQueryLength.
bool TooComplex(const QString& queryString);

enum class ApplyOutcome {
    NoFilter,   // no criterion set: every record not deleted
    Matches,    // the filter is the query; count records match
    NoMatch,    // no record matched: criteria cleared, every record not deleted
    Refused,    // the engine could not use the expression (a quote in a value, say): as NoMatch
    TooComplex, // the expression was too long: criteria cleared, no filter
};

struct ApplyResult {
    unsigned count = 0;
    ApplyOutcome outcome = ApplyOutcome::NoFilter;
    QString engineMessage; // why the engine refused the expression
};

// Builds queryString from the criteria and makes it, joined with the term that hides deleted
// records, the query of the engine's table, which must be open. Answers the number of matches.
// When no record matches or the engine refuses the expression the criteria are cleared, the
// query admits every record not deleted and queryString keeps the text it was built with;
// when the expression is too long the criteria and queryString are cleared as well. Shows the
// busy cursor while it works when there is a GUI. Throws data::TableError only when the table
// cannot take the query "!ISDEL" (it is no address file).
ApplyResult ApplyQuery(data::TXbEngine& engine, QueryVars& vars, QString& queryString,
                       const QString& globalTagId);

// The records a printing or utility dialog works on.
enum class RecordSelection { AllRecords, MatchingFilter, CurrentRecord };

// "All records", "Records matching filter", "Only current record".
QString RecordSelectionCaption(RecordSelection selection);

// The query for a selection: every record not deleted, those matching queryString (every
// record not deleted when it is empty), or only the record with the number currentRecord.
QString SelectionQuery(RecordSelection selection, const QString& queryString,
                       unsigned currentRecord);

// Makes SelectionQuery(...) the query of the engine's table.
void SetSelectionQuery(data::TXbEngine& engine, RecordSelection selection,
                       const QString& queryString, unsigned currentRecord);

} // namespace selection
