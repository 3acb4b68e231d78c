// corvane-tool import csv|dbf|vcard and export: the import and export dialogs' passes from the
// command line, with a progress line on a terminal.
#include "tools/command.h"

#include "data/address_file.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "exchange/ascii_feed.h"
#include "exchange/ascii_sample.h"
#include "exchange/copy_out.h"
#include "exchange/field_match.h"
#include "exchange/import_pass.h"
#include "exchange/table_source.h"
#include "exchange/vcard_columns.h"
#include "select/apply_query.h"
#include "select/filter_file.h"
#include "tools/console_dialogs.h"
#include "tools/terminal_gauge.h"

#include <QFileInfo>
#include <QString>

#include <map>
#include <optional>
#include <ostream>

namespace tool {
namespace {

// Options of the form --name VALUE, flags of the form --name, and the rest in order.
struct Parsed {
    std::map<std::string, std::string> options;
    std::vector<std::string> flags;
    std::vector<std::string> positional;
    bool has(const std::string& flag) const {
        return std::find(flags.begin(), flags.end(), flag) != flags.end();
    }
    std::optional<std::string> option(const std::string& name) const {
        const auto found = options.find(name);
        return found == options.end() ? std::nullopt : std::optional(found->second);
    }
};

std::optional<Parsed> parse(const Arguments& args, const std::vector<std::string>& withValue,
                            const std::vector<std::string>& flags) {
    Parsed parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::find(withValue.begin(), withValue.end(), a) != withValue.end()) {
            if (i + 1 >= args.size())
                return std::nullopt;
            parsed.options[a] = args[++i];
        } else if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
            parsed.flags.push_back(a);
        } else if (a.starts_with("--")) {
            return std::nullopt;
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// An address file open for the command, its fields under their display labels.
struct Address {
    data::TTable table;
    data::TDataSource source;
    data::TXbEngine engine;
    bool open(const std::string& path, bool readOnly) {
        source.setDataSet(&table);
        engine.DataSource = &source;
        table.exclusive = !readOnly;
        table.readOnly = readOnly;
        // An import into a file that is not there yet makes a new address file.
        if (!readOnly && !QFileInfo::exists(q(path)) &&
            !data::CreateAddressFile(q(path), table, engine))
            return false;
        if (!data::OpenAddressTable(q(path), table))
            return false;
        for (const data::FieldInfo& f : table.fields())
            table.field(f.name)->label = exchange::AddressFieldLabel(f.name);
        return true;
    }
};

// "COL=FIELD,..." as pairs; a column by number (from 1) or by name.
std::vector<std::pair<std::string, std::string>> mapPairs(const std::string& map) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t start = 0;
    while (start <= map.size()) {
        std::size_t comma = map.find(',', start);
        if (comma == std::string::npos)
            comma = map.size();
        const std::string item = map.substr(start, comma - start);
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error("--map: \"" + item + "\" is not COLUMN=FIELD");
        pairs.emplace_back(item.substr(0, eq), item.substr(eq + 1));
        start = comma + 1;
    }
    return pairs;
}

// The column a --map names: its number from 1, or one of the names (letter case ignored).
int columnNamed(const std::string& text, const QStringList& names) {
    bool number = false;
    const int n = q(text).trimmed().toInt(&number);
    if (number && n >= 1 && n <= names.size())
        return n - 1;
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(q(text).trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    throw std::runtime_error("--map: no column \"" + text + "\"");
}

std::vector<std::pair<int, QString>> mapped(const std::string& map, const QStringList& columns,
                                            const std::vector<exchange::OfferedField>& offered) {
    std::vector<std::pair<int, QString>> matches;
    for (const auto& [column, field] : mapPairs(map)) {
        const QString target = exchange::OfferedFieldNamed(offered, q(field).trimmed());
        if (target.isEmpty())
            throw std::runtime_error("--map: no address field \"" + field + "\" to import into");
        const int c = columnNamed(column, columns);
        std::erase_if(matches, [&](const auto& m) { return m.first == c || m.second == target; });
        matches.emplace_back(c, target);
    }
    return matches;
}

std::optional<exchange::TextEncoding> encodingOption(const Parsed& p) {
    const std::optional<std::string> name = p.option("--encoding");
    if (!name)
        return std::nullopt;
    const auto encoding = exchange::EncodingByName(*name);
    if (!encoding)
        throw std::runtime_error("--encoding: unknown encoding \"" + *name + "\"");
    return encoding;
}

exchange::TextEncoding detectedEncoding(const std::string& file) {
    const std::string head = exchange::ReadHead(file, 4 << 20);
    return exchange::DetectEncoding(head, head.size() < (4u << 20));
}

int percentOf(unsigned done, unsigned total) {
    return total > 0 ? int(static_cast<unsigned long long>(done) * 100 / total) : 0;
}

// Checks, appends and rebuilds; the exit code.
int runImport(exchange::ImportFeed& feed, Address& into, const std::string& file, std::ostream& out,
              std::ostream& err) {
    const exchange::ImportCheck check = exchange::CheckImport(feed, into.table);
    if (!check.readError.isEmpty()) {
        err << "corvane-tool: cannot read " << file << ": " << check.readError.toStdString()
            << '\n';
        return ExitFailure;
    }
    if (check.problemCount > 0) {
        err << "corvane-tool: "
            << exchange::UnholdableMessage(check, feed.whereName(), q(file))
                   .replace("\r\n", "\n")
                   .toStdString()
            << '\n';
        return ExitFailure;
    }
    exchange::ImportResult result;
    {
        TerminalGauge gauge(err, "Importing records");
        exchange::ImportHooks hooks;
        hooks.progress = [&](unsigned done, unsigned total) {
            gauge.show(percentOf(done, total));
            return true;
        };
        result = exchange::AppendImport(feed, check.total, into.table, into.engine, hooks);
    }
    bool built = false;
    {
        TerminalGauge gauge(err, "Rebuilding indexes");
        built = exchange::RebuildImportIndexes(into.table, into.engine,
                                               [&](int percent) { gauge.show(percent); });
    }
    if (result.end == exchange::ImportEnd::ReadError ||
        result.end == exchange::ImportEnd::WriteError) {
        err << "corvane-tool: the import stopped after " << result.imported
            << " records: " << result.error.toStdString() << "; they stay in the file"
            << (built ? ", its indexes rebuilt" : "") << '\n';
        return ExitFailure;
    }
    out << exchange::ImportCompleteMessage(result.imported).toStdString() << '\n';
    if (!built) {
        err << "corvane-tool: the indexes could not be rebuilt; corvane-tool db reindex " << file
            << " tries again\n";
        return ExitFailure;
    }
    return ExitOk;
}

constexpr char importUsage[] =
    "FILE --into ADDRESS.DBF [--map COL=FIELD,...] [--encoding NAME] [--quoting plain|rfc4180]";

int usage(std::ostream& err, const std::string& what) {
    err << "usage: corvane-tool " << what << '\n';
    return ExitUsage;
}

int importCsv(const Arguments& args, std::ostream& out, std::ostream& err) {
    const auto p = parse(args, {"--into", "--map", "--encoding", "--quoting"}, {});
    if (!p || p->positional.size() != 1 || !p->option("--into"))
        return usage(err, std::string("import csv ") + importUsage);
    const std::string file = p->positional[0];
    ConsoleDialogs dialogs(err);
    exchange::TextFileGuess guess = exchange::GuessTextFile(file);
    if (const auto encoding = encodingOption(*p))
        guess.encoding = *encoding;
    if (const auto quoting = p->option("--quoting")) {
        if (*quoting != "plain" && *quoting != "rfc4180")
            return usage(err, std::string("import csv ") + importUsage);
        guess.quoting =
            *quoting == "rfc4180" ? exchange::CsvQuoting::Rfc4180 : exchange::CsvQuoting::Plain;
    }
    const exchange::AsciiSample sample =
        exchange::SampleAsciiFile(file, guess.encoding, guess.quoting, 1);
    if (sample.rows.empty()) {
        err << "corvane-tool: Unable to import from this file (" << file << ")\n";
        return ExitFailure;
    }
    Address into;
    if (!into.open(*p->option("--into"), false))
        return ExitFailure;
    const std::vector<exchange::OfferedField> offered = exchange::OfferedTextFields(into.table);
    QStringList columns;
    for (const exchange::AsciiColumn& c : sample.columns)
        columns << c.name;
    std::vector<std::pair<int, QString>> matches;
    if (const auto map = p->option("--map")) {
        matches = mapped(*map, columns, offered);
    } else {
        // Without a map the columns are the fields in the order the export writes them.
        for (int i = 0; i < columns.size() && i < exchange::ExportedTextFields().size(); ++i)
            matches.emplace_back(i, exchange::ExportedTextFields()[i]);
    }
    exchange::AsciiFeed feed(file, guess.encoding, guess.quoting, int(columns.size()), matches);
    return runImport(feed, into, file, out, err);
}

int importDbf(const Arguments& args, std::ostream& out, std::ostream& err) {
    const auto p = parse(args, {"--into", "--map"}, {});
    if (!p || p->positional.size() != 1 || !p->option("--into"))
        return usage(err, "import dbf FILE --into ADDRESS.DBF [--map FIELD=FIELD,...]");
    const std::string file = p->positional[0];
    ConsoleDialogs dialogs(err);
    exchange::ImportSource source;
    switch (source.open(q(file))) {
    case exchange::ImportSource::Opened::CannotOpen:
        err << "corvane-tool: " << exchange::CannotOpenMessage(q(file)).toStdString() << '\n';
        return ExitFailure;
    case exchange::ImportSource::Opened::NoRecords:
        err << "corvane-tool: " << exchange::NoRecordsMessage(q(file)).toStdString() << '\n';
        return ExitFailure;
    case exchange::ImportSource::Opened::Ok:
        break;
    }
    Address into;
    if (!into.open(*p->option("--into"), false))
        return ExitFailure;
    const QList<data::FieldInfo> fields = source.fields();
    const std::vector<exchange::OfferedField> offered = exchange::OfferedTableFields(into.table);
    std::vector<exchange::TableMatch> matches;
    if (const auto map = p->option("--map")) {
        QStringList names;
        for (const data::FieldInfo& f : fields)
            names << f.name;
        for (const auto& [column, target] : mapped(*map, names, offered)) {
            const char type = exchange::FindOffered(offered, target).type;
            if (!exchange::SourceFits(fields[column].engineType, type))
                throw std::runtime_error("--map: " + fields[column].name.toStdString() +
                                         " cannot go into " + target.toStdString());
            matches.push_back({column, target});
        }
    } else {
        const std::vector<QString> automatic = exchange::AutoMatchTableFields(fields, into.table);
        for (int i = 0; i < int(automatic.size()); ++i)
            if (!exchange::OfferedFieldNamed(offered, automatic[std::size_t(i)]).isEmpty())
                matches.push_back({i, automatic[std::size_t(i)]});
    }
    exchange::TableFeed feed(source, matches);
    return runImport(feed, into, file, out, err);
}

int importVCard(const Arguments& args, std::ostream& out, std::ostream& err) {
    const auto p = parse(args, {"--into", "--map", "--encoding"}, {});
    if (!p || p->positional.size() != 1 || !p->option("--into"))
        return usage(err, "import vcard FILE --into ADDRESS.DBF [--map ITEM=FIELD,...] "
                          "[--encoding NAME]");
    const std::string file = p->positional[0];
    ConsoleDialogs dialogs(err);
    const exchange::TextEncoding encoding = encodingOption(*p).value_or(detectedEncoding(file));
    if (!QFileInfo::exists(q(file))) {
        err << "corvane-tool: " << exchange::CannotOpenMessage(q(file)).toStdString() << '\n';
        return ExitFailure;
    }
    Address into;
    if (!into.open(*p->option("--into"), false))
        return ExitFailure;
    const std::vector<exchange::OfferedField> offered = exchange::OfferedTableFields(into.table);
    QStringList columns;
    for (const exchange::VCardColumn& c : exchange::VCardColumns())
        columns << c.name;
    std::vector<std::pair<int, QString>> matches;
    if (const auto map = p->option("--map")) {
        matches = mapped(*map, columns, offered);
    } else {
        for (int i = 0; i < columns.size(); ++i)
            if (*exchange::VCardColumns()[std::size_t(i)].address)
                matches.emplace_back(i, exchange::VCardColumns()[std::size_t(i)].address);
    }
    exchange::VCardFeed feed(file, encoding, matches);
    return runImport(feed, into, file, out, err);
}

int exportRecords(const Arguments& args, std::ostream& out, std::ostream& err) {
    const auto p = parse(args, {"--filter", "--order", "--to", "--out", "--vcard-version"},
                         {"--rfc4180", "--utf8", "--force"});
    const std::string use = "export ADDRESS.DBF [--filter FILE.FLT] [--order TAG] --to "
                            "csv|dbf|vcard --out FILE [--rfc4180] [--utf8] [--vcard-version 3|4] "
                            "[--force]";
    if (!p || p->positional.size() != 1 || !p->option("--to") || !p->option("--out"))
        return usage(err, use);
    exchange::ExportOptions options;
    const std::string to = *p->option("--to");
    if (to == "csv")
        options.format = exchange::ExportFormat::Csv;
    else if (to == "dbf")
        options.format = exchange::ExportFormat::Dbf;
    else if (to == "vcard")
        options.format = exchange::ExportFormat::VCard;
    else
        return usage(err, use);
    options.rfc4180 = p->has("--rfc4180");
    options.utf8 = p->has("--utf8");
    if (const auto version = p->option("--vcard-version")) {
        if (*version != "3" && *version != "4")
            return usage(err, use);
        options.vcardVersion = std::stoi(*version);
    }
    const QString destination = QFileInfo(q(*p->option("--out"))).absoluteFilePath();
    ConsoleDialogs dialogs(err);
    Address from;
    if (!from.open(p->positional[0], true)) {
        err << "corvane-tool: cannot open " << p->positional[0] << '\n';
        return ExitFailure;
    }
    const QString problem =
        exchange::ExportDestinationProblem(destination, from.table.path(), options.format);
    if (!problem.isEmpty()) {
        err << "corvane-tool: " << problem.toStdString() << '\n';
        return ExitFailure;
    }
    if (QFileInfo::exists(destination) && !p->has("--force")) {
        err << "corvane-tool: " << destination.toStdString()
            << " already exists; give --force to overwrite it\n";
        return ExitFailure;
    }
    if (const auto filter = p->option("--filter")) {
        selection::QueryVars vars;
        const selection::FilterFileResult read = selection::RestoreFilterFrom(q(*filter), vars);
        if (!read) {
            err << "corvane-tool: " << read.error.toStdString() << '\n';
            return ExitFailure;
        }
        QString queryString;
        const selection::ApplyResult applied =
            selection::ApplyQuery(from.engine, vars, queryString, {});
        if (applied.outcome == selection::ApplyOutcome::TooComplex ||
            applied.outcome == selection::ApplyOutcome::Refused) {
            err << "corvane-tool: the filter cannot be used\n";
            return ExitFailure;
        }
        if (applied.outcome == selection::ApplyOutcome::NoMatch) {
            err << "corvane-tool: No active records for current filter. Nothing to copy\n";
            return ExitFailure;
        }
    } else {
        from.engine.setQuery(selection::NotDeletedQuery);
    }
    if (const auto order = p->option("--order")) {
        const int number = from.engine.tagArea(q(*order));
        if (number == 0) {
            err << "corvane-tool: no tag " << *order << '\n';
            return ExitFailure;
        }
        from.engine.setOrderNumber(number);
    }
    if (from.engine.queryRecCount() == 0) {
        err << "corvane-tool: No active records for current filter. Nothing to copy\n";
        return ExitFailure;
    }
    exchange::ExportResult result;
    {
        TerminalGauge gauge(err, "Copying records");
        exchange::ExportHooks hooks;
        hooks.progress = [&](unsigned done, unsigned total) {
            gauge.show(percentOf(done, total));
            return true;
        };
        result = exchange::ExportRecords(from.table, from.engine, destination, options, hooks);
    }
    if (!result.error.isEmpty()) {
        err << "corvane-tool: " << result.error.toStdString() << " (" << result.written
            << " records were written)\n";
        return ExitFailure;
    }
    out << "exported " << result.written << " records to " << destination.toStdString() << '\n';
    return ExitOk;
}

const Registration registrations[] = {
    Registration({"import", "csv", importUsage,
                  "append the lines of a comma-separated file (any encoding) to an address file, "
                  "made when missing; without --map the columns are taken in the order the "
                  "export writes them",
                  importCsv}),
    Registration({"import", "dbf", "FILE --into ADDRESS.DBF [--map FIELD=FIELD,...]",
                  "append a dBASE table's records, fields matched by name or label unless mapped",
                  importDbf}),
    Registration({"import", "vcard",
                  "FILE --into ADDRESS.DBF [--map ITEM=FIELD,...] [--encoding NAME]",
                  "append the cards of a vCard file (2.1, 3.0, 4.0)", importVCard}),
    Registration({"export", "",
                  "ADDRESS.DBF [--filter FILE.FLT] [--order TAG] --to csv|dbf|vcard --out FILE "
                  "[--rfc4180] [--utf8] [--vcard-version 3|4] [--force]",
                  "copy the records (of a filter, in a tag's order) to a table, text or vCards",
                  exportRecords}),
};

} // namespace
} // namespace tool
