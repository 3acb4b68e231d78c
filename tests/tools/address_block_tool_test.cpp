// corvane-tool address-block: the lines of records made here, with each ZIP code place.
#include "tests/tools/tool_run.h"
#include "tests/xbase/test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace xbase::test {
namespace {

using Values = std::map<std::string, std::string>;

std::filesystem::path addresses(const TempDir& dir, const std::vector<Values>& records) {
    const auto path = dir / "ADD0001.DBF";
    Table t = Table::create(path, addressFields());
    for (const Values& record : records) {
        t.appendBlank();
        for (const auto& [field, value] : record)
            t.setText(field, value);
        t.post();
    }
    return path;
}

TEST(AddressBlockTool, LinesOfEachRecordAndZipPlace) {
    TempDir dir;
    const std::string db = addresses(dir, {{{"FNAME", "Ann"},
                                            {"MIDDLE", "Q"},
                                            {"LNAME", "Lee"},
                                            {"ORG", "Acme"},
                                            {"STREET", "12 Elm St"},
                                            {"CITY", "Springfield"},
                                            {"STATE", "IL"},
                                            {"ZIP", "62701"},
                                            {"COUNTRY", "USA"}},
                                           {},
                                           {{"LNAME", "Roe"}, {"ZIP", "10001"}}})
                               .string();
    const struct {
        std::vector<std::string> args;
        std::string lines;
    } cases[] = {
        {{"--record", "1"}, "Ann Q. Lee \nAcme\n12 Elm St\nSpringfield  IL 62701\nUSA\n"},
        {{"--record", "1", "--zip-option", "1"},
         "Ann Q. Lee \nAcme\n12 Elm St\n62701 Springfield IL \nUSA\n"},
        {{"--record", "1", "--zip-option", "zoAfterCountry", "--upper"},
         "ANN Q. LEE \nACME\n12 ELM ST\nSPRINGFIELD IL\nUSA 62701\n"},
        {{"--record", "1", "--zip-option", "3"},
         "Ann Q. Lee \nAcme\n12 Elm St\nSpringfield IL\n62701 USA\n"},
        {{"--record", "2"}, ""},
        {{"--record", "3", "--zip-option", "2"}, "Roe \n10001\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"address-block", db};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolRun run = tool(dir, args);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, c.lines) << c.args.back();
    }
    EXPECT_EQ(tool(dir, {"address-block", db, "--record", "4"}).code, 1);
    EXPECT_EQ(tool(dir, {"address-block", db}).code, 2);
    EXPECT_EQ(tool(dir, {"address-block", db, "--record", "1", "--zip-option", "9"}).code, 2);
    EXPECT_EQ(tool(dir, {"address-block", (dir / "NONE.DBF").string(), "--record", "1"}).code, 1);
}

} // namespace
} // namespace xbase::test
