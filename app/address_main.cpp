#include "app/address_main.h"

#include "app/splash_form.h"
#include "platform/dialogs.h"
#include "platform/program_dir.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TAddressMain::TAddressMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("AddressMain");
    setWindowTitle("Corvane");
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(QFont("Arial", 8));
    FormCreate();
}

void TAddressMain::FormCreate() {
    helpFile_ = platform::ProgramDir() + "CORVAN.HLP";
    helpTopic_ = MainHelpTopic;
    FirstActivation = true;

    // Minimum and maximum size are both the form size: the window cannot be resized.
    setFixedSize(FormWidth, FormHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    NoData = new QLabel("Please Open or Create a Corvane Address file", this);
    NoData->setObjectName("NoData");
    QFont noDataFont("Arial");
    noDataFont.setPixelSize(19);
    noDataFont.setBold(true);
    noDataFont.setItalic(true);
    NoData->setFont(noDataFont);
    NoData->setStyleSheet("color: #008000;");
    NoData->setAlignment(Qt::AlignCenter);
    NoData->setWordWrap(true);
    setCentralWidget(NoData);

    platform::SetMainForm(this);
}

bool TAddressMain::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate && FirstActivation)
        FormActivate();
    return handled;
}

void TAddressMain::FormActivate() {
    if (splash_) {
        splash_->close();
        splash_ = nullptr;
    }
    FirstActivation = false;
}
