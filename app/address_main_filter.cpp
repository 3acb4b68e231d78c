// The filter of the main window: the criteria, the filter dialog, clearing, and saving and
// restoring filter files.
#include "app/address_main.h"

#include "app/edb_edit.h"
#include "platform/dialogs.h"
#include "platform/program_dir.h"
#include "platform/system_services.h"
#include "select/address_query_form.h"
#include "select/apply_query.h"
#include "select/filter_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* labelOf(const QWidget* box) {
    for (QLabel* label : box->parentWidget()->findChildren<QLabel*>())
        if (label->buddy() == box)
            return label;
    return nullptr;
}

} // namespace

unsigned TAddressMain::ApplyQuery() {
    if (!TableCVW.active())
        return 0;
    // The controls show the table once the query is in place and its matches are counted,
    // not the steps in between.
    shownCount_.forget();
    TableCVW.disableControls();
    selection::ApplyResult result;
    QString failure;
    try {
        result = selection::ApplyQuery(Engine1, Criteria, QueryString, GlobalTagId);
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    // A filter that matched has just been counted; the status line shows that count.
    if (failure.isEmpty() && result.outcome == selection::ApplyOutcome::Matches)
        shownCount_.take(result.count, TableCVW, Engine1);
    TableCVW.enableControls();
    if (!failure.isEmpty()) {
        platform::ShowInfo(failure);
        return 0;
    }
    if (result.outcome == selection::ApplyOutcome::TooComplex)
        platform::ShowInfo(selection::TooComplexMessage);
    else if (result.outcome == selection::ApplyOutcome::Refused)
        platform::ShowInfo("The filter cannot be used: " + result.engineMessage);
    return result.count;
}

// Where the main window shows each field, so that the filter dialog mirrors its form.
selection::FilterFormLayout TAddressMain::filterFormLayout() const {
    selection::FilterFormLayout layout;
    layout.namePanelHeight = NamePanel->height();
    layout.tagged = TaggedCheck->geometry();
    for (std::size_t i = 0; i < selection::CriterionCount; ++i) {
        const QString field = selection::Criteria()[i].mirrorField;
        selection::MirrorEntry& entry = layout.entries[i];
        if (field == "DATE") {
            entry = selection::MirrorOf(*findChild<QPushButton*>("DateButton"),
                                        *findChild<QLineEdit*>("DisplayDateEdit"));
            continue;
        }
        for (TEDBEdit* box : fieldBoxes_)
            if (box->dataField() == field)
                if (const QLabel* label = labelOf(box))
                    entry = selection::MirrorOf(*label, *box);
    }
    return layout;
}

void TAddressMain::FilterButtonClick() {
    const data::TableState state = TableCVW.state();
    if (state == data::TableState::Edit || state == data::TableState::Insert) {
        platform::Beep();
        return;
    }
    if (!TableCVW.active())
        return;
    const selection::QueryVars saved = Criteria;
    selection::TAddressQueryForm form(
        filterFormLayout(),
        [this](const selection::QueryVars& vars) {
            Criteria = vars;
            QApplication::processEvents();
            const unsigned count = ApplyQuery();
            TableCVW.first();
            return selection::TestAnswer{count, !QueryString.isEmpty()};
        },
        this);
    // Mirroring the form's geometry needs the form's font too.
    form.setFont(font());
    form.setVars(Criteria);
    platform::CenterOnMainForm(form);
    Criteria = platform::CurrentDialogs().exec(form) == platform::ResultOk ? form.vars() : saved;
    ApplyQuery();
    TableCVW.first();
    SetButtons();
}

void TAddressMain::ClearFilter() {
    QueryString.clear();
    selection::ClearQueryVars(Criteria);
    ApplyQuery();
    if (TableCVW.active())
        TableCVW.first();
    SetButtons();
}

void TAddressMain::mnuSaveFilterClick() {
    platform::FileRequest request;
    request.save = true;
    request.caption = "Save Filter";
    request.folder = filterFolder_.isEmpty() ? platform::ProgramDir() : filterFolder_;
    request.proposedName = "*.FLT";
    request.filter = "Filter files|*.FLT";
    request.defaultExtension = "FLT";
    const std::optional<QString> chosen = platform::CurrentDialogs().fileName(request);
    if (!chosen)
        return;
    const selection::FilterName name = selection::FilterNameForSave(*chosen);
    if (!name.error.isEmpty()) {
        platform::ShowInfo(name.error);
        return;
    }
    filterFolder_ = QFileInfo(name.path).absolutePath() + "/";
    if (QFileInfo::exists(name.path) &&
        !platform::ConfirmYesNoDefaultNo(selection::OverwriteQuestion(name.path),
                                         selection::OverwriteCaption))
        return;
    SaveFilterTo(name.path);
}

void TAddressMain::SaveFilterTo(const QString& path) {
    const selection::FilterFileResult saved = selection::SaveFilterTo(path, Criteria);
    if (!saved)
        platform::ShowInfo(saved.error);
}

void TAddressMain::mnuRestoreFilterClick() {
    platform::FileRequest request;
    request.caption = "Restore Filter";
    request.folder = platform::ProgramDir();
    request.filter = "Filter Files|*.flt";
    request.defaultExtension = "FLT";
    request.mustExist = true;
    const std::optional<QString> chosen = platform::CurrentDialogs().fileName(request);
    if (!chosen)
        return;
    const selection::FilterName name = selection::FilterNameForRestore(*chosen);
    if (!name.error.isEmpty()) {
        platform::ShowInfo(name.error);
        return;
    }
    RestoreFilterFrom(name.path);
}

void TAddressMain::RestoreFilterFrom(const QString& path) {
    const selection::FilterFileResult restored = selection::RestoreFilterFrom(path, Criteria);
    if (!restored) {
        platform::ShowInfo(restored.error);
        return;
    }
    ApplyQuery();
    if (TableCVW.active())
        TableCVW.first();
    SetButtons();
}
