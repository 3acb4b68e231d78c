// corvane-tool db index | tags | dump --order | seek | check: index tags of a table.
// (The file name starts with cmd_ so that the tool's build picks it up.)
#include "tools/command.h"
#include "xbase/code_page.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <cstdio>
#include <optional>
#include <ostream>

namespace tool {

namespace {

// The value of a name option ("--tag NAME"), or nothing when it is absent.
std::optional<std::string> option(const Arguments& args, const std::string& name) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name)
            return args[i + 1];
    return std::nullopt;
}

bool flag(const Arguments& args, const std::string& name) {
    for (const std::string& a : args)
        if (a == name)
            return true;
    return false;
}

// Arguments that are neither options nor their values.
Arguments positional(const Arguments& args) {
    Arguments rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--descending")
            continue;
        if (args[i].rfind("--", 0) == 0) {
            ++i;
            continue;
        }
        rest.push_back(args[i]);
    }
    return rest;
}

std::string show(const xbase::Value& v) {
    switch (v.type) {
    case xbase::ValueType::Number: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.10g", v.number);
        return buf;
    }
    case xbase::ValueType::Logical:
        return v.logical ? "T" : "F";
    default:
        break;
    }
    std::string s = v.text;
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// Text typed on the command line and text shown are UTF-8; the table holds its code page.
xbase::CodePage codePage(const xbase::Table& table) {
    return xbase::CodePage::ofLanguage(table.language());
}

int usage(std::ostream& err, const char* text) {
    err << "usage: corvane-tool db " << text << '\n';
    return ExitUsage;
}

// Selects a tag as the controlling order; false (with a message) when there is none.
bool selectOrder(xbase::TableIndexes& indexes, const std::string& tag, std::ostream& err) {
    if (indexes.orderOf(tag) == 0) {
        err << "corvane-tool: no tag " << tag << '\n';
        return false;
    }
    if (!indexes.stale().empty()) {
        err << "corvane-tool: " << indexes.stale()
            << "; rebuild the indexes (corvane-tool db reindex FILE)\n";
        return false;
    }
    indexes.setOrder(tag);
    return true;
}

int runIndex(const Arguments& args, std::ostream& out, std::ostream& err) {
    Arguments files = positional(args);
    auto tag = option(args, "--tag");
    auto key = option(args, "--key");
    if (files.size() != 1 || !tag || !key)
        return usage(err, "index FILE --tag NAME --key EXPR [--for EXPR] [--descending]");
    xbase::Table table = xbase::Table::open(files[0]);
    const xbase::CodePage page = codePage(table);
    const std::string keyBytes = page.fromUtf8OrThrow(*key, "--key");
    const std::string forBytes = page.fromUtf8OrThrow(option(args, "--for").value_or(""), "--for");
    xbase::TableIndexes indexes(table);
    indexes.indexTag({}, *tag, keyBytes, 0, flag(args, "--descending"), forBytes);
    table.flush();
    indexes.flush();
    out << indexes.tagName() << ": " << table.recordCount() << " records indexed\n";
    return ExitOk;
}

int runReindex(const Arguments& args, std::ostream& out, std::ostream& err) {
    Arguments files = positional(args);
    if (files.size() != 1)
        return usage(err, "reindex FILE");
    xbase::Table table = xbase::Table::open(files[0]);
    xbase::TableIndexes indexes(table);
    indexes.rebuild();
    table.flush();
    indexes.flush();
    out << indexes.orderCount() << " tags rebuilt from " << table.recordCount() << " records\n";
    return ExitOk;
}

int runTags(const Arguments& args, std::ostream& out, std::ostream& err) {
    Arguments files = positional(args);
    if (files.size() != 1)
        return usage(err, "tags FILE");
    xbase::Table table = xbase::Table::open(files[0], xbase::OpenMode::ReadOnly);
    const xbase::CodePage page = codePage(table);
    xbase::TableIndexes indexes(table);
    for (int n = 1; n <= indexes.orderCount(); ++n) {
        out << n << '\t' << indexes.tagName(n) << '\t' << page.toUtf8(indexes.keyExpression(n));
        if (!indexes.forExpression(n).empty())
            out << "\tFOR " << page.toUtf8(indexes.forExpression(n));
        if (indexes.descending(n))
            out << "\tDESCENDING";
        out << '\t' << indexes.indexFile(n).filename().string() << '\n';
    }
    return ExitOk;
}

// The record-order dump of the table commands, for a dump without --order.
int plainDump(const Arguments& args, std::ostream& out, std::ostream& err);

int runDump(const Arguments& args, std::ostream& out, std::ostream& err) {
    auto tag = option(args, "--order");
    if (!tag)
        return plainDump(args, out, err);
    Arguments files = positional(args);
    if (files.size() != 1)
        return usage(err, "dump FILE --order TAG");
    xbase::Table table = xbase::Table::open(files[0], xbase::OpenMode::ReadOnly);
    xbase::TableIndexes indexes(table);
    if (!selectOrder(indexes, *tag, err))
        return ExitFailure;
    xbase::Expression key = table.compile(indexes.keyExpression());
    const xbase::CodePage page = codePage(table);
    for (table.top(); !table.eof(); table.skip())
        out << table.recno() << '\t' << page.toUtf8(show(key.evaluate(table.record()))) << '\n';
    return ExitOk;
}

const char* const orderedDumpUsage = "FILE --order TAG";

int plainDump(const Arguments& args, std::ostream& out, std::ostream& err) {
    for (const Command& c : Commands())
        if (c.group == "db" && c.name == "dump" && c.usage != orderedDumpUsage)
            return c.run(args, out, err);
    return usage(err, "dump FILE --order TAG");
}

int runSeek(const Arguments& args, std::ostream& out, std::ostream& err) {
    Arguments rest = positional(args);
    auto tag = option(args, "--order");
    if (rest.size() != 2 || !tag)
        return usage(err, "seek FILE --order TAG KEY");
    xbase::Table table = xbase::Table::open(rest[0], xbase::OpenMode::ReadOnly);
    xbase::TableIndexes indexes(table);
    if (!selectOrder(indexes, *tag, err))
        return ExitFailure;
    if (!table.seek(codePage(table).fromUtf8OrThrow(rest[1], "the key"))) {
        out << "not found\n";
        return ExitFailure;
    }
    out << table.recno() << '\n';
    return ExitOk;
}

// Every memo the table points at must read; a damaged memo file is one fault.
std::vector<std::string> memoProblems(xbase::Table& table) {
    std::vector<std::string> problems;
    if (!table.memoDamage().empty()) {
        problems.push_back(table.memoPath().string() +
                           ": damaged memo file: " + table.memoDamage());
        return problems;
    }
    std::vector<std::string> memoFields;
    for (const xbase::Field& f : table.structure().fields())
        if (f.isMemo())
            memoFields.push_back(f.name);
    if (memoFields.empty())
        return problems;
    table.settings().deleted = false;
    for (table.top(); !table.eof(); table.skip()) {
        for (const std::string& field : memoFields) {
            try {
                table.memo(field);
            } catch (const xbase::Error& e) {
                problems.push_back("record " + std::to_string(table.recno()) + ", field " + field +
                                   ": " + e.what());
            }
        }
    }
    return problems;
}

int runCheck(const Arguments& args, std::ostream& out, std::ostream& err) {
    Arguments files = positional(args);
    if (files.size() != 1)
        return usage(err, "check FILE");
    xbase::Table table = xbase::Table::open(files[0], xbase::OpenMode::ReadOnly);
    const xbase::CodePage page = codePage(table);
    std::vector<std::string> problems = memoProblems(table);
    int tags = 0;
    try {
        xbase::TableIndexes indexes(table);
        tags = indexes.orderCount();
        for (const std::string& p : indexes.check())
            problems.push_back(p);
    } catch (const xbase::Error& e) {
        problems.push_back(std::string("the index cannot be read: ") + e.what());
    }
    for (const std::string& p : problems)
        out << page.toUtf8(p) << '\n';
    if (!problems.empty()) {
        err << "corvane-tool: " << problems.size() << " faults in " << files[0]
            << "; corvane-tool db reindex rebuilds the indexes, db pack also removes deleted "
               "records and empties unreadable memos (the program's \"Rebuild Indexes\" does "
               "both)\n";
        return ExitFailure;
    }
    out << table.recordCount() << " records read and " << tags << " tags agree with the table\n";
    return ExitOk;
}

const Registration registerIndex{{"db", "index",
                                  "FILE --tag NAME --key EXPR [--for EXPR] [--descending]",
                                  "build a tag of the table's structural index", runIndex}};
const Registration registerTags{
    {"db", "tags", "FILE", "list the tags of the table's indexes", runTags}};
// Placed before the record-order dump whatever the order of registration, so that
// --order reaches this one; without it the other one does the work.
const bool registerDump = [] {
    auto& all = Commands();
    all.insert(all.begin(), Command{"db", "dump", orderedDumpUsage,
                                    "record numbers and keys in the order of a tag", runDump});
    return true;
}();
const Registration registerSeek{
    {"db", "seek", "FILE --order TAG KEY", "the record number a key is found at", runSeek}};
const Registration registerCheck{
    {"db", "check", "FILE", "read every memo and compare every tag with the table", runCheck}};
int runPack(const Arguments& args, std::ostream& out, std::ostream& err) {
    Arguments files = positional(args);
    if (files.size() != 1)
        return usage(err, "pack FILE");
    xbase::Table table = xbase::Table::open(files[0]);
    xbase::TableIndexes indexes(table);
    table.setDamageCallback([&](const std::string& what) {
        err << "corvane-tool: " << codePage(table).toUtf8(what) << '\n';
    });
    const std::uint32_t before = table.recordCount();
    table.pack();
    table.flush();
    indexes.flush();
    out << before - table.recordCount() << " deleted records removed, " << table.recordCount()
        << " kept, " << indexes.orderCount() << " tags rebuilt\n";
    return ExitOk;
}

const Registration registerPack{{"db", "pack", "FILE",
                                 "remove deleted records, compact the memo file and rebuild "
                                 "the indexes",
                                 runPack}};
const Registration registerReindex{
    {"db", "reindex", "FILE", "rebuild every tag of the table's indexes", runReindex}};

} // namespace

} // namespace tool
