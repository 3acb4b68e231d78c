// corvane-tool zip lookup: a home without the ZIP code table gets it, as a first start would;
// found ZIPs print one line each, the others are named on the error stream; a missing or
// damaged table ends the command with the reason.
#include "tests/tools/tool_run.h"
#include "tests/xbase/damaged_tables.h"
#include "tests/xbase/test_support.h"

#include <gtest/gtest.h>

namespace xbase::test {
namespace {

TEST(ZipLookup, PrintsCityAndStateAndNamesWhatItCannotFind) {
    TempDir home;
    const std::string homeArg = home.path().string();
    const std::filesystem::path table = home / "sysdata/ZIPCITY.DBF";

    const ToolRun first = tool(home, {"zip", "lookup", "--home", homeArg, "62704", "96910-0001",
                                      "00000", "6270", "00501", "99950"});
    EXPECT_EQ(first.code, 1);
    EXPECT_EQ(first.out, "62704\tSpringfield\tIL\n96910\tHagatna\tGU\n00501\tHoltsville\tNY\n"
                         "99950\tKetchikan\tAK\n");
    EXPECT_EQ(first.err, "corvane-tool: made the ZIP code table " + table.string() +
                             "\n"
                             "corvane-tool: 00000: no such ZIP code in the ZIP code table\n"
                             "corvane-tool: 6270: not a five-digit ZIP code\n");

    // The home from the environment, the table now there.
    setenv("CORVANE_HOME", homeArg.c_str(), 1);
    const ToolRun fromEnvironment = tool(home, {"zip", "lookup", "72901"});
    unsetenv("CORVANE_HOME");
    EXPECT_EQ(fromEnvironment.code, 0);
    EXPECT_EQ(fromEnvironment.out, "72901\tFort Smith\tAR\n");
    EXPECT_EQ(fromEnvironment.err, "");

    EXPECT_EQ(tool(home, {"zip", "lookup", "--home", homeArg}).code, 2);
}

TEST(ZipLookup, AMissingIndexOrADamagedOneEndsTheCommand) {
    TempDir home;
    const std::string homeArg = home.path().string();
    ASSERT_EQ(tool(home, {"zip", "lookup", "--home", homeArg, "62704"}).code, 0);
    const std::filesystem::path table = home / "sysdata/ZIPCITY.DBF";

    damageTable(table, Damage::IndexNodeDamaged, 2, "", "ZIP");
    const ToolRun damaged = tool(home, {"zip", "lookup", "--home", homeArg, "62704"});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_EQ(damaged.out, "");
    EXPECT_TRUE(damaged.err.starts_with("corvane-tool: the ZIP code table " + table.string() +
                                        " is damaged: "))
        << damaged.err;

    std::filesystem::remove(cdxOf(table));
    const ToolRun noIndex = tool(home, {"zip", "lookup", "--home", homeArg, "62704"});
    EXPECT_EQ(noIndex.code, 1);
    EXPECT_EQ(noIndex.err, "corvane-tool: the ZIP code table " + table.string() +
                               " cannot be used: its index ZIPCITY.CDX is missing\n");
}

} // namespace
} // namespace xbase::test
