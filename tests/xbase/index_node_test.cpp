#include "xbase/error.h"
#include "xbase/index_node.h"

#include <gtest/gtest.h>

#include <array>

using namespace xbase;

namespace {

std::array<std::uint8_t, nodeSize> handMadeLeaf() {
    // A leaf laid out byte by byte from the published format: key length 6,
    // entries "ABC" rec 1, "ABD" rec 2, "ABD" rec 3 ; 3-byte packed fields with
    // 16 record-number bits, 3 duplicate bits and 3 trailing bits (2 spare).
    std::array<std::uint8_t, nodeSize> p{};
    p[0] = 3; // root + leaf
    p[2] = 3; // keys
    for (int i = 4; i < 12; ++i)
        p[i] = 0xFF;
    p[14] = 0xFF, p[15] = 0xFF; // record number mask
    p[18] = 7, p[19] = 7;
    p[20] = 16, p[21] = 3, p[22] = 3, p[23] = 3;
    auto put = [&](int i, unsigned recno, unsigned dup, unsigned trail) {
        unsigned v = recno | (dup << 16) | (trail << 19);
        p[24 + 3 * i] = v & 0xFF;
        p[25 + 3 * i] = (v >> 8) & 0xFF;
        p[26 + 3 * i] = (v >> 16) & 0xFF;
    };
    put(0, 1, 0, 3); // stores "ABC"
    put(1, 2, 2, 3); // stores "D"
    put(2, 3, 3, 3); // stores nothing
    p[509] = 'A', p[510] = 'B', p[511] = 'C';
    p[508] = 'D';
    p[12] = (488 - 9 - 4) & 0xFF; // free space
    p[13] = (488 - 9 - 4) >> 8;
    return p;
}

} // namespace

TEST(IndexNode, ReadsAHandMadeLeafAndWritesItBackTheSame) {
    NodeFormat f{6, ' '};
    auto page = handMadeLeaf();
    IndexNode n = decodeNode(page.data(), f, 4096, 512);
    ASSERT_EQ(n.entries.size(), 3u);
    EXPECT_TRUE(n.leaf && n.root);
    EXPECT_EQ(n.left, noNode);
    EXPECT_EQ(n.entries[0].key, "ABC   ");
    EXPECT_EQ(n.entries[1].key, "ABD   ");
    EXPECT_EQ(n.entries[2].key, "ABD   ");
    EXPECT_EQ(n.entries[2].recno, 3u);
    std::array<std::uint8_t, nodeSize> again{};
    encodeNode(n, f, again.data());
    EXPECT_EQ(decodeNode(again.data(), f, 4096, 512).entries[1].key, "ABD   ");
    EXPECT_EQ(again[12] | (again[13] << 8), page[12] | (page[13] << 8));
    EXPECT_TRUE(std::equal(again.begin() + 500, again.end(), page.begin() + 500));
}

TEST(IndexNode, InteriorEntriesAreBigEndian) {
    NodeFormat f{4, ' '};
    IndexNode n;
    n.leaf = false;
    n.entries.push_back({"KEY1", 0x01020304, 0x00000A00});
    std::array<std::uint8_t, nodeSize> page{};
    encodeNode(n, f, page.data());
    EXPECT_EQ(page[0], 0);
    EXPECT_EQ(page[16], 1);
    EXPECT_EQ(page[19], 4);
    EXPECT_EQ(page[22], 0x0A);
    EXPECT_EQ(decodeNode(page.data(), f, 8192, 512).entries[0].child, 0xA00u);
}

TEST(IndexNode, DamagedNodesAreRejected) {
    NodeFormat f{6, ' '};
    struct Case {
        const char* what;
        void (*damage)(std::array<std::uint8_t, nodeSize>&);
    };
    const Case cases[] = {
        {"unknown node type", [](auto& p) { p[0] = 9; }},
        {"key count too large", [](auto& p) { p[2] = 200; }},
        {"bits wider than the packed field", [](auto& p) { p[20] = 30; }},
        {"duplicate bits too few for the key length", [](auto& p) { p[21] = 2; }},
        {"first key with duplicates", [](auto& p) { p[26] |= 0x01; }},
        {"neighbour outside the file", [](auto& p) { p[4] = 0, p[5] = 0x40, p[6] = p[7] = 0; }},
        {"packed field of zero bytes", [](auto& p) { p[23] = 0; }},
    };
    for (const Case& c : cases) {
        auto page = handMadeLeaf();
        c.damage(page);
        EXPECT_THROW(decodeNode(page.data(), f, 4096, 512), Error) << c.what;
    }
}
