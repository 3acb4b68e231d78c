// corvane-tool's table commands on sound and damaged tables: every fault is reported, a bad
// input writes nothing, and an existing table is replaced only when asked.
#include "tests/tools/tool_run.h"
#include "tests/xbase/damaged_tables.h"
#include "tests/xbase/test_support.h"

#include <gtest/gtest.h>

namespace xbase::test {
namespace {

// Names with memos on every record, and an index by name.
std::filesystem::path people(const TempDir& dir) {
    const auto path = dir / "PEOPLE.DBF";
    Table t = Table::create(path, {{"LNAME", 'C', 20}, {"N", 'N', 4}, {"MEMO", 'M'}});
    TableIndexes indexes(t);
    indexes.indexTag({}, "LNAME", "UPPER(LNAME)");
    for (int i = 1; i <= 6; ++i) {
        t.appendBlank();
        t.setText("LNAME", "Name " + std::to_string(i));
        t.setNumber("N", i);
        t.setMemo("MEMO", "the memo of record " + std::to_string(i));
        t.post();
    }
    return path;
}

TEST(DbCheck, ReportsEachKindOfDamage) {
    struct Case {
        Damage damage;
        const char* reported;
    };
    const Case cases[] = {
        {Damage::MemoPointerPastEnd, "record 2, field MEMO: "},
        {Damage::MemoFileCut, "record 6, field MEMO: "},
        {Damage::IndexNodeDamaged, "PEOPLE.CDX tag LNAME: "},
        {Damage::IndexEntryPastEnd, "past the end of the table (4 records)"},
        {Damage::IndexOutOfStep, "was made for 6 records, but the table has 7"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto table = people(dir);
        EXPECT_EQ(tool(dir, {"db", "check", table.string()}).code, 0);
        damageTable(table, c.damage, c.damage == Damage::MemoFileCut ? 6 : 2);
        const ToolRun check = tool(dir, {"db", "check", table.string()});
        EXPECT_EQ(check.code, 1) << int(c.damage);
        EXPECT_NE(check.out.find(c.reported), std::string::npos) << check.out;
        EXPECT_NE(check.err.find("db reindex"), std::string::npos) << check.err;
    }
}

TEST(DbCheck, PackEmptiesUnreadableMemosAndReindexMendsTheIndex) {
    TempDir dir;
    const auto table = people(dir);
    damageTable(table, Damage::MemoPointerPastEnd, 3);
    const ToolRun pack = tool(dir, {"db", "pack", table.string()});
    EXPECT_EQ(pack.code, 0) << pack.err;
    EXPECT_NE(pack.err.find("1 memos could not be read"), std::string::npos) << pack.err;
    EXPECT_EQ(tool(dir, {"db", "check", table.string()}).code, 0);

    damageTable(table, Damage::IndexOutOfStep);
    EXPECT_EQ(tool(dir, {"db", "dump", table.string(), "--order", "LNAME"}).code, 1);
    EXPECT_EQ(tool(dir, {"db", "reindex", table.string()}).code, 0);
    EXPECT_EQ(tool(dir, {"db", "check", table.string()}).code, 0);
}

TEST(DbAppendCsv, ABadLineOrAStaleIndexWritesNothing) {
    TempDir dir;
    const auto table = people(dir);
    std::ofstream(dir / "bad.csv") << "Alpha,1,one\nBeta,2,two\nGamma,x,three\n";
    const std::string dbf = slurp(table), cdx = slurp(dir / "PEOPLE.CDX");
    const ToolRun bad = tool(dir, {"db", "append-csv", table.string(), (dir / "bad.csv").string()});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("bad.csv record 3: field N: \"x\" is not a number"), std::string::npos)
        << bad.err;
    EXPECT_EQ(Table::open(table, OpenMode::ReadOnly).recordCount(), 6u);
    EXPECT_EQ(tool(dir, {"db", "check", table.string()}).code, 0);

    damageTable(table, Damage::IndexOutOfStep);
    std::ofstream(dir / "good.csv") << "Delta,4,four\n";
    const ToolRun stale =
        tool(dir, {"db", "append-csv", table.string(), (dir / "good.csv").string()});
    EXPECT_EQ(stale.code, 1);
    EXPECT_NE(stale.err.find("rebuild the indexes first"), std::string::npos) << stale.err;
    EXPECT_EQ(Table::open(table, OpenMode::ReadOnly).recordCount(), 7u);
}

TEST(DbAppendCsv, ManyRecordsBuildTheTagsOnceAfterwards) {
    TempDir dir;
    const auto table = people(dir);
    {
        std::ofstream many(dir / "many.csv");
        for (int i = 0; i < 1500; ++i)
            many << "Name " << (7 + i) << "," << i % 100 << ",memo " << i << "\n";
    }
    const ToolRun run =
        tool(dir, {"db", "append-csv", table.string(), (dir / "many.csv").string()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "appended 1500 records, indexes rebuilt\n");
    EXPECT_EQ(tool(dir, {"db", "check", table.string()}).code, 0);
    const ToolRun found =
        tool(dir, {"db", "seek", table.string(), "--order", "LNAME", "NAME 1506"});
    EXPECT_EQ(found.out, "1506\n");

    // A bad record late in a large file still writes nothing, and the index stays sound.
    std::ofstream(dir / "many.csv", std::ios::app) << "Late,x,bad\n";
    EXPECT_EQ(tool(dir, {"db", "append-csv", table.string(), (dir / "many.csv").string()}).code, 1);
    EXPECT_EQ(Table::open(table, OpenMode::ReadOnly).recordCount(), 1506u);
    EXPECT_EQ(tool(dir, {"db", "check", table.string()}).code, 0);
}

TEST(DbCreate, ReplacesATableOnlyWhenToldAndThenDropsItsOtherFiles) {
    TempDir dir;
    const auto table = people(dir);
    const ToolRun refused = tool(dir, {"db", "create", table.string(), "--fields", "X C 3"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("give --force"), std::string::npos) << refused.err;
    EXPECT_EQ(Table::open(table, OpenMode::ReadOnly).recordCount(), 6u);

    EXPECT_EQ(tool(dir, {"db", "create", table.string(), "--fields", "X C 3", "--force"}).code, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "PEOPLE.CDX"));
    EXPECT_FALSE(std::filesystem::exists(dir / "PEOPLE.FPT"));
    Table t = Table::open(table, OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 0u);
    EXPECT_FALSE(t.structuralIndexFlag());
}

} // namespace
} // namespace xbase::test
