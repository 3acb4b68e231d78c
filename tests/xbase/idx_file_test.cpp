#include "xbase/error.h"
#include "xbase/idx_file.h"
#include "xbase/index_key.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace xbase;

TEST(IdxFile, EmptyWorkIndexTakesKeysAndReopens) {
    auto path = std::filesystem::temp_directory_path() /
                ("corvane_index_" + std::to_string(::getpid()) + "work.idx");
    IndexHeader h;
    h.keyLength = 8;
    h.keyExpression = "ZIP";
    {
        IdxFile idx = IdxFile::create(path, h, 0);
        EXPECT_EQ(idx.tree().validate(), 0u);
        for (std::uint32_t r = 1; r <= 3000; ++r)
            idx.tree().insert(numericKey(r % 97), r);
    }
    IdxFile idx = IdxFile::open(path, false);
    idx.tree().setTrail(0);
    EXPECT_EQ(idx.tree().header().keyExpression, "ZIP");
    EXPECT_EQ(idx.tree().header().options & index_option::compound, 0);
    EXPECT_EQ(idx.tree().validate(), 3000u);
    IndexCursor c(idx.tree());
    ASSERT_TRUE(c.seek(numericKey(50)));
    EXPECT_EQ(numericKeyValue(c.key()), 50.0);
    EXPECT_EQ(c.recno(), 50u);
    std::filesystem::remove(path);
}

TEST(IdxFile, ShortOrForeignFilesAreRefused) {
    std::vector<std::uint8_t> bytes(1536, 0);
    EXPECT_THROW(IdxFile(std::make_unique<MemoryIndexStorage>(std::vector<std::uint8_t>(100))),
                 Error);
    try {
        IdxFile idx(std::make_unique<MemoryIndexStorage>(bytes)); // no compact flag
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Unsupported);
    }
}
