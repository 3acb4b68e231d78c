#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;
class QRadioButton;
class TEnterEdit;

// "Preferences": the options for adding new records and how numbers are dialled, kept in the
// settings file.
class TPreferences : public QDialog {
    Q_OBJECT
public:
    explicit TPreferences(QWidget* parent = nullptr);

    QCheckBox* PlugDate = nullptr;
    QCheckBox* PlugCityState = nullptr;
    QCheckBox* UseZipTable = nullptr;
    QCheckBox* AutoDupCheck = nullptr;
    TEnterEdit* DefCountry = nullptr;
    QCheckBox* CarryOrg = nullptr;
    QCheckBox* CarrySA1 = nullptr;
    QCheckBox* CarrySA2 = nullptr;
    QCheckBox* CarryCity = nullptr;
    QCheckBox* CarryState = nullptr;
    QCheckBox* CarryZip = nullptr;
    QCheckBox* CarryCountry = nullptr;
    // How the dial buttons dial: through a modem, or by the desktop's telephone program.
    QRadioButton* DialModem = nullptr;
    QRadioButton* DialTelLink = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

    static constexpr int HelpTopic = 1038;

private:
    void LoadPreferences();
    void SavePreferences();
};
