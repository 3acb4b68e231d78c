#include "exchange/ascii_feed.h"

namespace exchange {

AsciiFeed::AsciiFeed(std::string path, TextEncoding encoding, CsvQuoting quoting, int columnCount,
                     std::vector<std::pair<int, QString>> matches)
    : path_(path), reader_(std::move(path), encoding, quoting), columnCount_(columnCount),
      matches_(std::move(matches)) {}

QStringList AsciiFeed::targets() const {
    QStringList names;
    for (const auto& [column, field] : matches_)
        names << field;
    return names;
}

void AsciiFeed::rewind() {
    if (!reader_.rewind())
        throw ImportReadError("cannot open " + path_);
}

bool AsciiFeed::next(ImportRecord& record) {
    if (!reader_.next(record_)) {
        if (reader_.failed())
            throw ImportReadError("cannot read " + path_ + " after line " +
                                  std::to_string(record_.line));
        return false;
    }
    take(record);
    return true;
}

void AsciiFeed::take(ImportRecord& record) {
    record.where = record_.line;
    record.values.resize(matches_.size());
    for (std::size_t i = 0; i < matches_.size(); ++i) {
        const int column = matches_[i].first;
        // Columns past the first line's count are ignored; missing ones stay blank. The
        // strings change places, so that both lists keep their room for the next line.
        if (column < columnCount_ && column < int(record_.fields.size()))
            record.values[i].swap(record_.fields[std::size_t(column)]);
        else
            record.values[i].clear();
    }
}

bool AsciiFeed::nextToCheck(ImportRecord& record) {
    if (reader_.quoting() != CsvQuoting::Plain)
        return next(record);
    bool ascii = false;
    if (!reader_.nextLine(record.where, ascii)) {
        if (reader_.failed())
            throw ImportReadError("cannot read " + path_ + " after line " +
                                  std::to_string(record.where));
        return false;
    }
    record.values.clear();
    if (ascii)
        return true;
    // A line with other characters is cut into its values to check them.
    reader_.splitLine(record_);
    take(record);
    return true;
}

} // namespace exchange
