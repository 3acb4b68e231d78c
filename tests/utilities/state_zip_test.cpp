// The state and ZIP check against CSZ.DBF: which records are questionable.
#include "data/shipped_tables.h"
#include "tests/utilities/utility_fixture.h"
#include "utilities/state_zip.h"
#include "utilities/work_index.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using testing_utilities::UtilityFixture;

TEST(ZipRange, ComparesTheBytesInOrder) {
    const struct {
        const char *zip, *low, *high;
        bool inRange;
    } cases[] = {
        {"01000", "01000", "02799", true},
        {"02799", "01000", "02799", true},
        {"00999", "01000", "02799", false},
        {"02800", "01000", "02799", false},
        // A ZIP+4 whose first five digits are a five-digit bound lies above it.
        {"02799-1234", "01000", "02799", false},
        {"02799-1234", "01000", "02799-9999", true},
        // The empty ZIP is less than any bound; a shorter start is the smaller.
        {"", "01000", "02799", false},
        {"0100", "01000", "02799", false},
        {"B3H 1A1", "B0A 0A0", "B9Z 9Z9", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utilities::ZipInRange(c.zip, c.low, c.high), c.inRange) << c.zip;
}

class StateZipTest : public ::testing::Test, public UtilityFixture {
protected:
    void SetUp() override {
        cszSource.setDataSet(&csz);
        cszEngine.DataSource = &cszSource;
    }
    void TearDown() override { csz.close(); }

    void installCsz(const QString& rows) {
        ASSERT_TRUE(data::InstallStateZipTable(rows.toUtf8()));
        ASSERT_TRUE(utilities::OpenStateZipForCheck(csz, cszEngine));
    }
    void installShippedCsz() {
        QFile shipped(CORVANE_STATE_ZIP_CSV);
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        installCsz(QString::fromUtf8(shipped.readAll()));
    }
    unsigned person(const char* last, const char* state, const char* zip, bool isdel = false) {
        return add({{"LNAME", last}, {"STATE", state}, {"ZIP", zip}, {"ISDEL", isdel ? "T" : "F"}});
    }
    utilities::StateZipResult check(bool includeBlanks, const utilities::PassStep& step = {}) {
        return utilities::RunStateZipCheck(table, engine, cszEngine, includeBlanks,
                                           utilities::StateZipWorkIndexPath(table), step);
    }
    QStringList listed() {
        QStringList names;
        for (unsigned recno : utilities::RecordsInOrder(table))
            names << valueOf(recno, "LNAME");
        return names;
    }

    data::TTable csz;
    data::TDataSource cszSource;
    data::TXbEngine cszEngine;
};

TEST_F(StateZipTest, ListsTheRecordsOutsideTheirStatesFirstRange) {
    installCsz("NAME,STATE,LOW_ZIP,HIGH_ZIP\n"
               "Massachusetts,MA,01000,02799\n"
               "Massachusetts,MA,05500,05599\n"
               "Vermont,VT,05000,05999\n");
    person("Low", "MA", "01000");
    person("High", "MA", "02799");
    person("Plus", "MA", "02799-0001"); // above the five-digit bound
    person("Second", "MA", "05501");    // only the first range counts
    person("Lower", "ma", "01500");     // not found among the upper-case keys
    person("Texas", "TX", "75001");     // no such state
    person("Vermont", "VT", "05401");
    person("NoZip", "VT", "");
    person("NoState", "", "05401");
    person("Gone", "TX", "75001", true);
    EXPECT_EQ(check(false).found, 4u);
    EXPECT_EQ(listed(), (QStringList{"Lower", "Plus", "Second", "Texas"}));
    utilities::RemoveWorkIndex(engine, utilities::StateZipWorkIndexPath(table));

    // With blanks included an empty ZIP is below every range and an empty state is not found.
    const utilities::StateZipResult withBlanks = check(true);
    EXPECT_EQ(withBlanks.found, 6u);
    EXPECT_EQ(listed(), (QStringList{"Lower", "NoState", "NoZip", "Plus", "Second", "Texas"}));
    EXPECT_TRUE(indexProblems().empty());
}

TEST_F(StateZipTest, NothingFoundLeavesAnEmptyList) {
    installCsz("NAME,STATE,LOW_ZIP,HIGH_ZIP\nVermont,VT,05000,05999\n");
    person("Vermont", "VT", "05401");
    const utilities::StateZipResult result = check(false);
    EXPECT_EQ(result.found, 0u);
    EXPECT_EQ(engine.indexOrd(), result.workOrder);
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(table.eof());
}

TEST_F(StateZipTest, AStopListsWhatWasFoundSoFar) {
    installCsz("NAME,STATE,LOW_ZIP,HIGH_ZIP\nVermont,VT,05000,05999\n");
    for (const char* last : {"A", "B", "C", "D"})
        person(last, "XX", "1");
    const utilities::StateZipResult result =
        check(false, [](const utilities::PassState& state) { return state.done < 2; });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(listed(), (QStringList{"A", "B"}));
}

// The shipped table: each state's first range is its main one, and every ZIP+4 of a range
// lies inside it.
TEST_F(StateZipTest, TheShippedTableKnowsTheStatesAndProvinces) {
    installShippedCsz();
    EXPECT_EQ(csz.recordCount(), 82u);
    const struct {
        const char *state, *zip;
        bool questionable;
    } cases[] = {
        {"NY", "10001", false},      {"NY", "14999-9999", false}, {"NY", "00501", true},
        {"CA", "90210-1234", false}, {"DC", "20001", false},      {"TX", "75001", false},
        {"MA", "90210", true},       {"ON", "K1A 0B1", false},    {"QC", "K1A 0B1", true},
        {"PR", "00601", false},      {"ZZ", "12345", true},
    };
    for (const auto& c : cases)
        person((QString(c.state) + " " + c.zip).toLatin1().constData(), c.state, c.zip);
    check(false);
    QStringList expected;
    for (const auto& c : cases)
        if (c.questionable)
            expected << QString(c.state) + " " + c.zip;
    expected.sort();
    EXPECT_EQ(listed(), expected);
}

} // namespace
