#include "utilities/record_deletion.h"

#include "data/address_file.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"

namespace utilities {

QString DeleteQuery(DeleteScope scope, const QString& filter) {
    if (filter.isEmpty() || scope == DeleteScope::AllRecords)
        return {};
    if (scope == DeleteScope::OutsideFilter)
        return ".not.(" + filter + ")";
    return filter;
}

DeleteResult RunDeleteRecords(data::TTable& table, data::TXbEngine& engine, DeleteScope scope,
                              const QString& filter, const PassStep& step) {
    DeleteResult result;
    data::TXbEnv& env = data::TXbEnv::instance();
    const bool hidden = env.Deleted;
    struct Restore {
        data::TTable& table;
        bool hidden;
        ~Restore() {
            data::TXbEnv::instance().Deleted = hidden;
            table.applySettings();
        }
    } restore{table, hidden};
    env.Deleted = false;
    table.applySettings();
    engine.setQuery(DeleteQuery(scope, filter));
    PassState state{0, engine.queryRecCount(), 0};

    if (scope == DeleteScope::AllRecords) {
        const unsigned count = table.recordCount();
        engine.zap();
        table.flush();
        for (unsigned recno = 1; recno <= count; ++recno)
            result.records << recno;
        result.deleted = count;
        return result;
    }

    data::BulkWrite bulk(table);
    for (table.first(); !table.eof();) {
        const unsigned recno = table.recordNumber();
        data::SoftDeleteRecord(table);
        ++result.deleted;
        result.records << recno;
        state.done = state.found = result.deleted;
        table.next();
        if (step && !step(state)) {
            result.stopped = true;
            break;
        }
    }
    bulk.finish();
    return result;
}

} // namespace utilities
