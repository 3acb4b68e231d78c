#include "select/field_list_file.h"

#include "data/table_object.h"
#include "platform/path_lookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace selection {

namespace {

// A field list names a few dozen fields; anything past this is not part of one.
constexpr qint64 MaxListBytes = 64 * 1024;

QStringList viewOrder(const data::TTable& table) {
    QStringList names;
    for (const data::FieldInfo& field : table.fields())
        names << field.name;
    return names;
}

} // namespace

QString FieldListPath() {
    return platform::RealPath("sysdata\\FIELDS.LST");
}

QStringList ParseFieldList(const QByteArray& text) {
    QStringList names;
    for (const QByteArray& line : text.split('\n')) {
        const QString name = QString::fromLatin1(line).trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

QStringList ApplyFieldListLines(const QStringList& order, const QStringList& lines) {
    QStringList arranged = order;
    if (arranged.isEmpty())
        return arranged;
    for (qsizetype line = 0; line < lines.size(); ++line) {
        qsizetype from = 0;
        while (from < arranged.size() &&
               arranged[from].compare(lines[line], Qt::CaseInsensitive) != 0)
            ++from;
        if (from == arranged.size())
            continue;
        arranged.move(from, qMin(line, arranged.size() - 1));
    }
    return arranged;
}

bool ReadFieldList(data::TTable& table, const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = ParseFieldList(file.read(MaxListBytes));
    table.arrangeFields(ApplyFieldListLines(viewOrder(table), lines));
    return true;
}

bool WriteFieldList(const data::TTable& table, QString* error, const QString& path) {
    auto failed = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QStringList names = viewOrder(table);
    if (names.isEmpty())
        return failed("The view has no fields");
    if (path.isEmpty())
        return failed("No path for the field list");
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    for (const QString& name : names)
        file.write(name.toLatin1() + "\r\n");
    if (!file.commit())
        return failed(file.errorString());
    return true;
}

} // namespace selection
