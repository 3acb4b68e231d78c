#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class TEnterEdit;

// "Dial Phone Number": the number, a dialling prefix, the port and the method. "Dial" dials
// and leaves the dialog open for another try; "Cancel" closes it. When the preferences hand
// numbers to the desktop's telephone program, port and method do not apply.
class TCVDialer : public QDialog {
    Q_OBJECT
public:
    explicit TCVDialer(QWidget* parent = nullptr);

    TEnterEdit* prefix = nullptr;
    TEnterEdit* Number = nullptr;
    QGroupBox* PortGroup = nullptr;
    QButtonGroup* Ports = nullptr; // ids 0 to 3: COM 1 to COM 4
    QGroupBox* MethodGroup = nullptr;
    QButtonGroup* Methods = nullptr; // ids 0 tone, 1 pulse
    QLabel* SetupLabel = nullptr;
    TEnterEdit* SetupString = nullptr;
    QPushButton* DialButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QToolButton* WhatsThisButton = nullptr;

    static constexpr int HelpTopic = 1031;

    void DialButtonClick();

private:
    void LoadPreferences();
    void SavePreferences();
    bool throughDesktop_ = false;
};
