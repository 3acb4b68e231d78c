// corvane-tool pageout ...: page output checks from the command line.
#include "tools/command.h"
#include "tools/tool_application.h"

#include "pageout/canvas_job.h"
#include "pageout/page_filer.h"
#include "pageout/test_sheet.h"
#include "platform/printer_device.h"

#include <QFileInfo>

#include <memory>
#include <ostream>

namespace {

int testPage(const tool::Arguments& args, std::ostream& out, std::ostream& err) {
    QString pdf, png;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size())
            pdf = QString::fromStdString(args[++i]);
        else if (args[i] == "--preview-png" && i + 1 < args.size())
            png = QString::fromStdString(args[++i]);
        else {
            err << "corvane-tool: unexpected argument '" << args[i] << "'\n";
            return tool::ExitUsage;
        }
    }
    if (pdf.isEmpty()) {
        err << "usage: corvane-tool pageout test-page --out FILE.pdf [--preview-png FILE.png]\n";
        return tool::ExitUsage;
    }
    const auto app = tool::MakeGuiApplication();
    platform::PrinterDevice& device = platform::SharedPrinter();
    device.selectPrinterByName(platform::PdfPrinterName);
    device.pdfFileName = pdf;

    pageout::TPagePrinter printer;
    printer.SetTitle(QStringLiteral("Corvane test sheet"));
    printer.OnPrint = pageout::DrawTestSheet;
    if (!printer.RunJob() || !QFileInfo::exists(pdf)) {
        err << "corvane-tool: could not write " << pdf.toStdString() << '\n';
        return tool::ExitFailure;
    }
    out << "wrote " << pdf.toStdString() << '\n';

    if (!png.isEmpty()) {
        pageout::PageStream stream;
        pageout::TPageFiler filer;
        filer.SetStream(&stream);
        filer.OnPrint = pageout::DrawTestSheet;
        if (!filer.RunJob() || !pageout::RenderPage(stream, 0, 100).save(png)) {
            err << "corvane-tool: could not write " << png.toStdString() << '\n';
            return tool::ExitFailure;
        }
        out << "wrote " << png.toStdString() << '\n';
    }
    return tool::ExitOk;
}

const tool::Registration testPageCommand({"pageout", "test-page",
                                          "--out FILE.pdf [--preview-png FILE.png]",
                                          "draw the printer test sheet into a PDF through the PDF "
                                          "file printer, and the page stream into a PNG",
                                          testPage});

} // namespace
