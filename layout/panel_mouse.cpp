// The design surface's mouse and keys: presses on objects select them (the handle takes the
// drag from there), presses on the empty surface draw a rubber band that selects, or places a
// new object while a placing tool is active.
#include "layout/base_panel.h"

#include "layout/cursors.h"
#include "layout/graphic_control.h"
#include "layout/handle.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace layout {

void TGBasePanel::mousePressEvent(QMouseEvent* event) {
    PressAt(event->position().toPoint(), event->button(), event->modifiers(),
            event->globalPosition().toPoint());
}

void TGBasePanel::PressAt(QPoint point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                          QPoint globalPoint) {
    TGGraphicControl* object = ObjectAt(point);
    if (!object) {
        SurfaceMouseDown(button, point, globalPoint);
        return;
    }
    // An object without the surface's handlers takes the press and does nothing with it.
    if (object->MouseHooked())
        ObjectMouseDown(*object, button, modifiers, point, globalPoint);
}

void TGBasePanel::ObjectMouseDown(TGGraphicControl& object, Qt::MouseButton button,
                                  Qt::KeyboardModifiers modifiers, QPoint point,
                                  QPoint globalPoint) {
    if (!pointing_ || object.Unselectable()) {
        SurfaceMouseDown(button, point, globalPoint);
        return;
    }
    if (!(modifiers & Qt::ShiftModifier))
        handle_->DeselectAll();
    handle_->SelectObject(&object);
    handle_->update();
    if (handle_->SelectedCount() == 1 && button == Qt::RightButton && object.PopupMenu())
        object.PopupMenu()->popup(globalPoint);
}

void TGBasePanel::SurfaceMouseDown(Qt::MouseButton button, QPoint point, QPoint globalPoint) {
    band_ = {point.x(), point.y(), point.x(), point.y()};
    if (button != Qt::LeftButton) {
        menu_->popup(globalPoint);
        return;
    }
    drawing_ = true;
    setCursor(PointCursor());
    // A press handed on by the handle continues here, as the window system would let it.
    if (QGuiApplication::mouseButtons() != Qt::NoButton && isVisible() &&
        QWidget::mouseGrabber() != this)
        grabMouse();
}

void TGBasePanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (drawing_) {
        setCursor(PointCursor());
        update(OutlineRegion(band_.Normalised()));
        band_.right = point.x();
        band_.bottom = point.y();
        update(OutlineRegion(band_.Normalised()));
        return;
    }
    const TGGraphicControl* object = ObjectAt(point);
    if (pointing_ && object && object->MouseHooked())
        setCursor(PointCursor());
    else
        restingCursor();
}

void TGBasePanel::mouseReleaseEvent(QMouseEvent* event) {
    ReleaseAt(event->position().toPoint(), event->button(), event->modifiers());
}

void TGBasePanel::ReleaseAt(QPoint point, Qt::MouseButton, Qt::KeyboardModifiers modifiers) {
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    if (!drawing_)
        return;
    update(OutlineRegion(band_.Normalised()));
    band_ = ReleasedBand(band_, point);
    drawing_ = false;
    if (pointing_) {
        QList<std::pair<TGGraphicControl*, QRect>> topFirst;
        for (auto object = objects_.crbegin(); object != objects_.crend(); ++object)
            topFirst.append({*object, (*object)->BoundsRect()});
        const QList<TGGraphicControl*> chosen =
            BandSelection(handle_->Selection(), topFirst, band_, modifiers & Qt::ShiftModifier);
        handle_->DeselectAll();
        for (TGGraphicControl* object : chosen)
            handle_->SelectObject(object);
        handle_->update();
        restingCursor();
        return;
    }
    const Edges band = band_;
    CreateObjectAt(band);
    if (DroppedObjectEvent)
        DroppedObjectEvent(band.ToRect());
}

void TGBasePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    TGGraphicControl* object = ObjectAt(point);
    if (!object || !object->MouseHooked()) {
        mousePressEvent(event);
        return;
    }
    if (object->PopupMenu())
        object->PopupMenu()->popup(event->globalPosition().toPoint());
    handle_->MarkDoubleClicked();
}

void TGBasePanel::HandleDoubleClicked(QPoint point, QPoint globalPoint) {
    if (handle_->SelectedCount() != 1)
        return;
    TGGraphicControl* object = handle_->SelectedObject(0);
    if (object->BoundsRect().contains(point) && object->PopupMenu())
        object->PopupMenu()->popup(globalPoint);
}

void TGBasePanel::keyPressEvent(QKeyEvent* event) {
    HandleKey(event);
}

void TGBasePanel::HandleKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        ClipboardCommand(ClipboardAction::Delete);
        return;
    }
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_C:
        ClipboardCommand(ClipboardAction::Copy);
        break;
    case Qt::Key_V:
        ClipboardCommand(ClipboardAction::Paste);
        break;
    case Qt::Key_X:
        ClipboardCommand(ClipboardAction::Cut);
        break;
    default:
        event->ignore();
    }
}

} // namespace layout
