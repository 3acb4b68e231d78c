#include "platform/program_dir.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct EnvironmentHome {
    explicit EnvironmentHome(const char* value) { setenv("CORVANE_HOME", value, 1); }
    ~EnvironmentHome() { unsetenv("CORVANE_HOME"); }
};

TEST(ProgramDir, HomeArgumentWinsOverEnvironmentWhichWinsOverExecutableFolder) {
    platform::SetProgramDir({});
    const QString fallback = platform::ProgramDir();
    EXPECT_TRUE(fallback.endsWith('/'));
    {
        EnvironmentHome environment("/tmp/corvane-env-home");
        EXPECT_EQ(platform::ProgramDir(), "/tmp/corvane-env-home/");
        const QStringList rest =
            platform::TakeHomeArgument({"--home", "/tmp/corvane-arg-home/", "file.dbf"});
        EXPECT_EQ(rest, QStringList{"file.dbf"});
        EXPECT_EQ(platform::ProgramDir(), "/tmp/corvane-arg-home/");
        platform::TakeHomeArgument({"--home=/tmp/other"});
        EXPECT_EQ(platform::ProgramDir(), "/tmp/other/");
    }
    platform::SetProgramDir({});
    EXPECT_EQ(platform::ProgramDir(), fallback);
}

TEST(ProgramDir, RelativeHomeBecomesAbsolute) {
    platform::SetProgramDir("relative-home");
    EXPECT_EQ(platform::ProgramDir(), QDir::currentPath() + "/relative-home/");
    platform::SetProgramDir({});
}

TEST(GetDatabasePath, FolderOfTheOpenFileWithFinalSeparator) {
    EXPECT_EQ(platform::GetDatabasePath(), "");
    platform::SetDatabaseFile("/home/user/lists/ADD0001.DBF");
    EXPECT_EQ(platform::GetDatabasePath(), "/home/user/lists/");
    platform::SetDatabaseFile({});
}

} // namespace
