// The Utilities menu of the main window, driven as a user drives it: each dialog opens from its
// menu item, does its work, and hands the window back its query, order and record.
#include "app/address_main.h"
#include "platform/path_lookup.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"
#include "tests/utilities/dialog_actions.h"
#include "utilities/convert_case_dialog.h"
#include "utilities/delete_records_dialog.h"
#include "utilities/dup_check_dialog.h"
#include "utilities/pass_monitor.h"
#include "utilities/search_replace_dialog.h"
#include "utilities/state_zip_dialog.h"
#include "xbase/index_set.h"
#include "xbase/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

using platform::MessageAnswer;
using utilities::TConvertToUpper;
using utilities::TDeleteRecords;
using utilities::TDupCheck;
using utilities::TSearchAndReplace;
using utilities::TStateZipCheck;
using namespace testing_dialogs;

class UtilityDialogsTest : public QObject, MainWindowFixture {
    Q_OBJECT

    // The stored value of a field of a record, whatever the query.
    QString valueOf(unsigned recno, const char* field) {
        form->Engine1.go(recno);
        return form->TableCVW.fieldText(field);
    }
    // Sets the window's filter to one criterion, as the filter dialog would.
    void setFilter(selection::Criterion criterion, const QString& text) {
        form->Criteria[criterion] = text;
        form->ApplyQuery();
        form->SetButtons();
    }
    bool indexCurrent() { return form->TableCVW.indexes().check().empty(); }

private slots:
    void init() {
        setUp();
        start();
    }
    void cleanup() { tearDown(); }

    void theUtilityItemsNeedARecord() {
        const QStringList items{"CheckState1Click", "DuplicatesReport1Click",
                                "CaseConversion1Click", "DeleteRecords1Click",
                                "SearchReplaceFieldValues1Click"};
        for (const QString& item : items)
            QVERIFY2(!form->menuAction(item)->isEnabled(), qPrintable(item));
        addRecord("Adams");
        for (const QString& item : items)
            QVERIFY2(form->menuAction(item)->isEnabled(), qPrintable(item));
        QVERIFY(!form->menuAction("CountZipCodes1Click")->isEnabled());
    }

    void theDuplicatesCheckListsRepairsAndCleansUp() {
        addRecord({{"LNAME", "Baker"}, {"FNAME", "Ann"}, {"CITY", "Boston"}});
        addRecord({{"LNAME", "BAKER"}, {"FNAME", "ann"}});
        addRecord({{"LNAME", "Cole"}, {"FNAME", "Al"}});
        // The check sees every record, whatever the filter.
        setFilter(selection::Criterion::LastName, "Cole");
        QStringList unexplainedControls{"no dialog"}, listed, afterDelete, tagged;
        QString count;
        bool resultShown = false, setupShown = true;
        dialogs->answerMessage(MessageAnswer::Yes); // "Delete this record?"
        dialogs->answerMessage(MessageAnswer::Yes); // "Tag all possible duplicates?"
        dialogs->answerDialog(inDialog<TDupCheck>([&](TDupCheck& dup) {
            QCOMPARE(dup.windowTitle(), QString("Check and Repair Duplicates"));
            QVERIFY(!dup.AddressChars->isVisible());
            click(dup.CheckitButton);
            count = dup.LabelCount->text();
            resultShown = dup.ResultPanel->isVisible();
            setupShown = dup.SetupPanel->isVisible();
            listed = column(*dup.ChkDupsGrid, "LNAME");
            unexplainedControls = unexplained(dup);
            // Repairs: a field changed in place, a tag, a deletion.
            typeIntoCell(*dup.ChkDupsGrid, 1, "CITY", "Denver");
            click(dup.SaveButton);
            click(dup.TagButton);
            click(dup.NavigatorChkDup->findChild<QPushButton*>("FirstButton"));
            click(dup.DeleteButton);
            afterDelete = column(*dup.ChkDupsGrid, "LNAME");
            click(dup.TagAllButton);
            tagged = column(*dup.ChkDupsGrid, "Tagged");
            click(dup.OKButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "DuplicatesReport1Click"));
        QCOMPARE(count, QString("Found 1 possible duplicates"));
        QVERIFY(resultShown);
        QVERIFY(!setupShown);
        QCOMPARE(listed, (QStringList{"Baker", "BAKER"}));
        QCOMPARE(unexplainedControls.join(", "), QString());
        QCOMPARE(afterDelete, QStringList{"BAKER"});
        QCOMPARE(tagged, QStringList{"Yes"});
        const platform::MessageRequest question = dialogs->messages().first();
        QCOMPARE(question.text, QString("Delete this record?"));
        QCOMPARE(question.caption, QString("Information"));
        QVERIFY(question.toolkitDialog);
        QCOMPARE(dialogs->messages().at(1).text, QString("Tag all possible duplicates?"));
        QCOMPARE(dialogs->messages().at(1).caption, QString("TAG ALL"));

        // The window has its filter and order back, and the work index is gone.
        QVERIFY(!QFile::exists(home->filePath("_chkdup.idx")));
        QCOMPARE(form->Engine1.queryText(), form->QueryString + ".and. !ISDEL");
        QCOMPARE(form->Engine1.tagName(), QString("LNAME"));
        QCOMPARE(form->Engine1.tagNames().size(), 26);
        QCOMPARE(valueOf(2, "CITY"), QString("Denver"));
        QCOMPARE(valueOf(2, "TAG"), form->GlobalTagId);
        QCOMPARE(valueOf(1, "ISDEL"), QString("T"));
        QVERIFY(indexCurrent());
    }

    void cancellingTheCheckAsksAndListsWhatWasFound() {
        for (int i = 0; i < 8; ++i)
            addRecord("Same", "Name");
        QString count;
        int rows = -1;
        QStringList questions;
        dialogs->answerDialog(inDialog<TDupCheck>([&](TDupCheck& dup) {
            connect(&dup.monitor(), &utilities::TPassMonitor::recordDone, &dup, [&](unsigned done) {
                if (done == 2 || done == 4) {
                    // No lets the check go on; Yes stops it after the record in hand.
                    dialogs->answerMessage(done == 2 ? MessageAnswer::No : MessageAnswer::Yes);
                    click(dup.CancelButton);
                }
            });
            click(dup.CheckitButton);
            count = dup.LabelCount->text();
            rows = dup.ChkDupsGrid->gridModel()->rowCount();
            QVERIFY(!dup.CancelButton->isVisible());
            click(dup.OKButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "DuplicatesReport1Click"));
        QCOMPARE(count, QString("Found 3 possible duplicates"));
        QCOMPARE(rows, 4);
        QCOMPARE(dialogs->messageTexts(), (QStringList{"Cancel operation?", "Cancel operation?"}));
    }

    void theStreetCheckComparesTheCharactersChosenAndShowsTheStreetSecond() {
        addRecord({{"LNAME", "A"}, {"STREET", "123 N Buffalo"}});
        addRecord({{"LNAME", "B"}, {"STREET", "1234 S Eastern"}});
        addRecord({{"LNAME", "C"}, {"STREET", "99 Oak"}});
        QStringList streets;
        int streetPosition = -1;
        dialogs->answerDialog(inDialog<TDupCheck>([&](TDupCheck& dup) {
            click(dup.StreetButton);
            QVERIFY(dup.AddressChars->isVisible());
            QCOMPARE(dup.AddressChars->value(), 30);
            dup.AddressChars->selectAll();
            QTest::keyClicks(dup.AddressChars, "3");
            click(dup.CheckitButton);
            streets = column(*dup.ChkDupsGrid, "STREET");
            auto* model = dup.ChkDupsGrid->gridModel();
            streetPosition =
                dup.ChkDupsGrid->horizontalHeader()->visualIndex(model->columnOfField("STREET"));
            click(dup.OKButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "DuplicatesReport1Click"));
        QCOMPARE(streets, (QStringList{"123 N Buffalo", "1234 S Eastern"}));
        QCOMPARE(streetPosition, 1);
    }

    void theStateZipCheckListsRepairsAndEditsTheTable() {
        addRecord({{"LNAME", "Smith"}, {"STATE", "MA"}, {"ZIP", "90210"}});
        addRecord({{"LNAME", "Jones"}, {"STATE", "NY"}, {"ZIP", "10001"}});
        addRecord("Brown");
        setFilter(selection::Criterion::LastName, "S;J;B");
        const QString query = form->Engine1.queryText();
        QStringList listed, afterEdit, unexplainedControls{"no dialog"};
        bool countShown = true, resultShown = false;
        int cszRows = 0, cszRowsAfter = 0;
        QString stopCaption;
        dialogs->answerDialog(inDialog<TStateZipCheck>([&](TStateZipCheck& check) {
            QCOMPARE(check.windowTitle(), QString("Check State and Zip  Codes"));
            click(check.CheckitButton);
            resultShown = check.ResultPanel->isVisible();
            countShown = check.LabelCount->isVisible();
            listed = column(*check.ChkStateZip, "LNAME");
            typeIntoCell(*check.ChkStateZip, 0, "ZIP", "01000");
            click(check.SaveButton);
            // An edited record stays in the list.
            afterEdit = column(*check.ChkStateZip, "ZIP");
            unexplainedControls = unexplained(check);

            click(check.EditStateProvButton);
            stopCaption = check.EditStateProvButton->text();
            QVERIFY(check.CszPanel->isVisible());
            QVERIFY(!check.ResultPanel->isVisible());
            cszRows = check.StateProvGrid->gridModel()->rowCount();
            // Moving down past the last row adds a row.
            click(check.CszNavigator->findChild<QPushButton*>("LastButton"));
            QTest::keyClick(check.StateProvGrid, Qt::Key_Down);
            cszRowsAfter = check.StateProvGrid->gridModel()->rowCount();
            typeIntoCell(*check.StateProvGrid, cszRows, "NAME", "Testland");
            typeIntoCell(*check.StateProvGrid, cszRows, "STATE", "TL");
            typeIntoCell(*check.StateProvGrid, cszRows, "LOW_ZIP", "00100");
            click(check.EditStateProvButton);
            QVERIFY(check.ResultPanel->isVisible());
            QCOMPARE(check.EditStateProvButton->text(), QString("Edit State/Province File"));
            click(check.CloseButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "CheckState1Click"));
        QVERIFY(resultShown);
        QVERIFY(!countShown);
        QCOMPARE(listed, QStringList{"Smith"});
        QCOMPARE(afterEdit, QStringList{"01000"});
        QCOMPARE(unexplainedControls.join(", "), QString());
        QCOMPARE(stopCaption, QString("Stop Editing"));
        QCOMPARE(cszRows, 82);
        QCOMPARE(cszRowsAfter, 83);
        QCOMPARE(valueOf(1, "ZIP"), QString("01000"));
        QCOMPARE(form->Engine1.queryText(), query);
        QCOMPARE(form->Engine1.tagName(), QString("LNAME"));
        QVERIFY(!QFile::exists(QFileInfo(form->TableCVW.path()).absolutePath() + "/_chksz.idx"));
        QVERIFY(indexCurrent());
        xbase::Table csz = xbase::Table::open(platform::RealPath("sysdata\\CSZ.DBF").toStdString(),
                                              xbase::OpenMode::ReadOnly);
        QCOMPARE(csz.recordCount(), 83u);
        csz.goTo(83);
        QCOMPARE(QString::fromStdString(csz.text("STATE")), QString("TL"));
    }

    void withoutCszTheCheckDoesNotOpen() {
        addRecord("Adams");
        QVERIFY(QFile::remove(platform::RealPath("sysdata\\CSZ.DBF")));
        QVERIFY(user::chooseMenuItem(*form, "CheckState1Click"));
        QCOMPARE(dialogs->messageTexts(),
                 QStringList{"The file CSZ.DBF has been removed from the SYSDATA directory. "
                             "Unable to continue."});
        QVERIFY(dialogs->dialogTitles().isEmpty());
    }

    void caseConversionConvertsTheTickedFieldsAndReturnsToTheRecord() {
        addRecord({{"LNAME", "smith"}, {"CITY", "boston"}});
        addRecord({{"LNAME", "jones"}, {"CITY", "denver"}});
        form->RecordLastClick();
        const unsigned shown = form->TableCVW.recordNumber();
        bool filterChoice = true;
        QStringList unexplainedControls{"no dialog"};
        dialogs->answerDialog(inDialog<TConvertToUpper>([&](TConvertToUpper& convert) {
            filterChoice = convert.rFilterRecords->isEnabled();
            unexplainedControls = unexplained(convert);
            click(convert.cAll);
            click(convert.ConvertButton); // nothing ticked
            click(convert.findChild<QCheckBox*>("cCITY"));
            click(convert.rAllRecords);
            dialogs->answerMessage(MessageAnswer::Yes);
            click(convert.ConvertButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "CaseConversion1Click"));
        QVERIFY(!filterChoice);
        QCOMPARE(unexplainedControls.join(", "), QString());
        QCOMPARE(dialogs->messageTexts(), (QStringList{"No fields checked for conversion",
                                                       "Convert now? This process cannot be "
                                                       "undone.."}));
        QCOMPARE(dialogs->messages().at(1).caption, QString("Convert"));
        QCOMPARE(dialogs->messages().at(1).defaultButton, MessageAnswer::No);
        QCOMPARE(form->TableCVW.recordNumber(), shown);
        // The last record by name is Smith's.
        QCOMPARE(findEdit("CITYEdit")->text(), QString("BOSTON"));
        QCOMPARE(valueOf(2, "CITY"), QString("DENVER"));
        QCOMPARE(valueOf(1, "LNAME"), QString("smith"));
    }

    void aStoppedConversionLeavesEveryTagCurrent() {
        for (const char* last : {"a", "b", "c", "d", "e"})
            addRecord(last);
        bool gaugeShown = false;
        dialogs->answerDialog(inDialog<TConvertToUpper>([&](TConvertToUpper& convert) {
            click(convert.rAllRecords);
            connect(&convert.monitor(), &utilities::TPassMonitor::recordDone, &convert,
                    [&](unsigned done) {
                        gaugeShown = convert.Gauge1->isVisible();
                        if (done == 2) {
                            dialogs->answerMessage(MessageAnswer::Yes);
                            click(convert.CancelButton);
                        }
                    });
            dialogs->answerMessage(MessageAnswer::Yes);
            click(convert.ConvertButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "CaseConversion1Click"));
        QVERIFY(gaugeShown);
        QCOMPARE(dialogs->messageTexts().last(), QString("Cancel case conversion?"));
        QStringList names;
        for (unsigned recno = 1; recno <= 5; ++recno)
            names << valueOf(recno, "LNAME");
        QCOMPARE(names, (QStringList{"A", "B", "c", "d", "e"}));
        QVERIFY(indexCurrent());
    }

    void deletingWithoutAFilterEmptiesTheFile() {
        for (const char* last : {"a", "b", "c"})
            addRecord(last);
        bool filterChoices = true;
        dialogs->answerDialog(inDialog<TDeleteRecords>([&](TDeleteRecords& del) {
            filterChoices = del.DeleteFilter->isEnabled() || del.DeleteNotFilter->isEnabled();
            QVERIFY(del.DeleteAll->isChecked());
            QCOMPARE(unexplained(del).join(", "), QString());
            dialogs->answerMessage(MessageAnswer::Yes);
            click(del.DeleteNowButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "DeleteRecords1Click"));
        QVERIFY(!filterChoices);
        QCOMPARE(dialogs->messageTexts(),
                 (QStringList{"Are you sure?", "Deleted 3 records",
                              "For optimum space usage, please select\r\n[Rebuild Indexes] from "
                              "the File menu"}));
        QCOMPARE(dialogs->messages().first().caption, QString("DELETE"));
        QCOMPARE(form->TableCVW.recordCount(), 0u);
        QCOMPARE(form->FilterStatus->text(), QString("No records"));
        QVERIFY(indexCurrent());
    }

    void deletingOutsideTheFilterKeepsItsRecords() {
        addRecord({{"LNAME", "One"}, {"CITY", "Springfield"}});
        addRecord({{"LNAME", "Two"}, {"CITY", "Boston"}});
        addRecord({{"LNAME", "Three"}, {"CITY", "Springfield"}});
        addRecord({{"LNAME", "Four"}, {"CITY", "Denver"}});
        setFilter(selection::Criterion::City, "Springfield");
        dialogs->answerDialog(inDialog<TDeleteRecords>([&](TDeleteRecords& del) {
            click(del.DeleteNotFilter);
            dialogs->answerMessage(MessageAnswer::Yes);
            click(del.DeleteNowButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "DeleteRecords1Click"));
        QCOMPARE(dialogs->messageTexts().at(1), QString("Deleted 2 records"));
        form->ClearFilter();
        QCOMPARE(form->FilterStatus->text(), QString("2 records (no filter)"));
        QCOMPARE(valueOf(2, "ISDEL"), QString("T"));
        QCOMPARE(valueOf(3, "ISDEL"), QString("F"));
        QVERIFY(indexCurrent());
    }

    void aStoppedDeletionSaysHowManyWent() {
        for (const char* last : {"a", "b", "c", "d"})
            addRecord({{"LNAME", last}, {"CITY", "X"}});
        setFilter(selection::Criterion::City, "X");
        dialogs->answerDialog(inDialog<TDeleteRecords>([&](TDeleteRecords& del) {
            click(del.DeleteFilter);
            connect(&del.monitor(), &utilities::TPassMonitor::recordDone, &del, [&](unsigned done) {
                if (done == 1) {
                    dialogs->answerMessage(MessageAnswer::Yes);
                    click(del.StopButton);
                }
            });
            dialogs->answerMessage(MessageAnswer::Yes);
            click(del.DeleteNowButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "DeleteRecords1Click"));
        QCOMPARE(dialogs->messageTexts().mid(1, 2),
                 (QStringList{"Cancel operation?", "Deleted 1 records"}));
        QCOMPARE(form->FilterStatus->text(), QString("3 filter matches"));
        QVERIFY(indexCurrent());
    }

    void searchAndReplaceTakesAQuoteAsTyped() {
        addRecord("O\"Brien");
        addRecord("O");
        addRecord("Obrien");
        bool filterChoice = true;
        int middleWidth = 0;
        QString cut;
        dialogs->answerDialog(inDialog<TSearchAndReplace>([&](TSearchAndReplace& replace) {
            filterChoice = replace.ReplaceFilter->isEnabled();
            QCOMPARE(unexplained(replace).join(", "), QString());
            // A field's width limits both values.
            QTest::keyClicks(replace.FindValue, "Smith");
            replace.TargetField->setFocus();
            QTest::keyClicks(replace.TargetField, "Mi");
            middleWidth = replace.FindValue->maxLength();
            cut = replace.FindValue->text();
            QTest::keyClick(replace.TargetField, Qt::Key_Home);
            QCOMPARE(replace.TargetField->currentText(), QString("Last Name"));
            replace.FindValue->selectAll();
            QTest::keyClicks(replace.FindValue, "O\"Brien");
            QTest::keyClicks(replace.ReplaceValue, "O'Brien");
            dialogs->answerMessage(MessageAnswer::Yes);
            click(replace.ReplaceButton);
        }));
        QVERIFY(user::chooseMenuItem(*form, "SearchReplaceFieldValues1Click"));
        QVERIFY(!filterChoice);
        QCOMPARE(middleWidth, 1);
        QCOMPARE(cut, QString("S"));
        QCOMPARE(dialogs->messageTexts(),
                 (QStringList{"Find records where field Last Name\rexactly matches: \"O\"Brien\"  "
                              "(case sensitive)\rand replace the entire field with \"O'Brien\"",
                              "Replaced 1 records", "Replacement done"}));
        QCOMPARE(dialogs->messages().first().caption, QString("Replace"));
        QCOMPARE(valueOf(1, "LNAME"), QString("O'Brien"));
        QCOMPARE(valueOf(2, "LNAME"), QString("O"));
        QCOMPARE(valueOf(3, "LNAME"), QString("Obrien"));
        QCOMPARE(form->Engine1.tagName(), QString("LNAME"));
        QVERIFY(indexCurrent());
    }
};

QTEST_MAIN(UtilityDialogsTest)
#include "dialogs_test.moc"
