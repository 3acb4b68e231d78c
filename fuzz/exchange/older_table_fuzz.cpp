// Opens arbitrary bytes as a table to import, as the DBF import and the older version's import
// do: no crash and no hang, whatever the header, fields and records claim; a table that opens is
// matched automatically and read through, every value checked against an address file.
#include "data/address_file.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "exchange/import_pass.h"
#include "exchange/table_source.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// An empty address file, made once, that the values are checked against.
struct Destination {
    Destination() {
        platform::SetProgramDir(folder.path());
        source.setDataSet(&table);
        engine.DataSource = &source;
        const QString path = folder.path() + "/ADD0001.DBF";
        if (!data::CreateAddressFile(path, table, engine) || !data::OpenAddressTable(path, table))
            std::abort();
    }
    QTemporaryDir folder;
    platform::ScriptedDialogs dialogs;
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Destination destination;
    const QString path = destination.folder.path() + "/OLD.DBF";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    exchange::ImportSource source;
    if (source.open(path) != exchange::ImportSource::Opened::Ok)
        return 0;
    const QList<data::FieldInfo> fields = source.fields();
    std::vector<exchange::TableMatch> matches;
    if (exchange::IsCorvane1xTable(fields)) {
        matches = exchange::Corvane1xMatches(fields);
    } else {
        const std::vector<QString> automatic =
            exchange::AutoMatchTableFields(fields, destination.table);
        for (int i = 0; i < int(automatic.size()); ++i)
            if (!automatic[std::size_t(i)].isEmpty())
                matches.push_back({i, automatic[std::size_t(i)]});
    }
    exchange::TableFeed feed(source, matches, "mm/dd/yyyy");
    const exchange::ImportCheck check = exchange::CheckImport(feed, destination.table);
    if (check.problems.size() > check.problemCount)
        std::abort();
    return 0;
}
