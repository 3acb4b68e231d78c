#include "xbase/cdx_file.h"
#include "xbase/error.h"
#include "xbase/index_key.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace xbase;

namespace {

TagSpec spec(const char* name, std::uint16_t length, bool descending = false) {
    TagSpec s;
    s.name = name;
    s.keyExpression = std::string("UPPER(") + name + ")";
    s.keyLength = length;
    s.descending = descending;
    return s;
}

void fill(IndexTree& tree, std::uint32_t count) {
    std::vector<IndexEntry> entries;
    for (std::uint32_t r = 1; r <= count; ++r)
        entries.push_back({characterKey("N" + std::to_string(r * 7 % 1000), tree.keyLength()), r});
    tree.build(entries);
}

std::vector<std::uint8_t> sampleFile() {
    CdxFile cdx(std::make_unique<MemoryIndexStorage>());
    fill(cdx.addTag(spec("LNAME", 12)), 3000);
    fill(cdx.addTag(spec("ZIP", 10, true)), 200);
    return static_cast<MemoryIndexStorage&>(cdx.storage()).bytes();
}

std::filesystem::path scratch(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("corvane_index_") + std::to_string(::getpid()) + name);
}

} // namespace

TEST(CdxFile, TagsSurviveReopeningInCreationOrder) {
    auto path = scratch("tags.cdx");
    {
        CdxFile cdx = CdxFile::create(path);
        fill(cdx.addTag(spec("zip", 10)), 500);
        TagSpec lname = spec("LNAME", 20, true);
        lname.forExpression = "!DELETED()";
        fill(cdx.addTag(lname), 5000);
        fill(cdx.addTag(spec("ALONGERNAMETHANTEN", 10)), 10);
    }
    CdxFile cdx = CdxFile::open(path, true);
    EXPECT_EQ(cdx.tagNames(), (std::vector<std::string>{"ZIP", "LNAME", "ALONGERNAM"}));
    cdx.validate();
    IndexTree& lname = cdx.tag("lname");
    EXPECT_TRUE(lname.descending());
    EXPECT_EQ(lname.header().keyExpression, "UPPER(LNAME)");
    EXPECT_EQ(lname.header().forExpression, "!DELETED()");
    EXPECT_EQ(lname.validate(), 5000u);
    EXPECT_EQ(cdx.findTag("NOPE"), nullptr);
    EXPECT_THROW(cdx.tag("NOPE"), Error);

    // Dropping a tag gives its nodes back for the next one.
    auto size = cdx.storage().size();
    EXPECT_TRUE(cdx.removeTag("LNAME"));
    fill(cdx.addTag(spec("CITY", 20)), 5000);
    EXPECT_LE(cdx.storage().size(), size + 1024);
    EXPECT_EQ(cdx.tagNames(), (std::vector<std::string>{"ZIP", "ALONGERNAM", "CITY"}));
    cdx.validate();
    std::filesystem::remove(path);
}

TEST(CdxFile, DamageIsReportedNotFollowed) {
    const std::vector<std::uint8_t> good = sampleFile();
    {
        CdxFile cdx(std::make_unique<MemoryIndexStorage>(good));
        cdx.validate();
    }
    // Offsets of a tag's header and root, found the way a reader would.
    CdxFile probe(std::make_unique<MemoryIndexStorage>(good));
    IndexTree& lname = probe.tag("LNAME");
    const std::uint32_t header = lname.headerOffset();
    const std::uint32_t root = lname.header().root;
    const std::uint32_t child = lname.node(root)->entries.at(0).child;
    const std::uint32_t sibling = lname.node(root)->entries.at(1).child;

    using Bytes = std::vector<std::uint8_t>;
    auto put32 = [](Bytes& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    auto putBe32 = [](Bytes& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * (3 - i)));
    };
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
    };
    const std::size_t keyLength = 12;
    const Case cases[] = {
        {"truncated file", [](Bytes& b) { b.resize(700); }},
        {"root outside the file", [&](Bytes& b) { put32(b, header, 0x7FFFFF00); }},
        {"key length zero", [&](Bytes& b) { b[header + 12] = 0, b[header + 13] = 0; }},
        {"key length 300", [&](Bytes& b) { b[header + 12] = 0x2C, b[header + 13] = 1; }},
        {"key length changed", [&](Bytes& b) { b[header + 12] = 11; }},
        {"bad node type", [&](Bytes& b) { b[child] = 7; }},
        {"child outside the file",
         [&](Bytes& b) { putBe32(b, root + 12 + keyLength + 4, 0xFFFFF000); }},
        {"child pointing at the root (cycle)",
         [&](Bytes& b) { putBe32(b, root + 12 + keyLength + 4, root); }},
        {"two entries sharing a child",
         [&](Bytes& b) { putBe32(b, root + 12 + 2 * (keyLength + 8) - 4, child); }},
        {"interior keys swapped",
         [&](Bytes& b) {
             std::swap_ranges(b.begin() + root + 12, b.begin() + root + 12 + keyLength,
                              b.begin() + root + 12 + keyLength + 8);
         }},
        {"leaf chain loop", [&](Bytes& b) { put32(b, sibling + 8, child); }},
        {"root flag on a leaf", [&](Bytes& b) { b[child] = 3; }},
        {"leaf claims too many keys", [&](Bytes& b) { b[child + 2] = 0xFF, b[child + 3] = 0x01; }},
        {"tag list points outside", [&](Bytes& b) { put32(b, 0, 0x00FFFF00); }},
        {"not a compact index", [&](Bytes& b) { b[header + 14] = 0; }},
    };
    for (const Case& c : cases) {
        Bytes bad = good;
        c.damage(bad);
        try {
            CdxFile cdx(std::make_unique<MemoryIndexStorage>(bad));
            cdx.validate();
            ADD_FAILURE() << c.what << ": not detected";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()), "") << c.what;
        }
        // Plain reading of the damaged tag ends too, by an error or normally.
        try {
            CdxFile cdx(std::make_unique<MemoryIndexStorage>(bad));
            IndexCursor cursor(cdx.tag("LNAME"));
            std::size_t steps = 0;
            for (bool ok = cursor.first(); ok && steps < 100000; ok = cursor.next())
                ++steps;
            EXPECT_LT(steps, 100000u) << c.what;
        } catch (const Error&) {
        }
    }
}
