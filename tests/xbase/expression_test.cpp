#include "test_support.h"

#include "xbase/expression.h"

#include <gtest/gtest.h>

namespace xbase::test {
namespace {

// Five address records; record 4 carries the deletion mark and ISDEL.
class ExpressionTest : public ::testing::Test {
protected:
    void SetUp() override {
        table = Table::create(dir / "ADDR.DBF", addressFields());
        struct Row {
            const char *lname, *fname, *city, *state, *zip, *date, *codes, *tag, *manufac;
            bool isdel;
        };
        const Row rows[] = {
            {"Smith", "Fred", "Vienna", "VA", "22180", "19970428", "ABC", "T1", "avery", false},
            {"Johnson", "Frank", "Boston", "MA", "02110", "19961231", "B", "", "costar", false},
            {"le Blanc", "Anne", "Vicksburg", "MS", "39180", "", "xc", "T1", "Avery", false},
            {"Jones", "Bob", "Denver", "CO", "80202", "19970101", "C", "", "", true},
            {"Lee", "", "", "", "", "20000229", "", "", "", false},
        };
        for (const Row& r : rows) {
            table.appendBlank();
            table.setText("LNAME", r.lname);
            table.setText("FNAME", r.fname);
            table.setText("CITY", r.city);
            table.setText("STATE", r.state);
            table.setText("ZIP", r.zip);
            table.setText("DATE", r.date);
            table.setText("CODES", r.codes);
            table.setText("TAG", r.tag);
            table.setText("USER1", r.manufac);
            table.setLogical("ISDEL", r.isdel);
            table.post();
            if (r.isdel)
                table.setDeleted(true);
        }
    }

    // Record numbers (1-5) for which the logical expression is true.
    std::string matching(const std::string& text, bool exact = false) {
        Expression e = table.compile(text);
        std::string out;
        for (std::uint32_t r = 1; r <= table.recordCount(); ++r) {
            table.goTo(r);
            if (e.evaluateLogical(table.record(), EvalOptions{exact}))
                out += char('0' + r);
        }
        return out;
    }

    TempDir dir;
    Table table;
};

struct QueryCase {
    const char* expression;
    const char* records; // record numbers that match
};

TEST_F(ExpressionTest, QueriesOfFiltersTagsAndLabelsSelectTheRightRecords) {
    const QueryCase cases[] = {
        {"!ISDEL", "1235"},
        {"NOT ISDEL", "1235"},
        {".not. ISDEL", "1235"},
        {"not DELETED()", "1235"},
        {"DELETED()", "4"},
        {"ISDEL", "4"},
        {"((UPPER(LNAME)=\"JO\").or.(UPPER(LNAME)=\"LE\"))", "2345"},
        {"\"C\"$UPPER(CODES)", "134"},
        {"\"C\"$UPPER(CODES) .and. !ISDEL", "13"},
        {"UPPER(DATE)>=\"19970101\"", "145"},
        {"((UPPER(CODES)=\"A\").and.(((UPPER(CODES)=\"B\").and..not.(UPPER(CODES)=\"C\"))))", ""},
        {"UPPER(LNAME)=\"JO\" and UPPER(FNAME)=\"FR\"", "2"},
        {"UPPER(CITY+STATE)=\"VI\"", "13"},
        {"((UPPER(LNAME)=\"A\").or.(UPPER(LNAME)=\"\"))", "12345"},
        {"UPPER(LNAME)=\"JO\" .and. \"C\"$UPPER(CODES) .and. !ISDEL", ""},
        {"(UPPER(TAG)=\"T1\")", "13"},
        {"Recno()=3", "3"},
        {"RECNO() > 3 .AND. RECNO() <= 5", "45"},
        {" UPPER(user1)=\"AVERY\"  and  UPPER(lname)=\"SMITH\" ", "1"},
        {"UPPER(USER1)=\"AVERY\" OR UPPER(USER1)=\"COSTAR\"", "123"},
        {" (\"ABC\"$UPPER(CODES) OR \"XC\"$UPPER(CODES))", "13"},
        {"lname = 'Smith'", "1"},
        {"LNAME == 'Smith'", ""}, // == also compares the trailing blanks
        {"TRIM(LNAME) == 'Smith'", "1"},
        {"LNAME <> \"Smith\"", "2345"},
        {"LNAME # \"Smith\"", "2345"},
        {"LNAME != \"Smith\"", "2345"},
        {"UPPER(LNAME) > \"K\"", "135"},
        {"UPPER(LNAME) < \"JONES\"", "2"},
        {"UPPER(LNAME-FNAME) = \"SMITHFRED\"", "1"},
        {"UPPER(LNAME+FNAME) = \"SMITH\"", "1"},
        {"\"\"$CODES", ""},
        {".T.", "12345"},
        {".F. .OR. ISDEL", "4"},
        {"!(.not. ISDEL)", "4"},
        {"1 + 2 * 3 = 7", "12345"},
        {"-RECNO() < -4", "5"},
        {"LEN(TRIM(LNAME)) = 3", "5"},
        {"SUBSTR(LNAME, 2, 3) = \"mit\"", "1"},
        {"LEFT(ZIP, 2) = \"22\" .or. RIGHT(TRIM(ZIP), 2) = \"02\"", "14"},
        {"IIF(ISDEL, \"Y\", \"N\") = \"Y\"", "4"},
        {"EMPTY(FNAME)", "5"},
        {"VAL(ZIP) > 39000", "34"},
        {"STR(RECNO(), 3) = \"  2\"", "2"},
        {"ALLTRIM(\"  x  \") == \"x\"", "12345"},
        {"LOWER(STATE) = \"va\"", "1"},
    };
    for (const QueryCase& c : cases)
        EXPECT_EQ(matching(c.expression), c.records) << c.expression;
}

TEST_F(ExpressionTest, ExactOnComparesWholeStrings) {
    EXPECT_EQ(matching("UPPER(LNAME)=\"JO\"", false), "24");
    EXPECT_EQ(matching("UPPER(LNAME)=\"JO\"", true), "");
    EXPECT_EQ(matching("UPPER(LNAME)=\"JONES\"", true), "4");
    EXPECT_EQ(matching("UPPER(LNAME)=\"\"", true), "");
    EXPECT_EQ(matching("UPPER(LNAME)>=\"SMITH\"", true), "1");
}

TEST_F(ExpressionTest, ResultTypesAndWidthsAreKnownAfterParsing) {
    struct Case {
        const char* text;
        ValueType type;
        std::size_t width;
    };
    const Case cases[] = {
        {"UPPER(LNAME-FNAME)", ValueType::String, 60},
        {"UPPER(LNAME)+UPPER(FNAME)", ValueType::String, 60},
        {"UPPER(CITY+STATE)", ValueType::String, 50},
        {"DELETED()", ValueType::Logical, 1},
        {"ISDEL", ValueType::Logical, 1},
        {"!ISDEL", ValueType::Logical, 1},
        {"RECNO()", ValueType::Number, 10},
        {"SUBSTR(LNAME,1,5)", ValueType::String, 5},
        {"STR(RECNO(),6)", ValueType::String, 6},
    };
    for (const Case& c : cases) {
        Expression e = table.compile(c.text);
        EXPECT_EQ(e.type(), c.type) << c.text;
        EXPECT_EQ(e.width(), c.width) << c.text;
    }
    // Every key of the address file's tags, with the key width an index needs.
    const std::pair<const char*, std::size_t> tagKeys[] = {{"UPPER(LNAME-FNAME)", 60},
                                                           {"UPPER(LNAME)+UPPER(FNAME)", 60},
                                                           {"UPPER(FNAME)", 30},
                                                           {"UPPER(TITLE)", 30},
                                                           {"UPPER(ORG)", 30},
                                                           {"UPPER(STREET)", 40},
                                                           {"UPPER(STREET2)", 40},
                                                           {"UPPER(CITY+STATE)", 50},
                                                           {"UPPER(STATE)", 20},
                                                           {"UPPER(ZIP)", 10},
                                                           {"UPPER(COUNTRY)", 30},
                                                           {"UPPER(PHONE)", 30},
                                                           {"UPPER(PHONE2)", 30},
                                                           {"UPPER(EMAIL)", 30},
                                                           {"UPPER(FAX)", 30},
                                                           {"UPPER(USER1)", 40},
                                                           {"UPPER(USER2)", 40},
                                                           {"UPPER(DATE)", 15},
                                                           {"UPPER(TAG)", 8},
                                                           {"UPPER(CODES)", 30},
                                                           {"UPPER(PREFIX)", 12},
                                                           {"UPPER(MIDDLE)", 1},
                                                           {"DELETED()", 1},
                                                           {"UPPER(STATE-ZIP)", 30},
                                                           {"ISDEL", 1},
                                                           {"!ISDEL", 1}};
    for (const auto& [key, width] : tagKeys)
        EXPECT_EQ(table.compile(key).width(), width) << key;

    table.goTo(1);
    Expression key = table.compile("UPPER(LNAME-FNAME)");
    std::string expected = "SMITHFRED" + std::string(51, ' ');
    EXPECT_EQ(key.evaluateString(table.record()), expected);
    Value v = key.evaluate(table.record());
    EXPECT_EQ(v.type, ValueType::String);
    EXPECT_EQ(v.text, expected);
    EXPECT_EQ(table.compile("RECNO()*2").evaluateNumber(table.record()), 2.0);
}

TEST_F(ExpressionTest, SyntaxErrorsNameThePositionAndToken) {
    struct Case {
        const char* text;
        const char* message; // a part of the message
    };
    const Case cases[] = {
        {"UPPER(LNAME", "position 12 near end of expression"},
        {"UPPER(LNAME))", "position 13 near \")\""},
        {"LNAME = \"abc", "position 9"},
        {"NOSUCH = \"x\"", "position 1 near \"NOSUCH\": no field"},
        {"LNAME = 3", "position 7 near \"=\": cannot compare character with numeric"},
        {"ISDEL .and. LNAME", ".AND. needs a logical operand"},
        {"FOO(LNAME)", "position 1 near \"FOO\": unknown function"},
        {"LNAME .xor. FNAME", "position 7 near \".XOR.\""},
        {"LNAME @ FNAME", "position 7 near \"@\""},
        {"MEMO = \"x\"", "cannot be used"},
        {"", "empty"},
        {"UPPER()", "UPPER() takes 1 arguments"},
    };
    for (const Case& c : cases) {
        try {
            table.compile(c.text);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Syntax) << c.text;
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.text << " gave: " << e.what();
        }
    }
}

TEST_F(ExpressionTest, ExpressionsLongerThan255CharactersAreRefused) {
    std::string term = "UPPER(LNAME)=\"A\"";
    std::string text = term;
    while (text.size() + term.size() + 7 <= 255)
        text += " .or. " + term;
    text.resize(255, ' ');
    EXPECT_NO_THROW(table.compile(text));
    text += " ";
    EXPECT_THROW(table.compile(text), Error);
}

TEST_F(ExpressionTest, QueryOnTheTableFiltersNavigationAndCounts) {
    table.settings().deleted = true;
    table.setQuery("\"C\"$UPPER(CODES)");
    EXPECT_EQ(table.query(), "\"C\"$UPPER(CODES)");
    EXPECT_EQ(table.queryCount(), 2u);
    table.top();
    EXPECT_EQ(table.recno(), 1u);
    table.skip();
    EXPECT_EQ(table.recno(), 3u);
    table.skip();
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(table.recno(), 6u);
    table.bottom();
    EXPECT_EQ(table.recno(), 3u);
    table.settings().deleted = false;
    EXPECT_EQ(table.queryCount(), 3u);
    table.clearQuery();
    EXPECT_EQ(table.query(), "");
    EXPECT_EQ(table.queryCount(), 5u);
    EXPECT_THROW(table.setQuery("LNAME"), Error); // not logical
    EXPECT_EQ(table.query(), "");
    table.setQuery("UPPER(LNAME)=\"NOBODY\"");
    table.top();
    EXPECT_TRUE(table.eof());
    EXPECT_TRUE(table.bof());
}

} // namespace
} // namespace xbase::test
