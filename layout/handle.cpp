#include "layout/handle.h"

#include "layout/base_panel.h"
#include "layout/cursors.h"
#include "layout/graphic_control.h"
#include "layout/tick.h"

#include "platform/whats_this.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace layout {

namespace {

// A quick click released this soon after the press never moves anything.
constexpr qint64 ClickMs = 150;
// The button must be held this long before a move drags.
constexpr qint64 DragDelayMs = 10;

} // namespace

TGHandle::TGHandle(TGBasePanel& surface) : QWidget(&surface), surface_(surface) {
    setObjectName(QStringLiteral("Handle"));
    platform::GiveQuestionMarkText(
        *this, tr("The selected objects. Drag them to move them, drag a square to resize one, "
                  "or move them a pixel at a time with the arrow keys (with Shift to resize "
                  "one). Right-click for the editing commands."));
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(24, 24);
    hide();
    setEnabled(false);
}

TGHandle::~TGHandle() {
    releaseGrab();
}

TGGraphicControl* TGHandle::SelectedObject(int i) const {
    return i >= 0 && i < selection_.size() ? selection_[i] : nullptr;
}

bool TGHandle::IsSelected(const TGGraphicControl* object) const {
    return std::find(selection_.begin(), selection_.end(), object) != selection_.end();
}

void TGHandle::SelectObject(TGGraphicControl* object) {
    if (!object || object->Unselectable())
        return;
    mouseDownTime_ = TickMs();
    if (IsSelected(object))
        return;
    setCursor(GrabCursor());
    place(selection_.isEmpty() ? PlaceHandle(object->BoundsRect())
                               : GrowHandle(geometry(), object->BoundsRect()));
    selection_.append(object);
    mode_ = DragMode::Move;
    raise();
    // The press that selected the object goes on as a drag of the handle.
    if (QGuiApplication::mouseButtons() != Qt::NoButton && isVisible())
        grabMouse();
    setFocus();
}

void TGHandle::DeselectObject(TGGraphicControl* object) {
    if (!selection_.removeOne(object))
        return;
    if (selection_.isEmpty()) {
        DeselectAll();
        return;
    }
    placeAroundSelection();
}

void TGHandle::DeselectAll() {
    selection_.clear();
    locked_ = false;
    dragging_ = false;
    nudging_ = false;
    releaseGrab();
    hide();
    resize(24, 24);
    setEnabled(false);
    surface_.SetDragOutline(std::nullopt);
}

void TGHandle::FitToSelection() {
    if (selection_.isEmpty())
        return;
    QList<QRect> bounds;
    for (const TGGraphicControl* object : selection_)
        bounds << object->BoundsRect();
    raise();
    setGeometry(FitHandle(bounds));
    update();
}

void TGHandle::SetHandleBounds(const QRect& bounds) {
    const QRect before = geometry();
    if (bounds == before)
        return;
    setGeometry(bounds);
    for (TGGraphicControl* object : selection_)
        if (!object->Locked())
            object->SetBounds(FollowHandle(object->BoundsRect(), before, bounds));
}

void TGHandle::SetGridX(int step) {
    step = std::clamp(step, 1, 32);
    if (step != savedGridX_)
        savedGridX_ = step;
    gridX_ = step;
}

void TGHandle::SetGridY(int step) {
    step = std::clamp(step, 1, 32);
    if (step != savedGridY_)
        savedGridY_ = step;
    gridY_ = step;
}

void TGHandle::SetSnapToGrid(bool snap) {
    gridX_ = snap ? savedGridX_ : 1;
    gridY_ = snap ? savedGridY_ : 1;
}

void TGHandle::place(const QRect& bounds) {
    setGeometry(bounds);
    setEnabled(true);
    show();
}

void TGHandle::placeAroundSelection() {
    QRect bounds = PlaceHandle(selection_.first()->BoundsRect());
    for (const TGGraphicControl* object : selection_)
        bounds = GrowHandle(bounds, object->BoundsRect());
    place(bounds);
    update();
}

void TGHandle::releaseGrab() {
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

// --- painting ------------------------------------------------------------------------------

void TGHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool single = selection_.size() == 1;
    const QColor colour = single ? Color : SecondaryColor;
    const QPoint origin = pos();
    for (const TGGraphicControl* object : selection_)
        for (const QRect& square : GrabSquares(object->BoundsRect(), single))
            painter.fillRect(square.translated(-origin), colour);
}

// --- mouse ---------------------------------------------------------------------------------

void TGHandle::mousePressEvent(QMouseEvent* event) {
    mouseDownTime_ = TickMs();
    const QPoint point = event->position().toPoint();
    const QPoint at = point + pos(); // on the surface
    if (event->button() == Qt::LeftButton && surface_.Pointing()) {
        if (event->modifiers() & Qt::ShiftModifier) {
            toggleOffAt(at);
            return;
        }
        if (!locked_ && !selection_.isEmpty()) {
            dragStart_ = point;
            dragging_ = true;
            return;
        }
    } else if (event->button() == Qt::RightButton) {
        popupMenuAt(at, event->globalPosition().toPoint());
        return;
    }
    forward(event);
}

void TGHandle::mouseMoveEvent(QMouseEvent* event) {
    if (doubleClicked_) {
        doubleClicked_ = false;
        dragging_ = false;
    }
    if (!surface_.Pointing()) {
        setCursor(PlacingCursor());
        return;
    }
    QPoint point = event->position().toPoint();
    const bool leftDown = event->buttons() & Qt::LeftButton;
    if (!leftDown || dragging_ || locked_) {
        if (!leftDown)
            releaseGrab();
        if (!dragging_)
            setCursor(GrabCursor());
        const DragMode zone = selection_.size() == 1 ? HitZone(point, size()) : DragMode::Move;
        if (zone != DragMode::Move)
            setCursor(ZoneCursor(zone));
        if (locked_)
            setCursor(NoDropCursor());
        if (dragging_) {
            point = ClampDragPoint(point, pos(), surface_.size());
            const QRect bounds = DragBounds(mode_, point, dragStart_, geometry(), gridX_, gridY_);
            surface_.SetDragOutline(SelectionOutline(bounds));
        } else {
            mode_ = zone;
        }
    }
    if (leftDown && !dragging_ && !locked_ && TickMs() - mouseDownTime_ > DragDelayMs) {
        dragStart_ = point;
        dragging_ = true;
    }
}

void TGHandle::mouseReleaseEvent(QMouseEvent* event) {
    QPoint point = event->position().toPoint();
    if (dragging_ && TickMs() - mouseDownTime_ < ClickMs)
        dragStart_ = point;
    mouseDownTime_ = 0;
    if (!dragging_ || event->button() != Qt::LeftButton) {
        forward(event);
        releaseGrab();
        return;
    }
    point = ClampDragPoint(point, pos(), surface_.size());
    if (point != dragStart_)
        SetHandleBounds(DragBounds(mode_, point, dragStart_, geometry(), gridX_, gridY_));
    surface_.SetDragOutline(std::nullopt);
    setFocus();
    dragging_ = false;
    setCursor(GrabCursor());
    releaseGrab();
    update();
}

void TGHandle::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    doubleClicked_ = true;
    if (OnDblClick)
        OnDblClick(event->position().toPoint() + pos(), event->globalPosition().toPoint());
}

void TGHandle::leaveEvent(QEvent*) {
    if (!dragging_)
        unsetCursor();
}

void TGHandle::popupMenuAt(QPoint point, QPoint globalPoint) {
    TGGraphicControl* only = selection_.size() == 1 ? selection_.first() : nullptr;
    if (only && only->BoundsRect().adjusted(-2, -2, 2, 2).contains(point)) {
        if (only->PopupMenu())
            only->PopupMenu()->popup(globalPoint);
        return;
    }
    surface_.PopupMenu().popup(globalPoint);
}

void TGHandle::forward(QMouseEvent* event) {
    unsetCursor();
    const QPoint at = event->position().toPoint() + pos();
    if (event->type() == QEvent::MouseButtonRelease)
        surface_.ReleaseAt(at, event->button(), event->modifiers());
    else
        surface_.PressAt(at, event->button(), event->modifiers(),
                         event->globalPosition().toPoint());
}

void TGHandle::toggleOffAt(QPoint point) {
    QList<TGGraphicControl*> kept;
    for (TGGraphicControl* object : selection_)
        if (!object->BoundsRect().contains(point))
            kept << object;
    if (kept.size() == selection_.size()) {
        // No selected object there: Shift adds the object under the point, as on the surface.
        if (TGGraphicControl* object = surface_.ObjectAt(point); object && object->MouseHooked())
            SelectObject(object);
        update();
        return;
    }
    DeselectAll();
    for (TGGraphicControl* object : kept)
        SelectObject(object);
    surface_.update();
}

// --- keyboard ------------------------------------------------------------------------------

void TGHandle::keyPressEvent(QKeyEvent* event) {
    const auto key = static_cast<Qt::Key>(event->key());
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down) {
        surface_.HandleKey(event);
        return;
    }
    if (!nudging_) {
        nudging_ = true;
        nudgeOutline_ = SelectionOutline(geometry());
    }
    const bool resize = (event->modifiers() & Qt::ShiftModifier) && selection_.size() == 1;
    nudgeOutline_ = NudgeOutline(nudgeOutline_, key, resize, surface_.size());
    surface_.SetDragOutline(nudgeOutline_);
}

void TGHandle::keyReleaseEvent(QKeyEvent* event) {
    if (!nudging_ || event->isAutoRepeat())
        return;
    nudging_ = false;
    surface_.SetDragOutline(std::nullopt);
    SetHandleBounds(HandleFromOutline(nudgeOutline_));
    update();
    surface_.update();
}

} // namespace layout
