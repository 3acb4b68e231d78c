// corvane-tool db ...: look into, dump, create and fill dBASE tables with the engine alone.
#include "tools/command.h"

#include "tools/terminal_gauge.h"
#include "xbase/code_page.h"
#include "xbase/file.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>

namespace tool {
namespace {

std::string hexByte(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02Xh", v & 0xFFu);
    return buf;
}

const char* memoKindName(xbase::MemoKind kind) {
    switch (kind) {
    case xbase::MemoKind::Fpt:
        return "FPT";
    case xbase::MemoKind::Dbt3:
        return "DBT (dBASE III)";
    case xbase::MemoKind::Dbt4:
        return "DBT (dBASE IV)";
    case xbase::MemoKind::None:
        break;
    }
    return "none";
}

int info(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: corvane-tool db info FILE\n";
        return ExitUsage;
    }
    xbase::Table t = xbase::Table::open(args[0], xbase::OpenMode::ReadOnly);
    const xbase::CodePage page = xbase::CodePage::ofLanguage(t.language());
    const auto& s = t.structure();
    out << "file: " << args[0] << "\nfirst byte: " << hexByte(t.signature())
        << "\nlanguage byte: " << hexByte(t.language()) << " (code page " << page.number()
        << ")\nrecords: " << t.recordCount() << "\nrecord length: " << s.recordLength()
        << "\nmemo file: " << memoKindName(t.memoKind()) << "\nfields: " << s.fields().size()
        << '\n';
    for (const xbase::Field& f : s.fields())
        out << "  " << page.toUtf8(f.name) << ' ' << f.type << ' ' << f.width << ' '
            << int(f.decimals) << '\n';
    return ExitOk;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

int dump(const Arguments& args, std::ostream& out, std::ostream& err) {
    std::string file, query;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--query" && i + 1 < args.size())
            query = args[++i];
        else if (file.empty())
            file = args[i];
        else
            file.clear(), i = args.size();
    }
    if (file.empty()) {
        err << "usage: corvane-tool db dump FILE [--query EXPR]\n";
        return ExitUsage;
    }
    // The table's text is written out as UTF-8, and the query typed is read as UTF-8.
    xbase::Table t = xbase::Table::open(file, xbase::OpenMode::ReadOnly);
    const xbase::CodePage page = xbase::CodePage::ofLanguage(t.language());
    t.setQuery(page.fromUtf8OrThrow(query, "--query"));
    const auto& fields = t.structure().fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        out << (i ? "," : "") << page.toUtf8(fields[i].name);
    out << '\n';
    for (t.top(); !t.eof(); t.skip()) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const xbase::Field& f = fields[i];
            std::string text;
            if (f.isMemo() || f.type == 'C' || f.type == 'N' || f.type == 'L' || f.type == 'D')
                text = t.text(f.name);
            else {
                xbase::Value v = t.value(i);
                std::ostringstream n;
                n << v.number;
                text = v.type == xbase::ValueType::Number ? n.str() : v.text;
            }
            if (f.type == 'N')
                text.erase(0, text.find_first_not_of(' ') == std::string::npos
                                  ? text.size()
                                  : text.find_first_not_of(' '));
            out << (i ? "," : "") << csvField(page.toUtf8(text));
        }
        out << '\n';
    }
    return ExitOk;
}

// "LNAME C 30, AMOUNT N 8 2, BORN D, NOTE M"
std::vector<xbase::Field> parseFieldList(const std::string& list) {
    std::vector<xbase::Field> fields;
    std::stringstream all(list);
    std::string item;
    while (std::getline(all, item, ',')) {
        std::istringstream in(item);
        xbase::Field f;
        std::string type;
        int width = 0, decimals = 0;
        if (!(in >> f.name >> type) || type.size() != 1)
            throw std::runtime_error("bad field \"" + item +
                                     "\": expected NAME TYPE [WIDTH [DEC]]");
        in >> width >> decimals;
        f.type = type[0];
        f.width = std::uint16_t(width);
        f.decimals = std::uint8_t(decimals);
        fields.push_back(f);
    }
    return fields;
}

// The files that go with a table of this name: its structural index and memo files.
std::vector<std::filesystem::path> companionFiles(const std::filesystem::path& table) {
    std::vector<std::filesystem::path> files;
    for (const char* extension : {".CDX", ".FPT", ".DBT"}) {
        std::filesystem::path p = table;
        p.replace_extension(extension);
        p = xbase::findIgnoringCase(p);
        if (std::filesystem::exists(p))
            files.push_back(p);
    }
    return files;
}

int create(const Arguments& args, std::ostream& out, std::ostream& err) {
    const bool force = args.size() == 4 && args[3] == "--force";
    if ((args.size() != 3 && !force) || args[1] != "--fields") {
        err << "usage: corvane-tool db create FILE --fields \"LNAME C 30, ...\" [--force]\n";
        return ExitUsage;
    }
    const std::filesystem::path path = args[0];
    const std::vector<xbase::Field> fields = parseFieldList(args[2]);
    if (std::filesystem::exists(path) && !force) {
        err << "corvane-tool: " << args[0]
            << " exists; give --force to replace it (its index and memo files go with it)\n";
        return ExitFailure;
    }
    if (std::filesystem::exists(path)) {
        // Locked first, so that a table in use is never replaced under its user.
        xbase::Table::open(path, xbase::OpenMode::Exclusive).close();
        for (const std::filesystem::path& old : companionFiles(path))
            std::filesystem::remove(old);
    }
    xbase::Table t = xbase::Table::create(path, fields);
    out << "created " << args[0] << " with " << t.structure().fields().size() << " fields\n";
    return ExitOk;
}

// Reads one CSV record (quotes may span lines); false at the end of the input.
bool readCsvRecord(std::istream& in, std::vector<std::string>& row) {
    row.clear();
    std::string field;
    bool quoted = false, any = false;
    for (int c; (c = in.get()) != EOF;) {
        any = true;
        if (quoted) {
            if (c == '"') {
                if (in.peek() == '"')
                    field += char(in.get());
                else
                    quoted = false;
            } else {
                field += char(c);
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            if (!field.empty() && field.back() == '\r')
                field.pop_back();
            row.push_back(std::move(field));
            return true;
        } else {
            field += char(c);
        }
    }
    if (any)
        row.push_back(std::move(field));
    return any;
}

// Calls `take` with each record of a UTF-8 CSV file (a leading byte order mark is skipped),
// its values as bytes of the table's code page; a record the table cannot take throws, naming
// the record and the field.
void forEachCsvRecord(const std::string& csvPath, const xbase::Table& table,
                      const std::function<void(const std::vector<std::string>&)>& take) {
    std::ifstream in(csvPath, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + csvPath);
    if (!(in.get() == 0xEF && in.get() == 0xBB && in.get() == 0xBF)) {
        in.clear();
        in.seekg(0);
    }
    const xbase::CodePage page = xbase::CodePage::ofLanguage(table.language());
    const auto& fields = table.structure().fields();
    std::vector<std::string> row;
    std::size_t number = 0;
    while (readCsvRecord(in, row)) {
        const std::string record = csvPath + " record " + std::to_string(++number);
        if (row.size() > fields.size())
            throw std::runtime_error(record + " has " + std::to_string(row.size()) +
                                     " columns, the table " + std::to_string(fields.size()) +
                                     " fields");
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] =
                page.fromUtf8OrThrow(row[i], record + ", field " + page.toUtf8(fields[i].name));
        take(row);
    }
    if (in.bad())
        throw std::runtime_error("cannot read " + csvPath + " after record " +
                                 std::to_string(number));
}

// Appends the records, their values set field by field, and answers how many.
std::size_t appendRecords(xbase::Table& t, const std::string& csvPath) {
    const xbase::CodePage page = xbase::CodePage::ofLanguage(t.language());
    std::size_t line = 0;
    forEachCsvRecord(csvPath, t, [&](const std::vector<std::string>& row) {
        ++line;
        t.appendBlank();
        for (std::size_t i = 0; i < row.size(); ++i) {
            try {
                t.setText(i, row[i]);
            } catch (const xbase::Error& e) {
                throw std::runtime_error(csvPath + " record " + std::to_string(line) + ": " +
                                         page.toUtf8(e.what()));
            }
        }
        t.post();
    });
    return line;
}

int appendCsv(const Arguments& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << "usage: corvane-tool db append-csv FILE DATA.csv\n";
        return ExitUsage;
    }
    std::size_t rows = 0;
    {
        // Every record is checked before anything is appended, with the table opened only to
        // read, so that a record the table cannot take leaves the table exactly as it was.
        const xbase::Table readOnly = xbase::Table::open(args[0], xbase::OpenMode::ReadOnly);
        forEachCsvRecord(args[1], readOnly, [&](const std::vector<std::string>&) { ++rows; });
    }
    xbase::Table t = xbase::Table::open(args[0], xbase::OpenMode::Exclusive);
    auto indexes = std::make_unique<xbase::TableIndexes>(t);
    if (!indexes->stale().empty())
        throw std::runtime_error(indexes->stale() + "; rebuild the indexes first (corvane-tool " +
                                 "db reindex " + args[0] + ")");
    const std::uint32_t before = t.recordCount();
    // Many records against the table's size: the tags are built once afterwards instead of
    // being kept record by record. Until then the index's stamp still names the records it
    // was made for, so a stop part-way leaves an index that the next open finds stale.
    const bool buildAfter = rows >= 1000 && rows * 4 >= before && indexes->orderCount() > 0;
    if (buildAfter)
        indexes.reset();
    try {
        appendRecords(t, args[1]);
        t.flush();
        if (buildAfter) {
            indexes = std::make_unique<xbase::TableIndexes>(t);
            TerminalGauge gauge(err, "Rebuilding indexes");
            indexes->rebuild([&](int percent) { gauge.show(percent); });
        }
        indexes->flush();
    } catch (...) {
        // Nothing half written: the records appended so far leave the table again.
        try {
            t.cancel();
            t.removeRecordsAfter(before);
            t.flush();
            if (indexes)
                indexes->flush();
        } catch (const std::exception&) {
        }
        throw;
    }
    out << "appended " << rows << " records" << (buildAfter ? ", indexes rebuilt" : "") << "\n";
    return ExitOk;
}

const Registration registrations[] = {
    Registration({"db", "info", "FILE", "header and fields of a table", info}),
    Registration({"db", "dump", "FILE [--query EXPR]",
                  "records as UTF-8 CSV in record order, memos included", dump}),
    Registration({"db", "create", "FILE --fields \"LNAME C 30, ...\" [--force]",
                  "a new empty table (types C N L D M); --force replaces one, index and memo "
                  "files too",
                  create}),
    Registration({"db", "append-csv", "FILE DATA.csv",
                  "append UTF-8 CSV records, columns in field order", appendCsv}),
};

} // namespace
} // namespace tool
