#pragma once

#include <string>
#include <string_view>

namespace xbase {

enum class DateFormat { American, Ansi, British, French, German, Italian, Spanish };

/// The settings that change how a table navigates, compares and shows dates.
struct Settings {
    bool exact = false;    // off: string = compares only as far as the right operand
    bool softSeek = false; // on: a failed seek stops on the next greater key
    bool deleted = false;  // on: records with the deletion mark are skipped
    bool century = false;  // on: dates show four-digit years
    DateFormat dateFormat = DateFormat::American;
};

/// The date pattern of the settings, such as "mm/dd/yyyy" or "dd.mm.yy".
std::string datePattern(const Settings& settings);
/// Shows an eight-digit date ("19970428") in the settings' pattern; blank or
/// invalid dates give an empty string.
std::string formatDate(std::string_view yyyymmdd, const Settings& settings);

} // namespace xbase
