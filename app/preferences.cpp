#include "app/preferences.h"

#include "platform/settings_file.h"
#include "platform/system_services.h"
#include "select/tag_id.h"

namespace {

constexpr int MaxRecentFiles = 4;

struct BoolKey {
    const char* key;
    bool AddingPreferences::*member;
    bool byDefault = false; // when the key is missing
};

constexpr BoolKey boolKeys[] = {
    {"PlugDate", &AddingPreferences::PlugDate},
    {"PlugCityState", &AddingPreferences::PlugCityState},
    {"AutoDupCheck", &AddingPreferences::AutoDupCheck},
    {"CarryOrg", &AddingPreferences::CarryOrg},
    {"CarrySA1", &AddingPreferences::CarrySA1},
    {"CarrySA2", &AddingPreferences::CarrySA2},
    {"CarryCity", &AddingPreferences::CarryCity},
    {"CarryState", &AddingPreferences::CarryState},
    {"CarryZip", &AddingPreferences::CarryZip},
    {"CarryCountry", &AddingPreferences::CarryCountry},
    {"UseZipTable", &AddingPreferences::UseZipTable, true},
};

} // namespace

AddingPreferences AddingPreferences::read(const platform::SettingsFile& settings) {
    AddingPreferences preferences;
    for (const BoolKey& key : boolKeys)
        preferences.*key.member = settings.readBool("Adding", key.key, key.byDefault);
    preferences.DefaultCountry = settings.readString("Adding", "DefaultCountry");
    return preferences;
}

bool AddingPreferences::write(platform::SettingsFile& settings) const {
    bool ok = true;
    for (const BoolKey& key : boolKeys)
        ok = settings.writeBool("Adding", key.key, this->*key.member) && ok;
    return settings.writeString("Adding", "DefaultCountry", DefaultCountry) && ok;
}

QStringList GetMRUList(const platform::SettingsFile& settings) {
    QStringList list;
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString item = settings.readString("MRU", QString("Item%1").arg(i));
        if (!item.isEmpty())
            list << item;
    }
    return list;
}

void PutMRUList(platform::SettingsFile& settings, const QStringList& list) {
    for (int i = 0; i < qMin(int(list.size()), MaxRecentFiles); ++i)
        settings.writeString("MRU", QString("Item%1").arg(i + 1), list[i]);
}

QStringList UpdatedMRUList(const QStringList& list, const QString& path) {
    QStringList updated{path};
    for (const QString& item : list) {
        if (item != path && updated.size() < MaxRecentFiles)
            updated << item;
    }
    return updated;
}

QString ReadGlobalTagId(const platform::SettingsFile& settings) {
    const QString id = settings.readString("Misc", "GlobalTagId");
    return id.isEmpty() ? selection::NewTagId(platform::Now()) : id.left(8);
}
