// corvane-tool filter ...: the expression a filter file builds and the records it admits.
#include "tools/command.h"

#include "data/address_file.h"
#include "data/data_source.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "select/apply_query.h"
#include "select/filter_file.h"
#include "tools/console_dialogs.h"

#include <QString>

#include <ostream>

namespace tool {
namespace {

int show(const Arguments& args, std::ostream& out, std::ostream& err) {
    std::string file, db, tagId;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--db" && i + 1 < args.size())
            db = args[++i];
        else if (args[i] == "--tag-id" && i + 1 < args.size())
            tagId = args[++i];
        else if (file.empty() && !args[i].starts_with("--"))
            file = args[i];
        else
            usage = true;
    }
    if (file.empty() || usage) {
        err << "usage: corvane-tool filter show FILE.FLT [--db ADDRESS.DBF] [--tag-id ID]\n";
        return ExitUsage;
    }

    selection::QueryVars vars;
    const selection::FilterFileResult read =
        selection::RestoreFilterFrom(QString::fromStdString(file), vars);
    if (!read) {
        err << "corvane-tool: " << read.error.toStdString() << '\n';
        return ExitFailure;
    }
    // The file does not store "tagged only"; naming a tag id asks for it.
    vars.tagged = !tagId.empty();
    const QString globalTagId = QString::fromStdString(tagId);
    const QString query = selection::BuildQueryString(vars, globalTagId);
    out << "query: " << query.toStdString() << '\n';
    if (selection::TooComplex(query)) {
        err << "corvane-tool: " << selection::TooComplexMessage << '\n';
        return ExitFailure;
    }
    if (db.empty())
        return ExitOk;

    ConsoleDialogs dialogs(err);
    data::TTable table;
    table.readOnly = true;
    if (!data::OpenAddressTable(QString::fromStdString(db), table))
        return ExitFailure;
    data::TDataSource source;
    source.setDataSet(&table);
    data::TXbEngine engine;
    engine.DataSource = &source;

    QString queryString;
    const selection::ApplyResult applied =
        selection::ApplyQuery(engine, vars, queryString, globalTagId);
    switch (applied.outcome) {
    case selection::ApplyOutcome::NoFilter:
        out << "matches: " << engine.queryRecCount() << " (no filter)\n";
        return ExitOk;
    case selection::ApplyOutcome::Matches:
    case selection::ApplyOutcome::NoMatch:
        out << "matches: " << applied.count << '\n';
        return ExitOk;
    case selection::ApplyOutcome::Refused:
        out << "matches: 0\n";
        err << "corvane-tool: the filter cannot be used: " << applied.engineMessage.toStdString()
            << '\n';
        return ExitFailure;
    case selection::ApplyOutcome::TooComplex:
        break;
    }
    err << "corvane-tool: " << selection::TooComplexMessage << '\n';
    return ExitFailure;
}

const Registration registrations[] = {
    Registration({"filter", "show", "FILE.FLT [--db ADDRESS.DBF] [--tag-id ID]",
                  "the expression a filter file builds; with --db the records it admits", show}),
};

} // namespace
} // namespace tool
