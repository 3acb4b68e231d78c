// Applying a filter of three criteria to an address file of 100,000 records: the expression is
// built, made the table's query and its matches counted, as the filter dialog's "Test" does.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "select/apply_query.h"
#include "xbase/table.h"

#include <QString>

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

namespace {

constexpr std::uint32_t RecordCount = 100000;

const char* const lastNames[] = {"Smith",  "Smythe", "Jones", "Brown",  "Miller", "Davis",
                                 "Garcia", "Wilson", "Moore", "Taylor", "Small",  "Anderson"};
const char* const cities[] = {"Boston", "Baltimore", "Chicago", "Denver",
                              "Berlin", "Austin",    "Vienna",  "Bristol"};

std::string word(std::mt19937& random, std::size_t length) {
    std::string w(1, char('A' + random() % 26));
    for (std::size_t i = 1; i < length; ++i)
        w += char('a' + random() % 26);
    return w;
}

// Writes the records straight through the engine; the 26 tags are built afterwards.
void writeAddressFile(const std::filesystem::path& path) {
    xbase::Table table = xbase::Table::create(path, data::EngineFields(data::AddressFields()));
    const xbase::Structure& s = table.structure();
    std::mt19937 random(7);
    std::string record(s.recordLength(), ' ');
    for (std::uint32_t r = 0; r < RecordCount; ++r) {
        std::fill(record.begin(), record.end(), ' ');
        for (const xbase::Field& f : s.fields()) {
            if (f.type == 'M')
                continue;
            if (f.name == "ISDEL") {
                record[f.offset] = random() % 20 ? 'F' : 'T';
                continue;
            }
            std::string value;
            if (f.name == "LNAME")
                value = lastNames[random() % std::size(lastNames)];
            else if (f.name == "CITY")
                value = cities[random() % std::size(cities)];
            else if (f.name == "CODES")
                for (char c = 'A'; c <= 'F'; ++c) {
                    if (random() % 3 == 0)
                        value.push_back(c);
                }
            else if (f.name == "DATE")
                value = std::to_string(19500101 + random() % 500000);
            else
                value = word(random, std::min<std::size_t>(f.width, 3 + random() % 10));
            std::memcpy(record.data() + f.offset, value.data(),
                        std::min<std::size_t>(value.size(), f.width));
        }
        table.appendRecord(record);
    }
    table.close();
}

struct AddressFile {
    AddressFile() {
        folder = std::filesystem::temp_directory_path() / "corvane_filter_bench";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const auto path = folder / "ADD0001.DBF";
        writeAddressFile(path);
        if (!data::OpenAddressTable(QString::fromStdString(path.string()), table))
            throw std::runtime_error("the bench address file does not open");
        source.setDataSet(&table);
        engine.DataSource = &source;
        if (!data::BuildAddressIndexes(table, engine))
            throw std::runtime_error("the bench indexes cannot be built");
    }
    ~AddressFile() {
        table.close();
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

void BM_ApplyThreeCriteria(benchmark::State& state) {
    static AddressFile file;
    selection::ApplyResult result;
    for (auto _ : state) {
        selection::QueryVars vars;
        vars[selection::Criterion::LastName] = "sm";
        vars[selection::Criterion::City] = "b;v";
        vars[selection::Criterion::Codes] = "$C";
        QString queryString;
        result = selection::ApplyQuery(file.engine, vars, queryString, {});
        benchmark::DoNotOptimize(result.count);
    }
    state.counters["matches"] = result.count;
}
BENCHMARK(BM_ApplyThreeCriteria)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
