// The main window and its address file: opening, creating, rebuilding, navigating, showing
// the record in the bound controls, the buttons and the status line.
#include "app/address_main.h"

#include "app/button_rules.h"
#include "app/edb_edit.h"
#include "app/new_database_dialog.h"
#include "app/reindex_dialogs.h"
#include "data/address_file.h"
#include "data/address_schema.h"
#include "data/memo_text.h"
#include "platform/dialogs.h"
#include "platform/path_lookup.h"
#include "platform/program_dir.h"
#include "platform/short_date.h"
#include "platform/system_services.h"

#include <QAction>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

// The system short date pattern; the settings file may set it later.
QString TAddressMain::ShortDatePattern() {
    return platform::SystemShortDatePattern();
}

void TAddressMain::setupDataObjects() {
    // The address file is locked while open: no other program or Corvane may write it, and
    // packing during a rebuild needs the table to itself.
    TableCVW.exclusive = true;
    DataSourceCVW.setDataSet(&TableCVW);
    Engine1.DataSource = &DataSourceCVW;
    DataSourceCreate.setDataSet(&TAbleCreate);
    EngineCreate.DataSource = &DataSourceCreate;
    built_ = {"NewFileMenuClick",
              "OpenFileMenuClick",
              "RebuildIndexesMenuClick",
              "RebuildSystemFileindexesmnuClick",
              "mnufirstClick",
              "mnuPrevClick",
              "mnuNextClick",
              "mnuLastClick",
              "ExitMenuClick",
              "Contents1Click",
              "SearchforHelpOn1Click",
              "HowtoUseHelp1Click",
              "About1Click",
              "Prefences1Click",
              "mnuSearchClick",
              "mnuBrowseClick",
              "ClearTags1Click",
              "mnuTagAllFilterMatchesClick",
              "mnuSetFilterClick",
              "mnuClearFilterClick",
              "mnuSaveFilterClick",
              "mnuRestoreFilterClick",
              "mnuAddClick",
              "mnuEditClick",
              "mnuDeleteClick",
              "mnuCloneClick",
              "LettersMenuClick",
              "ToClipboard1Click",
              "Undotyping1Click",
              "Cut1Click",
              "Copy1Click",
              "Paste1Click",
              "mnuImportASCIIClick",
              "mnuImportDBFClick",
              "mnuImportVCardClick",
              "ImportfromCorvaneClick",
              "CopyRecordsOutMnuClick",
              "CheckState1Click",
              "DuplicatesReport1Click",
              "CaseConversion1Click",
              "DeleteRecords1Click",
              "SearchReplaceFieldValues1Click"};
    bindControls();
    connectMenus();
}

void TAddressMain::connectMenus() {
    connect(menuAction("NewFileMenuClick"), &QAction::triggered, this,
            [this] { NewFileMenuClick(); });
    connect(menuAction("OpenFileMenuClick"), &QAction::triggered, this,
            [this] { OpenFileMenuClick(); });
    connect(menuAction("RebuildIndexesMenuClick"), &QAction::triggered, this,
            [this] { RebuildIndexesMenuClick(); });
    connect(menuAction("RebuildSystemFileindexesmnuClick"), &QAction::triggered, this,
            [this] { RebuildSystemFileindexesmnuClick(); });
    connect(menuAction("Prefences1Click"), &QAction::triggered, this,
            [this] { Prefences1Click(); });
    connect(menuAction("mnufirstClick"), &QAction::triggered, this, [this] { RecordFirstClick(); });
    connect(menuAction("mnuPrevClick"), &QAction::triggered, this, [this] { RecordPrevClick(); });
    connect(menuAction("mnuNextClick"), &QAction::triggered, this, [this] { RecordNextClick(); });
    connect(menuAction("mnuLastClick"), &QAction::triggered, this, [this] { RecordLastClick(); });
    const struct {
        const char* menu;
        void (TAddressMain::*handler)();
    } items[] = {{"mnuSearchClick", &TAddressMain::SearchButtonClick},
                 {"mnuBrowseClick", &TAddressMain::BrowseButtonClick},
                 {"mnuSetFilterClick", &TAddressMain::FilterButtonClick},
                 {"mnuClearFilterClick", &TAddressMain::ClearFilter},
                 {"mnuSaveFilterClick", &TAddressMain::mnuSaveFilterClick},
                 {"mnuRestoreFilterClick", &TAddressMain::mnuRestoreFilterClick},
                 {"ClearTags1Click", &TAddressMain::ClearTags1Click},
                 {"mnuTagAllFilterMatchesClick", &TAddressMain::mnuTagAllFilterMatchesClick},
                 {"mnuAddClick", &TAddressMain::AddButtonClick},
                 {"mnuEditClick", &TAddressMain::EditButtonClick},
                 {"mnuDeleteClick", &TAddressMain::DeleteButtonClick},
                 {"mnuCloneClick", &TAddressMain::mnuCloneClick},
                 {"LettersMenuClick", &TAddressMain::LettersMenuClick},
                 {"mnuImportASCIIClick", &TAddressMain::mnuImportASCIIClick},
                 {"mnuImportDBFClick", &TAddressMain::mnuImportDBFClick},
                 {"mnuImportVCardClick", &TAddressMain::mnuImportVCardClick},
                 {"ImportfromCorvaneClick", &TAddressMain::ImportfromCorvaneClick},
                 {"CopyRecordsOutMnuClick", &TAddressMain::CopyRecordsOutMnuClick},
                 {"ToClipboard1Click", &TAddressMain::ToClipboard1Click},
                 {"CheckState1Click", &TAddressMain::CheckState1Click},
                 {"DuplicatesReport1Click", &TAddressMain::DuplicatesReport1Click},
                 {"CaseConversion1Click", &TAddressMain::CaseConversion1Click},
                 {"DeleteRecords1Click", &TAddressMain::DeleteRecords1Click},
                 {"SearchReplaceFieldValues1Click", &TAddressMain::SearchReplaceFieldValues1Click}};
    for (const auto& item : items) {
        const auto handler = item.handler;
        connect(menuAction(item.menu), &QAction::triggered, this,
                [this, handler] { (this->*handler)(); });
    }
    // The hidden edit menu acts on the edit box that has the focus in this window (a menu
    // may hold the keyboard while its item is chosen).
    const struct {
        const char* menu;
        std::function<void(QLineEdit*)> line;
        std::function<void(QPlainTextEdit*)> text;
    } edits[] = {{"Undotyping1Click", &QLineEdit::undo, &QPlainTextEdit::undo},
                 {"Cut1Click", &QLineEdit::cut, &QPlainTextEdit::cut},
                 {"Copy1Click", &QLineEdit::copy, &QPlainTextEdit::copy},
                 {"Paste1Click", &QLineEdit::paste, &QPlainTextEdit::paste}};
    for (const auto& edit : edits) {
        connect(menuAction(edit.menu), &QAction::triggered, this,
                [this, line = edit.line, text = edit.text] {
                    QWidget* focused = focusWidget();
                    if (auto* box = qobject_cast<QLineEdit*>(focused))
                        line(box);
                    else if (auto* memo = qobject_cast<QPlainTextEdit*>(focused))
                        text(memo);
                });
    }
    const struct {
        const char* button;
        void (TAddressMain::*handler)();
    } buttons[] = {{"AddButton", &TAddressMain::AddButtonClick},
                   {"EditButton", &TAddressMain::EditButtonClick},
                   {"DeleteButton", &TAddressMain::DeleteButtonClick},
                   {"SaveButton", &TAddressMain::SaveButtonClick},
                   {"DateButton", &TAddressMain::DateLabelClick},
                   {"CancelButton", &TAddressMain::CancelButtonClick},
                   {"FirstButton", &TAddressMain::RecordFirstClick},
                   {"PriorButton", &TAddressMain::RecordPrevClick},
                   {"NextButton", &TAddressMain::RecordNextClick},
                   {"LastButton", &TAddressMain::RecordLastClick},
                   {"SearchButton", &TAddressMain::SearchButtonClick},
                   {"BrowseButton", &TAddressMain::BrowseButtonClick},
                   {"FilterButton", &TAddressMain::FilterButtonClick},
                   {"LettersButton", &TAddressMain::LettersMenuClick},
                   {"ClearFilterButton", &TAddressMain::ClearFilter},
                   {"SearchMemoButton", &TAddressMain::SearchMemoButtonClick},
                   {"FindNextButton", &TAddressMain::SearchMemoNextButtonClick}};
    for (const auto& b : buttons) {
        auto* button = findChild<QPushButton*>(b.button);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
    for (const char* name : {"DialPhone1Button", "DialPhone2Button"}) {
        auto* button = findChild<QPushButton*>(name);
        connect(button, &QPushButton::clicked, this, [this, button] { DialButtonClick(button); });
    }
}

void TAddressMain::bindControls() {
    connect(&DataSourceCVW, &data::TDataSource::dataChanged, this, [this] { showRecord(); });
    connect(&TableCVW, &data::TTable::damageFound, this, &TAddressMain::NoteDamage);
    for (TEDBEdit* box : std::as_const(fieldBoxes_)) {
        connect(box, &QLineEdit::textEdited, this, [this, box](const QString& text) {
            const data::TableState state = TableCVW.state();
            if (showingRecord_ ||
                (state != data::TableState::Edit && state != data::TableState::Insert))
                return;
            TableCVW.setFieldText(box->dataField(), text);
        });
        connect(box, &TEDBEdit::doubleClicked, this, [this] { EditFieldClick(); });
    }
    MemoEdit->installEventFilter(this);
    // The check box does not tick itself: a click toggles the record's tag.
    TaggedCheck->installEventFilter(this);
    TaggedCheck->setFocusPolicy(Qt::NoFocus);
    connect(MemoEdit, &QPlainTextEdit::textChanged, this, [this] {
        // Typing in the memo starts editing.
        if (MemoEditArmed && !showingRecord_ && TableCVW.state() == data::TableState::Browse &&
            findChild<QWidget*>("EditButton")->isEnabled()) {
            const QString typed = MemoEdit->toPlainText();
            const QTextCursor cursor = MemoEdit->textCursor();
            EditButtonClick();
            if (MemoEdit->toPlainText() != typed) {
                MemoEdit->setPlainText(typed);
                MemoEdit->setTextCursor(cursor);
            }
        }
    });
}

// Shows the current record in every bound control.
void TAddressMain::showRecord() {
    if (TableCVW.controlsDisabled())
        return;
    showingRecord_ = true;
    const data::TableState state = TableCVW.state();
    const bool editing = state == data::TableState::Edit || state == data::TableState::Insert;
    for (TEDBEdit* box : std::as_const(fieldBoxes_)) {
        const QString text = TableCVW.fieldText(box->dataField());
        if (box->text() != text)
            box->setText(text);
        box->setReadOnly(!editing);
        box->setCursorPosition(editing ? box->cursorPosition() : 0);
    }
    // The date box follows DATE while it is being changed too, not only once it is stored.
    if (auto* displayDate = findChild<QLineEdit*>("DisplayDateEdit"))
        displayDate->setText(data::DisplayDate(TableCVW.fieldText("DATE"), ShortDatePattern()));
    TaggedCheck->setChecked(TableCVW.calculatedValue("Tagged").toBool());
    // The memo box mirrors MEMO while browsing; while editing it holds what the user types.
    MemoEditArmed = false;
    if (state == data::TableState::Browse) {
        const QString memo = data::MemoTextToShow(TableCVW.fieldText("MEMO"));
        if (MemoEdit->toPlainText() != memo)
            MemoEdit->setPlainText(memo);
        showMemoState();
    }
    MemoEditArmed = true;
    showingRecord_ = false;
    if (FollowTableEvents)
        SetButtons();
}

void TAddressMain::SetButtons() {
    const bool open = TableCVW.active();
    const data::TableState state = TableCVW.state();
    ButtonState s;
    s.fileOpen = open;
    s.editing = state == data::TableState::Edit || state == data::TableState::Insert;
    s.hasRecord = open && !(TableCVW.bof() && TableCVW.eof());
    s.filterSet = !QueryString.isEmpty();
    const ButtonRules r = ComputeButtonRules(s);

    auto enable = [this](const QString& handler, bool on) {
        if (QAction* action = menuAction(handler))
            action->setEnabled(on && built_.contains(handler));
    };
    auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
    for (const char* name : {"FirstButton", "PriorButton", "NextButton", "LastButton"})
        button(name)->setEnabled(r.browsing);
    for (const char* name : {"mnufirstClick", "mnuPrevClick", "mnuNextClick", "mnuLastClick"})
        enable(name, r.recordMenu && r.browsing);
    enable("RebuildIndexesMenuClick", r.fileItems);
    enable("NewFileMenuClick", r.notEditing);
    enable("OpenFileMenuClick", r.notEditing);
    enable("RebuildSystemFileindexesmnuClick", r.notEditing);
    enable("Prefences1Click", r.notEditing);
    menuAction("ExitMenuClick")->setEnabled(r.notEditing);
    for (QAction* item : std::as_const(sortActions_))
        item->setEnabled(r.browsing);
    SaveButton->setVisible(r.saveCancel);
    CancelButton->setVisible(r.saveCancel);
    for (const char* name : {"AddButton", "EditButton", "DeleteButton", "ExitButton"})
        button(name)->setVisible(r.notEditing);
    button("AddButton")->setEnabled(r.addEnabled);
    button("DateButton")->setEnabled(r.browsing || s.editing);
    button("EditButton")->setEnabled(r.browsing);
    button("DeleteButton")->setEnabled(r.browsing);
    button("SearchButton")->setEnabled(r.browsing);
    enable("mnuSearchClick", r.browsing);
    button("BrowseButton")->setEnabled(r.browsing);
    enable("mnuBrowseClick", r.browsing);
    button("LettersButton")->setEnabled(r.browsing);
    enable("LettersMenuClick", r.browsing);
    for (const char* name : {"DialPhone1Button", "DialPhone2Button", "SearchMemoButton"}) {
        button(name)->setVisible(r.browsing);
        button(name)->setEnabled(r.browsing);
    }
    TaggedCheck->setEnabled(r.browsing || s.editing);
    enable("ClearTags1Click", r.notEditing);
    for (const char* name : {"mnuImportASCIIClick", "mnuImportDBFClick", "mnuImportVCardClick",
                             "ImportfromCorvaneClick", "CopyRecordsOutMnuClick"})
        enable(name, r.notEditing);
    enable("mnuTagAllFilterMatchesClick", r.filterItems);
    enable("mnuSaveFilterClick", r.filterItems);
    enable("mnuClearFilterClick", r.filterItems);
    enable("mnuRestoreFilterClick", r.fileItems && r.notEditing);
    button("FilterButton")->setEnabled(r.filterButton);
    enable("mnuSetFilterClick", r.filterButton);
    enable("mnuAddClick", r.addEnabled);
    enable("mnuEditClick", r.browsing);
    enable("mnuDeleteClick", r.browsing);
    enable("mnuCloneClick", r.browsing);
    enable("ToClipboard1Click", r.browsing);
    for (const char* name : {"CheckState1Click", "DuplicatesReport1Click", "CaseConversion1Click",
                             "DeleteRecords1Click", "SearchReplaceFieldValues1Click"})
        enable(name, r.browsing);
    for (const char* name : {"Undotyping1Click", "Cut1Click", "Copy1Click", "Paste1Click"})
        enable(name, r.fileItems);
    menuBar()->findChild<QMenu*>("FileMenu")->setEnabled(r.notEditing);
    if (QMenu* record = menuBar()->findChild<QMenu*>("RecordMenu"))
        record->setEnabled(r.recordMenu);
    SaveButton->setEnabled(r.saveCancel);
    CancelButton->setEnabled(r.saveCancel);
    if (s.editing) {
        QWidget* focused = QApplication::focusWidget();
        if (!qobject_cast<TEDBEdit*>(focused) && focused != MemoEdit)
            findChild<TEDBEdit*>("LNAMEEdit")->setFocus();
    }
    ClearFilterButton->setVisible(r.clearFilterShown);
    ClearFilterButton->setEnabled(r.clearFilterEnabled);
    if (r.findNextHidden) {
        FindNextButton->hide();
        MemoFound = false;
    }
    UpdateFilterStatus();
}

void TAddressMain::UpdateFilterStatus() {
    if (!TableCVW.active()) {
        FilterStatus->hide();
        return;
    }
    FilterStatus->show();
    const unsigned count = shownCount_.value(TableCVW, Engine1);
    if (!QueryString.isEmpty())
        FilterStatus->setText(QString::number(count) + " filter matches");
    else if (count > 0)
        FilterStatus->setText(QString::number(count) + " records (no filter)");
    else
        FilterStatus->setText("No records");
}

void TAddressMain::SetCurrentOrder(const QString& tag) {
    CurrentOrder = tag;
    if (tag.isEmpty() || !TableCVW.active())
        return;
    try {
        Engine1.setOrderNumber(Engine1.tagArea(tag));
    } catch (const std::exception&) {
        // An order that cannot be set leaves the one before.
    }
}

bool TAddressMain::OpenCVWFile(const QString& path) {
    if (!data::OpenAddressTable(path, TableCVW)) {
        platform::ShowInfo("Unable to open " + path +
                           "\r\n\r\n * May not be an Corvane file.\r\n"
                           " * May be in use by another program or user");
        IndexValid = false;
        return false;
    }
    data::SetupAddressView(
        TableCVW, [this] { return GlobalTagId; }, ShortDatePattern);
    IndexValid = data::CheckValidIndex(Engine1);
    return true;
}

void TAddressMain::OnOpenCVWFile(bool opened) {
    if (!opened) {
        TableCVW.close();
        showNoData(true);
        CurrentOrder.clear();
        return;
    }
    showNoData(false);
    SetMenuOrder(sortActions_.first());
    ApplyQuery();
    TableCVW.first();
}

void TAddressMain::OpenCVWDBF(const QString& path) {
    if (path.isEmpty())
        return;
    shownCount_.forget();
    forgetDamage(true);
    TableCVW.disableControls();
    if (TableCVW.active())
        Engine1.setQuery({});
    bool opened = OpenCVWFile(path);
    if (opened && !IndexValid) {
        if (platform::ConfirmYesNo("The index file for " + path +
                                       "\r\nis missing or invalid. Rebuild now?",
                                   "Warning")) {
            TCVReindex reindex(TableCVW, Engine1, this);
            platform::CenterOnMainForm(reindex);
            platform::CurrentDialogs().exec(reindex);
            IndexValid = data::CheckValidIndex(Engine1);
            forgetDamage(false);
        }
        if (!IndexValid) {
            TableCVW.close();
            opened = false;
        }
    }
    OnOpenCVWFile(opened);
    TableCVW.enableControls();
    QApplication::processEvents();
    if (opened)
        UpdateMRUList(path);
    CurrentFile = opened ? path : QString();
    platform::SetDatabaseFile(CurrentFile);
    setWindowTitle("Corvane - " + path);
    MemoFound = false;
    FindNextButton->hide();
    SetButtons();
}

void TAddressMain::OpenFileMenuClick() {
    platform::FileRequest request;
    request.caption = "Open Address DataBase";
    request.folder = platform::RealPath("DATA\\");
    request.filter = "DBF Files|*.dbf";
    request.defaultExtension = "DBF";
    request.mustExist = true;
    const std::optional<QString> chosen = platform::CurrentDialogs().fileName(request);
    if (chosen) {
        if (QFileInfo(*chosen).suffix().toUpper() != "DBF")
            platform::ShowInfo("Must be a DBF file");
        else
            OpenCVWDBF(*chosen);
    }
    SetButtons();
}

void TAddressMain::NewFileMenuClick() {
    const QString folder = platform::RealPath("DATA\\");
    const QStringList existing = QDir(folder).entryList(QDir::Files);
    TNewDataBaseName dialog(data::ProposeNewDatabaseName(existing), this);
    platform::CenterOnMainForm(dialog);
    if (platform::CurrentDialogs().exec(dialog) != platform::ResultOk)
        return;
    const QString path = platform::ProgramDir() + "DATA/" + dialog.name() + ".DBF";
    if (platform::PathExists(path)) {
        platform::ShowInfo("That file already exists.Please select another name");
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool created = data::CreateAddressFile(path, TAbleCreate, EngineCreate);
    QApplication::restoreOverrideCursor();
    if (!created)
        return;
    TAbleCreate.close();
    TableCVW.close();
    OpenCVWDBF(path);
}

bool TAddressMain::needsOpenFile() {
    if (TableCVW.active())
        return true;
    platform::ShowInfo("You need to have a database file open first");
    return false;
}

void TAddressMain::RebuildIndexesMenuClick() {
    if (!needsOpenFile())
        return;
    FollowTableEvents = false;
    TableCVW.disableControls();
    {
        TCVReindex reindex(TableCVW, Engine1, this);
        platform::CenterOnMainForm(reindex);
        platform::CurrentDialogs().exec(reindex);
    }
    IndexValid = data::CheckValidIndex(Engine1);
    forgetDamage(true); // damage found after the rebuild is new
    SetCurrentOrder(CurrentOrder);
    ApplyQuery();
    TableCVW.first();
    TableCVW.enableControls();
    FollowTableEvents = true;
    SetButtons();
}

void TAddressMain::RebuildSystemFileindexesmnuClick() {
    TSystemReindex reindex(this);
    platform::CenterOnMainForm(reindex);
    platform::CurrentDialogs().exec(reindex);
}

void TAddressMain::RecordFirstClick() {
    if (TableCVW.active())
        TableCVW.first();
}

void TAddressMain::RecordLastClick() {
    if (TableCVW.active())
        TableCVW.last();
}

void TAddressMain::RecordNextClick() {
    if (!TableCVW.active())
        return;
    TableCVW.next();
    if (TableCVW.eof())
        platform::Beep();
}

void TAddressMain::RecordPrevClick() {
    if (!TableCVW.active())
        return;
    TableCVW.prior();
    if (TableCVW.bof())
        platform::Beep();
}

void TAddressMain::keyPressEvent(QKeyEvent* event) {
    const data::TableState state = TableCVW.state();
    const bool editing = state == data::TableState::Edit || state == data::TableState::Insert;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageDown:
        if (editing) {
            if (platform::ConfirmYesNo("Save changes?", "Save"))
                SaveButtonClick();
        } else if (ctrl) {
            RecordLastClick();
        } else {
            RecordNextClick();
        }
        return;
    case Qt::Key_PageUp:
        if (!editing)
            ctrl ? RecordFirstClick() : RecordPrevClick();
        return;
    case Qt::Key_Escape:
        // In the memo box Escape cancels at once.
        if (editing && (QApplication::focusWidget() == MemoEdit ||
                        platform::ConfirmYesNo("Cancel changes?", "Cancel")))
            CancelButtonClick();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

bool TAddressMain::isWindowControl(const QObject* object) const {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->window() == this && !qobject_cast<const QMenuBar*>(widget) &&
           !qobject_cast<const QMenu*>(widget);
}

// The window sees Page Up, Page Down and Escape before the focused control.
bool TAddressMain::eventFilter(QObject* watched, QEvent* event) {
    if (!isWindowControl(watched))
        return QMainWindow::eventFilter(watched, event);
    // A double-click on the memo starts editing, as on a field box; the click still selects.
    if (watched == MemoEdit->viewport() && event->type() == QEvent::MouseButtonDblClick)
        EditFieldClick();
    if (watched == TaggedCheck &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick)) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            ToggleTag();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp ||
            key->key() == Qt::Key_Escape) {
            keyPressEvent(key);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TAddressMain::closeEvent(QCloseEvent* event) {
    // An edit in progress is discarded without asking.
    TableCVW.cancel();
    TableCVW.close();
    event->accept();
}
