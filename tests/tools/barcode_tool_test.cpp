// corvane-tool barcode: the marks are read back from the PDF page as a scanner would read them,
// at 1000 dots per inch, so that one pixel is a thousandth of an inch.
#include "tests/tools/tool_run.h"
#include "tests/xbase/test_support.h"

#include <gtest/gtest.h>

namespace xbase::test {
namespace {

constexpr int Dpi = 1000;

// A grey page cut from the PDF: the area from (1, 1) inch, 3.2 inches wide and 1 high.
struct Scan {
    int width = 0, height = 0;
    std::string pixels;
    bool dark(int x, int y) const { return (unsigned char)pixels[size_t(y) * width + x] < 128; }
};

Scan scan(const TempDir& dir, const std::filesystem::path& pdf) {
    const std::string prefix = (dir / "scan").string();
    const std::string command = "pdftoppm -r " + std::to_string(Dpi) +
                                " -x 1000 -y 1000 -W 3200 -H 1000 -gray -singlefile " +
                                quoted(pdf.string()) + " " + quoted(prefix);
    if (std::system(command.c_str()) != 0)
        return {};
    const std::string data = slurp(prefix + ".pgm");
    Scan s;
    int maxValue = 0, used = 0;
    if (std::sscanf(data.c_str(), "P5 %d %d %d%n", &s.width, &s.height, &maxValue, &used) != 3)
        return {};
    s.pixels = data.substr(size_t(used) + 1);
    return s;
}

struct DarkRun {
    int start, length;
};
// The dark runs of one row.
std::vector<DarkRun> rowRuns(const Scan& s, int y) {
    std::vector<DarkRun> runs;
    for (int x = 0; x < s.width; ++x) {
        if (!s.dark(x, y))
            continue;
        int end = x;
        while (end < s.width && s.dark(end, y))
            ++end;
        runs.push_back({x, end - x});
        x = end;
    }
    return runs;
}
// The height of the dark run of one column that reaches the row `y`.
int columnRun(const Scan& s, int x, int y, int* top) {
    int first = y, last = y;
    while (first > 0 && s.dark(x, first - 1))
        --first;
    while (last + 1 < s.height && s.dark(x, last + 1))
        ++last;
    *top = first;
    return last - first + 1;
}

// The bars drawn at (1.25, 1.25) inch: '|' full, '.' half, with their geometry checked to
// 0.002 inch on the way.
std::string readPostNet(const Scan& s) {
    const std::vector<DarkRun> bars = rowRuns(s, 250 + 110); // through every bar
    std::string text;
    for (size_t i = 0; i < bars.size(); ++i) {
        EXPECT_NEAR(bars[i].start, 250 + 46 * int(i), 2) << "bar " << i;
        EXPECT_NEAR(bars[i].length, 15, 2) << "bar " << i;
        int top = 0;
        const int height = columnRun(s, bars[i].start + bars[i].length / 2, 250 + 110, &top);
        const bool full = height > 90;
        EXPECT_NEAR(height, full ? 125 : 55, 2) << "bar " << i;
        EXPECT_NEAR(top + height, 375, 2) << "bar " << i; // bottoms in line
        text += full ? '|' : '.';
    }
    return text;
}

TEST(BarcodeTool, PostNetBarsOnThePage) {
    TempDir dir;
    const auto pdf = dir / "postnet.pdf";
    const struct {
        std::vector<std::string> args;
        std::string digits, bars;
    } cases[] = {
        {{"12345"}, "123455", "|...||..|.|..||..|..|.|.|..|.|.|"},
        {{"12345-6789"},
         "1234567895",
         "|...||..|.|..||..|..|.|.|..||..|...|"
         "|..|.|.|...|.|.|"},
        {{"12345-6789", "--address", "123 1/2 MAIN ST"},
         "123456789230",
         "|...||..|.|..||..|..|.|.|..||..|...||..|.|.|....|.|..||.||...|"},
        {{"12345-6789", "--address", "PSC 3 BOX 12 APO AE", "--type", "11"},
         "123456789997",
         "|...||..|.|..||..|..|.|.|..||..|...||..|.|.|..|.|..|.|..|...||"},
        {{"12345-6789", "--type", "5"}, "123455", "|...||..|.|..||..|..|.|.|..|.|.|"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"barcode", "postnet"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--out", pdf.string(), "--at", "1.25,1.25"});
        const ToolRun run = tool(dir, args);
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, c.digits + "\n");
        const Scan s = scan(dir, pdf);
        ASSERT_GT(s.width, 0);
        EXPECT_EQ(readPostNet(s), c.bars) << c.args[0];
    }
}

TEST(BarcodeTool, FimSlotsOnThePage) {
    TempDir dir;
    const auto pdf = dir / "fim.pdf";
    const struct {
        const char* type;
        std::vector<int> barSlots;
    } cases[] = {
        {"A", {1, 3, 9, 15, 17}}, {"b", {1, 5, 7, 11, 13, 17}}, {"C", {1, 3, 7, 11, 15, 17}}};
    for (const auto& c : cases) {
        const ToolRun run =
            tool(dir, {"barcode", "fim", c.type, "--out", pdf.string(), "--at", "1.25,1.25"});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, std::string(1, char(std::toupper(c.type[0]))) + "\n");
        const Scan s = scan(dir, pdf);
        ASSERT_GT(s.width, 0);
        const std::vector<DarkRun> bars = rowRuns(s, 500);
        ASSERT_EQ(bars.size(), c.barSlots.size()) << c.type;
        for (size_t i = 0; i < bars.size(); ++i) {
            EXPECT_NEAR(bars[i].start, 250 + 31.25 * (c.barSlots[i] - 1), 2) << c.type << i;
            EXPECT_NEAR(bars[i].length, 31.25, 2) << c.type << i;
            int top = 0;
            EXPECT_NEAR(columnRun(s, bars[i].start + 10, 500, &top), 562.5, 2) << c.type << i;
            EXPECT_NEAR(top, 250, 2);
        }
    }
}

TEST(BarcodeTool, RefusesWhatGivesNoMark) {
    TempDir dir;
    const std::string pdf = (dir / "none.pdf").string();
    const ToolRun shortZip = tool(dir, {"barcode", "postnet", "1234", "--out", pdf});
    EXPECT_EQ(shortZip.code, 1);
    EXPECT_NE(shortZip.err.find("gives no barcode"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(tool(dir, {"barcode", "fim", "D", "--out", pdf}).code, 2);
    EXPECT_EQ(tool(dir, {"barcode", "postnet", "12345"}).code, 2);
    EXPECT_EQ(tool(dir, {"barcode", "postnet", "12345", "--out", pdf, "--at", "x"}).code, 2);
}

} // namespace
} // namespace xbase::test
