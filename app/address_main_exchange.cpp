// Import and export from the File menu: each dialog is handed the address file, and the window
// takes its state back afterwards.
#include "app/address_main.h"

#include "data/address_file.h"
#include "data/address_schema.h"
#include "exchange/ascii_import_dialog.h"
#include "exchange/copy_out_dialog.h"
#include "exchange/table_import_dialogs.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QDir>

void TAddressMain::runExclusiveImport(TImportBase& dialog) {
    const QString folder = QDir::currentPath();
    const QString file = CurrentFile.isEmpty() ? TableCVW.path() : CurrentFile;
    const QString order = CurrentOrder;
    const QList<data::FieldInfo> view = TableCVW.fields();
    FollowTableEvents = false;
    TableCVW.disableControls();
    TableCVW.close();
    // The dialog's own table object holds the address file alone while it imports.
    data::TTable& destination = dialog.Destination;
    destination.exclusive = true;
    if (data::OpenAddressTable(file, destination)) {
        for (const data::FieldInfo& shown : view) {
            if (shown.calculated)
                continue;
            if (data::FieldInfo* field = destination.field(shown.name)) {
                field->label = shown.label;
                field->visible = shown.visible;
            }
        }
        platform::CenterOnMainForm(dialog);
        platform::CurrentDialogs().exec(dialog);
    } else {
        platform::ShowInfo("Unknown error. Unable to do ASCII import at this time");
    }
    destination.close();
    QDir::setCurrent(folder);
    TableCVW.enableControls();
    OpenCVWDBF(file);
    FollowTableEvents = true;
    if (TableCVW.active()) {
        // Opening checked "&Last Name"; the order chosen before comes back with its check mark.
        const QString caption = data::SortCaptionOfTag(order);
        for (QAction* item : std::as_const(sortActions_))
            if (!caption.isEmpty() && item->text() == caption)
                SetMenuOrder(item);
        SetCurrentOrder(order);
        ApplyQuery();
        TableCVW.first();
    }
    SetButtons();
}

void TAddressMain::mnuImportASCIIClick() {
    if (!needsOpenFile())
        return;
    TAsciiImport dialog(this);
    runExclusiveImport(dialog);
}

void TAddressMain::mnuImportDBFClick() {
    if (!needsOpenFile())
        return;
    TDBFImport dialog(this);
    runExclusiveImport(dialog);
}

void TAddressMain::mnuImportVCardClick() {
    if (!needsOpenFile())
        return;
    TVCardImport dialog(this);
    runExclusiveImport(dialog);
}

void TAddressMain::ImportfromCorvaneClick() {
    if (!needsOpenFile())
        return;
    const QString folder = QDir::currentPath();
    FollowTableEvents = false;
    TableCVW.disableControls();
    Engine1.setQuery({});
    {
        TImportCorvane1x dialog(TableCVW, Engine1, ShortDatePattern(), this);
        platform::CenterOnMainForm(dialog);
        platform::CurrentDialogs().exec(dialog);
    }
    QDir::setCurrent(folder);
    IndexValid = data::CheckValidIndex(Engine1);
    TableCVW.enableControls();
    FollowTableEvents = true;
    SetCurrentOrder(CurrentOrder);
    ApplyQuery();
    TableCVW.first();
    SetButtons();
}

void TAddressMain::CopyRecordsOutMnuClick() {
    if (!needsOpenFile())
        return;
    const QString folder = QDir::currentPath();
    if (Engine1.queryRecCount() == 0) {
        platform::ShowInfo("No active records for current filter. Nothing to copy");
        return;
    }
    FollowTableEvents = false;
    TableCVW.disableControls();
    const unsigned record = TableCVW.recordNumber();
    {
        TCopyOut dialog(TableCVW, Engine1, this);
        platform::CenterOnMainForm(dialog);
        platform::CurrentDialogs().exec(dialog);
    }
    try {
        if (record >= 1 && record <= TableCVW.recordCount())
            Engine1.go(record);
    } catch (const std::exception&) {
        // The window stays on the first record.
    }
    TableCVW.enableControls();
    QDir::setCurrent(folder);
    FollowTableEvents = true;
    SetCurrentOrder(CurrentOrder);
    SetButtons();
}
