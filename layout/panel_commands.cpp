// The design surface's editing commands on the selection: z-order, alignment, centring,
// locking, selectability and font.
#include "layout/base_panel.h"

#include "layout/graphic_control.h"
#include "layout/handle.h"

#include "platform/dialogs.h"

namespace layout {

void TGBasePanel::BringSelectionToFront() {
    if (handle_->Locked())
        return;
    for (TGGraphicControl* object : handle_->Selection())
        RaiseObject(*object);
    handle_->raise();
    handle_->setFocus();
    NotifyLabelChanged();
}

void TGBasePanel::SendSelectionToBack() {
    if (handle_->Locked())
        return;
    for (TGGraphicControl* object : handle_->Selection())
        LowerObject(*object);
    handle_->raise();
    handle_->DeselectAll();
    NotifyLabelChanged();
}

void TGBasePanel::AlignSelection(Alignment alignment) {
    NotifyLabelChanged();
    const QList<TGGraphicControl*> selection = handle_->Selection();
    QList<QRect> bounds;
    for (const TGGraphicControl* object : selection)
        bounds << object->BoundsRect();
    bounds = Aligned(bounds, alignment, size());
    for (qsizetype i = 0; i < selection.size(); ++i)
        selection[i]->SetBounds(bounds[i]);
    update();
}

void TGBasePanel::CenterSelectionVertically() {
    for (TGGraphicControl* object : handle_->Selection())
        object->CenterVertically();
    update();
}

void TGBasePanel::CenterSelectionHorizontally() {
    for (TGGraphicControl* object : handle_->Selection())
        object->CenterHorizontally();
    update();
}

void TGBasePanel::LockAll(bool locked) {
    for (TGGraphicControl* object : objects_)
        object->SetLocked(locked);
}

void TGBasePanel::MarkAllUnselectable(bool unselectable) {
    for (TGGraphicControl* object : objects_)
        object->SetUnselectable(unselectable);
}

void TGBasePanel::SelectAll() {
    handle_->DeselectAll();
    for (TGGraphicControl* object : objects_)
        handle_->SelectObject(object);
}

void TGBasePanel::ChooseFont() {
    const std::optional<QFont> chosen = platform::CurrentDialogs().font(font());
    if (!chosen)
        return;
    for (TGGraphicControl* object : handle_->Selection())
        object->ApplyFont(*chosen);
    update();
}

} // namespace layout
