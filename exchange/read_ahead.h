#pragma once

#include "exchange/import_pass.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace exchange {

// Reads a feed's records on a second thread, a batch ahead of the import that writes them, so
// that reading and cutting lines overlaps with appending. Only for feeds that touch nothing but
// their own file (ImportFeed::canReadAhead). A read error reaches the caller of next() after
// the records read before it. Destroying the object stops the reading.
class ReadAhead {
public:
    explicit ReadAhead(ImportFeed& feed);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next record; false at the end. Throws what the feed threw.
    bool next(ImportRecord& record);

private:
    void read();

    static constexpr std::size_t batchSize = 512;
    static constexpr std::size_t batchesAhead = 4;

    ImportFeed& feed_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<ImportRecord>> ready_;
    // Batches handed out before: read into again, their strings keep their room.
    std::vector<std::vector<ImportRecord>> spare_;
    std::vector<ImportRecord> current_;
    std::size_t position_ = 0;
    bool ended_ = false;
    bool stop_ = false;
    std::exception_ptr failure_;
    std::thread reader_;
};

} // namespace exchange
