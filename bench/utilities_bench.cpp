// The checks of the maintenance utilities over 1,000,000 address records: the duplicates pass
// (by name and by street) and the state and ZIP check against the shipped CSZ.DBF. Each run
// makes its work index, walks every record and lists what it found, as the dialogs do.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/data_source.h"
#include "data/shipped_tables.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "platform/program_dir.h"
#include "utilities/duplicates.h"
#include "utilities/state_zip.h"
#include "utilities/work_index.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int recordCount = 1000000;

const char* const states[] = {"NY", "CA", "TX", "MA", "VA", "WA", "IL", "FL"};
const char* const zips[] = {"10001", "90210", "75001", "02134", "22030", "98101", "60601", "33101"};

// An address file of synthetic records with the tags the duplicates check walks, and CSZ.DBF in the
// program's folder, made once per run. About one record in a hundred repeats the name of the
// one before it, and one in two hundred has a ZIP outside its state. Streets repeat every 9,973
// people, so the street check lists nearly every record: the most keys a check can gather.
class UtilitiesFile {
public:
    static UtilitiesFile& instance() {
        static UtilitiesFile file;
        return file;
    }
    QString path() const { return path_; }

private:
    UtilitiesFile() {
        platform::SetProgramDir(folder_.path());
        QFile shipped(CORVANE_STATE_ZIP_CSV);
        shipped.open(QIODevice::ReadOnly);
        data::InstallStateZipTable(shipped.readAll());
        path_ = folder_.path() + "/ADD0001.DBF";
        xbase::Table table =
            xbase::Table::create(path_.toStdString(), data::EngineFields(data::AddressFields()));
        for (int i = 0; i < recordCount; ++i) {
            const int person = i % 100 == 1 ? i - 1 : i;
            const int place = i % 8;
            table.appendBlank();
            table.setText("LNAME", "Name" + std::to_string(person % 250007));
            table.setText("FNAME", "First" + std::to_string(person % 1013));
            table.setText("STREET", std::to_string(person % 9973) + " Main Street");
            table.setText("STATE", states[place]);
            table.setText("ZIP", i % 200 == 7 ? "99999" : zips[place]);
            table.setLogical("ISDEL", i % 500 == 3);
            table.post();
        }
        xbase::TableIndexes indexes(table);
        for (const data::TagSpec& tag : data::AddressTags())
            if (std::string(tag.name) == "NAME" || std::string(tag.name) == "STREET")
                indexes.indexTag({}, tag.name, tag.key);
        indexes.close();
        table.close();
    }

    QTemporaryDir folder_;
    QString path_;
};

// The address table as the main window hands it to the checks: query "!ISDEL".
struct OpenAddress {
    OpenAddress() {
        data::TXbEnv::instance().Deleted = true;
        source.setDataSet(&table);
        engine.DataSource = &source;
        table.exclusive = true;
        data::OpenAddressTable(UtilitiesFile::instance().path(), table);
        engine.setQuery("!ISDEL");
    }
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

void BM_DuplicatesCheck(benchmark::State& state) {
    OpenAddress address;
    const auto kind = utilities::DupKind(state.range(0));
    unsigned found = 0;
    for (auto _ : state) {
        found = utilities::RunDupCheck(address.table, address.engine, kind, 10,
                                       utilities::DupWorkIndexPath())
                    .matches;
        state.PauseTiming();
        utilities::RemoveWorkIndex(address.engine, utilities::DupWorkIndexPath());
        state.ResumeTiming();
    }
    state.counters["records"] = recordCount;
    state.counters["found"] = found;
}

void BM_StateZipCheck(benchmark::State& state) {
    OpenAddress address;
    data::TTable csz;
    data::TDataSource cszSource;
    data::TXbEngine cszEngine;
    cszSource.setDataSet(&csz);
    cszEngine.DataSource = &cszSource;
    utilities::OpenStateZipForCheck(csz, cszEngine);
    const QString work = utilities::StateZipWorkIndexPath(address.table);
    unsigned found = 0;
    for (auto _ : state) {
        found = utilities::RunStateZipCheck(address.table, address.engine, cszEngine,
                                            state.range(0) != 0, work)
                    .found;
        state.PauseTiming();
        utilities::RemoveWorkIndex(address.engine, work);
        state.ResumeTiming();
    }
    state.counters["records"] = recordCount;
    state.counters["found"] = found;
}

} // namespace

BENCHMARK(BM_DuplicatesCheck)
    ->Arg(int(utilities::DupKind::LastFirst))
    ->Arg(int(utilities::DupKind::Street))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_StateZipCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
