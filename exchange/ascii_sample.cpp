#include "exchange/ascii_sample.h"

#include <algorithm>

namespace exchange {

QString AsciiColumnName(int index) {
    return "Field " + QString::number(index + 1);
}

AsciiSample SampleAsciiFile(const std::string& path, TextEncoding encoding, CsvQuoting quoting,
                            int lines) {
    AsciiSample sample;
    CsvReader reader(path, encoding, quoting);
    if (!reader.rewind()) {
        sample.readFailed = true;
        return sample;
    }
    CsvRecord record;
    while (int(sample.rows.size()) < lines && reader.next(record)) {
        if (sample.rows.empty())
            sample.columns.resize(std::min<std::size_t>(record.fields.size(), MaxAsciiColumns));
        for (std::size_t i = 0; i < record.fields.size() && i < sample.columns.size(); ++i) {
            AsciiColumn& column = sample.columns[i];
            if (column.name.isEmpty())
                column.name = AsciiColumnName(int(i));
            column.longest = std::max(column.longest, int(Utf8Length(record.fields[i])));
        }
        sample.rows.push_back(std::move(record.fields));
    }
    sample.readFailed = reader.failed();
    return sample;
}

TextFileGuess GuessTextFile(const std::string& path) {
    constexpr std::size_t headLimit = 4 << 20;
    const std::string head = ReadHead(path, headLimit);
    TextFileGuess guess;
    guess.encoding = DetectEncoding(head, head.size() < headLimit);
    TextLineReader reader(path, guess.encoding);
    std::vector<std::string> lines;
    std::string line;
    if (reader.rewind())
        while (lines.size() < 50 && reader.next(line))
            lines.push_back(line);
    guess.quoting = LooksLikeRfc4180(lines) ? CsvQuoting::Rfc4180 : CsvQuoting::Plain;
    return guess;
}

} // namespace exchange
