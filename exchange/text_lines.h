#pragma once

#include "exchange/text_encoding.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace exchange {

// The lines of a text file as UTF-8, read piece by piece. A line ends with CR LF, LF or CR;
// the end of the file ends the last line, and a file that ends with a line break has no empty
// line after it. A byte-order mark of the encoding at the start is skipped.
class TextLineReader {
public:
    TextLineReader(std::string path, TextEncoding encoding);
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // Opens the file (again) at its start; false when it cannot be opened.
    bool rewind();
    // The next line; false at the end of the file or after a read error (failed()).
    bool next(std::string& line);
    // The number of the line last read, from 1.
    unsigned lineNumber() const { return line_; }
    bool failed() const { return failed_; }

private:
    bool fill();

    std::string path_;
    TextEncoding encoding_;
    TextDecoder decoder_;
    std::FILE* file_ = nullptr;
    std::string text_; // decoded, not yet handed out
    std::size_t pos_ = 0;
    bool atEnd_ = false;
    bool skipLf_ = false; // a CR ended the last line: a LF right after it belongs to it
    bool failed_ = false;
    bool first_ = true;
    unsigned line_ = 0;
};

// Reads the first bytes of a file (at most `limit`); empty when it cannot be read.
std::string ReadHead(const std::string& path, std::size_t limit);

} // namespace exchange
