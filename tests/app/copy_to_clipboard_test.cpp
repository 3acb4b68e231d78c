#include "app/copy_to_clipboard_dialog.h"
#include "platform/clipboard.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QtTest>

// "Copy To Clipboard" from the Record menu, the clipboard seen through its seam.
class CopyToClipboardTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        setUp();
        copied.clear();
        platform::SetClipboardHandler([this](const QString& text) { copied << text; });
    }
    void cleanup() {
        tearDown();
        platform::SetClipboardHandler({});
    }

    // Records with and without title, organization and second address line, every group
    // chosen as the dialog opens.
    void theRecordGoesOnTheClipboardLineByLine() {
        start();
        addRecord({{"PREFIX", "Dr."},
                   {"FNAME", "Ann"},
                   {"MIDDLE", "B"},
                   {"LNAME", "Lee"},
                   {"STREET", "1 Main St"},
                   {"CITY", "Springfield"},
                   {"STATE", "IL"},
                   {"ZIP", "62701"},
                   {"PHONE", "555-0100"}});
        addRecord({{"FNAME", "Zoë"},
                   {"LNAME", "Müller"},
                   {"TITLE", "Director"},
                   {"ORG", "Acme Co"},
                   {"STREET", "Hauptstraße 5"},
                   {"STREET2", "Hinterhaus"},
                   {"ZIP", "10115"},
                   {"CITY", "Berlin"},
                   {"COUNTRY", "Germany"},
                   {"PHONE2", "030 1234"},
                   {"CODES", "XMAS"},
                   {"USER1", "met 1997"}});
        form->RecordFirstClick();
        QCOMPARE(findEdit("LNAMEEdit")->text(), QString("Lee"));

        bool allTicked = false;
        auto okWithEverything = [&](QDialog& dialog) {
            auto& copy = static_cast<TCopyToClipBoard&>(dialog);
            copy.show();
            allTicked = true;
            for (QCheckBox* box : copy.findChildren<QCheckBox*>())
                allTicked = allTicked && box->isChecked();
            QTest::mouseClick(copy.OKButton, Qt::LeftButton);
            return copy.result();
        };
        dialogs->answerDialog(okWithEverything);
        QVERIFY(user::chooseMenuItem(*form, "ToClipboard1Click"));
        QVERIFY(allTicked);
        QCOMPARE(dialogs->dialogTitles(), QStringList{"Copy Record To Clipboard"});
        QCOMPARE(copied, QStringList{"Dr. Ann B. Lee \r\n"
                                     "1 Main St\r\n"
                                     "Springfield  IL 62701\r\n"
                                     "Phone  :555-0100\r\n"});
        QCOMPARE(dialogs->messageTexts(), QStringList{"Record copied to Windows Clipboard"});
        QCOMPARE(dialogs->messages().first().caption, QString("Information"));

        copied.clear();
        user::click(*form, "NextButton");
        dialogs->answerDialog(okWithEverything);
        QVERIFY(user::chooseMenuItem(*form, "ToClipboard1Click"));
        QCOMPARE(copied, QStringList{"Zoë Müller \r\n"
                                     "Director\r\n"
                                     "Acme Co\r\n"
                                     "Hauptstraße 5\r\n"
                                     "Hinterhaus\r\n"
                                     "Berlin  10115\r\n"
                                     "Germany \r\n"
                                     "Phone 2:030 1234\r\n"
                                     "Codes :XMAS\r\n"
                                     "Comment 1 :met 1997\r\n"});
    }

    void onlyTheTickedGroupsAndNothingOnCancel() {
        start();
        addRecord({{"FNAME", "Ann"},
                   {"LNAME", "Lee"},
                   {"STREET", "1 Main St"},
                   {"PHONE", "555-0100"},
                   {"CODES", "XMAS"},
                   {"USER2", "golf"}});
        form->RecordFirstClick();
        auto copyWithout = [&](const QStringList& unticked) {
            dialogs->clear();
            dialogs->answerDialog([unticked](QDialog& dialog) {
                auto& copy = static_cast<TCopyToClipBoard&>(dialog);
                copy.show();
                for (const QString& name : unticked)
                    user::clickBox(copy.findChild<QCheckBox*>(name));
                QTest::mouseClick(copy.OKButton, Qt::LeftButton);
                return copy.result();
            });
            QVERIFY(user::chooseMenuItem(*form, "ToClipboard1Click"));
        };
        copyWithout({"name", "address"});
        QCOMPARE(copied.last(), QString("Phone  :555-0100\r\nCodes :XMAS\r\nComment 2 :golf\r\n"));
        copyWithout({"phonenumbers", "codes", "comments"});
        QCOMPARE(copied.last(), QString("Ann Lee \r\n1 Main St\r\n"));
        // With every box unticked the clipboard is emptied.
        copyWithout({"name", "address", "phonenumbers", "codes", "comments"});
        QCOMPARE(copied.last(), QString());
        QCOMPARE(dialogs->messageTexts(), QStringList{"Record copied to Windows Clipboard"});

        copied.clear();
        dialogs->clear();
        dialogs->answerDialog([](QDialog& dialog) {
            auto& copy = static_cast<TCopyToClipBoard&>(dialog);
            copy.show();
            QTest::mouseClick(copy.CancelButton, Qt::LeftButton);
            return copy.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "ToClipboard1Click"));
        QVERIFY(copied.isEmpty());
        QVERIFY(dialogs->messages().isEmpty());
    }

    // Without a test watching, the text reaches the system clipboard unchanged.
    void theSystemClipboardGetsTheTextWithItsLineEnds() {
        platform::SetClipboardHandler({});
        QApplication::clipboard()->setText("before");
        start();
        addRecord({{"LNAME", "Lee"}, {"USER1", "first"}});
        form->RecordFirstClick();
        dialogs->answerDialog([](QDialog& dialog) {
            auto& copy = static_cast<TCopyToClipBoard&>(dialog);
            copy.OKButton->click();
            return copy.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "ToClipboard1Click"));
        QCOMPARE(QApplication::clipboard()->text(), QString("Lee \r\nComment 1 :first\r\n"));
    }

private:
    QStringList copied;
};

QTEST_MAIN(CopyToClipboardTest)
#include "copy_to_clipboard_test.moc"
