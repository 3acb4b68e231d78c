#pragma once

#include "pageout/page_job.h"
#include "platform/printer_device.h"
#include "platform/printers.h"
#include "platform/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>

namespace pageout::testkit {

// The bounding box of the pixels darker than mid-grey inside `area` of the image; a null
// rectangle when there are none.
QRect InkBounds(const QImage& image, const QRect& area);

// Page `page` (1-based) of a PDF file rendered by pdftoppm at `dpi` dots per inch; a null
// image when it cannot be rendered.
QImage RenderPdfPage(const QString& pdf, int dpi, int page = 1);

// The ways a job's drawing reaches paper or screen.
enum class Output {
    Canvas,      // a canvas job on an image of the given resolution
    Stream,      // recorded by a filer and replayed as the preview does
    StreamAsPdf, // recorded by a filer, saved as PDF from the preview and read back
    PrinterPdf,  // printed to the built-in "PDF file" printer and read back
};

// A test whose only (and default) printer is the built-in "PDF file" printer, its dialogs
// answered by script.
class PdfPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        printers.printers = {{platform::PdfPrinterName, "PDF", true}};
        printers.defaultName = platform::PdfPrinterName;
        platform::SharedPrinter().discard();
    }
    void TearDown() override { platform::SharedPrinter().discard(); }

    platform::ScriptedDialogs dialogs;
    platform::FakePrinters printers;
};

// The first page that `draw` makes on `output`, as an image of `dpi` dots per inch of the
// sheet. The printer outputs need the "PDF file" printer among the installed ones.
QImage RenderJob(Output output, double dpi, const TBasePageJob::JobEvent& draw);

} // namespace pageout::testkit
