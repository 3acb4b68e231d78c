// corvane-tool utils ... run as a user runs it, on an address file the test writes: what each
// command lists or changes, the file it leaves (db check), and its failures.
#include "select/filter_file.h"
#include "tests/utilities/utility_fixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

using testing_utilities::UtilityFixture;
using testing_utilities::Values;

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

class UtilsToolTest : public ::testing::Test, public UtilityFixture {
protected:
    // Runs the tool on the closed address file, with the test's folder as the program's home.
    ToolRun tool(const QStringList& args) {
        table.close();
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CORVANE_HOME", home.path());
        process.setProcessEnvironment(environment);
        process.start(CORVANE_TOOL, args);
        ToolRun run;
        if (process.waitForFinished(120000))
            run = {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError())};
        return run;
    }
    ToolRun utils(const QString& command, const QStringList& args) {
        return tool(QStringList{"utils", command, path} + args);
    }
    // The file is sound after the command: every tag current.
    void expectSound() {
        const ToolRun check = tool({"db", "check", path});
        EXPECT_EQ(check.code, 0) << check.out.toStdString() << check.err.toStdString();
        reopen();
    }
    QString filterFile(selection::Criterion criterion, const QString& text) {
        selection::QueryVars vars;
        vars[criterion] = text;
        const QString file = home.filePath("F.FLT");
        EXPECT_TRUE(selection::SaveFilterTo(file, vars));
        return file;
    }
};

TEST_F(UtilsToolTest, DuplicatesListsTheRecordsTheDialogWouldList) {
    add({{"LNAME", "Baker"}, {"FNAME", "Ann"}, {"STREET", "123 N Buffalo"}});
    add({{"LNAME", "BAKER"}, {"FNAME", "Alice"}, {"STREET", "1234 S Eastern"}});
    add({{"LNAME", "baker"}, {"FNAME", "ann"}, {"STREET", "9 Elm"}});
    add({{"LNAME", "Baker"}, {"FNAME", "Ann"}, {"ISDEL", "T"}});
    const struct {
        QStringList args;
        QString out;
    } cases[] = {
        {{"--kind", "name"},
         "record 1: Baker, Ann; 123 N Buffalo\nrecord 3: baker, ann; 9 Elm\n"
         "Found 1 possible duplicates\n"},
        {{"--kind", "lastfirst"},
         "record 2: BAKER, Alice; 1234 S Eastern\nrecord 1: Baker, Ann; 123 N Buffalo\n"
         "record 3: baker, ann; 9 Elm\nFound 2 possible duplicates\n"},
        {{"--kind", "street", "--chars", "3"},
         "record 1: Baker, Ann; 123 N Buffalo\nrecord 2: BAKER, Alice; 1234 S Eastern\n"
         "Found 1 possible duplicates\n"},
        {{"--kind", "street"}, "Found 0 possible duplicates\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = utils("duplicates", c.args);
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, c.out) << c.args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(home.filePath("_chkdup.idx")));
    expectSound();
}

TEST_F(UtilsToolTest, ZipCheckComparesWithTheShippedTable) {
    add({{"LNAME", "Smith"}, {"STATE", "MA"}, {"ZIP", "90210"}});
    add({{"LNAME", "Jones"}, {"STATE", "NY"}, {"ZIP", "10001-1234"}});
    add({{"LNAME", "Brown"}, {"STATE", "NY"}});
    ToolRun run = utils("zip-check", {});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "record 1: Smith, ; MA 90210\n"
                       "Found 1 records with questionable state or zipcodes\n");
    run = utils("zip-check", {"--empty"});
    EXPECT_EQ(run.out, "record 3: Brown, ; NY \nrecord 1: Smith, ; MA 90210\n"
                       "Found 2 records with questionable state or zipcodes\n");
    EXPECT_TRUE(QFile::exists(home.filePath("sysdata/CSZ.DBF")));
    EXPECT_FALSE(QFile::exists(home.filePath("DATA/_chksz.idx")));
    expectSound();
}

TEST_F(UtilsToolTest, CaseConvertsTheFieldsOfEveryRecordOrOfTheFilter) {
    add({{"LNAME", "o'NEIL-BAKER JR"}, {"CITY", "new york"}});
    add({{"LNAME", "smith"}, {"CITY", "Boston"}});
    add({{"LNAME", "gone"}, {"CITY", "x"}, {"ISDEL", "T"}});
    ToolRun run = utils("case", {"--to", "first", "--fields", "lname,CITY"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "record 1: O'neil-baker Jr; New York\nrecord 2: Smith; Boston\n"
                       "Converted 2 records, 2 changed\n");
    run = utils("case", {"--to", "upper", "--fields", "CITY", "--filter",
                         filterFile(selection::Criterion::LastName, "sm")});
    EXPECT_EQ(run.out, "record 2: BOSTON\nConverted 1 records, 1 changed\n");
    expectSound();
    EXPECT_EQ(valueOf(1, "CITY"), "New York");
    EXPECT_EQ(valueOf(3, "LNAME"), "gone");
}

TEST_F(UtilsToolTest, DeleteEmptiesTheFileOrWalksTheFilter) {
    add({{"LNAME", "One"}, {"CITY", "Springfield"}});
    add({{"LNAME", "Two"}, {"CITY", "Boston"}});
    add({{"LNAME", "Three"}, {"CITY", "Springfield"}});
    const QString springfield = filterFile(selection::Criterion::City, "Springfield");
    ToolRun run = utils("delete", {"--filter", springfield, "--outside"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "record 2\nDeleted 1 records\n");
    expectSound();
    run = utils("delete", {"--all"});
    EXPECT_EQ(run.out, "record 1\nrecord 2\nrecord 3\nDeleted 3 records\n");
    expectSound();
    EXPECT_EQ(table.recordCount(), 0u);
}

TEST_F(UtilsToolTest, ReplaceTakesAnyTextAsTheSearchValue) {
    add({{"LNAME", "O\"Brien"}});
    add({{"LNAME", "O"}});
    add({{"LNAME", "COWBOY"}});
    ToolRun run = utils("replace", {"--field", "LNAME", "--match", "exact", "--find", "O\"Brien",
                                    "--whole", "--with", "O'Brien", "--case"});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "record 1: O'Brien\nReplaced 1 records\n");
    run = utils("replace", {"--field", "Last Name", "--match", "contains", "--find", "cow",
                            "--part", "--with", "bull"});
    EXPECT_EQ(run.out, "record 3: bullBOY\nReplaced 1 records\n");
    expectSound();
}

TEST_F(UtilsToolTest, FailuresSayWhyAndChangeNothing) {
    add({{"LNAME", "Smith"}});
    const QString none = filterFile(selection::Criterion::LastName, "  ");
    const struct {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        {{"utils", "duplicates", path, "--kind", "twins"}, 2, "--kind is name, lastfirst or"},
        {{"utils", "duplicates", path, "--kind", "street", "--chars", "31"}, 2, "--chars is"},
        {{"utils", "delete", path}, 2, "give either --all or --filter"},
        {{"utils", "replace", path, "--field", "MEMO", "--match", "exact", "--find", "a", "--whole",
          "--with", "b"},
         2,
         "--field names one of"},
        {{"utils", "case", path, "--to", "upper", "--fields", "PHONE"}, 2, "PHONE is not"},
        {{"utils", "case", path, "--to", "upper", "--fields", "CITY", "--filter", none},
         1,
         "sets no criterion"},
        {{"utils", "zip-check", home.filePath("NONE.DBF")}, 1, "not found"},
    };
    for (const auto& c : cases) {
        const ToolRun run = tool(c.args);
        EXPECT_EQ(run.code, c.code) << c.message;
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
    // A file another program holds is left alone.
    reopen();
    {
        data::TTable holder;
        holder.exclusive = true;
        holder.folder = home.path() + "/DATA/";
        holder.fileName = "add0001.DBF";
        table.close();
        holder.open();
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CORVANE_HOME", home.path());
        process.setProcessEnvironment(environment);
        process.start(CORVANE_TOOL, {"utils", "delete", path, "--all"});
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError()).contains("in use"));
    }
    reopen();
    EXPECT_EQ(table.recordCount(), 1u);
}

} // namespace
