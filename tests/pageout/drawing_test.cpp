#include "job_rendering.h"

#include "pageout/canvas_job.h"
#include "pageout/page_filer.h"
#include "platform/printer_device.h"
#include "platform/scripted_dialogs.h"

#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace pageout;
using pageout::testkit::InkBounds;

constexpr double Dpi = 300;

QRect inchBand(double top, double height) {
    return QRect(0, int(top * Dpi), int(8.5 * Dpi), int(height * Dpi));
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        printers.printers = {{"Office", "/dev/usb/lp0", false},
                             {platform::PdfPrinterName, "PDF", true}};
        printers.defaultName = "Office";
        platform::SharedPrinter().discard();
        filer.SetStream(&stream);
        filer.SetMargins(0, 0, 0, 0);
    }
    void TearDown() override { platform::SharedPrinter().discard(); }

    QImage record(const TBasePageJob::JobEvent& draw) {
        filer.OnPrint = draw;
        EXPECT_TRUE(filer.RunJob());
        EXPECT_GE(stream.count(), 1);
        return RenderPage(stream, 0, Dpi);
    }

    platform::ScriptedDialogs dialogs;
    platform::FakePrinters printers;
    PageStream stream;
    TPageFiler filer;
};

TEST_F(Drawing, OneInchSquareLandsOneInchFromTheCorner) {
    const QImage page = record([](TBasePageJob& job) {
        job.SelectPen(Qt::black, PenStyle::Clear, -1);
        job.SelectBrush(Qt::black, BrushStyle::Solid);
        job.DrawRectangle(1, 1, 2, 2);
    });
    EXPECT_EQ(page.width(), 2550);
    EXPECT_EQ(page.height(), 3300);
    const QRect ink = InkBounds(page, page.rect());
    EXPECT_NEAR(ink.left(), 300, 1);
    EXPECT_NEAR(ink.top(), 300, 1);
    EXPECT_NEAR(ink.right() + 1, 600, 1);
    EXPECT_NEAR(ink.bottom() + 1, 600, 1);
}

TEST_F(Drawing, OtherUnitsAndOriginShiftMoveTheSameSquare) {
    const QImage page = record([](TBasePageJob& job) {
        job.units = Units::MM;
        job.SelectPen(Qt::black, PenStyle::Clear, -1);
        job.SelectBrush(Qt::black, BrushStyle::Solid);
        job.SetOriginShiftX(25.4);
        job.SetOriginShiftY(50.8);
        job.DrawRectangle(0, 0, 25.4, 25.4);
        job.units = Units::Inch;
    });
    const QRect ink = InkBounds(page, page.rect());
    EXPECT_NEAR(ink.left(), 300, 1);
    EXPECT_NEAR(ink.top(), 600, 1);
    EXPECT_NEAR(ink.width(), 300, 1);
}

TEST_F(Drawing, TextAlignmentsAndCellsPlaceTheSameInk) {
    // Each line draws "HELLO" so that it should start at 2 inches, in a different way.
    double width = 0;
    const QImage page = record([&](TBasePageJob& job) {
        job.SelectFont("DejaVu Sans", 12);
        job.SelectBrush(Qt::white, BrushStyle::Clear);
        width = job.TextWidth("HELLO");
        job.MoveToPosition(0.5, 1);
        job.TextLeftAt("HELLO", 2);
        job.MoveToPosition(0.5, 2);
        job.TextRightAt("HELLO", 2 + width);
        job.MoveToPosition(0.5, 3);
        job.TextCenteredAt("HELLO", 2 + width / 2);
        job.AddTab(1.5, CellJustify::Left, 2, 50);          // text at 1.5 + 0.5
        job.AddTab(-1, CellJustify::Right, 1 + width, 100); // cell 3.5 .. 4.5 + width
        job.MoveToPosition(0.5, 4);
        job.PrintText("\tHELLO");
        job.MoveToPosition(0.5, 5);
        job.NextCell();
        job.NextCell();
        job.PrintText("HELLO"); // right at 4.5 + width - 1 = 3.5 + width
    });
    const QRect reference = InkBounds(page, inchBand(1, 0.5));
    ASSERT_FALSE(reference.isNull());
    // The ink starts at 2 inches plus the letter's small side bearing.
    EXPECT_GE(reference.left(), 600);
    EXPECT_LE(reference.left(), 600 + 0.03 * Dpi);
    EXPECT_NEAR(reference.width(), width * Dpi, 0.05 * Dpi);
    for (double line : {2.0, 3.0, 4.0}) {
        const QRect ink = InkBounds(page, inchBand(line, 0.5));
        EXPECT_NEAR(ink.left(), reference.left(), 1) << line;
        EXPECT_NEAR(ink.right(), reference.right(), 1) << line;
        EXPECT_NEAR(ink.top() - int(line * Dpi), reference.top() - 300, 1) << line;
    }
    const QRect right = InkBounds(page, inchBand(5, 0.5));
    EXPECT_NEAR(right.left(), reference.left() + 1.5 * Dpi, 1);
}

TEST_F(Drawing, PenWidthsAndCellShade) {
    const QImage page = record([](TBasePageJob& job) {
        job.SelectPen(Qt::black, PenStyle::Solid, -10); // a tenth of an inch: 30 pixels
        job.PenMoveTo(1, 1);
        job.PenLineTo(3, 1);
        job.SelectPen(Qt::black, PenStyle::Solid, -1);
        job.PenMoveTo(1, 2);
        job.PenLineTo(3, 2);
        job.SelectFont("DejaVu Sans", 10);
        job.AddTab(1, CellJustify::Left, 2, 0, {true, true, true, true}, 50);
        job.MoveToPosition(1, 3);
        job.NextCell();
    });
    EXPECT_NEAR(InkBounds(page, inchBand(0.8, 0.4)).height(), 30, 1);
    EXPECT_NEAR(InkBounds(page, inchBand(1.9, 0.2)).height(), 3, 1);
    const QRgb shade = page.pixel(int(2 * Dpi), int(3.05 * Dpi));
    EXPECT_NEAR(qGray(shade), 128, 2);
}

TEST_F(Drawing, LinesAdvanceByFontHeightWithinTheSection) {
    filer.SetMargins(0.5, 1, 0.5, 1);
    int lines = 0;
    double y = 0;
    record([&](TBasePageJob& job) {
        job.SelectFont("DejaVu Sans", 12); // 0.2 inch lines
        EXPECT_DOUBLE_EQ(job.CurrentY(), 1);
        EXPECT_DOUBLE_EQ(job.CurrentX(), 0.5);
        lines = job.LinesRemaining();
        job.PrintLine("one");
        job.PrintLine("two");
        y = job.CurrentY();
        EXPECT_DOUBLE_EQ(job.CurrentX(), 0.5);
    });
    EXPECT_EQ(lines, 45); // 9 inches of 0.2
    EXPECT_NEAR(y, 1.4, 1e-9);
}

TEST_F(Drawing, PagesCountAndShiftsResetOnNewPage) {
    std::vector<int> pages;
    filer.OnPrint = [&](TBasePageJob& job) {
        job.SetOriginShiftX(2);
        pages.push_back(job.CurrentPage());
        job.StartNewPage();
        EXPECT_EQ(job.OriginShiftX(), 0);
        pages.push_back(job.CurrentPage());
        job.StartNewPage();
        pages.push_back(job.CurrentPage());
    };
    filer.FirstPage = 2;
    EXPECT_TRUE(filer.RunJob());
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(stream.count(), 2); // page 1 lies outside the range
}

TEST_F(Drawing, AbortEndsTheRunSilently) {
    int drawnAfterAbort = 0;
    filer.OnPrint = [&](TBasePageJob& job) {
        job.DrawRectangle(1, 1, 2, 2);
        job.StartNewPage();
        job.AbortJob();
        job.DrawRectangle(1, 1, 2, 2); // unwinds the drawing routine
        ++drawnAfterAbort;
    };
    EXPECT_FALSE(filer.RunJob());
    EXPECT_TRUE(filer.Aborted());
    EXPECT_FALSE(filer.Printing());
    EXPECT_EQ(drawnAfterAbort, 0);
    EXPECT_EQ(stream.count(), 1);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    // A new run starts afresh.
    filer.OnPrint = [](TBasePageJob& job) { job.DrawEllipse(1, 1, 2, 2); };
    EXPECT_TRUE(filer.RunJob());
    EXPECT_FALSE(filer.Aborted());
}

TEST_F(Drawing, CallsOutsideOrDuringARunAreRefused) {
    try {
        filer.DrawRectangle(0, 0, 1, 1);
        FAIL() << "drawing while idle";
    } catch (const InvalidMethodCall& error) {
        EXPECT_STREQ(error.what(), "Invalid method call.  PagePrinter is not printing.");
    }
    std::string duringRun;
    filer.OnPrint = [&](TBasePageJob& job) {
        try {
            job.ChoosePaper(9, 0, 0);
        } catch (const InvalidMethodCall& error) {
            duringRun = error.what();
        }
    };
    EXPECT_TRUE(filer.RunJob());
    EXPECT_EQ(duringRun, "Invalid method call.  PagePrinter already printing.");
}

TEST_F(Drawing, PaperAndOrientationGiveTheSheet) {
    EXPECT_TRUE(filer.ChoosePaper(9, 0, 0));
    EXPECT_NEAR(filer.PageWidth(), 8.27, 0.01);
    filer.SetOrientation(Orientation::Landscape);
    EXPECT_NEAR(filer.PageWidth(), 11.69, 0.01);
    EXPECT_NEAR(filer.PageHeight(), 8.27, 0.01);
    EXPECT_TRUE(filer.ChoosePaper(0, 9.5, 4.125));
    EXPECT_NEAR(filer.PageWidth(), 9.5, 0.001);
    EXPECT_FALSE(filer.ChoosePaper(0, 500, 4)); // beyond the printer's extents
    EXPECT_FALSE(filer.ChoosePaper(4711, 0, 0));
    EXPECT_NEAR(filer.PageWidth(), 9.5, 0.001);
}

TEST_F(Drawing, StatusLabelShowsThePageWithTwoEmptyLines) {
    QLabel label;
    filer.StatusLabel = &label;
    QString third;
    filer.OnBeforePrint = [](TBasePageJob& job) {
        job.StatusFormat = "Printing Page %p\r%0\r%1";
        job.StatusText << ""
                       << "";
    };
    filer.OnPrint = [&](TBasePageJob& job) {
        job.StartNewPage();
        job.StartNewPage();
        third = label.text();
    };
    EXPECT_TRUE(filer.RunJob());
    EXPECT_EQ(third, "Printing Page 3\n\n");
}

TEST_F(Drawing, FontStateAndTextOpacity) {
    const QImage page = record([](TBasePageJob& job) {
        job.SelectFont("DejaVu Sans", 20);
        job.SetFontBold(true);
        job.SetFontColor(Qt::red);
        job.SetFontAngle(-90);
        EXPECT_EQ(job.FontAngle(), 270);
        job.SelectFont("DejaVu Serif", 0); // no size: nothing changes
        EXPECT_EQ(job.FontName(), "DejaVu Sans");
        EXPECT_TRUE(job.FontBold());
        job.SelectFont("DejaVu Serif", 12); // plain, black, upright
        EXPECT_FALSE(job.FontBold());
        EXPECT_EQ(job.FontColor(), QColor(Qt::black));
        EXPECT_EQ(job.FontAngle(), 0);
        EXPECT_EQ(job.FontSize(), 12);

        job.SelectPen(Qt::black, PenStyle::Clear, -1);
        job.SelectBrush(Qt::black, BrushStyle::Solid);
        job.DrawRectangle(1, 1, 7, 3);
        job.SelectFont("DejaVu Sans", 24);
        job.SetFontColor(Qt::red);
        job.SelectBrush(Qt::white, BrushStyle::Solid);
        job.MoveToPosition(1.5, 1.5);
        job.PrintText("opaque"); // on a white box
        job.SelectBrush(Qt::white, BrushStyle::Clear);
        job.MoveToPosition(1.5, 2.3);
        job.PrintText("clear"); // straight on the black
    });
    // Just right of the text's start, between letters, the background shows.
    const auto whiteIn = [&](double top) {
        int white = 0;
        for (int y = int(top * Dpi); y < int((top + 0.3) * Dpi); ++y)
            for (int x = int(1.5 * Dpi); x < int(2.2 * Dpi); ++x)
                white += qGray(page.pixel(x, y)) > 230;
        return white;
    };
    EXPECT_GT(whiteIn(1.5), 1000);
    EXPECT_EQ(whiteIn(2.3), 0);
}

} // namespace
