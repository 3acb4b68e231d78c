#pragma once

#include <QMainWindow>

class QLabel;
class TSplashform;

// The main window: one record of the open address file as a form. Until a file is open it
// shows only the NoData text.
class TAddressMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TAddressMain(QWidget* parent = nullptr);

    // The splash window to close when this window first activates (not owned).
    void setSplash(TSplashform* splash) { splash_ = splash; }

    bool firstActivation() const { return FirstActivation; }
    QLabel* NoData = nullptr;

    static constexpr int FormWidth = 610;
    static constexpr int FormHeight = 450;
    static constexpr int MainHelpTopic = 1029;

protected:
    bool event(QEvent* event) override;

private:
    void FormCreate();
    void FormActivate();

    TSplashform* splash_ = nullptr;
    QString helpFile_;
    int helpTopic_ = 0;
    bool FirstActivation = true;
};
