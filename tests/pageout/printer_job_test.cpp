#include "pageout/canvas_job.h"
#include "platform/printer_device.h"
#include "platform/scripted_dialogs.h"

#include <QDialog>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace pageout;

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PrinterJob : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        printers.printers = {{"Office", "/dev/usb/lp0", false},
                             {"Fax RENDERING SUBSYSTEM", "FAX:", false},
                             {platform::PdfPrinterName, "PDF", true}};
        printers.defaultName = "Office";
        platform::SharedPrinter().discard();
    }
    void TearDown() override { platform::SharedPrinter().discard(); }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::FakePrinters printers;
};

TEST_F(PrinterJob, PrinterListSelectionAndDefault) {
    platform::PrinterDevice& device = platform::SharedPrinter();
    EXPECT_EQ(device.printerNames(), (QStringList{"Office on /dev/usb/lp0", "PDF file on PDF"}));
    EXPECT_EQ(device.printerIndex(), 0);
    device.selectPrinterByName("pdf FILE");
    EXPECT_EQ(device.printerIndex(), 1);
    EXPECT_TRUE(device.isPdfPrinter());
    device.selectPrinterByName("Plotter"); // no such printer: nothing changes
    EXPECT_EQ(device.printerIndex(), 1);
    device.setPrinterIndex(-5);
    EXPECT_EQ(device.printerIndex(), 1);
    device.setPrinterIndex(-1); // the default printer
    EXPECT_EQ(device.printerIndex(), 0);
    EXPECT_EQ(device.deviceName(), "Office");

    device.selectPaperByName("a4");
    EXPECT_EQ(device.paperNames().value(device.currentPaper()), "A4");
    device.selectBinByName("nothing");
    EXPECT_EQ(device.currentBin(), 0);
    device.discard();
    EXPECT_EQ(device.paperNames().value(device.currentPaper()), "Letter / ANSI A");

    printers.printers.clear();
    EXPECT_EQ(device.printerIndex(), -1);
    EXPECT_TRUE(device.choosePaper(0, 7, 5)); // only recorded without printers
    EXPECT_NEAR(device.pageWidth(), 5, 0.001);
}

TEST_F(PrinterJob, PrinterSetupGoesThroughTheDialogSeam) {
    platform::PrinterDevice& device = platform::SharedPrinter();
    device.selectPrinterByName("PDF file");
    EXPECT_FALSE(device.showPrinterSetup()); // scripted: cancelled
    dialogs.answerDialog([](QDialog&) { return QDialog::Accepted; });
    EXPECT_TRUE(device.showPrinterSetup());
    EXPECT_EQ(dialogs.dialogTitles().size(), 2);
}

TEST_F(PrinterJob, NoPrinterStopsTheJobWithAMessage) {
    printers.printers.clear();
    TPagePrinter job;
    bool drew = false;
    job.OnPrint = [&](TBasePageJob&) { drew = true; };
    EXPECT_FALSE(job.RunJob());
    EXPECT_FALSE(drew);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"No printers are defined, aborting print job."});
}

TEST_F(PrinterJob, PdfFilePrinterWritesTextAndPageSize) {
    platform::PrinterDevice& device = platform::SharedPrinter();
    device.selectPrinterByName("PDF file");
    const QString pdf = dir.filePath("job.pdf");
    dialogs.answerFile(pdf); // the printer asks where to write
    TPagePrinter job;
    job.SetMargins(0, 0, 0, 0);
    ASSERT_TRUE(job.ChoosePaper(9, 0, 0));
    job.OnPrint = [](TBasePageJob& page) {
        page.SelectFont("DejaVu Sans", 14);
        page.MoveToPosition(1, 3);
        page.PrintText("Corvane test page");
        page.SelectPen(Qt::black, PenStyle::Clear, -1);
        page.SelectBrush(Qt::black, BrushStyle::Solid);
        page.DrawRectangle(1, 1, 2, 2);
        page.StartNewPage();
        page.MoveToPosition(1, 1);
        page.PrintText("Second sheet");
    };
    ASSERT_TRUE(job.RunJob());
    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    EXPECT_TRUE(dialogs.fileRequests()[0].save);

    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2"))) << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts")))
        << info.toStdString();
    const QString text = run("pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.contains("Corvane test page")) << text.toStdString();
    EXPECT_TRUE(text.contains("Second sheet"));

    run("pdftoppm", {"-r", "300", "-f", "1", "-l", "1", "-png", pdf, dir.filePath("page")});
    QImage page(dir.filePath("page-1.png"));
    ASSERT_FALSE(page.isNull());
    int left = INT_MAX, top = INT_MAX;
    for (int y = 0; y < 700; ++y)
        for (int x = 0; x < 700; ++x)
            if (qGray(page.pixel(x, y)) < 128)
                left = std::min(left, x), top = std::min(top, y);
    EXPECT_NEAR(left, 300, 3); // 1/100 inch
    EXPECT_NEAR(top, 300, 3);
}

TEST_F(PrinterJob, LandscapeEnvelopeGivesAWidePdfPage) {
    platform::SharedPrinter().selectPrinterByName("PDF file");
    platform::SharedPrinter().pdfFileName = dir.filePath("envelope.pdf");
    TPagePrinter job;
    ASSERT_TRUE(job.ChoosePaper(20, 0, 0)); // Envelope #10
    job.SetOrientation(Orientation::Landscape);
    EXPECT_DOUBLE_EQ(job.PageWidth(), 9.5);
    job.OnPrint = [](TBasePageJob& page) {
        page.MoveToPosition(4, 2);
        page.PrintText("Jane Doe");
    };
    ASSERT_TRUE(job.RunJob());
    const QString info = run("pdfinfo", {dir.filePath("envelope.pdf")});
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+684 x 297 pts")))
        << info.toStdString();
    EXPECT_TRUE(run("pdftotext", {dir.filePath("envelope.pdf"), "-"}).contains("Jane Doe"));
}

TEST_F(PrinterJob, CancelledFileChoiceOrAbortLeavesNoFile) {
    platform::SharedPrinter().selectPrinterByName("PDF file");
    TPagePrinter job;
    bool drew = false;
    job.OnPrint = [&](TBasePageJob&) { drew = true; };
    dialogs.answerFile(std::nullopt);
    EXPECT_FALSE(job.RunJob());
    EXPECT_FALSE(drew);
    EXPECT_TRUE(dialogs.messages().isEmpty());

    platform::SharedPrinter().pdfFileName = dir.filePath("aborted.pdf");
    job.OnPrint = [](TBasePageJob& page) {
        page.DrawEllipse(1, 1, 2, 2);
        page.AbortJob();
        page.StartNewPage();
    };
    EXPECT_FALSE(job.RunJob());
    EXPECT_TRUE(job.Aborted());
    EXPECT_FALSE(QFile::exists(dir.filePath("aborted.pdf")));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace

#include "pageout/page_filer.h"
#include "pageout/test_sheet.h"

namespace {

QPoint squareCorner(const QImage& image) {
    // The square is the only ink between 0.6 and 2.2 inches of both edges left of 2.2 inches.
    int left = INT_MAX, top = INT_MAX;
    for (int y = 180; y < 660; ++y)
        for (int x = 180; x < 660; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                left = std::min(left, x), top = std::min(top, y);
    return {left, top};
}

TEST_F(PrinterJob, TestSheetPdfMatchesThePageStream) {
    platform::SharedPrinter().selectPrinterByName("PDF file");
    platform::SharedPrinter().pdfFileName = dir.filePath("sheet.pdf");
    TPagePrinter printer;
    printer.OnPrint = DrawTestSheet;
    ASSERT_TRUE(printer.RunJob());
    run("pdftoppm", {"-r", "300", "-png", dir.filePath("sheet.pdf"), dir.filePath("sheet")});
    const QImage fromPdf(dir.filePath("sheet-1.png"));
    ASSERT_EQ(fromPdf.size(), QSize(2550, 3300));

    PageStream stream;
    TPageFiler filer;
    filer.SetStream(&stream);
    filer.OnPrint = DrawTestSheet;
    ASSERT_TRUE(filer.RunJob());
    const QImage fromStream = RenderPage(stream, 0, 300);

    EXPECT_NEAR(squareCorner(fromPdf).x(), 300, 3);
    EXPECT_NEAR(squareCorner(fromPdf).y(), 300, 3);
    EXPECT_NEAR(squareCorner(fromStream).x(), 300, 1);
    EXPECT_NEAR(squareCorner(fromStream).y(), 300, 1);

    // Apart from anti-aliased edges the two renderings agree.
    int differing = 0;
    for (int y = 0; y < 3300; y += 2)
        for (int x = 0; x < 2550; x += 2)
            if (std::abs(qGray(fromPdf.pixel(x, y)) - qGray(fromStream.pixel(x, y))) > 128)
                ++differing;
    EXPECT_LT(differing, 1275 * 1650 / 200); // under half a percent
}

} // namespace
