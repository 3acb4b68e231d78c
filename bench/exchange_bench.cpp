// Importing comma-separated lines into an address file with its 26 tags built afterwards,
// against SQLite's command-line .import of the same file plus the same 26 indexes, in the same
// run. Both write to the same disk; the figures are wall-clock.
#include "data/address_file.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "exchange/ascii_feed.h"
#include "exchange/copy_out.h"
#include "exchange/import_pass.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace {

std::filesystem::path folder() {
    const auto dir = std::filesystem::temp_directory_path() / "corvane_exchange_bench";
    std::filesystem::create_directories(dir);
    return dir;
}

std::string word(std::mt19937& random, std::size_t length) {
    std::string w(1, char('A' + random() % 26));
    for (std::size_t i = 1; i < length; ++i)
        w += char('a' + random() % 26);
    return w;
}

// `count` lines of the export's 20 fields, each quoted, made once per size.
std::filesystem::path csvFile(int count) {
    const auto path = folder() / ("lines" + std::to_string(count) + ".csv");
    if (std::filesystem::exists(path))
        return path;
    std::ofstream out(path, std::ios::binary);
    std::mt19937 random(7);
    const int widths[20] = {4, 12, 1,  14, 16, 18, 24, 10, 12, 2,
                            5, 8,  12, 12, 20, 12, 8,  14, 14, 3};
    for (int n = 0; n < count; ++n) {
        for (int f = 0; f < 20; ++f) {
            std::string value;
            if (f == 16)
                value = std::to_string(19500101 + random() % 500000);
            else if (random() % 4 != 0 || f == 3)
                value = word(random, 2 + random() % std::size_t(widths[f]));
            out << (f ? ",\"" : "\"") << value << '"';
        }
        out << "\r\n";
    }
    return path;
}

// The same keys as the address file's tags, over text columns.
const char* const sqliteIndexes[] = {"upper(LNAME||FNAME)",
                                     "upper(LNAME)||upper(FNAME)",
                                     "upper(FNAME)",
                                     "upper(TITLE)",
                                     "upper(ORG)",
                                     "upper(STREET)",
                                     "upper(STREET2)",
                                     "upper(CITY||STATE)",
                                     "upper(STATE)",
                                     "upper(ZIP)",
                                     "upper(COUNTRY)",
                                     "upper(PHONE)",
                                     "upper(PHONE2)",
                                     "upper(EMAIL)",
                                     "upper(FAX)",
                                     "upper(USER1)",
                                     "upper(USER2)",
                                     "upper(DATE)",
                                     "upper(TAG)",
                                     "upper(CODES)",
                                     "upper(PREFIX)",
                                     "upper(MIDDLE)",
                                     "DELETED",
                                     "upper(STATE||ZIP)",
                                     "ISDEL",
                                     "NOT ISDEL"};

void BM_ImportCsvLines(benchmark::State& state) {
    const int count = int(state.range(0));
    const auto csv = csvFile(count);
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home(QString::fromStdString((folder() / "homeXXXXXX").string()));
        platform::SetProgramDir(home.path());
        platform::ScriptedDialogs dialogs;
        data::TTable table;
        data::TDataSource source;
        source.setDataSet(&table);
        data::TXbEngine engine;
        engine.DataSource = &source;
        table.exclusive = true;
        const QString path = home.path() + "/ADD0001.DBF";
        if (!data::CreateAddressFile(path, table, engine) || !data::OpenAddressTable(path, table))
            throw std::runtime_error("no address file");
        std::vector<std::pair<int, QString>> matches;
        for (int i = 0; i < 20; ++i)
            matches.emplace_back(i, exchange::ExportedTextFields()[i]);
        exchange::AsciiFeed feed(csv.string(), exchange::TextEncoding::Windows1252,
                                 exchange::CsvQuoting::Plain, 20, matches);
        state.ResumeTiming();

        using clock = std::chrono::steady_clock;
        const auto start = clock::now();
        const exchange::ImportCheck check = exchange::CheckImport(feed, table);
        const auto checked = clock::now();
        const exchange::ImportResult result =
            exchange::AppendImport(feed, check.total, table, engine, {});
        const auto appended = clock::now();
        if (result.imported != unsigned(count) ||
            !exchange::RebuildImportIndexes(table, engine, {}))
            throw std::runtime_error("the import failed");
        const auto built = clock::now();
        auto seconds = [](auto from, auto to) {
            return std::chrono::duration<double>(to - from).count();
        };
        // Where the time goes: the check before anything is written, the append, the tags.
        state.counters["check_s"] = seconds(start, checked);
        state.counters["append_s"] = seconds(checked, appended);
        state.counters["tags_s"] = seconds(appended, built);

        state.PauseTiming();
        table.close();
        state.ResumeTiming();
    }
    state.counters["lines/s"] = benchmark::Counter(double(count), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ImportCsvLines)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// sqlite3's .import of the same file into a table of the same 20 text columns (plus the
// three the address file has beside them), then the 26 indexes, with SQLite's journal and
// syncing off.
void BM_SqliteImportAndIndexes(benchmark::State& state) {
    const int count = int(state.range(0));
    const auto csv = csvFile(count);
    const auto db = folder() / "import.sqlite";
    const auto script = folder() / "import.sql";
    {
        std::ofstream sql(script);
        // The file's 20 columns are imported straight into the table; the three columns the
        // address file has beside them are added afterwards (a change of the schema only).
        sql << "PRAGMA journal_mode=OFF;\nPRAGMA synchronous=OFF;\nPRAGMA threads=2;\n"
               "CREATE TABLE addr(PREFIX TEXT, FNAME TEXT, MIDDLE TEXT, LNAME TEXT, TITLE TEXT, "
               "ORG TEXT, STREET TEXT, STREET2 TEXT, CITY TEXT, STATE TEXT, ZIP TEXT, COUNTRY "
               "TEXT, PHONE TEXT, PHONE2 TEXT, EMAIL TEXT, FAX TEXT, DATE TEXT, USER1 TEXT, "
               "USER2 TEXT, CODES TEXT);\n"
               ".mode csv\n.import "
            << csv.string()
            << " addr\nALTER TABLE addr ADD COLUMN TAG TEXT DEFAULT '';\n"
               "ALTER TABLE addr ADD COLUMN ISDEL INTEGER DEFAULT 0;\n"
               "ALTER TABLE addr ADD COLUMN DELETED INTEGER DEFAULT 0;\n";
        int n = 0;
        for (const char* key : sqliteIndexes)
            sql << "CREATE INDEX i" << n++ << " ON addr(" << key << ");\n";
    }
    const std::string command = "sqlite3 " + db.string() + " < " + script.string() + " > /dev/null";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(db);
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("sqlite3 failed");
    }
    std::filesystem::remove(db);
    state.counters["lines/s"] = benchmark::Counter(double(count), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SqliteImportAndIndexes)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

} // namespace

BENCHMARK_MAIN();
