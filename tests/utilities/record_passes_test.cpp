// The passes that change records: case conversion, deletion, search and replace. Each is
// checked for the records it touches and for the file it leaves, also when stopped.
#include "tests/utilities/utility_fixture.h"
#include "utilities/case_conversion.h"
#include "utilities/record_deletion.h"
#include "utilities/search_replace.h"

#include <gtest/gtest.h>

namespace {

using testing_utilities::UtilityFixture;
using namespace utilities;

TEST(CaseConversionRules, TouchOnlyAsciiLetters) {
    const struct {
        const char* value;
        CaseConversion to;
        const char* converted;
    } cases[] = {
        {"Dr. van der Berg", CaseConversion::Upper, "DR. VAN DER BERG"},
        {"M\xc3\xbcller \xc3\xa9t\xc3\xa9", CaseConversion::Upper,
         "M\xc3\xbcLLER \xc3\xa9T\xc3\xa9"},
        {"O'Neil-BAKER", CaseConversion::Lower, "o'neil-baker"},
        {"\xc3\x89MILE", CaseConversion::Lower, "\xc3\x89mile"},
        {"o'NEIL-BAKER JR", CaseConversion::FirstLetter, "O'neil-baker Jr"},
        {"123 MAIN ST", CaseConversion::FirstLetter, "123 Main St"},
        {"  leading blanks", CaseConversion::FirstLetter, "  Leading Blanks"},
        {"j.r.r. tolkien", CaseConversion::FirstLetter, "J.r.r. Tolkien"},
        {"", CaseConversion::FirstLetter, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertCase(QString::fromUtf8(c.value), c.to), QString::fromUtf8(c.converted))
            << c.value;
}

class RecordPassTest : public ::testing::Test, public UtilityFixture {
protected:
    // A stop request after `records` records.
    static PassStep stopAfter(unsigned records) {
        return [records](const PassState& state) { return state.done < records; };
    }
};

TEST_F(RecordPassTest, CaseConversionConvertsTheChosenFieldsOfTheSelection) {
    const unsigned a = add({{"LNAME", "adams"}, {"CITY", "boston"}, {"PHONE", "ext a"}});
    const unsigned b = add({{"LNAME", "baker"}, {"CITY", "denver"}, {"CODES", "x"}});
    const unsigned c = add({{"LNAME", "cole"}, {"CITY", "austin"}, {"ISDEL", "T"}});
    // Only City, for every record not deleted by the user; the filter is set aside meanwhile.
    engine.setQuery("UPPER(LNAME)=\"A\" .and. !ISDEL");
    engine.go(b);
    CaseResult result = RunCaseConversion(table, engine, selection::RecordSelection::AllRecords,
                                          CaseConversion::Upper, {"CITY"});
    EXPECT_EQ(result.converted, 2u);
    EXPECT_EQ(valueOf(a, "CITY"), "BOSTON");
    EXPECT_EQ(valueOf(b, "CITY"), "DENVER");
    EXPECT_EQ(valueOf(c, "CITY"), "austin");
    EXPECT_EQ(valueOf(a, "LNAME"), "adams");
    EXPECT_EQ(engine.queryText(), "UPPER(LNAME)=\"A\" .and. !ISDEL");
    EXPECT_EQ(table.recordNumber(), b);

    // The filter's matches; the phone is never converted.
    engine.go(a);
    QStringList every;
    for (const CaseField& field : CaseFields())
        every << field.field;
    result = RunCaseConversion(table, engine, selection::RecordSelection::MatchingFilter,
                               CaseConversion::Upper, every + QStringList{"PHONE"});
    EXPECT_EQ(result.changed, (QList<unsigned>{a}));
    EXPECT_EQ(valueOf(a, "LNAME"), "ADAMS");
    EXPECT_EQ(valueOf(a, "PHONE"), "ext a");
    EXPECT_EQ(valueOf(b, "LNAME"), "baker");

    // The current record only.
    engine.setQuery("!ISDEL");
    engine.go(b);
    result = RunCaseConversion(table, engine, selection::RecordSelection::CurrentRecord,
                               CaseConversion::FirstLetter, every);
    EXPECT_EQ(result.converted, 1u);
    EXPECT_EQ(valueOf(b, "LNAME"), "Baker");
    EXPECT_EQ(valueOf(b, "CODES"), "X");
    EXPECT_EQ(valueOf(a, "LNAME"), "ADAMS");
    EXPECT_TRUE(problemsOnDisk().empty());
}

TEST_F(RecordPassTest, AStoppedCaseConversionLeavesEachRecordDoneOrUntouched) {
    QList<unsigned> records;
    for (const char* last : {"a", "b", "c", "d", "e", "f"})
        records << add({{"LNAME", last}, {"STREET", QString(last) + " street"}});
    const CaseResult result =
        RunCaseConversion(table, engine, selection::RecordSelection::AllRecords,
                          CaseConversion::Upper, {"LNAME", "STREET"}, stopAfter(3));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.converted, 3u);
    for (int i = 0; i < records.size(); ++i) {
        const bool done = i < 3;
        EXPECT_EQ(valueOf(records[i], "LNAME"),
                  done ? QString(QChar('A' + i)) : QString(QChar('a' + i)));
        EXPECT_EQ(valueOf(records[i], "STREET").startsWith(QChar('A' + i)), done);
    }
    // Every tag current, and the file pushed to the disk with an index that vouches for it.
    EXPECT_TRUE(indexProblems().empty());
    EXPECT_TRUE(problemsOnDisk().empty());
}

TEST_F(RecordPassTest, DeletionWalksTheFilterItsNegationOrEmptiesTheFile) {
    const char* filter = "UPPER(CITY+STATE)=\"SPRINGFIELD\"";
    const struct {
        DeleteScope scope;
        unsigned deleted;
        QStringList kept; // the records left without ISDEL
    } cases[] = {
        {DeleteScope::OutsideFilter, 2, {"Spring 1", "Spring 2"}},
        {DeleteScope::MatchingFilter, 3, {"Boston", "Denver"}},
        {DeleteScope::AllRecords, 5, {}},
    };
    for (const auto& c : cases) {
        table.close();
        ASSERT_TRUE(data::CreateAddressFile(path, table, engine));
        reopen();
        add({{"LNAME", "Spring 1"}, {"CITY", "Springfield"}});
        add({{"LNAME", "Boston"}, {"CITY", "Boston"}});
        add({{"LNAME", "Spring 2"}, {"CITY", "springfield"}});
        add({{"LNAME", "Denver"}, {"CITY", "Denver"}});
        // Deleted before and still matching: counted again.
        add({{"LNAME", "Spring 0"}, {"CITY", "Springfield"}, {"ISDEL", "T"}});
        engine.go(5);
        table.deleteRecord();
        engine.setQuery(filter);
        const DeleteResult result = RunDeleteRecords(table, engine, c.scope, filter);
        EXPECT_EQ(result.deleted, c.deleted) << int(c.scope);
        engine.setQuery("!ISDEL");
        QStringList kept;
        for (table.first(); !table.eof(); table.next())
            kept << table.fieldText("LNAME");
        kept.sort();
        EXPECT_EQ(kept, c.kept) << int(c.scope);
        for (unsigned recno : result.records) {
            if (c.scope == DeleteScope::AllRecords)
                break; // the file was emptied
            EXPECT_EQ(valueOf(recno, "ISDEL"), "T");
            EXPECT_TRUE(markedDeleted(recno));
        }
        EXPECT_TRUE(data::TXbEnv::instance().Deleted);
        EXPECT_TRUE(problemsOnDisk().empty()) << int(c.scope);
    }
    EXPECT_EQ(table.recordCount(), 0u);
}

TEST_F(RecordPassTest, AStoppedDeletionLeavesTheRestUntouched) {
    for (int i = 0; i < 5; ++i)
        add({{"LNAME", QString("Name %1").arg(i)}, {"CITY", "X"}});
    const DeleteResult result = RunDeleteRecords(table, engine, DeleteScope::MatchingFilter,
                                                 "UPPER(CITY+STATE)=\"X\"", stopAfter(2));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.records, (QList<unsigned>{1, 2}));
    for (unsigned recno = 1; recno <= 5; ++recno) {
        EXPECT_EQ(markedDeleted(recno), recno <= 2);
        EXPECT_EQ(valueOf(recno, "ISDEL"), recno <= 2 ? "T" : "F");
    }
    EXPECT_TRUE(problemsOnDisk().empty());
}

TEST(SearchValues, AreStringConstantsWhateverTheyHold) {
    const struct {
        const char* text;
        const char* constant;
    } cases[] = {
        {"Baker", "\"Baker\""},          {"O\"Brien", "'O\"Brien'"},
        {"5' 2\"", "[5' 2\"]"},          {"a\"b'c]d", "(\"a\"+'\"'+\"b'c]d\")"},
        {"\"\"'[]", "('\"\"'+\"'[]\")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringConstant(c.text), c.constant) << c.text;
}

TEST(SearchAndReplaceTexts, AskAndTestAsChosen) {
    ReplaceOptions o;
    o.field = "LNAME";
    o.displayName = "Last Name";
    o.find = "Bak";
    o.with = "Baker";
    o.match = FindMatch::BeginsWith;
    EXPECT_EQ(ReplaceConfirmation(o), "Find records where field Last Name\rbegins with: \"Bak\"  "
                                      "(case sensitive)\rand replace the entire field with "
                                      "\"Baker\"");
    EXPECT_EQ(ReplaceTestExpression(o), "LEFT(LNAME,3)==\"Bak\"");
    o.caseSensitive = false;
    o.match = FindMatch::Contains;
    o.find = "cow";
    o.with.clear();
    o.mode = ReplaceMode::MatchingText;
    EXPECT_EQ(ReplaceConfirmation(o), "Find records where field Last Name\rcontains: \"cow\" (not "
                                      "case sensitive)\rand delete the matching text ");
    EXPECT_EQ(ReplaceTestExpression(o), "upper(\"COW\")$upper(LNAME)");
    o.match = FindMatch::Exact;
    o.find = "Bak ";
    EXPECT_EQ(ReplaceTestExpression(o), "upper(RTRIM(LNAME))==upper(\"BAK\")");
    o.find.clear();
    o.mode = ReplaceMode::WholeField;
    EXPECT_EQ(ReplaceConfirmation(o),
              "Find records where field Last Name\ris empty \rand delete the entire field ");
    EXPECT_EQ(ReplaceTestExpression(o), "EMPTY(LNAME)");
}

TEST(SearchAndReplaceTexts, ReplaceEachOccurrenceUpToTheLimit) {
    ReplaceOptions o;
    o.mode = ReplaceMode::MatchingText;
    o.find = "cow";
    o.with = "bull";
    o.caseSensitive = false;
    EXPECT_EQ(ReplacedValue(o, "COWBOY"), "bullBOY");
    EXPECT_EQ(ReplacedValue(o, "cow Cow cOw"), "bull bull bull");
    o.caseSensitive = true;
    EXPECT_EQ(ReplacedValue(o, "cow Cow"), "bull Cow");
    o.find = "a";
    o.with = "b";
    EXPECT_EQ(ReplacedValue(o, QString(60, u'a')), QString(50, u'b') + QString(10, u'a'));
    o.mode = ReplaceMode::WholeField;
    EXPECT_EQ(ReplacedValue(o, "banana"), "b");
}

TEST_F(RecordPassTest, SearchAndReplaceChangesTheRecordsTheComparisonFinds) {
    const struct {
        const char* what;
        FindMatch match;
        const char* find;
        bool caseSensitive;
        ReplaceMode mode;
        const char* with;
        QStringList after; // every last name afterwards, in record order
    } cases[] = {
        {"begins with",
         FindMatch::BeginsWith,
         "Bak",
         true,
         ReplaceMode::WholeField,
         "Baker",
         {"Baker", "Baker", "Baker", "bakery", "COWBOY", "", "O\"Brien", "O"}},
        {"exactly",
         FindMatch::Exact,
         "Bak",
         true,
         ReplaceMode::WholeField,
         "Baker",
         {"Baker", "Baker", "Bakersfield", "bakery", "COWBOY", "", "O\"Brien", "O"}},
        {"contains, any case",
         FindMatch::Contains,
         "cow",
         false,
         ReplaceMode::MatchingText,
         "bull",
         {"Bak", "Baker", "Bakersfield", "bakery", "bullBOY", "", "O\"Brien", "O"}},
        {"empty fields",
         FindMatch::Exact,
         "",
         true,
         ReplaceMode::WholeField,
         "Nobody",
         {"Bak", "Baker", "Bakersfield", "bakery", "COWBOY", "Nobody", "O\"Brien", "O"}},
        {"a quote in the value",
         FindMatch::Exact,
         "O\"Brien",
         true,
         ReplaceMode::WholeField,
         "O'Brien",
         {"Bak", "Baker", "Bakersfield", "bakery", "COWBOY", "", "O'Brien", "O"}},
        {"a quote in the value, begins with",
         FindMatch::BeginsWith,
         "O\"",
         false,
         ReplaceMode::MatchingText,
         "O'",
         {"Bak", "Baker", "Bakersfield", "bakery", "COWBOY", "", "O'Brien", "O"}},
    };
    for (const auto& c : cases) {
        table.close();
        ASSERT_TRUE(data::CreateAddressFile(path, table, engine));
        reopen();
        for (const char* last :
             {"Bak", "Baker", "Bakersfield", "bakery", "COWBOY", "", "O\"Brien", "O"})
            add({{"LNAME", last}});
        ReplaceOptions o;
        o.field = "LNAME";
        o.displayName = "Last Name";
        o.match = c.match;
        o.find = c.find;
        o.caseSensitive = c.caseSensitive;
        o.mode = c.mode;
        o.with = c.with;
        RunSearchAndReplace(table, engine, o, {}, false);
        QStringList after;
        for (unsigned recno = 1; recno <= 8; ++recno)
            after << valueOf(recno, "LNAME");
        EXPECT_EQ(after, c.after) << c.what;
        // The last-name order is the table's order again.
        EXPECT_EQ(engine.tagName(), "LNAME") << c.what;
        EXPECT_TRUE(problemsOnDisk().empty()) << c.what;
    }
}

TEST_F(RecordPassTest, EveryKindOfQuoteFindsExactlyItsRecords) {
    const QStringList values{"a\"b'c]d", "a\"b", "b'c", "c]d", "x\"b'c]y", "ab'c]d"};
    for (const QString& value : values)
        add({{"USER1", value}});
    ReplaceOptions o;
    o.field = "USER1";
    o.match = FindMatch::Contains;
    o.find = "\"b'c]";
    o.mode = ReplaceMode::MatchingText;
    o.with = "-";
    const ReplaceResult result = RunSearchAndReplace(table, engine, o, {}, false);
    EXPECT_EQ(result.records, (QList<unsigned>{1, 5}));
    EXPECT_EQ(valueOf(1, "USER1"), "a-d");
    EXPECT_EQ(valueOf(5, "USER1"), "x-y");
    o.match = FindMatch::Exact;
    o.find = "a\"b";
    o.mode = ReplaceMode::WholeField;
    o.with = "found";
    EXPECT_EQ(RunSearchAndReplace(table, engine, o, {}, false).records, (QList<unsigned>{2}));
}

TEST_F(RecordPassTest, SearchAndReplaceKeepsToTheFilterAndPassesOverMarkedRecords) {
    add({{"LNAME", "Smith"}, {"CITY", "Boston"}});
    add({{"LNAME", "Smith"}, {"CITY", "Denver"}});
    add({{"LNAME", "Smith"}, {"CITY", "Boston"}});
    engine.go(3);
    table.deleteRecord();
    ReplaceOptions o;
    o.field = "LNAME";
    o.find = "Smith";
    o.with = "Smyth";
    const QString filter = "UPPER(CITY+STATE)=\"BOSTON\"";
    const ReplaceResult result = RunSearchAndReplace(table, engine, o, filter, true);
    EXPECT_EQ(result.records, (QList<unsigned>{1}));
    EXPECT_EQ(valueOf(2, "LNAME"), "Smith");
    EXPECT_EQ(valueOf(3, "LNAME"), "Smith");
    EXPECT_TRUE(data::TXbEnv::instance().Deleted);
}

TEST_F(RecordPassTest, AStoppedReplacementLeavesTheRestUntouched) {
    for (int i = 0; i < 5; ++i)
        add({{"LNAME", "Smith"}, {"FNAME", QString::number(i)}});
    ReplaceOptions o;
    o.field = "LNAME";
    o.find = "Smith";
    o.with = "Smyth";
    const ReplaceResult result = RunSearchAndReplace(table, engine, o, {}, false, stopAfter(2));
    EXPECT_TRUE(result.stopped);
    for (unsigned recno = 1; recno <= 5; ++recno)
        EXPECT_EQ(valueOf(recno, "LNAME"), recno <= 2 ? "Smyth" : "Smith");
    EXPECT_TRUE(problemsOnDisk().empty());
}

TEST_F(RecordPassTest, AReplacementTheTableCannotHoldChangesNothing) {
    add({{"LNAME", "Smith"}});
    ReplaceOptions o;
    o.field = "LNAME";
    o.find = "Smith";
    o.with = QString::fromUtf8("\xe6\x9d\xb1"); // not in Windows-1252
    EXPECT_THROW(RunSearchAndReplace(table, engine, o, {}, false), data::TableError);
    EXPECT_EQ(valueOf(1, "LNAME"), "Smith");
}

} // namespace
