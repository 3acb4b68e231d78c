#pragma once

#include <QString>

#include <array>
#include <cstddef>

namespace selection {

inline constexpr std::size_t CriterionCount = 18;

// The criteria in the order of the filter dialog's boxes and of the lines of a filter file.
enum class Criterion : std::size_t {
    LastName,
    FirstName,
    Title,
    Organization,
    Address1,
    Address2,
    Zip,
    City,
    State,
    Country,
    Phone1,
    Phone2,
    Fax,
    Email,
    Date,
    Codes,
    Comment1,
    Comment2,
};

struct CriterionInfo {
    const char* boxName;     // object name of the filter dialog's box: "qLName", ...
    const char* expression;  // what the criterion compares: "LNAME", ..., "CITY+STATE"
    const char* mirrorField; // the address field whose main-window box the filter box mirrors
    bool onNamePanel;        // the box sits on the main window's name panel, not the address page
};

// One row per criterion, in box and file order.
const std::array<CriterionInfo, CriterionCount>& Criteria();
const CriterionInfo& InfoOf(Criterion criterion);

// The criteria (text as typed) and the flag "tagged only". The expression built from them is
// kept by the caller (QueryString).
struct QueryVars {
    std::array<QString, CriterionCount> values;
    bool tagged = false;

    QString& operator[](Criterion c) { return values[std::size_t(c)]; }
    const QString& operator[](Criterion c) const { return values[std::size_t(c)]; }
    bool operator==(const QueryVars&) const = default;
};

// Empties the 18 criteria and the flag.
void ClearQueryVars(QueryVars& vars);

// The expression of one criterion text for a field expression. A text holding ";" is split
// there into alternatives (.or.), else at "+" into terms that must all hold (.and.), else at "^"
// into terms whose second and later must not hold (.and..not.); each part may split again at a
// weaker separator, and empty parts are kept. A part may start with ">=", ">", "<=", "<" or
// "$" (contained in); after such a prefix at most 99 characters are used. The value is put in
// upper case as the engine's UPPER() does, so that both sides compare alike.
QString BuildFieldCriterion(const QString& field, const QString& text);

// The filter expression of the criteria: every criterion that is not blank, in the build order
// (the name and address fields, comment 1, comment 2, date, codes), joined by " and ", then the
// term for the tag id when "tagged only" is set. Empty when nothing is set.
QString BuildQueryString(const QueryVars& vars, const QString& globalTagId);

} // namespace selection
