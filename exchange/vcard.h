#pragma once

#include "exchange/text_lines.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace exchange {

// One content line of a vCard: NAME;PARAM=VALUE:value, its value still escaped.
struct VCardProperty {
    std::string name;                                        // upper case, without a group
    std::vector<std::pair<std::string, std::string>> params; // names upper case
    std::string value; // quoted-printable already decoded, escapes kept
    // The lower-case types of TYPE parameters (also bare vCard 2.1 ones such as "FAX").
    std::vector<std::string> types() const;
    bool hasType(std::string_view type) const;
    std::string param(std::string_view name) const;
};

struct VCard {
    std::vector<VCardProperty> properties;
    unsigned line = 0; // the line its BEGIN:VCARD stands on
};

// The vCards of a text, card by card: lines folded with a blank or tab are joined, vCard 2.1
// quoted-printable values (with their soft line breaks and a CHARSET of UTF-8 or a Latin one)
// decoded; cards nested in a card and lines outside a card are skipped.
class VCardReader {
public:
    explicit VCardReader(TextLineReader& lines) : lines_(&lines) {}
    // The next card; false at the end (or a read error: see the line reader).
    bool next(VCard& card);

private:
    bool nextLogicalLine(std::string& line);
    TextLineReader* lines_;
    std::string pending_;
    bool havePending_ = false;
    unsigned pendingLine_ = 0;
};

// Parses one unfolded content line; false when it is none (no colon).
bool ParseVCardLine(std::string_view line, VCardProperty& property);
// A text value's escapes undone (\n \N \, \; \\).
std::string UnescapeVCardText(std::string_view value);
// A structured value cut at its unescaped separators, each part unescaped.
std::vector<std::string> SplitVCardValue(std::string_view value, char separator);
// A text value with \ , ; and line breaks escaped; `keepCommas` for list values.
std::string EscapeVCardText(std::string_view text, bool keepCommas = false);
// Content lines folded to 75 bytes (never inside a character), each ended by CR LF.
std::string FoldVCardLine(std::string_view line);

} // namespace exchange
