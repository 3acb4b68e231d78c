// corvane-tool layout: a layout file written here by hand, listed and drawn onto a PDF page;
// the page is read back at 100 dots per inch, so a pixel is a hundredth of an inch.
#include "tests/tools/tool_run.h"
#include "tests/xbase/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace xbase::test {
namespace {

std::string st(const std::string& text) {
    return char(text.size()) + text;
}
std::string ident(const std::string& name) {
    return "\x07" + st(name);
}

// A black box at (96, 48), 192 by 12 pixels (1 by 0.5 inch, 2 by 0.125 inch), and two lines.
const std::string Layout =
    std::string("\x01") + "TPF0" + st("TGPLabel") + st("Special1") + st("Left") + "\x02\x60" +
    st("Top") + "\x02\x30" + st("Width") + std::string("\x03\xc0\x00", 3) + st("Height") +
    "\x02\x0c" + st("Font.Color") + ident("clWhite") + st("Transparent") + "\x08" +
    st("BackColor") + ident("clBlack") + std::string(2, '\0') + "TPF0" + st("TGMultiLineLabel") +
    st("Special2") + st("Items.Strings") + "\x01\x06" + st("one") + "\x06" + st("two") +
    std::string(1, '\0') + std::string(2, '\0') + std::string(1, '\0');

std::string write(const TempDir& dir, const std::string& name, const std::string& bytes) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

TEST(LayoutTool, DumpListsEveryObjectAndProperty) {
    TempDir dir;
    const ToolRun run = tool(dir, {"layout", "dump", write(dir, "BIN00001.L", Layout)});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "TGPLabel Special1 (96, 48, 192 x 12)\n"
                       "  Left = 96\n  Top = 48\n  Width = 192\n  Height = 12\n"
                       "  Font.Color = clWhite\n  Transparent = False\n  BackColor = clBlack\n"
                       "TGMultiLineLabel Special2 (0, 0, 0 x 0)\n"
                       "  Items.Strings = ('one', 'two')\n");

    // A cut file: what was read is listed, then the error.
    const ToolRun cut = tool(dir, {"layout", "dump", write(dir, "cut.L", Layout.substr(0, 115))});
    EXPECT_EQ(cut.code, 1);
    EXPECT_EQ(cut.out.rfind("TGPLabel Special1", 0), 0u) << cut.out;
    EXPECT_NE(cut.err.find("Stream read error"), std::string::npos) << cut.err;
}

TEST(LayoutTool, RenderPutsObjectsWhereTheirBoundsSay) {
    TempDir dir;
    const std::string pdf = (dir / "page.pdf").string();
    const ToolRun run = tool(
        dir, {"layout", "render", write(dir, "BIN00001.L", Layout), "--size", "4,2", "--out", pdf});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string prefix = (dir / "page").string();
    ASSERT_EQ(
        std::system(
            ("pdftoppm -r 100 -gray -singlefile " + quoted(pdf) + " " + quoted(prefix)).c_str()),
        0);
    const std::string data = slurp(prefix + ".pgm");
    int width = 0, height = 0, maxValue = 0, used = 0;
    ASSERT_EQ(std::sscanf(data.c_str(), "P5 %d %d %d%n", &width, &height, &maxValue, &used), 3);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 200);
    const std::string pixels = data.substr(size_t(used) + 1);
    // The black box: the dark pixels above the lines' row, which start at 2 inches.
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((unsigned char)pixels[size_t(y) * width + x] < 128 && y < 100 && x > 50) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
    EXPECT_NEAR(left, 100, 1);
    EXPECT_NEAR(top, 50, 1);
    EXPECT_NEAR(right, 300, 1.5);
    EXPECT_NEAR(bottom, 62.5, 1.5);

    const ToolRun bad = tool(
        dir, {"layout", "render", write(dir, "bad.L", "\x01TPF1"), "--size", "4,2", "--out", pdf});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("Invalid stream format"), std::string::npos) << bad.err;
}

} // namespace
} // namespace xbase::test
