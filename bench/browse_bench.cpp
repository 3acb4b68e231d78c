// The browse grid over 100,000 address records: scrolling from top to bottom a page at a time,
// jumping through the file, and opening on the last record. Each run reports how many records
// the grid read into rows against the rows it showed, and how often it moved the engine.
#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "select/address_grid_model.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int recordCount = 100000;
constexpr int pageRows = 20;

// An address file of synthetic records with the last-name tag, made once per run.
class BrowseFile {
public:
    static BrowseFile& instance() {
        static BrowseFile file;
        return file;
    }
    QString path() const { return path_; }

private:
    BrowseFile() {
        path_ = folder_.path() + "/ADD0001.DBF";
        xbase::Table table =
            xbase::Table::create(path_.toStdString(), data::EngineFields(data::AddressFields()));
        static const char* const last[] = {"Johnson", "Jones", "Smith",  "Miller",
                                           "Brown",   "Davis", "Wilson", "Moore"};
        static const char* const city[] = {"Vienna", "Boston", "Denver", "Austin", "Salem"};
        for (int i = 0; i < recordCount; ++i) {
            table.appendBlank();
            table.setText("LNAME", std::string(last[(i * 7) % 8]) + " " + std::to_string(i % 997));
            table.setText("FNAME", "First " + std::to_string(i));
            table.setText("CITY", city[i % 5]);
            table.setText("ZIP", std::to_string(10000 + (i * 31) % 89999));
            table.setText("DATE", i % 3 == 0 ? "19970428" : "");
            table.setText("TAG", i % 10 == 0 ? "272VQE0" : "");
            table.setLogical("ISDEL", false);
            table.post();
        }
        xbase::TableIndexes indexes(table);
        indexes.indexTag({}, "LNAME", "UPPER(LNAME)+UPPER(FNAME)");
        indexes.close();
        table.close();
    }

    QTemporaryDir folder_;
    QString path_;
};

// The address table as the main window holds it: the view, !ISDEL, and an order.
struct OpenBrowse {
    explicit OpenBrowse(bool byLastName) {
        data::TXbEnv::instance().Deleted = true;
        source.setDataSet(&table);
        engine.DataSource = &source;
        data::OpenAddressTable(BrowseFile::instance().path(), table);
        data::SetupAddressView(
            table, [] { return QString("272VQE0"); }, [] { return QString("mm/dd/yyyy"); });
        if (byLastName)
            engine.setOrderNumber(engine.tagArea("LNAME"));
        engine.setQuery("!ISDEL");
    }
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
};

// What painting a page asks for: every cell of its rows.
void showPage(selection::AddressGridModel& model, int top, std::int64_t& shown) {
    const int end = std::min(model.rowCount(), top + pageRows);
    for (int row = top; row < end; ++row) {
        for (int column = 0; column < model.columnCount(); ++column)
            benchmark::DoNotOptimize(model.text(row, column));
        ++shown;
    }
}

void report(benchmark::State& state, const selection::AddressGridModel& model, std::int64_t shown) {
    state.counters["rows_shown"] = double(shown);
    state.counters["records_read"] = double(model.counters().recordsRead);
    state.counters["read_beyond_shown"] = double(model.counters().recordsRead) - double(shown);
    state.counters["engine_moves"] = double(model.counters().engineMoves);
}

void BM_BrowseOpen(benchmark::State& state) {
    OpenBrowse browse(state.range(0) != 0);
    for (auto _ : state) {
        selection::AddressGridModel model(browse.table);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_BrowseScrollTopToBottom(benchmark::State& state) {
    OpenBrowse browse(state.range(0) != 0);
    std::unique_ptr<selection::AddressGridModel> model;
    std::int64_t shown = 0;
    for (auto _ : state) {
        model = std::make_unique<selection::AddressGridModel>(browse.table);
        shown = 0;
        for (int top = 0; top < model->rowCount(); top += pageRows)
            showPage(*model, top, shown);
    }
    report(state, *model, shown);
}

// Dragging the scroll bar: a page every 1,000 rows.
void BM_BrowseJumpThrough(benchmark::State& state) {
    OpenBrowse browse(state.range(0) != 0);
    std::unique_ptr<selection::AddressGridModel> model;
    std::int64_t shown = 0;
    for (auto _ : state) {
        model = std::make_unique<selection::AddressGridModel>(browse.table);
        shown = 0;
        for (int top = 0; top < model->rowCount(); top += 1000)
            showPage(*model, top, shown);
    }
    report(state, *model, shown);
}

// The main window stands on the last record: the grid finds its row and shows its page, then
// scrolls up ten pages.
void BM_BrowseOpenOnLastRecordAndScrollUp(benchmark::State& state) {
    OpenBrowse browse(state.range(0) != 0);
    browse.table.last();
    std::unique_ptr<selection::AddressGridModel> model;
    std::int64_t shown = 0;
    for (auto _ : state) {
        model = std::make_unique<selection::AddressGridModel>(browse.table);
        shown = 0;
        const int row = model->rowOfRecord(browse.table.recordNumber());
        for (int top = row - pageRows + 1, pages = 0; top >= 0 && pages < 11;
             top -= pageRows, ++pages)
            showPage(*model, top, shown);
    }
    report(state, *model, shown);
}

} // namespace

// Argument 0: record order; 1: the last-name tag.
BENCHMARK(BM_BrowseOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrowseScrollTopToBottom)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BrowseJumpThrough)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BrowseOpenOnLastRecordAndScrollUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
