// Runs the built corvane-tool's spell commands on a small dictionary in a temporary home.
#include "letters/spell/word_file.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

class SpellToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(spell::WriteWordFile((home.path() + "/corvan.dct").toStdString(),
                                         {"CAT", "CUSTOMER", "DEAR", "FOR", "LETTER", "RECEIVE",
                                          "THANK", "THE", "WE", "YOU", "YOUR"}));
        ASSERT_TRUE(
            spell::WriteWordFile((home.path() + "/corvanu.dct").toStdString(), {"CORVANE"}));
    }
    ToolRun run(QStringList args) {
        QProcess tool;
        tool.start(CORVANE_TOOL, QStringList{"spell"} + args + QStringList{"--home", home.path()});
        if (!tool.waitForFinished(120000))
            return {};
        return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
                QString::fromUtf8(tool.readAllStandardError())};
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(home.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir home;
};

TEST_F(SpellToolTest, CheckListsTheUnknownWordsWithTheirLines) {
    // Possessives of known words, numbers, the user's words and single letters pass.
    const QString text = write("letter.txt", "Dear customer,\nThank you for yuor letter's.\n\n"
                                             "We recieve 12 Corvane thecat x.\n");
    const ToolRun txt = run({"check", text});
    EXPECT_EQ(txt.code, 0) << txt.err.toStdString();
    EXPECT_EQ(txt.out, "2\tyuor\n4\trecieve\n4\tthecat\n");

    const QString rtf = write("letter.rtf", "{\\rtf1 Dear custmer,\\par Thank you\\par}");
    const ToolRun rich = run({"check", rtf});
    EXPECT_EQ(rich.code, 0) << rich.err.toStdString();
    EXPECT_EQ(rich.out, "1\tcustmer\n");
}

TEST_F(SpellToolTest, SuggestGivesTheProposalsWithTheirScores) {
    const struct {
        QStringList args;
        QString out;
    } cases[] = {
        // THE sounds alike under the first letter T, tried for R.
        {{"suggest", "Recieve"}, "85\tReceive\n20\tThe\n"},
        {{"suggest", "thecat"}, "92\tthe cat\n66\tthe\n0\tyou\n0\tyour\n"},
        {{"suggest", "thecat", "--max", "1"}, "92\tthe cat\n"},
        {{"suggest", "--max", "0", "thecat"}, ""},
    };
    for (const auto& c : cases) {
        const ToolRun done = run(c.args);
        EXPECT_EQ(done.code, 0) << done.err.toStdString();
        EXPECT_EQ(done.out, c.out) << c.args.join(' ').toStdString();
    }
}

TEST_F(SpellToolTest, WithoutAHomeTheDictionaryBesideTheToolIsUsed) {
    QProcess tool;
    tool.setWorkingDirectory(home.path()); // not the folder with the shipped dictionary
    tool.start(CORVANE_TOOL, {"spell", "suggest", "recieve", "--max", "1"});
    ASSERT_TRUE(tool.waitForFinished(120000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(tool.readAllStandardOutput()), "85\treceive\n");
}

TEST_F(SpellToolTest, FailsClearly) {
    const struct {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        {{"suggest"}, 2, "usage: corvane-tool spell suggest"},
        {{"suggest", "cat", "--max", "many"}, 2, "--max takes a number"},
        {{"suggest", QString::fromUtf8("\xE6\x97\xA5")}, 1, "cannot hold"},
        {{"check", "no-such-file.txt"}, 1, "cannot read no-such-file.txt"},
        {{"check"}, 2, "usage: corvane-tool spell check"},
    };
    for (const auto& c : cases) {
        const ToolRun done = run(c.args);
        EXPECT_EQ(done.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(done.err.contains(c.message)) << done.err.toStdString();
    }
    QFile::remove(home.filePath("corvan.dct"));
    const ToolRun missing = run({"suggest", "cat"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains("corvan.dct is missing or damaged"))
        << missing.err.toStdString();
}

} // namespace
