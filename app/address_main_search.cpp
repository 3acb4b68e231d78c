// Finding records from the main window: the key search on the current sort order, the text
// search through the memos and the browse grid.
#include "app/address_main.h"

#include "platform/dialogs.h"
#include "select/address_browse_form.h"
#include "select/key_search.h"
#include "select/memo_searching_dialog.h"
#include "select/search_box.h"

#include <QAction>
#include <QPushButton>

void TAddressMain::SearchButtonClick() {
    if (!TableCVW.active())
        return;
    QString caption;
    for (QAction* item : std::as_const(sortActions_))
        if (item->isChecked())
            caption = item->text().mid(1, 30);
    TSearchBox box(caption, this);
    platform::CenterOnMainForm(box);
    if (platform::CurrentDialogs().exec(box) != platform::ResultOk)
        return;
    selection::KeySearch(TableCVW, Engine1, box.text());
}

void TAddressMain::SearchMemoButtonClick() {
    if (!TableCVW.active())
        return;
    const std::optional<QString> text =
        platform::CurrentDialogs().input({"Memo Search", "Search For", MemoSearchText});
    if (!text)
        return;
    MemoFound = false;
    MemoSearchText = *text;
    FindTextInMemo(true);
    FindNextButton->setVisible(MemoFound);
}

void TAddressMain::SearchMemoNextButtonClick() {
    if (!TableCVW.active())
        return;
    FindTextInMemo(false);
    FindNextButton->setVisible(MemoFound);
}

void TAddressMain::FindTextInMemo(bool fromFirst) {
    TCVWSearching searching(TableCVW, Engine1, MemoSearchText, fromFirst, this);
    platform::CenterOnMainForm(searching);
    platform::CurrentDialogs().exec(searching);
    // The search runs when the dialog shows; a dialog that never showed still searches.
    searching.runSearch();
    MemoFound = searching.memoFound();
}

void TAddressMain::BrowseButtonClick() {
    const data::TableState state = TableCVW.state();
    const bool editing = state == data::TableState::Edit || state == data::TableState::Insert;
    selection::RunBrowse(TableCVW, Engine1, DataSourceCVW, editing, [this] { ToggleTag(); });
    // The grid may have changed any record.
    shownCount_.forget();
    SetButtons();
}
