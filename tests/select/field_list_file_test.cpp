#include "select/field_list_file.h"

#include "browse_fixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(FieldList, ParsesOneNamePerLine) {
    EXPECT_EQ(selection::ParseFieldList("CITY\r\nLNAME\r\n"), QStringList({"CITY", "LNAME"}));
    EXPECT_EQ(selection::ParseFieldList("  CITY \n\n\r\nLNAME"), QStringList({"CITY", "LNAME"}));
    EXPECT_TRUE(selection::ParseFieldList("").isEmpty());
    EXPECT_TRUE(selection::ParseFieldList("\r\n \t\n").isEmpty());
}

TEST(FieldList, EachLineMovesItsFieldToItsPosition) {
    const QStringList order{"A", "B", "C", "D"};
    const struct {
        QStringList lines;
        QStringList expected;
    } cases[] = {
        {{}, {"A", "B", "C", "D"}},
        {{"C", "A"}, {"C", "A", "B", "D"}},
        {{"D", "C", "B", "A"}, {"D", "C", "B", "A"}},
        {{"c", "a"}, {"C", "A", "B", "D"}},      // letter case does not matter
        {{"X", "C", "A"}, {"C", "B", "A", "D"}}, // line 1 moves C to 1, line 2 A to 2
        {{"X", "X", "X", "X", "X", "A"}, {"B", "C", "D", "A"}}, // beyond the end: last place
        {{"B", "B"}, {"A", "B", "C", "D"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(selection::ApplyFieldListLines(order, c.lines), c.expected)
            << c.lines.join(",").toStdString();
    EXPECT_TRUE(selection::ApplyFieldListLines({}, {"A"}).isEmpty());
}

class FieldListFile : public ::testing::Test {
protected:
    AddressFixture fixture;
};

TEST_F(FieldListFile, WritesEveryFieldOfTheViewAndReadsItBack) {
    ASSERT_TRUE(fixture.created);
    const QStringList design = fixture.viewOrder();
    ASSERT_EQ(design.size(), 28);
    const QString path = selection::FieldListPath();
    EXPECT_EQ(path, QDir::cleanPath(fixture.home.path() + "/sysdata/FIELDS.LST"));
    EXPECT_FALSE(selection::ReadFieldList(fixture.table)); // missing: the order stays
    EXPECT_EQ(fixture.viewOrder(), design);

    QStringList moved = design;
    moved.move(moved.indexOf("CITY"), moved.indexOf("LNAME"));
    fixture.table.arrangeFields(moved);
    QString error;
    ASSERT_TRUE(selection::WriteFieldList(fixture.table, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), (moved.join("\r\n") + "\r\n").toLatin1());
    file.close();

    fixture.reopen();
    EXPECT_EQ(fixture.viewOrder(), design);
    EXPECT_TRUE(selection::ReadFieldList(fixture.table));
    EXPECT_EQ(fixture.viewOrder(), moved);
}

TEST_F(FieldListFile, FoundWhateverTheLetterCaseAndNamesNotInTheViewAreSkipped) {
    QDir(fixture.home.path()).mkpath("SYSDATA");
    QFile file(fixture.home.path() + "/SYSDATA/fields.lst");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Zip\r\nNOSUCH\r\nTagged\r\n");
    file.close();
    EXPECT_EQ(selection::FieldListPath(), file.fileName());
    EXPECT_TRUE(selection::ReadFieldList(fixture.table));
    const QStringList order = fixture.viewOrder();
    EXPECT_EQ(order.indexOf("ZIP"), 0);
    EXPECT_EQ(order.indexOf("Tagged"), 2);
    EXPECT_EQ(order.size(), 28);
}

TEST_F(FieldListFile, AWriteThatFailsIsReportedAndLeavesNoFile) {
    // The folder of the list is a file, so nothing can be written there.
    QFile blocker(fixture.home.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = fixture.home.path() + "/blocked/FIELDS.LST";
    QString error;
    EXPECT_FALSE(selection::WriteFieldList(fixture.table, &error, path));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    // A closed table has no fields: the list is not emptied.
    data::TTable closed;
    EXPECT_FALSE(selection::WriteFieldList(closed, &error));
    EXPECT_FALSE(QFile::exists(selection::FieldListPath()));
}

} // namespace
