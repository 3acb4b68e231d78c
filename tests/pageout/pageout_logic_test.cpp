#include "pageout/status_text.h"
#include "pageout/tab_stops.h"
#include "pageout/units.h"
#include "pageout/zoom.h"
#include "platform/printer_papers.h"

#include <gtest/gtest.h>

namespace {

using namespace pageout;

TEST(StatusText, CodesExpandCaseInsensitively) {
    StatusValues values;
    values.lines = {"", ""};
    values.currentPage = 3;
    values.firstPage = 2;
    values.lastPage = 40;
    values.deviceName = "Office";
    values.driverName = "Laser 5";
    values.port = "/dev/lp0";
    const struct {
        QString format;
        QString expected;
    } cases[] = {
        {"Printing Page %p\r%0\r%1", "Printing Page 3\r\r"},
        {"Printing Page %P\r%0\r%1", "Printing Page 3\r\r"},
        {"%F-%l of %d (%R) on %t", "2-40 of Office (Laser 5) on /dev/lp0"},
        {"100%% done", "100% done"},
        {"%7 missing line", " missing line"},
        {"bad %q and %Z", "bad <ERROR-%q> and <ERROR-%Z>"},
        {"trailing %", "trailing %"},
        {"\rPreview Stopped at page %p!", "\rPreview Stopped at page 3!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandStatus(c.format, values), c.expected) << c.format.toStdString();

    values.lines = {"first", "second"};
    EXPECT_EQ(ExpandStatus("%1/%0", values), "second/first");
}

TEST(Zoom, ClampsAndStepsBetween10And200) {
    EXPECT_EQ(ZoomStepIn(195, 10), 200);
    EXPECT_EQ(ZoomStepOut(15, 10), 10);
    EXPECT_EQ(ZoomStepIn(100, 10), 110);
    EXPECT_EQ(ClampZoom(5), 10);
    EXPECT_EQ(ClampZoom(250), 200);
    EXPECT_EQ(ClampZoom(std::nan("")), 10);
}

TEST(Zoom, FitsPageWidthAndWholePageWithBorder) {
    PageView view; // Letter at 96 dpi with a 2.5 % border
    // 100 % is 816 + 2 * 20.4 pixels wide.
    EXPECT_EQ(view.pageWidthZoom(856.8), 100);
    EXPECT_EQ(view.pageWidthZoom(856), 99);
    // The whole page fits by its height here.
    EXPECT_EQ(view.wholePageZoom(2000, 1096.8 / 2), 50);
    EXPECT_EQ(view.wholePageZoom(10, 10), 10);
    EXPECT_EQ(PreviewCaption(3, 1, 5, 99.6), "Preview Page 3 of 5 ( 100% )");
    EXPECT_EQ(PreviewCaption(3, 3, 5, 10), "Preview Page 1 of 5 ( 10% )");
}

TEST(TabStops, NegativePositionsChainFromTheSectionAndCellsPlaceText) {
    TabStops tabs;
    tabs.add({-1, CellJustify::Left, 0.625, 5, {}, 0});
    tabs.add({-1, CellJustify::Right, 1.0, 10, {}, 0});
    tabs.add({4.0, CellJustify::Centre, 2.0, 0, {}, 0});
    tabs.add({-1, CellJustify::Spread, 1.5, 25, {}, 0});
    const double left = 0.5;
    EXPECT_DOUBLE_EQ(tabs.span(0, left).left, 0.5);
    EXPECT_DOUBLE_EQ(tabs.span(1, left).left, 1.125);
    EXPECT_DOUBLE_EQ(tabs.span(1, left).right, 2.125);
    EXPECT_DOUBLE_EQ(tabs.span(3, left).left, 6.0);
    EXPECT_EQ(tabs.next(-1), 0);
    EXPECT_EQ(tabs.next(3), 0);

    EXPECT_DOUBLE_EQ(PlaceInCell(tabs.at(0), tabs.span(0, left), 0.3, 3).x, 0.55);
    EXPECT_DOUBLE_EQ(PlaceInCell(tabs.at(1), tabs.span(1, left), 0.4, 3).x, 2.125 - 0.1 - 0.4);
    EXPECT_DOUBLE_EQ(PlaceInCell(tabs.at(2), tabs.span(2, left), 1.0, 3).x, 4.5);
    const CellPlacement spread = PlaceInCell(tabs.at(3), tabs.span(3, left), 0.5, 5);
    EXPECT_DOUBLE_EQ(spread.x, 6.25);
    EXPECT_DOUBLE_EQ(spread.letterSpacing, (1.5 - 0.5 - 0.5) / 4);

    tabs.push();
    tabs.clear();
    EXPECT_TRUE(tabs.empty());
    tabs.pop();
    EXPECT_EQ(tabs.count(), 4);
    tabs.pop(); // nothing saved: stays
    EXPECT_EQ(tabs.count(), 4);
}

TEST(Units, ConversionsAndPenWidths) {
    EXPECT_DOUBLE_EQ(ToInches(25.4, Units::MM, 1), 1.0);
    EXPECT_DOUBLE_EQ(ToInches(5.08, Units::CM, 1), 2.0);
    EXPECT_DOUBLE_EQ(ToInches(36, Units::Point, 1), 0.5);
    EXPECT_DOUBLE_EQ(ToInches(3, Units::User, 0.5), 1.5);
    EXPECT_DOUBLE_EQ(FromInches(1.5, Units::User, 0.5), 3);
    // -1 is a hundredth of an inch but at least one device pixel.
    EXPECT_DOUBLE_EQ(PenWidthToDevice(-1, 96, 100), 1.0);
    EXPECT_DOUBLE_EQ(PenWidthToDevice(-1, 1200, 100), 12.0);
    EXPECT_DOUBLE_EQ(PenWidthToDevice(-10, 300, 50), 15.0);
    EXPECT_DOUBLE_EQ(PenWidthToDevice(3, 1200, 100), 3.0);
    EXPECT_DOUBLE_EQ(FontLineHeight(10), 1.2 * 10 / 72);
    EXPECT_DOUBLE_EQ(LinesPerInchLineHeight(6), 1.0 / 6);
}

TEST(PaperCodes, KnownCodesAndCustomSizes) {
    const struct {
        int code;
        double width, height;
    } cases[] = {{1, 8.5, 11},       {9, 8.27, 11.69}, {11, 5.83, 8.27}, {20, 4.125, 9.5},
                 {19, 3.875, 8.875}, {37, 3.875, 7.5}, {27, 4.33, 8.66}};
    for (const auto& c : cases) {
        const auto paper = platform::PaperForCode(c.code);
        ASSERT_TRUE(paper) << c.code;
        EXPECT_NEAR(paper->width, c.width, 0.01) << c.code;
        EXPECT_NEAR(paper->height, c.height, 0.01) << c.code;
    }
    EXPECT_FALSE(platform::PaperForCode(0));
    EXPECT_FALSE(platform::PaperForCode(4711));
    EXPECT_EQ(platform::InchesToTenthsOfMillimetre(4.0), 1016);
    const auto custom = platform::PageSizeFor(0, 6.0, 4.0);
    ASSERT_TRUE(custom);
    EXPECT_NEAR(custom->size(QPageSize::Inch).width(), 4.0, 0.01);
    EXPECT_NEAR(custom->size(QPageSize::Inch).height(), 6.0, 0.01);
    EXPECT_FALSE(platform::PageSizeFor(0, 0, 4.0));
}

} // namespace
