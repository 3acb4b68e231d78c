#include "xbase/index_key.h"
#include "xbase/key_block.h"
#include "xbase/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

using namespace xbase;

namespace {

using Entries = std::vector<std::pair<std::string, std::uint32_t>>;

struct SortCase {
    const char* name;
    std::size_t count; // from 50,000 on two threads sort
    std::string (*key)(std::mt19937&);
};

// Three letters: most keys are told apart by their first bytes alone.
std::string shortKey(std::mt19937& random) {
    std::string k(3, 'A');
    for (char& c : k)
        c = static_cast<char>('A' + random() % 26);
    return k;
}

// Keys that agree in their first ten bytes and differ after them.
std::string sharedPrefixKey(std::mt19937& random) {
    return characterKey("SAMEPREFIX" + std::to_string(random() % 3000), 20);
}

// Date keys: eight bytes whose first bytes are the same for every key.
std::string dateLikeKey(std::mt19937& random) {
    return dateKey(std::to_string(19500101 + random() % 500000));
}

// One byte with two values, so nearly every comparison falls to the record number.
std::string logicalLikeKey(std::mt19937& random) {
    return logicalKey(random() % 10 == 0);
}

class KeyBlockSort : public ::testing::TestWithParam<SortCase> {};

TEST_P(KeyBlockSort, GivesThePlainSortOrderWithoutRepeatedEntries) {
    const SortCase& c = GetParam();
    std::mt19937 random(3);
    Entries entries;
    for (std::uint32_t r = 1; r <= c.count; ++r)
        entries.push_back({c.key(random), random() % (2 * c.count) + 1});
    // Some entries appear twice, in other places of the block.
    for (std::size_t i = 0; i < c.count / 50; ++i)
        entries.push_back(entries[random() % c.count]);
    std::shuffle(entries.begin(), entries.end(), random);

    KeyBlock block(entries[0].first.size());
    for (const auto& [key, recno] : entries)
        block.push(key, recno);
    block.sort();

    std::sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return a.second < b.second;
    });
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    ASSERT_EQ(block.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ASSERT_EQ(block.key(i), entries[i].first) << "entry " << i;
        ASSERT_EQ(block.recno(i), entries[i].second) << "entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyBlockSort,
                         ::testing::Values(SortCase{"Short", 2000, shortKey},
                                           SortCase{"ShortLarge", 70000, shortKey},
                                           SortCase{"SharedPrefixLarge", 70000, sharedPrefixKey},
                                           SortCase{"DatesLarge", 70000, dateLikeKey},
                                           SortCase{"Dates", 3000, dateLikeKey},
                                           SortCase{"LogicalLarge", 60000, logicalLikeKey}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyBlock, FillingInPlaceAndClosingGapsKeepsTheRest) {
    KeyBlock block(2);
    block.resize(5);
    const char* keys[] = {"EE", "DD", "CC", "BB", "AA"};
    for (std::uint32_t i = 0; i < 5; ++i) {
        std::copy_n(keys[i], 2, block.keySlot(i));
        block.setRecno(i, i + 1);
    }
    block.erase(1, 3);
    ASSERT_EQ(block.size(), 3u);
    EXPECT_EQ(block.key(1), "BB");
    EXPECT_EQ(block.recno(1), 4u);

    block.push("BB", 9);
    block.sort();
    block.keepFirstOfEachKey();
    ASSERT_EQ(block.size(), 3u);
    EXPECT_EQ(block.key(0), "AA");
    EXPECT_EQ(block.key(1), "BB");
    EXPECT_EQ(block.recno(1), 4u); // the first record of the key stays
    EXPECT_EQ(block.key(2), "EE");

    block.reset(4);
    EXPECT_TRUE(block.empty());
    EXPECT_EQ(block.keyLength(), 4u);
}

TEST(Text, CaseChangesOnlyAsciiLettersAtAnyLength) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (bool upper : {true, false}) {
        for (std::size_t from = 0; from < 20; ++from) {
            for (std::size_t n : {std::size_t(0), std::size_t(7), std::size_t(8), std::size_t(9),
                                  std::size_t(17), all.size() - from}) {
                std::string out(n, '?');
                copyCaseAscii(all.data() + from, out.data(), n, upper);
                for (std::size_t i = 0; i < n; ++i) {
                    char in = all[from + i];
                    ASSERT_EQ(out[i], upper ? toUpperAscii(in) : toLowerAscii(in))
                        << "byte " << int(static_cast<unsigned char>(in));
                }
            }
        }
    }
}

} // namespace
