#pragma once

#include "utilities/pass_progress.h"

#include <QList>
#include <QString>

#include <array>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace utilities {

// The fields search and replace offers, with their display names, in the order of its list.
struct ReplaceField {
    const char* displayName;
    const char* field;
};
const std::array<ReplaceField, 18>& ReplaceFields();
// The entry of a field name or display name (any letter case); nullptr when there is none.
const ReplaceField* FindReplaceField(const QString& name);

// How a record's field is compared with the search value: the whole value as the table
// delivers it, its first characters (as many as the search value has), or any part of it. An
// empty search value finds empty fields under every comparison.
enum class FindMatch { Exact, BeginsWith, Contains };
// Whether the whole field gets the replacement, or only each occurrence of the search value.
enum class ReplaceMode { WholeField, MatchingText };

struct ReplaceOptions {
    QString field;       // "LNAME"
    QString displayName; // "Last Name"
    FindMatch match = FindMatch::Exact;
    QString find;
    bool caseSensitive = true;
    ReplaceMode mode = ReplaceMode::WholeField;
    QString with;
};

// The question asked before the pass ("Find records where field ..." with the condition and
// the action).
QString ReplaceConfirmation(const ReplaceOptions& options);

// The text as a string constant of the engine's expressions, whatever characters it holds:
// in double quotes, else (it holds one) in single quotes, else in square brackets, else as a
// sum of constants each delimited by a character it does not hold. The engine reads back
// exactly the text given, so a quote in a search value neither breaks the expression nor
// widens or narrows what it finds.
QString StringConstant(const QString& text);

// The engine expression that is true for the records whose field the search value finds.
QString ReplaceTestExpression(const ReplaceOptions& options);

// The value a found field gets: the replacement, or the field's value with each occurrence of
// the search value (compared exactly, or both sides in ASCII capitals) replaced, scanning from
// the left, at most MaxReplacements of them; the rest of the value follows unchanged.
inline constexpr int MaxReplacements = 50;
QString ReplacedValue(const ReplaceOptions& options, const QString& value);

struct ReplaceResult {
    unsigned replaced = 0;
    QList<unsigned> records; // in record order
    bool stopped = false;
};

// Replaces in every record the query admits: the filter expression alone when filterOnly and a
// filter is set, else every record. Walks in record order, so that changed values move no
// record, with marked records visible but passed over; the controlling order and the deleted
// setting are restored afterwards and the query is left as the pass set it. The pass is one
// bulk write pushed to the disk at its end; a stop after a record leaves the records after it
// untouched. An expression the engine cannot take (a character outside the table's code page)
// fails before any record changes.
ReplaceResult RunSearchAndReplace(data::TTable& table, data::TXbEngine& engine,
                                  const ReplaceOptions& options, const QString& filter,
                                  bool filterOnly, const PassStep& step = {});

} // namespace utilities
