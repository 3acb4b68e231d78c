#include "utilities/work_index.h"

#include "data/data_source.h"
#include "data/engine_cursor.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/program_dir.h"

#include <QFile>

#include <cstdint>

namespace utilities {

QString DupWorkIndexPath() {
    return platform::ProgramDir() + "_chkdup.idx";
}

QString StateZipWorkIndexPath(const data::TTable& addressTable) {
    return platform::WithFinalSeparator(addressTable.folder) + "_chksz.idx";
}

int CreateWorkIndex(data::TXbEngine& engine, const QString& path, const QString& key) {
    // A file left behind by a run that could not clean up is made anew.
    engine.indexTag(path, {}, key, 2);
    return engine.indexOrd();
}

void RemoveWorkIndex(data::TXbEngine& engine, const QString& path) {
    try {
        if (engine.DataSource && engine.DataSource->dataSet() &&
            engine.DataSource->dataSet()->active())
            engine.closeIndex(path);
    } catch (const std::exception&) {
        // The file goes all the same.
    }
    QFile::remove(path);
}

QList<unsigned> RecordsInOrder(data::TTable& table) {
    QList<unsigned> records;
    std::uint64_t moves = 0;
    data::TEngineCursor cursor(table, moves);
    for (cursor.top(); !cursor.eof(); cursor.skip(1))
        records << cursor.recno();
    return records;
}

} // namespace utilities
