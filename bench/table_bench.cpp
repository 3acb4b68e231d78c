// Address tables in the engine against SQLite on the same synthetic records: fill,
// a counted query over a full scan, and memo writing and reading.
#include "xbase/table.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::vector<xbase::Field>& addressFields() {
    static const std::vector<xbase::Field> fields = {
        {"LNAME", 'C', 30}, {"FNAME", 'C', 30}, {"MIDDLE", 'C', 1},  {"PREFIX", 'C', 12},
        {"TITLE", 'C', 30}, {"ORG", 'C', 30},   {"STREET", 'C', 40}, {"STREET2", 'C', 40},
        {"CITY", 'C', 30},  {"STATE", 'C', 20}, {"ZIP", 'C', 10},    {"COUNTRY", 'C', 30},
        {"DATE", 'C', 15},  {"PHONE", 'C', 30}, {"PHONE2", 'C', 30}, {"FAX", 'C', 30},
        {"EMAIL", 'C', 30}, {"CODES", 'C', 30}, {"USER1", 'C', 40},  {"USER2", 'C', 40},
        {"ISDEL", 'L', 1},  {"TAG", 'C', 8},    {"MEMO", 'M', 10}};
    return fields;
}

constexpr std::size_t textFields = 20; // LNAME ... USER2; then ISDEL, TAG, MEMO

// One synthetic address: the 20 text fields, the deleted flag and the tag.
struct Address {
    std::array<std::string, textFields> text;
    bool isdel = false;
    std::string tag;
};

// Makes the same sequence of addresses for both engines. It fills one record in place, so
// that its strings keep their memory and the fills measure storing, not the generator.
class Generator {
public:
    void next(Address& a) {
        static const char* const last[] = {"Johnson",  "Jones",  "Smith",   "Miller", "Joyce",
                                           "Brown",    "Davis",  "Wilson",  "Moore",  "Taylor",
                                           "Anderson", "Thomas", "Jackson", "White",  "Harris"};
        static const char* const first[] = {"Mary",  "John",   "Linda", "James",
                                            "Susan", "Robert", "Karen", "Joseph"};
        static const char* const city[] = {"Vienna", "Boston", "Denver", "Austin", "Salem"};
        static const char* const state[] = {"VA", "MA", "CO", "TX", "OR"};
        a.text[0] = last[pick(15)];
        a.text[1] = first[pick(8)];
        a.text[2].assign(1, char('A' + pick(26)));
        a.text[3] = pick(4) == 0 ? "Dr." : "";
        a.text[4] = "Manager";
        withNumber(a.text[5], "Company ", pick(1000));
        withNumber(a.text[6], "", pick(9999)) += " Main Street";
        a.text[7] = pick(3) == 0 ? "Suite 100" : "";
        std::size_t c = pick(5);
        a.text[8] = city[c];
        a.text[9] = state[c];
        withNumber(a.text[10], "", 10000 + pick(89999));
        a.text[11] = "USA";
        withNumber(a.text[12], "1997", 10 + pick(3));
        appendNumber(a.text[12], 10 + pick(18));
        withNumber(a.text[13], "555-", 1000 + pick(8999));
        a.text[14].clear();
        a.text[15].clear();
        a.text[16] = "someone@example.com";
        a.text[17].clear();
        for (std::size_t n = pick(5); n > 0; --n)
            a.text[17].push_back(char("abcdefgh"[pick(8)]));
        a.text[18] = "comment";
        a.text[19].clear();
        a.isdel = pick(20) == 0;
    }

private:
    static void appendNumber(std::string& s, std::size_t n) {
        char digits[24];
        s.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
    }
    static std::string& withNumber(std::string& s, const char* prefix, std::size_t n) {
        s = prefix;
        appendNumber(s, n);
        return s;
    }
    std::size_t pick(std::size_t n) {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return std::size_t((state_ >> 33) % n);
    }
    std::uint64_t state_ = 42;
};

std::filesystem::path benchDir() {
    static const auto dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("corvane_table_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

const char* const query = "UPPER(LNAME)=\"JO\" .and. \"C\"$UPPER(CODES) .and. !ISDEL";
const char* const sqliteQuery = "SELECT count(*) FROM addr WHERE substr(upper(lname),1,2)='JO' "
                                "AND instr(upper(codes),'C')>0 AND isdel=0";

// ---- engine ----

void fillTable(const std::filesystem::path& path, std::int64_t n) {
    xbase::Table t = xbase::Table::create(path, addressFields());
    const std::size_t isdel = t.structure().indexOf("ISDEL");
    Generator g;
    Address a;
    for (std::int64_t i = 0; i < n; ++i) {
        g.next(a);
        t.appendBlank();
        for (std::size_t f = 0; f < textFields; ++f)
            t.setText(f, a.text[f]);
        t.setLogical(isdel, a.isdel);
        t.post();
    }
    t.close();
}

void BM_EngineAppend(benchmark::State& state) {
    const auto path = benchDir() / "APPEND.DBF";
    for (auto _ : state)
        fillTable(path, state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
    std::filesystem::remove(benchDir() / "APPEND.FPT");
}

const std::filesystem::path& filledTable(std::int64_t n) {
    static std::int64_t filled = 0;
    static const auto path = benchDir() / "QUERY.DBF";
    if (filled != n) {
        fillTable(path, n);
        filled = n;
    }
    return path;
}

void BM_EngineQueryCount(benchmark::State& state) {
    xbase::Table t = xbase::Table::open(filledTable(state.range(0)), xbase::OpenMode::ReadOnly);
    t.setQuery(query);
    std::uint32_t count = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(count = t.queryCount());
    state.counters["matches"] = count;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_EngineScan(benchmark::State& state) {
    xbase::Table t = xbase::Table::open(filledTable(state.range(0)), xbase::OpenMode::ReadOnly);
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (t.top(); !t.eof(); t.skip())
            bytes += t.fieldBytes(std::size_t(0)).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

std::string memoText(std::int64_t i) {
    return "Memo number " + std::to_string(i) + ": " + std::string(180, 'm');
}

void BM_EngineMemoWriteRead(benchmark::State& state) {
    const auto path = benchDir() / "MEMO.DBF";
    for (auto _ : state) {
        xbase::Table t = xbase::Table::create(path, {{"ID", 'N', 8}, {"MEMO", 'M'}});
        for (std::int64_t i = 0; i < state.range(0); ++i) {
            t.appendBlank();
            t.setMemo("MEMO", memoText(i));
            t.post();
        }
        std::size_t total = 0;
        for (t.top(); !t.eof(); t.skip())
            total += t.memo("MEMO").size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The records alone, without storing them: the share of both fills that is the generator's.
void BM_GenerateOnly(benchmark::State& state) {
    for (auto _ : state) {
        Generator g;
        Address a;
        std::size_t bytes = 0;
        for (std::int64_t i = 0; i < state.range(0); ++i) {
            g.next(a);
            bytes += a.text[0].size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// ---- SQLite ----

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

sqlite3* openSqlite(const std::filesystem::path& path, bool fresh) {
    if (fresh)
        std::filesystem::remove(path);
    sqlite3* db = nullptr;
    check(sqlite3_open(path.c_str(), &db), db);
    return db;
}

void fillSqlite(const std::filesystem::path& path, std::int64_t n) {
    sqlite3* db = openSqlite(path, true);
    std::string create = "CREATE TABLE addr (";
    std::string insert = "INSERT INTO addr VALUES (";
    for (std::size_t f = 0; f < addressFields().size(); ++f) {
        const auto& field = addressFields()[f];
        create += (f ? ", " : "") + field.name + (field.type == 'L' ? " INTEGER" : " TEXT");
        insert += f ? ", ?" : "?";
    }
    check(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &stmt, nullptr), db);
    Generator g;
    Address a;
    for (std::int64_t i = 0; i < n; ++i) {
        g.next(a);
        for (std::size_t f = 0; f < textFields; ++f)
            sqlite3_bind_text(stmt, int(f + 1), a.text[f].c_str(), int(a.text[f].size()),
                              SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 21, a.isdel ? 1 : 0);
        sqlite3_bind_text(stmt, 22, "", 0, SQLITE_STATIC);
        sqlite3_bind_text(stmt, 23, "", 0, SQLITE_STATIC);
        check(sqlite3_step(stmt), db);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

void BM_SqliteFill(benchmark::State& state) {
    const auto path = benchDir() / "fill.sqlite";
    for (auto _ : state)
        fillSqlite(path, state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(path);
}

void BM_SqliteQueryCount(benchmark::State& state) {
    static std::int64_t filled = 0;
    const auto path = benchDir() / "query.sqlite";
    if (filled != state.range(0)) {
        fillSqlite(path, state.range(0));
        filled = state.range(0);
    }
    sqlite3* db = openSqlite(path, false);
    sqlite3_stmt* stmt = nullptr;
    check(sqlite3_prepare_v2(db, sqliteQuery, -1, &stmt, nullptr), db);
    std::int64_t count = 0;
    for (auto _ : state) {
        check(sqlite3_step(stmt), db);
        count = sqlite3_column_int64(stmt, 0);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    state.counters["matches"] = double(count);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SqliteMemoWriteRead(benchmark::State& state) {
    const auto path = benchDir() / "memo.sqlite";
    for (auto _ : state) {
        sqlite3* db = openSqlite(path, true);
        check(sqlite3_exec(db, "CREATE TABLE m (id INTEGER, memo TEXT); BEGIN", nullptr, nullptr,
                           nullptr),
              db);
        sqlite3_stmt* stmt = nullptr;
        check(sqlite3_prepare_v2(db, "INSERT INTO m VALUES (?, ?)", -1, &stmt, nullptr), db);
        for (std::int64_t i = 0; i < state.range(0); ++i) {
            std::string text = memoText(i);
            sqlite3_bind_int64(stmt, 1, i);
            sqlite3_bind_text(stmt, 2, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
            check(sqlite3_step(stmt), db);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
        check(sqlite3_prepare_v2(db, "SELECT memo FROM m", -1, &stmt, nullptr), db);
        std::size_t total = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            total += std::size_t(sqlite3_column_bytes(stmt, 0));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#define SIZES Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)

BENCHMARK(BM_EngineAppend)->SIZES->Iterations(1)->Repetitions(2);
BENCHMARK(BM_SqliteFill)->SIZES->Iterations(1)->Repetitions(2);
BENCHMARK(BM_GenerateOnly)->SIZES->Iterations(1);
BENCHMARK(BM_EngineQueryCount)->SIZES->Iterations(3);
BENCHMARK(BM_SqliteQueryCount)->SIZES->Iterations(3);
BENCHMARK(BM_EngineScan)->SIZES->Iterations(3);
BENCHMARK(BM_EngineMemoWriteRead)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SqliteMemoWriteRead)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(benchDir());
    return 0;
}
