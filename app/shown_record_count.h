#pragma once

#include <QString>

#include <optional>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

// The number of records the address table's query admits, as the status line shows it.
// Counting reads every record, so the number is counted once after a change of the query or of
// the file and reused until the next one. A new query text, another file or a different number
// of records in the file is noticed here; a change that leaves all three alike (a post, a
// deletion mark, a new tag id) is told with forget().
class ShownRecordCount {
public:
    void forget() { known_.reset(); }
    // The query's matches were just counted elsewhere (a filter was applied).
    void take(unsigned count, data::TTable& table, data::TXbEngine& engine);
    // The count, counted when it is not known; 0 when the table cannot count.
    unsigned value(data::TTable& table, data::TXbEngine& engine);
    // How many times the records were counted here.
    int countsTaken() const { return countsTaken_; }

private:
    struct Known {
        unsigned count = 0;
        QString file;
        QString query;
        unsigned records = 0;
    };
    static Known describe(data::TTable& table, data::TXbEngine& engine);

    std::optional<Known> known_;
    int countsTaken_ = 0;
};
