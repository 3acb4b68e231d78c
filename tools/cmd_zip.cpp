// corvane-tool zip ...: city and state of US ZIP codes from the shipped ZIP code table, the
// table the main window falls back on when a new record's ZIP is in no record.
#include "tools/command.h"

#include "data/shipped_tables.h"
#include "data/table_object.h"
#include "data/zip_city_table.h"
#include "platform/program_dir.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <memory>
#include <ostream>

// The shipped rows are compiled into a static library, outside any namespace.
static QByteArray shippedZipRows() {
    Q_INIT_RESOURCE(resources);
    QFile file(":/data/us-zip-cities.csv");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace tool {
namespace {

int lookup(const Arguments& args, std::ostream& out, std::ostream& err) {
    std::vector<QString> zips;
    QString home;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size())
            home = QString::fromStdString(args[++i]);
        else if (args[i].starts_with("--"))
            usage = true;
        else
            zips.push_back(QString::fromStdString(args[i]));
    }
    if (zips.empty() || usage) {
        err << "usage: corvane-tool zip lookup [--home DIR] ZIP...\n";
        return ExitUsage;
    }
    // The program's home as the program finds it: --home, CORVANE_HOME, else the folder of
    // the executable.
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "corvane-tool";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    if (!home.isEmpty())
        platform::SetProgramDir(home);

    // A home that has not seen a first start yet gets the table now, as that start would.
    const QString path = data::ZipCityTable::path();
    if (!QFileInfo::exists(path)) {
        if (!data::InstallZipCityTable(shippedZipRows())) {
            err << "corvane-tool: the ZIP code table " << path.toStdString() << " cannot be made\n";
            return ExitFailure;
        }
        err << "corvane-tool: made the ZIP code table " << path.toStdString() << '\n';
    }
    data::ZipCityTable table;
    const QString problem = table.open();
    if (!problem.isEmpty()) {
        err << "corvane-tool: the ZIP code table " << path.toStdString()
            << " cannot be used: " << problem.toStdString() << '\n';
        return ExitFailure;
    }
    int code = ExitOk;
    for (const QString& zip : zips) {
        if (data::FiveDigitZip(zip).isEmpty()) {
            err << "corvane-tool: " << zip.toStdString() << ": not a five-digit ZIP code\n";
            code = ExitFailure;
            continue;
        }
        std::optional<data::ZipCity> found;
        try {
            found = table.find(zip);
        } catch (const data::TableError& error) {
            err << "corvane-tool: the ZIP code table " << path.toStdString()
                << " is damaged: " << error.what() << '\n';
            return ExitFailure;
        }
        if (found) {
            out << found->zip.toStdString() << '\t' << found->city.toStdString() << '\t'
                << found->state.toStdString() << '\n';
        } else {
            err << "corvane-tool: " << zip.toStdString()
                << ": no such ZIP code in the ZIP code table\n";
            code = ExitFailure;
        }
    }
    return code;
}

const Registration registrations[] = {
    Registration({"zip", "lookup", "[--home DIR] ZIP...",
                  "city and state of each ZIP code (its first five digits) from the US ZIP code "
                  "table, tab-separated, one line each",
                  lookup}),
};

} // namespace
} // namespace tool
