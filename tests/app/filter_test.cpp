#include "app/address_main.h"
#include "select/address_query_form.h"
#include "tests/app/main_window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using selection::Criterion;

// The filter of the main window: the dialog, clearing, filter files and the tagged selection.
class FilterTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        setUp();
        start();
        addRecord({{"LNAME", "Smith"}, {"CITY", "Vienna"}, {"STATE", "VA"}});
        addRecord({{"LNAME", "Jones"}, {"CITY", "Victoria"}, {"STATE", "BC"}});
        addRecord({{"LNAME", "Lee"}, {"CITY", "Boston"}, {"STATE", "MA"}});
    }
    void cleanup() { tearDown(); }

    void theDialogMirrorsTheFormAndTestsTheCriteria() {
        QRect lastNameBox, cityBox;
        QString countText, cityCaption;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& filter = static_cast<selection::TAddressQueryForm&>(dialog);
            lastNameBox = filter.box(Criterion::LastName)->geometry();
            cityBox = filter.box(Criterion::City)->geometry();
            cityCaption = filter.findChild<QLabel*>("qCityLabel")->text();
            filter.box(Criterion::City)->setText("vi");
            filter.qSetFilterButtonClick();
            countText = filter.findChild<QLabel*>("CountLabel")->text();
            filter.OkButtonClick();
            return dialog.result();
        });
        form->FilterButtonClick();
        const QRect mainLast = findEdit("LNAMEEdit")->geometry();
        const QRect mainCity = findEdit("CITYEdit")->geometry();
        QCOMPARE(lastNameBox, mainLast.translated(0, 25));
        QCOMPARE(cityBox, mainCity.translated(0, 25 + form->NamePanel->height()));
        QCOMPARE(cityCaption, QString("City"));
        QCOMPARE(countText, QString("2 matches"));
        QCOMPARE(form->QueryString, QString(R"(UPPER(CITY+STATE)="VI")"));
        QCOMPARE(form->FilterStatus->text(), QString("2 filter matches"));
        QVERIFY(form->ClearFilterButton->isVisibleTo(form.get()));
        QVERIFY(form->menuAction("mnuSaveFilterClick")->isEnabled());

        form->ClearFilter();
        QCOMPARE(form->QueryString, QString());
        QCOMPARE(form->FilterStatus->text(), QString("3 records (no filter)"));
        QVERIFY(!form->ClearFilterButton->isVisibleTo(form.get()));
    }

    void okWithNoMatchBeepsAndCancelRestoresTheCriteria() {
        form->Criteria[Criterion::LastName] = "Sm";
        form->ApplyQuery();
        bool stayed = false;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& filter = static_cast<selection::TAddressQueryForm&>(dialog);
            filter.box(Criterion::LastName)->setText("Zz");
            filter.OkButtonClick();
            stayed = dialog.result() == 0;
            return int(platform::ResultCancel);
        });
        form->FilterButtonClick();
        QVERIFY(stayed);
        QCOMPARE(beeps, 1);
        QCOMPARE(form->Criteria[Criterion::LastName], QString("Sm"));
        QCOMPARE(form->FilterStatus->text(), QString("1 filter matches"));
        // While editing the dialog does not open.
        form->EditButtonClick();
        form->FilterButtonClick();
        QCOMPARE(beeps, 2);
        form->CancelButtonClick();
    }

    void filterFilesFollowTheNameRules() {
        form->Criteria[Criterion::LastName] = "Jo;Le";
        form->ApplyQuery();
        const QString base = home->path() + "/mine";
        dialogs->answerFile(base + ".txt");
        form->mnuSaveFilterClick();
        QCOMPARE(dialogs->messageTexts().last(), QString("Must have a .FLT extension"));
        QCOMPARE(dialogs->fileRequests().last().filter, QString("Filter files|*.FLT"));
        dialogs->answerFile(base);
        form->mnuSaveFilterClick();
        QVERIFY(QFile::exists(base + ".FLT"));
        // An existing file is kept when the question is answered No.
        dialogs->answerFile(base + ".FLT");
        dialogs->answerMessage(platform::MessageAnswer::No);
        form->mnuSaveFilterClick();
        QCOMPARE(dialogs->messages().last().caption, QString("Warning!"));
        QCOMPARE(dialogs->messages().last().text,
                 base + ".FLT already exists.\r\nDo you want to overwrite it?");

        form->ClearFilter();
        dialogs->answerFile(base + ".FLT");
        form->mnuRestoreFilterClick();
        QCOMPARE(form->Criteria[Criterion::LastName], QString("Jo;Le"));
        QCOMPARE(form->FilterStatus->text(), QString("2 filter matches"));

        // A file of fewer than 18 lines stops with a message and applies nothing.
        form->ClearFilter();
        QFile shortFile(home->path() + "/short.FLT");
        QVERIFY(shortFile.open(QIODevice::WriteOnly));
        shortFile.write("Smith\r\n\r\n");
        shortFile.close();
        dialogs->answerFile(shortFile.fileName());
        const int before = dialogs->messages().size();
        form->mnuRestoreFilterClick();
        QCOMPARE(dialogs->messages().size(), before + 1);
        QCOMPARE(form->QueryString, QString());
        QCOMPARE(form->FilterStatus->text(), QString("3 records (no filter)"));
    }

    void aTaggedFilterFallsBackAfterClearingTags() {
        // The clock stands still: clearing must still make a new id.
        platform::SetClock([] { return QDateTime(QDate(2026, 12, 10), QTime(9, 0)); });
        form->ClearTags1Click();
        form->RecordFirstClick();
        form->ToggleTag();
        form->Criteria.tagged = true;
        QCOMPARE(form->ApplyQuery(), 1u);
        QCOMPARE(form->FilterStatus->text(), QString("1 filter matches"));
        form->ClearTags1Click();
        // Nothing carries the new id: the criteria are cleared and every record shows.
        QVERIFY(!form->Criteria.tagged);
        QCOMPARE(form->FilterStatus->text(), QString("3 filter matches"));
        platform::SetClock({});
    }
};

QTEST_MAIN(FilterTest)
#include "filter_test.moc"
