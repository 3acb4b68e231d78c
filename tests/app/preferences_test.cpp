#include "app/preferences.h"
#include "platform/settings_file.h"
#include "platform/system_services.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RecentFiles, NewestFirstFourAtMostExactComparison) {
    QStringList list;
    for (const char* path : {"/d/A.DBF", "/d/B.DBF", "/d/C.DBF", "/d/D.DBF", "/d/E.DBF"})
        list = UpdatedMRUList(list, path);
    EXPECT_EQ(list, (QStringList{"/d/E.DBF", "/d/D.DBF", "/d/C.DBF", "/d/B.DBF"}));
    list = UpdatedMRUList(list, "/d/C.DBF");
    EXPECT_EQ(list, (QStringList{"/d/C.DBF", "/d/E.DBF", "/d/D.DBF", "/d/B.DBF"}));
    list = UpdatedMRUList(list, "/d/c.dbf"); // another letter case is another file
    EXPECT_EQ(list, (QStringList{"/d/c.dbf", "/d/C.DBF", "/d/E.DBF", "/d/D.DBF"}));
}

TEST(RecentFiles, StoredInItem1ToItem4) {
    QTemporaryDir home;
    platform::SettingsFile settings(home.path() + "/CORVAN.ini");
    EXPECT_TRUE(GetMRUList(settings).isEmpty());
    PutMRUList(settings, {"/a.dbf", "/b.dbf", "/c.dbf", "/d.dbf", "/e.dbf"});
    EXPECT_EQ(settings.readString("MRU", "Item4"), "/d.dbf");
    EXPECT_EQ(settings.readString("MRU", "Item5"), "");
    settings.writeString("MRU", "Item2", "");
    EXPECT_EQ(GetMRUList(settings), (QStringList{"/a.dbf", "/c.dbf", "/d.dbf"}));
}

TEST(Preferences, ElevenAddingKeysRoundTripAndTagIdDefaultsToANewId) {
    QTemporaryDir home;
    platform::SettingsFile settings(home.path() + "/CORVAN.ini");
    AddingPreferences defaults = AddingPreferences::read(settings);
    EXPECT_FALSE(defaults.PlugCityState);
    EXPECT_TRUE(defaults.UseZipTable); // the one key that is on when missing
    EXPECT_TRUE(defaults.DefaultCountry.isEmpty());
    AddingPreferences chosen;
    chosen.PlugCityState = true;
    chosen.CarryZip = true;
    chosen.UseZipTable = false;
    chosen.DefaultCountry = "Canada";
    ASSERT_TRUE(chosen.write(settings));
    const AddingPreferences back = AddingPreferences::read(settings);
    EXPECT_TRUE(back.PlugCityState);
    EXPECT_TRUE(back.CarryZip);
    EXPECT_FALSE(back.CarryCity);
    EXPECT_FALSE(back.UseZipTable);
    EXPECT_EQ(back.DefaultCountry, "Canada");

    platform::SetClock([] { return QDateTime(QDate(1997, 4, 28), QTime(10, 30, 0)); });
    EXPECT_EQ(ReadGlobalTagId(settings), "272VQE0");
    platform::SetClock({});
    settings.writeString("Misc", "GlobalTagId", "KEEP");
    EXPECT_EQ(ReadGlobalTagId(settings), "KEEP");
}

} // namespace
