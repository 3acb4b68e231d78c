#include "exchange/import_pass.h"

#include "data/address_file.h"
#include "data/bulk_append.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "exchange/read_ahead.h"

#include <optional>

namespace exchange {

namespace {

// The engine field of each target, -1 for a target the address file does not have.
std::vector<int> targetFields(const ImportFeed& feed, const data::BulkAppend& append) {
    std::vector<int> fields;
    for (const QString& name : feed.targets())
        fields.push_back(append.field(name));
    return fields;
}

} // namespace

ImportCheck CheckImport(ImportFeed& feed, data::TTable& destination, std::size_t keep) {
    ImportCheck check;
    const data::BulkAppend append(destination);
    const std::vector<int> fields = targetFields(feed, append);
    const QStringList targets = feed.targets();
    try {
        feed.rewind();
        ImportRecord record;
        while (feed.nextToCheck(record)) {
            ++check.total;
            for (std::size_t i = 0; i < record.values.size() && i < fields.size(); ++i) {
                if (fields[i] < 0 || record.values[i].empty())
                    continue;
                const QString reason = append.cannotHold(record.values[i]);
                if (reason.isEmpty())
                    continue;
                ++check.problemCount;
                if (check.problems.size() < keep) {
                    const data::FieldInfo* info = destination.field(targets[int(i)]);
                    check.problems.push_back(
                        {record.where, info ? info->label : targets[int(i)], reason});
                }
            }
        }
    } catch (const ImportReadError& error) {
        check.readError = QString::fromUtf8(error.what());
    }
    return check;
}

QString UnholdableMessage(const ImportCheck& check, const QString& whereName,
                          const QString& fileName) {
    QString text = fileName + " holds characters that the address file cannot hold, so " +
                   "nothing was imported:";
    for (const UnholdableValue& p : check.problems)
        text +=
            "\r\n" + whereName + " " + QString::number(p.where) + ", " + p.field + ": " + p.reason;
    if (check.problemCount > check.problems.size())
        text +=
            "\r\n... and " + QString::number(check.problemCount - check.problems.size()) + " more";
    return text;
}

ImportResult AppendImport(ImportFeed& feed, unsigned total, data::TTable& destination,
                          data::TXbEngine& engine, const ImportHooks& hooks) {
    ImportResult result;
    auto status = [&](const QString& text) {
        if (hooks.status)
            hooks.status(text);
    };
    // The compound index goes first: the 26 tags are built once at the end instead of being
    // kept record by record.
    try {
        engine.dropStructuralIndex();
    } catch (const std::exception& error) {
        result.end = ImportEnd::WriteError;
        result.error = QString::fromUtf8(error.what());
        return result;
    }
    data::BulkWrite bulk(destination);
    data::BulkAppend append(destination);
    const std::vector<int> fields = targetFields(feed, append);
    status("Importing records");
    try {
        feed.rewind();
    } catch (const ImportReadError& error) {
        result.end = ImportEnd::ReadError;
        result.error = QString::fromUtf8(error.what());
        return result;
    }
    // Reading and cutting the source overlaps with the appending where the feed allows it.
    std::optional<ReadAhead> ahead;
    if (feed.canReadAhead())
        ahead.emplace(feed);
    ImportRecord record;
    for (;;) {
        try {
            if (!(ahead ? ahead->next(record) : feed.next(record)))
                break;
        } catch (const ImportReadError& error) {
            result.end = ImportEnd::ReadError;
            result.error = QString::fromUtf8(error.what());
            break;
        }
        try {
            append.start();
            for (std::size_t i = 0; i < record.values.size() && i < fields.size(); ++i)
                if (fields[i] >= 0 && !record.values[i].empty())
                    append.setText(fields[i], record.values[i]);
            append.post();
        } catch (const std::exception& error) {
            append.cancel();
            result.end = ImportEnd::WriteError;
            result.error = QString::fromUtf8(error.what());
            break;
        }
        ++result.imported;
        if (hooks.progress && !hooks.progress(result.imported, total)) {
            result.end = ImportEnd::Cancelled;
            break;
        }
    }
    try {
        bulk.finish();
    } catch (const std::exception& error) {
        if (result.end != ImportEnd::ReadError) {
            result.end = ImportEnd::WriteError;
            result.error = QString::fromUtf8(error.what());
        }
    }
    try {
        destination.refresh();
    } catch (const std::exception&) {
    }
    return result;
}

bool RebuildImportIndexes(data::TTable& destination, data::TXbEngine& engine,
                          const std::function<void(int percent)>& progress) {
    engine.setGaugeHook(progress);
    const bool built = data::BuildAddressIndexes(destination, engine);
    engine.setGaugeHook({});
    return built;
}

QString ImportCompleteMessage(unsigned count) {
    return "Import complete. Imported " + QString::number(count) + " records.";
}

QString ImportCancelledMessage(unsigned count) {
    return "Import cancelled after importing " + QString::number(count) + " records.";
}

} // namespace exchange
