// The main window on damaged address files, one kind of damage at a time: the file opens,
// every record can be reached with the window's own buttons, what cannot be read shows as
// such, and the window says once what is damaged and how to mend it.
#include "app/address_main.h"
#include "platform/program_dir.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"
#include "tests/xbase/damaged_tables.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using xbase::test::Damage;

class DamageTest : public QObject, MainWindowFixture {
    Q_OBJECT

    // The address file with five records, each with a memo, closed; then damaged.
    QString damagedFile(Damage damage, std::uint32_t record) {
        start();
        for (const char* name : {"Adams", "Baker", "Clark", "Dunn", "Evans"})
            addRecord({{"LNAME", name}, {"MEMO", QString("memo of ") + name}});
        const QString file = form->CurrentFile;
        form.reset();
        xbase::test::damageTable(file.toStdString(), damage, record);
        dialogs->clear();
        return file;
    }

    // Every record the window shows, walking with the Next button from the first.
    QStringList walk() {
        QStringList names;
        form->findChild<QPushButton*>("FirstButton")->click();
        for (int i = 0; i < 10; ++i) {
            names << findEdit("LNAMEEdit")->text();
            const unsigned before = form->TableCVW.recordNumber();
            form->findChild<QPushButton*>("NextButton")->click();
            if (form->TableCVW.recordNumber() == before)
                break;
        }
        QApplication::processEvents(); // a damage message waits for the move to end
        return names;
    }

    void expectOneDamageMessage(const char* fault) {
        QCOMPARE(dialogs->messages().size(), 1);
        const QString said = dialogs->messages().first().text;
        QVERIFY2(said.contains("is damaged"), qPrintable(said));
        QVERIFY2(said.contains(fault), qPrintable(said));
        QVERIFY2(said.contains("Rebuild Indexes for this file"), qPrintable(said));
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void anUnreadableMemoShowsAsSuch_data() {
        QTest::addColumn<int>("damage");
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fault");
        QTest::newRow("memo pointer past the end")
            << int(Damage::MemoPointerPastEnd) << 2 << "Baker"
            << "lies outside the file";
        QTest::newRow("memo file cut short") << int(Damage::MemoFileCut) << 5 << "Evans"
                                             << "runs past the end";
    }
    void anUnreadableMemoShowsAsSuch() {
        QFETCH(int, damage);
        QFETCH(int, record);
        QFETCH(QString, name);
        QFETCH(QString, fault);
        damagedFile(Damage(damage), std::uint32_t(record));
        start();
        QVERIFY(form->TableCVW.active());
        QCOMPARE(walk(), QStringList({"Adams", "Baker", "Clark", "Dunn", "Evans"}));
        expectOneDamageMessage(fault.toUtf8().constData());

        // On the damaged record the memo box is empty and says why; the others show theirs.
        form->findChild<QPushButton*>("FirstButton")->click();
        while (findEdit("LNAMEEdit")->text() != name)
            form->findChild<QPushButton*>("NextButton")->click();
        QCOMPARE(form->MemoEdit->toPlainText(), QString());
        QVERIFY(form->MemoEdit->placeholderText().contains("cannot be read"));
        // The record itself can still be edited and saved, its memo left as it was.
        form->findChild<QPushButton*>("EditButton")->click();
        QTest::keyClicks(findEdit("CITYEdit"), "Austin");
        form->SaveButton->click();
        QCOMPARE(form->TableCVW.fieldText("CITY"), QString("Austin"));
        QVERIFY(form->TableCVW.memoUnreadable());
        form->findChild<QPushButton*>("PriorButton")->click();
        QCOMPARE(form->MemoEdit->toPlainText().left(8), QString("memo of "));
        QVERIFY(form->MemoEdit->placeholderText().isEmpty());
        QApplication::processEvents();
        QCOMPARE(dialogs->messages().size(), 1); // said once, however often it is met
    }

    // "Rebuild Indexes for this file" mends what the message names: the unreadable memo is
    // left empty and nothing is reported any more.
    void theRebuildTheMessageNamesMendsTheFile() {
        const QString file = damagedFile(Damage::MemoPointerPastEnd, 2);
        start();
        walk();
        QCOMPARE(dialogs->messages().size(), 1);
        dialogs->answerDialog([](QDialog& reindex) {
            reindex.findChild<QPushButton*>("DoitButton")->click();
            return reindex.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "RebuildIndexesMenuClick"));
        QCOMPARE(walk(), QStringList({"Adams", "Baker", "Clark", "Dunn", "Evans"}));
        QCOMPARE(dialogs->messages().size(), 1);
        form.reset();
        xbase::Table table = xbase::Table::open(file.toStdString(), xbase::OpenMode::ReadOnly);
        xbase::TableIndexes indexes(table);
        QCOMPARE(indexes.check(), std::vector<std::string>{});
        table.goTo(2);
        QCOMPARE(table.memo("MEMO"), std::string());
        table.goTo(3);
        QCOMPARE(table.memo("MEMO"), std::string("memo of Clark"));
    }

    void aDamagedIndexFallsBackToRecordOrder() {
        damagedFile(Damage::IndexNodeDamaged, 2);
        start();
        QVERIFY(form->TableCVW.active());
        QCOMPARE(walk(), QStringList({"Adams", "Baker", "Clark", "Dunn", "Evans"}));
        expectOneDamageMessage("index node");
    }

    void indexEntriesPastTheEndArePassedOver() {
        damagedFile(Damage::IndexEntryPastEnd, 2);
        start();
        QVERIFY(form->TableCVW.active());
        QCOMPARE(walk(), QStringList({"Adams", "Baker", "Clark"}));
        expectOneDamageMessage("past the end of the table");
    }

    void anIndexOutOfStepIsRebuiltWhenTheUserSaysYes() {
        const QString file = damagedFile(Damage::IndexOutOfStep, 2);
        dialogs->answerMessage(platform::MessageAnswer::Yes);
        dialogs->answerDialog([](QDialog& reindex) {
            reindex.findChild<QPushButton*>("DoitButton")->click();
            return reindex.result();
        });
        start();
        QCOMPARE(dialogs->messages().size(), 1);
        QCOMPARE(dialogs->messages().first().text,
                 "The index file for " + file + "\r\nis missing or invalid. Rebuild now?");
        QVERIFY(form->TableCVW.active());
        QVERIFY(form->IndexValid);
        // The blank record appended without the index sorts first.
        QCOMPARE(walk(), QStringList({"", "Adams", "Baker", "Clark", "Dunn", "Evans"}));
        QCOMPARE(dialogs->messages().size(), 1);
    }
};

QTEST_MAIN(DamageTest)
#include "damage_test.moc"
