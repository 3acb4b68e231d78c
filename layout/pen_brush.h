#pragma once

// The pen and the brush a line or a shape stores, and what they become on the screen and in a
// print job. Colours are stored colour numbers (see layout_font.h).
#include "layout/layout_enums.h"

#include "pageout/brush_fill.h"
#include "pageout/page_job.h"

#include <QBrush>
#include <QMetaType>
#include <QPainter>
#include <QPen>

namespace layout {

struct TLayoutPen {
    int color = 0; // black
    TPenMode mode = pmCopy;
    TPenStyle style = psSolid;
    int width = 1; // pixels
    bool operator==(const TLayoutPen&) const = default;

    // A screen pen of `pixels` width.
    QPen ScreenPen(int pixels) const;
    // The painter's way of combining for the pen's mode (copy for the modes it lacks).
    QPainter::CompositionMode ScreenMode() const;
    pageout::PenStyle PrintStyle() const;
    pageout::PenMode PrintMode() const;
};

struct TLayoutBrush {
    int color = 0xFFFFFF; // white
    TBrushStyle style = bsSolid;
    bool operator==(const TLayoutBrush&) const = default;

    QBrush ScreenBrush() const;
    pageout::BrushStyle PrintStyle() const { return pageout::BrushStyle(style); }
};

// Pen and brush in a data stream (the tests' stand-in layout format keeps them so).
QDataStream& operator<<(QDataStream& out, const TLayoutPen& pen);
QDataStream& operator>>(QDataStream& in, TLayoutPen& pen);
QDataStream& operator<<(QDataStream& out, const TLayoutBrush& brush);
QDataStream& operator>>(QDataStream& in, TLayoutBrush& brush);

} // namespace layout

Q_DECLARE_METATYPE(layout::TLayoutPen)
Q_DECLARE_METATYPE(layout::TLayoutBrush)
