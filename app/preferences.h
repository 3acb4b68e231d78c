#pragma once

#include <QString>
#include <QStringList>

namespace platform {
class SettingsFile;
}

// The adding options of the settings file's "Adding" section.
struct AddingPreferences {
    bool PlugDate = false;
    bool PlugCityState = false;
    bool AutoDupCheck = false;
    QString DefaultCountry;
    bool CarryOrg = false;
    bool CarrySA1 = false;
    bool CarrySA2 = false;
    bool CarryCity = false;
    bool CarryState = false;
    bool CarryZip = false;
    bool CarryCountry = false;
    // When no record has the ZIP typed for a new record, its city and state come from the
    // shipped US ZIP code table. On unless turned off.
    bool UseZipTable = true;

    static AddingPreferences read(const platform::SettingsFile& settings);
    bool write(platform::SettingsFile& settings) const;
};

// The four most recently opened address files, section "MRU", keys Item1 to Item4.
QStringList GetMRUList(const platform::SettingsFile& settings);
void PutMRUList(platform::SettingsFile& settings, const QStringList& list);
// The list after opening a file: the path first, then the old entries without it (compared
// exactly, letter case included), four at most.
QStringList UpdatedMRUList(const QStringList& list, const QString& path);

// "Misc"/"GlobalTagId", made new from the clock when missing.
QString ReadGlobalTagId(const platform::SettingsFile& settings);
