#pragma once

// The graphic objects: straight lines, and rectangles, rounded rectangles and ellipses.
#include "layout/graphic_control.h"
#include "layout/layout_enums.h"
#include "layout/pen_brush.h"

#include <QLine>
#include <QRect>

namespace layout {

// The ends of a line drawn on screen in an object of `size` with a pen `w` pixels wide.
QLine LineEnds(TLineStyle style, QSize size, int w);
// The box a shape is drawn in on screen, the pen `w` pixels wide.
QRect ShapeBox(QSize size, int w);
// The side of the corner ellipses of a rounded shape on screen.
int CornerSize(int roundPerc, QSize size);

class TGLineShape : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(layout::TLineStyle LineStyle READ LineStyle WRITE SetLineStyle)
    Q_PROPERTY(layout::TLayoutPen Pen READ Pen WRITE SetPen)

public:
    explicit TGLineShape(QObject* parent = nullptr);

    TLineStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(TLineStyle style);
    const TLayoutPen& Pen() const { return pen_; }
    void SetPen(const TLayoutPen& pen);

    // A horizontal line spans the surface's width, a vertical one its height; angled lines
    // stay as they are.
    void StretchToEdges();
    void ChooseColor();

    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;
    void UpdateMenuChecks() override;

protected:
    void BuildMenu(QMenu& menu) override;

private:
    TLineStyle lineStyle_ = stHorizontal;
    TLayoutPen pen_;
    QAction* styleItems_[4] = {};
    QAction* widthItems_[10] = {};
};

class TGLabelShapes : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(layout::TLayoutBrush Brush READ Brush WRITE SetBrush)
    Q_PROPERTY(layout::TLayoutPen Pen READ Pen WRITE SetPen)
    Q_PROPERTY(int RoundPerc READ RoundPerc WRITE SetRoundPerc)
    Q_PROPERTY(layout::TShapeType Shape READ Shape WRITE SetShape)

public:
    explicit TGLabelShapes(QObject* parent = nullptr);

    // True clears the brush, false makes it solid.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    const TLayoutBrush& Brush() const { return brush_; }
    void SetBrush(const TLayoutBrush& brush);
    const TLayoutPen& Pen() const { return pen_; }
    void SetPen(const TLayoutPen& pen);
    int RoundPerc() const { return roundPerc_; }
    void SetRoundPerc(int percent);
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);

    void ChooseBackColor();
    void ChooseLineColor();

    void Paint(QPainter& painter) override;
    void PrintTo(pageout::TBasePageJob& engine, double originX, double originY) override;
    void UpdateMenuChecks() override;

protected:
    void BuildMenu(QMenu& menu) override;

private:
    bool transparent_ = false;
    TLayoutBrush brush_;
    TLayoutPen pen_;
    int roundPerc_ = 25;
    TShapeType shape_ = stRectangle;
    QAction* widthItems_[10] = {};
    QAction* transparentItem_ = nullptr;
};

// The shape of report bands: as on labels, without a background pattern entry.
class Trpshapes : public TGLabelShapes {
    Q_OBJECT
public:
    using TGLabelShapes::TGLabelShapes;

protected:
    void BuildMenu(QMenu& menu) override;
};

} // namespace layout
