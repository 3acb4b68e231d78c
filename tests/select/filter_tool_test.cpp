// Runs the built corvane-tool on filter files and a small address file.
#include "address_fixture.h"
#include "select/filter_file.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args) {
    QProcess tool;
    tool.start(CORVANE_TOOL, QStringList{"filter", "show"} + args);
    if (!tool.waitForFinished(60000))
        return {};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}

class FilterToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        db = home.filePath("ADD0001.DBF");
        testing_select::WriteAddressFile(db);
    }
    QString saveFilter(const char* name, const selection::QueryVars& vars) {
        const QString path = home.filePath(name);
        EXPECT_TRUE(selection::SaveFilterTo(path, vars));
        return path;
    }
    QTemporaryDir home;
    QString db;
};

TEST_F(FilterToolTest, ShowsTheExpressionAndTheCount) {
    selection::QueryVars vars;
    vars[selection::Criterion::LastName] = "jo;le";
    const QString file = saveFilter("A.FLT", vars);
    const QString query = R"(query: ((UPPER(LNAME)="JO").or.(UPPER(LNAME)="LE")))";

    const ToolRun alone = runTool({file});
    EXPECT_EQ(alone.code, 0) << alone.err.toStdString();
    EXPECT_EQ(alone.out, query + "\n");

    const ToolRun counted = runTool({file, "--db", db});
    EXPECT_EQ(counted.code, 0) << counted.err.toStdString();
    EXPECT_EQ(counted.out, query + "\nmatches: 2\n");

    const ToolRun tagged = runTool({file, "--tag-id", "T1", "--db", db});
    EXPECT_TRUE(tagged.out.endsWith(R"( and (UPPER(TAG)="T1"))"
                                    "\nmatches: 0\n"))
        << tagged.out.toStdString();

    const ToolRun none = runTool({saveFilter("N.FLT", {}), "--db", db});
    EXPECT_EQ(none.out, "query: \nmatches: 4 (no filter)\n");
}

TEST_F(FilterToolTest, FailuresGoToTheErrorStream) {
    selection::QueryVars tooLong;
    tooLong[selection::Criterion::Codes] = QString(240, u'C');
    selection::QueryVars quote;
    quote[selection::Criterion::LastName] = "O\"Brien";
    const QString shortFile = home.filePath("S.FLT");
    {
        QFile file(shortFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("JO\r\n");
    }
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{home.filePath("MISSING.FLT")}, "Unable to open"},
        {{shortFile}, "has 1 of its 18 lines"},
        {{saveFilter("L.FLT", tooLong)}, "Sorry - filter is too complex.Please simplify it."},
        {{saveFilter("Q.FLT", quote), "--db", db}, "the filter cannot be used"},
        {{saveFilter("B.FLT", {}), "--db", home.filePath("NONE.DBF")}, "not found"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.code, 1) << c.message;
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
    EXPECT_EQ(runTool({}).code, 2);
}

} // namespace
