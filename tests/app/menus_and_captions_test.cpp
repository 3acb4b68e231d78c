#include "app/address_main.h"
#include "app/application_identity.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtTest>

// The window's own keys stay with its controls: an open menu keeps its keys. Captions are the
// program's own texts.
class MenusAndCaptionsTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        setUp();
        start();
        for (const char* last : {"Adams", "Baker", "Clark"})
            addRecord(last);
        form->RecordFirstClick();
    }
    void cleanup() { tearDown(); }

    void anOpenMenuKeepsItsKeys_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<int>("key");
        QTest::newRow("Page Down in the Record menu")
            << "&Record" << false << int(Qt::Key_PageDown);
        QTest::newRow("Page Up in the Sort menu") << "&Sort" << false << int(Qt::Key_PageUp);
        QTest::newRow("Escape in the Help menu while editing")
            << "&Help" << true << int(Qt::Key_Escape);
    }
    void anOpenMenuKeepsItsKeys() {
        QFETCH(QString, menu);
        QFETCH(bool, editing);
        QFETCH(int, key);
        form->RecordNextClick();
        if (editing)
            user::click(*form, "EditButton");
        QMenu* open = openMenu(menu);
        QVERIFY(open);
        QTest::keyClick(open, Qt::Key(key));
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Baker"));
        QCOMPARE(form->TableCVW.state(),
                 editing ? data::TableState::Edit : data::TableState::Browse);
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(beeps, 0);
        // Escape closes the menu; the window's keys work again in its boxes.
        if (open->isVisible())
            QTest::keyClick(open, Qt::Key_Escape);
        QVERIFY(!open->isVisible());
        QVERIFY(dialogs->messages().isEmpty());
        if (editing) {
            dialogs->answerMessage(platform::MessageAnswer::Yes);
            QTest::keyClick(findEdit("LNAMEEdit"), Qt::Key_Escape);
            QCOMPARE(dialogs->messageTexts(), QStringList{"Cancel changes?"});
            QCOMPARE(form->TableCVW.state(), data::TableState::Browse);
        } else {
            QTest::keyClick(findEdit("LNAMEEdit"), Qt::Key_PageDown);
            QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Clark"));
        }
    }

    void captionsAreTheProgramsOwnTexts() {
        // The desktop appends a declared display name to every caption; the program declares
        // none, so the display name is no more than whatever the application is called.
        SetApplicationIdentity();
        QCOMPARE(QCoreApplication::applicationName(), QString("Corvane"));
        QCoreApplication::setApplicationName("probe");
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
        SetApplicationIdentity();

        QCOMPARE(form->windowHandle()->title(), "Corvane - " + form->CurrentFile);
        user::click(*form, "SearchButton");
        QCOMPARE(dialogs->dialogTitles(), QStringList{"Search"});
    }

private:
    // Clicks the menu's title in the menu bar; answers the menu when it opened.
    QMenu* openMenu(const QString& title) {
        QMenuBar* bar = form->menuBar();
        for (QAction* item : bar->actions()) {
            if (item->text() != title || !item->menu())
                continue;
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(item).center());
            return item->menu()->isVisible() ? item->menu() : nullptr;
        }
        return nullptr;
    }
};

QTEST_MAIN(MenusAndCaptionsTest)
#include "menus_and_captions_test.moc"
