#include "exchange/copy_out.h"

#include "data/bulk_append.h"
#include "data/data_source.h"
#include "data/memo_text.h"
#include "data/table_object.h"
#include "data/text_codec.h"
#include "data/xb_engine.h"
#include "exchange/vcard_columns.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace exchange {

const QStringList& ExportedTextFields() {
    static const QStringList fields{"PREFIX", "FNAME",   "MIDDLE",  "LNAME",  "TITLE",
                                    "ORG",    "STREET",  "STREET2", "CITY",   "STATE",
                                    "ZIP",    "COUNTRY", "PHONE",   "PHONE2", "EMAIL",
                                    "FAX",    "DATE",    "USER1",   "USER2",  "CODES"};
    return fields;
}

const QStringList& ExportedTableFields() {
    static const QStringList fields{"PREFIX", "FNAME",   "MIDDLE",  "LNAME",  "TITLE",
                                    "ORG",    "STREET",  "STREET2", "CITY",   "STATE",
                                    "ZIP",    "COUNTRY", "PHONE",   "PHONE2", "EMAIL",
                                    "FAX",    "DATE",    "CODES",   "USER1",  "USER2"};
    return fields;
}

std::string CsvExportLine(const QStringList& values, bool rfc4180) {
    std::string line;
    for (int i = 0; i < values.size(); ++i) {
        if (i > 0)
            line += ',';
        std::string value = values[i].toStdString();
        if (rfc4180) {
            std::string doubled;
            for (char c : value) {
                if (c == '"')
                    doubled += '"';
                doubled += c;
            }
            value = std::move(doubled);
        }
        line += '"' + value + '"';
    }
    return line;
}

QString ExportDestinationProblem(const QString& destination, const QString& addressFile,
                                 ExportFormat format) {
    if (format == ExportFormat::Dbf && QFileInfo(destination).suffix().toUpper() != "DBF")
        return MustHaveDbfExtension;
    const QString a = QFileInfo(destination).absoluteFilePath();
    const QString b = QFileInfo(addressFile).absoluteFilePath();
    if (!addressFile.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0)
        return CannotCopyToItself;
    return {};
}

QString ExportOverwriteQuestion(const QString& path) {
    return path + " already exists.\r\nDo you want to overwrite it?";
}

namespace {

// Walks the records the query admits in the table's order, counting them against the total.
template <typename WriteOne>
void walk(data::TTable& table, data::TXbEngine& engine, const ExportHooks& hooks,
          ExportResult& result, WriteOne&& write) {
    const unsigned total = engine.queryRecCount();
    table.first();
    while (!table.eof() && result.written < total) {
        if (table.memoUnreadable()) {
            result.error =
                "record " + QString::number(table.recordNumber()) + ": its memo cannot be read";
            break;
        }
        write();
        ++result.written;
        if (hooks.progress && !hooks.progress(result.written, total)) {
            result.cancelled = true;
            break;
        }
        table.next();
    }
}

ExportResult exportText(data::TTable& table, data::TXbEngine& engine, const QString& path,
                        const ExportOptions& options, const ExportHooks& hooks) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ExportResult failed;
        failed.error = "Cannot create file " + path + ": " + file.errorString();
        return failed;
    }
    const bool vcard = options.format == ExportFormat::VCard;
    const bool utf8 = vcard || options.utf8;
    if (utf8 && !vcard)
        file.write("\xEF\xBB\xBF");
    QString failure;
    ExportResult result;
    try {
        walk(table, engine, hooks, result, [&] {
            std::string text;
            if (vcard) {
                auto f = [&](const char* name) { return table.fieldText(name).toStdString(); };
                VCardRecord r{f("PREFIX"), f("FNAME"),   f("MIDDLE"),  f("LNAME"),  f("TITLE"),
                              f("ORG"),    f("STREET"),  f("STREET2"), f("CITY"),   f("STATE"),
                              f("ZIP"),    f("COUNTRY"), f("PHONE"),   f("PHONE2"), f("FAX"),
                              f("EMAIL"),  f("CODES"),   f("MEMO"),    f("USER1"),  f("USER2"),
                              f("DATE")};
                text = WriteVCard(r, options.vcardVersion);
            } else {
                QStringList values;
                for (const QString& name : ExportedTextFields())
                    values << table.fieldText(name);
                text = CsvExportLine(values, options.rfc4180) + "\r\n";
                if (!utf8) {
                    data::CodePageBytes bytes = data::Utf8ToCodePage(1252, text);
                    if (!bytes)
                        throw std::runtime_error(("record " +
                                                  QString::number(table.recordNumber()) + ": " +
                                                  bytes.failure)
                                                     .toStdString());
                    text = std::move(bytes.bytes);
                }
            }
            if (file.write(text.data(), qint64(text.size())) != qint64(text.size()))
                throw std::runtime_error(
                    ("Cannot write file " + path + ": " + file.errorString()).toStdString());
        });
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    if (!file.flush() && failure.isEmpty())
        failure = "Cannot write file " + path + ": " + file.errorString();
    file.close();
    if (!failure.isEmpty())
        result.error = failure;
    return result;
}

ExportResult exportTable(data::TTable& table, data::TXbEngine& engine, const QString& path,
                         const ExportHooks& hooks) {
    ExportResult result;
    data::TTable copy;
    copy.exclusive = true;
    try {
        // An index file left from an earlier table of that name would not match the new one.
        const QString cdx = path.left(path.size() - 3) + "CDX";
        if (QFile::exists(cdx))
            QFile::remove(cdx);
        engine.copyStructure(path);
        const QFileInfo info(path);
        copy.folder = info.absolutePath() + "/";
        copy.fileName = info.fileName();
        copy.open();
        data::BulkWrite bulk(copy);
        data::BulkAppend append(copy);
        std::vector<std::pair<int, QString>> fields;
        for (const QString& name : ExportedTableFields())
            fields.emplace_back(append.field(name), name);
        const int memo = append.field("MEMO");
        walk(table, engine, hooks, result, [&] {
            append.start();
            for (const auto& [field, name] : fields) {
                const QString value = table.fieldText(name);
                if (field >= 0 && !value.isEmpty())
                    append.setText(field, value.toStdString());
            }
            const QString text = table.fieldText("MEMO");
            if (memo >= 0 && !text.isEmpty())
                append.setText(memo,
                               data::MemoTextToStore(data::MemoTextToShow(text)).toStdString());
            append.post();
        });
        bulk.finish();
    } catch (const std::exception& error) {
        result.error = QString::fromUtf8(error.what());
    }
    copy.close();
    return result;
}

} // namespace

ExportResult ExportRecords(data::TTable& table, data::TXbEngine& engine, const QString& path,
                           const ExportOptions& options, const ExportHooks& hooks) {
    ExportResult result;
    try {
        result = options.format == ExportFormat::Dbf
                     ? exportTable(table, engine, path, hooks)
                     : exportText(table, engine, path, options, hooks);
    } catch (const std::exception& error) {
        result.error = QString::fromUtf8(error.what());
    }
    try {
        table.first();
    } catch (const std::exception&) {
    }
    return result;
}

} // namespace exchange
