#include "app/dialer_dialog.h"
#include "app/preferences_dialog.h"
#include "controls/enter_edit.h"
#include "data/address_file.h"
#include "platform/desktop_link.h"
#include "platform/serial_port.h"
#include "platform/settings_file.h"
#include "tests/app/main_window_fixture.h"
#include "tests/app/user_actions.h"
#include "tests/platform/pseudo_terminal.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <sys/file.h>

namespace {

// Answers like the scripted seam, and lets a test look at the modem while a message is up.
class WatchedDialogs : public platform::ScriptedDialogs {
public:
    platform::MessageAnswer message(const platform::MessageRequest& request) override {
        if (onMessage)
            onMessage(request);
        return ScriptedDialogs::message(request);
    }
    std::function<void(const platform::MessageRequest&)> onMessage;
};

} // namespace

// Dialling from the main window's dial buttons, with a pseudo-terminal as the modem on COM2.
class DialerTest : public QObject, MainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        setUp();
        dialogs.reset();
        watched = new WatchedDialogs;
        dialogs.reset(watched);
        modem.reset(new PseudoTerminal);
        QVERIFY(modem->valid());
        platform::SettingsFile settings = platform::SettingsFile::program();
        settings.writeString("Serial Ports", "COM1", home->path() + "/no-modem-here");
        settings.writeString("Serial Ports", "COM2", modem->devicePath());
    }
    void cleanup() {
        tearDown();
        modem.reset();
        platform::SetDesktopLinkHandler({});
        platform::SerialPort::SetWriteTimeout(3000);
    }

    void dialButtonsAndTheCopyItemFollowTheWindowState() {
        auto shown = [&] {
            QStringList on;
            for (const char* name : {"DialPhone1Button", "DialPhone2Button"}) {
                auto* button = form->findChild<QPushButton*>(name);
                if (button->isVisible() && button->isEnabled())
                    on << name;
            }
            if (form->menuAction("ToClipboard1Click")->isEnabled())
                on << "ToClipboard1Click";
            return on.join(' ');
        };
        platform::SettingsFile::program().writeString("MRU", "Item1",
                                                      home->path() + "/gone/ADD0009.DBF");
        start();
        QCOMPARE(shown(), QString()); // no file open
        const QString file = platform::ProgramDir() + "DATA/add0001.DBF";
        QVERIFY(data::CreateAddressFile(file, form->TAbleCreate, form->EngineCreate));
        form->TAbleCreate.close();
        dialogs->answerFile(file);
        QVERIFY(user::chooseMenuItem(*form, "OpenFileMenuClick"));
        QVERIFY(form->TableCVW.active());
        QCOMPARE(shown(), QString()); // no record
        addRecord("Adams");
        form->RecordFirstClick();
        QCOMPARE(shown(), QString("DialPhone1Button DialPhone2Button ToClipboard1Click"));
        user::click(*form, "EditButton");
        QCOMPARE(shown(), QString()); // editing
        user::click(*form, "CancelButton");
        QCOMPARE(shown(), QString("DialPhone1Button DialPhone2Button ToClipboard1Click"));
    }

    // The dial command goes out, the user is told to pick up the phone, and only once that
    // message is closed does the modem hang up. The choices are remembered for the next call.
    void dialSendsTheCommandAndHangsUpAfterThePickUpMessage() {
        start();
        addRecord({{"LNAME", "Adams"}, {"PHONE", "555-1234"}, {"PHONE2", "(555) 987-WXYZ x2"}});
        form->RecordFirstClick();

        QByteArray atPickUp;
        watched->onMessage = [&](const platform::MessageRequest&) { atPickUp = modem->received(); };
        QString numberShown;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& dialer = static_cast<TCVDialer&>(dialog);
            dialer.show();
            numberShown = dialer.Number->text();
            user::typeInto(dialer.prefix, "9");
            user::clickBox(dialer.findChild<QRadioButton*>("COM2Radio"));
            user::clickBox(dialer.findChild<QRadioButton*>("PulseRadio"));
            QTest::mouseClick(dialer.DialButton, Qt::LeftButton);
            // Dialling leaves the dialog open, without its help buttons.
            if (dialer.isVisible() && !dialer.HelpButton->isVisible() &&
                !dialer.WhatsThisButton->isVisible())
                QTest::mouseClick(dialer.CancelButton, Qt::LeftButton);
            return dialer.result();
        });
        user::click(*form, "DialPhone1Button");
        QCOMPARE(dialogs->dialogTitles(), QStringList{"Dial Phone Number"});
        QCOMPARE(numberShown, QString("555-1234"));
        QCOMPARE(dialogs->messageTexts(), QStringList{"Pick up phone"});
        QCOMPARE(dialogs->messages().first().caption, QString("Information"));
        QCOMPARE(atPickUp, QByteArray("ATDP9555-1234\r\n"));
        QCOMPARE(modem->received(), QByteArray("ATH\r\n"));
        const platform::SettingsFile settings = platform::SettingsFile::program();
        QCOMPARE(settings.readString("Dialing", "Prefix"), QString("9"));
        QCOMPARE(settings.readInteger("Dialing", "Port"), 1);
        QCOMPARE(settings.readInteger("Dialing", "Method"), 1);

        // The second number, with brackets, blanks, dashes and letters, dialled by tone with
        // the prefix and port remembered.
        dialogs->clear();
        bool remembered = false;
        dialogs->answerDialog([&](QDialog& dialog) {
            auto& dialer = static_cast<TCVDialer&>(dialog);
            dialer.show();
            remembered = dialer.prefix->text() == "9" &&
                         dialer.findChild<QRadioButton*>("COM2Radio")->isChecked() &&
                         dialer.findChild<QRadioButton*>("PulseRadio")->isChecked();
            user::clickBox(dialer.findChild<QRadioButton*>("ToneRadio"));
            QTest::mouseClick(dialer.DialButton, Qt::LeftButton);
            QTest::mouseClick(dialer.CancelButton, Qt::LeftButton);
            return dialer.result();
        });
        user::click(*form, "DialPhone2Button");
        QVERIFY(remembered);
        QCOMPARE(atPickUp, QByteArray("ATDT9(555) 987-9999 92\r\n"));
        QCOMPARE(modem->received(), QByteArray("ATH\r\n"));
        QCOMPARE(settings.readInteger("Dialing", "Method"), 0);
    }

    void aPortThatCannotBeOpenedOrWrittenIsReported() {
        start();
        addRecord({{"LNAME", "Adams"}, {"PHONE", "555-1234"}});
        form->RecordFirstClick();
        auto dialOn = [&](const char* port, const QString& prefix) {
            dialogs->clear();
            dialogs->answerDialog([=](QDialog& dialog) {
                auto& dialer = static_cast<TCVDialer&>(dialog);
                dialer.show();
                user::typeInto(dialer.prefix, prefix);
                if (prefix.isEmpty())
                    QTest::keyClick(dialer.prefix, Qt::Key_Delete);
                user::clickBox(dialer.findChild<QRadioButton*>(port));
                QTest::mouseClick(dialer.DialButton, Qt::LeftButton);
                QTest::mouseClick(dialer.CancelButton, Qt::LeftButton);
                return dialer.result();
            });
            user::click(*form, "DialPhone1Button");
        };
        const platform::SettingsFile settings = platform::SettingsFile::program();

        // No device: the prefix is still remembered.
        dialOn("COM1Radio", "8");
        QCOMPARE(dialogs->messageTexts(), QStringList{"Unable to open COM1"});
        QCOMPARE(dialogs->messages().first().caption, QString("Error"));
        QCOMPARE(dialogs->messages().first().icon, platform::MessageIcon::Error);
        QCOMPARE(settings.readString("Dialing", "Prefix"), QString("8"));

        // In use by another program.
        const int other = ::open(modem->devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
        QVERIFY(other >= 0);
        QCOMPARE(flock(other, LOCK_EX | LOCK_NB), 0);
        dialOn("COM2Radio", "");
        ::close(other);
        QCOMPARE(dialogs->messageTexts(), QStringList{"Unable to open COM2"});
        QCOMPARE(modem->received(), QByteArray());

        // A modem that takes nothing: the dial command cannot be written.
        platform::SerialPort::SetWriteTimeout(100);
        QCOMPARE(tcflow(modem->heldDevice(), TCOOFF), 0);
        dialOn("COM2Radio", "");
        tcflow(modem->heldDevice(), TCOON);
        QCOMPARE(dialogs->messageTexts(), QStringList{"Unable to dial number"});

        // One that stops taking bytes once the number is dialled cannot be hung up.
        watched->onMessage = [&](const platform::MessageRequest& request) {
            if (request.text == "Pick up phone")
                tcflow(modem->heldDevice(), TCOOFF);
        };
        modem->received();
        dialOn("COM2Radio", "");
        tcflow(modem->heldDevice(), TCOON);
        QCOMPARE(dialogs->messageTexts(),
                 QStringList({"Pick up phone", "Unable to hang up the modem on COM2"}));
        QCOMPARE(modem->received(), QByteArray("ATDT555-1234\r\n"));
    }

    // Chosen in the preferences, the number goes to the desktop's telephone program as a tel:
    // link; the port and method do not apply and no modem is used.
    void thePreferencesHandNumbersToTheDesktopInstead() {
        start();
        addRecord({{"LNAME", "Adams"}, {"PHONE", "1-800-FLOWERS"}});
        form->RecordFirstClick();
        dialogs->answerDialog([](QDialog& dialog) {
            auto& preferences = static_cast<TPreferences&>(dialog);
            preferences.show();
            if (preferences.DialModem->isChecked()) // the modem is the default
                user::clickBox(preferences.DialTelLink);
            QTest::mouseClick(preferences.OKButton, Qt::LeftButton);
            return preferences.result();
        });
        QVERIFY(user::chooseMenuItem(*form, "Prefences1Click"));
        QCOMPARE(platform::SettingsFile::program().readString("Dialing", "TelLink"), QString("1"));

        QList<QUrl> links;
        bool taken = true;
        platform::SetDesktopLinkHandler([&](const QUrl& link) {
            links << link;
            return taken;
        });
        bool portAndMethodOff = false;
        auto dial = [&] {
            dialogs->answerDialog([&](QDialog& dialog) {
                auto& dialer = static_cast<TCVDialer&>(dialog);
                dialer.show();
                portAndMethodOff =
                    !dialer.PortGroup->isEnabled() && !dialer.MethodGroup->isEnabled();
                user::typeInto(dialer.prefix, "9,");
                QTest::mouseClick(dialer.DialButton, Qt::LeftButton);
                QTest::mouseClick(dialer.CancelButton, Qt::LeftButton);
                return dialer.result();
            });
            user::click(*form, "DialPhone1Button");
        };
        dial();
        QVERIFY(portAndMethodOff);
        QCOMPARE(links, QList<QUrl>{QUrl("tel:91-800-3569377")});
        QVERIFY(dialogs->messages().isEmpty());
        QCOMPARE(modem->received(), QByteArray());
        QCOMPARE(platform::SettingsFile::program().readString("Dialing", "Prefix"), QString("9,"));

        taken = false;
        dial();
        QCOMPARE(dialogs->messageTexts(),
                 QStringList{"Unable to hand the number to the desktop's telephone program"});
    }

private:
    WatchedDialogs* watched = nullptr;
    std::unique_ptr<PseudoTerminal> modem;
};

QTEST_MAIN(DialerTest)
#include "dialer_test.moc"
