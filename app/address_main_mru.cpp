// The main window's preferences and its list of recently opened files.
#include "app/address_main.h"

#include "app/preferences_dialog.h"
#include "platform/dialogs.h"
#include "platform/settings_file.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void TAddressMain::LoadPreferences() {
    const platform::SettingsFile settings = platform::SettingsFile::program();
    Adding = AddingPreferences::read(settings);
    GlobalTagId = ReadGlobalTagId(settings);
    SaveTagPref();
}

void TAddressMain::SaveTagPref() {
    platform::SettingsFile settings = platform::SettingsFile::program();
    settings.writeString("Misc", "GlobalTagId", GlobalTagId);
}

void TAddressMain::UpdateMRUList(const QString& path) {
    platform::SettingsFile settings = platform::SettingsFile::program();
    PutMRUList(settings, UpdatedMRUList(GetMRUList(settings), path));
    UpdateMenuMRUList();
}

void TAddressMain::UpdateMenuMRUList() {
    for (QAction* action : std::as_const(mruActions_))
        delete action;
    mruActions_.clear();
    QMenu* file = menuBar()->findChild<QMenu*>("FileMenu");
    if (!file)
        return;
    for (const QString& path : GetMRUList(platform::SettingsFile::program())) {
        QAction* item = file->addAction(path);
        item->setObjectName("MRUItem");
        connect(item, &QAction::triggered, this, [this, path] { MRUITemClick(path); });
        mruActions_ << item;
    }
}

// A recent file that cannot be opened falls back to the file that was open before.
void TAddressMain::MRUITemClick(const QString& path) {
    const QString remembered = TableCVW.active() ? CurrentFile : QString();
    OpenCVWDBF(path);
    if (!TableCVW.active() && !remembered.isEmpty())
        OpenCVWDBF(remembered);
    SetButtons();
}

// The main window reads the settings again whatever the answer.
void TAddressMain::Prefences1Click() {
    TPreferences preferences(this);
    platform::CenterOnMainForm(preferences);
    platform::CurrentDialogs().exec(preferences);
    LoadPreferences();
}
