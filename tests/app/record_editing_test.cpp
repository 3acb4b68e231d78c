#include "app/address_main.h"
#include "app/date_selector.h"
#include "data/address_file.h"
#include "platform/settings_file.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// Adding, editing, cloning and deleting records from the Record and Edit menus, typing into
// the boxes as a user does.
class RecordEditingTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void recordAndEditItemsAreEnabledByTheWindowState() {
        const QStringList items{"mnuAddClick",   "mnuEditClick",     "mnuDeleteClick",
                                "mnuCloneClick", "Undotyping1Click", "Cut1Click",
                                "Copy1Click",    "Paste1Click"};
        auto enabled = [&] {
            QStringList on;
            for (const QString& item : items)
                if (form->menuAction(item)->isEnabled())
                    on << item;
            return on.join(' ');
        };
        // No file open: nothing but the File menu.
        platform::SettingsFile::program().writeString("MRU", "Item1",
                                                      home->path() + "/gone/ADD0009.DBF");
        start();
        QCOMPARE(enabled(), QString());
        dialogs->answerFile(platform::ProgramDir() + "DATA/add0001.DBF");
        data::CreateAddressFile(platform::ProgramDir() + "DATA/add0001.DBF", form->TAbleCreate,
                                form->EngineCreate);
        form->TAbleCreate.close();
        QVERIFY(user::chooseMenuItem(*form, "OpenFileMenuClick"));
        QVERIFY(form->TableCVW.active());
        // An empty file: a record can be added, there is none to edit, delete or clone.
        QCOMPARE(enabled(),
                 QString("mnuAddClick Undotyping1Click Cut1Click Copy1Click Paste1Click"));
        addRecord("Adams");
        form->RecordFirstClick();
        QCOMPARE(enabled(), items.join(' '));
        // While editing only the edit menu stays; the Record menu does not open.
        QVERIFY(user::chooseMenuItem(*form, "mnuEditClick"));
        QCOMPARE(form->TableCVW.state(), data::TableState::Edit);
        QCOMPARE(enabled(), QString("Undotyping1Click Cut1Click Copy1Click Paste1Click"));
        QVERIFY(!user::chooseMenuItem(*form, "mnuAddClick"));
    }

    void theRecordMenuAddsClonesAndDeletes() {
        start();
        addRecord({{"LNAME", "Adams"}, {"CITY", "Boston"}});
        form->RecordFirstClick();

        QVERIFY(user::chooseMenuItem(*form, "mnuAddClick"));
        QCOMPARE(form->TableCVW.state(), data::TableState::Insert);
        user::typeInto(findEdit("LNAMEEdit"), "Baker");
        user::click(*form, "SaveButton");
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Baker"));
        QCOMPARE(form->FilterStatus->text(), QString("2 records (no filter)"));

        dialogs->answerMessage(platform::MessageAnswer::Yes);
        QVERIFY(user::chooseMenuItem(*form, "mnuCloneClick"));
        QCOMPARE(dialogs->messages().first().caption, QString("Clone"));
        QCOMPARE(dialogs->messageTexts().last(),
                 QString("Clone completed. Current record is an exact copy"));
        QCOMPARE(form->TableCVW.recordNumber(), 3u);
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Baker"));
        QCOMPARE(form->FilterStatus->text(), QString("3 records (no filter)"));

        dialogs->answerMessage(platform::MessageAnswer::Yes);
        QVERIFY(user::chooseMenuItem(*form, "mnuDeleteClick"));
        QCOMPARE(dialogs->messages().last().caption, QString("DELETE"));
        QCOMPARE(form->FilterStatus->text(), QString("2 records (no filter)"));

        QVERIFY(user::chooseMenuItem(*form, "mnuEditClick"));
        user::typeInto(findEdit("CITYEdit"), "Salem");
        user::click(*form, "SaveButton");
        QCOMPARE(form->TableCVW.fieldText("CITY"), QString("Salem"));
    }

    void theEditMenuActsOnTheFocusedBox() {
        start();
        addRecord({{"LNAME", "Adams"}, {"ORG", "Acme Co"}});
        form->RecordFirstClick();
        QVERIFY(user::chooseMenuItem(*form, "mnuEditClick"));
        QLineEdit* last = findEdit("LNAMEEdit");
        QLineEdit* first = findEdit("FNAMEEdit");
        QLineEdit* org = findEdit("ORGEdit");

        user::typeInto(first, "Jon");
        QVERIFY(user::chooseMenuItem(*form, "Undotyping1Click"));
        QCOMPARE(first->text(), QString());

        QTest::mouseClick(last, Qt::LeftButton);
        QTest::keyClick(last, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(user::chooseMenuItem(*form, "Copy1Click"));
        QCOMPARE(QApplication::clipboard()->text(), QString("Adams"));

        QTest::mouseClick(org, Qt::LeftButton);
        QTest::keyClick(org, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(user::chooseMenuItem(*form, "Cut1Click"));
        QCOMPARE(org->text(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QString("Acme Co"));

        QTest::mouseClick(first, Qt::LeftButton);
        QVERIFY(user::chooseMenuItem(*form, "Paste1Click"));
        QCOMPARE(first->text(), QString("Acme Co"));

        user::showTab(*form, 1);
        QTest::mouseClick(form->MemoEdit->viewport(), Qt::LeftButton);
        QVERIFY(user::chooseMenuItem(*form, "Paste1Click"));
        QCOMPARE(form->MemoEdit->toPlainText(), QString("Acme Co"));

        user::click(*form, "SaveButton");
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Adams"));
        QCOMPARE(form->TableCVW.fieldText("FNAME"), QString("Acme Co"));
        QCOMPARE(form->TableCVW.fieldText("ORG"), QString());
        QCOMPARE(form->TableCVW.fieldText("MEMO"), QString("Acme Co"));
    }

    void aNewRecordStartsWithAnEmptyMemo() {
        start();
        addRecord({{"LNAME", "Adams"}, {"MEMO", "call back on Monday"}});
        form->RecordFirstClick();
        user::showTab(*form, 1);
        QCOMPARE(form->MemoEdit->toPlainText(), QString("call back on Monday"));
        QVERIFY(user::chooseMenuItem(*form, "mnuAddClick"));
        QCOMPARE(form->MemoEdit->toPlainText(), QString());
        user::typeInto(findEdit("LNAMEEdit"), "Baker");
        user::click(*form, "SaveButton");
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Baker"));
        QCOMPARE(form->TableCVW.fieldText("MEMO"), QString());
        QCOMPARE(form->MemoEdit->toPlainText(), QString());
        form->RecordFirstClick();
        QCOMPARE(form->TableCVW.fieldText("MEMO"), QString("call back on Monday"));
    }

    void theMiddleInitialIsStoredInUpperCase() {
        start();
        addRecord("Adams");
        form->RecordFirstClick();
        QLineEdit* middle = findEdit("MIDDLEEdit");
        // Typed, and pasted from the edit menu.
        user::click(*form, "EditButton");
        user::typeInto(middle, "j");
        QCOMPARE(middle->text(), QString("J"));
        user::click(*form, "SaveButton");
        QCOMPARE(form->TableCVW.fieldText("MIDDLE"), QString("J"));

        QApplication::clipboard()->setText("q");
        user::click(*form, "EditButton");
        QTest::mouseClick(middle, Qt::LeftButton);
        QTest::keyClick(middle, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(user::chooseMenuItem(*form, "Paste1Click"));
        user::click(*form, "SaveButton");
        QCOMPARE(form->TableCVW.fieldText("MIDDLE"), QString("Q"));
        QCOMPARE(middle->text(), QString("Q"));
    }

    // A disk that is full when the clone is written: the clone is reported as failed, leaves
    // no record behind, and the window goes back to the record it was made from.
    void aFailedCloneSaysSoAndShowsTheRecordCloned() {
        start();
        addRecord({{"LNAME", "Adams"}, {"MEMO", "first"}});
        addRecord({{"LNAME", "Baker"}, {"MEMO", "second"}});
        form->RecordFirstClick();
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Adams"));

        dialogs->answerMessage(platform::MessageAnswer::Yes);
        {
            DiskFull full;
            QVERIFY(user::chooseMenuItem(*form, "mnuCloneClick"));
        }
        QCOMPARE(dialogs->messages().size(), 2);
        QVERIFY(dialogs->messageTexts().last().startsWith("Unable to clone this record."));
        QCOMPARE(form->TableCVW.recordCount(), 2u);
        QCOMPARE(form->TableCVW.state(), data::TableState::Browse);
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Adams"));
        QCOMPARE(form->TableCVW.fieldText("MEMO"), QString("first"));
        QVERIFY(form->findChild<QPushButton*>("EditButton")->isEnabled());
        QVERIFY(!form->SaveButton->isVisible());
    }

    void theDateBoxShowsTheNewDateBeforeSaving() {
        start();
        addRecord({{"LNAME", "Adams"}, {"DATE", "19970428"}});
        form->RecordFirstClick();
        QLineEdit* shown = findEdit("DisplayDateEdit");
        const QString stored = shown->text();
        QVERIFY(!stored.isEmpty());

        dialogs->answerDialog([](QDialog& dialog) {
            auto& selector = static_cast<TDateSelector&>(dialog);
            selector.Calendar->setSelectedDate(QDate(2024, 3, 5));
            selector.OKButton->click();
            return dialog.result();
        });
        user::click(*form, "DateButton");
        QCOMPARE(form->TableCVW.state(), data::TableState::Edit);
        const QString chosen = shown->text();
        QVERIFY(!chosen.isEmpty());
        QVERIFY(chosen != stored);
        user::click(*form, "SaveButton");
        QCOMPARE(form->TableCVW.fieldText("DATE"), QString("20240305"));
        QCOMPARE(shown->text(), chosen);

        dialogs->answerDialog([](QDialog& dialog) {
            static_cast<TDateSelector&>(dialog).NoDateButton->click();
            return dialog.result();
        });
        user::click(*form, "DateButton");
        QCOMPARE(shown->text(), QString());
        user::click(*form, "CancelButton");
        QCOMPARE(shown->text(), chosen);
    }

    void aDoubleClickStartsEditingInABoxAndInTheMemo() {
        start();
        addRecord({{"LNAME", "Adams"}, {"MEMO", "note"}});
        form->RecordFirstClick();
        QTest::mouseDClick(findEdit("CITYEdit"), Qt::LeftButton);
        QCOMPARE(form->TableCVW.state(), data::TableState::Edit);
        user::click(*form, "CancelButton");

        user::showTab(*form, 1);
        QTest::mouseDClick(form->MemoEdit->viewport(), Qt::LeftButton);
        QCOMPARE(form->TableCVW.state(), data::TableState::Edit);
        QVERIFY(form->SaveButton->isVisible());
        QCOMPARE(form->MemoEdit->toPlainText(), QString("note"));
    }

private:
    // While this lives no file can be written past its first byte, as on a full disk; a
    // write fails instead of stopping the process.
    struct DiskFull {
        DiskFull() {
            getrlimit(RLIMIT_FSIZE, &saved);
            previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = saved;
            limit.rlim_cur = 1;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~DiskFull() {
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, previousHandler);
        }
        rlimit saved{};
        void (*previousHandler)(int) = nullptr;
    };
};

QTEST_MAIN(RecordEditingTest)
#include "record_editing_test.moc"
