#include "select/apply_query.h"

#include "address_fixture.h"
#include "data/data_source.h"
#include "data/xb_engine.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using selection::ApplyOutcome;
using selection::Criterion;
using selection::QueryVars;

// The five people of the fixture (four visible) behind a table, data source and engine object
// as the main window sets them up.
class ApplyQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        platform::SetProgramDir(home.path());
        const QString path = home.path() + "/ADD0001.DBF";
        testing_select::WriteAddressFile(path);
        ASSERT_TRUE(data::OpenAddressTable(path, table));
        source.setDataSet(&table);
        engine.DataSource = &source;
    }
    void TearDown() override {
        table.close();
        platform::SetProgramDir({});
    }

    selection::ApplyResult apply() { return selection::ApplyQuery(engine, vars, query, "T1"); }

    QTemporaryDir home;
    platform::ScriptedDialogs dialogs;
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
    QueryVars vars;
    QString query;
};

TEST_F(ApplyQueryTest, CriteriaAdmitTheRecordsTheyDescribe) {
    const struct {
        Criterion criterion;
        QString text;
        unsigned count;
    } cases[] = {
        {Criterion::LastName, "JO;LE", 2}, // Joplin is deleted
        {Criterion::Codes, "$C", 2},
        {Criterion::Date, ">=19970101", 1},
        {Criterion::City, "VI", 2},
        {Criterion::City, QString("vienna").leftJustified(30) + "va", 1}, // city and state
        {Criterion::LastName, "A;", 4},   // the empty alternative admits every record
        {Criterion::LastName, "<M^L", 1}, // below M but not beginning with L: Jones
        {Criterion::LastName, QString::fromUtf8("m\xc3\xbc"), 1},
    };
    for (const auto& c : cases) {
        selection::ClearQueryVars(vars);
        vars[c.criterion] = c.text;
        const selection::ApplyResult result = apply();
        EXPECT_EQ(result.outcome, ApplyOutcome::Matches) << c.text.toStdString();
        EXPECT_EQ(result.count, c.count) << c.text.toStdString();
        EXPECT_EQ(engine.queryText(), query + ".and. !ISDEL");
        EXPECT_EQ(engine.queryRecCount(), c.count);
    }
}

TEST_F(ApplyQueryTest, SeveralCriteriaAndTheTagMustAllHold) {
    vars[Criterion::LastName] = "JO";
    vars[Criterion::FirstName] = "FR";
    EXPECT_EQ(apply().count, 1u);
    EXPECT_EQ(table.fieldText("LNAME"), "Jones");

    selection::ClearQueryVars(vars);
    vars.tagged = true;
    const selection::ApplyResult tagged = apply();
    EXPECT_EQ(query, R"((UPPER(TAG)="T1"))");
    EXPECT_EQ(tagged.count, 1u);
    EXPECT_EQ(table.fieldText("LNAME"), "Smith");
}

TEST_F(ApplyQueryTest, NoFilterAdmitsEveryRecordNotDeleted) {
    vars[Criterion::LastName] = "  ";
    query = "old";
    const selection::ApplyResult result = apply();
    EXPECT_EQ(result.outcome, ApplyOutcome::NoFilter);
    EXPECT_EQ(result.count, 0u);
    EXPECT_EQ(query, "");
    EXPECT_EQ(engine.queryText(), "!ISDEL");
    EXPECT_EQ(engine.queryRecCount(), 4u);
}

TEST_F(ApplyQueryTest, NoMatchClearsTheCriteriaButKeepsTheExpression) {
    vars[Criterion::Codes] = "A+B^C";
    vars.tagged = true;
    const selection::ApplyResult result = apply();
    EXPECT_EQ(result.outcome, ApplyOutcome::NoMatch);
    EXPECT_EQ(result.count, 0u);
    EXPECT_EQ(vars, QueryVars{});
    EXPECT_TRUE(query.startsWith(R"(((UPPER(CODES)="A").and.)")) << query.toStdString();
    EXPECT_EQ(engine.queryText(), "!ISDEL");
    EXPECT_EQ(engine.queryRecCount(), 4u);
}

TEST_F(ApplyQueryTest, ExpressionTheEngineRefusesCountsAsNoMatch) {
    vars[Criterion::LastName] = "O\"Brien"; // the quote ends the string early
    const selection::ApplyResult result = apply();
    EXPECT_EQ(result.outcome, ApplyOutcome::Refused);
    EXPECT_EQ(result.count, 0u);
    EXPECT_FALSE(result.engineMessage.isEmpty());
    EXPECT_EQ(vars, QueryVars{});
    EXPECT_EQ(engine.queryText(), "!ISDEL");
    EXPECT_EQ(engine.queryRecCount(), 4u);
}

TEST_F(ApplyQueryTest, LongestExpressionIs243Characters) {
    // "X...X;" admits every record whatever its length; find the length that builds 243.
    int fill = 0;
    while (selection::BuildFieldCriterion("LNAME", QString(fill, u'X') + ";").size() < 243)
        ++fill;
    vars[Criterion::LastName] = QString(fill, u'X') + ";";
    ASSERT_EQ(selection::BuildQueryString(vars, {}).size(), 243);
    const selection::ApplyResult longest = apply();
    EXPECT_EQ(longest.outcome, ApplyOutcome::Matches);
    EXPECT_EQ(longest.count, 4u);
    EXPECT_EQ(engine.queryText().size(), 255);

    vars[Criterion::LastName] = QString(fill + 1, u'X') + ";";
    vars.tagged = true;
    const selection::ApplyResult tooLong = apply();
    EXPECT_EQ(tooLong.outcome, ApplyOutcome::TooComplex);
    EXPECT_EQ(tooLong.count, 0u);
    EXPECT_EQ(vars, QueryVars{});
    EXPECT_EQ(query, "");
    EXPECT_EQ(engine.queryText(), "!ISDEL");
}

TEST_F(ApplyQueryTest, RecordSelections) {
    using selection::RecordSelection;
    EXPECT_EQ(selection::RecordSelectionCaption(RecordSelection::AllRecords), "All records");
    EXPECT_EQ(selection::RecordSelectionCaption(RecordSelection::MatchingFilter),
              "Records matching filter");
    EXPECT_EQ(selection::RecordSelectionCaption(RecordSelection::CurrentRecord),
              "Only current record");

    const QString jo = R"(UPPER(LNAME)="JO")";
    const struct {
        RecordSelection selection;
        QString queryString;
        QString query;
        unsigned count;
    } cases[] = {
        {RecordSelection::AllRecords, jo, "!ISDEL", 4},
        {RecordSelection::MatchingFilter, jo, jo + ".and. !ISDEL", 1},
        {RecordSelection::MatchingFilter, "", "!ISDEL", 4},
        {RecordSelection::CurrentRecord, jo, "RECNO()=3", 1},
    };
    for (const auto& c : cases) {
        selection::SetSelectionQuery(engine, c.selection, c.queryString, 3);
        EXPECT_EQ(engine.queryText(), c.query);
        EXPECT_EQ(engine.queryRecCount(), c.count) << c.query.toStdString();
    }
    EXPECT_EQ(table.recordNumber(), 3u);
    EXPECT_EQ(table.fieldText("LNAME"), "Smith");
}

} // namespace
