// corvane-tool layout ...: what a layout file holds, and the layout drawn onto a page through
// the page output engine as a label run prints it.
#include "tools/command.h"
#include "tools/console_dialogs.h"
#include "tools/gui_application.h"

#include "data/address_file.h"
#include "data/table_object.h"
#include "layout/label_panel.h"
#include "layout/layout_stream.h"
#include "pageout/canvas_job.h"
#include "platform/printer_device.h"
#include "xbase/table.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <optional>
#include <ostream>

namespace tool {
namespace {

void dumpRecord(const layout::StoredRecord& record, std::ostream& out) {
    int bounds[4] = {};
    const char* names[4] = {"Left", "Top", "Width", "Height"};
    for (const auto& [name, value] : record.properties)
        for (int i = 0; i < 4; ++i)
            if (name == QLatin1String(names[i]) && value.IsInteger())
                bounds[i] = int(value.integer);
    out << record.className.toStdString() << ' ' << record.name.toStdString() << " (" << bounds[0]
        << ", " << bounds[1] << ", " << bounds[2] << " x " << bounds[3] << ")\n";
    for (const auto& [name, value] : record.properties)
        out << "  " << name.toStdString() << " = " << layout::ValueText(value).toStdString()
            << '\n';
}

int dump(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        err << "usage: corvane-tool layout dump FILE\n";
        return ExitUsage;
    }
    const QString path = QString::fromStdString(args[0]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "corvane-tool: cannot open " << args[0] << ": " << file.errorString().toStdString()
            << '\n';
        return ExitFailure;
    }
    // A report holds its three bands' objects and then its settings.
    const bool report =
        QFileInfo(path).suffix().compare(QLatin1String("R"), Qt::CaseInsensitive) == 0;
    const char* bands[] = {"header", "detail", "footer"};
    try {
        for (int list = 0; list < (report ? 3 : 1); ++list) {
            if (report)
                out << "-- " << bands[list] << " band\n";
            layout::ReadStoredList(
                file, [&](const layout::StoredRecord& record) { dumpRecord(record, out); });
        }
        if (report) {
            layout::StreamReader reader(file);
            out << "-- report settings " << layout::ValueText(reader.Value()).toStdString() << '\n';
        }
    } catch (const layout::LayoutError& error) {
        out.flush();
        err << "corvane-tool: " << args[0] << ": " << error.message().toStdString() << '\n';
        return ExitFailure;
    }
    return ExitOk;
}

struct RenderRequest {
    QString layout, pdf, db;
    double width = 0, height = 0;
    long record = 0;
};

// Reads the arguments; an error message when they are wrong (empty: show the usage only).
std::optional<std::string> parse(const Arguments& args, RenderRequest& r) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--out" && hasValue) {
            r.pdf = QString::fromStdString(args[++i]);
        } else if (a == "--size" && hasValue) {
            const QStringList wh = QString::fromStdString(args[++i]).split(u',');
            bool okW = false, okH = false;
            if (wh.size() == 2) {
                r.width = wh[0].trimmed().toDouble(&okW);
                r.height = wh[1].trimmed().toDouble(&okH);
            }
            if (!okW || !okH || r.width <= 0 || r.height <= 0)
                return "--size wants two positive numbers of inches, W,H";
        } else if (a == "--db" && hasValue) {
            r.db = QString::fromStdString(args[++i]);
        } else if (a == "--record" && hasValue) {
            r.record = std::strtol(args[++i].c_str(), nullptr, 10);
            if (r.record < 1)
                return "--record wants a record number from 1";
        } else if (r.layout.isEmpty() && !a.empty() && a[0] != '-') {
            r.layout = QString::fromStdString(a);
        } else {
            return "unexpected argument '" + a + "'";
        }
    }
    if (r.layout.isEmpty() || r.pdf.isEmpty() || r.width <= 0)
        return "";
    if (!r.db.isEmpty() && r.record == 0)
        return "--db wants --record N";
    return std::nullopt;
}

int render(const Arguments& args, std::ostream& out, std::ostream& err) {
    const char* usage = "usage: corvane-tool layout render FILE --size W,H [--db ADDRESS.DBF "
                        "--record N] --out FILE.pdf\n";
    RenderRequest r;
    if (const auto problem = parse(args, r)) {
        if (!problem->empty())
            err << "corvane-tool: " << *problem << '\n';
        err << usage;
        return ExitUsage;
    }
    if (!QFileInfo::exists(r.layout)) {
        err << "corvane-tool: no layout file " << r.layout.toStdString() << '\n';
        return ExitFailure;
    }
    const auto app = MakeGuiApplication();
    ConsoleDialogs dialogs(err);
    data::TTable table;
    table.readOnly = true;
    if (!r.db.isEmpty()) {
        if (!data::OpenAddressTable(r.db, table))
            return ExitFailure;
        if (unsigned(r.record) > table.recordCount()) {
            err << "corvane-tool: " << r.db.toStdString() << " has " << table.recordCount()
                << " records, no record " << r.record << '\n';
            return ExitFailure;
        }
        table.engineTable().goTo(std::uint32_t(r.record));
        table.resync();
    }

    layout::TGLabelPanel surface;
    try {
        surface.LoadFromFile(r.layout);
    } catch (const layout::LayoutError& error) {
        err << "corvane-tool: " << r.layout.toStdString() << ": " << error.message().toStdString()
            << '\n';
        return ExitFailure;
    }
    if (!r.db.isEmpty())
        surface.SetRecordSource(&table);
    surface.SetPrinting(true);
    surface.RefreshDataValues();

    platform::PrinterDevice& device = platform::SharedPrinter();
    device.selectPrinterByName(platform::PdfPrinterName);
    device.pdfFileName = r.pdf;
    pageout::TPagePrinter printer;
    printer.SetTitle(QStringLiteral("Corvane layout"));
    if (!printer.ChoosePaper(0, r.height, r.width)) {
        err << "corvane-tool: the page cannot be " << r.width << " x " << r.height << " inches\n";
        return ExitFailure;
    }
    printer.OnPrint = [&](pageout::TBasePageJob& job) { surface.PrintObjects(job, 0, 0); };
    if (!printer.RunJob() || !QFileInfo::exists(r.pdf)) {
        err << "corvane-tool: could not write " << r.pdf.toStdString() << '\n';
        return ExitFailure;
    }
    out << surface.Objects().size() << " objects drawn\n";
    return ExitOk;
}

const Registration dumpCommand({"layout", "dump", "FILE",
                                "the objects of a layout file: class, name and bounds, then every "
                                "stored property, one per line",
                                dump});

const Registration renderCommand(
    {"layout", "render", "FILE --size W,H [--db ADDRESS.DBF --record N] --out FILE.pdf",
     "draw a layout at the top-left corner of a W x H inch page as labels print it, with the "
     "values of a record when a table is given",
     render});

} // namespace
} // namespace tool
