#include "app/shown_record_count.h"

#include "data/table_object.h"
#include "data/xb_engine.h"

ShownRecordCount::Known ShownRecordCount::describe(data::TTable& table, data::TXbEngine& engine) {
    Known known;
    known.file = table.path();
    known.query = engine.queryText();
    known.records = table.recordCount();
    return known;
}

void ShownRecordCount::take(unsigned count, data::TTable& table, data::TXbEngine& engine) {
    known_ = describe(table, engine);
    known_->count = count;
}

unsigned ShownRecordCount::value(data::TTable& table, data::TXbEngine& engine) {
    Known now = describe(table, engine);
    if (known_ && known_->file == now.file && known_->query == now.query &&
        known_->records == now.records)
        return known_->count;
    ++countsTaken_;
    try {
        now.count = engine.queryRecCount();
    } catch (const std::exception&) {
        known_.reset();
        return 0;
    }
    known_ = now;
    return now.count;
}
