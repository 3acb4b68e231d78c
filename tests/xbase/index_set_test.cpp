#include "xbase/cdx_file.h"
#include "xbase/error.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

using namespace xbase;

namespace {

class IndexSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("corvane_index_set_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        table = std::make_unique<Table>(Table::create(dir / "people.dbf", {{"LNAME", 'C', 20},
                                                                           {"FNAME", 'C', 12},
                                                                           {"AMOUNT", 'N', 10, 2},
                                                                           {"BORN", 'D', 8},
                                                                           {"ACTIVE", 'L', 1}}));
    }
    void TearDown() override {
        indexes.reset();
        table.reset();
        std::filesystem::remove_all(dir);
    }

    void add(const std::string& last, const std::string& first, double amount,
             const std::string& born = "19700101") {
        table->appendBlank();
        table->setText("LNAME", last);
        table->setText("FNAME", first);
        table->setNumber("AMOUNT", amount);
        table->setDate("BORN", born);
        table->setLogical("ACTIVE", amount > 0);
        table->post();
    }

    std::vector<std::string> visit() {
        std::vector<std::string> names;
        for (table->top(); !table->eof(); table->skip())
            names.push_back(table->text("LNAME"));
        return names;
    }

    std::filesystem::path dir;
    std::unique_ptr<Table> table;
    std::unique_ptr<TableIndexes> indexes;
};

} // namespace

TEST_F(IndexSetTest, TagsOrderSeekAndReopen) {
    add("Miller", "Ann", 10);
    add("adams", "Bob", -5);
    add("Smith", "Cy", 12.5, "19991231");
    add("Smithers", "Di", 0);
    indexes = std::make_unique<TableIndexes>(*table);
    std::vector<int> progress;
    indexes->indexTag({}, "LNAME", "UPPER(LNAME)", 0, false, {},
                      [&](int p) { progress.push_back(p); });
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    indexes->indexTag({}, "AMOUNT", "AMOUNT", 0, true);
    indexes->indexTag({}, "BORN", "BORN", 0, false, "ACTIVE");
    EXPECT_EQ(indexes->order(), 3);
    EXPECT_EQ(indexes->tagName(), "BORN");
    EXPECT_EQ(indexes->forExpression(), "ACTIVE");
    EXPECT_EQ(indexes->indexFile(), dir / "people.cdx");
    EXPECT_EQ(visit(), (std::vector<std::string>{"Miller", "Smith"}));

    indexes->setOrder("amount");
    EXPECT_EQ(indexes->order(), 2);
    EXPECT_TRUE(indexes->descending());
    EXPECT_EQ(visit(), (std::vector<std::string>{"Smith", "Miller", "Smithers", "adams"}));
    EXPECT_TRUE(table->seek("10"));
    EXPECT_EQ(table->text("LNAME"), "Miller");

    indexes->setOrder(1);
    EXPECT_EQ(indexes->keyExpression(), "UPPER(LNAME)");
    EXPECT_EQ(visit(), (std::vector<std::string>{"adams", "Miller", "Smith", "Smithers"}));
    // Exact off: a prefix is found; exact on: the whole key must match.
    EXPECT_TRUE(table->seek("SMITH"));
    EXPECT_EQ(table->recno(), 3u);
    table->settings().exact = true;
    EXPECT_TRUE(table->seek("SMITH"));
    EXPECT_FALSE(table->seek("SMI"));
    EXPECT_TRUE(table->eof());
    table->settings().exact = false;
    // A miss: past the end, or with soft seek on the next greater key.
    EXPECT_FALSE(table->seek("N"));
    EXPECT_TRUE(table->eof());
    table->settings().softSeek = true;
    EXPECT_FALSE(table->seek("N"));
    EXPECT_EQ(table->text("LNAME"), "Smith");
    EXPECT_FALSE(table->seek("ZZ"));
    EXPECT_TRUE(table->eof());
    table->settings().softSeek = false;

    indexes->setScope("M", "SMITH");
    EXPECT_EQ(visit(), (std::vector<std::string>{"Miller", "Smith", "Smithers"}));
    indexes->setScope("N", "R");
    EXPECT_TRUE(visit().empty());
    indexes->clearScope();
    EXPECT_EQ(indexes->orderOf("NOPE"), 0);
    indexes->setOrder(0);
    EXPECT_EQ(indexes->tagName(), "");
    EXPECT_EQ(visit().front(), "Miller");

    // Building a tag again replaces it, in its place, as the controlling order.
    indexes->setOrder("LNAME");
    indexes->indexTag({}, "amount", "LNAME");
    EXPECT_EQ(indexes->orderCount(), 3);
    EXPECT_EQ(indexes->order(), 3);
    EXPECT_EQ(indexes->tagName(), "AMOUNT");
    EXPECT_EQ(visit(), (std::vector<std::string>{"Miller", "Smith", "Smithers", "adams"}));
    indexes->indexTag({}, "AMOUNT", "AMOUNT", 0, true);

    indexes.reset();
    table.reset();
    table = std::make_unique<Table>(Table::open(dir / "people.dbf"));
    indexes = std::make_unique<TableIndexes>(*table);
    EXPECT_EQ(indexes->tagNames(), (std::vector<std::string>{"LNAME", "BORN", "AMOUNT"}));
    EXPECT_EQ(indexes->order(), 0);
    EXPECT_TRUE(indexes->check().empty());
}

TEST_F(IndexSetTest, EveryTagFollowsAppendsEditsDeletesPackAndZap) {
    indexes = std::make_unique<TableIndexes>(*table);
    indexes->indexTag({}, "LNAME", "UPPER(LNAME)+FNAME");
    indexes->indexTag({}, "AMOUNT", "AMOUNT", 0, true, "!DELETED()");
    indexes->indexTag(dir / "extra.cdx", "BORN", "DTOS(BORN)+LNAME");
    std::mt19937 random(3);
    auto name = [&] { return "N" + std::to_string(random() % 500); };
    for (int i = 0; i < 3000; ++i) {
        int what = random() % 10;
        std::uint32_t count = table->recordCount();
        if (what < 5 || count == 0) {
            add(name(), name(), static_cast<double>(random() % 1000) - 300,
                "2000" + std::to_string(10 + random() % 3) + "15");
        } else {
            table->goTo(random() % count + 1);
            if (what < 8) {
                table->setText("LNAME", name());
                table->setNumber("AMOUNT", random() % 50);
                table->post();
            } else {
                table->setDeleted(what == 8);
            }
        }
    }
    EXPECT_EQ(indexes->check(), std::vector<std::string>{});
    table->pack();
    EXPECT_EQ(indexes->check(), std::vector<std::string>{});
    indexes->setOrder("LNAME");
    std::vector<std::string> seen = visit();
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.size(), table->recordCount());
    table->zap();
    EXPECT_EQ(indexes->check(), std::vector<std::string>{});
    EXPECT_TRUE(visit().empty());
}

TEST_F(IndexSetTest, CheckFindsTagsThatMissedChanges) {
    add("Alpha", "A", 1);
    add("Beta", "B", 2);
    indexes = std::make_unique<TableIndexes>(*table);
    indexes->indexTag({}, "LNAME", "LNAME");
    indexes.reset(); // edits now bypass the index, as after a crash
    table->goTo(1);
    table->setText("LNAME", "Zeta");
    table->post();
    indexes = std::make_unique<TableIndexes>(*table);
    // The stamp no longer matches the records, and the tag disagrees with the table.
    EXPECT_FALSE(indexes->stale().empty());
    EXPECT_EQ(indexes->check().size(), 2u);
    indexes->rebuild();
    EXPECT_TRUE(indexes->stale().empty());
    EXPECT_TRUE(indexes->check().empty());
}

TEST_F(IndexSetTest, EmptyWorkIndexTakesOnlyAddedKeys) {
    add("Smith", "A", 1);
    add("Jones", "B", 2);
    add("Smith", "C", 3);
    indexes = std::make_unique<TableIndexes>(*table);
    indexes->indexTag({}, "LNAME", "LNAME");
    auto work = dir / "work.idx";
    indexes->indexTag(work, {}, "LNAME+FNAME", TableIndexes::emptyWorkIndex);
    EXPECT_EQ(indexes->indexFile(), work);
    EXPECT_TRUE(visit().empty());
    table->setOrder(nullptr);
    table->goTo(3);
    indexes->setOrder(2);
    indexes->addKey();
    EXPECT_TRUE(table->seek("Smith"));
    EXPECT_EQ(table->recno(), 3u);
    EXPECT_FALSE(table->seek("Jones"));
    add("Smith", "D", 4); // not taken by the work index
    EXPECT_EQ(visit().size(), 1u);
    indexes->close(work);
    EXPECT_EQ(indexes->order(), 0);
    EXPECT_EQ(indexes->orderCount(), 1);
    indexes->open(work);
    EXPECT_EQ(indexes->orderCount(), 2);
}

TEST_F(IndexSetTest, KeysAreAddedToAWorkIndexFromAnotherOrder) {
    add("Smith", "A", 1);
    add("Jones", "B", 2);
    add("Adams", "C", 3);
    indexes = std::make_unique<TableIndexes>(*table);
    indexes->indexTag({}, "LNAME", "LNAME");
    indexes->indexTag(dir / "work.idx", {}, "LNAME", TableIndexes::emptyWorkIndex);
    // Walking the name order, records 1 and 3 are gathered without leaving it.
    indexes->setOrder(1);
    table->top();
    indexes->addKey(2, 1);
    indexes->addKey(2, 3);
    EXPECT_EQ(table->recno(), 3u);
    EXPECT_EQ(indexes->order(), 1);
    // A kept tag takes no keys by hand, and a record must exist.
    EXPECT_THROW(indexes->addKey(1, 2), Error);
    EXPECT_THROW(indexes->addKey(2, 9), Error);
    indexes->setOrder(2);
    EXPECT_EQ(visit(), (std::vector<std::string>{"Adams", "Smith"}));
    EXPECT_TRUE(indexes->check().empty());

    // Many at once: into an empty work index in one build, else one by one; twice is once.
    indexes->indexTag(dir / "many.idx", {}, "LNAME", TableIndexes::emptyWorkIndex);
    const int many = indexes->order();
    indexes->addKeysOf(many, {3, 1, 3});
    EXPECT_EQ(visit(), (std::vector<std::string>{"Adams", "Smith"}));
    indexes->addKeysOf(many, {2, 1});
    EXPECT_EQ(visit(), (std::vector<std::string>{"Adams", "Jones", "Smith"}));
    EXPECT_THROW(indexes->addKeysOf(1, {2}), Error);
    EXPECT_TRUE(indexes->check().empty());
}

TEST_F(IndexSetTest, BadExpressionsAreRefused) {
    indexes = std::make_unique<TableIndexes>(*table);
    EXPECT_THROW(indexes->indexTag({}, "X", "NOSUCHFIELD"), Error);
    EXPECT_THROW(indexes->indexTag({}, "X", "LNAME", 0, false, "LNAME"), Error);
    EXPECT_THROW(indexes->setOrder(5), Error);
    EXPECT_EQ(indexes->orderCount(), 0);
}

// Large tables are read and sorted by two threads: the order must be the one a plain sort
// of the same keys gives, with keys alike in their first bytes, descending tags (visited
// from the end of the tree, so equal keys come last record first) and a for condition, and
// edits afterwards must agree with the built tree.
TEST_F(IndexSetTest, LargeBuildsMatchAPlainSort) {
    std::mt19937 random(11);
    std::vector<std::pair<std::string, std::uint32_t>> expected;
    for (std::uint32_t r = 1; r <= 60000; ++r) {
        std::string last = "SAMEPREF" + std::to_string(random() % 5000);
        double amount = static_cast<double>(random() % 200) - 50;
        add(last, "F" + std::to_string(r % 7), amount);
        if (amount > 0)
            expected.push_back({last, r});
    }
    indexes = std::make_unique<TableIndexes>(*table);
    indexes->indexTag({}, "LNAME", "LNAME", 0, true, "AMOUNT > 0");
    indexes->indexTag({}, "AMOUNT", "AMOUNT");
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second > b.second;
    });
    indexes->setOrder("LNAME");
    std::vector<std::pair<std::string, std::uint32_t>> seen;
    for (table->top(); !table->eof(); table->skip())
        seen.push_back({table->text("LNAME"), table->recno()});
    EXPECT_EQ(seen, expected);
    for (std::uint32_t r = 1; r <= 200; ++r) {
        table->goTo(r * 7);
        table->setNumber("AMOUNT", static_cast<double>(r % 3) - 1);
        table->post();
    }
    EXPECT_EQ(indexes->check(), std::vector<std::string>{});
}

// A descending tag is kept as other engines keep it: the tree in ascending key order (as an
// independent reader of the file sees it), visited from its end, equal keys last record
// first; seek, soft seek and scope follow the visiting order.
TEST_F(IndexSetTest, DescendingTagsKeepAscendingTreesAndAreVisitedFromTheEnd) {
    for (const char* name : {"Smith", "adams", "Miller", "Smith", "Baker", "Smithers"})
        add(name, "F", 1);
    indexes = std::make_unique<TableIndexes>(*table);
    indexes->indexTag({}, "DNAME", "UPPER(LNAME)", 0, true);
    auto visitRecords = [&] {
        std::vector<std::uint32_t> r;
        for (table->top(); !table->eof(); table->skip())
            r.push_back(table->recno());
        return r;
    };
    EXPECT_EQ(visitRecords(), (std::vector<std::uint32_t>{6, 4, 1, 3, 5, 2}));
    table->bottom();
    EXPECT_EQ(table->recno(), 2u);
    table->skip(-1);
    EXPECT_EQ(table->recno(), 5u);

    // Exact off, a prefix: the first match in visiting order.
    EXPECT_TRUE(table->seek("SMITH"));
    EXPECT_EQ(table->recno(), 6u);
    EXPECT_TRUE(table->seek("A"));
    EXPECT_EQ(table->recno(), 2u);
    EXPECT_FALSE(table->seek("N"));
    EXPECT_TRUE(table->eof());
    table->settings().softSeek = true;
    EXPECT_FALSE(table->seek("N")); // lands on the next key down
    EXPECT_EQ(table->recno(), 3u);
    EXPECT_FALSE(table->seek("0"));
    EXPECT_TRUE(table->eof());
    table->settings().softSeek = false;

    indexes->setScope("SMITH", "B");
    EXPECT_EQ(visitRecords(), (std::vector<std::uint32_t>{6, 4, 1, 3, 5}));
    indexes->clearScope();

    add("Nolan", "G", 2);
    table->goTo(2);
    table->setText("LNAME", "Zed");
    table->post();
    EXPECT_EQ(indexes->check(), std::vector<std::string>{});
    EXPECT_EQ(visitRecords(), (std::vector<std::uint32_t>{2, 6, 4, 1, 7, 3, 5}));
    indexes.reset();
    table.reset();

    CdxFile cdx = CdxFile::open(dir / "people.cdx", false);
    IndexTree& tree = cdx.tag("DNAME");
    EXPECT_TRUE(tree.descending());
    std::vector<std::string> inFile;
    IndexCursor cursor(tree);
    for (bool more = cursor.first(); more; more = cursor.next())
        inFile.push_back(cursor.key().substr(0, 8));
    EXPECT_EQ(inFile, (std::vector<std::string>{"BAKER   ", "MILLER  ", "NOLAN   ", "SMITH   ",
                                                "SMITH   ", "SMITHERS", "ZED     "}));
}
