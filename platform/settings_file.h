#pragma once

#include <QString>

namespace platform {

// The program's settings file: sections in square brackets and key=value lines, Windows-1252
// text, readable by other tools. Every read and every write opens and closes the file, so no
// value is cached. Section and key names ignore letter case. A missing file reads as the
// defaults and is created by the first write; a damaged line is skipped.
class SettingsFile {
public:
    // The settings file "CORVAN.ini" in the program folder.
    static SettingsFile program();
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    QString readString(const QString& section, const QString& key,
                       const QString& fallback = {}) const;
    bool readBool(const QString& section, const QString& key, bool fallback = false) const;
    int readInteger(const QString& section, const QString& key, int fallback = 0) const;

    // False when the file cannot be written; the file is then left as it was.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeBool(const QString& section, const QString& key, bool value);
    bool writeInteger(const QString& section, const QString& key, int value);

private:
    QString path_;
};

} // namespace platform
