#include "xbase/error.h"
#include "xbase/index_key.h"
#include "xbase/index_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace xbase;

namespace {

struct TreeCase {
    const char* name;
    std::uint16_t keyLength;
    std::uint8_t trail;
    bool descending; // the header's direction; the tree keeps ascending order either way
};

// A tree over memory with a reference model of what it should hold.
class TreeTest : public ::testing::TestWithParam<TreeCase> {
protected:
    TreeTest() : space(storage) {
        std::vector<std::uint8_t> header(1024);
        storage.write(0, header.data(), header.size());
        IndexHeader h;
        h.keyLength = GetParam().keyLength;
        h.descending = GetParam().descending;
        h.keyExpression = "KEY";
        tree = std::make_unique<IndexTree>(IndexTree::create(space, 0, h, GetParam().trail));
    }

    std::string makeKey(std::uint32_t n) {
        if (GetParam().trail == 0)
            return numericKey(static_cast<double>(n % 5000) - 2500);
        // Shared prefixes and trailing blanks exercise both compressions.
        std::string k = "K" + std::to_string(n % 7000 * 7919 % 100000);
        return characterKey(k, GetParam().keyLength);
    }

    using Model = std::vector<std::pair<std::string, std::uint32_t>>;
    Model sortedModel() const { return Model(model.begin(), model.end()); }

    void expectSame() {
        EXPECT_EQ(tree->validate(), model.size());
        Model want = sortedModel();
        IndexCursor c(*tree);
        std::size_t i = 0;
        for (bool ok = c.first(); ok; ok = c.next(), ++i) {
            ASSERT_LT(i, want.size());
            ASSERT_EQ(c.key(), want[i].first);
            ASSERT_EQ(c.recno(), want[i].second);
        }
        EXPECT_EQ(i, want.size());
        i = want.size();
        for (bool ok = c.last(); ok; ok = c.previous()) {
            ASSERT_GT(i, 0u);
            --i;
            ASSERT_EQ(c.recno(), want[i].second);
        }
        EXPECT_EQ(i, 0u);
    }

    std::size_t depth() {
        std::size_t d = 1;
        for (auto n = tree->node(tree->header().root); !n->leaf; ++d)
            n = tree->node(n->entries.front().child);
        return d;
    }

    MemoryIndexStorage storage;
    IndexSpace space;
    std::unique_ptr<IndexTree> tree;
    std::set<std::pair<std::string, std::uint32_t>> model;
};

} // namespace

TEST_P(TreeTest, BuildThenInsertAndEraseAgreeWithAModel) {
    std::vector<IndexEntry> entries;
    for (std::uint32_t r = 1; r <= 20000; ++r) {
        entries.push_back({makeKey(r), r, 0});
        model.insert({entries.back().key, r});
    }
    tree->build(entries, 80);
    EXPECT_GE(depth(), 3u);
    expectSame();

    std::mt19937 random(7);
    for (int step = 0; step < 12000; ++step) {
        std::uint32_t r = random() % 30000 + 1;
        std::string key = makeKey(r * 3 + step);
        if (random() % 3 == 0 && !model.empty()) {
            auto it = model.begin();
            std::advance(it, random() % std::min<std::size_t>(model.size(), 50));
            EXPECT_TRUE(tree->erase(it->first, it->second));
            model.erase(it);
        } else {
            tree->insert(key, r);
            model.insert({tree->normalise(key), r});
        }
        if (step % 4000 == 0)
            expectSame();
    }
    expectSame();
    EXPECT_FALSE(tree->erase(makeKey(1), 999999));

    // Erasing everything leaves an empty, valid tree whose nodes are reused.
    std::uint64_t size = storage.size();
    for (auto& [key, recno] : Model(model.begin(), model.end()))
        ASSERT_TRUE(tree->erase(key, recno));
    model.clear();
    expectSame();
    EXPECT_EQ(depth(), 1u);
    for (std::uint32_t r = 1; r <= 5000; ++r)
        tree->insert(makeKey(r), r), model.insert({makeKey(r), r});
    expectSame();
    EXPECT_EQ(storage.size(), size);
}

TEST_P(TreeTest, SeekFindsTheFirstKeyNotBeforeTheOneSought) {
    std::vector<IndexEntry> entries;
    for (std::uint32_t r = 1; r <= 3000; ++r)
        entries.push_back({makeKey(r), r, 0}), model.insert({makeKey(r), r});
    tree->build(entries);
    Model want = sortedModel();
    IndexCursor c(*tree);
    for (std::size_t i = 0; i < want.size(); i += 37) {
        ASSERT_TRUE(c.seek(want[i].first));
        EXPECT_EQ(c.key(), want[i].first);
        // The first of equal keys, whatever record sought.
        auto firstEqual = std::find_if(want.begin(), want.end(),
                                       [&](auto& e) { return e.first == want[i].first; });
        EXPECT_EQ(c.recno(), firstEqual->second);
    }
    // Past the last key: nothing.
    EXPECT_FALSE(c.seek(std::string(GetParam().keyLength, '\xFF')));
}

TEST_P(TreeTest, CursorKeepsItsPlaceWhileTheTreeChanges) {
    for (std::uint32_t r = 1; r <= 2000; ++r)
        tree->insert(makeKey(r), r), model.insert({makeKey(r), r});
    Model want = sortedModel();
    IndexCursor c(*tree);
    ASSERT_TRUE(c.seek(want[1000].first, want[1000].second));
    EXPECT_EQ(c.recno(), want[1000].second);
    // The entry under the cursor goes away: next lands on its successor.
    tree->erase(want[1000].first, want[1000].second);
    for (std::uint32_t r = 5000; r < 5500; ++r)
        tree->insert(makeKey(r), r), model.insert({makeKey(r), r});
    model.erase(want[1000]);
    ASSERT_TRUE(c.next());
    Model now = sortedModel();
    auto at = std::find(now.begin(), now.end(), std::make_pair(c.key(), c.recno()));
    ASSERT_NE(at, now.end());
    auto expected = std::upper_bound(now.begin(), now.end(), want[1000], [&](auto& a, auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return a.second < b.second;
    });
    EXPECT_EQ(at, expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TreeTest,
                         ::testing::Values(TreeCase{"Character", 20, ' ', false},
                                           TreeCase{"CharacterDescending", 20, ' ', true},
                                           TreeCase{"Numeric", 8, 0, false},
                                           TreeCase{"LongKeys", 200, ' ', false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IndexTreePrefix, PrefixSeekAndPrefixMatch) {
    MemoryIndexStorage storage;
    IndexSpace space(storage);
    std::vector<std::uint8_t> header(1024);
    storage.write(0, header.data(), header.size());
    IndexHeader h;
    h.keyLength = 10;
    IndexTree tree = IndexTree::create(space, 0, h, ' ');
    const char* names[] = {"ADAMS", "SMITH", "SMITHERS", "SMYTHE", "ZORN"};
    std::uint32_t r = 1;
    for (const char* n : names)
        tree.insert(characterKey(n, 10), r++);
    IndexCursor c(tree);
    ASSERT_TRUE(c.seek("SMI"));
    EXPECT_EQ(c.recno(), 2u);
    ASSERT_TRUE(c.seek("SMZ"));
    EXPECT_EQ(c.recno(), 5u);
    EXPECT_FALSE(c.seek("ZZ"));
    ASSERT_TRUE(c.seek(characterKey("SMITH", 10)));
    EXPECT_EQ(c.recno(), 2u);
    EXPECT_EQ(tree.compareKeys(c.key(), "SMITH"), 0);
}
