#include "utilities/state_zip_dialog.h"

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/whats_this.h"
#include "select/tag_all_dialog.h"
#include "utilities/pass_monitor.h"
#include "utilities/record_grid.h"
#include "utilities/state_zip.h"
#include "utilities/work_index.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace utilities {

namespace {

QString countText(unsigned found) {
    return "Found " + QString::number(found) + " records with questionable state or zipcodes";
}

QLabel* note(QWidget* parent, const QString& text, const char* name, const QString& whatsThis) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    platform::GiveWhatsThis(*label, whatsThis);
    return label;
}

void showError(const std::exception& error) {
    platform::ShowInfo(QString::fromLocal8Bit(error.what()));
}

} // namespace

TStateZipCheck::TStateZipCheck(data::TTable& table, data::TXbEngine& engine, data::TDataSource&,
                               TagHooks hooks, QWidget* parent)
    : QDialog(parent), table_(table), engine_(engine), hooks_(std::move(hooks)) {
    setObjectName("StateZipCheck");
    setWindowTitle("Check State and Zip  Codes");
    resize(800, 480);
    cszSource_.setDataSet(&csz_);
    cszEngine_.DataSource = &cszSource_;

    auto* layout = new QVBoxLayout(this);
    buildSetupPanel();
    buildResultPanel();
    buildCszPanel();
    layout->addWidget(SetupPanel, 1);
    layout->addWidget(ResultPanel, 1);
    layout->addWidget(CszPanel, 1);
    Gauge1 = NewPassGauge(this, "How far the check has gone through the records.");
    LabelCount = new QLabel(this);
    LabelCount->setObjectName("LabelCount");
    platform::GiveWhatsThis(*LabelCount, "How many questionable records the check found so far.");
    layout->addWidget(Gauge1);
    layout->addWidget(LabelCount);

    auto* bar = new QHBoxLayout;
    CloseButton = AddButton(this, bar, "Close", "CloseButton", "Close this window.");
    CloseButton->setDefault(true);
    CancelButton = AddButton(this, bar, "Cancel", "CancelButton",
                             "Stop the check after the record in hand; the records found so far "
                             "are listed.");
    CancelButton->hide();
    EditStateProvButton = AddButton(this, bar, EditCaption, "EditStateProvButton",
                                    "Edit the table of states or provinces and their ZIP or "
                                    "postal code ranges, or stop editing it.");
    bar->addStretch(1);
    HelpButton =
        AddButton(this, bar, "Help", "HelpButton", "Show help on the state and ZIP check.");
    WhatsThisButton = platform::NewWhatsThisButton(this);
    bar->addWidget(WhatsThisButton);
    layout->addLayout(bar);

    monitor_ = new TPassMonitor(Gauge1, LabelCount, countText, this);
    connect(CloseButton, &QPushButton::clicked, this, &TStateZipCheck::CloseButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TStateZipCheck::CancelButtonClick);
    connect(EditStateProvButton, &QPushButton::clicked, this,
            &TStateZipCheck::EditStateProvButtonClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { platform::ShowHelpTopic(HelpTopic); });
}

TStateZipCheck::~TStateZipCheck() {
    if (running_ || done_)
        RemoveWorkIndex(engine_, StateZipWorkIndexPath(table_));
    // The grid over CSZ.DBF goes before the table it reads, which is a member of this dialog.
    delete StateProvGrid;
    csz_.close();
}

void TStateZipCheck::buildSetupPanel() {
    SetupPanel = new QFrame(this);
    SetupPanel->setObjectName("SetupPanel");
    auto* column = new QVBoxLayout(SetupPanel);
    QLabel* heading = note(SetupPanel, "Check For State/Province  & Zipcode/Postal Code Anomolies",
                           "SetupHeading", "Set the check up, then start it.");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    column->addWidget(heading);
    CheckBlanks = new QCheckBox(
        "Include records with blank State/Province or Zip/Postcode entries?", SetupPanel);
    CheckBlanks->setObjectName("CheckBlanks");
    platform::GiveWhatsThis(*CheckBlanks, "Also list records whose state or ZIP is empty.");
    column->addWidget(CheckBlanks);
    auto* start = new QHBoxLayout;
    CheckitButton = AddButton(SetupPanel, start, "Perform Check Now", "CheckitButton",
                              "Start the check. It can run once each time this window opens.");
    start->addStretch(1);
    column->addLayout(start);
    column->addWidget(note(SetupPanel,
                           "A check will be performed by comparing the records in the file "
                           "against the State/Province file, which contains a list of State/Zip "
                           "Province/Postcode combinations. This file may be edited or added to "
                           "by clicking the 'Edit State/Province File' button below.",
                           "SetupNote", "What the check compares."));
    column->addStretch(1);
    connect(CheckitButton, &QPushButton::clicked, this, &TStateZipCheck::CheckitButtonClick);
}

void TStateZipCheck::buildResultPanel() {
    ResultPanel = new QFrame(this);
    ResultPanel->setObjectName("ResultPanel");
    ResultPanel->hide();
    auto* column = new QVBoxLayout(ResultPanel);
    column->setContentsMargins(0, 0, 0, 0);
    ChkStateZip = new TRecordGrid(ResultPanel);
    ChkStateZip->setObjectName("ChkStateZip");
    ChkStateZip->setToggleTag([this] { TagButtonClick(); });
    platform::GiveWhatsThis(*ChkStateZip,
                            "The records with questionable state or ZIP. Click a field to change "
                            "it; double-click the Tagged column to tag or untag a record.");
    auto* buttons = new QHBoxLayout;
    ResultNavigator = NewGridNavigator(ResultPanel, *ChkStateZip, "ResultNavigator");
    buttons->addWidget(ResultNavigator);
    buttons->addSpacing(8);
    EditButton = AddButton(ResultPanel, buttons, "&Edit", "EditButton",
                           "Start changing the selected record.");
    SaveButton = AddButton(ResultPanel, buttons, "&Save", "SaveButton",
                           "Store the changes typed into the selected record.");
    CancelEditButton = AddButton(ResultPanel, buttons, "&Cancel", "CancelEditButton",
                                 "Drop the changes typed into the selected record.");
    TagButton = AddButton(ResultPanel, buttons, "&Tag", "TagButton",
                          "Tag the selected record, or untag it when it is tagged.");
    TagAllButton = AddButton(ResultPanel, buttons, "Tag &All", "TagAllButton",
                             "Tag every record of the list, after asking.");
    buttons->addStretch(1);
    column->addLayout(buttons);
    column->addWidget(note(ResultPanel, "Click on field to begin editing", "EditNote",
                           "Fields of the list can be changed where they stand."));
    column->addWidget(ChkStateZip, 1);
    column->addWidget(note(ResultPanel,
                           "These records have questionable state/zip or province/postcode "
                           "combinations. You may edit the contents to make changes. When you "
                           "are done, press the Close button.",
                           "ResultNote", "What the list holds."));
    connect(EditButton, &QPushButton::clicked, this, [this] {
        try {
            if (table_.state() == data::TableState::Browse)
                table_.edit();
        } catch (const std::exception& error) {
            showError(error);
        }
        ChkStateZip->refreshCurrent();
    });
    connect(SaveButton, &QPushButton::clicked, this, [this] { ChkStateZip->save(); });
    connect(CancelEditButton, &QPushButton::clicked, this, [this] { ChkStateZip->undo(); });
    connect(TagButton, &QPushButton::clicked, this, &TStateZipCheck::TagButtonClick);
    connect(TagAllButton, &QPushButton::clicked, this, &TStateZipCheck::TagAllButtonClick);
}

void TStateZipCheck::buildCszPanel() {
    CszPanel = new QFrame(this);
    CszPanel->setObjectName("CszPanel");
    CszPanel->hide();
    auto* column = new QVBoxLayout(CszPanel);
    column->setContentsMargins(0, 0, 0, 0);
    StateProvGrid = new TRecordGrid(CszPanel);
    StateProvGrid->setObjectName("StateProvGrid");
    StateProvGrid->setAppendable(true);
    platform::GiveWhatsThis(*StateProvGrid,
                            "The states or provinces with their ranges of ZIP or postal codes. "
                            "Click a field to change it; move down past the last row to add "
                            "one.");
    auto* buttons = new QHBoxLayout;
    CszNavigator = NewGridNavigator(CszPanel, *StateProvGrid, "CszNavigator");
    buttons->addWidget(CszNavigator);
    buttons->addSpacing(8);
    CszDeleteButton = AddButton(CszPanel, buttons, "Delete", "CszDeleteButton",
                                "Delete the selected state or province row, after asking.");
    CszSaveButton = AddButton(CszPanel, buttons, "Save", "CszSaveButton",
                              "Store the changes typed into the selected row.");
    CszUndoButton = AddButton(CszPanel, buttons, "Undo", "CszUndoButton",
                              "Drop the changes typed into the selected row.");
    buttons->addStretch(1);
    column->addLayout(buttons);
    column->addWidget(note(CszPanel, "Click on field to begin editing", "CszEditNote",
                           "Rows can be changed where they stand."));
    column->addWidget(StateProvGrid, 1);
    column->addWidget(note(CszPanel,
                           "Make changes to the State/Province file to best reflect "
                           "your country",
                           "CszNote", "What the table is for."));
    connect(CszDeleteButton, &QPushButton::clicked, this, &TStateZipCheck::CszDeleteButtonClick);
    connect(CszSaveButton, &QPushButton::clicked, this, [this] { StateProvGrid->save(); });
    connect(CszUndoButton, &QPushButton::clicked, this, [this] { StateProvGrid->undo(); });
}

QFrame* TStateZipCheck::mainPanel() const {
    return done_ ? ResultPanel : SetupPanel;
}

void TStateZipCheck::showIdleButtons(bool shown) {
    HelpButton->setVisible(shown);
    WhatsThisButton->setVisible(shown);
    CloseButton->setVisible(shown);
    EditStateProvButton->setVisible(shown);
    CancelButton->setVisible(!shown);
}

void TStateZipCheck::CheckitButtonClick() {
    if (running_ || done_ || editingCsz_)
        return;
    showIdleButtons(false);
    SetupPanel->hide();
    const bool blanks = CheckBlanks->isChecked();
    running_ = true;
    if (!OpenStateZipForCheck(csz_, cszEngine_)) {
        // Nothing started: the window is as it was, to try again or close.
        running_ = false;
        SetupPanel->show();
        showIdleButtons(true);
        return;
    }
    Gauge1->setValue(0);
    QApplication::processEvents();
    Gauge1->show();
    try {
        found_ = RunStateZipCheck(table_, engine_, cszEngine_, blanks,
                                  StateZipWorkIndexPath(table_), monitor_->step())
                     .found;
    } catch (const std::exception& error) {
        showError(error);
    }
    Gauge1->hide();
    ResultPanel->show();
    ChkStateZip->bind(table_, engine_);
    csz_.close();
    monitor_->showCount(found_);
    running_ = false;
    done_ = true;
    showIdleButtons(true);
    LabelCount->hide();
}

void TStateZipCheck::EditStateProvButtonClick() {
    if (running_)
        return;
    if (!editingCsz_) {
        if (!OpenStateZipForCheck(csz_, cszEngine_)) {
            csz_.close();
            platform::ShowInfo("Unable to open CSZ.DBF");
            return;
        }
        mainPanel()->hide();
        CancelButton->setEnabled(false);
        editingCsz_ = true;
        EditStateProvButton->setText(StopEditingCaption);
        CszPanel->show();
        StateProvGrid->bind(csz_, cszEngine_);
        return;
    }
    // What was typed into the last row is kept, or the table stays open to put it right.
    if (!StateProvGrid->save())
        return;
    csz_.close();
    CszPanel->hide();
    editingCsz_ = false;
    EditStateProvButton->setText(EditCaption);
    CancelButton->setEnabled(true);
    mainPanel()->show();
}

void TStateZipCheck::CancelButtonClick() {
    if (running_ && CancelButton->isEnabled() && AskInformationYesNo("Cancel operation?"))
        monitor_->requestStop();
}

void TStateZipCheck::CloseButtonClick() {
    if (running_)
        return;
    if (editingCsz_ && !StateProvGrid->save())
        return;
    if (ChkStateZip->bound() && !ChkStateZip->save())
        return;
    done(platform::ResultOk);
}

void TStateZipCheck::reject() {
    if (running_)
        CancelButtonClick();
    else
        CloseButtonClick();
}

void TStateZipCheck::TagButtonClick() {
    if (hooks_.toggleTag && !(table_.bof() && table_.eof()))
        hooks_.toggleTag();
    ChkStateZip->refreshCurrent();
}

void TStateZipCheck::TagAllButtonClick() {
    if (!platform::ConfirmYesNo("Tag all records with questionable state or zipcodes?", "TAG ALL"))
        return;
    if (!ChkStateZip->save())
        return;
    selection::TagAllRecords(table_, hooks_.tagId, this);
    ChkStateZip->reload();
}

void TStateZipCheck::CszDeleteButtonClick() {
    if (csz_.bof() && csz_.eof())
        return;
    if (!platform::ConfirmYesNo("Delete record?", "Confirm"))
        return;
    try {
        if (csz_.state() == data::TableState::Insert)
            StateProvGrid->undo();
        else
            csz_.deleteRecord();
    } catch (const std::exception& error) {
        showError(error);
    }
    StateProvGrid->reload();
}

} // namespace utilities
