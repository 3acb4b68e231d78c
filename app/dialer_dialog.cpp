#include "app/dialer_dialog.h"

#include "app/dial_strings.h"
#include "app/dialer.h"
#include "app/dialing_settings.h"
#include "controls/enter_edit.h"
#include "platform/desktop_link.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/settings_file.h"
#include "platform/whats_this.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

TEnterEdit* edit(QWidget* parent, const QString& name, const QString& help) {
    auto* box = new TEnterEdit(parent);
    box->setObjectName(name);
    box->setWhatsThis(help);
    return box;
}

QRadioButton* radio(QGroupBox* group, QButtonGroup* buttons, const QString& caption, int id) {
    auto* button = new QRadioButton(caption, group);
    button->setObjectName(QString(caption).remove(' ') + "Radio");
    buttons->addButton(button, id);
    return button;
}

} // namespace

TCVDialer::TCVDialer(QWidget* parent) : QDialog(parent) {
    setObjectName("CVDialer");
    setWindowTitle("Dial Phone Number");
    auto* layout = new QGridLayout(this);

    prefix = edit(this, "prefix",
                  "Digits dialled before the number, such as 9 for an outside "
                  "line. A comma makes the modem pause.");
    Number = edit(this, "Number",
                  "The number to dial. Letters are dialled as the digits of "
                  "their keys.");
    auto* prefixLabel = new QLabel("Prefix", this);
    prefixLabel->setBuddy(prefix);
    auto* numberLabel = new QLabel("Number to Dial", this);
    numberLabel->setBuddy(Number);
    layout->addWidget(prefixLabel, 0, 0);
    layout->addWidget(prefix, 0, 1);
    layout->addWidget(numberLabel, 1, 0);
    layout->addWidget(Number, 1, 1);

    PortGroup = new QGroupBox("Port", this);
    PortGroup->setObjectName("PortGroup");
    PortGroup->setWhatsThis("The serial port the modem is on.");
    Ports = new QButtonGroup(this);
    auto* portLayout = new QGridLayout(PortGroup);
    for (int i = 0; i < 4; ++i)
        portLayout->addWidget(radio(PortGroup, Ports, QString("COM %1").arg(i + 1), i), i % 2,
                              i / 2);
    MethodGroup = new QGroupBox("Method", this);
    MethodGroup->setObjectName("MethodGroup");
    MethodGroup->setWhatsThis("Tone dialling, or pulse dialling for old exchanges.");
    Methods = new QButtonGroup(this);
    auto* methodLayout = new QVBoxLayout(MethodGroup);
    methodLayout->addWidget(radio(MethodGroup, Methods, "Tone", 0));
    methodLayout->addWidget(radio(MethodGroup, Methods, "Pulse", 1));
    layout->addWidget(PortGroup, 2, 0);
    layout->addWidget(MethodGroup, 2, 1);

    // The initialization string is kept in the settings but not offered.
    SetupLabel = new QLabel("Modem Initialization String", this);
    SetupString = edit(this, "SetupString", "Commands that prepare the modem.");
    SetupLabel->hide();
    SetupString->hide();
    layout->addWidget(SetupLabel, 3, 0);
    layout->addWidget(SetupString, 3, 1);

    auto* buttons = new QHBoxLayout;
    DialButton = new QPushButton("Dial", this);
    DialButton->setObjectName("DialButton");
    DialButton->setDefault(true);
    DialButton->setWhatsThis("Dial the number; then pick up the phone when asked.");
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    CancelButton->setWhatsThis("Close this window.");
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    HelpButton->setWhatsThis("Show help on dialling.");
    WhatsThisButton = platform::NewWhatsThisButton(this);
    for (QWidget* button :
         {static_cast<QWidget*>(DialButton), static_cast<QWidget*>(CancelButton),
          static_cast<QWidget*>(HelpButton), static_cast<QWidget*>(WhatsThisButton)})
        buttons->addWidget(button);
    layout->addLayout(buttons, 4, 0, 1, 2);

    connect(DialButton, &QPushButton::clicked, this, [this] { DialButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    LoadPreferences();
    // Its size is known before it is centred over the main window.
    adjustSize();
}

void TCVDialer::LoadPreferences() {
    const DialingSettings s = DialingSettings::read(platform::SettingsFile::program());
    prefix->setText(s.Prefix);
    SetupString->setText(s.Init);
    // A value out of range, from a settings file edited by hand, picks the first item.
    (Ports->button(s.Port) ? Ports->button(s.Port) : Ports->button(0))->setChecked(true);
    (Methods->button(s.Method) ? Methods->button(s.Method) : Methods->button(0))->setChecked(true);
    throughDesktop_ = s.TelLink;
    PortGroup->setEnabled(!throughDesktop_);
    MethodGroup->setEnabled(!throughDesktop_);
}

void TCVDialer::SavePreferences() {
    DialingSettings s;
    s.Prefix = prefix->text();
    s.Init = SetupString->text();
    s.Port = Ports->checkedId();
    s.Method = Methods->checkedId();
    platform::SettingsFile settings = platform::SettingsFile::program();
    if (!s.writeDialerKeys(settings))
        platform::ShowInfo("Unable to write the settings file " + settings.path());
}

void TCVDialer::DialButtonClick() {
    HelpButton->hide();
    WhatsThisButton->hide();
    // The prefix is remembered even when the dialling then fails.
    SavePreferences();
    if (throughDesktop_) {
        if (!platform::OpenDesktopLink(TelLink(prefix->text(), Number->text())))
            platform::ShowError("Unable to hand the number to the desktop's telephone program");
        return;
    }
    TDialer dialer;
    dialer.NumberToDial = ModemPrefix(prefix->text()) + ModemNumber(Number->text());
    dialer.Method = Methods->checkedId() == 1 ? TMethod::dmPulse : TMethod::dmTone;
    dialer.ComPort = TComPort(Ports->checkedId());
    dialer.Dial();
}
