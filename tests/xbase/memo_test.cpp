#include "test_support.h"

#include <gtest/gtest.h>

#include <fstream>

namespace xbase::test {
namespace {

TEST(Memo, FptTextsSurviveReplacementByLongerShorterAndEmptyTexts) {
    TempDir dir;
    const std::filesystem::path path = dir / "M.DBF";
    const std::string longText(1000, 'L');
    {
        Table t = Table::create(path, {{"ID", 'N', 3}, {"NOTE", 'M'}});
        for (int i = 1; i <= 3; ++i) {
            t.appendBlank();
            t.setNumber("ID", i);
            t.setMemo("NOTE", "memo " + std::to_string(i));
            t.post();
        }
        EXPECT_EQ(t.fieldBytes("NOTE"), "        10"); // blocks 8, 9, 10 after the header
        t.goTo(1);
        t.setMemo("NOTE", longText); // longer: moves to new blocks at the end
        t.post();
        EXPECT_EQ(t.fieldBytes("NOTE"), "        11");
        t.goTo(2);
        t.setMemo("NOTE", "2"); // shorter: stays in place
        t.post();
        EXPECT_EQ(t.fieldBytes("NOTE"), "         9");
        t.goTo(3);
        EXPECT_FALSE(t.memoEmpty("NOTE"));
        t.setMemo("NOTE", "");
        t.post();
        EXPECT_TRUE(t.memoEmpty("NOTE"));
        EXPECT_EQ(t.fieldBytes("NOTE"), "          ");
    }
    // Header: next free block after the 1000-byte memo (11 + 16 blocks of 64).
    std::ifstream fpt(dir / "M.FPT", std::ios::binary);
    unsigned char h[8];
    fpt.read(reinterpret_cast<char*>(h), 8);
    EXPECT_EQ(h[3], 11 + (8 + 1000 + 63) / 64);
    EXPECT_EQ(h[7], 64);

    Table t = Table::open(path, OpenMode::ReadOnly);
    EXPECT_EQ(t.memo("NOTE"), longText);
    EXPECT_EQ(t.text("NOTE"), longText);
    t.skip();
    EXPECT_EQ(t.memo("NOTE"), "2");
    t.skip();
    EXPECT_EQ(t.memo("NOTE"), "");
}

TEST(Memo, ZapEmptiesTheMemoFileAndNewMemosStartAfterItsHeader) {
    TempDir dir;
    Table t = Table::create(dir / "Z.DBF", {{"NOTE", 'M'}});
    t.appendBlank();
    t.setMemo("NOTE", std::string(500, 'a'));
    t.post();
    t.zap();
    EXPECT_EQ(std::filesystem::file_size(dir / "Z.FPT"), 512u);
    t.appendBlank();
    t.setMemo("NOTE", "b");
    t.post();
    EXPECT_EQ(t.fieldBytes("NOTE"), "         8");
}

TEST(Memo, TwoSharedOpenersKeepEachOthersMemos) {
    TempDir dir;
    Table::create(dir / "S.DBF", {{"NOTE", 'M'}}).close();
    Table a = Table::open(dir / "S.DBF", OpenMode::Shared);
    Table b = Table::open(dir / "S.DBF", OpenMode::Shared);
    a.appendBlank();
    a.setMemo("NOTE", std::string(300, 'a'));
    a.post();
    b.appendBlank();
    b.setMemo("NOTE", std::string(300, 'b')); // must not land on a's blocks
    b.post();
    a.goTo(2);
    EXPECT_EQ(a.memo("NOTE"), std::string(300, 'b'));
    b.goTo(1);
    EXPECT_EQ(b.memo("NOTE"), std::string(300, 'a'));
}

TEST(Memo, DbtMemosAreReadOnly) {
    TempDir dir;
    std::filesystem::copy_file(fixture("PEOPLE3.DBF"), dir / "PEOPLE3.DBF");
    std::filesystem::copy_file(fixture("PEOPLE3.DBT"), dir / "people3.dbt"); // case differs
    Table t = Table::open(dir / "PEOPLE3.DBF");
    EXPECT_EQ(t.memo("NOTES"), "First line\r\nsecond line");
    try {
        t.setMemo("NOTES", "new");
        ADD_FAILURE() << "DBT write allowed";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Unsupported);
    }
    t.setText("NAME", "Smyth"); // the record itself can still change
    t.post();
    EXPECT_EQ(t.text("NAME"), "Smyth");
}

TEST(Memo, DamagedMemoFilesAndPointersGiveClearErrors) {
    TempDir dir;
    {
        Table t = Table::create(dir / "D.DBF", {{"NOTE", 'M'}});
        t.appendBlank();
        t.setMemo("NOTE", "hello world");
        t.post();
    }
    auto reopen = [&]() { return Table::open(dir / "D.DBF"); };
    {
        Table t = reopen();
        for (const char* pointer : {"      9999", "     12x  ", "99999999999"}) {
            t.setFieldBytes(0, std::string(pointer).substr(0, 10));
            EXPECT_THROW(t.memo("NOTE"), Error) << pointer;
        }
        t.cancel();
    }
    std::filesystem::resize_file(dir / "D.FPT", 512 + 10); // text cut short
    EXPECT_THROW(reopen().memo("NOTE"), Error);
    // A header cut short still lets the table open: its memos fail one by one, and writing
    // one is refused until a pack or zap makes the file anew.
    std::filesystem::resize_file(dir / "D.FPT", 100);
    Table t = reopen();
    EXPECT_EQ(t.memoDamage(), "shorter than its header");
    EXPECT_THROW(t.memo("NOTE"), Error);
    EXPECT_THROW(t.setMemo("NOTE", "new text"), Error);
    t.zap();
    EXPECT_EQ(t.memoDamage(), "");
}

} // namespace
} // namespace xbase::test
