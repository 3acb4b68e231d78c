#include "layout/base_panel.h"

#include "layout/component_names.h"
#include "layout/cursors.h"
#include "layout/graphic_control.h"
#include "layout/handle.h"
#include "layout/surface_menu.h"

#include "platform/program_dir.h"
#include "platform/whats_this.h"

#include <QCoreApplication>
#include <QFile>
#include <QPaintEvent>
#include <QPainter>

namespace layout {

namespace {

// Posted when objects' bounds changed; the handle is fitted again once it arrives.
const QEvent::Type RefitEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

TGBasePanel::TGBasePanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setFont(QFont(QStringLiteral("Arial"), 10));
    platform::GiveQuestionMarkText(
        *this, tr("The design surface. Click an object to select it (with Shift to add it), or "
                  "drag around objects to select them all. Right-click for the editing "
                  "commands."));
    handle_ = new TGHandle(*this);
    menu_ = BuildSurfaceMenu(*this);
    handle_->OnDblClick = [this](QPoint point, QPoint global) {
        HandleDoubleClicked(point, global);
    };
    lookChanged();
}

TGBasePanel::~TGBasePanel() {
    handle_->DeselectAll();
    while (!objects_.isEmpty())
        delete objects_.takeLast();
    QFile::remove(ClipboardFile());
    QFile::remove(ScratchFile());
}

QString TGBasePanel::ClipboardFile() const {
    return platform::ProgramDir() + QStringLiteral("Clipbrd.tmp");
}

QString TGBasePanel::ScratchFile() const {
    return platform::ProgramDir() + QStringLiteral("TempFile.tmp");
}

// --- properties ----------------------------------------------------------------------------

void TGBasePanel::SetPointing(bool pointing) {
    pointing_ = pointing;
    restingCursor();
}

void TGBasePanel::SetDrawOutline(bool draw) {
    look_.drawOutline = draw;
    lookChanged();
}

void TGBasePanel::SetPicture(const Graphic& picture) {
    look_.picture = picture;
    lookChanged();
}

void TGBasePanel::SetColorPicture(const Graphic& picture) {
    look_.colorPicture = picture;
    lookChanged();
}

void TGBasePanel::SetShape(TLabelShapeType shape) {
    look_.shape = shape;
    lookChanged();
}

void TGBasePanel::SetShowGrid(bool show) {
    look_.showGrid = show;
    lookChanged();
}

void TGBasePanel::SetGridSize(TGridSize size) {
    gridSize_ = size;
    const int step = size == TGridSize::gs8x8 ? 8 : 4;
    // The step is kept for when snapping is switched on; it does not switch snapping on.
    handle_->SetGridX(step);
    handle_->SetGridY(step);
    handle_->SetSnapToGrid(snapToGrid_);
    update();
}

void TGBasePanel::SetSnapToGrid(bool snap) {
    snapToGrid_ = snap;
    if (snap) {
        const int step = gridSize_ == TGridSize::gs8x8 ? 8 : 4;
        handle_->SetGridX(step);
        handle_->SetGridY(step);
    }
    handle_->SetSnapToGrid(snap);
}

void TGBasePanel::SetZoom(float zoom) {
    if (zoom == zoom_ || zoom <= 0)
        return;
    const double factor = double(zoom) / zoom_;
    resize(ZoomSize(size(), factor));
    zoom_ = zoom;
    for (TGGraphicControl* object : objects_)
        object->SetZoom(zoom);
}

void TGBasePanel::NotifyLabelChanged() {
    if (LabelChangedEvent)
        LabelChangedEvent(*this);
}

void TGBasePanel::lookChanged() {
    canvas_.SetBackground(PaintBackground(size(), look_));
    update();
}

void TGBasePanel::restingCursor() {
    if (pointing_)
        unsetCursor();
    else
        setCursor(PlacingCursor());
}

// --- objects -------------------------------------------------------------------------------

TGGraphicControl* TGBasePanel::ObjectAt(QPoint point) const {
    for (auto object = objects_.crbegin(); object != objects_.crend(); ++object)
        if ((*object)->Visible() && (*object)->BoundsRect().contains(point))
            return *object;
    return nullptr;
}

QObject* TGBasePanel::Owner() const {
    return owner_ ? owner_ : window();
}

QString TGBasePanel::UniqueName(const QString& base, int first) const {
    return UniqueComponentName(*Owner(), base, first);
}

void TGBasePanel::MakeClassKnown(const QString& className, ObjectFactory make) {
    classes_.insert(className, std::move(make));
}

TGGraphicControl* TGBasePanel::CreateKnownObject(const QString& className) const {
    const auto make = classes_.constFind(className);
    return make == classes_.constEnd() ? nullptr : (*make)();
}

void TGBasePanel::Adopt(TGGraphicControl* object) {
    if (object->Surface() == this)
        return;
    object->setParent(this);
    objects_.append(object);
    object->Repaint();
}

void TGBasePanel::AddObject(TGGraphicControl* object, const Edges& rect) {
    object->SetVisible(false);
    Adopt(object);
    if (const QString name = UniqueName(QStringLiteral("Special")); !name.isEmpty())
        object->SetName(name);
    const QRect bounds = NewObjectBounds(rect);
    object->SetTop(bounds.y());
    object->SetLeft(bounds.x());
    object->SetWidth(bounds.width());
    object->SetHeight(bounds.height());
    object->SetMouseHooked(true);
    object->SetZoomFactor(zoom_);
    object->SetVisible(true);
    NotifyLabelChanged();
    ProcessPendingMessages();
}

TGGraphicControl* TGBasePanel::CreateObjectAt(const Edges&) {
    return nullptr;
}

void TGBasePanel::ClearObjects() {
    handle_->DeselectAll();
    while (!objects_.isEmpty())
        delete objects_.takeLast();
}

void TGBasePanel::HookObjectEvents() {
    for (TGGraphicControl* object : objects_) {
        object->SetMouseHooked(true);
        object->SetZoomFactor(zoom_);
    }
}

void TGBasePanel::ForgetObject(TGGraphicControl* object) {
    if (!objects_.removeOne(object))
        return;
    handle_->DeselectObject(object);
    if (object->Visible())
        InvalidateArea(object->BoundsRect());
}

void TGBasePanel::RaiseObject(TGGraphicControl& object) {
    if (objects_.removeOne(&object)) {
        objects_.append(&object);
        object.Repaint();
    }
}

void TGBasePanel::LowerObject(TGGraphicControl& object) {
    if (objects_.removeOne(&object)) {
        objects_.prepend(&object);
        object.Repaint();
    }
}

// --- printing ------------------------------------------------------------------------------

void TGBasePanel::PrintObjects(pageout::TBasePageJob& engine, double originX, double originY) {
    for (TGGraphicControl* object : objects_)
        object->PrintTo(engine, originX, originY);
}

void TGBasePanel::AfterItemPrinted() {
    for (TGGraphicControl* object : objects_)
        object->AfterItemPrinted();
}

void TGBasePanel::ResetCounter() {
    for (TGGraphicControl* object : objects_)
        object->ResetCounter();
}

void TGBasePanel::ClampObjects() {
    handle_->DeselectAll();
    for (TGGraphicControl* object : objects_) {
        const QPoint at = ClampedPosition(object->BoundsRect(), size());
        object->SetTop(at.y());
        object->SetLeft(at.x());
    }
}

void TGBasePanel::RemoveOutsideObjects() {
    handle_->DeselectAll();
    const QList<TGGraphicControl*> objects = objects_;
    for (TGGraphicControl* object : objects)
        if (LiesOutside(object->BoundsRect(), size()))
            delete object;
}

// --- painting and events -------------------------------------------------------------------

void TGBasePanel::InvalidateArea(const QRect& area) {
    if (area.isEmpty())
        return;
    canvas_.Invalidate(area);
    update(area);
}

void TGBasePanel::PostRefit() {
    if (refitPosted_)
        return;
    refitPosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(RefitEvent));
}

void TGBasePanel::ProcessPendingMessages() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TGBasePanel::SetDragOutline(const std::optional<Edges>& outline) {
    if (outline == dragOutline_)
        return;
    if (dragOutline_)
        update(OutlineRegion(*dragOutline_));
    dragOutline_ = outline;
    if (dragOutline_)
        update(OutlineRegion(*dragOutline_));
}

bool TGBasePanel::event(QEvent* event) {
    if (event->type() == RefitEvent) {
        refitPosted_ = false;
        handle_->FitToSelection();
        return true;
    }
    return QWidget::event(event);
}

void TGBasePanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    canvas_.Paint(painter, event->region(), objects_);
    if (drawing_)
        DrawXorOutline(painter, band_.Normalised());
    if (dragOutline_)
        DrawXorOutline(painter, *dragOutline_);
}

void TGBasePanel::resizeEvent(QResizeEvent*) {
    lookChanged();
}

} // namespace layout
