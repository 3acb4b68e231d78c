#pragma once

#include <QDialog>

class QPushButton;

// The start-up window: product name and version, borderless and on top until the main
// window first activates. The About box shows the same window with its OK button.
class TSplashform : public QDialog {
    Q_OBJECT
public:
    explicit TSplashform(bool withOkButton = false, QWidget* parent = nullptr);
    QPushButton* OKButton = nullptr;
};
