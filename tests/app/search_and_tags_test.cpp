#include "app/address_main.h"
#include "data/xb_env.h"
#include "platform/settings_file.h"
#include "select/address_browse_form.h"
#include "select/search_box.h"
#include "select/tag_all_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "tests/platform/whats_this_probe.h"
#include "xbase/table.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

// Key search, memo search and tagging from the main window.
class SearchAndTagsTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void keySearchFindsTheFirstKeyTheTextBegins() {
        start();
        for (const char* last : {"Jones", "Johnson", "Adams", "Young"})
            addRecord(last);
        form->RecordFirstClick();
        const struct {
            const char* typed;
            const char* standsOn;
        } cases[] = {{"joh", "Johnson"}, {"zzz", "Johnson"}, {"", "Johnson"}, {"JONES", "Jones"}};
        for (const auto& c : cases) {
            QString label;
            dialogs->answerDialog([&](QDialog& dialog) {
                auto& box = static_cast<TSearchBox&>(dialog);
                label = box.SearchForLabel->text();
                box.SearchForEdit->setText(c.typed);
                return 1;
            });
            form->SearchButtonClick();
            QCOMPARE(label, QString("Search for Last Name"));
            QCOMPARE(form->TableCVW.fieldText("LNAME"), QString(c.standsOn));
        }
        QVERIFY(dialogs->messages().isEmpty());
        // A miss past the last key leaves the record as it was, with soft seek off again.
        QVERIFY(!data::TXbEnv::instance().SoftSeek);
    }

    void searchBoxExplainsItsControls() {
        namespace probe = testing_whats_this;
        start();
        addRecord("Adams");
        QStringList unexplained{"no dialog"};
        QString editText, questionMark;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& box = static_cast<TSearchBox&>(dialog);
            box.show();
            unexplained = probe::Unexplained(probe::Controls(box) << box.SearchForLabel);
            editText = probe::RightClick(*box.SearchForEdit);
            questionMark = probe::QuestionMark(box, *box.SearchForEdit);
            return 0;
        });
        QTest::mouseClick(form->findChild<QPushButton*>("SearchButton"), Qt::LeftButton);
        QCOMPARE(unexplained, QStringList());
        QVERIFY(editText.contains("sort order"));
        QCOMPARE(questionMark, editText);
        // The main window's controls explain themselves through the same menu.
        QCOMPARE(probe::RightClick(*findEdit("LNAMEEdit")), findEdit("LNAMEEdit")->whatsThis());
        QVERIFY(!findEdit("LNAMEEdit")->whatsThis().isEmpty());
        QCOMPARE(probe::QuestionMark(*form, *findEdit("CITYEdit")), QString("The city."));
    }

    void findNextAfterTheLastMatchBeepsAndReturns() {
        start();
        addRecord({{"LNAME", "Adams"}, {"MEMO", "call about the order"}});
        addRecord({{"LNAME", "Baker"}, {"MEMO", ""}});
        addRecord({{"LNAME", "Clark"}, {"MEMO", "Order shipped"}});
        addRecord({{"LNAME", "Dunn"}, {"MEMO", "nothing here"}});
        form->RecordLastClick();
        dialogs->answerInput(QString("ORDER"));
        form->SearchMemoButtonClick();
        QCOMPARE(dialogs->inputRequests().last().caption, QString("Memo Search"));
        QCOMPARE(dialogs->inputRequests().last().prompt, QString("Search For"));
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Adams"));
        QVERIFY(!form->FindNextButton->isHidden());
        form->SearchMemoNextButtonClick();
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Clark"));
        QCOMPARE(beeps, 0);
        form->SearchMemoNextButtonClick();
        QCOMPARE(beeps, 1);
        QVERIFY(form->FindNextButton->isHidden());
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Clark"));
    }

    void aMemoSearchThatFailsGoesBackToWhereItStarted() {
        start();
        addRecord({{"LNAME", "Adams"}, {"MEMO", "nothing here"}, {"ZIP", "1"}});
        addRecord({{"LNAME", "Baker"}, {"MEMO", "nothing"}});
        // A search that went past the failure would stop here.
        addRecord({{"LNAME", "Clark"}, {"MEMO", "zebra"}, {"ZIP", "3"}});
        addRecord({{"LNAME", "Dunn"}, {"MEMO", "nothing"}, {"ZIP", "4"}});
        // A query that cannot be worked out on Baker (no ZIP: a division by zero) makes the
        // walk through the memos fail there.
        form->Engine1.setQuery("1/VAL(ZIP) > 0 .and. !ISDEL");
        form->RecordLastClick();
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Dunn"));

        form->TabSet->setCurrentIndex(1);
        dialogs->answerInput(QString("zebra"));
        form->findChild<QPushButton*>("SearchMemoButton")->click();
        QCOMPARE(dialogs->dialogTitles(), QStringList{"Searching"});
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Dunn"));
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Dunn"));
        QCOMPARE(beeps, 1);
        QVERIFY(form->FindNextButton->isHidden());
        QVERIFY(!form->MemoFound);
        // The failure is reported, once.
        QCOMPARE(dialogs->messages().size(), 1);
        QVERIFY(dialogs->messages().first().text.contains("division by zero"));
    }

    void memoSearchStaysWithinTheFilter() {
        start();
        addRecord({{"LNAME", "Adams"}, {"MEMO", "order"}});
        addRecord({{"LNAME", "Clark"}, {"MEMO", "order"}});
        form->Engine1.setQuery("UPPER(LNAME)=\"C\" .and. !ISDEL");
        form->TableCVW.first();
        dialogs->answerInput(QString("order"));
        form->SearchMemoButtonClick();
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Clark"));
        // An empty memo never matches, whatever is looked for.
        addRecord({{"LNAME", "Cole"}, {"MEMO", ""}});
        form->RecordFirstClick();
        dialogs->answerInput(QString("zebra"));
        form->SearchMemoButtonClick();
        QCOMPARE(beeps, 1);
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Clark"));
    }

    void togglingTwiceLeavesTheTagEmpty() {
        start();
        addRecord("Adams");
        QTest::mouseClick(form->TaggedCheck, Qt::LeftButton, {}, QPoint(6, 10));
        QCOMPARE(form->TableCVW.fieldText("TAG"), form->GlobalTagId);
        QVERIFY(form->TaggedCheck->isChecked());
        QCOMPARE(form->TableCVW.state(), data::TableState::Browse);
        form->ToggleTag();
        QCOMPARE(form->TableCVW.fieldText("TAG"), QString());
        QVERIFY(!form->TaggedCheck->isChecked());
        // Inside an edit the change waits for the save.
        form->EditButtonClick();
        form->ToggleTag();
        QCOMPARE(form->TableCVW.state(), data::TableState::Edit);
        form->SaveButtonClick();
        QCOMPARE(form->TableCVW.fieldText("TAG"), form->GlobalTagId);
    }

    void tagsSurviveARestartButNotAClear() {
        start();
        addRecord("Adams");
        form->ToggleTag();
        const QString id = form->GlobalTagId;
        start();
        QCOMPARE(form->GlobalTagId, id);
        QVERIFY(form->TaggedCheck->isChecked());
        platform::SetClock([] { return QDateTime(QDate(2027, 4, 28), QTime(10, 30)); });
        form->ClearTags1Click();
        platform::SetClock({});
        QVERIFY(form->GlobalTagId != id);
        QCOMPARE(platform::SettingsFile::program().readString("Misc", "GlobalTagId"),
                 form->GlobalTagId);
        QVERIFY(!form->TaggedCheck->isChecked());
        QVERIFY(!form->TableCVW.calculatedValue("Tagged").toBool());
    }

    void browseTagsTheRecordItLeavesCurrent() {
        start();
        for (const char* last : {"Adams", "Baker", "Clark"})
            addRecord(last);
        form->RecordFirstClick();
        QString caption;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& browse = static_cast<selection::TAddressBrowseForm&>(dialog);
            caption = browse.windowTitle();
            browse.NextButtonClick();
            browse.TagButtonClick();
            browse.OKButtonClick();
            return 1;
        });
        form->BrowseButtonClick();
        QCOMPARE(caption, QString("Address Browse"));
        QCOMPARE(form->TableCVW.fieldText("LNAME"), QString("Baker"));
        QVERIFY(form->TaggedCheck->isChecked());
        QVERIFY(QFile::exists(platform::ProgramDir() + "sysdata/FIELDS.LST"));
    }

    void cancellingTagAllKeepsWhatWasTagged() {
        start();
        for (int i = 0; i < 25; ++i)
            addRecord(QString("Name%1").arg(i, 2, 10, QChar('0')));
        QString finalText;
        bool okShown = false;
        dialogs->answerMessage(platform::MessageAnswer::Yes); // "Tag all records ...?"
        dialogs->answerMessage(platform::MessageAnswer::Yes); // "Cancel Tagging?"
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& tagging = static_cast<TTagAllRecords&>(dialog);
            connect(&tagging, &TTagAllRecords::recordTagged, &tagging, [&tagging](int count) {
                if (count == 10)
                    tagging.CancelButton->click();
            });
            tagging.runTagging();
            finalText = tagging.TaggingLabel->text();
            okShown = tagging.OkButton->isVisibleTo(&tagging);
            return 1;
        });
        form->mnuTagAllFilterMatchesClick();
        QCOMPARE(dialogs->messages().first().caption, QString("TAG ALL"));
        QCOMPARE(dialogs->messages().last().text, QString("Cancel Tagging?"));
        QCOMPARE(finalText, QString("Cancelled before completion"));
        QVERIFY(okShown);
        int tagged = 0;
        for (form->TableCVW.first(); !form->TableCVW.eof(); form->TableCVW.next())
            tagged += form->TableCVW.fieldText("TAG") == form->GlobalTagId;
        QCOMPARE(tagged, 10);
    }
};

QTEST_MAIN(SearchAndTagsTest)
#include "search_and_tags_test.moc"
