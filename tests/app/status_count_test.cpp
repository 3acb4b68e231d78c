#include "app/address_main.h"
#include "select/address_query_form.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

#include <functional>

using selection::Criterion;

// The status line's record count: counted once after a change of the query or of the file,
// not again for every keystroke, and right after every change.
class StatusCountTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        setUp();
        start();
        addRecord({{"LNAME", "Smith"}, {"CITY", "Vienna"}});
        addRecord({{"LNAME", "Jones"}, {"CITY", "Victoria"}});
        addRecord({{"LNAME", "Lee"}, {"CITY", "Boston"}});
        form->RecordFirstClick();
    }
    void cleanup() { tearDown(); }

    void typingAndMovingDoNotCountAgain() {
        QCOMPARE(status(), QString("3 records (no filter)"));
        const int counted = form->recordCountsTaken();
        user::click(*form, "EditButton");
        user::typeInto(findEdit("CITYEdit"), "Springfield");
        user::typeInto(findEdit("ORGEdit"), "Acme Corporation");
        user::showTab(*form, 1);
        QTest::mouseClick(form->MemoEdit->viewport(), Qt::LeftButton);
        QTest::keyClicks(form->MemoEdit, "call back");
        QCOMPARE(form->recordCountsTaken(), counted);
        user::click(*form, "SaveButton");
        QCOMPARE(form->recordCountsTaken(), counted + 1);
        for (const char* button : {"NextButton", "NextButton", "PriorButton", "FirstButton"})
            user::click(*form, button);
        QCOMPARE(form->recordCountsTaken(), counted + 1);
        QCOMPARE(status(), QString("3 records (no filter)"));
    }

    void theCountIsRightAfterEveryChange() {
        const struct {
            const char* change;
            std::function<void()> act;
            const char* shown;
        } steps[] = {
            {"a record added from the menu",
             [&] {
                 QVERIFY(user::chooseMenuItem(*form, "mnuAddClick"));
                 user::typeInto(findEdit("LNAMEEdit"), "Young");
                 user::typeInto(findEdit("CITYEdit"), "Vail");
                 user::click(*form, "SaveButton");
             },
             "4 records (no filter)"},
            {"a filter set",
             [&] { setFilter([](auto& f) { f.box(Criterion::City)->setText("v"); }); },
             "3 filter matches"},
            {"a match edited out of the filter",
             [&] {
                 user::click(*form, "FirstButton");
                 user::click(*form, "EditButton");
                 user::typeInto(findEdit("CITYEdit"), "Boston");
                 user::click(*form, "SaveButton");
             },
             "2 filter matches"},
            {"a match deleted",
             [&] {
                 user::click(*form, "FirstButton");
                 dialogs->answerMessage(platform::MessageAnswer::Yes);
                 user::click(*form, "DeleteButton");
             },
             "1 filter matches"},
            {"the filter cleared", [&] { user::click(*form, "ClearFilterButton"); },
             "3 records (no filter)"},
            {"a record cloned",
             [&] {
                 dialogs->answerMessage(platform::MessageAnswer::Yes);
                 QVERIFY(user::chooseMenuItem(*form, "mnuCloneClick"));
             },
             "4 records (no filter)"},
            {"the first record tagged",
             [&] {
                 user::click(*form, "FirstButton");
                 QTest::mouseClick(form->TaggedCheck, Qt::LeftButton);
             },
             "4 records (no filter)"},
            {"the second record tagged",
             [&] {
                 user::click(*form, "NextButton");
                 QTest::mouseClick(form->TaggedCheck, Qt::LeftButton);
             },
             "4 records (no filter)"},
            {"a tagged-only filter",
             [&] {
                 setFilter([](auto& f) {
                     f.template findChild<QCheckBox*>("qTagged")->setChecked(true);
                 });
             },
             "2 filter matches"},
            {"a tag taken off under that filter",
             [&] { QTest::mouseClick(form->TaggedCheck, Qt::LeftButton); }, "1 filter matches"},
        };
        for (const auto& step : steps) {
            const int counted = form->recordCountsTaken();
            step.act();
            QVERIFY2(status() == step.shown, qPrintable(step.change + (": " + status())));
            QVERIFY2(form->recordCountsTaken() <= counted + 1, step.change);
        }
    }

private:
    QString status() const { return form->FilterStatus->text(); }

    void setFilter(std::function<void(selection::TAddressQueryForm&)> fill) {
        dialogs->answerDialog([fill](QDialog& dialog) {
            auto& filter = static_cast<selection::TAddressQueryForm&>(dialog);
            fill(filter);
            filter.OkButtonClick();
            return dialog.result();
        });
        user::click(*form, "FilterButton");
    }
};

QTEST_MAIN(StatusCountTest)
#include "status_count_test.moc"
