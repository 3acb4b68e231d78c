// The duplicates check: which records agree, and the list it leaves in the work index.
#include "tests/utilities/utility_fixture.h"
#include "utilities/duplicates.h"
#include "utilities/work_index.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using testing_utilities::UtilityFixture;
using testing_utilities::Values;
using utilities::DupKind;

TEST(DupKeys, AgreeAsThePartsAreCompared) {
    const struct {
        DupKind kind;
        int chars;
        const char *last1, *first1, *street1, *last2, *first2, *street2;
        bool agree;
    } cases[] = {
        {DupKind::LastFirst, 0, "baker", "ann", "", "BAKER", "Ann", "", true},
        // A leading blank takes part; trailing ones do not.
        {DupKind::LastFirst, 0, "Baker", "Ann", "", " Baker", "Ann", "", false},
        {DupKind::LastFirst, 0, "Baker   ", "Ann  ", "", "Baker", "Ann", "", true},
        {DupKind::LastFirst, 0, "Baker", "Ann", "", "Baker", "Anne", "", false},
        // The parts are joined without a separator.
        {DupKind::LastFirst, 0, "Smith", "John", "", "Smit", "hJohn", "", true},
        {DupKind::LastFirstInitial, 0, "Baker", "Ann", "", "Baker", "Alice", "", true},
        {DupKind::LastFirstInitial, 0, "Baker", "Ann", "", "Baker", "", "", false},
        {DupKind::Street, 3, "", "", "123 N Buffalo", "", "", "1234 S Eastern", true},
        {DupKind::Street, 4, "", "", "123 N Buffalo", "", "", "1234 S Eastern", false},
        {DupKind::Street, 30, "", "", "12 Elm st", "", "", "12 ELM ST", true},
        // Only a to z have a case: other bytes must be the same.
        {DupKind::LastFirst, 0, "M\xfcller", "Jo", "", "M\xdcller", "Jo", "", false},
    };
    for (const auto& c : cases) {
        const std::string a = utilities::DupKey(c.kind, c.last1, c.first1, c.street1, c.chars);
        const std::string b = utilities::DupKey(c.kind, c.last2, c.first2, c.street2, c.chars);
        EXPECT_EQ(utilities::DupKeysEqual(a, b), c.agree) << a << " / " << b;
    }
    // No last name (or no street) gives no key: such a record is never compared.
    EXPECT_EQ(utilities::DupKey(DupKind::LastFirst, "  ", "Ann", "", 0), "");
    EXPECT_EQ(utilities::DupKey(DupKind::Street, "Baker", "", "   ", 30), "");
}

struct Person {
    const char* last;
    const char* first;
    const char* street = "";
    bool isdel = false;
};

class DupCheckTest : public ::testing::Test, public UtilityFixture {
protected:
    void add(const std::vector<Person>& people) {
        for (const Person& p : people)
            UtilityFixture::add({{"LNAME", p.last},
                                 {"FNAME", p.first},
                                 {"STREET", p.street},
                                 {"ISDEL", p.isdel ? "T" : "F"}});
    }
    // The names the list shows, in its order.
    QStringList listed() {
        QStringList names;
        for (unsigned recno : utilities::RecordsInOrder(table))
            names << valueOf(recno, "LNAME") + "/" + valueOf(recno, "FNAME");
        return names;
    }
    utilities::DupCheckResult check(DupKind kind, int chars = 30,
                                    const utilities::PassStep& step = {}) {
        return utilities::RunDupCheck(table, engine, kind, chars, utilities::DupWorkIndexPath(),
                                      step);
    }
};

TEST_F(DupCheckTest, ListsEveryRecordOfARunOnce) {
    ASSERT_TRUE(created);
    const struct {
        const char* what;
        DupKind kind;
        int chars;
        std::vector<Person> people;
        unsigned matches;
        QStringList listed;
    } cases[] = {
        {"three alike count 2",
         DupKind::LastFirst,
         30,
         {{"Baker", "Ann"}, {"BAKER", "ann"}, {"Cole", "Al"}, {"baker", "Ann"}},
         2,
         {"Baker/Ann", "BAKER/ann", "baker/Ann"}},
        {"initials",
         DupKind::LastFirstInitial,
         30,
         {{"Baker", "Ann"}, {"Baker", "Alice"}, {"Baker", ""}, {"Cole", "Al"}},
         1,
         {"Baker/Alice", "Baker/Ann"}},
        {"an empty last name breaks no run of its own and is never listed",
         DupKind::LastFirst,
         30,
         {{"", "Ann"}, {"", "Ann"}, {"Adams", "Ann"}},
         0,
         {}},
        {"a record deleted by the user is not seen",
         DupKind::LastFirst,
         30,
         {{"Baker", "Ann"}, {"Baker", "Ann", "", true}},
         0,
         {}},
        {"streets by their first characters",
         DupKind::Street,
         3,
         {{"A", "", "123 N Buffalo"},
          {"B", "", "1234 S Eastern"},
          {"C", "", ""},
          {"D", "", ""},
          {"E", "", "99 Oak"}},
         1,
         {"A/", "B/"}},
        {"nothing to check", DupKind::Street, 30, {}, 0, {}},
    };
    for (const auto& c : cases) {
        table.close();
        ASSERT_TRUE(data::CreateAddressFile(path, table, engine)) << c.what;
        reopen();
        add(c.people);
        const utilities::DupCheckResult result = check(c.kind, c.chars);
        EXPECT_EQ(result.matches, c.matches) << c.what;
        EXPECT_FALSE(result.stopped);
        EXPECT_EQ(listed(), c.listed) << c.what;
        EXPECT_EQ(engine.indexOrd(), result.workOrder) << c.what;
        utilities::RemoveWorkIndex(engine, utilities::DupWorkIndexPath());
    }
}

TEST_F(DupCheckTest, ARecordWithTheDeletionMarkIsPassedOver) {
    add({{"Baker", "Ann"}, {"Baker", "Ann"}, {"Baker", "Ann"}});
    // The middle record carries the engine's mark but not ISDEL: the deleted setting hides it,
    // and the third is compared with the first.
    engine.go(2);
    table.deleteRecord();
    const utilities::DupCheckResult result = check(DupKind::LastFirst);
    EXPECT_EQ(result.matches, 1u);
    EXPECT_EQ(utilities::RecordsInOrder(table), (QList<unsigned>{1, 3}));
}

TEST_F(DupCheckTest, AStopListsWhatWasFoundSoFar) {
    add({{"Adams", "Al"}, {"Adams", "Al"}, {"Baker", "Bo"}, {"Baker", "Bo"}, {"Cole", "Cy"}});
    std::vector<unsigned> totals;
    const utilities::DupCheckResult result =
        check(DupKind::LastFirst, 30, [&](const utilities::PassState& state) {
            totals.push_back(state.total);
            return state.done < 3;
        });
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.matches, 1u);
    EXPECT_EQ(listed(), (QStringList{"Adams/Al", "Adams/Al"}));
    EXPECT_EQ(totals, (std::vector<unsigned>{5, 5, 5}));
    // The check changed no record: every tag is as current as before.
    EXPECT_TRUE(indexProblems().empty());
}

TEST_F(DupCheckTest, TheWorkIndexGoesWhenRemoved) {
    add({{"Adams", "Al"}, {"Adams", "Al"}});
    check(DupKind::LastFirst);
    const QString work = utilities::DupWorkIndexPath();
    EXPECT_EQ(QFileInfo(work).absolutePath(), QFileInfo(home.path()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo::exists(work));
    utilities::RemoveWorkIndex(engine, work);
    EXPECT_FALSE(QFileInfo::exists(work));
    // Record order follows; the 26 tags stay open.
    EXPECT_EQ(engine.indexOrd(), 0);
    EXPECT_EQ(engine.tagNames().size(), 26);
}

} // namespace
