// Tagging records: one at a time, all records of the filter, and clearing every tag at once
// by making a new tag id.
#include "app/address_main.h"

#include "platform/dialogs.h"
#include "platform/system_services.h"
#include "select/tag_all_dialog.h"
#include "select/tag_id.h"

#include <QCheckBox>

void TAddressMain::ToggleTag() {
    if (!TableCVW.active())
        return;
    const data::TableState state = TableCVW.state();
    const bool editing = state == data::TableState::Edit || state == data::TableState::Insert;
    if (!editing && TableCVW.bof() && TableCVW.eof())
        return;
    try {
        if (!editing) {
            FollowTableEvents = false;
            TableCVW.edit();
        }
        const bool tagged = TableCVW.fieldText("TAG") == GlobalTagId;
        TableCVW.setFieldText("TAG", tagged ? QString() : GlobalTagId);
        TaggedCheck->setChecked(!tagged);
        if (!editing) {
            // The tag may change what the filter admits.
            shownCount_.forget();
            TableCVW.post();
            FollowTableEvents = true;
        }
    } catch (const std::exception& error) {
        if (!editing)
            TableCVW.cancel();
        FollowTableEvents = true;
        platform::ShowInfo(QString::fromStdString(error.what()));
    }
    ReapplyWhenEmpty();
    SetButtons();
}

void TAddressMain::ClearTags1Click() {
    // The id is made from the time to the second: a clear within the second the current id
    // was made takes the next second's id, or the old tags would still count.
    QDateTime when = platform::Now();
    QString id = selection::NewTagId(when);
    while (id == GlobalTagId)
        id = selection::NewTagId(when = when.addSecs(1));
    GlobalTagId = id;
    SaveTagPref();
    if (!TableCVW.active())
        return;
    ApplyQuery();
    TableCVW.refresh();
    showRecord();
}

void TAddressMain::mnuTagAllFilterMatchesClick() {
    if (!TableCVW.active() ||
        !platform::ConfirmYesNo("Tag all records matching filter?", "TAG ALL"))
        return;
    FollowTableEvents = false;
    TableCVW.disableControls();
    selection::TagAllRecords(TableCVW, GlobalTagId, this);
    shownCount_.forget();
    TableCVW.enableControls();
    FollowTableEvents = true;
    TableCVW.first();
    SetButtons();
}
