#include "xbase/node_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace xbase;

namespace {

std::shared_ptr<const IndexNode> nodeWith(std::uint32_t left) {
    auto n = std::make_shared<IndexNode>();
    n->left = left;
    return n;
}

// Random puts, replacements and erases against a plain map: whatever the cache still
// holds is the node last put there, it never holds more than its limit, and the kept
// offset (the root) survives every eviction.
TEST(NodeCache, HoldsWhatWasLastPutWithinItsLimitAndKeepsTheRoot) {
    constexpr std::size_t limit = 300;
    constexpr std::uint32_t root = 512 * 7;
    NodeCache cache(limit);
    std::map<std::uint32_t, std::uint32_t> model;
    std::mt19937 random(5);
    cache.put(root, nodeWith(1), root);
    for (std::uint32_t step = 2; step < 40000; ++step) {
        std::uint32_t offset = 512 * (random() % 2000 + 1);
        if (offset == root)
            continue;
        if (random() % 5 == 0) {
            cache.erase(offset);
            model.erase(offset);
        } else {
            cache.put(offset, nodeWith(step), root);
            model[offset] = step;
        }
        ASSERT_LE(cache.size(), limit);
    }
    ASSERT_NE(cache.find(root), nullptr);
    std::size_t held = 0;
    for (const auto& [offset, step] : model) {
        if (const auto* found = cache.find(offset)) {
            EXPECT_EQ((*found)->left, step) << "offset " << offset;
            ++held;
        }
    }
    EXPECT_EQ(held + 1, cache.size());
    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
    EXPECT_EQ(cache.find(root), nullptr);
}

} // namespace
