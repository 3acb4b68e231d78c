#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The key search dialog: asks for the text to look for on the current sort order.
class TSearchBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 1026;

    // orderCaption names the current sort order, such as "Last Name".
    explicit TSearchBox(const QString& orderCaption, QWidget* parent = nullptr);

    QString text() const;

    QLabel* SearchForLabel = nullptr;
    QLineEdit* SearchForEdit = nullptr;
};
