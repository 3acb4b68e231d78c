// The design surface's clipboard and cloning. The clipboard is the file "Clipbrd.tmp", not the
// system clipboard; both go through the layout format.
#include "layout/base_panel.h"

#include "layout/graphic_control.h"
#include "layout/handle.h"
#include "layout/object_filer.h"
#include "layout/tick.h"

#include "platform/dialogs.h"

namespace layout {

namespace {

// A second paste this soon after the last one is taken for the same keystroke.
constexpr qint64 PasteGapMs = 1000;

// Runs a command that reads or writes a layout; a failure is shown, never thrown on.
template <typename F> bool reported(F&& command) {
    try {
        command();
        return true;
    } catch (const LayoutError& error) {
        platform::ShowInfo(error.message());
        return false;
    }
}

} // namespace

void TGBasePanel::ClipboardCommand(ClipboardAction action) {
    switch (action) {
    case ClipboardAction::Copy:
        copySelection();
        break;
    case ClipboardAction::Cut:
        if (copySelection())
            deleteSelection();
        break;
    case ClipboardAction::Delete:
        deleteSelection();
        break;
    case ClipboardAction::Paste:
        paste();
        break;
    }
}

bool TGBasePanel::copySelection() {
    return reported([this] { TGLabelObjectFiler().SaveSelection(*handle_, ClipboardFile()); });
}

void TGBasePanel::deleteSelection() {
    const QList<TGGraphicControl*> selection = handle_->Selection();
    for (auto object = selection.crbegin(); object != selection.crend(); ++object) {
        handle_->DeselectObject(*object);
        delete *object;
        NotifyLabelChanged();
    }
}

void TGBasePanel::paste() {
    const qint64 now = TickMs();
    if (lastPasteTime_ != 0 && now - lastPasteTime_ < PasteGapMs)
        return;
    reported([this] { TGLabelObjectFiler().PasteLayout(*Owner(), *this, ClipboardFile()); });
    HookObjectEvents();
    NotifyLabelChanged();
    ProcessPendingMessages();
    lastPasteTime_ = now;
}

void TGBasePanel::ObjectClipboardCommand(TGGraphicControl& object, ClipboardAction action) {
    if (handle_->IsSelected(&object)) {
        ClipboardCommand(action);
        return;
    }
    if (action == ClipboardAction::Copy || action == ClipboardAction::Cut) {
        if (!reported([&] { TGLabelObjectFiler().SaveObject(object, ClipboardFile()); }))
            return;
    }
    if (action == ClipboardAction::Cut || action == ClipboardAction::Delete) {
        NotifyLabelChanged();
        handle_->DeselectObject(&object);
        delete &object;
    }
}

TGGraphicControl* TGBasePanel::CloneObject(TGGraphicControl& object) {
    TGGraphicControl* copy = nullptr;
    reported([&] { copy = TGLabelObjectFiler().CloneObject(object, *Owner(), *this); });
    if (!copy)
        return nullptr;
    ProcessPendingMessages();
    copy->SetTop(copy->Top() + 25);
    RaiseObject(*copy);
    RefreshDataValues();
    if (handle_->IsSelected(&object)) {
        handle_->DeselectObject(&object);
        handle_->SelectObject(copy);
    }
    HookObjectEvents();
    NotifyLabelChanged();
    return copy;
}

} // namespace layout
