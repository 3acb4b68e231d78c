// What pushing posted records to the disk costs: an interactive post on an address file with
// its 26 tags, flushed or not, and a bulk append of 100,000 records with its one flush at the
// end. The disk's own sync time dominates, so the figures are wall-clock.
#include "data/address_file.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <chrono>

namespace {

// An address file with its 26 tags and `records` records, open in `table`.
class AddressFile {
public:
    explicit AddressFile(int records) {
        platform::SetProgramDir(home.path());
        source.setDataSet(&table);
        engine.DataSource = &source;
        const QString path = home.path() + "/ADD0001.DBF";
        data::CreateAddressFile(path, table, engine);
        table.exclusive = true;
        data::OpenAddressTable(path, table);
        data::BulkWrite bulk(table);
        for (int i = 0; i < records; ++i)
            add(i);
    }
    void add(int i) {
        table.insert();
        table.setFieldText("LNAME", "Name " + QString::number(i % 977));
        table.setFieldText("FNAME", "First " + QString::number(i % 31));
        table.setFieldText("CITY", "City " + QString::number(i % 101));
        table.setFieldText("ZIP", QString::number(10000 + i % 89999));
        table.post();
    }

    QTemporaryDir home;
    platform::ScriptedDialogs dialogs;
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

void editOne(data::TTable& table, int i) {
    table.edit();
    table.setFieldText("CITY", "Edited " + QString::number(i));
    table.post();
}

void BM_InteractivePostFlushed(benchmark::State& state) {
    AddressFile file(1000);
    int i = 0;
    for (auto _ : state)
        editOne(file.table, i++);
}
BENCHMARK(BM_InteractivePostFlushed)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_InteractivePostUnflushed(benchmark::State& state) {
    AddressFile file(1000);
    data::BulkWrite bulk(file.table);
    int i = 0;
    for (auto _ : state)
        editOne(file.table, i++);
}
BENCHMARK(BM_InteractivePostUnflushed)->Unit(benchmark::kMillisecond)->Iterations(200);

// 100,000 records appended as a bulk run, with the one flush at its end timed on its own.
void BM_BulkAppend100k(benchmark::State& state) {
    for (auto _ : state) {
        AddressFile file(0);
        file.table.beginBulk();
        for (int i = 0; i < 100000; ++i)
            file.add(i);
        const auto before = std::chrono::steady_clock::now();
        file.table.endBulk();
        const auto after = std::chrono::steady_clock::now();
        state.counters["final_flush_ms"] =
            std::chrono::duration<double, std::milli>(after - before).count();
    }
}
BENCHMARK(BM_BulkAppend100k)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
