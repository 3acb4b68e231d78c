#include "app/address_main.h"
#include "app/date_selector.h"
#include "app/get_first_last_zip.h"
#include "app/new_database_dialog.h"
#include "app/preferences_dialog.h"
#include "controls/enter_edit.h"
#include "data/address_file.h"
#include "data/address_schema.h"
#include "platform/printers.h"
#include "platform/program_dir.h"
#include "platform/scripted_dialogs.h"
#include "platform/settings_file.h"
#include "platform/system_services.h"
#include "tests/app/main_window_fixture.h"
#include "xbase/table.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// Flows of the main window with a temporary home, answered through the dialog seam.
class MainWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void firstStartCreatesAndOpensTheAddressFile() {
        start();
        const QString file = platform::ProgramDir() + "DATA/add0001.DBF";
        QVERIFY(QFile::exists(file));
        QVERIFY(form->TableCVW.active());
        QVERIFY(form->IndexValid);
        QVERIFY(!form->NoData->isVisible());
        QCOMPARE(form->windowTitle(), "Corvane - " + file);
        QCOMPARE(form->FilterStatus->text(), QString("No records"));
        QCOMPARE(form->CurrentOrder, QString("LNAME"));
        QVERIFY(form->sortActions().first()->isChecked());
        // The first start writes the tag id and the recent file.
        const platform::SettingsFile settings = platform::SettingsFile::program();
        QVERIFY(!settings.readString("Misc", "GlobalTagId").isEmpty());
        QCOMPARE(settings.readString("MRU", "Item1"), file);
        QVERIFY(dialogs->messages().isEmpty());
        // The reference tables are in place, filled, and open with their tags.
        data::TTable csz, stock;
        data::TDataSource cszSource, stockSource;
        data::TXbEngine cszEngine, stockEngine;
        cszSource.setDataSet(&csz);
        stockSource.setDataSet(&stock);
        cszEngine.DataSource = &cszSource;
        stockEngine.DataSource = &stockSource;
        QVERIFY(data::OpenStateZipTable(csz, cszEngine));
        QCOMPARE(csz.recordCount(), 82u);
        QCOMPARE(cszEngine.tagArea("STATE"), 1);
        QVERIFY(data::OpenLabelStockTable(stock, stockEngine));
        QCOMPARE(stock.recordCount(), 387u);
        QCOMPARE(stock.fieldText("NBRACROSS").trimmed().isEmpty(), false);
    }

    void missingRecentFileShowsBothMessagesAndNoData() {
        platform::SettingsFile settings = platform::SettingsFile::program();
        const QString gone = home->path() + "/gone/ADD0007.DBF";
        settings.writeString("MRU", "Item1", gone);
        start();
        const QStringList expected{"File " + gone + " not found",
                                   "Unable to open " + gone +
                                       "\r\n\r\n * May not be an Corvane file.\r\n * May be "
                                       "in use by another program or user"};
        QCOMPARE(dialogs->messageTexts().join(" | "), expected.join(" | "));
        QVERIFY(!form->TableCVW.active());
        QVERIFY(form->NoData->isVisible());
        QCOMPARE(form->windowTitle(), "Corvane - " + gone);
    }

    void navigationFollowsTheSortOrderAndBeepsAtTheEnds() {
        start();
        for (const char* last : {"Young", "Adams", "Miller"})
            addRecord(last);
        form->RecordFirstClick();
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Adams"));
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Adams"));
        QCOMPARE(form->FilterStatus->text(), QString("3 records (no filter)"));
        form->RecordPrevClick();
        QCOMPARE(beeps, 1);
        key(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Young"));
        key(Qt::Key_PageDown); // in the last record: beeps and stays
        QCOMPARE(beeps, 2);
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Young"));
        key(Qt::Key_PageUp);
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Miller"));

        // Sorting by another order moves the check mark.
        QAction* byZip = form->sortActions()[7];
        byZip->trigger();
        QCOMPARE(form->CurrentOrder, QString("ZIP"));
        int checked = 0;
        for (QAction* item : form->sortActions())
            checked += item->isChecked();
        QCOMPARE(checked, 1);
        QVERIFY(byZip->isChecked());
    }

    void openRefusesFilesThatAreNotDbf() {
        start();
        dialogs->clear();
        dialogs->answerFile(home->path() + "/notes.txt");
        form->OpenFileMenuClick();
        QCOMPARE(dialogs->messageTexts(), QStringList{"Must be a DBF file"});
        QCOMPARE(dialogs->fileRequests().first().filter, QString("DBF Files|*.dbf"));
    }

    void newDatabaseProposesTheNextNameAndOpensTheNewFile() {
        start();
        QString proposal;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& ask = static_cast<TNewDataBaseName&>(dialog);
            proposal = ask.name();
            ask.DBFFileName->setText("9bad");
            const bool refused = !ask.OKButton->isEnabled();
            ask.DBFFileName->setText("CLIENTS");
            return refused && ask.OKButton->isEnabled() ? 1 : 2;
        });
        form->NewFileMenuClick();
        QCOMPARE(proposal, QString("ADD0002"));
        const QString file = platform::ProgramDir() + "DATA/CLIENTS.DBF";
        QVERIFY(QFile::exists(file));
        QCOMPARE(form->CurrentFile, file);
        QVERIFY(form->IndexValid);
        // The same name again is refused.
        dialogs->answerDialog([](QDialog& dialog) {
            static_cast<TNewDataBaseName&>(dialog).DBFFileName->setText("clients");
            return 1;
        });
        form->NewFileMenuClick();
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("That file already exists.Please select another name"));
    }

    void preferencesAreReadAgainEvenAfterCancel() {
        start();
        dialogs->answerDialog([](QDialog& dialog) {
            auto& preferences = static_cast<TPreferences&>(dialog);
            preferences.AutoDupCheck->setChecked(true);
            preferences.OKButton->click();
            return dialog.result();
        });
        form->Prefences1Click();
        QVERIFY(form->Adding.AutoDupCheck);
        QVERIFY(platform::SettingsFile::program().readBool("Adding", "AutoDupCheck"));
        dialogs->answerDialog([](QDialog& dialog) {
            platform::SettingsFile::program().writeString("Adding", "DefaultCountry", "Canada");
            static_cast<TPreferences&>(dialog).CancelButton->click();
            return dialog.result();
        });
        form->Prefences1Click();
        QCOMPARE(form->Adding.DefaultCountry, QString("Canada"));
    }

    void addingAsksForTheNameAndStopsOnADuplicate() {
        start();
        addRecord("Smith", "John");
        form->Adding.AutoDupCheck = true;
        dialogs->answerDialog([](QDialog& dialog) {
            auto& ask = static_cast<TGetFirstLastZip&>(dialog);
            ask.LastName->setText("SMITH");
            ask.FirstName->setText("john");
            return 1;
        });
        dialogs->answerMessage(platform::MessageAnswer::No);
        form->AddButtonClick();
        QCOMPARE(dialogs->messages().last().caption, QString("Possible Duplicate"));
        QVERIFY(
            dialogs->messages().last().text.startsWith("Possible duplicate: \r\n\r\nJohn Smith"));
        QCOMPARE(dialogs->messages().last().defaultButton, platform::MessageAnswer::No);
        QCOMPARE(form->TableCVW.state(), data::TableState::Browse);
        QCOMPARE(form->TableCVW.recordCount(), 1u);
        QCOMPARE(beeps, 1);
    }

    void zipFillsCityAndStateOfAnExistingRecord() {
        start();
        form->TableCVW.insert();
        form->TableCVW.setFieldText("LNAME", "Lee");
        form->TableCVW.setFieldText("ZIP", "90026");
        form->TableCVW.setFieldText("CITY", "Los Angeles");
        form->TableCVW.setFieldText("STATE", "CA");
        form->TableCVW.post();
        form->Adding.PlugCityState = true;
        form->Adding.DefaultCountry = "USA";
        dialogs->answerDialog([](QDialog& dialog) {
            static_cast<TGetFirstLastZip&>(dialog).Zip->setText("9002");
            return 1;
        });
        form->AddButtonClick();
        QCOMPARE(form->TableCVW.state(), data::TableState::Insert);
        QCOMPARE(form->TableCVW.fieldText("CITY"), QString("Los Angeles"));
        QCOMPARE(form->TableCVW.fieldText("STATE"), QString("CA"));
        QCOMPARE(form->TableCVW.fieldText("ZIP"), QString("9002"));
        QCOMPARE(form->TableCVW.fieldText("COUNTRY"), QString("USA"));
        QCOMPARE(form->SaveButton->isVisible(), true);
        form->CancelButtonClick();
        QCOMPARE(form->TableCVW.recordCount(), 1u);
    }

    void savingAppliesTheMemoBlankRule() {
        start();
        const struct {
            const char* typed;
            const char* stored;
        } cases[] = {{"12345678", "12345678 "}, {"1234567", "1234567"}};
        for (const auto& c : cases) {
            form->AddButtonClick();
            form->TableCVW.setFieldText("LNAME", c.typed);
            form->MemoEdit->setPlainText(c.typed);
            form->SaveButtonClick();
            QCOMPARE(form->TableCVW.fieldText("MEMO"), QString(c.stored));
        }
    }

    void deletingTheOnlyRecordLeavesNoRecords() {
        start();
        addRecord("Only");
        dialogs->answerMessage(platform::MessageAnswer::Yes);
        form->DeleteButtonClick();
        QCOMPARE(dialogs->messages().last().caption, QString("DELETE"));
        QCOMPARE(form->FilterStatus->text(), QString("No records"));
        QVERIFY(form->TableCVW.bof() && form->TableCVW.eof());
        // The record is only marked: it is still in the file with ISDEL set.
        QCOMPARE(form->TableCVW.recordCount(), 1u);
    }

    void cloneCopiesAllButTagAndDeletion() {
        start();
        form->TableCVW.insert();
        form->TableCVW.setFieldText("LNAME", "Tagged");
        form->TableCVW.setFieldText("TAG", form->GlobalTagId);
        form->TableCVW.setFieldText("MEMO", "note");
        form->TableCVW.post();
        QVERIFY(form->TableCVW.calculatedValue("Tagged").toBool());
        dialogs->answerMessage(platform::MessageAnswer::Yes);
        form->mnuCloneClick();
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("Clone completed. Current record is an exact copy"));
        QCOMPARE(form->TableCVW.recordCount(), 2u);
        QCOMPARE(form->TableCVW.recordNumber(), 2u);
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Tagged"));
        QCOMPARE(form->TableCVW.fieldText("MEMO"), QString("note"));
        QVERIFY(!form->TableCVW.calculatedValue("Tagged").toBool());
    }

    void noDateEmptiesTheDate() {
        start();
        form->TableCVW.insert();
        form->TableCVW.setFieldText("LNAME", "Dated");
        form->TableCVW.setFieldText("DATE", "19970428");
        form->TableCVW.post();
        dialogs->answerDialog([](QDialog& dialog) {
            auto& selector = static_cast<TDateSelector&>(dialog);
            return selector.chosen() == QDate(1997, 4, 28) ? TDateSelector::ResultNoDate : 2;
        });
        form->DateLabelClick();
        QCOMPARE(form->TableCVW.state(), data::TableState::Edit);
        form->SaveButtonClick();
        QCOMPARE(form->TableCVW.fieldText("DATE"), QString());
        QCOMPARE(form->TableCVW.calculatedValue("DisplayDate").toString(), QString());
    }

    void anIndexWithoutTheTagTagIsRebuiltOnYes() {
        start();
        const QString path = platform::ProgramDir() + "DATA/PARTIAL.DBF";
        {
            data::TTable table;
            data::TDataSource source;
            data::TXbEngine engine;
            source.setDataSet(&table);
            engine.DataSource = &source;
            QVERIFY(data::CreateAddressFile(path, table, engine));
            // Rebuild the index without its last tag.
            QVERIFY(data::OpenAddressTable(path, table));
            engine.closeIndexes();
            QFile::remove(platform::ProgramDir() + "DATA/PARTIAL.CDX");
            for (const data::TagSpec& tag : data::AddressTags()) {
                if (QString(tag.name) != "TAG")
                    engine.indexTag({}, tag.name, tag.key);
            }
            QVERIFY(!data::CheckValidIndex(engine));
        }
        dialogs->clear();
        dialogs->answerMessage(platform::MessageAnswer::Yes);
        dialogs->answerDialog([](QDialog& dialog) {
            dialog.findChild<QPushButton*>("DoitButton")->click();
            return dialog.result();
        });
        form->OpenCVWDBF(path);
        QCOMPARE(dialogs->messages().first().text,
                 "The index file for " + path + "\r\nis missing or invalid. Rebuild now?");
        QCOMPARE(dialogs->messages().first().caption, QString("Warning"));
        QVERIFY(form->IndexValid);
        QVERIFY(form->TableCVW.active());
        QCOMPARE(form->CurrentFile, path);
    }

    void aFileInUseElsewhereCannotBeOpened() {
        start();
        const QString path = form->CurrentFile;
        form->TableCVW.close();
        xbase::Table holder = xbase::Table::open(path.toStdString(), xbase::OpenMode::Exclusive);
        dialogs->clear();
        form->OpenCVWDBF(path);
        QCOMPARE(dialogs->messageTexts().size(), 1);
        QVERIFY(
            dialogs->messageTexts().first().endsWith("May be in use by another program or user"));
        QVERIFY(form->NoData->isVisible());
    }

    void rebuildingPacksOutDeletedRecords() {
        start();
        for (const char* last : {"Keep1", "Gone1", "Gone2", "Keep2", "Gone3"})
            addRecord(last);
        for (int i = 0; i < 3; ++i) {
            form->TableCVW.first();
            while (!form->TableCVW.fieldText("LNAME").startsWith("Gone"))
                form->TableCVW.next();
            dialogs->answerMessage(platform::MessageAnswer::Yes);
            form->DeleteButtonClick();
        }
        QCOMPARE(form->TableCVW.recordCount(), 5u);
        dialogs->answerDialog([](QDialog& dialog) {
            dialog.findChild<QPushButton*>("DoitButton")->click();
            return dialog.result();
        });
        form->RebuildIndexesMenuClick();
        QCOMPARE(form->TableCVW.recordCount(), 2u);
        QVERIFY(form->IndexValid);
        QCOMPARE(form->FilterStatus->text(), QString("2 records (no filter)"));
    }

private:
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(findEdit("LNAMEEdit"), &event);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
