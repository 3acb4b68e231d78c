#include "platform/path_lookup.h"
#include "platform/program_dir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

class PathLookup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        QDir(home.path()).mkpath("SYSDATA");
        QDir(home.path()).mkpath("Data");
        touch(home.path() + "/Data/ADD0001.DBF");
        touch(home.path() + "/CORVAN.INI");
        platform::SetProgramDir(home.path());
    }
    void TearDown() override { platform::SetProgramDir({}); }
    QTemporaryDir home;
};

TEST_F(PathLookup, MatchesExistingComponentsWithoutRegardToCase) {
    const QString base = platform::ProgramDir();
    const struct {
        const char* name;
        QString expected;
    } cases[] = {
        {"DATA\\add0001.DBF", base + "Data/ADD0001.DBF"},
        {"data/Add0001.dbf", base + "Data/ADD0001.DBF"},
        {"sysdata\\", base + "SYSDATA/"},
        {"sysdata\\LABEL.DBF", base + "SYSDATA/LABEL.DBF"}, // new file keeps its spelling
        {"CORVAN.ini", base + "CORVAN.INI"},
        {"NEWDIR\\new.dbf", base + "NEWDIR/new.dbf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::RealPath(c.name), c.expected) << c.name;
}

TEST_F(PathLookup, FullPathsWithMixedSeparators) {
    const QString name = platform::ProgramDir() + "data\\add0001.dbf";
    EXPECT_EQ(platform::RealPath(name), platform::ProgramDir() + "Data/ADD0001.DBF");
    EXPECT_TRUE(platform::PathExists(name));
    EXPECT_FALSE(platform::PathExists("DATA\\add0002.DBF"));
}

TEST_F(PathLookup, ExactSpellingWinsWhenTwoEntriesDifferOnlyInCase) {
    touch(home.path() + "/corvan.ini");
    EXPECT_EQ(platform::RealPath("corvan.ini"), platform::ProgramDir() + "corvan.ini");
    EXPECT_EQ(platform::RealPath("CORVAN.INI"), platform::ProgramDir() + "CORVAN.INI");
}

} // namespace
