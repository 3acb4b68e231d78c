#include "layout/shape_objects.h"

#include "layout/base_panel.h"
#include "layout/display_resolution.h"
#include "layout/layout_font.h"

#include "platform/dialogs.h"

#include <QMenu>
#include <QPainter>

#include <cmath>
#include <functional>

namespace layout {

namespace {

// The pen's width on screen: scaled by the zoom, at least 1 for a pen that has a width.
int screenWidth(const TLayoutPen& pen, float zoom, bool atLeastOne) {
    if (zoom == 1.0f)
        return pen.width;
    const int w = int(std::lround(pen.width * double(zoom)));
    return atLeastOne && pen.width > 0 ? std::max(1, w) : w;
}

// The "Line Thickness" sub-menu: 1 to 10 points, each handed to `setWidth`.
void addThickness(QObject* object, QMenu& menu, QAction* (&items)[10],
                  const std::function<void(int)>& setWidth) {
    QMenu* thickness = menu.addMenu(QStringLiteral("Line Thickness"));
    for (int width = 1; width <= 10; ++width) {
        QAction* item = thickness->addAction(QStringLiteral("%1 Point").arg(width));
        item->setCheckable(true);
        QObject::connect(
            item, &QAction::triggered, object, [setWidth, width] { setWidth(width); },
            Qt::QueuedConnection);
        items[width - 1] = item;
    }
}

void tickWidth(QAction* const (&items)[10], int width) {
    for (int i = 0; i < 10; ++i)
        if (items[i])
            items[i]->setChecked(i + 1 == width);
}

} // namespace

QLine LineEnds(TLineStyle style, QSize size, int w) {
    const int h = w / 2;
    switch (style) {
    case stHorizontal:
        return {h, h, size.width() + h - w + 1, h};
    case stVertical:
        return {h, h, h, h + size.height() - w + 1};
    case stAngleSlopingUp:
        return {size.width(), 0, 0, size.height()};
    case stAngleSlopingDown:
        return {0, 0, size.width(), size.height()};
    }
    return {};
}

QRect ShapeBox(QSize size, int w) {
    const int h = w / 2;
    return QRect(QPoint(h, h), QPoint(size.width() + h - w + 1, size.height() + h - w + 1));
}

int CornerSize(int roundPerc, QSize size) {
    return int(roundPerc * 0.01 * std::max(size.width(), size.height()));
}

// --- lines ---------------------------------------------------------------------------------

TGLineShape::TGLineShape(QObject* parent) : TGGraphicControl(parent) {
    SetBounds({0, 0, 10, 10});
}

void TGLineShape::SetLineStyle(TLineStyle style) {
    lineStyle_ = style;
    Repaint();
}

void TGLineShape::SetPen(const TLayoutPen& pen) {
    pen_ = pen;
    Repaint();
}

void TGLineShape::StretchToEdges() {
    const TGBasePanel* surface = Surface();
    if (!surface)
        return;
    if (lineStyle_ == stHorizontal)
        SetBounds({0, Top(), surface->width(), Height()});
    else if (lineStyle_ == stVertical)
        SetBounds({Left(), 0, Width(), surface->height()});
    Repaint();
}

void TGLineShape::ChooseColor() {
    if (const auto colour = platform::CurrentDialogs().colour(ColorOf(pen_.color))) {
        TLayoutPen pen = pen_;
        pen.color = StoredColor(*colour);
        SetPen(pen);
        NotifyChanged();
    }
}

void TGLineShape::Paint(QPainter& painter) {
    const int w = screenWidth(pen_, Zoom(), false);
    painter.setCompositionMode(pen_.ScreenMode());
    painter.setPen(pen_.ScreenPen(w));
    painter.drawLine(LineEnds(lineStyle_, BoundsRect().size(), w));
}

void TGLineShape::PrintTo(pageout::TBasePageJob& engine, double originX, double originY) {
    const double p = DisplayPixelsPerInch();
    engine.SelectPen(ColorOf(pen_.color), pen_.PrintStyle(), pen_.width, pageout::PenMode::Copy);
    const int half = pen_.width / 2;
    const double x1 = originX + Left() / p, x2 = originX + (Left() + Width()) / p;
    const double y1 = originY + (Top() + half) / p, y2 = originY + (Top() + half + Height()) / p;
    switch (lineStyle_) {
    case stHorizontal:
        engine.PenMoveTo(x1, y1);
        engine.PenLineTo(x2, y1);
        break;
    case stVertical:
        engine.PenMoveTo(x1, y1);
        engine.PenLineTo(x1, y2);
        break;
    case stAngleSlopingUp:
        engine.PenMoveTo(x1, y2);
        engine.PenLineTo(x2, y1);
        break;
    case stAngleSlopingDown:
        engine.PenMoveTo(x1, y1);
        engine.PenLineTo(x2, y2);
        break;
    }
}

void TGLineShape::BuildMenu(QMenu& menu) {
    TGGraphicControl::BuildMenu(menu);
    menu.addSeparator();
    QMenu* style = menu.addMenu(QStringLiteral("Style"));
    const char* names[] = {"Horizontal", "Vertical", "Angled Sloping Up", "Angled Sloping Down"};
    for (int s = stHorizontal; s <= stAngleSlopingDown; ++s) {
        QAction* item = style->addAction(QString::fromLatin1(names[s]));
        item->setCheckable(true);
        connect(
            item, &QAction::triggered, this,
            [this, s] {
                SetLineStyle(TLineStyle(s));
                NotifyChanged();
            },
            Qt::QueuedConnection);
        styleItems_[s] = item;
    }
    addCommand(menu, QStringLiteral("Color"), &TGLineShape::ChooseColor);
    addThickness(this, menu, widthItems_, [this](int width) {
        TLayoutPen pen = pen_;
        pen.width = width;
        SetPen(pen);
        NotifyChanged();
    });
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Streth To Edges"), &TGLineShape::StretchToEdges);
}

void TGLineShape::UpdateMenuChecks() {
    for (int s = stHorizontal; s <= stAngleSlopingDown; ++s)
        if (styleItems_[s])
            styleItems_[s]->setChecked(s == lineStyle_);
    tickWidth(widthItems_, pen_.width);
}

// --- shapes --------------------------------------------------------------------------------

TGLabelShapes::TGLabelShapes(QObject* parent) : TGGraphicControl(parent) {
    SetBounds({0, 0, 25, 25});
}

void TGLabelShapes::SetTransparent(bool transparent) {
    transparent_ = transparent;
    brush_.style = transparent ? bsClear : bsSolid;
    Repaint();
}

void TGLabelShapes::SetBrush(const TLayoutBrush& brush) {
    brush_ = brush;
    Repaint();
}

void TGLabelShapes::SetPen(const TLayoutPen& pen) {
    pen_ = pen;
    Repaint();
}

void TGLabelShapes::SetRoundPerc(int percent) {
    roundPerc_ = percent;
    Repaint();
}

void TGLabelShapes::SetShape(TShapeType shape) {
    shape_ = shape;
    Repaint();
}

void TGLabelShapes::ChooseBackColor() {
    if (const auto colour = platform::CurrentDialogs().colour(ColorOf(brush_.color))) {
        TLayoutBrush brush = brush_;
        brush.color = StoredColor(*colour);
        SetBrush(brush);
        SetTransparent(false);
        NotifyChanged();
    }
}

void TGLabelShapes::ChooseLineColor() {
    if (const auto colour = platform::CurrentDialogs().colour(ColorOf(pen_.color))) {
        TLayoutPen pen = pen_;
        pen.color = StoredColor(*colour);
        SetPen(pen);
        NotifyChanged();
    }
}

void TGLabelShapes::Paint(QPainter& painter) {
    const int w = screenWidth(pen_, Zoom(), true);
    painter.setCompositionMode(pen_.ScreenMode());
    painter.setPen(pen_.ScreenPen(w));
    painter.setBrush(brush_.ScreenBrush());
    const QRect box = ShapeBox(BoundsRect().size(), w);
    // The box's right and bottom edges lie just outside the figure: the pen runs from its
    // top-left corner to one pixel short of them.
    const QRectF figure(box.topLeft(), QSizeF(box.width() - 2, box.height() - 2));
    switch (shape_) {
    case stRectangle:
    case stSquare:
        painter.drawRect(figure);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const double radius = CornerSize(roundPerc_, BoundsRect().size()) / 2.0;
        painter.drawRoundedRect(figure, radius, radius);
        break;
    }
    case stEllipse:
    case stCircle:
        painter.drawEllipse(figure);
        break;
    }
}

void TGLabelShapes::PrintTo(pageout::TBasePageJob& engine, double originX, double originY) {
    const double p = DisplayPixelsPerInch();
    engine.SelectPen(ColorOf(pen_.color), pen_.PrintStyle(), int(pen_.width / p * 100),
                     pen_.PrintMode());
    engine.SelectBrush(ColorOf(brush_.color), brush_.PrintStyle());
    const double x1 = originX + Left() / p, y1 = originY + Top() / p;
    const double x2 = originX + (Left() + Width()) / p, y2 = originY + (Top() + Height()) / p;
    switch (shape_) {
    case stRectangle:
    case stSquare:
        engine.DrawRectangle(x1, y1, x2, y2);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const double corner = roundPerc_ * 0.01 * (Width() > Height() ? x2 - x1 : y2 - y1);
        engine.DrawRoundRect(x1, y1, x2, y2, corner, corner);
        break;
    }
    case stEllipse:
    case stCircle:
        engine.DrawEllipse(x1, y1, x2, y2);
        break;
    }
}

void TGLabelShapes::BuildMenu(QMenu& menu) {
    TGGraphicControl::BuildMenu(menu);
    menu.addSeparator();
    addCommand(menu, QStringLiteral("Background Color"), &TGLabelShapes::ChooseBackColor);
    addCommand(menu, QStringLiteral("Line Color"), &TGLabelShapes::ChooseLineColor);
    addThickness(this, menu, widthItems_, [this](int width) {
        TLayoutPen pen = pen_;
        pen.width = width;
        SetPen(pen);
        NotifyChanged();
    });
    menu.addSeparator();
    transparentItem_ = menu.addAction(QStringLiteral("Transparent"));
    transparentItem_->setCheckable(true);
    connect(
        transparentItem_, &QAction::triggered, this,
        [this] {
            SetTransparent(!transparent_);
            NotifyChanged();
        },
        Qt::QueuedConnection);
    if (shape_ != stRoundRect && shape_ != stRoundSquare)
        return;
    menu.addSeparator();
    QMenu* rounding = menu.addMenu(QStringLiteral("Degree of Rounding"));
    for (int percent = 20; percent <= 80; percent += 10)
        connect(
            rounding->addAction(QStringLiteral("%1 %").arg(percent)), &QAction::triggered, this,
            [this, percent] {
                SetRoundPerc(percent);
                NotifyChanged();
            },
            Qt::QueuedConnection);
}

void TGLabelShapes::UpdateMenuChecks() {
    tickWidth(widthItems_, pen_.width);
    if (transparentItem_)
        transparentItem_->setChecked(transparent_);
}

void Trpshapes::BuildMenu(QMenu& menu) {
    TGLabelShapes::BuildMenu(menu);
    for (QAction* item : menu.actions())
        if (item->text() == QLatin1String("Background Pattern"))
            item->setVisible(false);
}

} // namespace layout
