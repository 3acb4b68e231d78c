// How a table's indexes stay truthful: the stamp that finds an index out of step, tags this
// engine must not write, changes that fail part-way, entries past the table's end, and the
// table's flag for its structural index.
#include "test_support.h"

#include "xbase/cdx_file.h"
#include "xbase/file.h"
#include "xbase/index_set.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace xbase::test {
namespace {

const std::vector<Field> fields = {{"NAME", 'C', 20}, {"N", 'N', 5}};

void add(Table& t, const std::string& name, int n) {
    t.appendBlank();
    t.setText("NAME", name);
    t.setNumber("N", n);
    t.post();
}

// A table of five names with a structural index of two tags, closed cleanly.
void makeIndexed(const std::filesystem::path& path) {
    Table t = Table::create(path, fields);
    for (int i = 1; i <= 5; ++i)
        add(t, "name " + std::to_string(i), i);
    TableIndexes indexes(t);
    indexes.indexTag({}, "NAME", "UPPER(NAME)");
    indexes.indexTag({}, "N", "N");
}

std::string staleAfterOpening(const std::filesystem::path& path,
                              OpenMode mode = OpenMode::Exclusive) {
    Table t = Table::open(path, mode);
    TableIndexes indexes(t);
    return indexes.stale();
}

void patchByte(const std::filesystem::path& file, std::uint64_t offset, char value) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(std::streamoff(offset));
    f.put(value);
}

TEST(IndexStamp, FindsAnIndexThatNoLongerMatchesItsTable) {
    struct Case {
        const char* what;
        void (*change)(const TempDir&);
        const char* says; // part of the reason, empty: the index is sound
    };
    const Case cases[] = {
        {"closed cleanly", [](const TempDir&) {}, ""},
        {"records appended without the index",
         [](const TempDir& d) {
             Table t = Table::open(d / "T.DBF");
             add(t, "added elsewhere", 6);
         },
         "was made for 5 records, but the table has 6"},
        {"a record changed without the index",
         [](const TempDir& d) {
             Table t = Table::open(d / "T.DBF");
             t.goTo(2);
             t.setText("NAME", "changed elsewhere");
             t.post();
         },
         "does not match the table's records"},
        {"the index of another copy of the table",
         [](const TempDir& d) {
             makeIndexed(d / "OTHER.DBF");
             {
                 Table t = Table::open(d / "OTHER.DBF");
                 TableIndexes indexes(t);
                 t.goTo(1);
                 t.setText("NAME", "other copy");
                 t.post();
             }
             std::filesystem::copy_file(d / "OTHER.CDX", d / "T.CDX",
                                        std::filesystem::copy_options::overwrite_existing);
         },
         "does not match the table's records"},
        {"a program stopped while changing the index",
         [](const TempDir& d) {
             pid_t pid = fork();
             if (pid == 0) {
                 Table t = Table::open(d / "T.DBF");
                 TableIndexes indexes(t);
                 add(t, "cut short", 6);
                 _exit(0); // no destructor runs: as if the program died here
             }
             waitpid(pid, nullptr, 0);
         },
         "was being changed when its program stopped"},
        {"an index from elsewhere, without a stamp",
         [](const TempDir& d) {
             for (std::uint64_t at = 400; at < 420; ++at)
                 patchByte(d / "T.CDX", at, '\0');
         },
         ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        makeIndexed(dir / "T.DBF");
        c.change(dir);
        for (OpenMode mode : {OpenMode::ReadOnly, OpenMode::Exclusive}) {
            const std::string stale = staleAfterOpening(dir / "T.DBF", mode);
            if (*c.says == '\0')
                EXPECT_EQ(stale, "") << c.what;
            else
                EXPECT_NE(stale.find(c.says), std::string::npos) << c.what << ": " << stale;
        }
        // A rebuild makes the index match again, and it says so after the next open too.
        {
            Table t = Table::open(dir / "T.DBF");
            TableIndexes indexes(t);
            indexes.rebuild();
            EXPECT_EQ(indexes.stale(), "") << c.what;
            EXPECT_EQ(indexes.check(), std::vector<std::string>{}) << c.what;
        }
        EXPECT_EQ(staleAfterOpening(dir / "T.DBF"), "") << c.what << ", after the rebuild";
    }
}

TEST(IndexStamp, AFailedTagBuildLeavesTheIndexStale) {
    TempDir dir;
    makeIndexed(dir / "T.DBF");
    {
        Table t = Table::open(dir / "T.DBF");
        TableIndexes indexes(t);
        xbase::testing::failNthWrite(3);
        EXPECT_THROW(indexes.indexTag({}, "N", "N"), Error);
        xbase::testing::failNthWrite(0);
    }
    EXPECT_NE(staleAfterOpening(dir / "T.DBF"), "");
}

// A change the index cannot follow (the disk fills up under it) is taken back from the
// table too: no record is added, none is changed, and the index agrees with the table or
// is found stale at the next open.
TEST(IndexUpkeep, AChangeTheIndexCannotFollowLeavesTheTableAsItWas) {
    for (int n = 1; n <= 12; ++n) {
        TempDir dir;
        makeIndexed(dir / "T.DBF");
        std::string stale;
        {
            Table t = Table::open(dir / "T.DBF");
            TableIndexes indexes(t);
            xbase::testing::failNthWrite(n);
            try {
                add(t, "a new name", 6);
                t.goTo(2);
                t.setText("NAME", "another name");
                t.post();
            } catch (const Error&) {
            }
            xbase::testing::failNthWrite(0);
            const std::uint32_t count = t.recordCount();
            EXPECT_TRUE(count == 5 || count == 6) << "write " << n;
            t.goTo(count);
            EXPECT_EQ(t.text("NAME"), count == 6 ? "a new name" : "name 5") << "write " << n;
            const std::vector<std::string> problems = indexes.check();
            if (!problems.empty())
                stale = "in doubt";
        }
        if (!stale.empty()) {
            EXPECT_NE(staleAfterOpening(dir / "T.DBF"), "") << "write " << n;
        }
    }
}

TEST(IndexUpkeep, RemovingAppendedRecordsTakesTheirKeysAlong) {
    TempDir dir;
    makeIndexed(dir / "T.DBF");
    Table t = Table::open(dir / "T.DBF");
    TableIndexes indexes(t);
    add(t, "zz", 6);
    add(t, "aa", 7);
    t.removeRecordsAfter(5);
    EXPECT_EQ(t.recordCount(), 5u);
    EXPECT_EQ(indexes.check(), std::vector<std::string>{});
}

TEST(IndexUpkeep, EntriesPastTheTablesEndArePassedOverAndReported) {
    TempDir dir;
    makeIndexed(dir / "T.DBF");
    {
        Table t = Table::open(dir / "T.DBF"); // without its index, as another program might
        t.removeRecordsAfter(3);
    }
    Table t = Table::open(dir / "T.DBF", OpenMode::ReadOnly);
    std::vector<std::string> damage;
    t.setDamageCallback([&](const std::string& what) { damage.push_back(what); });
    TableIndexes indexes(t);
    indexes.setOrder("N");
    std::vector<std::uint32_t> seen;
    for (t.top(); !t.eof(); t.skip())
        seen.push_back(t.recno());
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{1, 2, 3}));
    ASSERT_FALSE(damage.empty());
    EXPECT_NE(damage[0].find("names record 4, past the end of the table (3 records)"),
              std::string::npos)
        << damage[0];
    t.bottom();
    EXPECT_EQ(t.recno(), 3u);
    EXPECT_FALSE(t.seek("5"));
    const std::vector<std::string> problems = indexes.check();
    ASSERT_EQ(problems.size(), 3u); // the stamp, and both tags
    EXPECT_NE(problems[1].find("past the end of the table"), std::string::npos) << problems[1];
}

TEST(IndexUpkeep, TagsThisEngineCannotKeepAreRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    makeIndexed(dir / "T.DBF");
    std::uint32_t header = 0;
    {
        CdxFile cdx = CdxFile::open(dir / "T.CDX", false);
        header = cdx.tag("N").headerOffset();
    }
    patchByte(dir / "T.CDX", header + 14, char(0x20 | 0x40 | 0x04)); // a custom tag
    const auto before = std::filesystem::file_size(dir / "T.DBF");
    {
        Table t = Table::open(dir / "T.DBF");
        try {
            TableIndexes indexes(t);
            ADD_FAILURE() << "a custom tag was taken for upkeep";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Unsupported);
            EXPECT_NE(std::string(e.what()).find("tag N cannot be kept up to date"),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_EQ(std::filesystem::file_size(dir / "T.DBF"), before);
    Table t = Table::open(dir / "T.DBF", OpenMode::ReadOnly); // reading it is fine
    TableIndexes indexes(t);
    indexes.setOrder("N");
    t.top();
    EXPECT_EQ(t.recno(), 1u);
}

TEST(IndexUpkeep, TheTableSaysWhenAStructuralIndexGoesWithIt) {
    TempDir dir;
    makeIndexed(dir / "T.DBF");
    auto flag = [&] {
        std::ifstream f(dir / "T.DBF", std::ios::binary);
        f.seekg(28);
        return f.get() & 1;
    };
    EXPECT_EQ(flag(), 1);
    {
        Table t = Table::open(dir / "T.DBF");
        TableIndexes indexes(t);
        indexes.dropStructural();
        EXPECT_FALSE(std::filesystem::exists(dir / "T.CDX"));
    }
    EXPECT_EQ(flag(), 0);
    makeIndexed(dir / "T.DBF");
    std::filesystem::remove(dir / "T.CDX"); // deleted by hand
    {
        Table t = Table::open(dir / "T.DBF");
        TableIndexes indexes(t);
    }
    EXPECT_EQ(flag(), 0);
}

} // namespace
} // namespace xbase::test
