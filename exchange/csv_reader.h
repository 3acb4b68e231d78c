#pragma once

#include "exchange/text_lines.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// How double quotes are read in a comma-separated file.
enum class CsvQuoting {
    // The program's own rule: a comma between quotes belongs to its field, a field that begins
    // and ends with a double quote loses those two, and nothing else is unquoted (two double
    // quotes in a row stay two). One line is one record.
    Plain,
    // RFC 4180, as spreadsheets write: a quoted field may hold commas, line breaks and doubled
    // double quotes, which stand for one.
    Rfc4180,
};

// Splits one line at its commas by the program's quote rule, without unquoting: a comma
// between quotes belongs to its field. An empty line gives one empty field; a line ending in
// a comma gives an empty last field.
std::vector<std::string> SplitPlainLine(std::string_view line);
// The same into a list that is reused from line to line (its strings keep their room), each
// field unquoted when asked.
void SplitPlainLine(std::string_view line, std::vector<std::string>& fields, bool unquote);
// Removes a leading and a trailing double quote when the value begins and ends with one.
std::string UnquotePlain(std::string_view value);

// One record of a comma-separated file: its fields, unquoted, and the line it starts on.
struct CsvRecord {
    unsigned line = 0;
    std::vector<std::string> fields;
};

// The records of a comma-separated text file.
class CsvReader {
public:
    CsvReader(std::string path, TextEncoding encoding, CsvQuoting quoting);

    // Starts again at the first record; false when the file cannot be opened.
    bool rewind();
    // The next record; false at the end or after a read error (failed()).
    bool next(CsvRecord& record);
    // With the program's own quoting, where a line is a record: the next line unread, with its
    // number and whether it is plain ASCII.
    bool nextLine(unsigned& lineNumber, bool& ascii);
    // The fields of the line nextLine() read.
    void splitLine(CsvRecord& record);
    bool failed() const { return lines_.failed(); }
    CsvQuoting quoting() const { return quoting_; }

private:
    TextLineReader lines_;
    CsvQuoting quoting_;
    std::string line_;
};

// Reads one RFC 4180 record from its first line; `more` gives the following line when a quoted
// field goes on past a line's end (false: the file ended inside the quotes, and the field ends
// there). Answers whether a quoted field held a doubled double quote or a line break.
bool ParseRfc4180Record(std::string_view firstLine, const std::function<bool(std::string&)>& more,
                        std::vector<std::string>& fields);

// Whether sample lines read as RFC 4180 differ from the program's own rule: a doubled double
// quote inside a quoted field, or a quoted field that goes on past its line.
bool LooksLikeRfc4180(const std::vector<std::string>& lines);

} // namespace exchange
