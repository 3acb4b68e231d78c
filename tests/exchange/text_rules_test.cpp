// The rules that cut text files into records and fields, and how their encoding is found.
#include "exchange/ascii_sample.h"
#include "exchange/csv_reader.h"
#include "exchange/text_encoding.h"
#include "exchange/text_lines.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

using namespace exchange;
using Fields = std::vector<std::string>;

namespace {

Fields plain(std::string_view line) {
    Fields fields = SplitPlainLine(line);
    for (std::string& f : fields)
        f = UnquotePlain(f);
    return fields;
}

} // namespace

TEST(PlainQuoting, CutsLinesByTheProgramsQuoteRule) {
    const struct {
        const char* line;
        Fields fields;
    } cases[] = {
        {"Smith,John", {"Smith", "John"}},
        {R"("Smith, Jr.",John)", {"Smith, Jr.", "John"}},
        {R"("quoted" rest,x)", {"\"quoted\" rest", "x"}},
        {"", {""}},
        {"a,", {"a", ""}},
        {R"("",x)", {"", "x"}},
        // Two double quotes stay two, and a comma after them stands inside the quotes: such a
        // line does not read back one field a quoted value.
        {R"("a""b",c)", {R"("a""b",c)"}},
        {R"(a"b,c)", {"a\"b,c"}},
        {R"("x",,"y")", {"x", "", "y"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plain(c.line), c.fields) << c.line;
}

TEST(Rfc4180Quoting, ReadsDoubledQuotesAndBreaksInsideQuotes) {
    const struct {
        std::vector<std::string> lines;
        Fields fields;
        bool special;
    } cases[] = {
        {{R"("a""b",c)"}, {"a\"b", "c"}, true},
        {{R"(a,"b,c",)"}, {"a", "b,c", ""}, false},
        {{R"("two)", R"(lines",x)"}, {"two\nlines", "x"}, true},
        {{R"("open)"}, {"open"}, false},
        {{R"(a"b,c)"}, {"a\"b", "c"}, false},
        {{R"("x"y,z)"}, {"xy", "z"}, false},
    };
    for (const auto& c : cases) {
        std::size_t next = 1;
        Fields fields;
        const bool special = ParseRfc4180Record(
            c.lines[0],
            [&](std::string& more) {
                if (next >= c.lines.size())
                    return false;
                more = c.lines[next++];
                return true;
            },
            fields);
        EXPECT_EQ(fields, c.fields) << c.lines[0];
        EXPECT_EQ(special, c.special) << c.lines[0];
    }
    EXPECT_TRUE(LooksLikeRfc4180({R"("O""Brien","x")"}));
    EXPECT_FALSE(LooksLikeRfc4180({R"("Smith, Jr.","x")", "a,b"}));
}

TEST(Encoding, IsFoundByLookingAtTheBytes) {
    const struct {
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"\xEF\xBB\xBFname", TextEncoding::Utf8},
        {"\xFF\xFEn\0a\0", TextEncoding::Utf16LE},
        {"\xFE\xFF\0n\0a", TextEncoding::Utf16BE},
        {std::string("S\0m\0i\0t\0h\0,\0J\0", 14), TextEncoding::Utf16LE},
        {std::string("\0S\0m\0i\0t\0h\0,", 12), TextEncoding::Utf16BE},
        {"Caf\xC3\xA9,M\xC3\xBCller", TextEncoding::Utf8},
        {"Caf\xE9,M\xFCller", TextEncoding::Windows1252},
        {"plain ascii", TextEncoding::Utf8},
        {"cut \xC3", TextEncoding::Windows1252},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectEncoding(c.bytes), c.encoding) << c.bytes;
    // A sample may end inside a character.
    EXPECT_EQ(DetectEncoding("cut \xC3", false), TextEncoding::Utf8);
    EXPECT_EQ(EncodingByName("cp1252"), TextEncoding::Windows1252);
    EXPECT_EQ(EncodingByName("utf8"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingByName("utf-16"), TextEncoding::Utf16LE);
    EXPECT_FALSE(EncodingByName("klingon"));
}

class LineReading : public ::testing::Test {
protected:
    std::vector<std::string> lines(const std::string& bytes, TextEncoding encoding) {
        const std::string file = dir.path().toStdString() + "/t.txt";
        std::ofstream(file, std::ios::binary) << bytes;
        TextLineReader reader(file, encoding);
        EXPECT_TRUE(reader.rewind());
        std::vector<std::string> all;
        std::string line;
        while (reader.next(line)) {
            all.push_back(line);
            EXPECT_EQ(reader.lineNumber(), all.size());
        }
        EXPECT_FALSE(reader.failed());
        return all;
    }
    QTemporaryDir dir;
};

TEST_F(LineReading, EndsLinesAtCrLfLfOrCrAndDecodes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(lines("a\r\nb\r\n", TextEncoding::Utf8), (V{"a", "b"}));
    EXPECT_EQ(lines("a\n\nb", TextEncoding::Utf8), (V{"a", "", "b"}));
    EXPECT_EQ(lines("a\rb\r\n\r\n", TextEncoding::Utf8), (V{"a", "b", ""}));
    EXPECT_EQ(lines("\xEF\xBB\xBF"
                    "caf\xC3\xA9",
                    TextEncoding::Utf8),
              (V{"caf\xC3\xA9"}));
    EXPECT_EQ(lines("caf\xE9", TextEncoding::Windows1252), (V{"caf\xC3\xA9"}));
    EXPECT_EQ(lines("", TextEncoding::Utf8), V{});
    // UTF-16 with a character outside the basic plane (a surrogate pair).
    const std::string le("\xFF\xFE"
                         "a\0\r\0\n\0\x3D\xD8\x00\xDE"
                         "b\0",
                         14);
    EXPECT_EQ(lines(le, TextEncoding::Utf16LE), (V{"a", "\xF0\x9F\x98\x80"
                                                        "b"}));
    // A lone surrogate is never turned into another character: it stays a fault to report.
    EXPECT_EQ(lines(std::string("x\0\x00\xD8", 4), TextEncoding::Utf16LE), (V{"x\xFF"}));
}

TEST_F(LineReading, JoinsCharactersCutBetweenPieces) {
    // Pieces are 64 KiB: a surrogate pair stands across the first boundary.
    std::string le = "\xFF\xFE";
    while (le.size() < 65534)
        le += std::string("x\0", 2);
    le += std::string("\x3D\xD8\x00\xDE\n\x00", 6);
    const auto all = lines(le, TextEncoding::Utf16LE);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].size(), 32766u + 4u);
    EXPECT_TRUE(all[0].ends_with("\xF0\x9F\x98\x80"));
}

TEST_F(LineReading, SamplesColumnsFromTheFirstLines) {
    const std::string file = dir.path().toStdString() + "/s.csv";
    std::ofstream(file, std::ios::binary) << "a,bb,c\r\nlonger value,\xC3\xA9\xC3\xA9\xC3\xA9\r\n";
    const AsciiSample sample = SampleAsciiFile(file, TextEncoding::Utf8, CsvQuoting::Plain);
    ASSERT_EQ(sample.columns.size(), 3u);
    EXPECT_EQ(sample.columns[0].name, "Field 1");
    EXPECT_EQ(sample.columns[0].longest, 12);
    EXPECT_EQ(sample.columns[1].longest, 3); // characters, not bytes
    EXPECT_EQ(sample.rows.size(), 2u);
}
