#include "layout/graphic_control.h"

#include "layout/base_panel.h"
#include "layout/handle.h"
#include "layout/surface_geometry.h"

#include <QMenu>

namespace layout {

TGGraphicControl::TGGraphicControl(QObject* parent) : QObject(parent) {}

TGGraphicControl::~TGGraphicControl() {
    if (TGBasePanel* surface = Surface())
        surface->ForgetObject(this);
}

QString TGGraphicControl::ClassName() const {
    const QString name = QString::fromLatin1(metaObject()->className());
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

TGBasePanel* TGGraphicControl::Surface() const {
    return qobject_cast<TGBasePanel*>(parent());
}

void TGGraphicControl::SetBounds(const QRect& bounds) {
    if (bounds == bounds_)
        return;
    const QRect old = bounds_;
    bounds_ = bounds;
    if (TGBasePanel* surface = Surface(); surface && visible_) {
        surface->InvalidateArea(old);
        surface->InvalidateArea(bounds_);
    }
    if (!reading_)
        CheckBoundsChanged();
}

void TGGraphicControl::SetReading(bool reading) {
    if (reading_ && !reading)
        lastBounds_ = bounds_;
    reading_ = reading;
}

void TGGraphicControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Repaint();
}

void TGGraphicControl::SetZoom(float zoom) {
    if (zoom == zoom_ || zoom <= 0)
        return;
    const double factor = double(zoom) / zoom_;
    SetBounds(ZoomRect(bounds_, factor));
    zoom_ = zoom;
}

void TGGraphicControl::SetUnselectable(bool unselectable) {
    unselectable_ = unselectable;
    if (TGBasePanel* surface = Surface(); surface && unselectable)
        surface->Handle().DeselectObject(this);
}

void TGGraphicControl::Repaint() {
    if (TGBasePanel* surface = Surface())
        surface->InvalidateArea(bounds_);
}

void TGGraphicControl::Paint(QPainter&) {}

void TGGraphicControl::CheckBoundsChanged() {
    TGBasePanel* surface = Surface();
    if (!surface)
        return;
    if (lastBounds_ == QRect(0, 0, 0, 0)) {
        lastBounds_ = bounds_;
        return;
    }
    if (bounds_ == lastBounds_)
        return;
    surface->NotifyLabelChanged();
    lastBounds_ = bounds_;
    surface->PostRefit();
}

void TGGraphicControl::ApplyFont(const QFont&) {}

void TGGraphicControl::PrintTo(pageout::TBasePageJob&, double, double) {}

void TGGraphicControl::NotifyChanged() {
    if (TGBasePanel* surface = Surface())
        surface->NotifyLabelChanged();
}

// --- popup menu ---------------------------------------------------------------------------

void TGGraphicControl::Loaded() {
    lockedItem_ = nullptr;
    menu_ = std::make_unique<QMenu>();
    BuildMenu(*menu_);
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        if (lockedItem_)
            lockedItem_->setChecked(lockedTick_);
        UpdateMenuChecks();
    });
}

QAction* TGGraphicControl::menuEntry(QMenu& menu, const QString& text) {
    return menu.addAction(text);
}

void TGGraphicControl::BuildMenu(QMenu& menu) {
    addCommand(menu, QStringLiteral("Bring To Front"), &TGGraphicControl::BringToFront);
    addCommand(menu, QStringLiteral("Send To Back"), &TGGraphicControl::SendToBack);
    addCommand(menu, QStringLiteral("Cut"), &TGGraphicControl::Cut);
    addCommand(menu, QStringLiteral("Copy"), &TGGraphicControl::Copy);
    addCommand(menu, QStringLiteral("Delete"), &TGGraphicControl::Delete);
    addCommand(menu, QStringLiteral("Clone"), &TGGraphicControl::Clone);
    menu.addSeparator();
    lockedItem_ = addCommand(menu, QStringLiteral("Locked"), &TGGraphicControl::ToggleLocked);
    lockedItem_->setCheckable(true);
    addCommand(menu, QStringLiteral("Unselectable"), &TGGraphicControl::MakeUnselectable);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Center Vertically"), &TGGraphicControl::CenterVertically);
    addCommand(menu, QStringLiteral("Center Horizontally"), &TGGraphicControl::CenterHorizontally);
}

void TGGraphicControl::BringToFront() {
    if (TGBasePanel* surface = Surface()) {
        NotifyChanged();
        surface->RaiseObject(*this);
    }
}

void TGGraphicControl::SendToBack() {
    if (TGBasePanel* surface = Surface()) {
        NotifyChanged();
        surface->LowerObject(*this);
        surface->Handle().DeselectAll();
    }
}

void TGGraphicControl::Cut() {
    if (TGBasePanel* surface = Surface()) {
        NotifyChanged();
        surface->ObjectClipboardCommand(*this, ClipboardAction::Cut);
    }
}

void TGGraphicControl::Copy() {
    if (TGBasePanel* surface = Surface())
        surface->ObjectClipboardCommand(*this, ClipboardAction::Copy);
}

void TGGraphicControl::Delete() {
    if (TGBasePanel* surface = Surface()) {
        NotifyChanged();
        surface->ObjectClipboardCommand(*this, ClipboardAction::Delete);
    }
}

void TGGraphicControl::Clone() {
    if (TGBasePanel* surface = Surface())
        surface->CloneObject(*this);
}

void TGGraphicControl::ToggleLocked() {
    locked_ = !locked_;
    lockedTick_ = !lockedTick_;
    if (lockedItem_)
        lockedItem_->setChecked(lockedTick_);
}

void TGGraphicControl::MakeUnselectable() {
    SetUnselectable(true);
}

void TGGraphicControl::CenterVertically() {
    TGBasePanel* surface = Surface();
    if (!surface)
        return;
    SetTop(CenteredStart(surface->height(), Height()));
    NotifyChanged();
    surface->ProcessPendingMessages();
    surface->update();
}

void TGGraphicControl::CenterHorizontally() {
    TGBasePanel* surface = Surface();
    if (!surface)
        return;
    SetLeft(CenteredStart(surface->width(), Width()));
    NotifyChanged();
    surface->ProcessPendingMessages();
    surface->update();
}

} // namespace layout
