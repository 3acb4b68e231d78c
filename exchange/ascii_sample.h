#pragma once

#include "exchange/csv_reader.h"

#include <QString>

#include <string>
#include <vector>

namespace exchange {

// At most this many columns are taken from a comma-separated file; further fields are ignored.
inline constexpr int MaxAsciiColumns = 255;
// Lines read for the sample.
inline constexpr int AsciiSampleLines = 10;

// One column of a comma-separated file, from the sample.
struct AsciiColumn {
    QString name;    // "Field 1", "Field 2", ...
    int longest = 0; // characters of the longest sampled value
    QString matched; // display label of the address field it feeds; empty when none
};

// The first lines of a comma-separated file cut into columns.
struct AsciiSample {
    std::vector<AsciiColumn> columns; // as many as the first line has fields (at most 255)
    std::vector<std::vector<std::string>> rows; // the sampled records, unquoted
    bool readFailed = false;
};

// The name of a column: "Field " and its number from 1.
QString AsciiColumnName(int index);

// Reads up to `lines` records of the file.
AsciiSample SampleAsciiFile(const std::string& path, TextEncoding encoding, CsvQuoting quoting,
                            int lines = AsciiSampleLines);

// The encoding and quoting a file looks like, from its bytes (the first few megabytes) and its
// first lines.
struct TextFileGuess {
    TextEncoding encoding = TextEncoding::Utf8;
    CsvQuoting quoting = CsvQuoting::Plain;
};
TextFileGuess GuessTextFile(const std::string& path);

} // namespace exchange
