// corvane-tool utils ...: the maintenance utilities from the command line, with the same passes
// as their dialogs. Each prints the records it listed or changed, one "record N: ..." line each
// in the order the dialog's list (or the pass) has them, then the count the dialog reports.
#include "tools/command.h"

#include "data/address_file.h"
#include "data/data_source.h"
#include "data/shipped_tables.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "data/xb_env.h"
#include "platform/path_lookup.h"
#include "select/apply_query.h"
#include "select/filter_file.h"
#include "tools/console_dialogs.h"
#include "tools/terminal_gauge.h"
#include "utilities/case_conversion.h"
#include "utilities/duplicates.h"
#include "utilities/record_deletion.h"
#include "utilities/search_replace.h"
#include "utilities/state_zip.h"
#include "utilities/work_index.h"

#include <QFile>
#include <QString>

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>

// The shipped rows are compiled into a static library; its initialiser is declared outside any
// namespace.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace tool {
namespace {

// A failure that ends the command with exit code 1 and its message.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// Wrong arguments: exit code 2 and the command's usage.
struct WrongUsage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments of one command: the address file first, then options, some with a value.
struct Options {
    std::string file;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    Options(const Arguments& args, const std::set<std::string>& withValue,
            const std::set<std::string>& alone) {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            if (withValue.count(a)) {
                if (i + 1 >= args.size())
                    throw WrongUsage(a + " needs a value");
                values[a] = args[++i];
            } else if (alone.count(a)) {
                flags.insert(a);
            } else if (file.empty() && !a.starts_with("--")) {
                file = a;
            } else {
                throw WrongUsage("unexpected argument " + a);
            }
        }
        if (file.empty())
            throw WrongUsage("no address file given");
    }
    std::optional<std::string> value(const std::string& name) const {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    std::string required(const std::string& name) const {
        if (const auto v = value(name))
            return *v;
        throw WrongUsage(name + " is needed");
    }
    bool has(const std::string& name) const { return flags.count(name) > 0; }
};

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The address file opened as the main window holds it: exclusively, deleted records hidden,
// its index complete and in step with it.
struct AddressFile {
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;

    explicit AddressFile(const std::string& path) {
        data::TXbEnv& env = data::TXbEnv::instance();
        env.Deleted = true;
        env.Century = true;
        source.setDataSet(&table);
        engine.DataSource = &source;
        table.exclusive = true;
        if (!data::OpenAddressTable(text(path), table))
            throw Failure("Unable to open " + path +
                          ": it may not be an address file, or it may be in use");
        if (!data::CheckValidIndex(engine))
            throw Failure("the index of " + path + " is missing, incomplete or out of step; " +
                          "rebuild it first (corvane-tool db reindex " + path + ")");
    }
    std::string field(unsigned recno, const char* name) {
        engine.go(recno);
        return table.fieldText(name).toStdString();
    }
};

// The pass's progress on the terminal.
utilities::PassStep gaugeStep(TerminalGauge& gauge) {
    return [&gauge](const utilities::PassState& state) {
        gauge.show(utilities::GaugePercent(state.done, state.total));
        return true;
    };
}

// The filter expression a filter file builds (as the main window builds it; "tagged only" is
// not stored in the file). A file that sets no criterion, an expression too long and one the
// table refuses are failures, so that a command never acts on more records than asked.
QString filterOf(const std::string& file, data::TXbEngine& engine) {
    selection::QueryVars vars;
    const selection::FilterFileResult read = selection::RestoreFilterFrom(text(file), vars);
    if (!read)
        throw Failure(read.error.toStdString());
    const QString filter = selection::BuildQueryString(vars, {});
    if (filter.isEmpty())
        throw Failure(file + " sets no criterion");
    if (selection::TooComplex(filter))
        throw Failure(selection::TooComplexMessage);
    if (!engine.queryTest(filter))
        throw Failure("the filter cannot be used: " + filter.toStdString());
    return filter;
}

void printRecords(std::ostream& out, const QList<unsigned>& records,
                  const std::function<std::string(unsigned)>& describe) {
    for (unsigned recno : records)
        out << "record " << recno << ": " << describe(recno) << '\n';
}

int duplicates(const Options& o, std::ostream& out, std::ostream& err) {
    const std::string kindName = o.required("--kind");
    utilities::DupKind kind;
    if (kindName == "name")
        kind = utilities::DupKind::LastFirst;
    else if (kindName == "lastfirst")
        kind = utilities::DupKind::LastFirstInitial;
    else if (kindName == "street")
        kind = utilities::DupKind::Street;
    else
        throw WrongUsage("--kind is name, lastfirst or street");
    int chars = utilities::MaxStreetChars;
    if (const auto given = o.value("--chars")) {
        bool ok = false;
        chars = text(*given).toInt(&ok);
        if (!ok || chars < 1 || chars > utilities::MaxStreetChars)
            throw WrongUsage("--chars is a number from 1 to 30");
    }
    AddressFile address(o.file);
    address.engine.setQuery(selection::NotDeletedQuery);
    const QString work = utilities::DupWorkIndexPath();
    utilities::DupCheckResult result;
    QList<unsigned> listed;
    try {
        TerminalGauge gauge(err, "checking");
        result = utilities::RunDupCheck(address.table, address.engine, kind, chars, work,
                                        gaugeStep(gauge));
        listed = utilities::RecordsInOrder(address.table);
    } catch (...) {
        utilities::RemoveWorkIndex(address.engine, work);
        throw;
    }
    utilities::RemoveWorkIndex(address.engine, work);
    printRecords(out, listed, [&](unsigned recno) {
        return address.field(recno, "LNAME") + ", " + address.field(recno, "FNAME") + "; " +
               address.field(recno, "STREET");
    });
    out << "Found " << result.matches << " possible duplicates\n";
    return ExitOk;
}

// CSZ.DBF in the home's sysdata\ folder, made from the shipped rows when it is not there, as
// the program does when it starts.
void installStateZipTable() {
    initResources();
    QFile shipped(":/data/state-zip.csv");
    if (!platform::PathExists("sysdata\\CSZ.DBF") &&
        !(shipped.open(QIODevice::ReadOnly) &&
          data::InstallStateZipTable(shipped.readAll())))
        throw Failure("Unable to Open or Create CSZ.DBF");
}

int zipCheck(const Options& o, std::ostream& out, std::ostream& err) {
    installStateZipTable();
    AddressFile address(o.file);
    address.engine.setQuery(selection::NotDeletedQuery);
    data::TTable csz;
    data::TDataSource cszSource;
    data::TXbEngine cszEngine;
    cszSource.setDataSet(&csz);
    cszEngine.DataSource = &cszSource;
    if (!utilities::OpenStateZipForCheck(csz, cszEngine))
        return ExitFailure;
    const QString work = utilities::StateZipWorkIndexPath(address.table);
    utilities::StateZipResult result;
    QList<unsigned> listed;
    try {
        TerminalGauge gauge(err, "checking");
        result = utilities::RunStateZipCheck(address.table, address.engine, cszEngine,
                                             o.has("--empty"), work, gaugeStep(gauge));
        listed = utilities::RecordsInOrder(address.table);
    } catch (...) {
        utilities::RemoveWorkIndex(address.engine, work);
        throw;
    }
    utilities::RemoveWorkIndex(address.engine, work);
    printRecords(out, listed, [&](unsigned recno) {
        return address.field(recno, "LNAME") + ", " + address.field(recno, "FNAME") + "; " +
               address.field(recno, "STATE") + " " + address.field(recno, "ZIP");
    });
    out << "Found " << result.found << " records with questionable state or zipcodes\n";
    return ExitOk;
}

int convertCase(const Options& o, std::ostream& out, std::ostream& err) {
    const std::string toName = o.required("--to");
    const std::map<std::string, utilities::CaseConversion> conversions{
        {"upper", utilities::CaseConversion::Upper},
        {"lower", utilities::CaseConversion::Lower},
        {"first", utilities::CaseConversion::FirstLetter}};
    if (!conversions.count(toName))
        throw WrongUsage("--to is upper, lower or first");
    QStringList fields;
    for (const QString& name : text(o.required("--fields")).split(',', Qt::SkipEmptyParts)) {
        const QString field = name.trimmed().toUpper();
        bool offered = false;
        for (const utilities::CaseField& f : utilities::CaseFields())
            offered = offered || field == f.field;
        if (!offered)
            throw WrongUsage("the field " + field.toStdString() +
                             " is not converted (fields: LNAME, FNAME, MIDDLE, TITLE, ORG, "
                             "STREET, STREET2, CITY, STATE, ZIP, COUNTRY, PREFIX, USER1, USER2, "
                             "CODES)");
        fields << field;
    }
    if (fields.isEmpty())
        throw WrongUsage("--fields names no field");
    AddressFile address(o.file);
    selection::RecordSelection scope = selection::RecordSelection::AllRecords;
    if (const auto filterFile = o.value("--filter")) {
        address.engine.setQuery(filterOf(*filterFile, address.engine) + selection::NotDeletedTerm);
        scope = selection::RecordSelection::MatchingFilter;
    }
    utilities::CaseResult result;
    {
        TerminalGauge gauge(err, "converting");
        result = utilities::RunCaseConversion(address.table, address.engine, scope,
                                              conversions.at(toName), fields, gaugeStep(gauge));
    }
    printRecords(out, result.changed, [&](unsigned recno) {
        std::string values;
        for (const QString& field : fields)
            values += (values.empty() ? "" : "; ") + address.field(recno, qPrintable(field));
        return values;
    });
    out << "Converted " << result.converted << " records, " << result.changed.size()
        << " changed\n";
    return ExitOk;
}

int deleteRecords(const Options& o, std::ostream& out, std::ostream& err) {
    const bool all = o.has("--all");
    const auto filterFile = o.value("--filter");
    if (all == filterFile.has_value() || (all && o.has("--outside")))
        throw WrongUsage("give either --all or --filter FILE.FLT [--outside]");
    AddressFile address(o.file);
    QString filter;
    utilities::DeleteScope scope = utilities::DeleteScope::AllRecords;
    if (filterFile) {
        filter = filterOf(*filterFile, address.engine);
        scope = o.has("--outside") ? utilities::DeleteScope::OutsideFilter
                                   : utilities::DeleteScope::MatchingFilter;
    }
    utilities::DeleteResult result;
    {
        TerminalGauge gauge(err, "deleting");
        result = utilities::RunDeleteRecords(address.table, address.engine, scope, filter,
                                             gaugeStep(gauge));
    }
    for (unsigned recno : result.records)
        out << "record " << recno << '\n';
    out << "Deleted " << result.deleted << " records\n";
    return ExitOk;
}

int replace(const Options& o, std::ostream& out, std::ostream& err) {
    const utilities::ReplaceField* field = utilities::FindReplaceField(text(o.required("--field")));
    if (!field)
        throw WrongUsage("--field names one of LNAME, FNAME, MIDDLE, TITLE, ORG, STREET, "
                         "STREET2, CITY, STATE, ZIP, COUNTRY, PHONE, PHONE2, EMAIL, FAX, CODES, "
                         "USER1, USER2");
    const std::map<std::string, utilities::FindMatch> matches{
        {"exact", utilities::FindMatch::Exact},
        {"begins", utilities::FindMatch::BeginsWith},
        {"contains", utilities::FindMatch::Contains}};
    const std::string match = o.required("--match");
    if (!matches.count(match))
        throw WrongUsage("--match is exact, contains or begins");
    if (o.has("--whole") == o.has("--part"))
        throw WrongUsage("give either --whole or --part");
    utilities::ReplaceOptions options;
    options.field = field->field;
    options.displayName = field->displayName;
    options.match = matches.at(match);
    options.find = text(o.required("--find"));
    options.caseSensitive = o.has("--case");
    options.mode =
        o.has("--part") ? utilities::ReplaceMode::MatchingText : utilities::ReplaceMode::WholeField;
    options.with = text(o.required("--with"));
    AddressFile address(o.file);
    utilities::ReplaceResult result;
    {
        TerminalGauge gauge(err, "replacing");
        result = utilities::RunSearchAndReplace(address.table, address.engine, options, {}, false,
                                                gaugeStep(gauge));
    }
    printRecords(out, result.records,
                 [&](unsigned recno) { return address.field(recno, field->field); });
    out << "Replaced " << result.replaced << " records\n";
    return ExitOk;
}

// Runs a command: its failures end it with a message and exit code 1, wrong arguments with
// its usage and exit code 2.
Command command(const char* name, const char* usage, const char* summary,
                std::set<std::string> withValue, std::set<std::string> alone,
                int (*run)(const Options&, std::ostream&, std::ostream&)) {
    const std::string usageLine = usage;
    return {"utils", name, usage, summary,
            [=](const Arguments& args, std::ostream& out, std::ostream& err) {
                ConsoleDialogs dialogs(err);
                try {
                    return run(Options(args, withValue, alone), out, err);
                } catch (const WrongUsage& wrong) {
                    err << "corvane-tool: " << wrong.what() << "\nusage: corvane-tool utils "
                        << name << ' ' << usageLine << '\n';
                    return ExitUsage;
                } catch (const std::exception& failure) {
                    err << "corvane-tool: " << failure.what() << '\n';
                    return ExitFailure;
                }
            }};
}

const Registration registrations[] = {
    Registration(command("duplicates", "ADDRESS.DBF --kind name|lastfirst|street [--chars N]",
                         "list possible duplicates: same last and first name, same last name "
                         "and first initial, or the same first N (1-30) characters of street",
                         {"--kind", "--chars"}, {}, duplicates)),
    Registration(command("zip-check", "ADDRESS.DBF [--empty]",
                         "list records whose state and ZIP disagree with sysdata/CSZ.DBF; "
                         "--empty lists records with an empty state or ZIP too",
                         {}, {"--empty"}, zipCheck)),
    Registration(command("case",
                         "ADDRESS.DBF --to upper|lower|first --fields LIST [--filter FILE.FLT]",
                         "convert the letter case of the fields (LNAME,CITY,...) of every record "
                         "not deleted, or of the filter's matches",
                         {"--to", "--fields", "--filter"}, {}, convertCase)),
    Registration(command("delete", "ADDRESS.DBF (--all | --filter FILE.FLT [--outside])",
                         "empty the file, or delete the records the filter matches (--outside: "
                         "does not match), deleted ones included",
                         {"--filter"}, {"--all", "--outside"}, deleteRecords)),
    Registration(command("replace",
                         "ADDRESS.DBF --field NAME --match exact|contains|begins --find TEXT "
                         "(--whole | --part) --with TEXT [--case]",
                         "replace a field's whole value, or the matching text, in every record "
                         "the search finds (any text, quotes included)",
                         {"--field", "--match", "--find", "--with"},
                         {"--whole", "--part", "--case"}, replace)),
};

} // namespace
} // namespace tool
