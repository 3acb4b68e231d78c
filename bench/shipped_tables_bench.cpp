// What the first start pays for the shipped reference tables: reading their rows from the
// resources and building each table, the US ZIP code table (42,555 rows and its tag ZIP) above
// all; and what one ZIP lookup costs when a record is added. The disk's sync is part of the
// build, so the figures are wall-clock.
#include "data/shipped_tables.h"
#include "data/zip_city_table.h"
#include "platform/program_dir.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>

namespace {

QByteArray resourceText(const char* name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything the first start does for the ZIP table, with the time of each step.
void BM_FirstStartZipTable(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    };
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        platform::SetProgramDir(home.path());
        state.ResumeTiming();
        const auto start = Clock::now();
        const QByteArray csv = resourceText(":/data/us-zip-cities.csv");
        const auto read = Clock::now();
        std::size_t rows = 0;
        data::ReadCsvRows(std::string_view(csv.constData(), csv.size()),
                          [&rows](std::span<const std::string>) { ++rows; });
        const auto parsed = Clock::now();
        if (!data::InstallZipCityTable(csv) || rows != 42556)
            state.SkipWithError("the ZIP table was not made");
        const auto built = Clock::now();
        state.counters["read_ms"] = ms(start, read);
        state.counters["csv_ms"] = ms(read, parsed);
        // The install parses the rows again itself.
        state.counters["install_ms"] = ms(parsed, built);
    }
}
BENCHMARK(BM_FirstStartZipTable)->Unit(benchmark::kMillisecond)->Iterations(10);

// The three shipped tables, as the first start makes them.
void BM_FirstStartAllShippedTables(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        platform::SetProgramDir(home.path());
        state.ResumeTiming();
        const bool made = data::InstallLabelStockTable(resourceText(":/data/label-stock.csv")) &&
                          data::InstallStateZipTable(resourceText(":/data/state-zip.csv")) &&
                          data::InstallZipCityTable(resourceText(":/data/us-zip-cities.csv"));
        if (!made)
            state.SkipWithError("a shipped table was not made");
    }
}
BENCHMARK(BM_FirstStartAllShippedTables)->Unit(benchmark::kMillisecond)->Iterations(10);

// One lookup as adding a record makes it: the table opened, one ZIP sought, the table closed.
void BM_ZipLookupOnAdding(benchmark::State& state) {
    QTemporaryDir home;
    platform::SetProgramDir(home.path());
    data::InstallZipCityTable(resourceText(":/data/us-zip-cities.csv"));
    for (auto _ : state) {
        data::ZipCityTable table;
        if (!table.open().isEmpty() || !table.find("62704"))
            state.SkipWithError("62704 was not found");
    }
}
BENCHMARK(BM_ZipLookupOnAdding)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    Q_INIT_RESOURCE(resources);
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
