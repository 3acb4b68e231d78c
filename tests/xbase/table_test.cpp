#include "test_support.h"

#include "xbase/dbf_header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace xbase::test {
namespace {

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

std::vector<Field> smallFields() {
    return {
        {"NAME", 'C', 10}, {"AMOUNT", 'N', 8, 2}, {"COUNT", 'N', 4}, {"BORN", 'D'}, {"OK", 'L'}};
}

TEST(TableCreate, WritesTheFoxProHeaderAndFieldDescriptors) {
    TempDir dir;
    Table::create(dir / "PLAIN.DBF", smallFields()).close();
    Table::create(dir / "MEMO.DBF", {{"NAME", 'C', 10}, {"NOTE", 'M'}}).close();
    std::string plain = readFile(dir / "PLAIN.DBF");
    std::string memo = readFile(dir / "MEMO.DBF");
    ASSERT_EQ(plain.size(), 32u + 5 * 32 + 1 + 1);
    EXPECT_EQ(std::uint8_t(plain[0]), 0x03);
    EXPECT_EQ(std::uint8_t(memo[0]), 0xF5);
    EXPECT_EQ(plain[29], 0x03);                             // Windows-1252
    EXPECT_EQ(readLe32(plain.data() + 4), 0u);              // no records
    EXPECT_EQ(readLe16(plain.data() + 8), 32 + 5 * 32 + 1); // header length
    EXPECT_EQ(readLe16(plain.data() + 10), 1 + 10 + 8 + 4 + 8 + 1);
    EXPECT_EQ(plain.substr(64, 7), std::string("AMOUNT\0", 7));
    EXPECT_EQ(plain[64 + 11], 'N');
    EXPECT_EQ(plain[64 + 16], 8);
    EXPECT_EQ(plain[64 + 17], 2);
    EXPECT_EQ(std::uint8_t(plain[32 + 5 * 32]), 0x0D);
    EXPECT_EQ(std::uint8_t(plain.back()), 0x1A);
    std::string fpt = readFile(dir / "MEMO.FPT");
    ASSERT_EQ(fpt.size(), 512u);
    EXPECT_EQ(fpt.substr(0, 8), std::string("\0\0\0\x08\0\0\0\x40", 8)); // next block 8, size 64
}

TEST(TableCreate, RefusesBadFieldLists) {
    TempDir dir;
    const std::vector<std::vector<Field>> bad = {
        {},
        {{"NAME", 'C', 0}},
        {{"NAME", 'C', 255}},
        {{"1NAME", 'C', 5}},
        {{"AVERYLONGNAME", 'C', 5}},
        {{"NAME", 'C', 5}, {"name", 'C', 5}},
        {{"AMOUNT", 'N', 4, 3}},
        {{"STAMP", 'T', 8}},
    };
    for (const auto& fields : bad)
        EXPECT_THROW(Table::create(dir / "BAD.DBF", fields), Error);
}

TEST(TableRecords, AppendPostAndReadBackTypedValues) {
    TempDir dir;
    {
        Table t = Table::create(dir / "T.DBF", smallFields());
        t.appendBlank();
        EXPECT_EQ(t.recno(), 1u);
        EXPECT_EQ(t.fieldBytes("AMOUNT"), "        "); // blank-filled
        t.setText("NAME", "Smithsonian Institute");    // cut to the width
        t.setNumber("AMOUNT", 3.14159);
        t.setNumber("COUNT", 42);
        t.setDate("BORN", "19970428");
        t.setLogical("OK", true);
        t.post();
        t.appendBlank();
        t.setNumber("AMOUNT", -0.001); // rounds to zero without a sign
        t.setNumber("COUNT", -999);
        t.setLogical("OK", false);
        t.post();
        EXPECT_EQ(t.recordCount(), 2u);
    }
    Table t = Table::open(dir / "T.DBF", OpenMode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 2u);
    EXPECT_EQ(t.recno(), 1u);
    EXPECT_EQ(t.fieldBytes("NAME"), "Smithsonia");
    EXPECT_EQ(t.fieldBytes("AMOUNT"), "    3.14");
    EXPECT_EQ(t.fieldBytes("COUNT"), "  42");
    EXPECT_EQ(t.fieldBytes("BORN"), "19970428");
    EXPECT_EQ(t.fieldBytes("OK"), "T");
    EXPECT_DOUBLE_EQ(t.number("AMOUNT"), 3.14);
    EXPECT_TRUE(t.logical("OK"));
    EXPECT_EQ(t.value("BORN").type, ValueType::Date);
    t.skip();
    EXPECT_EQ(t.fieldBytes("AMOUNT"), "    0.00");
    EXPECT_EQ(t.fieldBytes("COUNT"), "-999");
    EXPECT_EQ(t.fieldBytes("OK"), "F");
    EXPECT_THROW(t.setText("NAME", "x"), Error); // read-only
}

TEST(TableRecords, NumbersLoseDecimalsBeforeTheyFailToFit) {
    TempDir dir;
    Table t = Table::create(dir / "N.DBF", {{"N", 'N', 6, 2}});
    t.appendBlank();
    const struct {
        double value;
        const char* stored; // nullptr: refused
    } cases[] = {
        {1.5, "  1.50"},    {123.456, "123.46"}, {1234.5, "1234.5"}, {12345.4, " 12345"},
        {-12345, "-12345"}, {999999, "999999"},  {1000000, nullptr}, {-123456, nullptr},
    };
    for (const auto& c : cases) {
        if (c.stored) {
            t.setNumber("N", c.value);
            EXPECT_EQ(t.fieldBytes("N"), c.stored) << c.value;
        } else {
            EXPECT_THROW(t.setNumber("N", c.value), Error) << c.value;
        }
    }
    EXPECT_THROW(t.setDate("N", "19970428"), Error);
}

// Values given as text, as loaders and the replace utility give them: a blank text
// leaves a number or logical blank, and a text that is no number is refused.
TEST(TableRecords, NumbersAndLogicalsFromText) {
    TempDir dir;
    Table t = Table::create(dir / "X.DBF", {{"N", 'N', 6, 2}, {"OK", 'L'}});
    t.appendBlank();
    const struct {
        const char* field;
        const char* text;
        const char* stored; // nullptr: refused
    } cases[] = {
        {"N", " 12.5 ", " 12.50"}, {"N", "+3", "  3.00"},  {"N", "-0.25", " -0.25"},
        {"N", "", "      "},       {"N", "   ", "      "}, {"N", "abc", nullptr},
        {"N", "12abc", nullptr},   {"N", "1,5", nullptr},  {"N", "inf", nullptr},
        {"OK", "T", "T"},          {"OK", "y", "T"},       {"OK", "F", "F"},
        {"OK", " ", " "},          {"OK", "", " "},
    };
    for (const auto& c : cases) {
        if (c.stored) {
            t.setText(c.field, c.text);
            EXPECT_EQ(t.fieldBytes(c.field), c.stored) << c.field << " '" << c.text << "'";
        } else {
            t.setText(c.field, "1");
            EXPECT_THROW(t.setText(c.field, c.text), Error) << c.text;
            EXPECT_EQ(t.fieldBytes(c.field), "  1.00") << "a refused text changes nothing";
        }
    }
}

TEST(TableRecords, DatesAreEightDigitsOrBlank) {
    TempDir dir;
    Table t = Table::create(dir / "D.DBF", {{"D", 'D'}});
    t.appendBlank();
    t.setDate("D", "20000229");
    EXPECT_EQ(t.fieldBytes("D"), "20000229");
    t.setDate("D", "");
    EXPECT_EQ(t.fieldBytes("D"), "        ");
    for (const char* bad : {"19000229", "19971301", "1997042", "1997-4-2", "abcdefgh"})
        EXPECT_THROW(t.setDate("D", bad), Error) << bad;
    Settings s;
    s.century = true;
    EXPECT_EQ(formatDate("19970428", s), "04/28/1997");
    s.dateFormat = DateFormat::German;
    EXPECT_EQ(formatDate("19970428", s), "28.04.1997");
    s.century = false;
    s.dateFormat = DateFormat::Ansi;
    EXPECT_EQ(formatDate("19970428", s), "97.04.28");
    s.dateFormat = DateFormat::Italian;
    EXPECT_EQ(datePattern(s), "dd-mm-yy");
    EXPECT_EQ(formatDate("        ", s), "");
}

class TableNavigation : public ::testing::Test {
protected:
    void SetUp() override {
        table = Table::create(dir / "NAV.DBF", {{"N", 'N', 3}});
        for (int i = 1; i <= 6; ++i) {
            table.appendBlank();
            table.setNumber("N", i);
            table.post();
        }
        for (std::uint32_t r : {1u, 4u, 6u}) {
            table.goTo(r);
            table.setDeleted(true);
        }
    }
    TempDir dir;
    Table table;
};

TEST_F(TableNavigation, DeletedSettingHidesMarkedRecords) {
    table.settings().deleted = true;
    table.top();
    EXPECT_EQ(table.recno(), 2u);
    EXPECT_FALSE(table.bof());
    table.skip();
    EXPECT_EQ(table.recno(), 3u);
    table.skip();
    EXPECT_EQ(table.recno(), 5u);
    table.skip();
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.recno(), 7u);
    EXPECT_EQ(table.fieldBytes("N"), "   "); // the blank record past the end
    table.skip(-1);
    EXPECT_EQ(table.recno(), 5u);
    table.skip(-2);
    EXPECT_EQ(table.recno(), 2u);
    table.skip(-1);
    EXPECT_TRUE(table.bof());
    EXPECT_EQ(table.recno(), 2u);
    table.bottom();
    EXPECT_EQ(table.recno(), 5u);
    table.goTo(4); // direct moves ignore the setting
    EXPECT_TRUE(table.deleted());
    EXPECT_THROW(table.goTo(7), Error);
    EXPECT_THROW(table.goTo(0), Error);

    table.settings().deleted = false;
    table.top();
    EXPECT_EQ(table.recno(), 1u);
    table.skip(10);
    EXPECT_TRUE(table.eof());
}

TEST_F(TableNavigation, PackRemovesMarkedRecordsAndReportsProgress) {
    std::vector<int> percents;
    table.setProgressCallback([&](int p) { percents.push_back(p); });
    table.pack();
    EXPECT_EQ(table.recordCount(), 3u);
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    std::string values;
    for (table.top(); !table.eof(); table.skip())
        values += std::string(table.fieldBytes("N")) + ",";
    EXPECT_EQ(values, "  2,  3,  5,");
    table.close();
    Table again = Table::open(dir / "NAV.DBF");
    EXPECT_EQ(again.recordCount(), 3u);
    EXPECT_EQ(std::filesystem::file_size(dir / "NAV.DBF"), 32u + 32 + 1 + 3 * 4 + 1);
    again.zap();
    EXPECT_EQ(again.recordCount(), 0u);
    EXPECT_TRUE(again.eof() && again.bof());
}

TEST_F(TableNavigation, EditsAreWrittenOnPostOrMoveAndCancelDropsThem) {
    table.goTo(2);
    table.setNumber("N", 20);
    table.cancel();
    EXPECT_EQ(table.fieldBytes("N"), "  2");
    table.setNumber("N", 20);
    table.skip(); // moving writes the change
    table.goTo(2);
    EXPECT_EQ(table.fieldBytes("N"), " 20");
    table.setDeleted(false);
    EXPECT_FALSE(table.deleted());
}

// An exclusive table writes blanks ahead of its appends and grows in steps; neither may
// touch a record already stored, and the file is cut back to its records on close.
TEST(TableFiles, LongAppendsKeepEveryByteAndEndAtTheLastRecord) {
    TempDir dir;
    const auto path = dir / "LONG.DBF";
    const std::vector<std::string> fills = {"A", "B", "C", "D"};
    std::vector<Field> fields = {{"N", 'N', 6}};
    for (const std::string& name : fills)
        fields.push_back({name, 'C', 250});
    fields.push_back({"LAST", 'C', 1});
    const auto fill = [](std::uint32_t i) { return std::string(250, char('a' + i % 26)); };
    const std::uint32_t n = 12000; // about 12 MB: several steps of both
    {
        Table t = Table::create(path, fields);
        for (std::uint32_t i = 1; i <= n; ++i) {
            t.appendBlank();
            t.setNumber("N", i);
            for (const std::string& name : fills)
                t.setText(name, fill(i));
            t.setText("LAST", "z"); // the byte a write ahead would hit first
            t.post();
        }
    }
    const std::uint64_t header = 32 + 6 * 32 + 1;
    EXPECT_EQ(std::filesystem::file_size(path), header + std::uint64_t(n) * 1008 + 1);
    Table t = Table::open(path, OpenMode::ReadOnly);
    ASSERT_EQ(t.recordCount(), n);
    for (std::uint32_t i = 1; i <= n; ++i) {
        t.goTo(i);
        ASSERT_EQ(t.number("N"), double(i));
        for (const std::string& name : fills)
            ASSERT_EQ(t.fieldBytes(name), fill(i)) << i;
        ASSERT_EQ(t.fieldBytes("LAST"), "z") << i;
        ASSERT_FALSE(t.deleted()) << i;
    }
    EXPECT_EQ(readFile(path).back(), '\x1A');
}

TEST(TableFiles, ExclusiveOpenLocksOutEveryOtherOpener) {
    TempDir dir;
    Table t = Table::create(dir / "L.DBF", {{"A", 'C', 2}, {"M", 'M'}});
    for (OpenMode m : {OpenMode::Shared, OpenMode::Exclusive, OpenMode::ReadOnly}) {
        try {
            Table::open(dir / "L.DBF", m);
            ADD_FAILURE() << "second open was allowed";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Locked);
        }
    }
    EXPECT_THROW(Table::create(dir / "L.DBF", {{"A", 'C', 2}}), Error); // not destroyed
    t.close();
    Table shared1 = Table::open(dir / "L.DBF", OpenMode::Shared);
    Table shared2 = Table::open(dir / "L.DBF", OpenMode::Shared);
    EXPECT_THROW(Table::open(dir / "L.DBF", OpenMode::Exclusive), Error);
    shared1.appendBlank();
    shared1.setText("A", "x1");
    shared1.post();
    shared2.appendBlank(); // sees the first opener's record and appends after it
    EXPECT_EQ(shared2.recno(), 2u);
    EXPECT_EQ(shared1.recordCount(), 2u);
    shared1.close();
    EXPECT_FALSE(shared1.isOpen());
    EXPECT_THROW(shared1.structure(), Error); // a closed table answers with errors
    EXPECT_THROW(shared1.top(), Error);
}

TEST(TableFiles, CopyStructureMakesAnEmptyTableWithTheSameFields) {
    TempDir dir;
    Table t = Table::create(dir / "SRC.DBF", addressFields());
    t.appendBlank();
    t.copyStructure(dir / "COPY.DBF");
    Table c = Table::open(dir / "COPY.DBF");
    EXPECT_EQ(c.recordCount(), 0u);
    ASSERT_EQ(c.structure().fields().size(), 23u);
    for (std::size_t i = 0; i < 23; ++i) {
        EXPECT_EQ(c.structure().field(i).name, t.structure().field(i).name);
        EXPECT_EQ(c.structure().field(i).width, t.structure().field(i).width);
    }
    EXPECT_EQ(c.signature(), 0xF5);
    EXPECT_EQ(c.structure().recordLength(), 568u);
}

TEST(TableFiles, DriverFollowsTheFirstByte) {
    EXPECT_EQ(detectDriver(0xF5, false), IndexDriver::Cdx);
    EXPECT_EQ(detectDriver(0xF6, false), IndexDriver::Cdx);
    EXPECT_EQ(detectDriver(0x83, false), IndexDriver::Ntx);
    EXPECT_EQ(detectDriver(0x86, false), IndexDriver::Ntx);
    EXPECT_EQ(detectDriver(0xE5, false), IndexDriver::Nsx);
    EXPECT_EQ(detectDriver(0x03, false), IndexDriver::Cdx);
    EXPECT_EQ(detectDriver(0x03, true), IndexDriver::Nsx);
    EXPECT_EQ(detectDriver(0x06, true), IndexDriver::Nsx);
}

TEST(TableFiles, OtherProgramsTablesReadWithTheirMemos) {
    TempDir dir;
    for (const char* stem : {"PEOPLE3", "PEOPLE4", "PEOPLEF"}) {
        std::string memoExt = std::string(stem) == "PEOPLEF" ? ".FPT" : ".DBT";
        std::filesystem::copy_file(fixture(std::string(stem) + ".DBF"),
                                   dir / (std::string(stem) + ".DBF"));
        std::filesystem::copy_file(fixture(stem + memoExt), dir / (stem + memoExt));
        Table t = Table::open(dir / (std::string(stem) + ".DBF"), OpenMode::ReadOnly);
        SCOPED_TRACE(stem);
        EXPECT_EQ(t.recordCount(), 3u);
        EXPECT_EQ(t.memoKind(), std::string(stem) == "PEOPLE3"   ? MemoKind::Dbt3
                                : std::string(stem) == "PEOPLE4" ? MemoKind::Dbt4
                                                                 : MemoKind::Fpt);
        EXPECT_EQ(t.text("NAME"), "Smith");
        EXPECT_DOUBLE_EQ(t.number("AGE"), 42.5);
        EXPECT_EQ(t.value("BORN").text, "19550417");
        EXPECT_TRUE(t.logical("ACTIVE"));
        EXPECT_EQ(t.memo("NOTES"), "First line\r\nsecond line");
        t.skip();
        EXPECT_TRUE(t.deleted());
        EXPECT_TRUE(t.memoEmpty("NOTES"));
        t.skip();
        EXPECT_EQ(t.memo("NOTES"), std::string(700, 'x'));
        EXPECT_FALSE(t.logical("ACTIVE")); // "?" is not true
        EXPECT_DOUBLE_EQ(t.number("AGE"), 0.0);
    }
}

TEST(TableFiles, BinaryFoxProFieldsReadAndCannotBeCopied) {
    TempDir dir;
    // A table with I, Y, B (double) and T fields, written from the layout by hand.
    std::string h(32 + 4 * 32 + 1, '\0');
    h[0] = 0x30;
    writeLe16(h.data() + 8, std::uint16_t(h.size() + 263));
    writeLe16(h.data() + 10, 1 + 4 + 8 + 8 + 8);
    const struct {
        const char* name;
        char type;
        int width;
    } defs[] = {{"I", 'I', 4}, {"Y", 'Y', 8}, {"B", 'B', 8}, {"T", 'T', 8}};
    for (int i = 0; i < 4; ++i) {
        char* d = h.data() + 32 + 32 * i;
        d[0] = defs[i].name[0];
        d[11] = defs[i].type;
        d[16] = char(defs[i].width);
    }
    h.back() = 0x0D;
    h.append(263, '\0');
    std::string rec(29, '\0');
    rec[0] = ' ';
    writeLe32(rec.data() + 1, std::uint32_t(-7));
    std::int64_t money = 123456; // 12.3456
    std::memcpy(rec.data() + 5, &money, 8);
    double d = 2.5;
    std::memcpy(rec.data() + 13, &d, 8);
    writeLe32(rec.data() + 21, 2450567); // Julian day of 1997-04-28
    writeLe32(h.data() + 4, 1);
    writeFile(dir / "X.DBF", h + rec + "\x1a");
    Table t = Table::open(dir / "X.DBF", OpenMode::ReadOnly);
    EXPECT_DOUBLE_EQ(t.number("I"), -7);
    EXPECT_DOUBLE_EQ(t.number("Y"), 12.3456);
    EXPECT_DOUBLE_EQ(t.number("B"), 2.5);
    EXPECT_EQ(t.value("T").text, "19970428");
    EXPECT_TRUE(t.compile("I < 0 .and. B > 2").evaluateLogical(t.record()));
    EXPECT_THROW(t.copyStructure(dir / "Y.DBF"), Error);
}

TEST(TableFiles, DamagedFilesGiveClearErrors) {
    TempDir dir;
    {
        Table t = Table::create(dir / "GOOD.DBF", {{"A", 'C', 10}, {"M", 'M'}});
        t.appendBlank();
        t.setMemo("M", "hello");
        t.post();
    }
    std::string good = readFile(dir / "GOOD.DBF");
    const struct {
        const char* what;
        std::function<void(std::string&)> damage;
    } cases[] = {
        {"empty", [](std::string& s) { s.clear(); }},
        {"short", [](std::string& s) { s.resize(20); }},
        {"first byte", [](std::string& s) { s[0] = 0x42; }},
        {"truncated records", [](std::string& s) { s.resize(s.size() - 5); }},
        {"huge count", [](std::string& s) { writeLe32(s.data() + 4, 0xFFFFFFFF); }},
        {"header length", [](std::string& s) { writeLe16(s.data() + 8, 10); }},
        {"header past end", [](std::string& s) { writeLe16(s.data() + 8, 60000); }},
        {"record length", [](std::string& s) { writeLe16(s.data() + 10, 3); }},
        {"no terminator", [](std::string& s) { s[32 + 64] = 'X'; }},
        {"zero width", [](std::string& s) { s[32 + 16] = 0; }},
    };
    for (const auto& c : cases) {
        std::string bad = good;
        c.damage(bad);
        writeFile(dir / "BAD.DBF", bad);
        std::filesystem::copy_file(dir / "GOOD.FPT", dir / "BAD.FPT",
                                   std::filesystem::copy_options::overwrite_existing);
        try {
            Table::open(dir / "BAD.DBF");
            ADD_FAILURE() << c.what << " opened";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Corrupt) << c.what << ": " << e.what();
        }
    }
    std::filesystem::remove(dir / "BAD.FPT");
    writeFile(dir / "BAD.DBF", good);
    EXPECT_THROW(Table::open(dir / "BAD.DBF"), Error); // memo file missing
}


// A new record lives in the buffer until posted: a value refused part-way, or a cancel,
// leaves nothing in the file.
TEST(TableRecords, ANewRecordReachesTheFileWholeOrNotAtAll) {
    TempDir dir;
    Table t = Table::create(dir / "N.DBF", {{"NAME", 'C', 10}, {"AMOUNT", 'N', 6, 2}});
    t.newRecord();
    t.setText("NAME", "Ann");
    EXPECT_THROW(t.setText("AMOUNT", "twelve"), Error);
    t.cancel();
    EXPECT_EQ(t.recordCount(), 0u);
    EXPECT_TRUE(t.eof());

    t.newRecord();
    t.setText("NAME", "Bob");
    t.setText("AMOUNT", "12.5");
    EXPECT_EQ(t.recordCount(), 0u);
    t.post();
    EXPECT_EQ(t.recordCount(), 1u);
    EXPECT_EQ(t.recno(), 1u);
    t.close();
    t = Table::open(dir / "N.DBF");
    EXPECT_EQ(t.text("NAME"), "Bob");
    EXPECT_EQ(t.number("AMOUNT"), 12.5);
}

} // namespace
} // namespace xbase::test
