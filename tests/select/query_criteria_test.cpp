#include "select/query_criteria.h"

#include <gtest/gtest.h>

namespace {

using selection::BuildFieldCriterion;
using selection::BuildQueryString;
using selection::Criterion;
using selection::QueryVars;

TEST(QueryCriteria, TableFollowsTheBoxOrder) {
    const auto& rows = selection::Criteria();
    EXPECT_STREQ(rows.front().boxName, "qLName");
    EXPECT_STREQ(rows.back().boxName, "quser2");
    const auto& city = selection::InfoOf(Criterion::City);
    EXPECT_STREQ(city.boxName, "qCity");
    EXPECT_STREQ(city.expression, "CITY+STATE");
    EXPECT_STREQ(city.mirrorField, "CITY");
    EXPECT_STREQ(selection::InfoOf(Criterion::Date).expression, "DATE");
    EXPECT_STREQ(selection::InfoOf(Criterion::Codes).boxName, "qCodes");
    EXPECT_TRUE(selection::InfoOf(Criterion::Organization).onNamePanel);
    EXPECT_FALSE(selection::InfoOf(Criterion::Address1).onNamePanel);
}

TEST(QueryCriteria, FieldCriterionExpressions) {
    const QString long120 = QString(120, u'x');
    const struct {
        const char* field;
        QString text;
        QString expression;
    } cases[] = {
        {"LNAME", "JO;LE", R"(((UPPER(LNAME)="JO").or.(UPPER(LNAME)="LE")))"},
        {"CODES", "$C", R"("C"$UPPER(CODES))"},
        {"DATE", ">=19970101", R"(UPPER(DATE)>="19970101")"},
        {"CODES", "A+B^C",
         R"(((UPPER(CODES)="A").and.(((UPPER(CODES)="B").and..not.(UPPER(CODES)="C")))))"},
        {"CITY+STATE", "vi", R"(UPPER(CITY+STATE)="VI")"},
        {"LNAME", "A;", R"(((UPPER(LNAME)="A").or.(UPPER(LNAME)="")))"},
        {"LNAME", ";;", R"(((UPPER(LNAME)="").or.(UPPER(LNAME)="").or.(UPPER(LNAME)="")))"},
        {"ZIP", ">1", R"(UPPER(ZIP)>"1")"},
        {"ZIP", "<=5", R"(UPPER(ZIP)<="5")"},
        {"ZIP", "<5", R"(UPPER(ZIP)<"5")"},
        {"ZIP", "=5", R"(UPPER(ZIP)="=5")"}, // "=" is no prefix: part of the value
        {"ZIP", ">", R"(UPPER(ZIP)>"")"},
        {"LNAME", " jo", R"(UPPER(LNAME)=" JO")"}, // leading blanks are kept
        {"LNAME", "<=a;>y", R"(((UPPER(LNAME)<="A").or.(UPPER(LNAME)>"Y")))"},
        // Only a-z change case, as in the engine's UPPER().
        {"LNAME", QString::fromUtf8("m\xc3\xbcller"),
         QString::fromUtf8("UPPER(LNAME)=\"M\xc3\xbcLLER\"")},
        {"LNAME", ">" + long120, "UPPER(LNAME)>\"" + QString(99, u'X') + "\""},
        {"LNAME", "$" + long120, "\"" + QString(99, u'X') + "\"$UPPER(LNAME)"},
        {"LNAME", long120, "UPPER(LNAME)=\"" + QString(120, u'X') + "\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildFieldCriterion(c.field, c.text), c.expression) << c.text.toStdString();
}

TEST(QueryCriteria, QueryStringJoinsCriteriaInBuildOrder) {
    QueryVars vars;
    EXPECT_EQ(BuildQueryString(vars, "T1"), "");

    vars[Criterion::LastName] = "JO";
    vars[Criterion::FirstName] = "FR";
    EXPECT_EQ(BuildQueryString(vars, "T1"), R"(UPPER(LNAME)="JO" and UPPER(FNAME)="FR")");

    // Comments come before the date and the codes, though the boxes come after them.
    QueryVars order;
    order[Criterion::Codes] = "C";
    order[Criterion::Date] = "1997";
    order[Criterion::Comment2] = "two";
    order[Criterion::Comment1] = "one";
    order[Criterion::Email] = "@";
    order.tagged = true;
    EXPECT_EQ(BuildQueryString(order, "272VQE0"),
              R"(UPPER(EMAIL)="@" and UPPER(USER1)="ONE" and UPPER(USER2)="TWO" and )"
              R"(UPPER(DATE)="1997" and UPPER(CODES)="C" and (UPPER(TAG)="272VQE0"))");
}

TEST(QueryCriteria, BlankCriteriaTakeNoPartAndTaggedAloneGivesTheTagTerm) {
    QueryVars vars;
    vars[Criterion::LastName] = "   ";
    vars[Criterion::City] = "\t";
    EXPECT_EQ(BuildQueryString(vars, "ID"), "");
    vars.tagged = true;
    EXPECT_EQ(BuildQueryString(vars, "ID"), R"((UPPER(TAG)="ID"))");
    vars[Criterion::Zip] = " 1";
    EXPECT_EQ(BuildQueryString(vars, "ID"), R"(UPPER(ZIP)=" 1" and (UPPER(TAG)="ID"))");

    selection::ClearQueryVars(vars);
    EXPECT_EQ(vars, QueryVars{});
}

} // namespace
