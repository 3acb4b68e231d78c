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
    record.where = record_.line;
    record.values.assign(matches_.size(), std::string());
    for (std::size_t i = 0; i < matches_.size(); ++i) {
        const int column = matches_[i].first;
        // Columns past the first line's count are ignored; missing ones stay blank.
        if (column < columnCount_ && column < int(record_.fields.size()))
            record.values[i] = std::move(record_.fields[std::size_t(column)]);
    }
    return true;
}

} // namespace exchange
