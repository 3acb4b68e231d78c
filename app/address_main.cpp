#include "app/address_main.h"

#include "app/splash_form.h"
#include "app/whats_this_texts.h"
#include "data/address_file.h"
#include "data/shipped_tables.h"
#include "data/xb_env.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/path_lookup.h"
#include "platform/printers.h"
#include "platform/program_dir.h"
#include "platform/settings_file.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>

TAddressMain::TAddressMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("AddressMain");
    setWindowTitle("Corvane");
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(QFont("Arial", 8));
    FormCreate();
}

void TAddressMain::FormCreate() {
    // Help pages and shipped rows are compiled into a static library.
    Q_INIT_RESOURCE(resources);
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
    setupDataObjects();
    // The window sees the keys of its controls first; menus keep their own keys.
    for (QWidget* child : findChildren<QWidget*>())
        if (isWindowControl(child))
            child->installEventFilter(this);
    showNoData(true);
    SetButtons();
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
    // The start-up work runs on the first activation, or once the shown window has nothing
    // else to do when no activation comes (a desktop without a window manager).
    if (event->type() == QEvent::WindowActivate)
        runStartUp();
    if (event->type() == QEvent::Show && FirstActivation)
        QTimer::singleShot(250, this, [this] { runStartUp(); });
    return handled;
}

// The start-up work lets pending events run, which may bring a second activation.
void TAddressMain::runStartUp() {
    if (!FirstActivation || startingUp_)
        return;
    startingUp_ = true;
    FormActivate();
    startingUp_ = false;
}

// The reference tables ship with the program as rows; they are made in sysdata\ the first time.
void TAddressMain::installShippedTables() {
    auto rows = [](const char* resource) {
        QFile file(resource);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    data::InstallLabelStockTable(rows(":/data/label-stock.csv"));
    data::InstallStateZipTable(rows(":/data/state-zip.csv"));
    // A ZIP table that cannot be made is said when adding first needs it.
    data::InstallZipCityTable(rows(":/data/us-zip-cities.csv"));
}

void TAddressMain::FormActivate() {
    if (splash_) {
        splash_->close();
        splash_ = nullptr;
    }
    MemoEditArmed = false;
    FollowTableEvents = true;
    QueryString.clear();
    data::TXbEnv& env = data::TXbEnv::instance();
    env.Deleted = true;
    env.Century = true;
    LoadPreferences();
    installShippedTables();
    // The file to open: the first recent file, else DATA\add0001.DBF, created when missing.
    const QStringList recent = GetMRUList(platform::SettingsFile::program());
    QString path = recent.isEmpty() ? QString() : recent.first();
    if (path.isEmpty()) {
        path = platform::RealPath("DATA\\add0001.DBF");
        if (!QFileInfo::exists(path) && !data::CreateAddressFile(path, TAbleCreate, EngineCreate))
            path.clear();
    }
    OpenCVWDBF(path);
    if (TableCVW.active())
        ApplyQuery();
    UpdateMenuMRUList();
    SetButtons();
    // Its messages only inform; printing dialogs check again before they open.
    platform::CheckPrinters();
    FirstActivation = false;
}
