#include "exchange/read_ahead.h"

namespace exchange {

ReadAhead::ReadAhead(ImportFeed& feed) : feed_(feed), reader_([this] { read(); }) {}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

void ReadAhead::read() {
    std::vector<ImportRecord> batch;
    std::size_t filled = 0;
    try {
        for (;;) {
            batch.resize(batchSize);
            filled = 0;
            while (filled < batchSize && feed_.next(batch[filled]))
                ++filled;
            batch.resize(filled);
            const bool last = filled < batchSize;
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || ready_.size() < batchesAhead; });
            if (stop_)
                return;
            if (!batch.empty())
                ready_.push_back(std::move(batch));
            batch = {};
            if (!spare_.empty()) {
                batch = std::move(spare_.back());
                spare_.pop_back();
            }
            filled = 0;
            ended_ = last;
            changed_.notify_all();
            if (last)
                return;
        }
    } catch (...) {
        batch.resize(filled); // the records read before the failure come first
        std::lock_guard lock(mutex_);
        if (!batch.empty())
            ready_.push_back(std::move(batch));
        failure_ = std::current_exception();
        ended_ = true;
        changed_.notify_all();
    }
}

bool ReadAhead::next(ImportRecord& record) {
    if (position_ >= current_.size()) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty() || ended_; });
        if (ready_.empty()) {
            if (failure_)
                std::rethrow_exception(failure_);
            return false;
        }
        if (!current_.empty())
            spare_.push_back(std::move(current_));
        current_ = std::move(ready_.front());
        ready_.pop_front();
        position_ = 0;
        changed_.notify_all();
    }
    std::swap(record, current_[position_++]);
    return true;
}

} // namespace exchange
