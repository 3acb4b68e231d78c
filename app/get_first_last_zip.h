#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TEnterEdit;

// "New Record": asks for the name (for the duplicate check) and the ZIP (for city and state)
// before a record is added; each part only when its preference is on.
class TGetFirstLastZip : public QDialog {
    Q_OBJECT
public:
    TGetFirstLastZip(bool askName, bool askZip, QWidget* parent = nullptr);

    TEnterEdit* LastName = nullptr;
    TEnterEdit* FirstName = nullptr;
    TEnterEdit* Zip = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    static constexpr int HelpTopic = 1091;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
