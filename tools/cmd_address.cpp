// corvane-tool address-block: the lines an address block composes for one record, as a label
// or an envelope prints them.
#include "tools/command.h"
#include "tools/console_dialogs.h"

#include "data/address_file.h"
#include "data/table_object.h"
#include "data/xb_env.h"
#include "layout/multiline_labels.h"
#include "xbase/table.h"

#include <QMetaEnum>

#include <optional>
#include <ostream>

namespace tool {
namespace {

// The ZIP code place by its number (0 after state .. 3 before country) or its name.
std::optional<layout::TZipFormatOptions> zipOption(const std::string& text) {
    const QMetaEnum names = QMetaEnum::fromType<layout::TZipFormatOptions>();
    bool ok = false;
    int value = QString::fromStdString(text).toInt(&ok);
    if (!ok)
        value = names.keyToValue(text.c_str(), &ok);
    if (!ok || value < layout::zoAfterState || value > layout::zoBeforeCountry)
        return std::nullopt;
    return layout::TZipFormatOptions(value);
}

int addressBlock(const Arguments& args, std::ostream& out, std::ostream& err) {
    const char* usage = "usage: corvane-tool address-block ADDRESS.DBF --record N "
                        "[--zip-option 0-3|zoAfterState|zoBeforeCity|zoAfterCountry|"
                        "zoBeforeCountry] [--upper]\n";
    std::string db;
    long record = 0;
    layout::AddressOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--record" && hasValue) {
            record = std::strtol(args[++i].c_str(), nullptr, 10);
            if (record < 1) {
                err << "corvane-tool: --record wants a record number from 1\n" << usage;
                return ExitUsage;
            }
        } else if (a == "--zip-option" && hasValue) {
            const auto option = zipOption(args[++i]);
            if (!option) {
                err << "corvane-tool: unknown ZIP code option '" << args[i] << "'\n" << usage;
                return ExitUsage;
            }
            options.zipOptions = *option;
        } else if (a == "--upper") {
            options.upperCase = true;
        } else if (db.empty() && !a.empty() && a[0] != '-') {
            db = a;
        } else {
            err << "corvane-tool: unexpected argument '" << a << "'\n" << usage;
            return ExitUsage;
        }
    }
    if (db.empty() || record == 0) {
        err << usage;
        return ExitUsage;
    }

    ConsoleDialogs dialogs(err);
    data::TTable table;
    table.readOnly = true;
    if (!data::OpenAddressTable(QString::fromStdString(db), table))
        return ExitFailure;
    if (unsigned(record) > table.recordCount()) {
        err << "corvane-tool: " << db << " has " << table.recordCount() << " records, no record "
            << record << '\n';
        return ExitFailure;
    }
    table.engineTable().goTo(std::uint32_t(record));
    table.resync();
    for (const QString& line : layout::ComposeRecordAddress(table, options))
        out << line.toStdString() << '\n';
    return ExitOk;
}

const Registration registration({"address-block", "",
                                 "ADDRESS.DBF --record N [--zip-option K] [--upper]",
                                 "the lines an address block composes for a record (K: 0 after "
                                 "state, 1 before city, 2 after country, 3 before country)",
                                 addressBlock});

} // namespace
} // namespace tool
