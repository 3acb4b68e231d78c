#include "exchange/csv_reader.h"

#include <algorithm>

namespace exchange {

void SplitPlainLine(std::string_view line, std::vector<std::string>& fields, bool unquote) {
    std::size_t count = 0;
    auto put = [&](std::size_t start, std::size_t end) {
        std::string_view value = line.substr(start, end - start);
        if (unquote && value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (count < fields.size())
            fields[count].assign(value);
        else
            fields.emplace_back(value);
        ++count;
    };
    // Which commas stand between quotes: from the first double quote on, a quote flips the
    // in-quotes flag unless the character before it is a quote too; such a second quote flips
    // it only while inside quotes and before a comma or the end of the line.
    const std::size_t first = line.find('"');
    bool inQuotes = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ',') {
            if (!inQuotes) {
                put(start, i);
                start = i + 1;
            }
        } else if (c == '"') {
            const bool afterQuote = i > first && line[i - 1] == '"';
            if (!afterQuote)
                inQuotes = !inQuotes;
            else if (inQuotes && (i + 1 == line.size() || line[i + 1] == ','))
                inQuotes = !inQuotes;
        }
    }
    put(start, line.size());
    fields.resize(count);
}

std::vector<std::string> SplitPlainLine(std::string_view line) {
    std::vector<std::string> fields;
    SplitPlainLine(line, fields, false);
    return fields;
}

std::string UnquotePlain(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool ParseRfc4180Record(std::string_view firstLine, const std::function<bool(std::string&)>& more,
                        std::vector<std::string>& fields) {
    fields.clear();
    bool special = false;
    std::string line(firstLine);
    std::string field;
    std::size_t i = 0;
    for (;;) {
        // At the start of a field.
        field.clear();
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    std::string following;
                    if (!more(following)) {
                        i = line.size();
                        break; // the file ended inside the quotes
                    }
                    special = true;
                    field += '\n';
                    line = std::move(following);
                    i = 0;
                    continue;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        special = true;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            // Whatever stands between the closing quote and the comma stays with the field.
            const std::size_t comma = line.find(',', i);
            field.append(line, i, comma == std::string::npos ? std::string::npos : comma - i);
            i = comma == std::string::npos ? line.size() : comma;
        } else {
            const std::size_t comma = line.find(',', i);
            field.append(line, i, comma == std::string::npos ? std::string::npos : comma - i);
            i = comma == std::string::npos ? line.size() : comma;
        }
        fields.push_back(std::move(field));
        if (i >= line.size())
            return special;
        ++i; // the comma
    }
}

bool LooksLikeRfc4180(const std::vector<std::string>& lines) {
    std::vector<std::string> fields;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::size_t next = n + 1;
        const bool special = ParseRfc4180Record(
            lines[n],
            [&](std::string& following) {
                if (next >= lines.size())
                    return false;
                following = lines[next++];
                return true;
            },
            fields);
        if (special)
            return true;
        n = next - 1;
    }
    return false;
}

CsvReader::CsvReader(std::string path, TextEncoding encoding, CsvQuoting quoting)
    : lines_(std::move(path), encoding), quoting_(quoting) {}

bool CsvReader::rewind() {
    return lines_.rewind();
}

bool CsvReader::nextLine(unsigned& lineNumber, bool& ascii) {
    if (!lines_.next(line_))
        return false;
    lineNumber = lines_.lineNumber();
    ascii = std::all_of(line_.begin(), line_.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return true;
}

void CsvReader::splitLine(CsvRecord& record) {
    record.line = lines_.lineNumber();
    SplitPlainLine(line_, record.fields, true);
}

bool CsvReader::next(CsvRecord& record) {
    if (!lines_.next(line_))
        return false;
    record.line = lines_.lineNumber();
    if (quoting_ == CsvQuoting::Rfc4180) {
        ParseRfc4180Record(
            line_, [this](std::string& following) { return lines_.next(following); },
            record.fields);
        return !lines_.failed();
    }
    SplitPlainLine(line_, record.fields, true);
    return true;
}

} // namespace exchange
