#include "select/memo_searching_dialog.h"
#include "select/tag_all_dialog.h"

#include "browse_fixture.h"
#include "platform/system_services.h"
#include "tests/platform/whats_this_probe.h"
#include "xbase/file.h"
#include "xbase/table.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs a shown dialog until it closes; a dialog that never closed would hang the test, so after
// five seconds it is closed by force and the run counts as failed.
bool execWithin(QDialog& dialog) {
    bool timedOut = false;
    QTimer::singleShot(5000, &dialog, [&] {
        timedOut = true;
        dialog.done(QDialog::Rejected);
    });
    dialog.exec();
    return !timedOut;
}

// Clicks "Ok" once the tagging dialog shows it, noting what the dialog said then.
void clickOkWhenDone(TTagAllRecords& tagging, QTimer& poll, QStringList& said) {
    QObject::connect(&poll, &QTimer::timeout, &tagging, [&] {
        if (!tagging.OkButton->isVisible())
            return;
        said = {tagging.TaggingLabel->text(), tagging.CountLabel->text()};
        tagging.OkButton->click();
    });
    poll.start(10);
}

// The records whose TAG holds the id, read from the file without their memos.
int taggedOnDisk(AddressFixture& f) {
    xbase::Table& engine = f.table.engineTable();
    int tagged = 0;
    for (std::uint32_t recno = 1; recno <= engine.recordCount(); ++recno) {
        engine.goTo(recno);
        tagged += engine.text("TAG") == f.tagId.toStdString();
    }
    return tagged;
}

} // namespace

// The searching and tagging dialogs shown for real: the work starts once they are on screen
// and the searching dialog closes itself.
class WorkDialogTest : public QObject {
    Q_OBJECT
private slots:
    void shownDialogsDoTheirWork() {
        AddressFixture f;
        QVERIFY(f.created);
        platform::SetBeepHandler([] {});
        f.add("Adams");
        f.add("Baker");
        f.table.edit();
        f.table.setFieldText("MEMO", "the order");
        f.table.post();
        f.table.first();
        // A dialog that never closed would hang the test; the timer ends it as a failure.
        bool timedOut = false;
        TCVWSearching searching(f.table, f.engine, "ORDER", true);
        QTimer::singleShot(5000, &searching, [&] {
            timedOut = true;
            searching.reject();
        });
        searching.exec();
        QVERIFY(!timedOut);
        QVERIFY(searching.memoFound());
        QCOMPARE(f.table.fieldText("LNAME"), QString("Baker"));

        TTagAllRecords tagging(f.table, f.tagId);
        // "Ok" shows when the tagging is done; clicking it closes the dialog.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &tagging, [&] {
            if (tagging.OkButton->isVisible())
                tagging.OkButton->click();
        });
        poll.start(10);
        QTimer::singleShot(5000, &tagging, [&] {
            timedOut = true;
            tagging.reject();
        });
        tagging.exec();
        QVERIFY(!timedOut);
        QCOMPARE(tagging.taggedCount(), 2);
        platform::SetBeepHandler({});
    }

    void tagAllStoppedByAnErrorSaysSoWithTheCount() {
        const struct {
            const char* name;
            bool readOnly;
            int tagged;
        } cases[] = {{"read-only table", true, 0}, {"disk full at the third record", false, 2}};
        for (const auto& c : cases) {
            AddressFixture f;
            QVERIFY(f.created);
            for (const char* last : {"Adams", "Baker", "Clark", "Dunn"})
                f.add(last);
            if (c.readOnly) {
                f.table.readOnly = true;
                f.reopen();
            }
            f.table.first();
            TTagAllRecords tagging(f.table, f.tagId);
            // The next write after the second record, whatever file it goes to, finds the disk
            // full.
            QObject::connect(&tagging, &TTagAllRecords::recordTagged, &tagging, [&](int count) {
                if (!c.readOnly && count == 2)
                    xbase::testing::failNthWrite(1);
            });
            QTimer poll;
            QStringList said;
            clickOkWhenDone(tagging, poll, said);
            QVERIFY2(execWithin(tagging), c.name);
            xbase::testing::failNthWrite(0);
            QCOMPARE(said,
                     QStringList({"Stopped by an error", QString("%1 tagged").arg(c.tagged)}));
            QVERIFY(tagging.failed());
            QCOMPARE(f.dialogs.messages().size(), 1); // the table's error, shown once
            QVERIFY(!f.dialogs.messages().first().text.isEmpty());
            QCOMPARE(taggedOnDisk(f), c.tagged);
        }
    }

    void escapeAndTheCloseBoxDoWhatCancelDoes() {
        AddressFixture f;
        QVERIFY(f.created);
        int beeps = 0;
        platform::SetBeepHandler([&beeps] { ++beeps; });
        for (int i = 0; i < 40; ++i)
            f.add(QString("N%1").arg(i, 2, 10, QChar('0')));
        // Only the last record holds the text: a search left running would find it.
        f.table.last();
        f.table.edit();
        f.table.setFieldText("MEMO", "the order");
        f.table.post();
        f.table.first();
        f.table.next();
        const unsigned start = f.table.recordNumber();

        const struct {
            const char* name;
            std::function<void(QDialog&)> press;
        } ways[] = {{"Escape", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
                    {"close box", [](QDialog& d) { d.close(); }}};
        for (const auto& way : ways) {
            beeps = 0;
            TCVWSearching searching(f.table, f.engine, "ORDER", true);
            bool pressed = false;
            bool stayed = false;
            QTimer during;
            QObject::connect(&during, &QTimer::timeout, &searching, [&] {
                if (pressed || !searching.started() || searching.finished())
                    return;
                pressed = true;
                way.press(searching);
                stayed = searching.isVisible();
            });
            during.start(0);
            QVERIFY2(execWithin(searching), way.name);
            QVERIFY2(pressed && stayed, way.name);
            // Stopped like "Cancel": not found, back on the record it started from.
            QVERIFY2(!searching.memoFound(), way.name);
            QCOMPARE(f.table.recordNumber(), start);
            QCOMPARE(beeps, 1);
        }

        // The tagging asks as its "Cancel" does: No goes on, Yes stops.
        f.dialogs.answerMessage(platform::MessageAnswer::No);
        f.dialogs.answerMessage(platform::MessageAnswer::Yes);
        TTagAllRecords tagging(f.table, f.tagId);
        QList<bool> stayed;
        QObject::connect(&tagging, &TTagAllRecords::recordTagged, &tagging, [&](int count) {
            if (count == 3)
                QTest::keyClick(&tagging, Qt::Key_Escape);
            else if (count == 6)
                tagging.close();
            else
                return;
            stayed << tagging.isVisible();
        });
        // Once the tagging ended, Escape closes the dialog.
        QString said;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &tagging, [&] {
            if (!tagging.OkButton->isVisible())
                return;
            said = tagging.TaggingLabel->text();
            QTest::keyClick(&tagging, Qt::Key_Escape);
        });
        poll.start(10);
        QVERIFY(execWithin(tagging));
        QCOMPARE(stayed, QList<bool>({true, true}));
        QCOMPARE(said, QString("Cancelled before completion"));
        QCOMPARE(tagging.taggedCount(), 6);
        QCOMPARE(f.dialogs.messages().size(), 2);
        for (const platform::MessageRequest& asked : f.dialogs.messages()) {
            QCOMPARE(asked.text, QString("Cancel Tagging?"));
            QCOMPARE(asked.caption, QString("CANCEL"));
        }
        platform::SetBeepHandler({});
    }

    void everyControlExplainsItself() {
        namespace probe = testing_whats_this;
        AddressFixture f;
        QVERIFY(f.created);
        TCVWSearching searching(f.table, f.engine, "ORDER", true);
        TTagAllRecords tagging(f.table, f.tagId);
        for (QDialog* dialog :
             {static_cast<QDialog*>(&searching), static_cast<QDialog*>(&tagging)}) {
            QList<QWidget*> controls = probe::Controls(*dialog);
            for (QLabel* label : dialog->findChildren<QLabel*>())
                controls << label;
            QVERIFY(controls.size() >= 3);
            QCOMPARE(probe::Unexplained(controls), QStringList());
        }
        QVERIFY(probe::RightClick(*tagging.CancelButton).contains("stay tagged"));
        QCOMPARE(probe::QuestionMark(searching, *searching.CancelButton),
                 searching.CancelButton->whatsThis());
    }
};

QTEST_MAIN(WorkDialogTest)
#include "work_dialog_test.moc"
