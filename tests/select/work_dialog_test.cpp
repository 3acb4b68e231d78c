#include "select/memo_searching_dialog.h"
#include "select/tag_all_dialog.h"

#include "browse_fixture.h"
#include "platform/system_services.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

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
};

QTEST_MAIN(WorkDialogTest)
#include "work_dialog_test.moc"
