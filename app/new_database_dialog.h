#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TEnterEdit;

// "Create new database": asks for the name of a new address file (no extension).
class TNewDataBaseName : public QDialog {
    Q_OBJECT
public:
    explicit TNewDataBaseName(const QString& proposal, QWidget* parent = nullptr);
    QString name() const;

    TEnterEdit* DBFFileName = nullptr;
    QLabel* InvalidLabel = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

    static constexpr int HelpTopic = 1037;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DBFFileNameChange();
};
