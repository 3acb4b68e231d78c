#include "job_rendering.h"

#include "platform/printer_device.h"
#include "platform/printers.h"
#include "platform/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace pageout;
using namespace pageout::testkit;

constexpr double Spacing = 1.0 / 12; // hatch lines are 8 screen pixels apart
constexpr double Line = 1.0 / 96;    // and one screen pixel wide

// The dark runs met along one straight scan, in inches of the sheet.
struct Runs {
    int count = 0;
    double period = 0; // mean distance between the centres of neighbouring runs
    double width = 0;  // mean length of a run
};

Runs scan(const QImage& page, double dpi, QPointF startInches, bool alongRow) {
    const int length = int(dpi); // one inch
    const QPoint start((startInches * dpi).toPoint());
    std::vector<double> centres;
    double inside = 0;
    int runStart = -1;
    for (int i = 0; i <= length; ++i) {
        const QPoint at = alongRow ? start + QPoint(i, 0) : start + QPoint(0, i);
        const bool dark = i < length && qGray(page.pixel(at)) < 128;
        if (dark && runStart < 0)
            runStart = i;
        if (!dark && runStart >= 0) {
            // Runs cut by the ends of the scan would spoil the mean.
            if (runStart > 0 && i < length) {
                centres.push_back((runStart + i - 1) / 2.0);
                inside += i - runStart;
            }
            runStart = -1;
        }
    }
    Runs runs;
    runs.count = int(centres.size());
    if (runs.count > 1)
        runs.period = (centres.back() - centres.front()) / (runs.count - 1) / dpi;
    if (runs.count > 0)
        runs.width = inside / runs.count / dpi;
    return runs;
}

class Hatch : public PdfPrinterTest {};

// Print (PDF printer, preview saved as PDF) and preview (page stream at any zoom, screen canvas)
// give the same hatches: the same spacing and line width in inches, clipped to the shape.
TEST_F(Hatch, PrintAndPreviewAgreeOnEveryDevice) {
    const struct {
        BrushStyle style;
        double rowPeriod, columnPeriod; // 0: no line crosses that scan
        double lineWidth;               // across the scan
    } styles[] = {
        {BrushStyle::Horizontal, 0, Spacing, Line},
        {BrushStyle::Vertical, Spacing, 0, Line},
        {BrushStyle::FDiagonal, Spacing, Spacing, Line * std::sqrt(2.0)},
        {BrushStyle::BDiagonal, Spacing, Spacing, Line * std::sqrt(2.0)},
        {BrushStyle::Cross, Spacing, Spacing, Line},
        {BrushStyle::DiagCross, Spacing / 2, Spacing / 2, Line * std::sqrt(2.0)},
    };
    // A pattern bitmap of dark blue upright bars two pixels wide, eight apart.
    const QRgb blue = qRgb(0, 0, 160);
    QImage bars(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            bars.setPixel(x, y, x < 2 ? blue : qRgb(255, 255, 255));
    const auto boxAt = [](int i) { return QPointF(0.5 + (i % 3) * 2.5, 0.5 + (i / 3) * 2.5); };
    const auto draw = [&](TBasePageJob& job) {
        job.SelectPen(Qt::black, PenStyle::Clear, -1);
        for (int i = 0; i < 6; ++i) {
            job.SelectBrush(Qt::black, styles[i].style);
            job.DrawRectangle(boxAt(i).x(), boxAt(i).y(), boxAt(i).x() + 2, boxAt(i).y() + 2);
        }
        job.SelectBrush(Qt::white, BrushStyle::Solid, bars);
        job.DrawRectangle(0.5, 5.5, 2.5, 7.5);
        job.SelectBrush(Qt::black, BrushStyle::DiagCross);
        job.DrawEllipse(3, 5.5, 5, 7.5);
    };

    const struct {
        Output output;
        double dpi;
    } outputs[] = {
        {Output::Stream, 96},       {Output::Stream, 300},     {Output::Canvas, 300},
        {Output::StreamAsPdf, 300}, {Output::PrinterPdf, 300},
    };
    for (const auto& o : outputs) {
        SCOPED_TRACE(::testing::Message() << "output " << int(o.output) << " at " << o.dpi);
        const QImage page = RenderJob(o.output, o.dpi, draw);
        ASSERT_FALSE(page.isNull());
        const double pixel = 1 / o.dpi;
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(::testing::Message() << "style " << int(styles[i].style));
            // The scans start a quarter of the spacing past a multiple of it, where crossing
            // diagonals are evenly spread and no line runs along the scan.
            const QPointF inside = boxAt(i) + QPointF(0.5, 0.5) + QPointF(1, 1) * Spacing / 4;
            for (const bool row : {true, false}) {
                const Runs runs = scan(page, o.dpi, inside, row);
                const double period = row ? styles[i].rowPeriod : styles[i].columnPeriod;
                if (period == 0) {
                    EXPECT_EQ(runs.count, 0) << (row ? "row" : "column");
                    continue;
                }
                EXPECT_GE(runs.count, int(0.9 / period)) << (row ? "row" : "column");
                EXPECT_NEAR(runs.period, period, pixel) << (row ? "row" : "column");
                EXPECT_NEAR(runs.width, styles[i].lineWidth, 1.5 * pixel)
                    << (row ? "row" : "column");
            }
        }
        const Runs pattern = scan(page, o.dpi, QPointF(1, 6.5), true);
        EXPECT_NEAR(pattern.period, Spacing, pixel);
        EXPECT_NEAR(pattern.width, 2 * Line, 1.5 * pixel);
        // The bars keep their colour (a PDF may store the pattern as a lossy image).
        int trueColour = 0;
        for (int k = 0; k < 11; ++k) {
            const QRgb at = page.pixel((QPointF(1 + k * Spacing + Line, 6.5) * o.dpi).toPoint());
            trueColour += std::abs(qRed(at) - qRed(blue)) + std::abs(qGreen(at) - qGreen(blue)) +
                              std::abs(qBlue(at) - qBlue(blue)) <=
                          12;
        }
        EXPECT_GE(trueColour, 9);

        // The hatch of the ellipse stays inside it: its box's corners are blank.
        const QRect box((QPointF(3, 5.5) * o.dpi).toPoint(), QSize(int(2 * o.dpi), int(2 * o.dpi)));
        const int corner = int(0.25 * o.dpi);
        for (const QPoint at :
             {box.topLeft(), box.topRight() - QPoint(corner, 0),
              box.bottomLeft() - QPoint(0, corner), box.bottomRight() - QPoint(corner, corner)})
            EXPECT_TRUE(InkBounds(page, QRect(at, QSize(corner, corner))).isNull());
        EXPECT_FALSE(InkBounds(page, QRect(box.center(), QSize(corner, corner))).isNull());
    }
}

} // namespace
