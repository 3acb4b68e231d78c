// corvane-tool letters ...: the form letters of LETTER.DBF, listed or merged with an address
// file into one PDF or one RTF file, by the same merge and print run as the letters dialog.
#include "tools/command.h"
#include "tools/console_dialogs.h"
#include "tools/gui_application.h"
#include "tools/terminal_gauge.h"

#include "controls/rich_edit.h"
#include "controls/rtf_writer.h"
#include "data/address_file.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "letters/letter_run.h"
#include "letters/letter_store.h"
#include "platform/printer_device.h"
#include "platform/printers.h"
#include "platform/program_dir.h"
#include "select/apply_query.h"
#include "select/filter_file.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>

// The shipped letters live in the program's resources, which must be set up from outside any
// namespace.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace tool {
namespace {

struct Options {
    QString db, letter, filter, out, home;
    int copies = 1;
};

// Takes "--home DIR" wherever it stands; answers the other arguments.
Arguments takeHome(const Arguments& args, QString& home) {
    Arguments rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size())
            home = QString::fromStdString(args[++i]);
        else
            rest.push_back(args[i]);
    }
    return rest;
}

// The letters of the program's home, LETTER.DBF made (with the shipped letters) when missing.
struct LetterFile {
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;

    bool open() {
        initResources();
        letters::InstallShippedLetters();
        source.setDataSet(&table);
        engine.DataSource = &source;
        return letters::OpenLetters(table, engine);
    }
};

void useHome(const QString& home) {
    if (!home.isEmpty())
        platform::SetProgramDir(QFileInfo(home).absoluteFilePath());
    // Deleted records stay out of every walk, as in the program.
    data::TXbEnv::instance().Deleted = true;
}

int list(const Arguments& given, std::ostream& out, std::ostream& err) {
    QString home;
    const Arguments args = takeHome(given, home);
    if (!args.empty()) {
        err << "usage: corvane-tool letters list [--home DIR]\n";
        return ExitUsage;
    }
    const auto app = MakeGuiApplication();
    ConsoleDialogs dialogs(err);
    useHome(home);
    LetterFile letters;
    if (!letters.open())
        return ExitFailure;
    for (const letters::LetterEntry& entry : letters::ListLetters(letters.table, letters.engine))
        out << entry.description.toStdString() << '\n';
    return ExitOk;
}

std::optional<Options> parseMerge(const Arguments& given, std::ostream& err) {
    Options o;
    const Arguments args = takeHome(given, o.home);
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool value = i + 1 < args.size();
        if (args[i] == "--letter" && value)
            o.letter = QString::fromStdString(args[++i]);
        else if (args[i] == "--filter" && value)
            o.filter = QString::fromStdString(args[++i]);
        else if (args[i] == "--out" && value)
            o.out = QString::fromStdString(args[++i]);
        else if (args[i] == "--copies" && value) {
            bool ok = false;
            o.copies = QString::fromStdString(args[++i]).toInt(&ok);
            if (!ok || o.copies < 1 || o.copies > 999) {
                err << "corvane-tool: --copies takes a number from 1 to 999\n";
                usage = true;
            }
        } else if (o.db.isEmpty() && !args[i].starts_with("--"))
            o.db = QString::fromStdString(args[i]);
        else
            usage = true;
    }
    // Names on the command line are relative to the working folder, not the program's home.
    for (QString* name : {&o.db, &o.filter, &o.out}) {
        if (!name->isEmpty())
            *name = QFileInfo(*name).absoluteFilePath();
    }
    const QString suffix = QFileInfo(o.out).suffix().toLower();
    if (o.db.isEmpty() || o.letter.isEmpty() || o.out.isEmpty() ||
        (suffix != "pdf" && suffix != "rtf"))
        usage = true;
    if (usage) {
        err << "usage: corvane-tool letters merge ADDRESS.DBF --letter NAME [--filter FILE.FLT] "
               "[--copies N] --out FILE.pdf|FILE.rtf [--home DIR]\n";
        return std::nullopt;
    }
    return o;
}

// Sets the query of the address table: the filter file's records, or every record not deleted.
bool selectRecords(const Options& o, data::TXbEngine& engine, std::ostream& err) {
    if (o.filter.isEmpty()) {
        engine.setQuery("NOT ISDEL");
        return true;
    }
    selection::QueryVars vars;
    const selection::FilterFileResult read = selection::RestoreFilterFrom(o.filter, vars);
    if (!read) {
        err << "corvane-tool: " << read.error.toStdString() << '\n';
        return false;
    }
    QString queryString;
    const selection::ApplyResult applied = selection::ApplyQuery(engine, vars, queryString, {});
    switch (applied.outcome) {
    case selection::ApplyOutcome::Matches:
    case selection::ApplyOutcome::NoFilter:
        return true;
    case selection::ApplyOutcome::NoMatch:
        err << "corvane-tool: no record matches the filter " << o.filter.toStdString() << '\n';
        return false;
    case selection::ApplyOutcome::Refused:
        err << "corvane-tool: the filter cannot be used: " << applied.engineMessage.toStdString()
            << '\n';
        return false;
    case selection::ApplyOutcome::TooComplex:
        break;
    }
    err << "corvane-tool: " << selection::TooComplexMessage << '\n';
    return false;
}

int merge(const Arguments& args, std::ostream& out, std::ostream& err) {
    const std::optional<Options> o = parseMerge(args, err);
    if (!o)
        return ExitUsage;
    const auto app = MakeGuiApplication();
    ConsoleDialogs dialogs(err);
    useHome(o->home);

    data::TTable addresses;
    addresses.readOnly = true;
    if (!data::OpenAddressTable(o->db, addresses))
        return ExitFailure;
    data::TDataSource source;
    source.setDataSet(&addresses);
    data::TXbEngine engine;
    engine.DataSource = &source;
    if (!selectRecords(*o, engine, err))
        return ExitFailure;
    const unsigned total = std::max(1u, engine.queryRecCount());
    addresses.first();
    if (addresses.eof()) {
        err << "corvane-tool: " << o->db.toStdString() << " has no records to merge\n";
        return ExitFailure;
    }

    LetterFile letterFile;
    if (!letterFile.open())
        return ExitFailure;
    const unsigned record = letters::FindLetter(letterFile.table, letterFile.engine, o->letter);
    if (record == 0) {
        err << "corvane-tool: there is no letter \"" << o->letter.toStdString()
            << "\"; corvane-tool letters list names them\n";
        return ExitFailure;
    }
    letterFile.engine.go(record);
    controls::TRichEdit templ;
    if (!letters::LoadRichText(letterFile.table, templ)) {
        err << "corvane-tool: cannot write the work file "
            << letters::ExchangeFilePath().toStdString() << '\n';
        return ExitFailure;
    }
    controls::TRichEdit work;
    letters::RunOptions options;
    options.copies = o->copies;

    // Progress on a terminal: the share of the records merged so far.
    TerminalGauge gauge(err, "merging");
    int records = 0;
    auto progress = [&] {
        ++records;
        gauge.show(int(std::min<unsigned>(100, unsigned(records) * 100 / total)));
        return true;
    };

    int pages = 0;
    int letterCount = 0;
    if (QFileInfo(o->out).suffix().compare("pdf", Qt::CaseInsensitive) == 0) {
        platform::PrinterDevice& printer = platform::SharedPrinter();
        printer.selectPrinterByName(platform::PdfPrinterName);
        printer.pdfFileName = o->out;
        letters::ChooseLetterPaper(templ.Page());
        std::unique_ptr<QPagedPaintDevice> device = printer.open(o->letter, 1);
        QPainter painter;
        if (!device || !painter.begin(device.get())) {
            err << "corvane-tool: cannot write " << o->out.toStdString() << '\n';
            return ExitFailure;
        }
        pages = letters::PrintLetters(templ, work, addresses, options, *device, painter,
                                      [&](int) { return progress(); });
        painter.end();
        device.reset();
        letterCount = records * o->copies;
    } else {
        QTextDocument merged;
        merged.setDefaultFont(templ.document()->defaultFont());
        letterCount = letters::MergeLettersInto(templ, work, addresses, options, merged,
                                                [&](int) { return progress(); });
        QSaveFile file(o->out);
        if (!file.open(QIODevice::WriteOnly) ||
            !file.write(controls::WriteRtf(merged, templ.Page())) || !file.commit()) {
            gauge.finish();
            err << "corvane-tool: cannot write " << o->out.toStdString() << '\n';
            return ExitFailure;
        }
    }
    gauge.finish();
    if (!QFileInfo::exists(o->out)) {
        err << "corvane-tool: cannot write " << o->out.toStdString() << '\n';
        return ExitFailure;
    }
    out << "wrote " << o->out.toStdString() << ": " << letterCount << " letters";
    if (pages > 0)
        out << ", " << pages << " pages";
    out << '\n';
    return ExitOk;
}

const Registration registrations[] = {
    Registration({"letters", "list", "[--home DIR]",
                  "the form letters of LETTER.DBF, one description a line", list}),
    Registration({"letters", "merge",
                  "ADDRESS.DBF --letter NAME [--filter FILE.FLT] [--copies N] "
                  "--out FILE.pdf|FILE.rtf [--home DIR]",
                  "merges a letter with every record (or the filter's records) into one PDF, "
                  "or one RTF with a page break between letters",
                  merge}),
};

} // namespace
} // namespace tool
