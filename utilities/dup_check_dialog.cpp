#include "utilities/dup_check_dialog.h"

#include "data/address_file.h"
#include "data/table_object.h"
#include "data/xb_engine.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"
#include "select/tag_all_dialog.h"
#include "utilities/pass_monitor.h"
#include "utilities/record_grid.h"
#include "utilities/work_index.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace utilities {

namespace {

QString countText(unsigned found) {
    return "Found " + QString::number(found) + " possible duplicates";
}

} // namespace

TDupCheck::TDupCheck(data::TTable& table, data::TXbEngine& engine, data::TDataSource&,
                     TagHooks hooks, QWidget* parent)
    : QDialog(parent), table_(table), engine_(engine), hooks_(std::move(hooks)) {
    setObjectName("DupCheck");
    setWindowTitle("Check and Repair Duplicates");
    resize(800, 480);
    auto* layout = new QVBoxLayout(this);
    buildSetupPanel();
    buildResultPanel();
    layout->addWidget(SetupPanel);
    layout->addWidget(ResultPanel, 1);

    Gauge1 = NewPassGauge(this, "How far the check has gone through the records.");
    LabelCount = new QLabel(this);
    LabelCount->setObjectName("LabelCount");
    platform::GiveWhatsThis(*LabelCount, "How many possible duplicates the check found.");
    layout->addWidget(Gauge1);
    layout->addWidget(LabelCount);

    auto* bar = new QHBoxLayout;
    OKButton = AddButton(this, bar, "Ok", "OKButton", "Close this window.");
    OKButton->setDefault(true);
    CancelButton = AddButton(this, bar, "Cancel", "CancelButton",
                             "Stop the check after the record in hand; what was found so far is "
                             "listed.");
    CancelButton->hide();
    bar->addStretch(1);
    HelpButton = AddButton(this, bar, "Help", "HelpButton", "Show help on the duplicates check.");
    WhatsThisButton = platform::NewWhatsThisButton(this);
    bar->addWidget(WhatsThisButton);
    layout->addLayout(bar);

    monitor_ = new TPassMonitor(Gauge1, LabelCount, countText, this);
    connect(OKButton, &QPushButton::clicked, this, &TDupCheck::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TDupCheck::CancelButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
    KindofCheckClick();
}

TDupCheck::~TDupCheck() {
    // The work index goes on every way out, also after a check that failed part-way.
    if (running_ || done_)
        RemoveWorkIndex(engine_, DupWorkIndexPath());
}

void TDupCheck::buildSetupPanel() {
    SetupPanel = new QFrame(this);
    SetupPanel->setObjectName("SetupPanel");
    auto* column = new QVBoxLayout(SetupPanel);
    auto* heading = new QLabel("Duplicate Record Check Setup", SetupPanel);
    heading->setObjectName("SetupHeading");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    platform::GiveWhatsThis(*heading, "Choose what to compare, then start the check.");
    column->addWidget(heading);

    KindofCheck = new QGroupBox("What to check:", SetupPanel);
    KindofCheck->setObjectName("KindofCheck");
    platform::GiveWhatsThis(*KindofCheck,
                            "What makes two records possible duplicates: the same last and first "
                            "name, the same last name and first initial, or the same street.");
    auto* kinds = new QVBoxLayout(KindofCheck);
    kinds_ = new QButtonGroup(this);
    const struct {
        const char* caption;
        const char* name;
        QRadioButton** button;
        const char* whatsThis;
    } items[] = {
        {"&Last + First", "LastFirstButton", &LastFirstButton,
         "Records whose last and first names agree, in any letter case."},
        {"Last + &First Initial", "LastInitialButton", &LastInitialButton,
         "Records whose last names and the first letters of their first names agree."},
        {"&Street Address", "StreetButton", &StreetButton,
         "Records whose streets agree in as many characters as you choose below."},
    };
    int id = 0;
    for (const auto& item : items) {
        *item.button = new QRadioButton(item.caption, KindofCheck);
        (*item.button)->setObjectName(item.name);
        platform::GiveWhatsThis(**item.button, item.whatsThis);
        kinds->addWidget(*item.button);
        kinds_->addButton(*item.button, id++);
    }
    LastFirstButton->setChecked(true);
    connect(kinds_, &QButtonGroup::idClicked, this, [this] { KindofCheckClick(); });
    column->addWidget(KindofCheck);

    auto* chars = new QHBoxLayout;
    AddressCharsLabel =
        new QLabel("Check how many characters of street address (max 30)", SetupPanel);
    AddressCharsLabel->setObjectName("AddressCharsLabel");
    platform::GiveWhatsThis(*AddressCharsLabel, "How much of the street is compared.");
    AddressChars = new QSpinBox(SetupPanel);
    AddressChars->setObjectName("AddressChars");
    AddressChars->setRange(1, MaxStreetChars);
    AddressChars->setValue(MaxStreetChars);
    AddressCharsLabel->setBuddy(AddressChars);
    platform::GiveWhatsThis(*AddressChars,
                            "How many characters of the street, from its start, must agree. "
                            "Fewer characters find more possible duplicates.");
    chars->addWidget(AddressCharsLabel);
    chars->addWidget(AddressChars);
    chars->addStretch(1);
    column->addLayout(chars);

    auto* start = new QHBoxLayout;
    CheckitButton = AddButton(SetupPanel, start, "&Perform Duplicate Check Now", "CheckitButton",
                              "Start the check. It can run once each time this window opens.");
    start->addStretch(1);
    column->addLayout(start);
    column->addStretch(1);
    connect(CheckitButton, &QPushButton::clicked, this, &TDupCheck::CheckitButtonClick);
}

void TDupCheck::buildResultPanel() {
    ResultPanel = new QFrame(this);
    ResultPanel->setObjectName("ResultPanel");
    ResultPanel->hide();
    auto* column = new QVBoxLayout(ResultPanel);
    column->setContentsMargins(0, 0, 0, 0);
    ChkDupsGrid = new TRecordGrid(ResultPanel);
    ChkDupsGrid->setObjectName("ChkDupsGrid");
    ChkDupsGrid->setToggleTag([this] { TagButtonClick(); });
    platform::GiveWhatsThis(*ChkDupsGrid,
                            "The possible duplicates. Click a field to change it; double-click "
                            "the Tagged column to tag or untag a record.");

    auto* buttons = new QHBoxLayout;
    NavigatorChkDup = NewGridNavigator(ResultPanel, *ChkDupsGrid, "NavigatorChkDup");
    buttons->addWidget(NavigatorChkDup);
    buttons->addSpacing(8);
    DeleteButton = AddButton(ResultPanel, buttons, "&Delete", "DeleteButton",
                             "Delete the selected record, after asking.");
    SaveButton = AddButton(ResultPanel, buttons, "S&ave", "SaveButton",
                           "Store the changes typed into the selected record.");
    UndoButton = AddButton(ResultPanel, buttons, "&Undo", "UndoButton",
                           "Drop the changes typed into the selected record.");
    TagButton = AddButton(ResultPanel, buttons, "&Tag", "TagButton",
                          "Tag the selected record, or untag it when it is tagged.");
    TagAllButton = AddButton(ResultPanel, buttons, "Tag &All", "TagAllButton",
                             "Tag every record of the list, after asking.");
    buttons->addStretch(1);
    column->addLayout(buttons);
    auto* note = new QLabel("Click on field to begin editing", ResultPanel);
    note->setObjectName("EditNote");
    platform::GiveWhatsThis(*note, "Fields of the list can be changed where they stand.");
    column->addWidget(note);
    column->addWidget(ChkDupsGrid, 1);

    connect(DeleteButton, &QPushButton::clicked, this, &TDupCheck::DeleteButtonClick);
    connect(SaveButton, &QPushButton::clicked, this, [this] { ChkDupsGrid->save(); });
    connect(UndoButton, &QPushButton::clicked, this, [this] { ChkDupsGrid->undo(); });
    connect(TagButton, &QPushButton::clicked, this, &TDupCheck::TagButtonClick);
    connect(TagAllButton, &QPushButton::clicked, this, &TDupCheck::TagAllButtonClick);
}

DupKind TDupCheck::kind() const {
    return DupKind(kinds_->checkedId());
}

void TDupCheck::KindofCheckClick() {
    const bool street = kind() == DupKind::Street;
    AddressChars->setVisible(street);
    AddressCharsLabel->setVisible(street);
}

void TDupCheck::CheckitButtonClick() {
    if (running_ || done_)
        return;
    running_ = true;
    SetupPanel->hide();
    HelpButton->hide();
    WhatsThisButton->hide();
    OKButton->hide();
    CancelButton->show();
    const DupKind chosen = kind();
    Gauge1->setValue(0);
    QApplication::processEvents();
    Gauge1->show();
    try {
        matches_ = RunDupCheck(table_, engine_, chosen, AddressChars->value(), DupWorkIndexPath(),
                               monitor_->step())
                       .matches;
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    Gauge1->hide();
    if (matches_ > 0) {
        ResultPanel->show();
        ChkDupsGrid->bind(table_, engine_);
        if (chosen == DupKind::Street)
            ChkDupsGrid->moveFieldTo("STREET", 1);
    }
    CancelButton->hide();
    HelpButton->show();
    WhatsThisButton->show();
    OKButton->show();
    monitor_->showCount(matches_);
    running_ = false;
    done_ = true;
}

void TDupCheck::CancelButtonClick() {
    if (running_ && AskInformationYesNo("Cancel operation?"))
        monitor_->requestStop();
}

void TDupCheck::OKButtonClick() {
    if (running_)
        return;
    // What was typed into the list is kept, or the window stays to put it right.
    if (ChkDupsGrid->bound() && !ChkDupsGrid->save())
        return;
    done(platform::ResultOk);
}

void TDupCheck::reject() {
    if (running_)
        CancelButtonClick();
    else
        OKButtonClick();
}

void TDupCheck::DeleteButtonClick() {
    if (table_.bof() && table_.eof())
        return;
    if (!AskInformationYesNo("Delete this record?"))
        return;
    QApplication::processEvents();
    try {
        data::SoftDeleteRecord(table_);
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    // The record no longer passes "!ISDEL": it leaves the list.
    ChkDupsGrid->reload();
}

void TDupCheck::TagButtonClick() {
    if (hooks_.toggleTag && !(table_.bof() && table_.eof()))
        hooks_.toggleTag();
    ChkDupsGrid->refreshCurrent();
}

void TDupCheck::TagAllButtonClick() {
    if (!platform::ConfirmYesNo("Tag all possible duplicates?", "TAG ALL"))
        return;
    if (!ChkDupsGrid->save())
        return;
    selection::TagAllRecords(table_, hooks_.tagId, this);
    ChkDupsGrid->reload();
}

} // namespace utilities
