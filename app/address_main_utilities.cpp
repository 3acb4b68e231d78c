// The Utilities menu: the maintenance dialogs, each handed the address table and given back
// the window's query, order and record afterwards.
#include "app/address_main.h"

#include "platform/dialogs.h"
#include "platform/path_lookup.h"
#include "utilities/convert_case_dialog.h"
#include "utilities/delete_records_dialog.h"
#include "utilities/dup_check_dialog.h"
#include "utilities/search_replace_dialog.h"
#include "utilities/state_zip_dialog.h"
#include "utilities/work_index.h"

#include <QAction>

#include <memory>

namespace {

// Runs one of the utility dialogs modally, centred over the main window.
void runDialog(QDialog& dialog) {
    platform::CenterOnMainForm(dialog);
    platform::CurrentDialogs().exec(dialog);
}

} // namespace

utilities::TagHooks TAddressMain::tagHooks() {
    return {[this] { ToggleTag(); }, GlobalTagId};
}

// The window stops following the table while a dialog walks its records, and shows where the
// table stands once it is back.
void TAddressMain::beginUtility() {
    FollowTableEvents = false;
    TableCVW.disableControls();
}

void TAddressMain::endUtility() {
    TableCVW.enableControls();
    FollowTableEvents = true;
    // The dialog may have changed, deleted or tagged any record.
    shownCount_.forget();
    SetButtons();
}

void TAddressMain::CheckState1Click() {
    if (!TableCVW.active())
        return;
    if (!platform::PathExists("sysdata\\CSZ.DBF")) {
        platform::ShowInfo("The file CSZ.DBF has been removed from the SYSDATA directory. Unable "
                           "to continue.");
        return;
    }
    beginUtility();
    const QString query = Engine1.queryText();
    try {
        Engine1.setQuery(selection::NotDeletedQuery);
        utilities::TStateZipCheck dialog(TableCVW, Engine1, DataSourceCVW, tagHooks(), this);
        runDialog(dialog);
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    utilities::RemoveWorkIndex(Engine1, utilities::StateZipWorkIndexPath(TableCVW));
    try {
        Engine1.setQuery(query);
    } catch (const std::exception&) {
        ApplyQuery();
    }
    SetCurrentOrder(CurrentOrder);
    endUtility();
}

void TAddressMain::DuplicatesReport1Click() {
    if (!TableCVW.active())
        return;
    beginUtility();
    try {
        Engine1.setQuery(selection::NotDeletedQuery);
        utilities::TDupCheck dialog(TableCVW, Engine1, DataSourceCVW, tagHooks(), this);
        runDialog(dialog);
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    ApplyQuery();
    utilities::RemoveWorkIndex(Engine1, utilities::DupWorkIndexPath());
    SetCurrentOrder(CurrentOrder);
    endUtility();
}

void TAddressMain::CaseConversion1Click() {
    if (!TableCVW.active())
        return;
    const unsigned recno = TableCVW.recordNumber();
    beginUtility();
    {
        utilities::TConvertToUpper dialog(TableCVW, Engine1, !QueryString.isEmpty(), this);
        runDialog(dialog);
    }
    try {
        if (recno >= 1 && recno <= TableCVW.recordCount())
            Engine1.go(recno);
    } catch (const std::exception&) {
    }
    endUtility();
}

// Deletion and search and replace see the filter expression alone, without "!ISDEL".
void TAddressMain::runFilterUtility(const std::function<std::unique_ptr<QDialog>()>& make) {
    if (!TableCVW.active())
        return;
    beginUtility();
    try {
        Engine1.setQuery(QueryString);
        const std::unique_ptr<QDialog> dialog = make();
        runDialog(*dialog);
    } catch (const std::exception& error) {
        platform::ShowInfo(QString::fromLocal8Bit(error.what()));
    }
    ApplyQuery();
    SetCurrentOrder(CurrentOrder);
    TableCVW.first();
    endUtility();
}

void TAddressMain::DeleteRecords1Click() {
    runFilterUtility([this] {
        return std::make_unique<utilities::TDeleteRecords>(TableCVW, Engine1, QueryString, this);
    });
}

void TAddressMain::SearchReplaceFieldValues1Click() {
    runFilterUtility([this] {
        return std::make_unique<utilities::TSearchAndReplace>(TableCVW, Engine1, QueryString, this);
    });
}
