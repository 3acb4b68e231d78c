#include "app/preferences_dialog.h"

#include "app/dialing_settings.h"
#include "app/preferences.h"
#include "controls/enter_edit.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/settings_file.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QCheckBox* check(QWidget* parent, QLayout* layout, const QString& caption, const QString& name,
                 const QString& help) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setWhatsThis(help);
    layout->addWidget(box);
    return box;
}

} // namespace

TPreferences::TPreferences(QWidget* parent) : QDialog(parent) {
    setObjectName("Preferences");
    setWindowTitle("Preferences");
    auto* layout = new QVBoxLayout(this);

    auto* adding = new QGroupBox(" When adding new records", this);
    auto* addingLayout = new QVBoxLayout(adding);
    PlugDate = check(adding, addingLayout, "Enter today's date in the date field", "PlugDate",
                     "A new record gets today's date.");
    PlugCityState =
        check(adding, addingLayout, "Automatically insert city and state/province", "PlugCityState",
              "A new record gets the city and state of a record with the same ZIP.");
    // Only a choice while city and state are filled in at all.
    auto* zipTableRow = new QHBoxLayout;
    zipTableRow->addSpacing(20);
    UseZipTable = check(adding, zipTableRow, "Use the US ZIP code table when no record has the ZIP",
                        "UseZipTable",
                        "When no record has the ZIP, a new record gets the city and state "
                        "that the US ZIP code table gives for its first five digits.");
    addingLayout->addLayout(zipTableRow);
    connect(PlugCityState, &QCheckBox::toggled, UseZipTable, &QWidget::setEnabled);
    AutoDupCheck = check(adding, addingLayout, "Automatically check for duplicate names",
                         "AutoDupCheck", "Warns when the new name is already in the file.");
    auto* countryRow = new QHBoxLayout;
    countryRow->addWidget(new QLabel("Default Country Name", adding));
    DefCountry = new TEnterEdit(adding);
    DefCountry->setObjectName("DefCountry");
    DefCountry->setMaxLength(30);
    DefCountry->setWhatsThis("The country a new record starts with.");
    countryRow->addWidget(DefCountry);
    addingLayout->addLayout(countryRow);
    layout->addWidget(adding);

    auto* carry = new QGroupBox("Carry forward the following fields:", this);
    auto* carryLayout = new QVBoxLayout(carry);
    const QString carryHelp = "A new record starts with this field of the record shown before.";
    CarryOrg = check(carry, carryLayout, "Organization", "CarryOrg", carryHelp);
    CarrySA1 = check(carry, carryLayout, "Address 1", "CarrySA1", carryHelp);
    CarrySA2 = check(carry, carryLayout, "Address 2", "CarrySA2", carryHelp);
    CarryCity = check(carry, carryLayout, "City", "CarryCity", carryHelp);
    CarryState = check(carry, carryLayout, "State/Province", "CarryState", carryHelp);
    CarryZip = check(carry, carryLayout, "Zip/Postal Code", "CarryZip", carryHelp);
    CarryCountry = check(carry, carryLayout, "Country", "CarryCountry", carryHelp);
    layout->addWidget(carry);

    auto* dialing = new QGroupBox("Dial phone numbers", this);
    auto* dialingLayout = new QVBoxLayout(dialing);
    DialModem = new QRadioButton("Through a modem on a serial port", dialing);
    DialModem->setObjectName("DialModem");
    DialModem->setWhatsThis("The dial buttons send the number to a modem.");
    DialTelLink = new QRadioButton("With the desktop's telephone program (tel: link)", dialing);
    DialTelLink->setObjectName("DialTelLink");
    DialTelLink->setWhatsThis("The dial buttons hand the number to the program this desktop uses "
                              "for telephone links, such as an internet telephone.");
    dialingLayout->addWidget(DialModem);
    dialingLayout->addWidget(DialTelLink);
    layout->addWidget(dialing);

    auto* buttons = new QHBoxLayout;
    OKButton = new QPushButton("Ok", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    OKButton->setWhatsThis("Keep these settings.");
    CancelButton->setWhatsThis("Close without changing the settings.");
    HelpButton->setWhatsThis("Show help on the preferences.");
    for (QPushButton* button : {OKButton, CancelButton, HelpButton})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    connect(OKButton, &QPushButton::clicked, this, [this] {
        SavePreferences();
        done(platform::ResultOk);
    });
    connect(CancelButton, &QPushButton::clicked, this, [this] { done(platform::ResultCancel); });
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    LoadPreferences();
    // Its size is known before it is centred over the main window.
    adjustSize();
}

void TPreferences::LoadPreferences() {
    const AddingPreferences p = AddingPreferences::read(platform::SettingsFile::program());
    PlugDate->setChecked(p.PlugDate);
    PlugCityState->setChecked(p.PlugCityState);
    UseZipTable->setChecked(p.UseZipTable);
    UseZipTable->setEnabled(p.PlugCityState);
    AutoDupCheck->setChecked(p.AutoDupCheck);
    DefCountry->setText(p.DefaultCountry);
    CarryOrg->setChecked(p.CarryOrg);
    CarrySA1->setChecked(p.CarrySA1);
    CarrySA2->setChecked(p.CarrySA2);
    CarryCity->setChecked(p.CarryCity);
    CarryState->setChecked(p.CarryState);
    CarryZip->setChecked(p.CarryZip);
    CarryCountry->setChecked(p.CarryCountry);
    const bool telLink = DialingSettings::read(platform::SettingsFile::program()).TelLink;
    (telLink ? DialTelLink : DialModem)->setChecked(true);
}

void TPreferences::SavePreferences() {
    AddingPreferences p;
    p.PlugDate = PlugDate->isChecked();
    p.PlugCityState = PlugCityState->isChecked();
    p.UseZipTable = UseZipTable->isChecked();
    p.AutoDupCheck = AutoDupCheck->isChecked();
    p.DefaultCountry = DefCountry->text();
    p.CarryOrg = CarryOrg->isChecked();
    p.CarrySA1 = CarrySA1->isChecked();
    p.CarrySA2 = CarrySA2->isChecked();
    p.CarryCity = CarryCity->isChecked();
    p.CarryState = CarryState->isChecked();
    p.CarryZip = CarryZip->isChecked();
    p.CarryCountry = CarryCountry->isChecked();
    DialingSettings dialing;
    dialing.TelLink = DialTelLink->isChecked();
    platform::SettingsFile settings = platform::SettingsFile::program();
    const bool written = p.write(settings);
    if (!dialing.writeTelLink(settings) || !written)
        platform::ShowInfo("Unable to write the settings file " + settings.path());
}
