// corvane-tool barcode ...: one postal mark drawn onto a Letter page through the page output
// engine and the "PDF file" printer, as the envelopes and labels print it.
#include "tools/command.h"
#include "tools/gui_application.h"

#include "layout/barcode_printing.h"
#include "layout/fim_code.h"
#include "layout/postnet_code.h"
#include "pageout/canvas_job.h"
#include "platform/printer_device.h"

#include <QFileInfo>
#include <QStringList>

#include <cctype>
#include <functional>
#include <optional>
#include <ostream>

namespace {

struct BarcodeRequest {
    std::string data;
    QString pdf;
    double x = 1, y = 1;
    std::string address;
    bool hasAddress = false;
    std::optional<layout::TPostNetBarCodeType> type;
};

std::optional<layout::TPostNetBarCodeType> typeOf(const std::string& digits) {
    if (digits == "5")
        return layout::pnbc5Digit;
    if (digits == "9")
        return layout::pnbc9Digit;
    if (digits == "11")
        return layout::pnbc11Digit;
    return std::nullopt;
}

// Reads the arguments; an error message when they are wrong.
std::optional<std::string> parse(const tool::Arguments& args, bool postnet, BarcodeRequest& r) {
    bool haveData = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--out" && hasValue) {
            r.pdf = QString::fromStdString(args[++i]);
        } else if (a == "--at" && hasValue) {
            const QStringList xy = QString::fromStdString(args[++i]).split(u',');
            bool okX = false, okY = false;
            if (xy.size() == 2) {
                r.x = xy[0].trimmed().toDouble(&okX);
                r.y = xy[1].trimmed().toDouble(&okY);
            }
            if (!okX || !okY || r.x < 0 || r.y < 0)
                return "--at wants two positive numbers of inches, X,Y";
        } else if (postnet && a == "--address" && hasValue) {
            r.address = args[++i];
            r.hasAddress = true;
        } else if (postnet && a == "--type" && hasValue) {
            r.type = typeOf(args[++i]);
            if (!r.type)
                return "--type is 5, 9 or 11";
        } else if (!haveData && (a.empty() || a[0] != '-')) {
            r.data = a;
            haveData = true;
        } else {
            return "unexpected argument '" + a + "'";
        }
    }
    if (!haveData || r.pdf.isEmpty())
        return "";
    return std::nullopt;
}

// Draws onto one Letter page of the PDF printer; false when the file was not written.
bool drawPage(const QString& pdf, const std::function<void(pageout::TBasePageJob&)>& draw) {
    platform::PrinterDevice& device = platform::SharedPrinter();
    device.selectPrinterByName(platform::PdfPrinterName);
    device.pdfFileName = pdf;
    pageout::TPagePrinter printer;
    printer.SetTitle(QStringLiteral("Corvane barcode"));
    printer.ChoosePaper(1, 11, 8.5);
    printer.OnPrint = draw;
    return printer.RunJob() && QFileInfo::exists(pdf);
}

int run(const tool::Arguments& args, std::ostream& out, std::ostream& err, bool postnet) {
    const char* usage = postnet
                            ? "usage: corvane-tool barcode postnet ZIP --out FILE.pdf [--at X,Y] "
                              "[--address LINE] [--type 5|9|11]\n"
                            : "usage: corvane-tool barcode fim A|B|C --out FILE.pdf [--at X,Y]\n";
    BarcodeRequest r;
    if (const auto problem = parse(args, postnet, r)) {
        if (!problem->empty())
            err << "corvane-tool: " << *problem << '\n';
        err << usage;
        return tool::ExitUsage;
    }
    std::string drawn;
    std::function<void(pageout::TBasePageJob&)> draw;
    if (postnet) {
        // With an address line the delivery point is encoded too; else every digit found.
        const auto type = r.type.value_or(r.hasAddress ? layout::pnbc11Digit : layout::pnbc9Digit);
        drawn = layout::PostNetCode(r.data, r.address, type);
        if (drawn.empty()) {
            err << "corvane-tool: the ZIP code '" << r.data
                << "' gives no barcode (it needs at least 5 characters from 00000 to "
                   "99999-9999)\n";
            return tool::ExitFailure;
        }
        draw = [&](pageout::TBasePageJob& job) { layout::PrintPostNetBars(job, r.x, r.y, drawn); };
    } else {
        const char letter = r.data.size() == 1 ? char(std::toupper((unsigned char)r.data[0])) : 0;
        if (letter < 'A' || letter > 'C') {
            err << "corvane-tool: the FIM type is A, B or C\n" << usage;
            return tool::ExitUsage;
        }
        const auto type = layout::TFIMBarCodeType(letter - 'A');
        drawn = std::string(1, layout::FimLetter(type));
        draw = [&r, type](pageout::TBasePageJob& job) {
            layout::PrintFimBars(job, r.x, r.y, type);
        };
    }
    const auto app = tool::MakeGuiApplication();
    if (!drawPage(r.pdf, draw)) {
        err << "corvane-tool: could not write " << r.pdf.toStdString() << '\n';
        return tool::ExitFailure;
    }
    out << drawn << '\n';
    return tool::ExitOk;
}

const tool::Registration postnetCommand(
    {"barcode", "postnet", "ZIP --out FILE.pdf [--at X,Y] [--address LINE] [--type 5|9|11]",
     "draw the POSTNET barcode of a ZIP code (with the delivery point of an address line) on a "
     "Letter page at X,Y inches (default 1,1); prints the digits drawn, check digit included",
     [](const tool::Arguments& a, std::ostream& o, std::ostream& e) {
         return run(a, o, e, true);
     }});

const tool::Registration fimCommand(
    {"barcode", "fim", "A|B|C --out FILE.pdf [--at X,Y]",
     "draw a facing identification mark on a Letter page at X,Y inches (default 1,1); prints "
     "its letter",
     [](const tool::Arguments& a, std::ostream& o, std::ostream& e) {
         return run(a, o, e, false);
     }});

} // namespace
