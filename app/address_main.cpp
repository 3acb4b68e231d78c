#include "app/address_main.h"

#include "app/splash_form.h"
#include "app/whats_this_texts.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/printers.h"
#include "platform/program_dir.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>

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

    buildMenus();
    client_ = new QWidget(this);
    client_->setObjectName("Client");
    setCentralWidget(client_);
    client_->setFixedSize(FormWidth, FormHeight - menuBar()->sizeHint().height());
    buildToolbar(client_);
    buildNamePanel(client_);
    buildPages(client_);
    buildBottomPanel(client_);

    NoData = new QLabel("Please Open or Create a Corvane Address file", client_);
    NoData->setObjectName("NoData");
    QFont noDataFont("Arial");
    noDataFont.setPixelSize(19);
    noDataFont.setBold(true);
    noDataFont.setItalic(true);
    NoData->setFont(noDataFont);
    NoData->setAutoFillBackground(true);
    NoData->setStyleSheet("#NoData { color: #008000; }");
    NoData->setAlignment(Qt::AlignCenter);
    NoData->setWordWrap(true);

    FilterStatus->clear();
    TabSet->setCurrentIndex(0);
    Notebook->setCurrentIndex(0);
    ApplyWhatsThisTexts(*this);
    showNoData(true);
    platform::SetMainForm(this);
}

void TAddressMain::showNoData(bool show) {
    NoData->setGeometry(client_->rect());
    NoData->setVisible(show);
    if (show)
        NoData->raise();
    FilterStatus->setVisible(!show);
}

bool TAddressMain::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        platform::ShowHelpTopic(helpTopic_);
        return true;
    }
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
    // Its messages only inform; printing dialogs check again before they open.
    platform::CheckPrinters();
    FirstActivation = false;
}
