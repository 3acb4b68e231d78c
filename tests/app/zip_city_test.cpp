#include "app/get_first_last_zip.h"
#include "app/preferences_dialog.h"
#include "controls/enter_edit.h"
#include "platform/settings_file.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"
#include "tests/xbase/damaged_tables.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QtTest>

// A new record's city and state from the shipped US ZIP code table, in a new home, when no
// record of the file has the ZIP: added through "&Add" and the "New Record" dialog, typed in
// as a user types.
class ZipCityTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void aNewHomeFillsCityAndStateFromTheZipTable() {
        start();
        QCOMPARE(form->TableCVW.recordCount(), 0u);
        turnOnCityAndState();
        QCOMPARE(add("62704"), QString("Springfield IL"));
        saveAs("Lincoln");
        QCOMPARE(add("96910"), QString("Hagatna GU"));
        saveAs("Cruz");
        // The first five digits of a ZIP+4; fewer than five digits are no US ZIP.
        QCOMPARE(add("96910-1234"), QString("Hagatna GU"));
        form->CancelButton->click();
        QCOMPARE(add("1234"), QString(" "));
        form->CancelButton->click();
        QCOMPARE(add("00000"), QString(" "));
        form->CancelButton->click();
        QCOMPARE(form->TableCVW.recordCount(), 2u);
        QVERIFY(dialogs->messages().isEmpty());
    }

    // The file's own records come first, however the table has the ZIP.
    void aZipAnotherRecordHasTakesThatRecordsCity() {
        start();
        addRecord({{"LNAME", "Lee"}, {"ZIP", "62704"}, {"CITY", "Capital City"}, {"STATE", "IL"}});
        addRecord({{"LNAME", "Ray"}, {"ZIP", "96910"}});
        turnOnCityAndState();
        QCOMPARE(add("62704"), QString("Capital City IL"));
        form->CancelButton->click();
        // A record with the ZIP but neither city nor state tells nothing.
        QCOMPARE(add("96910"), QString("Hagatna GU"));
        form->CancelButton->click();
    }

    // The table's cities are in mixed case; a file whose latest cities are mostly in upper
    // case gets them so.
    void theCityFollowsTheLetterCaseOfTheFilesCities() {
        const struct {
            QStringList cities;
            const char* filled;
        } cases[] = {
            {{}, "Springfield IL"},
            {{"BOSTON", "Salem", "LYNN", "12345"}, "SPRINGFIELD IL"},
            {{"BOSTON", "Salem", "Lynn"}, "Springfield IL"},
            {{"BOSTON", "SALEM"}, "SPRINGFIELD IL"},
        };
        for (const auto& c : cases) {
            cleanup();
            init();
            start();
            for (const QString& city : c.cities)
                addRecord({{"LNAME", "Name"}, {"CITY", city}});
            turnOnCityAndState();
            QCOMPARE(add("62704"), QString(c.filled));
            form->CancelButton->click();
        }
    }

    void thePreferenceTurnsTheZipTableOff() {
        start();
        QCOMPARE(platform::SettingsFile::program().readString("Adding", "UseZipTable"), QString());
        dialogs->answerDialog([](QDialog& dialog) {
            auto& preferences = static_cast<TPreferences&>(dialog);
            // Only a choice while city and state are filled in at all.
            const bool offFirst = !preferences.UseZipTable->isEnabled();
            QTest::mouseClick(preferences.PlugCityState, Qt::LeftButton);
            const bool onByDefault =
                preferences.UseZipTable->isEnabled() && preferences.UseZipTable->isChecked();
            QTest::mouseClick(preferences.UseZipTable, Qt::LeftButton);
            if (offFirst && onByDefault)
                QTest::mouseClick(preferences.OKButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "Prefences1Click"));
        QVERIFY(form->Adding.PlugCityState);
        QVERIFY(!form->Adding.UseZipTable);
        QCOMPARE(add("62704"), QString(" "));
        form->CancelButton->click();
    }

    // A missing or damaged table: adding goes on without it, and says why once.
    void aDamagedZipTableNeverStopsAdding() {
        start();
        const QString table = home->path() + "/sysdata/ZIPCITY.DBF";
        xbase::test::damageTable(table.toStdString(), xbase::test::Damage::IndexNodeDamaged, 2, "",
                                 "ZIP");
        turnOnCityAndState();
        QCOMPARE(add("62704"), QString(" "));
        saveAs("Lincoln");
        QCOMPARE(add("96910"), QString(" "));
        saveAs("Cruz");
        QCOMPARE(form->TableCVW.recordCount(), 2u);
        QCOMPARE(dialogs->messages().size(), 1);
        QVERIFY(dialogs->messageTexts().first().startsWith("The ZIP code table " + table +
                                                           " cannot be used: "));

        // The rebuild of the system indexes the message names mends it.
        dialogs->answerDialog([](QDialog& reindex) {
            reindex.findChild<QPushButton*>("DoitButton")->click();
            return reindex.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "RebuildSystemFileindexesmnuClick"));
        QCOMPARE(add("00501"), QString("Holtsville NY"));
        form->CancelButton->click();

        // Gone altogether: still one message in all.
        QVERIFY(QFile::remove(table));
        QCOMPARE(add("99950"), QString(" "));
        saveAs("Ketchikan");
        QCOMPARE(form->TableCVW.recordCount(), 3u);
        QCOMPARE(dialogs->messages().size(), 1);
    }

private:
    // "Automatically insert city and state/province" in the preferences, as a user ticks it.
    void turnOnCityAndState() {
        dialogs->answerDialog([](QDialog& dialog) {
            auto& preferences = static_cast<TPreferences&>(dialog);
            QTest::mouseClick(preferences.PlugCityState, Qt::LeftButton);
            QTest::mouseClick(preferences.OKButton, Qt::LeftButton);
            return dialog.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "Prefences1Click"));
        QVERIFY(form->Adding.PlugCityState);
    }

    // Clicks "&Add", types the ZIP in the "New Record" dialog and presses Enter; answers the
    // city and state boxes of the new record.
    QString add(const QString& zip) {
        dialogs->answerDialog([zip](QDialog& dialog) {
            auto& ask = static_cast<TGetFirstLastZip&>(dialog);
            QTest::keyClicks(ask.Zip, zip);
            QTest::keyClick(ask.Zip, Qt::Key_Return);
            return dialog.result();
        });
        user::click(*form, "AddButton");
        if (form->TableCVW.state() != data::TableState::Insert)
            return "not adding";
        if (findEdit("ZIPEdit")->text() != zip)
            return "ZIP box " + findEdit("ZIPEdit")->text();
        return findEdit("CITYEdit")->text() + " " + findEdit("STATEEdit")->text();
    }

    void saveAs(const QString& last) {
        user::typeInto(findEdit("LNAMEEdit"), last);
        form->SaveButton->click();
        QCOMPARE(form->TableCVW.state(), data::TableState::Browse);
    }
};

QTEST_MAIN(ZipCityTest)
#include "zip_city_test.moc"
