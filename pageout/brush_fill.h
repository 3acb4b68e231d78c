#pragma once

#include <QColor>
#include <QImage>

class QPainter;
class QPainterPath;

namespace pageout {

enum class BrushStyle {
    Solid,
    Clear,
    Horizontal,
    Vertical,
    FDiagonal,
    BDiagonal,
    Cross,
    DiagCross
};

// A job's brush. Hatches and pattern bitmaps are measured in screen pixels of 1/96 inch, as
// they look on the screen at full size, and keep that size in inches on every device.
struct BrushFill {
    QColor colour = Qt::white;
    BrushStyle style = BrushStyle::Solid;
    QImage pattern; // when set and the style is not Clear, tiled in place of colour and style
};

// Distance between two hatch lines and their width, in inches.
inline constexpr double HatchSpacingInches = 8.0 / 96;
inline constexpr double HatchLineInches = 1.0 / 96;

// Whether the brush is a plain colour or none, which every paint engine fills alike; hatches
// and patterns go through FillWithBrush instead.
bool IsPlainBrush(const BrushFill& brush);

// Fills `area` (device coordinates, `dotsPerInch` of them to the inch) with the brush. Hatches
// are drawn as lines clipped to the area and patterns as tiles without smoothing, both anchored
// at the device origin: the paint engines' own hatch brushes differ between screen, picture
// replay and PDF in size and look.
void FillWithBrush(QPainter& painter, const QPainterPath& area, const BrushFill& brush,
                   double dotsPerInch);

} // namespace pageout
