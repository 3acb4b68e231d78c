// The main window's menu bar. Items are found by their handler names; items whose function
// is not built yet stay disabled.
#include "app/address_main.h"

#include "app/splash_form.h"
#include "data/address_schema.h"
#include "platform/dialogs.h"
#include "platform/help.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>

QAction* TAddressMain::addMenuItem(QMenu* menu, const QString& caption, const QString& handler,
                                   const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(handler);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    action->setEnabled(false);
    actions_.insert(handler, action);
    return action;
}

void TAddressMain::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    addMenuItem(file, "&New Address Database", "NewFileMenuClick");
    addMenuItem(file, "&Open Address DataBase", "OpenFileMenuClick");
    file->addSeparator();
    addMenuItem(file, "&Browse", "mnuBrowseClick", QKeySequence("Ctrl+B"));
    addMenuItem(file, "&Search", "mnuSearchClick", QKeySequence("Ctrl+S"));
    QMenu* import = file->addMenu("&Import");
    addMenuItem(import, "Import from &DBF File", "mnuImportDBFClick");
    addMenuItem(import, "Import from &ASCII File", "mnuImportASCIIClick");
    addMenuItem(import, "Import from Corvane 1.x DBF", "ImportfromCorvaneClick");
    addMenuItem(import, "Import from &vCard File", "mnuImportVCardClick");
    addMenuItem(file, "&Export ", "CopyRecordsOutMnuClick");
    file->addSeparator();
    addMenuItem(file, "Set &Filter", "mnuSetFilterClick", QKeySequence("Ctrl+F"));
    addMenuItem(file, "&Clear Filter", "mnuClearFilterClick");
    addMenuItem(file, "&Save Filter", "mnuSaveFilterClick");
    addMenuItem(file, "&Restore Filter", "mnuRestoreFilterClick");
    file->addSeparator();
    addMenuItem(file, "Clear &Tags", "ClearTags1Click");
    addMenuItem(file, "&Tag All Filter Matches", "mnuTagAllFilterMatchesClick");
    file->addSeparator();
    addMenuItem(file, "&Rebuild Indexes for this file", "RebuildIndexesMenuClick");
    addMenuItem(file, "Rebuild S&ystem File indexes", "RebuildSystemFileindexesmnuClick");
    addMenuItem(file, "Pre&ferences", "Prefences1Click");
    file->addSeparator();
    QAction* exit = addMenuItem(file, "E&xit ", "ExitMenuClick");
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    QAction* startOfMru = file->addSeparator();
    startOfMru->setObjectName("StartOfMRU");

    // The edit menu is hidden; its shortcuts act on the focused edit box.
    QMenu* edit = menuBar()->addMenu("Ed&it");
    addMenuItem(edit, "&Undo typing", "Undotyping1Click", QKeySequence("Ctrl+Z"));
    addMenuItem(edit, "Cu&t", "Cut1Click", QKeySequence("Ctrl+X"));
    addMenuItem(edit, "&Copy", "Copy1Click", QKeySequence("Ctrl+C"));
    addMenuItem(edit, "&Paste", "Paste1Click", QKeySequence("Ctrl+V"));
    edit->menuAction()->setVisible(false);

    QMenu* record = menuBar()->addMenu("&Record");
    record->setObjectName("RecordMenu");
    addMenuItem(record, "&First", "mnufirstClick", QKeySequence("Ctrl+Up"));
    addMenuItem(record, "&Previous", "mnuPrevClick", QKeySequence("Ctrl+Left"));
    addMenuItem(record, "&Next", "mnuNextClick", QKeySequence("Ctrl+Right"));
    addMenuItem(record, "&Last", "mnuLastClick", QKeySequence("Ctrl+Down"));
    record->addSeparator();
    addMenuItem(record, "&Add", "mnuAddClick");
    addMenuItem(record, "&Edit", "mnuEditClick");
    addMenuItem(record, "&Delete", "mnuDeleteClick");
    addMenuItem(record, "Create a Duplicate &Record (Clone)", "mnuCloneClick");
    record->addSeparator();
    addMenuItem(record, "Copy To &Clipboard", "ToClipboard1Click");

    QMenu* sort = menuBar()->addMenu("&Sort");
    sort->setObjectName("SortMenu");
    for (const data::SortOrder& order : data::SortOrders()) {
        QAction* item = sort->addAction(QString::fromLatin1(order.caption));
        item->setObjectName(QString("Sort") + order.tag);
        item->setCheckable(true);
        item->setEnabled(false);
        connect(item, &QAction::triggered, this, [this, item] { SetMenuOrder(item); });
        sortActions_ << item;
    }
    sortActions_.first()->setChecked(true);

    QMenu* utilities = menuBar()->addMenu("&Utilities");
    addMenuItem(utilities, "Count &Zip Codes", "CountZipCodes1Click");
    addMenuItem(utilities, "Check && Repair &State and Zip Codes", "CheckState1Click");
    addMenuItem(utilities, "Check && Repair &Duplicates", "DuplicatesReport1Click");
    addMenuItem(utilities, "Con&vert Case", "CaseConversion1Click");
    addMenuItem(utilities, "Delete &Records", "DeleteRecords1Click");
    addMenuItem(utilities, "&Search && Replace Field Values", "SearchReplaceFieldValues1Click");

    QMenu* print = menuBar()->addMenu("&Print");
    addMenuItem(print, "Print &Labels", "LabelsMenuClick", QKeySequence("Ctrl+L"));
    addMenuItem(print, "Print Le&tters", "LettersMenuClick", QKeySequence("Ctrl+T"));
    addMenuItem(print, "Print &Envelopes", "EnvelopesMenuClick", QKeySequence("Ctrl+E"));
    addMenuItem(print, "Print &Reports", "ReportsMenuClick", QKeySequence("Ctrl+R"));
    addMenuItem(print, "Print C&urrent Record", "CurrentRecordMenuClick", QKeySequence("Ctrl+P"));

    QMenu* help = menuBar()->addMenu("&Help");
    const struct {
        const char* caption;
        const char* handler;
        platform::HelpRequest request;
    } helpItems[] = {{"&Contents", "Contents1Click", platform::HelpRequest::Contents},
                     {"Search for Help On", "SearchforHelpOn1Click", platform::HelpRequest::Search},
                     {"How to Use Help", "HowtoUseHelp1Click", platform::HelpRequest::HelpOnHelp}};
    for (const auto& item : helpItems) {
        QAction* action = addMenuItem(help, item.caption, item.handler);
        action->setEnabled(true);
        const platform::HelpRequest request = item.request;
        connect(action, &QAction::triggered, this, [request] { platform::ShowHelp(request); });
    }
    help->addSeparator();
    QAction* about = addMenuItem(help, "&About...", "About1Click");
    about->setEnabled(true);
    connect(about, &QAction::triggered, this, [] {
        TSplashform aboutBox(true);
        platform::CenterOnMainForm(aboutBox);
        platform::CurrentDialogs().exec(aboutBox);
    });
}

void TAddressMain::ClearOrderMenuItems() {
    for (QAction* item : sortActions_)
        item->setChecked(false);
}

void TAddressMain::SetMenuOrder(QAction* item) {
    ClearOrderMenuItems();
    item->setChecked(true);
    SetCurrentOrder(data::SortTagOfCaption(item->text()));
}
