#include "select/filter_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using selection::Criterion;
using selection::QueryVars;

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FilterFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(name); }
    QTemporaryDir folder;
};

TEST_F(FilterFileTest, SavesEighteenLinesInBoxOrderAndReadsThemBack) {
    QueryVars vars;
    vars[Criterion::LastName] = "JO;LE";
    vars[Criterion::Date] = ">=19970101";
    vars[Criterion::Codes] = "$C";
    vars[Criterion::Comment2] = QString::fromUtf8(" caf\xc3\xa9 \xe2\x82\xac"); // é and €
    vars.tagged = true;                                                         // not stored
    ASSERT_TRUE(selection::SaveFilterTo(path("A.FLT"), vars));

    const QByteArray expected =
        "JO;LE\r\n" + QByteArray("\r\n").repeated(13) + ">=19970101\r\n$C\r\n\r\n caf\xe9 \x80\r\n";
    EXPECT_EQ(readBytes(path("A.FLT")), expected);

    QueryVars back;
    back[Criterion::City] = "replaced";
    ASSERT_TRUE(selection::RestoreFilterFrom(path("A.FLT"), back));
    EXPECT_FALSE(back.tagged);
    back.tagged = true;
    EXPECT_EQ(back, vars);

    // Saving again replaces the file.
    QueryVars one;
    one[Criterion::FirstName] = "x";
    ASSERT_TRUE(selection::SaveFilterTo(path("A.FLT"), one));
    EXPECT_EQ(readBytes(path("A.FLT")), "\r\nx" + QByteArray("\r\n").repeated(17));
}

TEST_F(FilterFileTest, ReadsOtherLineEndsAndIgnoresExtraLines) {
    QByteArray bytes;
    for (int i = 0; i < 18; ++i)
        bytes += QByteArray::number(i) + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r" : "\r\n");
    bytes += "extra\r\n";
    writeBytes(path("B.FLT"), bytes);
    QueryVars vars;
    vars.tagged = true;
    ASSERT_TRUE(selection::RestoreFilterFrom(path("B.FLT"), vars));
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(vars.values[std::size_t(i)], QString::number(i));
    EXPECT_TRUE(vars.tagged);

    // The last line needs no line end.
    writeBytes(path("C.FLT"), QByteArray("\r\n").repeated(17) + "last");
    ASSERT_TRUE(selection::RestoreFilterFrom(path("C.FLT"), vars));
    EXPECT_EQ(vars[Criterion::Comment2], "last");
    EXPECT_EQ(vars[Criterion::LastName], "");
}

TEST_F(FilterFileTest, ShortFileIsAnErrorAndKeepsTheLinesReadBefore) {
    const struct {
        QByteArray bytes;
        int complete;
    } cases[] = {
        {"", 0},
        {"JO\r\nFR\r\n", 2},
        {"JO" + QByteArray("\r\n").repeated(17), 17},
    };
    for (const auto& c : cases) {
        writeBytes(path("S.FLT"), c.bytes);
        QueryVars vars;
        for (QString& value : vars.values)
            value = "old";
        const selection::FilterFileResult result =
            selection::RestoreFilterFrom(path("S.FLT"), vars);
        EXPECT_FALSE(result);
        EXPECT_TRUE(
            result.error.contains("has " + QString::number(c.complete) + " of its 18 lines"))
            << result.error.toStdString();
        if (c.complete > 0) {
            EXPECT_EQ(vars[Criterion::LastName], "JO");
        }
        EXPECT_EQ(vars.values[std::size_t(c.complete)], "old");
        EXPECT_EQ(vars[Criterion::Comment2], "old");
    }
}

TEST_F(FilterFileTest, FailuresAreReportedNeverSuccess) {
    QueryVars vars;
    EXPECT_FALSE(selection::RestoreFilterFrom(path("MISSING.FLT"), vars));
    EXPECT_FALSE(selection::SaveFilterTo(path("no/such/folder/A.FLT"), vars));

    // A folder in the way of the file.
    ASSERT_TRUE(QDir(folder.path()).mkdir("D.FLT"));
    const selection::FilterFileResult onFolder = selection::SaveFilterTo(path("D.FLT"), vars);
    EXPECT_FALSE(onFolder);
    EXPECT_TRUE(onFolder.error.startsWith("Unable to write")) << onFolder.error.toStdString();

    // A line break would shift every later criterion; nothing is written.
    writeBytes(path("E.FLT"), "kept");
    vars[Criterion::Title] = "two\nlines";
    EXPECT_FALSE(selection::SaveFilterTo(path("E.FLT"), vars));
    EXPECT_EQ(readBytes(path("E.FLT")), "kept");
}

TEST(FilterFileNames, ExtensionRules) {
    const struct {
        const char* chosen;
        const char* save;
        const char* restore;
    } cases[] = {
        {"/f/ny.FLT", "/f/ny.FLT", "/f/ny.FLT"},
        {"/f/ny.flt", "/f/ny.flt", "/f/ny.flt"},
        {"/f/ny", "/f/ny.FLT", nullptr},
        {"/f/ny.txt", nullptr, nullptr},
        {"/f/ny.flt.bak", nullptr, nullptr},
        {"/f/ny.", nullptr, nullptr},
        {"/home/j.smith/ny", "/home/j.smith/ny.FLT", nullptr}, // a dot in a folder is no extension
        {"C:\\dot.dir\\ny", "C:\\dot.dir\\ny.FLT", nullptr},
    };
    for (const auto& c : cases) {
        const selection::FilterName save = selection::FilterNameForSave(c.chosen);
        const selection::FilterName restore = selection::FilterNameForRestore(c.chosen);
        EXPECT_EQ(save.path, c.save ? QString(c.save) : QString()) << c.chosen;
        EXPECT_EQ(save.error, c.save ? QString() : QString("Must have a .FLT extension"))
            << c.chosen;
        EXPECT_EQ(restore.path, c.restore ? QString(c.restore) : QString()) << c.chosen;
        EXPECT_EQ(restore.error, c.restore ? QString() : QString("Must be a Filter (.FLT) file"))
            << c.chosen;
    }
    EXPECT_EQ(selection::OverwriteQuestion("/f/A.FLT"),
              "/f/A.FLT already exists.\r\nDo you want to overwrite it?");
}

} // namespace
