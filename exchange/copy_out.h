#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace data {
class TTable;
class TXbEngine;
} // namespace data

namespace exchange {

enum class ExportFormat { Dbf, Csv, VCard };

struct ExportOptions {
    ExportFormat format = ExportFormat::Dbf;
    // Text: every value quoted with its double quotes doubled, so that a value holding one
    // reads back whole; else the values are written between quotes as they are.
    bool rfc4180 = false;
    // Text: UTF-8 (with a byte-order mark) instead of the address file's code page.
    bool utf8 = false;
    int vcardVersion = 3; // 3 or 4
};

// The 20 fields of a line of the text format, in their order.
const QStringList& ExportedTextFields();
// The fields a table export copies by name (the memo follows them).
const QStringList& ExportedTableFields();

// One record's line of the text format as UTF-8, without its CR LF: each value between double
// quotes, separated by commas.
std::string CsvExportLine(const QStringList& values, bool rfc4180);

// Why a chosen destination cannot be used, empty when it can: a table without the extension
// .DBF, or the open address file itself (paths compared ignoring letter case).
QString ExportDestinationProblem(const QString& destination, const QString& addressFile,
                                 ExportFormat format);
inline constexpr char MustHaveDbfExtension[] = "Must have a .DBF extension";
inline constexpr char CannotCopyToItself[] = "Cannot copy a file to itself!";
// The question before an existing file is overwritten.
QString ExportOverwriteQuestion(const QString& path);

struct ExportResult {
    unsigned written = 0;
    bool cancelled = false;
    QString error; // not empty: the run ended with this failure
};

struct ExportHooks {
    // After each record written; answers false to stop (cancel).
    std::function<bool(unsigned done, unsigned total)> progress;
};

// Writes the records the table's query admits, in its current order, to the destination:
// a new table with the address file's structure (its stale index file deleted, no index
// built), a comma-separated text file or a vCard file. Records written before a failure or a
// cancel stay in the file. The table is left at its first record.
ExportResult ExportRecords(data::TTable& table, data::TXbEngine& engine, const QString& path,
                           const ExportOptions& options, const ExportHooks& hooks);

} // namespace exchange
