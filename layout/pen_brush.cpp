#include "layout/pen_brush.h"

#include "layout/layout_font.h"

#include <QDataStream>

namespace layout {

QPen TLayoutPen::ScreenPen(int pixels) const {
    QPen pen(ColorOf(color), pixels);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    switch (style) {
    case psDash:
        pen.setStyle(Qt::DashLine);
        break;
    case psDot:
        pen.setStyle(Qt::DotLine);
        break;
    case psDashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case psDashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    case psClear:
        pen.setStyle(Qt::NoPen);
        break;
    case psSolid:
    case psInsideFrame:
        break;
    }
    return pen;
}

QPainter::CompositionMode TLayoutPen::ScreenMode() const {
    switch (mode) {
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

pageout::PenStyle TLayoutPen::PrintStyle() const {
    switch (style) {
    case psDash:
        return pageout::PenStyle::Dash;
    case psDot:
        return pageout::PenStyle::Dot;
    case psDashDot:
        return pageout::PenStyle::DashDot;
    case psDashDotDot:
        return pageout::PenStyle::DashDotDot;
    case psClear:
        return pageout::PenStyle::Clear;
    default:
        return pageout::PenStyle::Solid;
    }
}

pageout::PenMode TLayoutPen::PrintMode() const {
    switch (mode) {
    case pmXor:
        return pageout::PenMode::Xor;
    case pmNot:
        return pageout::PenMode::Not;
    case pmNotCopy:
        return pageout::PenMode::NotCopy;
    default:
        return pageout::PenMode::Copy;
    }
}

QBrush TLayoutBrush::ScreenBrush() const {
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    return QBrush(ColorOf(color), styles[style]);
}

QDataStream& operator<<(QDataStream& out, const TLayoutPen& pen) {
    return out << qint32(pen.color) << qint32(pen.mode) << qint32(pen.style) << qint32(pen.width);
}

QDataStream& operator>>(QDataStream& in, TLayoutPen& pen) {
    qint32 color = 0, mode = 0, style = 0, width = 0;
    in >> color >> mode >> style >> width;
    pen = {color, TPenMode(std::clamp<qint32>(mode, pmBlack, pmNotXor)),
           TPenStyle(std::clamp<qint32>(style, psSolid, psInsideFrame)), width};
    return in;
}

QDataStream& operator<<(QDataStream& out, const TLayoutBrush& brush) {
    return out << qint32(brush.color) << qint32(brush.style);
}

QDataStream& operator>>(QDataStream& in, TLayoutBrush& brush) {
    qint32 color = 0, style = 0;
    in >> color >> style;
    brush = {color, TBrushStyle(std::clamp<qint32>(style, bsSolid, bsDiagCross))};
    return in;
}

} // namespace layout
