#include "platform/settings_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }
    QString path() const { return home.path() + "/CORVAN.ini"; }
    void writeRaw(const QByteArray& bytes) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readRaw() {
        QFile file(path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QTemporaryDir home;
};

TEST_F(SettingsFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
    platform::SettingsFile settings(path());
    EXPECT_EQ(settings.readString("Letter", "DefaultFontName", "Arial"), "Arial");
    EXPECT_EQ(settings.readInteger("Letter", "DefaultFontSize", 10), 10);
    EXPECT_FALSE(settings.readBool("Adding", "PlugDate"));
    ASSERT_TRUE(settings.writeBool("Adding", "PlugDate", true));
    EXPECT_TRUE(settings.readBool("adding", "PLUGDATE"));
    EXPECT_EQ(readRaw(), "[Adding]\r\nPlugDate=1\r\n");
}

TEST_F(SettingsFileTest, ValuesReadBackExactly) {
    platform::SettingsFile settings(path());
    const QString values[] = {"a=b=c",
                              "semi;colon",
                              "; looks like a comment",
                              QString::fromUtf8("Z\u00fcrich \u20ac"),
                              "  padded  ",
                              "\"quoted\"",
                              "C:\\DATA\\ADD0001.DBF",
                              ""};
    int n = 0;
    for (const QString& value : values)
        ASSERT_TRUE(settings.writeString("MRU", QString("Item%1").arg(++n), value));
    n = 0;
    for (const QString& value : values)
        EXPECT_EQ(settings.readString("MRU", QString("Item%1").arg(++n), "missing"), value);
    // Non-ASCII text is stored as Windows-1252 bytes.
    EXPECT_TRUE(readRaw().contains("Z\xfcrich \x80"));
}

TEST_F(SettingsFileTest, RewritesOneKeyAndKeepsTheRestOfTheFile) {
    writeRaw("; written by hand\r\n[Misc]\r\nGlobalTagId=OLD\r\ngarbage line\r\n[MRU]\r\n"
             "Item1=/a.dbf\r\n");
    platform::SettingsFile settings(path());
    EXPECT_EQ(settings.readString("Misc", "GlobalTagId"), "OLD");
    ASSERT_TRUE(settings.writeString("misc", "globaltagid", "NEW"));
    ASSERT_TRUE(settings.writeString("Misc", "Other", "x"));
    ASSERT_TRUE(settings.writeString("Dialing", "Port", "2"));
    EXPECT_EQ(readRaw(), "; written by hand\r\n[Misc]\r\nglobaltagid=NEW\r\ngarbage line\r\n"
                         "Other=x\r\n[MRU]\r\nItem1=/a.dbf\r\n\r\n[Dialing]\r\nPort=2\r\n");
    EXPECT_EQ(settings.readInteger("Dialing", "Port"), 2);
    EXPECT_EQ(settings.readInteger("MRU", "Item1", 7), 7); // not a number: the default
}

TEST_F(SettingsFileTest, UnwritableFileIsReportedAndReadsStillWork) {
    platform::SettingsFile settings(home.path() + "/missing-folder/CORVAN.ini");
    EXPECT_FALSE(settings.writeString("Misc", "GlobalTagId", "X"));
    EXPECT_EQ(settings.readString("Misc", "GlobalTagId", "d"), "d");
}

} // namespace
