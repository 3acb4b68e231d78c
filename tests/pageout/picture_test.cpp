#include "job_rendering.h"

#include "platform/printer_device.h"
#include "platform/printers.h"
#include "platform/scripted_dialogs.h"

#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

namespace {

using namespace pageout;
using namespace pageout::testkit;

class Picture : public PdfPrinterTest {};

TEST_F(Picture, FillsItsDeviceRectangleOnEveryDevice) {
    // A black block whose extent does not start at the picture's origin.
    QPicture picture;
    {
        QPainter painter(&picture);
        painter.fillRect(QRect(10, 20, 200, 100), Qt::black);
    }
    // Stretched unevenly into 1..4 inches across and 1..2 inches down.
    const auto draw = [&](TBasePageJob& job) {
        job.DrawGraphicInRect(job.PageRect(1, 1, 4, 2), picture);
    };
    const struct {
        Output output;
        double dpi;
    } cases[] = {
        {Output::Canvas, 96},      {Output::Canvas, 300}, {Output::Canvas, 1200},
        {Output::Stream, 96},      {Output::Stream, 300}, {Output::StreamAsPdf, 150},
        {Output::PrinterPdf, 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "output " << int(c.output) << " at " << c.dpi);
        const QImage page = RenderJob(c.output, c.dpi, draw);
        ASSERT_FALSE(page.isNull());
        const QRect ink = InkBounds(page, page.rect());
        ASSERT_FALSE(ink.isNull());
        EXPECT_NEAR(ink.left() / c.dpi, 1, 1.5 / c.dpi);
        EXPECT_NEAR(ink.top() / c.dpi, 1, 1.5 / c.dpi);
        EXPECT_NEAR((ink.right() + 1) / c.dpi, 4, 1.5 / c.dpi);
        EXPECT_NEAR((ink.bottom() + 1) / c.dpi, 2, 1.5 / c.dpi);
    }
}

} // namespace
