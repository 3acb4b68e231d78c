// Runs the built corvane-tool's letters commands on a small address file.
#include "controls/rtf_reader.h"
#include "letters/letter_store.h"
#include "platform/program_dir.h"
#include "select/filter_file.h"
#include "tests/controls/rtf_test_support.h"
#include "tests/letters/letters_fixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using testing_letters::Letter;

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

class LettersToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        db = home.filePath("ADDR.DBF");
        testing_letters::WriteAddressFile(db);
        platform::SetProgramDir(home.path());
        ASSERT_TRUE(letters::InstallSampleLetters(
            {{"Welcome", Letter({"[Name and Address]", "Dear [first] [LAST],", "[First]!"})},
             {"Notice", Letter({"The office is closed on Monday."})},
             {"Two pages", "{\\rtf1 Page one for [First]\\page Page two\\par}"}}));
    }
    ToolRun run(QStringList args) {
        QProcess tool;
        tool.start(CORVANE_TOOL,
                   QStringList{"letters"} + args + QStringList{"--home", home.path()});
        if (!tool.waitForFinished(120000))
            return {};
        return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
                QString::fromUtf8(tool.readAllStandardError())};
    }
    QStringList rtfParagraphs(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return Paragraphs(*ReadDocument(file.readAll()));
    }
    QTemporaryDir home;
    QString db;
};

TEST_F(LettersToolTest, ListsTheLetters) {
    const ToolRun listed = run({"list"});
    EXPECT_EQ(listed.code, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, "Welcome\nNotice\nTwo pages\n");
}

TEST_F(LettersToolTest, MergesEveryRecordNotDeletedIntoOneRtf) {
    const QString out = home.filePath("welcome.rtf");
    const ToolRun merged = run({"merge", db, "--letter", "welcome", "--out", out});
    ASSERT_EQ(merged.code, 0) << merged.err.toStdString();
    EXPECT_EQ(merged.out, "wrote " + out + ": 2 letters\n");
    const QString juergen = QString("J") + QChar(0xFC) + "rgen";
    const QString mueller = QString("M") + QChar(0xFC) + "ller";
    EXPECT_EQ(
        rtfParagraphs(out),
        (QStringList{"Dr Ann B. Baker ", "Manager,  Acme", "12 Main St", "Springfield IL  62704",
                     "USA", "", "Dear Ann Baker,", "Ann!", juergen + " " + mueller + " ",
                     QString("Hauptstra") + QChar(0xDF) + "e 5", "Springfield  62704", "",
                     "Dear " + juergen + " " + mueller + ",", juergen + "!"}));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(file.readAll()).count("\\pagebb"), 1)
        << "the second letter starts a new page";
}

TEST_F(LettersToolTest, ALetterWithoutFieldsIsTheSameForEveryRecordAndCopies) {
    selection::QueryVars vars;
    vars[selection::Criterion::Codes] = "A";
    const QString filter = home.filePath("CODEA.FLT");
    ASSERT_TRUE(selection::SaveFilterTo(filter, vars));
    const QString out = home.filePath("notice.rtf");
    const ToolRun merged =
        run({"merge", db, "--letter", "Notice", "--filter", filter, "--copies", "3", "--out", out});
    ASSERT_EQ(merged.code, 0) << merged.err.toStdString();
    EXPECT_EQ(rtfParagraphs(out), QStringList(3, "The office is closed on Monday."));
}

TEST_F(LettersToolTest, PrintsAllLettersIntoOnePdf) {
    const QString out = home.filePath("pages.pdf");
    const ToolRun merged =
        run({"merge", db, "--letter", "Two pages", "--copies", "2", "--out", out});
    ASSERT_EQ(merged.code, 0) << merged.err.toStdString();
    EXPECT_EQ(merged.out, "wrote " + out + ": 4 letters, 8 pages\n");
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")),
              8);
}

TEST_F(LettersToolTest, SaysWhatIsWrong) {
    const QString out = home.filePath("x.pdf");
    const struct {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        {{"merge", db, "--letter", "Nothing", "--out", out}, 1, "there is no letter \"Nothing\""},
        {{"merge", db, "--letter", "Welcome", "--out", home.filePath("x.txt")}, 2, "usage:"},
        {{"merge", db, "--letter", "Welcome", "--copies", "0", "--out", out}, 2, "--copies"},
        {{"merge", home.filePath("NONE.DBF"), "--letter", "Welcome", "--out", out}, 1, "not found"},
        {{"merge", db, "--letter", "Welcome", "--filter", home.filePath("NONE.FLT"), "--out", out},
         1,
         "NONE.FLT"},
    };
    for (const auto& c : cases) {
        const ToolRun failed = run(c.args);
        EXPECT_EQ(failed.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(failed.err.contains(c.message)) << failed.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
