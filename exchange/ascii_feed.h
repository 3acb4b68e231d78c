#pragma once

#include "exchange/csv_reader.h"
#include "exchange/import_pass.h"

#include <utility>
#include <vector>

namespace exchange {

// The records of a comma-separated file for the import: one a line (a record, with RFC 4180
// quoting), each padded with empty fields up to the column count; only matched columns are
// read, each into its address field.
class AsciiFeed : public ImportFeed {
public:
    // `matches` pairs a column (from 0) with the name of the address field it feeds.
    AsciiFeed(std::string path, TextEncoding encoding, CsvQuoting quoting, int columnCount,
              std::vector<std::pair<int, QString>> matches);

    QStringList targets() const override;
    void rewind() override;
    bool next(ImportRecord& record) override;
    bool nextToCheck(ImportRecord& record) override;
    bool canReadAhead() const override { return true; }
    QString whereName() const override { return "line"; }

private:
    // The values of the record read, for the matched columns.
    void take(ImportRecord& record);

    std::string path_;
    CsvReader reader_;
    int columnCount_;
    std::vector<std::pair<int, QString>> matches_;
    CsvRecord record_;
};

} // namespace exchange
