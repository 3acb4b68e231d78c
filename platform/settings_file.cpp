#include "platform/settings_file.h"

#include "platform/cp1252.h"
#include "platform/path_lookup.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace platform {

namespace {

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QString text = FromCp1252(std::string_view(bytes.constData(), size_t(bytes.size())));
    text.replace("\r\n", "\n").replace('\r', '\n');
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QString> sectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith('[') && trimmed.endsWith(']'))
        return trimmed.mid(1, trimmed.size() - 2).trimmed();
    return std::nullopt;
}

// The key of a key=value line; nothing for comments and lines without '='.
std::optional<QString> keyName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(';'))
        return std::nullopt;
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    return line.left(equals).trimmed();
}

// Values with blanks at either end, or within quotes, are written within double quotes so
// that they read back unchanged; line breaks cannot be stored and become blanks.
QString encodeValue(QString value) {
    value.replace("\r\n", " ").replace('\r', ' ').replace('\n', ' ');
    const bool quote = value != value.trimmed() ||
                       (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'));
    return quote ? '"' + value + '"' : value;
}

QString decodeValue(const QString& raw) {
    const QString value = raw.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        return value.mid(1, value.size() - 2);
    return value;
}

bool same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

SettingsFile SettingsFile::program() {
    return SettingsFile(RealPath("CORVAN.ini"));
}

QString SettingsFile::readString(const QString& section, const QString& key,
                                 const QString& fallback) const {
    bool inSection = false;
    for (const QString& line : readLines(path_)) {
        if (const auto name = sectionName(line)) {
            inSection = same(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto name = keyName(line); name && same(*name, key))
            return decodeValue(line.mid(line.indexOf('=') + 1));
    }
    return fallback;
}

bool SettingsFile::readBool(const QString& section, const QString& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

int SettingsFile::readInteger(const QString& section, const QString& key, int fallback) const {
    bool ok = false;
    const int value = readString(section, key).toInt(&ok);
    return ok ? value : fallback;
}

bool SettingsFile::writeString(const QString& section, const QString& key, const QString& value) {
    QStringList lines = readLines(path_);
    const QString entry = key + '=' + encodeValue(value);
    qsizetype sectionStart = -1;
    qsizetype insertAt = -1;
    bool written = false;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inSection)
                break;
            inSection = same(*name, section);
            if (inSection)
                sectionStart = insertAt = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (const auto name = keyName(lines[i]); name && same(*name, key)) {
            lines[i] = entry;
            written = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!written) {
        if (sectionStart < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines << QString();
            lines << '[' + section + ']' << entry;
        } else {
            lines.insert(insertAt, entry);
        }
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string bytes = ToCp1252(lines.join("\r\n") + "\r\n");
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        return false;
    return file.commit();
}

bool SettingsFile::writeBool(const QString& section, const QString& key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

bool SettingsFile::writeInteger(const QString& section, const QString& key, int value) {
    return writeString(section, key, QString::number(value));
}

} // namespace platform
