// Index builds, seeks, skips and maintained edits on a synthetic address file.
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace {

using namespace xbase;

struct TagDef {
    const char* name;
    const char* key;
    const char* sql; // the same key for SQLite, over the padded field texts
};

// The 26 tags of an address file, in build order.
const TagDef addressTags[] = {
    {"NAME", "UPPER(LNAME-FNAME)", "upper(rtrim(LNAME)||FNAME)"},
    {"LNAME", "UPPER(LNAME)+UPPER(FNAME)", "upper(LNAME)||upper(FNAME)"},
    {"FNAME", "UPPER(FNAME)", "upper(FNAME)"},
    {"TITLE", "UPPER(TITLE)", "upper(TITLE)"},
    {"ORG", "UPPER(ORG)", "upper(ORG)"},
    {"STREET", "UPPER(STREET)", "upper(STREET)"},
    {"STREET2", "UPPER(STREET2)", "upper(STREET2)"},
    {"CITY", "UPPER(CITY+STATE)", "upper(CITY||STATE)"},
    {"STATE", "UPPER(STATE)", "upper(STATE)"},
    {"ZIP", "UPPER(ZIP)", "upper(ZIP)"},
    {"COUNTRY", "UPPER(COUNTRY)", "upper(COUNTRY)"},
    {"PHONE", "UPPER(PHONE)", "upper(PHONE)"},
    {"PHONE2", "UPPER(PHONE2)", "upper(PHONE2)"},
    {"EMAIL", "UPPER(EMAIL)", "upper(EMAIL)"},
    {"FAX", "UPPER(FAX)", "upper(FAX)"},
    {"USER1", "UPPER(USER1)", "upper(USER1)"},
    {"USER2", "UPPER(USER2)", "upper(USER2)"},
    {"DATE", "UPPER(DATE)", "upper(DATE)"},
    {"TAG", "UPPER(TAG)", "upper(TAG)"},
    {"CODES", "UPPER(CODES)", "upper(CODES)"},
    {"PREFIX", "UPPER(PREFIX)", "upper(PREFIX)"},
    {"MIDDLE", "UPPER(MIDDLE)", "upper(MIDDLE)"},
    {"DELETED", "DELETED()", "DELETED"},
    {"STATEZIP", "UPPER(STATE-ZIP)", "upper(rtrim(STATE)||ZIP)"},
    {"ISDEL", "ISDEL", "ISDEL"},
    {"NOTISDEL", "!ISDEL", "NOT ISDEL"},
};

std::vector<Field> addressFields() {
    return {{"LNAME", 'C', 30}, {"FNAME", 'C', 30}, {"MIDDLE", 'C', 1},  {"PREFIX", 'C', 12},
            {"TITLE", 'C', 30}, {"ORG", 'C', 30},   {"STREET", 'C', 40}, {"STREET2", 'C', 40},
            {"CITY", 'C', 30},  {"STATE", 'C', 20}, {"ZIP", 'C', 10},    {"COUNTRY", 'C', 30},
            {"DATE", 'C', 15},  {"PHONE", 'C', 30}, {"PHONE2", 'C', 30}, {"FAX", 'C', 30},
            {"EMAIL", 'C', 30}, {"CODES", 'C', 30}, {"USER1", 'C', 40},  {"USER2", 'C', 40},
            {"ISDEL", 'L', 1},  {"TAG", 'C', 8},    {"MEMO", 'M', 10}};
}

std::string word(std::mt19937& random, std::size_t length) {
    std::string w;
    w += static_cast<char>('A' + random() % 26);
    for (std::size_t i = 1; i < length; ++i)
        w += static_cast<char>('a' + random() % 26);
    return w;
}

// A table of `count` synthetic addresses, made once per size.
std::filesystem::path addressTable(std::uint32_t count) {
    auto dir = std::filesystem::temp_directory_path() / "corvane_index_bench";
    std::filesystem::create_directories(dir);
    auto path = dir / ("addr" + std::to_string(count) + ".dbf");
    if (std::filesystem::exists(path))
        return path;
    Table table = Table::create(path, addressFields());
    const Structure& s = table.structure();
    std::mt19937 random(42);
    std::string record(s.recordLength(), ' ');
    for (std::uint32_t r = 0; r < count; ++r) {
        std::fill(record.begin(), record.end(), ' ');
        for (const Field& f : s.fields()) {
            std::string value;
            if (f.type == 'L')
                value = random() % 10 ? "F" : "T";
            else if (f.type == 'M')
                continue;
            else if (f.name == "DATE")
                value = std::to_string(19500101 + random() % 500000);
            else
                value = word(random, std::min<std::size_t>(f.width, 3 + random() % 10));
            std::memcpy(record.data() + f.offset, value.data(),
                        std::min<std::size_t>(value.size(), f.width));
        }
        table.appendRecord(record);
    }
    return path;
}

struct Open {
    explicit Open(std::uint32_t count) : table(Table::open(addressTable(count))), indexes(table) {}
    Table table;
    TableIndexes indexes;
};

void buildAll(TableIndexes& indexes) {
    for (const TagDef& t : addressTags)
        indexes.indexTag({}, t.name, t.key);
}

std::unique_ptr<Open> withTags(std::uint32_t count) {
    auto open = std::make_unique<Open>(count);
    if (open->indexes.orderCount() < 26)
        buildAll(open->indexes);
    return open;
}

void BM_Build26Tags(benchmark::State& state) {
    auto count = static_cast<std::uint32_t>(state.range(0));
    addressTable(count);
    for (auto _ : state) {
        state.PauseTiming();
        auto cdx = addressTable(count).replace_extension(".cdx");
        std::filesystem::remove(cdx);
        Open open(count);
        state.ResumeTiming();
        buildAll(open.indexes);
    }
}
BENCHMARK(BM_Build26Tags)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kSecond);

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// SQLite building 26 indexes on the same records and the same keys; the rows are loaded
// first (not timed). SQLite may sort with a second thread, as our build does.
void BM_Sqlite26Indexes(benchmark::State& state) {
    auto count = static_cast<std::uint32_t>(state.range(0));
    Table table = Table::open(addressTable(count), OpenMode::ReadOnly);
    const Structure& s = table.structure();
    for (auto _ : state) {
        state.PauseTiming();
        auto path = addressTable(count).replace_extension(".sqlite");
        std::filesystem::remove(path);
        sqlite3* db = nullptr;
        check(sqlite3_open(path.c_str(), &db), db);
        check(sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA threads=2",
                           nullptr, nullptr, nullptr),
              db);
        std::string create = "CREATE TABLE addr(DELETED INTEGER",
                    insert = "INSERT INTO addr VALUES(?";
        for (const Field& f : s.fields()) {
            if (f.type == 'M')
                continue;
            create += ", " + f.name + (f.type == 'L' ? " INTEGER" : " TEXT");
            insert += ", ?";
        }
        check(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), db);
        check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
        sqlite3_stmt* stmt = nullptr;
        check(sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &stmt, nullptr), db);
        for (std::uint32_t r = 1; r <= count; ++r) {
            Record record = table.storedRecord(r);
            sqlite3_bind_int(stmt, 1, record.deleted() ? 1 : 0);
            int column = 2;
            for (const Field& f : s.fields()) {
                if (f.type == 'M')
                    continue;
                std::string_view bytes = record.bytes.substr(f.offset, f.width);
                if (f.type == 'L')
                    sqlite3_bind_int(stmt, column++, bytes[0] == 'T' ? 1 : 0);
                else
                    sqlite3_bind_text(stmt, column++, bytes.data(), int(bytes.size()),
                                      SQLITE_TRANSIENT);
            }
            check(sqlite3_step(stmt), db);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
        state.ResumeTiming();
        for (const TagDef& t : addressTags) {
            std::string sql = std::string("CREATE INDEX i_") + t.name + " ON addr(" + t.sql + ")";
            check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db);
        }
        state.PauseTiming();
        sqlite3_close(db);
        std::filesystem::remove(path);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Sqlite26Indexes)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kSecond);

void BM_SeekLname(benchmark::State& state) {
    auto open = withTags(static_cast<std::uint32_t>(state.range(0)));
    Table& table = open->table;
    open->indexes.setOrder("LNAME");
    std::mt19937 random(9);
    std::vector<std::string> keys;
    for (int i = 0; i < 10000; ++i) {
        table.goTo(random() % table.recordCount() + 1);
        std::string k = table.text("LNAME");
        for (char& c : k)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        keys.push_back(k);
    }
    std::size_t found = 0;
    for (auto _ : state)
        for (const std::string& k : keys)
            found += table.seek(k);
    state.counters["seeks"] = benchmark::Counter(static_cast<double>(state.iterations()) * 10000,
                                                 benchmark::Counter::kIsRate);
    benchmark::DoNotOptimize(found);
}
BENCHMARK(BM_SeekLname)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SkipLnameOrder(benchmark::State& state) {
    auto open = withTags(static_cast<std::uint32_t>(state.range(0)));
    Table& table = open->table;
    open->indexes.setOrder("LNAME");
    for (auto _ : state) {
        std::uint32_t n = 0;
        for (table.top(); !table.eof(); table.skip())
            ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_SkipLnameOrder)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Edit10000LastNames(benchmark::State& state) {
    auto open = withTags(static_cast<std::uint32_t>(state.range(0)));
    Table& table = open->table;
    open->indexes.setOrder(0);
    std::mt19937 random(5);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            table.goTo(random() % table.recordCount() + 1);
            table.setText("LNAME", word(random, 8));
            table.post();
        }
    }
}
BENCHMARK(BM_Edit10000LastNames)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
